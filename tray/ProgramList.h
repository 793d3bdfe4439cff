#pragma once

// The programs of the user's session, as the watch asks for them: the
// windowed ones for its submenu, and the running ones for its check.

#include "tray/WatchList.h"
#include "tray/WatchMenu.h"

#include <vector>

// The top-level windows a user can switch to, topmost first, with their
// programs' file names; the tray program's own windows are left out.
std::vector<WindowedProgram> WindowedPrograms();

// The file names of `list` that a process of this session runs, each as
// the process reports it, once per process.
std::vector<std::string> RunningWatchedNames(const WatchList& list);
