#include "setup/FolderTrust.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Entries = std::vector<AccessEntry>;

const std::string User = "S-1-5-21-7-1001";
constexpr std::uint32_t Full = 0x1f01ff;
constexpr std::uint32_t Modify = 0x1301bf;
constexpr std::uint32_t ReadExecute = 0x1200a9;
// Object and container inherit, inherit only, inherited.
constexpr std::uint8_t OICI = 0x3;
constexpr std::uint8_t IO = 0x8;
constexpr std::uint8_t ID = 0x10;

// The owner and list as the installer reads them, entry by entry.
FolderRights Read(const std::string& owner, const Entries& entries)
{
    FolderRights rights { true, OwnerOf(owner, User), 0, "" };
    for (const AccessEntry& entry : entries)
        AddEntry(rights, entry, User);
    return rights;
}

// A drive root as Windows 10 makes it: Authenticated Users may add folders
// to it, and Modify is passed on to what is made in it.
const Entries RootEntries { { 0, OICI, Full, "S-1-5-32-544" }, { 0, OICI, Full, "S-1-5-18" },
    { 0, OICI, ReadExecute, "S-1-5-32-545" }, { 0, OICI | IO, Modify, "S-1-5-11" },
    { 0, 0, 0x4, "S-1-5-11" } };
const Entries OwnerOnly { { 0, OICI, Full, "S-1-5-18" }, { 0, OICI, Full, "S-1-5-32-544" },
    { 0, OICI, Full, User } };

Entries With(Entries entries, const AccessEntry& more)
{
    entries.push_back(more);
    return entries;
}

struct TrustCase {
    const char* name;
    FolderRights level;
    Entries parent;
    bool changeable;
};

TEST(ChangeableByOthers, AnyoneButTheSystemTheAdministratorsAndTheUserCounts)
{
    const std::string another = "S-1-5-21-7-1002";
    const std::string installer = "S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";
    const TrustCase cases[] {
        { "a new folder inheriting the drive root's defaults",
            Read(User,
                { { 0, OICI | ID, Full, "S-1-5-32-544" }, { 0, OICI | ID, Full, "S-1-5-18" },
                    { 0, OICI | ID, ReadExecute, "S-1-5-32-545" }, { 0, OICI | ID, Modify, "S-1-5-11" } }),
            RootEntries, true },
        { "an owner-only list", Read(User, OwnerOnly), RootEntries, false },
        { "another user as owner", Read(another, OwnerOnly), RootEntries, true },
        { "the installer of the system's files as owner", Read(installer, OwnerOnly), RootEntries, false },
        { "Everyone: delete, alone", Read(User, { { 0, 0, 0x10000, "S-1-1-0" } }), RootEntries, true },
        { "a parent that lets Users delete what it holds", Read(User, OwnerOnly),
            With(OwnerOnly, { 0, 0, 0x40, "S-1-5-32-545" }), true },
        { "an inherit-only entry does not apply to the folder itself",
            Read(User, With(OwnerOnly, { 0, OICI | IO, Full, "S-1-1-0" })), RootEntries, false },
        { "an unreadable list", {}, RootEntries, true },
        { "the program's own level above its folder",
            Read(User,
                { { 0, OICI, Full, "S-1-5-18" }, { 0, 0, 0x1300ad, User },
                    { 0, 0, ReadExecute, "S-1-3-4" } }),
            RootEntries, false },
    };
    for (const TrustCase& row : cases)
        EXPECT_EQ(ChangeableByOthers(row.level, Read("S-1-5-32-544", row.parent)), row.changeable)
            << row.name;
}

} // namespace
