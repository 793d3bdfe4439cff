#include "platform/SystemFolders.h"

#include "platform/FileSystem.h"
#include "text/YeNADDCUT.h"

#include <windows.h>

#include <memory>
#include <new>

namespace {

// The Windows folder's buffer and the length the call is told, which leaves
// room beyond the terminating zero.
constexpr UINT WindowsFolderBufferBytes = 302;
constexpr UINT WindowsFolderLengthArgument = 300;

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

std::string SystemProgramPath(const std::string& fileName)
{
    char buffer[MAX_PATH + 1] = {};
    const UINT length = GetSystemDirectoryA(buffer, sizeof buffer);
    std::string path = YenAdd(std::string_view(buffer, length < sizeof buffer ? length : 0));
    if (!path.empty() && FileExists(path + fileName))
        return path + fileName;
    const std::optional<std::string> windows = WindowsFolder();
    if (windows && !windows->empty() && FileExists(*windows + fileName))
        return *windows + fileName;
    return {};
}

std::string UserTemporaryFolder()
{
    char buffer[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(sizeof buffer, buffer);
    if (length == 0 || length >= sizeof buffer)
        return {};
    return YenAdd(std::string_view(buffer, length));
}
