#pragma once

// Watching the program's windows and the session's idle time from outside
// its process.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

inline constexpr char TrayClass[] = "TSDRIM32PALUN";
inline constexpr char SetupClass[] = "TSDRIM32SETUPForm";
// The class the system gives every message box.
inline constexpr char DialogBoxClass[] = "#32770";

// How often the waits below look again.
inline constexpr DWORD PollMilliseconds = 50;

// Calls `done` every PollMilliseconds until it returns true or `milliseconds`
// have passed; true when it did.  `done` is always called at least once and
// once more after the time-out, so a condition met at the last moment counts.
bool WaitUntil(const std::function<bool()>& done, DWORD milliseconds);

// Every top-level window of the class (hidden ones included), in the order
// the system lists them; `processId` 0 takes every process.
std::vector<HWND> TopLevelWindows(const std::string& className, DWORD processId = 0);
int CountTopLevelWindows(const std::string& className, DWORD processId = 0);

// The first top-level window of the class, or nullptr.
HWND FindTopLevelWindow(const std::string& className, DWORD processId = 0);
// The first top-level window of the class, or nullptr after the time-out.
HWND WaitForWindow(const std::string& className, DWORD milliseconds, DWORD processId = 0);
// True when no top-level window of the class is left within the time-out.
bool WaitUntilGone(const std::string& className, DWORD milliseconds, DWORD processId = 0);

// The texts of a window's children of the class "Static", joined by line
// feeds: what a message box says.
std::string StaticTexts(HWND window);

// A mouse move of zero: input the system counts, which moves nothing.
void TouchInput();

// Milliseconds since the last input the system counted, from any process.
DWORD IdleMilliseconds();
