#pragma once

// The programs whose running keeps the PC awake whatever the mode: the list
// as the setting "WATCH" stores it, and the questions the tray asks of it.
// Program file names compare without regard to ASCII letter case, with
// double-byte characters compared whole, so "NOTEPAD.EXE" and "notepad.exe"
// are one program.

#include "base/SettingValue.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::size_t WatchListLimit = 20;
inline constexpr std::size_t WatchNameLimit = 64; // bytes
inline constexpr char WatchSeparator = '|';

using WatchList = std::vector<std::string>;

// A file name the list can hold: 1 to 64 bytes, and no "\", "/" or ":",
// which would make it a path rather than a program's file name.
bool UsableWatchName(std::string_view name);
bool SameProgramName(std::string_view a, std::string_view b);
// Where `name` stands in the list; the list's size when it is not listed.
std::size_t WatchListIndex(const WatchList& list, std::string_view name);
bool WatchListHas(const WatchList& list, std::string_view name);

// "WATCH" as read: the names between the separators, in their stored
// order, without the unusable ones and those already listed, at most 20.
// A missing value or one of another type is an empty list.
WatchList ParseWatchList(const SettingValue& value);
std::string WatchListText(const WatchList& list);

// Removes a listed name, or adds it at the end while the list has room.
void ToggleWatched(WatchList& list, std::string_view name);
