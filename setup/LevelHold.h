#pragma once

// The levels of a folder are opened from the drive root down and held, so
// that none of them can be renamed, removed or replaced by a link while the
// program works in the folder.  A link in the chain (a junction, a symbolic
// link, a mount point) would let whoever may change a parent send every
// call by path into a folder of their choice.  These are the decisions,
// without the system.

#include "base/Callback.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// FILE_ATTRIBUTE_DIRECTORY and FILE_ATTRIBUTE_REPARSE_POINT.
inline constexpr std::uint32_t LevelFolderAttribute = 0x10;
inline constexpr std::uint32_t LevelLinkAttribute = 0x400;

// What opening one level found: the attributes read through the handle
// opened (the system's FILE_ATTRIBUTE_* bits), or why it did not open.
struct LevelFound {
    bool opened = false;
    bool missing = false; // nothing of that name, yet or at all
    std::uint32_t attributes = 0;
};

enum class LevelOpening { Held, Missing, Refused };

// Only a folder that is no link of any kind is held.  A level that exists
// and cannot be opened is refused too: what it is cannot be told.
LevelOpening JudgeLevel(const LevelFound& found);

struct LevelWalk {
    std::size_t held = 0; // one past the last level held
    bool refused = false; // levels[held] was refused, not missing
};

// Opens levels[from], levels[from + 1], ... with `open` and stops at the
// first that is not held; a level below one not held is never opened.
LevelWalk WalkLevels(const std::vector<std::string>& levels, std::size_t from,
    const Callback<LevelOpening(const std::string&)>& open);
