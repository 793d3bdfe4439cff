#include "tray/ProgramList.h"

#include "platform/Handle.h"
#include "platform/Module.h"
#include "platform/WindowText.h"

#include <windows.h>

#include <dwmapi.h>
#include <tlhelp32.h>

namespace {

constexpr char DwmLibraryName[] = "dwmapi.dll";

struct ProcessName {
    DWORD id;
    std::string file;
};

// Every process of the system, by the file name it was started from.  Calls
// `keep` to leave out those the caller has no use for.
template <typename Keep> std::vector<ProcessName> Processes(Keep keep)
{
    std::vector<ProcessName> processes;
    const UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot)
        return processes;
    PROCESSENTRY32 entry {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.Get(), &entry); more;
         more = Process32Next(snapshot.Get(), &entry))
        if (keep(entry))
            processes.push_back({ entry.th32ProcessID, entry.szExeFile });
    return processes;
}

bool InThisSession(DWORD process)
{
    DWORD own = 0;
    DWORD session = 0;
    return ProcessIdToSessionId(GetCurrentProcessId(), &own) && ProcessIdToSessionId(process, &session)
        && session == own;
}

using GetWindowAttribute = HRESULT(WINAPI*)(HWND, DWORD, PVOID, DWORD);

struct WindowSearch {
    std::vector<ProcessName> processes;
    GetWindowAttribute windowAttribute;
    std::vector<WindowedProgram> found;
};

// Windows 8 and later keep the windows of suspended store apps and of other
// virtual desktops visible but cloaked: no user sees or switches to them.
bool Cloaked(const WindowSearch& search, HWND window)
{
    DWORD cloaked = 0;
    return search.windowAttribute != nullptr
        && SUCCEEDED(search.windowAttribute(window, DWMWA_CLOAKED, &cloaked, sizeof cloaked)) && cloaked != 0;
}

BOOL CALLBACK AddWindow(HWND window, LPARAM searchPointer)
{
    WindowSearch& search = *reinterpret_cast<WindowSearch*>(searchPointer);
    if (!IsWindowVisible(window) || GetWindow(window, GW_OWNER) != nullptr
        || (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0 || GetWindowTextLengthA(window) == 0
        || Cloaked(search, window))
        return TRUE;
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    for (const ProcessName& process : search.processes)
        if (process.id == id) {
            std::string title = WindowTextOf(window);
            if (!title.empty())
                search.found.push_back({ process.file, std::move(title) });
            break;
        }
    return TRUE;
}

} // namespace

std::vector<WindowedProgram> WindowedPrograms()
{
    // By name: since the start every load by name looks in the system
    // folder only.  Vista's DWM has no cloaking and answers a failure.
    const UniqueModule dwm(LoadLibraryA(DwmLibraryName));
    const DWORD own = GetCurrentProcessId();
    WindowSearch search { Processes(
                              [own](const PROCESSENTRY32& entry) { return entry.th32ProcessID != own; }),
        ModuleFunction<GetWindowAttribute>(dwm.Get(), "DwmGetWindowAttribute"), {} };
    EnumWindows(AddWindow, reinterpret_cast<LPARAM>(&search));
    return std::move(search.found);
}

std::vector<std::string> RunningWatchedNames(const WatchList& list)
{
    // The session is asked only of the few processes on the list: the
    // snapshot holds every user's processes, and each question is a call
    // into the system.
    std::vector<std::string> names;
    for (ProcessName& process : Processes([&list](const PROCESSENTRY32& entry) {
             return WatchListHas(list, entry.szExeFile) && InThisSession(entry.th32ProcessID);
         }))
        names.push_back(std::move(process.file));
    return names;
}
