#pragma once

// The folder that takes the uninstall copy when the Windows folder refuses
// it.  The copy is started from there, so only its owner may change it: in
// a temporary folder that other users may write, they would choose what the
// uninstaller starts.

#include <cstdint>
#include <string>
#include <string_view>

// The rights that change a folder or what it holds: add a file or folder,
// write an attribute, delete the folder or anything in it, change its list
// or owner; GENERIC_WRITE and GENERIC_ALL include them.
inline constexpr std::uint32_t FolderChangeRights = 0x00000002 | 0x00000004 | 0x00000010 | 0x00000040
    | 0x00000100 | 0x00010000 | 0x00040000 | 0x00080000 | 0x10000000 | 0x40000000;

// One entry of a folder's list.  `trusted`: SYSTEM, the Administrators or
// the user, whom no list keeps out of the user's own folders anyway.
struct FolderAccessEntry {
    bool allows = true; // false for a denying entry
    std::uint32_t rights = 0;
    bool trusted = false;
};

// True when the entry allows anyone else a right that changes the folder,
// whether for the folder itself or inherited by the files made in it.  A
// folder is the user's alone while its owner is trusted, it has a list (a
// null one allows everyone everything), and no entry of it does this.
bool LetsOthersChange(const FolderAccessEntry& entry);

// The list of a folder made for the copy, in the system's string form:
// protected from the lists above it, full control for SYSTEM, the
// Administrators and the user (`userSid`, the string form of the user's
// SID), inherited by everything below, and nothing for anyone else.
std::string OwnersOnlyFolderList(std::string_view userSid);

// The names tried in turn: "PALUN RUZI32", then "PALUN RUZI32.1" and on.
inline constexpr long CopyFolderAttempts = 100;

class CopyFolderSystem {
public:
    virtual ~CopyFolderSystem() = default;
    // Creates the folder with a protected list of full control for SYSTEM,
    // the Administrators and the user alone.
    virtual bool CreateOwnersOnly(const std::string& folder) = 0;
    // An existing folder, no link, that is the user's alone (above).
    virtual bool OwnersOnly(const std::string& folder) = 0;
};

// The first name in the temporary folder (with its backslash) that is
// created here or already is the user's alone, with its backslash; empty
// when the system names no temporary folder or every name is taken.
std::string ChooseCopyFolder(const std::string& temporaryFolder, CopyFolderSystem& system);
