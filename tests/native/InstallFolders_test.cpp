#include "setup/InstallFolders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace {

using Paths = std::vector<std::string>;

TEST(InstallFolderLevels, ListsEveryLevelFromTheRootDown)
{
    EXPECT_EQ(InstallFolderLevels("C:\\PALUNP32\\DRIM32\\"),
        (Paths { "C:\\", "C:\\PALUNP32", "C:\\PALUNP32\\DRIM32" }));
    EXPECT_EQ(InstallFolderLevels("C:\\"), (Paths { "C:\\" }));
    // Text after the last backslash is not a level.
    EXPECT_EQ(InstallFolderLevels("C:\\A\\file.txt"), (Paths { "C:\\", "C:\\A" }));
    EXPECT_EQ(InstallFolderLevels("\\\\server\\share\\A\\"),
        (Paths { "\\", "\\\\", "\\\\server", "\\\\server\\share", "\\\\server\\share\\A" }));
    EXPECT_EQ(InstallFolderLevels(""), Paths {});
    EXPECT_EQ(InstallFolderLevels("no separator"), Paths {});
}

TEST(InstallFolderLevels, NeverSplitsAtTheSecondByteOfACharacter)
{
    // 表 and ソ end in 0x5C, the byte of a backslash.
    EXPECT_EQ(InstallFolderLevels("C:\\表\\ソフト\\"), (Paths { "C:\\", "C:\\表", "C:\\表\\ソフト" }));
    EXPECT_EQ(InstallFolderLevels("C:\\A表B\\"), (Paths { "C:\\", "C:\\A表B" }));
    // A lead byte at the very end has no second byte to take.
    EXPECT_EQ(InstallFolderLevels(std::string("C:\\A\\\x81", 6)), (Paths { "C:\\", "C:\\A" }));
}

TEST(RemoveFolderLevels, RemovesFromTheDeepestAndStopsAtTheFirstFailure)
{
    const Paths levels { "C:\\", "C:\\Tools", "C:\\Tools\\A" };
    Paths tried;
    auto removeAllButRoot = [&](const std::string& level) {
        tried.push_back(level);
        return level != "C:\\";
    };
    EXPECT_EQ(RemoveFolderLevels(levels, removeAllButRoot), 2u);
    EXPECT_EQ(tried, (Paths { "C:\\Tools\\A", "C:\\Tools", "C:\\" }));

    tried.clear();
    auto programFolderNotEmpty = [&](const std::string& level) {
        tried.push_back(level);
        return false;
    };
    EXPECT_EQ(RemoveFolderLevels(levels, programFolderNotEmpty), 0u);
    EXPECT_EQ(tried, (Paths { "C:\\Tools\\A" }));
}

TEST(FolderFitsPathBuffers, LeavesRoomForAShortNameAndForEveryProgramFile)
{
    const std::string name = "DRIM32.EXE";
    // 247 bytes of folder leave an 8.3 name and the terminating zero room.
    const std::string longest = "C:\\" + std::string(244, 'a') + "\\";
    EXPECT_TRUE(FolderFitsPathBuffers(longest, name));
    EXPECT_FALSE(FolderFitsPathBuffers("C:\\" + std::string(245, 'a') + "\\", name));
    EXPECT_FALSE(FolderFitsPathBuffers(longest, std::string(12, 'n') + ".EXE"));
    EXPECT_FALSE(FolderFitsPathBuffers(std::string(40000, 'a') + "\\", name));
}

TEST(OwnersFolderList, IsProtectedAndLetsOnlyTheSystemAdministratorsAndTheUserWrite)
{
    EXPECT_EQ(OwnersFolderList("S-1-5-21-7-1001"),
        "D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FA;;;S-1-5-21-7-1001)(A;OICI;0x1200a9;;;BU)");
}

const std::string User = "S-1-5-21-7-1001";

TEST(LevelList, TheUsersFullControlReachesIntoTheProgramsFolderOnly)
{
    const std::string administrators = "D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)";
    const std::string users = "(A;OICI;0x1200a9;;;BU)";
    const struct {
        bool elevated, installFolder;
        std::string list;
    } cases[] {
        { false, true, OwnersFolderList(User) },
        // Above it: read, make a folder and delete; the owner may not change the list.
        { false, false, administrators + "(A;;0x1300ad;;;" + User + ")" + users + "(A;;0x1200a9;;;OW)" },
        { true, true, administrators + users },
        { true, false, administrators + users },
    };
    for (const auto& row : cases)
        EXPECT_EQ(LevelList({ User, row.elevated }, row.installFolder), row.list)
            << row.elevated << row.installFolder;
}

// The levels C:\, C:\P and C:\P\D of an earlier installation, each the
// user's with an owner-only list, holding the next level; the program's
// folder holds its files.  The system's calls are recorded.
struct RecordingFolders : FolderLevelSystem {
    std::map<std::string, FolderRights> rights;
    std::map<std::string, Paths> contents { { "C:\\", { "P", "Windows" } }, { "C:\\P", { "D" } },
        { "C:\\P\\D", { "DRIM32.EXE", "DRIM32.GID" } } };
    std::map<std::string, std::string> lists;
    Paths calls;
    std::string refused;

    RecordingFolders()
    {
        user = { User, false };
        for (const char* level : { "C:\\", "C:\\P", "C:\\P\\D" })
            rights[level] = { true, Owner::User, 0, std::string("D:(as read) ") + level };
    }
    bool Exists(const std::string& level) override { return rights.contains(level); }
    bool HoldsOnly(const std::string& level, std::span<const std::string> names) override
    {
        return std::ranges::all_of(
            contents[level], [&](auto& name) { return std::ranges::count(names, name) > 0; });
    }
    FolderRights Rights(const std::string& path) override
    {
        const auto found = rights.find(path);
        return found == rights.end() ? FolderRights {} : found->second;
    }
    bool CreateWithList(const std::string& level, const std::string& list) override
    {
        lists[level] = list;
        return Call("create ", level);
    }
    bool GiveList(const std::string& level, const std::string& list) override
    {
        if (list == rights[level].list)
            return Call("back ", level);
        lists[level] = list;
        return Call("list ", level);
    }
    bool Remove(const std::string& level) override { return Call("remove ", level); }
    bool Call(const char* what, const std::string& level)
    {
        calls.push_back(what + level);
        return level != refused;
    }
};

const Paths Levels { "C:\\", "C:\\P", "C:\\P\\D" };

struct ChainCase {
    const char* name;
    FolderPlan plan;
    void (*arrange)(RecordingFolders&);
    bool goOn; // the answer to a level that others may change
    Paths calls;
    const char* outcome; // "yes", "no" or the failure's text
};

TEST(MakeFolderLevels, OnlyTheProgramsOwnLevelsGetAListAndOthersAreNamedFirst)
{
    const FolderPlan first { false, false };
    const FolderPlan earlier { true, false };
    const ChainCase cases[] {
        { "a first installation makes the missing levels", first,
            [](RecordingFolders& f) { f.rights.erase("C:\\P"), f.rights.erase("C:\\P\\D"); }, true,
            { "create? yes", "create C:\\P", "create C:\\P\\D" }, "yes" },
        { "declined, nothing is made", first, [](RecordingFolders& f) { f.rights.erase("C:\\P\\D"); }, true,
            { "create? no" }, "no" },
        { "a refused creation removes the levels made", first,
            [](RecordingFolders& f) {
                f.rights.erase("C:\\P"), f.rights.erase("C:\\P\\D"), f.refused = "C:\\P\\D";
            },
            true, { "create? yes", "create C:\\P", "create C:\\P\\D", "remove C:\\P" },
            "[ C:\\P\\D ]\nフォルダーの作成に失敗しました・・・" },
        { "own empty levels get their lists, never the drive root", earlier, [](RecordingFolders&) {}, true,
            { "list C:\\P", "list C:\\P\\D" }, "yes" },
        { "a parent that holds another file keeps its list", earlier,
            [](RecordingFolders& f) { f.contents["C:\\P"].push_back("notes.txt"); }, true,
            { "list C:\\P\\D" }, "yes" },
        { "a program folder that holds anything else ends the chain", earlier,
            [](RecordingFolders& f) { f.contents["C:\\P\\D"].push_back("x.dll"); }, true, {}, "yes" },
        { "another's level is named and keeps its list", earlier,
            [](RecordingFolders& f) { f.rights["C:\\P"].owner = Owner::Other; }, true,
            { "changeable? C:\\P", "list C:\\P\\D" }, "yes" },
        { "elevated, the Administrators' folders are its own", earlier,
            [](RecordingFolders& f) {
                f.user.elevated = true;
                f.rights["C:\\P"].owner = f.rights["C:\\P\\D"].owner = Owner::Administrators;
            },
            true, { "list C:\\P", "list C:\\P\\D" }, "yes" },
        { "a level that others cannot change keeps its list when it refuses", earlier,
            [](RecordingFolders& f) { f.refused = "C:\\P"; }, true, { "list C:\\P", "list C:\\P\\D" },
            "yes" },
        { "a level others may change that refuses its list puts back those given", earlier,
            [](RecordingFolders& f) {
                f.refused = "C:\\P\\D";
                AddEntry(f.rights["C:\\P\\D"], { 0, 0, 0x10000, "S-1-1-0" }, User);
            },
            true, { "list C:\\P", "list C:\\P\\D", "back C:\\P" },
            "[ C:\\P\\D ]\nフォルダーの作成に失敗しました・・・" },
        { "いいえ to a level others may change changes nothing", first,
            [](RecordingFolders& f) {
                f.rights.erase("C:\\P\\D");
                AddEntry(f.rights["C:\\P"], { 0, 0, 0x10000, "S-1-1-0" }, User);
            },
            false, { "changeable? C:\\P" }, "no" },
        { "in place, a program file of another owner names the folder", { false, true },
            [](RecordingFolders& f) {
                f.rights["C:\\P\\D\\DRIM32.HLP"] = { true, Owner::Other, 0, "" };
            },
            true, { "changeable? C:\\P\\D" }, "yes" },
    };
    for (const ChainCase& row : cases) {
        RecordingFolders folders;
        row.arrange(folders);
        auto changeable = [&](const std::string& level) {
            folders.calls.push_back("changeable? " + level);
            return row.goOn;
        };
        auto create = [&] {
            folders.calls.push_back(row.outcome == std::string("no") ? "create? no" : "create? yes");
            return row.outcome != std::string("no");
        };
        const Result<bool> made = MakeFolderLevels(Levels, row.plan, folders, { changeable, create });
        EXPECT_EQ(folders.calls, row.calls) << row.name;
        EXPECT_EQ(made ? (*made ? "yes" : "no") : made.Message(), row.outcome) << row.name;
        if (row.calls.size() == 3 && row.calls[1] == "create C:\\P") {
            EXPECT_EQ(folders.lists["C:\\P"], LevelList(folders.user, false));
            EXPECT_EQ(folders.lists["C:\\P\\D"], LevelList(folders.user, true));
        }
    }
}

} // namespace
