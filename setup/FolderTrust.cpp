#include "setup/FolderTrust.h"

#include <algorithm>
#include <array>

namespace {

// The documented values of the ACE types, flags and access rights used here.
constexpr std::uint8_t AccessAllowed = 0;
constexpr std::uint8_t AccessAllowedCallback = 9;
constexpr std::uint8_t InheritOnly = 0x8;
constexpr std::uint32_t AddFile = 0x2;
constexpr std::uint32_t AddSubfolder = 0x4;
constexpr std::uint32_t DeleteChild = 0x40;
constexpr std::uint32_t Delete = 0x10000;
constexpr std::uint32_t WriteList = 0x40000;
constexpr std::uint32_t WriteOwner = 0x80000;
constexpr std::uint32_t GenericAll = 0x10000000;
constexpr std::uint32_t GenericWrite = 0x40000000;
constexpr std::uint32_t ChangeRights
    = AddFile | AddSubfolder | Delete | WriteList | WriteOwner | GenericAll | GenericWrite;

constexpr char SystemSid[] = "S-1-5-18";
constexpr char AdministratorsSid[] = "S-1-5-32-544";
// Whoever owns the object: trusted as far as the owner is.
constexpr char OwnerRightsSid[] = "S-1-3-4";
constexpr std::array<std::string_view, 4> TrustedSids { SystemSid, AdministratorsSid, OwnerRightsSid,
    "S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464" };

bool Trusted(std::string_view sid, std::string_view userSid)
{
    return sid == userSid || std::ranges::find(TrustedSids, sid) != TrustedSids.end();
}

} // namespace

bool EntryGrants(std::uint8_t type)
{
    return type == AccessAllowed || type == AccessAllowedCallback;
}

void AddEntry(FolderRights& rights, const AccessEntry& entry, std::string_view userSid)
{
    // An inherit-only entry is passed on without applying to the object.
    if (EntryGrants(entry.type) && (entry.flags & InheritOnly) == 0 && !Trusted(entry.sid, userSid))
        rights.othersRights |= entry.mask;
}

Owner OwnerOf(std::string_view sid, std::string_view userSid)
{
    if (sid == userSid)
        return Owner::User;
    if (sid == AdministratorsSid)
        return Owner::Administrators;
    return Trusted(sid, userSid) ? Owner::System : Owner::Other;
}

bool OwnedByInstallingUser(const FolderRights& rights, const InstallingUser& user)
{
    return rights.readable
        && (rights.owner == Owner::User || (user.elevated && rights.owner == Owner::Administrators));
}

bool ChangeableByOthers(const FolderRights& level, const FolderRights& parent)
{
    return !level.readable || level.owner == Owner::Other || (level.othersRights & ChangeRights) != 0
        || (parent.othersRights & (DeleteChild | GenericAll)) != 0;
}
