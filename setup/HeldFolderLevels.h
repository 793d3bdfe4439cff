#pragma once

// The levels of a folder held open on the system (see LevelHold.h).  Each
// handle shares no deletion, so while it is held the level can be neither
// renamed nor removed, and nothing can take its place.

#include "platform/Handle.h"

#include <optional>
#include <string>
#include <vector>

class HeldFolderLevels {
public:
    // Holds the levels after those already held (given the same levels,
    // from the root down) up to the first that does not exist yet.  The
    // level refused (a link, not a folder, or one that cannot be opened),
    // nothing further being held then.
    std::optional<std::string> Hold(const std::vector<std::string>& levels);
    // Removes an empty level, let go first when it is the deepest held;
    // false, with the system's error, when it stays.
    bool Remove(const std::string& level);
    void Release();

private:
    std::vector<std::string> levels_;
    std::vector<UniqueHandle> handles_;
};

// Deletes the file, read-only or not, through a handle of its own, which
// opens a link itself rather than what it names: a file that is a link (a
// reparse point) is left as it is.  With the folders above it held, nothing
// on the way leads elsewhere either.
enum class HandleDeletion { Deleted, Refused, Link };
HandleDeletion DeleteFileByHandle(const std::string& path);
