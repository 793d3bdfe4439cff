#pragma once

// Finding windows and reading their controls from outside, as any process
// would: by class, by process, by text.  The Windows-side tests and the
// end-to-end scenarios share these probes.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Calls `done` every few milliseconds until it returns true or `milliseconds`
// have passed; true when it did.  `done` is always called at least once and
// once more after the time-out, so a condition met at the last moment counts.
bool WaitUntil(const std::function<bool()>& done, DWORD milliseconds);

// Every top-level window of the class (hidden ones included), in the order
// the system lists them (z-order, topmost first); `processId` 0 takes every
// process.
std::vector<HWND> TopLevelWindows(const std::string& className, DWORD processId = 0);
int CountTopLevelWindows(const std::string& className, DWORD processId = 0);
// The first top-level window of the class, or nullptr.
HWND FindTopLevelWindow(const std::string& className, DWORD processId = 0);
// The first top-level window of the class, or nullptr after the time-out.
HWND WaitForWindow(const std::string& className, DWORD milliseconds, DWORD processId = 0);
// True when no top-level window of the class is left within the time-out.
bool WaitUntilGone(const std::string& className, DWORD milliseconds, DWORD processId = 0);
// True when the window is destroyed within the time-out.
bool WaitUntilGone(HWND window, DWORD milliseconds);

std::string WindowText(HWND window); // by WM_GETTEXT, as any process would read it
std::string ClassOf(HWND window);
// "Static", in whatever letter case the system reports it.
bool IsStaticClass(const std::string& className);
RECT RectInParent(HWND child, HWND parent);
// The texts of a window's children of the class "Static", joined by line
// feeds: what a message box says.
std::string StaticTexts(HWND window);

// One child control as read from outside.
struct WindowControl {
    HWND handle = nullptr;
    std::string className;
    std::string text;
    RECT rect {}; // in the parent's client coordinates
    LONG style = 0;
    int id = 0;
    bool visible = false;
    int lines = 0; // a text field's line count

    int Left() const { return rect.left; }
    int Top() const { return rect.top; }
    int Width() const { return rect.right - rect.left; }
    int Height() const { return rect.bottom - rect.top; }
};

// Every descendant control of `parent`, in the order the system lists them
// (the creation order for direct children).
std::vector<WindowControl> ReadControls(HWND parent);

// Presses a button as a mouse click on it would.
void Click(HWND button);
// The window that has the keyboard focus in `thread`.
HWND FocusOf(DWORD thread);
// A key pressed while the focus is where it is in `thread`.
void PressKey(DWORD thread, WORD key);
void SendCloseCommand(HWND window); // the system menu's Close

// Saves the window's rectangle as the screen shows it to
// <DRIM_ARTIFACTS>/<name>.bmp; returns the Windows path written, or empty
// when DRIM_ARTIFACTS is not set or saving failed.
std::string SaveScreenshot(HWND window, const std::string& name);
// The same for an area of the screen.
std::string SaveScreenshot(const RECT& area, const std::string& name);
