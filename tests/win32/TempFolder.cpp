#include "TempFolder.h"

#include "platform/Handle.h"

#include <stdexcept>
#include <vector>

namespace {

void RemoveTree(const std::string& folder)
{
    WIN32_FIND_DATAA found {};
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string full = folder + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(full + "\\");
            } else {
                SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(full.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

} // namespace

TempFolder::TempFolder()
{
    char base[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, base);
    for (unsigned attempt = 0;; ++attempt) {
        std::string candidate = std::string(base) + "drimtest" + std::to_string(GetCurrentProcessId()) + "_"
            + std::to_string(GetTickCount()) + "_" + std::to_string(attempt) + "\\";
        if (CreateDirectoryA(candidate.c_str(), nullptr)) {
            path_ = candidate;
            return;
        }
        if (attempt > 100)
            throw std::runtime_error("cannot create a temporary folder");
    }
}

TempFolder::~TempFolder()
{
    RemoveTree(path_);
}

void WriteWholeFile(const std::string& path, const std::string& contents)
{
    UniqueHandle file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        throw std::runtime_error("cannot create " + path);
    DWORD written = 0;
    if (!contents.empty()
        && (!WriteFile(file.Get(), contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr)
            || written != contents.size()))
        throw std::runtime_error("cannot write " + path);
}

std::string ReadWholeFile(const std::string& path)
{
    UniqueHandle file(CreateFileA(
        path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        throw std::runtime_error("cannot open " + path);
    std::string contents;
    std::vector<char> chunk(65536);
    DWORD read = 0;
    while (ReadFile(file.Get(), chunk.data(), static_cast<DWORD>(chunk.size()), &read, nullptr) && read > 0)
        contents.append(chunk.data(), read);
    return contents;
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

FILETIME LastWriteTime(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data {};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        throw std::runtime_error("cannot read the date of " + path);
    return data.ftLastWriteTime;
}

void SetLastWriteTime(const std::string& path, const FILETIME& time)
{
    UniqueHandle file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file || !SetFileTime(file.Get(), nullptr, nullptr, &time))
        throw std::runtime_error("cannot set the date of " + path);
}

std::uint64_t FileIdentity(const std::string& path)
{
    const UniqueHandle file(CreateFileA(path.c_str(), 0,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr));
    BY_HANDLE_FILE_INFORMATION information {};
    if (!file || !GetFileInformationByHandle(file.Get(), &information))
        return 0;
    return (std::uint64_t { information.nFileIndexHigh } << 32) | information.nFileIndexLow;
}

FILETIME FileTimeFromLocal(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second)
{
    SYSTEMTIME st {};
    st.wYear = year;
    st.wMonth = month;
    st.wDay = day;
    st.wHour = hour;
    st.wMinute = minute;
    st.wSecond = second;
    FILETIME local {};
    FILETIME utc {};
    SystemTimeToFileTime(&st, &local);
    LocalFileTimeToFileTime(&local, &utc);
    return utc;
}
