#pragma once

// The path arithmetic of the folder browser: a folder path cut into the
// entries of the folder list, the path an entry stands for, the per-drive
// memory of visited folders and the order of listed names.  All of it works
// on code page 932 bytes, where 0x5C may be the second byte of a character.

#include "text/SortNames.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The components of a folder path, split at its real separators.  The first
// component keeps its separator (the drive root, such as "c:\"); every later
// one is taken without it.  Text after the last separator, if any, is a
// component of its own.
std::vector<std::string> SplitFolderPath(std::string_view path);

// The longest text a folder-list entry shows.
inline constexpr std::size_t MaxEntryBytes = 200;

// `name` cut to at most MaxEntryBytes bytes, shortened by one byte more
// rather than leaving half of a double-byte character at the end.
std::string CutEntryText(std::string_view name);

// The folder an entry of the folder list opens: the path down to the entry
// (an ancestor or the current folder itself), or the current folder's path
// plus the subfolder's name, with a trailing separator.  `names` are the
// entries' full names, the drive root first; `currentIndex` is the current
// folder's own entry.  nullopt for an index outside the list.
std::optional<std::string> FolderEntryPath(
    const std::vector<std::string>& names, std::size_t currentIndex, std::size_t index);

// The drive a path belongs to: its first byte, 'a'-'z' taken as upper case;
// 0 for an empty path.
char DriveOf(std::string_view path);

// The last folder visited on each drive, at most one per drive, oldest
// first.
class RememberedFolders {
public:
    // Replaces the drive's earlier folder, if any, and puts `path` last.
    void Remember(const std::string& path);
    std::optional<std::string> Find(char driveLetter) const;
    const std::vector<std::string>& Folders() const { return folders_; }
    void Clear() { folders_.clear(); }

private:
    std::vector<std::string> folders_;
};

// Sorts the names by `compare` and drops every name equal to one before it,
// keeping the first of each group.
void SortUniqueNames(std::vector<std::string>& names, const NameComparison& compare);
