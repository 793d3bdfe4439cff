#include "browser/WinFileSystem.h"

#include "platform/CompareText.h"
#include "platform/FileSystem.h"
#include "platform/FindHandle.h"
#include "text/PathParts.h"

#include <windows.h>
#include <winnetwk.h>

#include <cstring>
#include <utility>

namespace {

// The sizes of the label and network-name buffers: MAX_PATH and its zero.
constexpr DWORD NameBufferSize = 261;

std::string DriveNameOf(char letter)
{
    return { letter, ':' };
}

// The text of a buffer the system filled, up to its zero byte or its end:
// a call that fills it to the brim leaves no terminator to rely on.
std::string BufferText(const char* buffer, std::size_t size)
{
    return std::string(buffer, strnlen(buffer, size));
}

// An empty drive asked under the default error mode makes the system show
// its critical-error box and wait for the user; this mode makes the call
// fail instead.  The previous mode comes back on every path.
class FailCriticalErrors {
public:
    FailCriticalErrors()
        : previous_(SetErrorMode(SEM_FAILCRITICALERRORS))
    {
    }
    FailCriticalErrors(const FailCriticalErrors&) = delete;
    FailCriticalErrors& operator=(const FailCriticalErrors&) = delete;
    ~FailCriticalErrors() { SetErrorMode(previous_); }

private:
    UINT previous_;
};

FoundEntry EntryOf(const WIN32_FIND_DATAA& data)
{
    return { BufferText(data.cFileName, sizeof data.cFileName), data.dwFileAttributes };
}

} // namespace

unsigned WinFileSystem::DriveType(char letter) const
{
    return GetDriveTypeA(DriveRoot(letter).c_str());
}

std::optional<std::string> WinFileSystem::VolumeLabel(char letter) const
{
    const FailCriticalErrors quiet;
    char label[NameBufferSize] = {};
    if (!GetVolumeInformationA(
            DriveRoot(letter).c_str(), label, NameBufferSize, nullptr, nullptr, nullptr, nullptr, 0))
        return std::nullopt;
    return BufferText(label, sizeof label);
}

std::optional<std::string> WinFileSystem::NetworkName(char letter) const
{
    char remote[NameBufferSize] = {};
    DWORD length = NameBufferSize;
    if (WNetGetConnectionA(DriveNameOf(letter).c_str(), remote, &length) != NO_ERROR)
        return std::nullopt;
    return BufferText(remote, sizeof remote);
}

bool WinFileSystem::DiskAnswers(char letter) const
{
    const FailCriticalErrors quiet;
    DWORD sectors = 0;
    DWORD bytes = 0;
    DWORD freeClusters = 0;
    DWORD clusters = 0;
    return GetDiskFreeSpaceA(DriveRoot(letter).c_str(), &sectors, &bytes, &freeClusters, &clusters) != 0;
}

bool WinFileSystem::SetCurrentFolder(const std::string& path)
{
    return SetCurrentDirectoryA(path.c_str()) != 0;
}

std::optional<std::string> WinFileSystem::CurrentFolderOfDrive(char letter) const
{
    return FullPathName(DriveNameOf(letter));
}

std::optional<std::vector<FoundEntry>> WinFileSystem::Find(const std::string& pattern) const
{
    const FailCriticalErrors quiet;
    WIN32_FIND_DATAA data {};
    const FindHandle search(FindFirstFileA(pattern.c_str(), &data));
    std::vector<FoundEntry> entries;
    if (!search) {
        // A root has no "." entry, so an empty root finds nothing at all;
        // that is an empty folder, not an unreadable one.
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES)
            return entries;
        return std::nullopt;
    }
    do
        entries.push_back(EntryOf(data));
    while (FindNextFileA(search.Get(), &data));
    if (GetLastError() != ERROR_NO_MORE_FILES)
        return std::nullopt;
    return entries;
}

int WinFileSystem::CompareNames(std::string_view a, std::string_view b) const
{
    return CompareIgnoringCase(a, b);
}
