#include "platform/SystemFolders.h"

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

std::string UserTemporaryFolder()
{
    char buffer[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(sizeof buffer, buffer);
    if (length == 0 || length >= sizeof buffer)
        return {};
    return YenAdd(std::string_view(buffer, length));
}
