#include "tray/KeepAwakeTick.h"

#include <windows.h>

void KeepAwakeTick()
{
    // On a locked or secure desktop GetCursorPos fails and leaves the point
    // undefined; setting the cursor there would move it.
    POINT cursor {};
    if (GetCursorPos(&cursor))
        SetCursorPos(cursor.x, cursor.y);

    // Since Vista a cursor set to where it already is no longer resets the
    // idle time; a relative move of zero does, and moves nothing.
    INPUT nudge {};
    nudge.type = INPUT_MOUSE;
    nudge.mi.dwFlags = MOUSEEVENTF_MOVE;
    SendInput(1, &nudge, sizeof nudge);

    // Resets the display's and the system's power-saving timers once;
    // without ES_CONTINUOUS nothing is held until the next tick.
    SetThreadExecutionState(ES_DISPLAY_REQUIRED | ES_SYSTEM_REQUIRED);
}
