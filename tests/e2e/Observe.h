#pragma once

// Watching the program's windows and the session's idle time from outside
// its process.

#include "WindowProbe.h"

#include <windows.h>

inline constexpr char TrayClass[] = "TSDRIM32PALUN";
inline constexpr char SetupClass[] = "TSDRIM32SETUPForm";
// The class the system gives every message box.
inline constexpr char DialogBoxClass[] = "#32770";

// A mouse move of zero: input the system counts, which moves nothing.
void TouchInput();

// Milliseconds since the last input the system counted, from any process.
DWORD IdleMilliseconds();
