#pragma once

// The entries of the watch submenu: the programs that have a window in the
// session, and the watched ones, whether they run or not.

#include "text/SortNames.h"
#include "tray/WatchList.h"

#include <cstddef>
#include <string>
#include <vector>

inline constexpr std::size_t WatchMenuLimit = 20;
inline constexpr std::size_t WatchTitleCharacters = 24;
// Never listed: the shell is always running, and the tray program itself.
inline constexpr std::string_view ShellProgramName = "explorer.exe";

// A window a user can switch to, and its program's file name.
struct WindowedProgram {
    std::string file;
    std::string title;
};

struct WatchMenuEntry {
    std::string name; // the program's file name, as the watch list keeps it
    std::string caption;
    bool checked;
};

// `windows` in the system's order, topmost first, so that a program's first
// window is the one it shows on top.  The watched names come first and are
// ticked, then the other programs, each block sorted by `compare`, each name
// once, at most 20 in all.  A caption is the file name, a full-width blank
// and the first window's title cut to 24 characters (a watched program
// without a window shows its name alone), every "&" doubled so that none
// makes a shortcut key.
std::vector<WatchMenuEntry> WatchMenuEntries(const WatchList& watched,
    const std::vector<WindowedProgram>& windows, std::string_view ownName, const NameComparison& compare);
