#pragma once

// Who may change a folder of the install chain, decided over its owner and
// list as the system returns them.  SIDs are in their string form
// ("S-1-5-18").

#include <cstdint>
#include <string>
#include <string_view>

// One entry of a list: the ACE's type, its flags (object inherit 0x1,
// container inherit 0x2, inherit only 0x8, inherited 0x10), its access mask
// and, for an entry that grants, its SID.
struct AccessEntry {
    std::uint8_t type = 0;
    std::uint8_t flags = 0;
    std::uint32_t mask = 0;
    std::string_view sid;
};

// Who owns a folder or a file: the user, the Administrators, the system or
// the installer of the system's files, or anyone else.
enum class Owner : std::uint8_t { User, Administrators, System, Other };

// A folder's or a file's owner, and the rights its list gives on the object
// itself to anyone but the system, the Administrators, the installer of the
// system's files and the user.  Not readable when either could not be read,
// or when the object has no list at all, which lets everyone do everything.
// `list` is the list as read, in the system's string form, protected from
// the lists above or not.
struct FolderRights {
    bool readable = false;
    Owner owner = Owner::Other;
    std::uint32_t othersRights = 0;
    std::string list;
};

// The user the installation runs as; elevated when the token counts as a
// member of Administrators.
struct InstallingUser {
    std::string sid;
    bool elevated = false;
};

// Whether an entry of this type grants access, with its SID after the mask.
bool EntryGrants(std::uint8_t type);
// Adds what the entry, read from the list in order, gives to others.
void AddEntry(FolderRights& rights, const AccessEntry& entry, std::string_view userSid);

// Whose the SID is, the user's being `userSid`.
Owner OwnerOf(std::string_view sid, std::string_view userSid);

// Owned by the user, or by the Administrators when the installation runs
// elevated.
bool OwnedByInstallingUser(const FolderRights& rights, const InstallingUser& user);
// Whether anyone but the system, the Administrators, the installer of the
// system's files and the user may write into the level, delete it, or change
// its list or owner, through its own list or through its parent's right to
// delete what the parent holds; also when another owns the level or its
// list cannot be read.
bool ChangeableByOthers(const FolderRights& level, const FolderRights& parent);
