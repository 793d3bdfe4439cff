#pragma once

// The levels of an install folder, as the installer creates them and the
// uninstall copy removes them.  Paths are code page 932 byte strings.

#include "base/Callback.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The paths of the folder's levels from the root down: for C:\A\B\ they are
// C:\, C:\A and C:\A\B.  The first keeps its backslash, the others do not.
// A backslash that is the second byte of a double-byte character never
// splits, and text after the last backslash is not a level.
std::vector<std::string> InstallFolderLevels(std::string_view folderWithBackslash);

// Removes the levels from the deepest up and stops at the first that
// `removeFolder` cannot remove (not empty, in use, a drive root); the number
// removed.
std::size_t RemoveFolderLevels(
    const std::vector<std::string>& levels, const Callback<bool(const std::string&)>& removeFolder);

// Whether every path the installer makes from the folder (with its trailing
// backslash) fits the system's path buffers: each level as a folder to
// create, and the folder with each program file name joined to it.
bool FolderFitsPathBuffers(std::string_view folderWithBackslash, std::string_view longestFileName);
