#include "Resident.h"

#include "Observe.h"

namespace {

// The tray window starts its first timer (300 ms) when it is created, and
// that timer's handler arms the refresh of the tray icon 300 ms later.  No
// window or message tells an outsider that both have run, so the wait is a
// fixed one, with room for a slow machine: a close before then would save
// the mode before the start-up has normalised it.
constexpr DWORD TrayStartupSettleMilliseconds = 1500;

} // namespace

HWND WaitForStartedWindow(const char* className, const RunningProgram& program)
{
    HWND window = WaitForWindow(className, WindowAppearsMilliseconds, program.Id());
    if (window == nullptr || WaitForInputIdle(program.Handle(), WindowAppearsMilliseconds) != 0)
        return nullptr;
    return window;
}

HWND WaitForSettledTray(const RunningProgram& program)
{
    HWND tray = WaitForWindow(TrayClass, WindowAppearsMilliseconds, program.Id());
    if (tray != nullptr)
        Sleep(TrayStartupSettleMilliseconds);
    return tray;
}

bool CloseAndWaitForExit(HWND window, RunningProgram& program)
{
    PostMessageA(window, WM_CLOSE, 0, 0);
    return program.WaitForExit(ProcessEndsMilliseconds);
}
