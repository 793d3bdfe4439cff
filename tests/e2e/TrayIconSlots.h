#pragma once

// Which icons the shell's tray holds, seen from outside the program: a
// right press on an icon's square opens its program's menu, a press on an
// empty square opens nothing.  Wine's taskbar puts the icons side by side
// from its right end in the order they were added, so the program's icon
// takes the first square while it is the only one, and a second icon of it
// would take the second.  Header only, like the driving helpers it builds on.

#include "TrayDriving.h"

#include <windows.h>

#include <optional>

inline std::optional<POINT> TrayIconSlotPoint(int slot)
{
    const std::optional<POINT> first = TrayIconPoint();
    if (!first)
        return std::nullopt;
    const int cell = GetSystemMetrics(SM_CXSMICON) + 2 * TrayIconBorder;
    return POINT { first->x - slot * cell, first->y };
}

// One square of the tray, pressed with the right button.
class TrayIconSlot {
public:
    explicit TrayIconSlot(POINT point)
        : presses_(point)
    {
    }

    // True when a menu of the process came up within `milliseconds` and
    // went again on `key`: Escape leaves it unused, an access key chooses
    // its item.
    bool RightPressOpensMenu(
        DWORD processId, DWORD milliseconds = MenuAppearsMilliseconds, WORD key = VK_ESCAPE)
    {
        if (!presses_.Press(MouseButton::Right))
            return false;
        if (WaitForMenu(processId, milliseconds) == nullptr)
            return false;
        PressKey(key);
        return WaitUntilGone(MenuClass, MenuAppearsMilliseconds, processId);
    }

private:
    PointPresses presses_;
};
