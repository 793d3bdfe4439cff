// The browser's listing of a large folder against the bare enumeration it
// stands on.  Makes C:\bench-listing with 10,000 subfolders and 10,000 files,
// then, run after run, times a FindFirstFileA enumeration of the folder plus
// a sort of its names in the locale's case-blind order, and the browser
// window's ShowFolder on the same folder until both lists are filled.
// Prints one "name value" line per figure and run; judges nothing.
//
//   ListingBench.exe [RUNS]

#include "browser/Dirview.h"
#include "gui/Application.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr char Folder[] = "C:\\bench-listing";
constexpr int Entries = 10000;
constexpr int DefaultRuns = 5;

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart)
        / static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now;
}

void MakeFolder()
{
    CreateDirectoryA(Folder, nullptr);
    char name[MAX_PATH];
    for (int i = 0; i < Entries; ++i) {
        std::snprintf(name, sizeof name, "%s\\Sub%05d", Folder, (i * 7919) % Entries);
        CreateDirectoryA(name, nullptr);
        std::snprintf(name, sizeof name, "%s\\File%05d.txt", Folder, (i * 7919) % Entries);
        const HANDLE file = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
    }
}

// FindFirstFileA over the folder and one sort of every name found.
std::size_t BareEnumeration()
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    const HANDLE search = FindFirstFileA((std::string(Folder) + "\\*.*").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    do
        names.emplace_back(data.cFileName);
    while (FindNextFileA(search, &data));
    FindClose(search);
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                   b.data(), static_cast<int>(b.size()))
            == CSTR_LESS_THAN;
    });
    return names.size();
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : DefaultRuns;
    Application::Get().Initialize(GetModuleHandleA(nullptr));
    MakeFolder();

    TDIRVIEWForm view;
    Listing& listing = view.FolderListing();
    listing.FillDrives('C');
    for (int run = 0; run < runs; ++run) {
        const LARGE_INTEGER bareStart = Now();
        const std::size_t found = BareEnumeration();
        const LARGE_INTEGER bareEnd = Now();
        listing.ShowFolder(Folder);
        const LARGE_INTEGER listed = Now();
        std::printf("bare_ms %.1f\n", Milliseconds(bareStart, bareEnd));
        std::printf("browser_ms %.1f\n", Milliseconds(bareEnd, listed));
        std::printf("found %zu\n", found);
        std::printf("folder_entries %zu\n", listing.Folders().size());
    }
    std::fflush(stdout);
    return 0;
}
