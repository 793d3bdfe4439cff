#pragma once

// The programs of the user's session, as the watch asks for them: the
// windowed ones for its submenu, and the running ones for its check.

#include "tray/WatchList.h"
#include "tray/WatchMenu.h"

#include <string>
#include <vector>

// The top-level windows a user can switch to, topmost first, with their
// programs' file names (empty for a process that has ended meanwhile).
WindowList WindowedPrograms();

// The first name of `list`, in its order, that a process of this session
// runs; empty when none does.  An empty list looks at no process.  It views
// the list's name.
std::string_view RunningWatchedProgram(const WatchList& list);
