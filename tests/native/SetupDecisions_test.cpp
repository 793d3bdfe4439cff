#include "setup/GroupList.h"
#include "setup/InstallRecord.h"
#include "setup/SetupValues.h"
#include "text/M_Case.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

TEST(SetupValues, TitlesCarryTheVersionInTheirOwnForms)
{
    EXPECT_EQ(WindowTitleBase(), "ｽｸﾘｰﾝ･ｾｰﾊﾞｰ&省電力OFF V1．4");
    EXPECT_EQ(DisplayTitle(), "PALUN ｽｸﾘｰﾝｾｰﾊﾞｰ 省電力OFF V1.4");
    EXPECT_EQ(WindowTitleBase().substr(WindowTitleBase().size() - 3),
        "\x81\x44"
        "4");
}

TEST(SetupValues, DefaultFolderIsTheRecordedOneOrOneOnTheWindowsDrive)
{
    EXPECT_EQ(DefaultFolder("D:\\WINDOWS\\", ""), "D:\\PALUNP32\\DRIM32");
    EXPECT_EQ(DefaultFolder("D:\\WINDOWS\\", "E:\\Tools\\表"), "E:\\Tools\\表");
    EXPECT_EQ(ShortcutPath("C:\\Desk"), "C:\\Desk\\ｽｸﾘｰﾝｾｰﾊﾞｰ 省電力OFF.lnk");
    EXPECT_EQ(ShortcutPath("C:\\表"), "C:\\表\\ｽｸﾘｰﾝｾｰﾊﾞｰ 省電力OFF.lnk");
    EXPECT_EQ(ShortcutPath(""), "");
}

// The four installed files lose their mark; DRIM32.GID, never installed,
// and any other file of the folder are not touched.
TEST(SetupValues, MarkOfTheWebStreamsAreThoseOfTheFourInstalledFiles)
{
    const auto streams = MarkOfTheWebStreams("C:\\ツール表\\");
    EXPECT_EQ(Names(streams.begin(), streams.end()),
        (Names { "C:\\ツール表\\DRIM32.EXE:Zone.Identifier", "C:\\ツール表\\DRIM32.TXT:Zone.Identifier",
            "C:\\ツール表\\DRIM32.HLP:Zone.Identifier", "C:\\ツール表\\DRIM32.CHM:Zone.Identifier" }));
}

// The list's comparison ignores ASCII letter case, as the system's does.
int IgnoringCase(std::string_view a, std::string_view b)
{
    return CaseLower(a).compare(CaseLower(b));
}

TEST(GroupList, PutsTheProgramsGroupsLastAndProposesTheRememberedOne)
{
    GroupList fresh = ArrangeGroupList({ "Startup", "Accessories" }, "", IgnoringCase);
    EXPECT_EQ(fresh.entries, (Names { "Accessories", "Startup", "PALUN RUZI32" }));
    EXPECT_EQ(fresh.selected, 2u);

    // Listed in other letter cases, both are respelled and moved down.
    GroupList listed = ArrangeGroupList({ "palun ruzi32", "Zeta", "palun soft", "Games" }, "", IgnoringCase);
    EXPECT_EQ(listed.entries, (Names { "Games", "Zeta", "PALUN SOFT", "PALUN RUZI32" }));
    EXPECT_EQ(listed.selected, 3u);

    GroupList remembered = ArrangeGroupList({ "Games", "Tools" }, "TOOLS", IgnoringCase);
    EXPECT_EQ(remembered.selected, 1u);
    GroupList gone = ArrangeGroupList({ "Games" }, "Tools", IgnoringCase);
    EXPECT_EQ(gone.selected, 1u);
    EXPECT_EQ(gone.entries.back(), "PALUN RUZI32");
}

TEST(GroupList, AnEmptyReplyOrAnEmptyNameStillProposesTheProgramsGroup)
{
    GroupList none = ArrangeGroupList({}, "Tools", IgnoringCase);
    EXPECT_EQ(none.entries, (Names { "PALUN RUZI32" }));
    EXPECT_EQ(none.selected, 0u);
    // Nothing remembered does not select the empty name of a reply.
    GroupList empty = ArrangeGroupList({ "", "A" }, "", IgnoringCase);
    EXPECT_EQ(empty.entries[empty.selected], "PALUN RUZI32");
}

TEST(InstallRegistryWrites, WritesTheSettingsAndAFullUninstallEntryInTheirOrderAndStages)
{
    const std::string settings = "Software\\PALUN RUZI32\\DRIM32";
    const std::string entry = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\DRIM32";
    using enum RecordStage;
    using enum RegistryRoot;
    const std::vector<RegistryWrite> expected {
        { FolderAndGroup, CurrentUser, settings, "EXEPATH", "C:\\Program Files\\表" },
        { FolderAndGroup, CurrentUser, settings, "Group", "Tools, (mine)" },
        { UninstallEntry, LocalMachine, entry, "DisplayName", "PALUN ｽｸﾘｰﾝｾｰﾊﾞｰ 省電力OFF V1.4" },
        // Quoted: unquoted, the command would start C:\Program.exe first.
        { UninstallEntry, LocalMachine, entry, "UninstallString",
            "\"C:\\Program Files\\表\\DRIM32.EXE\" /uninstall" },
        { UninstallEntry, LocalMachine, entry, "DisplayIcon", "C:\\Program Files\\表\\DRIM32.EXE" },
        { UninstallEntry, LocalMachine, entry, "DisplayVersion", "1.4" },
        { UninstallEntry, LocalMachine, entry, "Publisher", "PALUN RUZI32" },
        { UninstallEntry, LocalMachine, entry, "InstallLocation", "C:\\Program Files\\表" },
        { UninstallEntry, LocalMachine, entry, "EstimatedSize", "", 2 },
        { UninstallEntry, LocalMachine, entry, "NoModify", "", 1 },
        { UninstallEntry, LocalMachine, entry, "NoRepair", "", 1 },
        { Version, CurrentUser, settings, "Version", "14" },
        { Version, CurrentUser, settings, "BackColor", "0" },
    };
    EXPECT_EQ(InstallRegistryWrites({ "C:\\Program Files\\表\\", "Tools, (mine)", false, 1025 }), expected);
    const std::vector<RegistryWrite> plain = InstallRegistryWrites({ "D:\\", "G", true, 1024 });
    EXPECT_EQ(plain[0].data, "D:\\");
    // Without a blank, as every earlier version wrote it.
    EXPECT_EQ(plain[3].data, "D:\\DRIM32.EXE /uninstall");
    EXPECT_EQ(plain[8].number, 1u);
    EXPECT_EQ(plain.back().data, "1");
}

} // namespace
