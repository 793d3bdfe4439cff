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

// The windows a user can switch to, in the system's order, topmost first:
// each one's program file name and title at the same place of both lists.
struct WindowList {
    std::vector<std::string> files;
    std::vector<std::string> titles;
};

// The programs of the submenu: the watched names first, then the other programs whose file names the list
// could hold, each part sorted by `compare`, each name once, at most 20 in all. An entry is ticked when it
// stands before the watched list's size.
WatchList WatchMenuNames(const WatchList& watched, const WindowList& windows, std::string_view ownName,
    const NameComparison& compare);

// An entry's caption: the file name, a full-width blank and the title of
// the program's topmost window, cut to 24 characters; a watched program without a window shows its name
// alone. Every "&" is doubled, so that none makes a shortcut key.
std::string WatchMenuCaption(const std::string& name, const WindowList& windows);
