#pragma once

// The text of a window: a form's caption or a control's contents.

#include <windows.h>

#include <string>

// The whole text, whatever its length.
std::string WindowTextOf(HWND window);
