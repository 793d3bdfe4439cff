#include "Observe.h"

#include <stdexcept>

void TouchInput()
{
    INPUT nudge {};
    nudge.type = INPUT_MOUSE;
    nudge.mi.dwFlags = MOUSEEVENTF_MOVE;
    SendInput(1, &nudge, sizeof nudge);
}

DWORD IdleMilliseconds()
{
    LASTINPUTINFO last {};
    last.cbSize = sizeof last;
    // No zero here: an idle time stuck at 0 would pass the keep-awake checks.
    if (!GetLastInputInfo(&last))
        throw std::runtime_error("GetLastInputInfo failed");
    // Both are tick counts that wrap together; unsigned subtraction gives
    // the right distance across the wrap.
    return GetTickCount() - last.dwTime;
}
