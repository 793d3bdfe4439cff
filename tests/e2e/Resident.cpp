#include "Resident.h"

#include "Observe.h"
#include "TrayDriving.h"

#include <optional>

namespace {

// The tray window's first timer (300 ms after its creation) normalises the
// mode and arms the first refresh of the icon 300 ms later, which replaces
// the window's caption in the tip with "DRIM32 - SS_OFF" or "DRIM32 - SS_ON".
constexpr char SettledTipHead[] = "DRIM32 - SS_";
constexpr DWORD TraySettlesMilliseconds = 30000;
constexpr DWORD TipAppearsMilliseconds = 2000;
constexpr char TooltipClass[] = "tooltips_class32";

// The tip of the icon under the pointer, from the shell's tooltip for it:
// a tooltip answers WM_GETTEXT with the tip it shows, and refreshes that
// while it is up when the program changes the tip.
bool SettledTipShown()
{
    for (HWND tooltip : TopLevelWindows(TooltipClass))
        if (IsWindowVisible(tooltip) && WindowText(tooltip).starts_with(SettledTipHead))
            return true;
    return false;
}

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
    const std::optional<POINT> icon = TrayIconPoint();
    if (tray == nullptr || !icon)
        return nullptr;
    // A tip still up from an earlier copy's icon would answer for this one:
    // it goes first, with the pointer away.  A tooltip comes up once the
    // pointer has rested on its icon and goes again after a while: the
    // pointer comes onto the icon afresh until the tip is seen.
    MovePointer(AwayFromMenusPoint);
    if (!WaitUntil([] { return !SettledTipShown(); }, TraySettlesMilliseconds))
        return nullptr;
    const bool settled = WaitUntil(
        [&] {
            MovePointer(AwayFromMenusPoint);
            return MovePointer(*icon) && WaitUntil(SettledTipShown, TipAppearsMilliseconds);
        },
        TraySettlesMilliseconds);
    MovePointer(AwayFromMenusPoint);
    return settled ? tray : nullptr;
}

bool CloseAndWaitForExit(HWND window, RunningProgram& program)
{
    PostMessageA(window, WM_CLOSE, 0, 0);
    return program.WaitForExit(ProcessEndsMilliseconds);
}
