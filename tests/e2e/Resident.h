#pragma once

// Starting the program's windows and ending them the way a user or Windows
// would, from outside the program.

#include "Program.h"

#include <windows.h>

// Bounds for a start and an end under Wine, which can be slow to start a
// process on a busy machine.
inline constexpr DWORD WindowAppearsMilliseconds = 30000;
inline constexpr DWORD ProcessEndsMilliseconds = 30000;

// The program's first top-level window of the class once the program has
// handled its start-up messages (it waits for input), or nullptr when none
// appeared in time.  Whether the window is shown is decided by then.
HWND WaitForStartedWindow(const char* className, const RunningProgram& program);

// The program's tray window once its start-up has settled, or nullptr when
// none appeared in time.
HWND WaitForSettledTray(const RunningProgram& program);

// Asks a window of the program to close, as its close button does, and
// waits for the process to end; true when it ended in time.
bool CloseAndWaitForExit(HWND window, RunningProgram& program);
