#include "setup/SetupFiles.h"

#include "platform/FindHandle.h"
#include "setup/UninstallCopy.h"
#include "text/YeNADDCUT.h"

#include <windows.h>

#include <memory>
#include <new>

namespace {

// The Windows folder's buffer and the length the call is told, which leaves
// room beyond the terminating zero.
constexpr UINT WindowsFolderBufferBytes = 302;
constexpr UINT WindowsFolderLengthArgument = 300;

// The first match of `path` when it is a file; a folder of that name is
// none.
std::optional<WIN32_FIND_DATAA> FindFile(const std::string& path)
{
    WIN32_FIND_DATAA data {};
    const FindHandle found(FindFirstFileA(path.c_str(), &data));
    if (!found || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return std::nullopt;
    return data;
}

} // namespace

std::optional<std::string> WindowsFolder()
{
    // Asked for without the failure path every other allocation takes: the
    // setup window reports this one itself and closes.
    const std::unique_ptr<char[]> buffer(new (std::nothrow) char[WindowsFolderBufferBytes]);
    if (!buffer)
        return std::nullopt;
    const UINT length = GetWindowsDirectoryA(buffer.get(), WindowsFolderLengthArgument);
    return YenAdd(std::string_view(buffer.get(), length < WindowsFolderLengthArgument ? length : 0));
}

std::string UserTemporaryFolder()
{
    char buffer[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(sizeof buffer, buffer);
    if (length == 0 || length >= sizeof buffer)
        return {};
    return YenAdd(std::string_view(buffer, length));
}

std::optional<std::string> FullPathName(const std::string& path)
{
    std::string buffer(MAX_PATH, '\0');
    for (;;) {
        const DWORD length
            = GetFullPathNameA(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
        if (length == 0)
            return std::nullopt;
        // Too small a buffer gives the size it needs, the zero included.
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(length);
    }
}

bool ChangeFolder(const std::string& folder)
{
    return SetCurrentDirectoryA(folder.c_str()) != FALSE;
}

bool CreateFolder(const std::string& folder)
{
    return CreateDirectoryA(folder.c_str(), nullptr) != FALSE;
}

bool RemoveFolder(const std::string& folder)
{
    return RemoveDirectoryA(folder.c_str()) != FALSE;
}

bool FileExists(const std::string& path)
{
    return FindFile(path).has_value();
}

bool DeleteFileAt(const std::string& path)
{
    // An uninstaller removes its files even where they were marked
    // read-only; DeleteFileA refuses those.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
        SetFileAttributesA(path.c_str(), attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    return DeleteFileA(path.c_str()) != FALSE;
}

std::int32_t FileDosStamp(const std::string& path)
{
    const std::optional<WIN32_FIND_DATAA> file = FindFile(path);
    FILETIME local {};
    WORD date = 0;
    WORD time = 0;
    if (!file || !FileTimeToLocalFileTime(&file->ftLastWriteTime, &local)
        || !FileTimeToDosDateTime(&local, &date, &time))
        return 0;
    return PackedDosStamp(date, time);
}
