#pragma once

#include <windows.h>

#include <string_view>

// The message by which a second start hands its arguments to the resident
// copy: wParam is a global atom holding argument 1 + "?" + argument 2.
constexpr UINT WM_FORWARD_COMMAND = WM_USER + 1;

// Sends the arguments to the resident tray window and returns once it has
// handled them (including any message box it shows meanwhile).
void ForwardToResidentCopy(HWND trayWindow, std::string_view argument1, std::string_view argument2);
