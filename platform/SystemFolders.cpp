#include "platform/SystemFolders.h"

#include "platform/FileSystem.h"
#include "text/YeNADDCUT.h"

#include <windows.h>

#include <memory>
#include <new>

namespace {

// One buffer for every caller: 302 bytes, of which the call is told 300,
// more than MAX_PATH, past which the system itself could not run from the
// folder.  An answer that does not fit (the call then gives the length it
// would need) is taken as no folder.
constexpr UINT WindowsFolderBufferBytes = 302;
constexpr UINT WindowsFolderLengthArgument = 300;

constexpr char NoBufferText[] = "メモリーが確保できません";

} // namespace

Result<std::string> WindowsFolder()
{
    // Asked for without the failure path every other allocation takes: the
    // setup window reports this one itself and closes.
    const std::unique_ptr<char[]> buffer(new (std::nothrow) char[WindowsFolderBufferBytes]);
    if (!buffer)
        return Failure { NoBufferText };
    const UINT length = GetWindowsDirectoryA(buffer.get(), WindowsFolderLengthArgument);
    return YenAdd(std::string_view(buffer.get(), length < WindowsFolderLengthArgument ? length : 0));
}

std::string SystemFolder()
{
    char buffer[MAX_PATH + 1] = {};
    const UINT length = GetSystemDirectoryA(buffer, sizeof buffer);
    return YenAdd(std::string_view(buffer, length < sizeof buffer ? length : 0));
}

std::string SystemProgramPath(const std::string& fileName)
{
    const std::string system = SystemFolder();
    if (!system.empty() && FileExists(system + fileName))
        return system + fileName;
    const Result<std::string> windows = WindowsFolder();
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
