#include "tray/ProgramList.h"

#include "platform/Handle.h"
#include "platform/Module.h"
#include "platform/WindowText.h"
#include "text/PathParts.h"

#include <windows.h>

#include <dwmapi.h>
#include <tlhelp32.h>

namespace {

constexpr char DwmLibraryName[] = "dwmapi.dll";

bool InThisSession(DWORD process)
{
    DWORD own = 0;
    DWORD session = 0;
    return ProcessIdToSessionId(GetCurrentProcessId(), &own) && ProcessIdToSessionId(process, &session)
        && session == own;
}

using GetWindowAttribute = HRESULT(WINAPI*)(HWND, DWORD, PVOID, DWORD);

struct WindowSearch {
    GetWindowAttribute windowAttribute;
    WindowList& found;
};

// Windows 8 and later keep the windows of suspended store apps and of other
// virtual desktops visible but cloaked: no user sees or switches to them.
bool Cloaked(const WindowSearch& search, HWND window)
{
    DWORD cloaked = 0;
    return search.windowAttribute != nullptr
        && SUCCEEDED(search.windowAttribute(window, DWMWA_CLOAKED, &cloaked, sizeof cloaked)) && cloaked != 0;
}

// The file name of the program a window belongs to; empty when its process
// cannot be asked (it has ended, or it is protected).
std::string ProgramFileOf(HWND window)
{
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    const UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
    char path[MAX_PATH];
    DWORD size = MAX_PATH;
    if (!process || !QueryFullProcessImageNameA(process.Get(), 0, path, &size))
        return {};
    return FileNamePart(std::string_view(path, size));
}

BOOL CALLBACK AddWindow(HWND window, LPARAM searchPointer)
{
    WindowSearch& search = *reinterpret_cast<WindowSearch*>(searchPointer);
    if (IsWindowVisible(window) && GetWindow(window, GW_OWNER) == nullptr
        && (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) == 0 && GetWindowTextLengthA(window) != 0
        && !Cloaked(search, window)) {
        search.found.files.push_back(ProgramFileOf(window));
        search.found.titles.push_back(WindowTextOf(window));
    }
    return TRUE;
}

} // namespace

WindowList WindowedPrograms()
{
    // By name: since the start every load by name looks in the system
    // folder only.  Vista's DWM has no cloaking and answers a failure.
    const UniqueModule dwm(LoadLibraryA(DwmLibraryName));
    WindowList found;
    WindowSearch search { ModuleFunction<GetWindowAttribute>(dwm.Get(), "DwmGetWindowAttribute"), found };
    EnumWindows(AddWindow, reinterpret_cast<LPARAM>(&search));
    return found;
}

std::string_view RunningWatchedProgram(const WatchList& list)
{
    // The session is asked only of a process that would come before the one
    // found so far: the snapshot holds every user's processes, and each
    // question is a call into the system.
    std::size_t first = list.size();
    const UniqueHandle snapshot(list.empty() ? nullptr : CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 entry {};
    entry.dwSize = sizeof entry;
    for (BOOL more = snapshot && Process32First(snapshot.Get(), &entry); more;
         more = Process32Next(snapshot.Get(), &entry))
        if (const std::size_t at = WatchListIndex(list, entry.szExeFile);
            at < first && InThisSession(entry.th32ProcessID))
            first = at;
    return first < list.size() ? std::string_view(list[first]) : std::string_view();
}
