#pragma once

// The levels of an install folder, as the installer creates them and the
// uninstall copy removes them.  Paths are code page 932 byte strings.

#include "base/Callback.h"
#include "base/Result.h"

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

// The access list of a folder that only its owner may change, in the
// system's string form: protected from the lists above it, full control for
// SYSTEM, the Administrators and the user (`userSid`, the string form of the
// user's SID), read and execute for Users, inherited by everything below.
std::string OwnersFolderList(std::string_view userSid);

// The system's side of making the install folder's levels.
class FolderLevelSystem {
public:
    virtual ~FolderLevelSystem() = default;
    // Makes the level the current folder: true when it exists.
    virtual bool Exists(const std::string& level) = 0;
    // Creates the level with the owner's list from its first moment.
    virtual bool CreateWithList(const std::string& level) = 0;
    virtual bool OwnedByUser(const std::string& level) = 0;
    virtual bool GiveList(const std::string& level) = 0;
    virtual bool Remove(const std::string& level) = 0;
};

// Makes the missing levels, after `confirm` agreed once, each with the
// owner's list.  In an earlier installation's folder, the levels that the
// user owns, from the program's folder up to just below the drive root, get
// the list too; a level the user does not own ends that chain and keeps its
// rights.  False when `confirm` declined; a failure names the level, and the
// levels made here are removed again.
Result<bool> MakeFolderLevels(const std::vector<std::string>& levels, bool earlierInstallation,
    FolderLevelSystem& system, const Callback<bool()>& confirm);
