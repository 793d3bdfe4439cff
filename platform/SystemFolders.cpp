#include "platform/SystemFolders.h"

#include "text/YeNADDCUT.h"

#include <windows.h>

#include <memory>
#include <new>

namespace {

// One buffer of MAX_PATH bytes, the zero included: the system starts from
// its Windows folder through the same ANSI calls, whose paths end there.
// The call returns the length it would need when the folder does not fit,
// and such a folder is taken as none.
constexpr UINT WindowsFolderBufferBytes = MAX_PATH;

constexpr char NoBufferText[] = "メモリーが確保できません";

} // namespace

Result<std::string> WindowsFolder()
{
    // Asked for without the failure path every other allocation takes: the
    // setup window reports this one itself and closes.
    const std::unique_ptr<char[]> buffer(new (std::nothrow) char[WindowsFolderBufferBytes]);
    if (!buffer)
        return Failure { NoBufferText };
    const UINT length = GetWindowsDirectoryA(buffer.get(), WindowsFolderBufferBytes);
    return YenAdd(std::string_view(buffer.get(), length < WindowsFolderBufferBytes ? length : 0));
}

std::string UserTemporaryFolder()
{
    char buffer[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(sizeof buffer, buffer);
    if (length == 0 || length >= sizeof buffer)
        return {};
    return YenAdd(std::string_view(buffer, length));
}
