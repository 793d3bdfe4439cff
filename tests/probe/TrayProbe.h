#pragma once

// The tray program's menus and option boxes as a test meets them, whether
// the tray runs in a process of its own or in the test's: found by class,
// and read by message, since the text of an edit control is not the window
// text the system keeps for other threads.

#include "WindowProbe.h"

#include <windows.h>

#include <string>
#include <vector>

inline constexpr char MenuClass[] = "#32768";
inline constexpr char OptionBoxClass[] = "TMKBox";
// Far shorter than the box's own ten-second countdown.
inline constexpr DWORD BoxAnswersMilliseconds = 5000;

// The visible top-level windows of the class; `processId` 0 takes every
// process.
inline std::vector<HWND> VisibleWindows(const std::string& className, DWORD processId)
{
    std::vector<HWND> visible = TopLevelWindows(className, processId);
    std::erase_if(visible, [](HWND window) { return !IsWindowVisible(window); });
    return visible;
}

inline HWND WaitForVisibleWindow(const std::string& className, DWORD processId, DWORD milliseconds)
{
    HWND found = nullptr;
    WaitUntil(
        [&] {
            const std::vector<HWND> windows = VisibleWindows(className, processId);
            found = windows.empty() ? nullptr : windows.front();
            return found != nullptr;
        },
        milliseconds);
    return found;
}

// The message of an option box as its text field holds it, each line feed
// preceded by a carriage return.
inline std::string BoxMessage(HWND box)
{
    HWND memo = FindWindowExA(box, nullptr, "Edit", nullptr);
    if (memo == nullptr)
        return "<no text field>";
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(memo, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, BoxAnswersMilliseconds, &length))
        return "<no answer>";
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(memo, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL,
        BoxAnswersMilliseconds, &copied);
    text.resize(copied);
    return text;
}
