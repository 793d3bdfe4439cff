#pragma once

// The levels of an install folder, as the installer creates them and the
// uninstall copy removes them.  Paths are code page 932 byte strings.

#include "base/Callback.h"
#include "base/Result.h"
#include "setup/FolderTrust.h"

#include <cstddef>
#include <span>
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

// The list of a level the installer makes or takes back.  A standard
// user's program folder gets the owner's list; the levels above it let the
// user read them, make folders in them and delete them, none of it
// inherited, and keep their owner from changing their list (OWNER RIGHTS).
// An elevated installation names no user: the Administrators have full
// control.
std::string LevelList(const InstallingUser& user, bool installFolder);

// What the installation knows of its folder.
struct FolderPlan {
    bool earlierInstallation = false; // the folder an installation recorded
    bool inPlace = false; // run from it, so that nothing is copied
};

// The system's side of making the install folder's levels.
class FolderLevelSystem {
public:
    virtual ~FolderLevelSystem() = default;
    // Makes the level the current folder: true when it exists.
    virtual bool Exists(const std::string& level) = 0;
    // Whether the level holds nothing but `names`, in any case; false when
    // it cannot be listed.
    virtual bool HoldsOnly(const std::string& level, std::span<const std::string> names) = 0;
    // The owner and list of a level or a file.
    virtual FolderRights Rights(const std::string& path) = 0;
    // Creates the level with the list (in the system's string form) from
    // its first moment.
    virtual bool CreateWithList(const std::string& level, const std::string& list) = 0;
    // Gives the level the list, protected from the lists above or not as
    // the list says.
    virtual bool GiveList(const std::string& level, const std::string& list) = 0;
    virtual bool Remove(const std::string& level) = 0;

    InstallingUser user;
};

struct FolderQuestions {
    // Whether to go on with a level that others may change.
    Callback<bool(const std::string&)> changeableLevel;
    // Whether to create the missing levels.
    Callback<bool()> createLevels;
};

// Makes the missing levels, each with its own list, once
// `createLevels` agreed.  In an earlier installation's folder, the levels
// from the program's folder up that hold nothing but the next level (the
// program's folder: nothing but its files) and are the user's get their
// list too, up to the first that is not, and never the drive root.  Before
// anything changes, the first other existing level that others may change
// is put to `changeableLevel`.  False when a question was declined; a
// failure names the level, puts back the lists given and removes the
// levels made here.
Result<bool> MakeFolderLevels(const std::vector<std::string>& levels, FolderPlan plan,
    FolderLevelSystem& system, const FolderQuestions& ask);
