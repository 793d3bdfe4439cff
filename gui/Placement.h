#pragma once

// The work area and the placement rule applied to the real screen.  One
// finder serves the whole process, so a taskbar found once is measured
// again directly at the next call.

#include "gui/Taskbar.h"

#include <windows.h>

TaskbarFinder& ProcessTaskbar();

// Moves `box` (its size already final) to its place: centred on `source`
// (0: the application's main window) and held inside the work area.
void PlaceDialog(HWND box, HWND source);
