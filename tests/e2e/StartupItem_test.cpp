#include "CaseLabel.h"
#include "Observe.h"
#include "ProgmanStandIn.h"
#include "Program.h"
#include "SettingsRegistry.h"
#include "StartupFolder.h"
#include "TempFolder.h"
#include "TrayDriving.h"
#include "shell/Progman.h"
#include "shell/ProgmanLink.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <optional>
#include <string>
#include <vector>

namespace {

const std::string LinkName = "ｽｸﾘｰﾝｾｰﾊﾞｰ 省電力OFF.lnk";
const std::string StartupGroupUnknown = "ｱｲｺﾝ:スタートアップグループが不明ですので アイコン登録出来ません";
const std::string MapGroupsKey(MapGroupsKeyPath);

// Program Manager carries a command out after the exchange has ended.
constexpr DWORD ServerEffectMilliseconds = 10000;
// A command that should not have been sent is given this long to show.
constexpr DWORD NothingHappensMilliseconds = 2000;
// A stand-in shell that answers after the tray has stopped waiting.
constexpr DWORD LateByMilliseconds = ProgmanAnswerTimeoutMs + 1000;
constexpr DWORD LateCommandMilliseconds = LateByMilliseconds + ProgmanEffectWaitMs + ServerEffectMilliseconds;

std::string ProgramsFolder()
{
    char path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathA(nullptr, path, CSIDL_PROGRAMS, FALSE))
        return {};
    return path;
}

// The Startup item through the shell's own Program Manager server: its
// groups are folders under the Start menu's Programs folder, and the tray
// program looks for its item's shortcut in the "Startup" shell folder.
class StartupItem : public FreshSettings {
protected:
    void SetUp() override
    {
        FreshSettings::SetUp();
        // The shell's server refuses AddItem for a program path with a blank.
        if (ProgramPath().find(' ') != std::string::npos)
            GTEST_SKIP() << "the program's path has a blank, which the shell's AddItem refuses: "
                         << ProgramPath();
        ASSERT_EQ(GetACP(), 932u) << "the Japanese names need code page 932";
        programs_ = ProgramsFolder();
        ASSERT_FALSE(programs_.empty());
        ASSERT_TRUE(WaitUntil(ShellServerAnswers, ServerStartMilliseconds)) << "no PROGMAN server";
        SetSetting("Version", "14");
        RegDeleteKeyA(HKEY_CURRENT_USER, MapGroupsKey.c_str());
    }

    void TearDown() override
    {
        resident_.reset();
        if (!group_.empty()) {
            DeleteFileA(Link().c_str());
            if (createdGroup_)
                RemoveDirectoryA(GroupFolder().c_str());
        }
        RegDeleteKeyA(HKEY_CURRENT_USER, MapGroupsKey.c_str());
        FreshSettings::TearDown();
    }

    // Names the Startup group in MapGroups (unless `mapped` is false: the
    // system's Startup folder names it then) and points the "Startup" shell
    // folder at the folder the server keeps that group in.
    void UseStartupGroup(const std::string& group, bool mapped = true)
    {
        group_ = group;
        createdGroup_ = GetFileAttributesA(GroupFolder().c_str()) == INVALID_FILE_ATTRIBUTES;
        DeleteFileA(Link().c_str());
        if (mapped)
            SetString(MapGroupsKey.c_str(), "StartUp", group);
        SetString(ShellFoldersKeyPath, "Startup", GroupFolder());
    }

    // Waits for the server to have carried the command out; a message box
    // instead (an exchange that failed) ends the wait.
    void ExpectLinkAfterwards(bool exists, DWORD milliseconds = ServerEffectMilliseconds)
    {
        HWND box = nullptr;
        const bool done = WaitUntil(
            [&] {
                box = FindVisible(OptionBoxClass);
                return box != nullptr || FileExists(Link()) == exists;
            },
            milliseconds);
        ASSERT_EQ(box, nullptr) << BoxMessage(box);
        EXPECT_TRUE(done) << Link() << (exists ? " did not appear" : " is still there");
    }

    // A shell that carries CreateGroup out only after the tray's wait has
    // ended, and AddItem at once.
    void LateShell(const std::string& command) const
    {
        if (command.rfind("[CreateGroup(", 0) == 0) {
            Sleep(LateByMilliseconds);
            CreateDirectoryA(GroupFolder().c_str(), nullptr);
        } else if (command.rfind("[AddItem(", 0) == 0) {
            WriteWholeFile(Link(), "lnk");
        }
    }

    HWND FindVisible(const std::string& className) const
    {
        const std::vector<HWND> windows = VisibleWindows(className, resident_->Id());
        return windows.empty() ? nullptr : windows.front();
    }

    std::string GroupFolder() const { return programs_ + "\\" + group_; }
    std::string Link() const { return GroupFolder() + "\\" + LinkName; }

    std::string programs_;
    std::string group_;
    bool createdGroup_ = false;
    std::optional<ResidentTray> resident_ { std::in_place };
};

struct GroupCase {
    std::string label;
    std::string group;
    bool mapped = true;
    bool folderDeleted = false;
};

class StartupGroup : public StartupItem, public ::testing::WithParamInterface<GroupCase> { };

TEST_P(StartupGroup, SetAddsTheItemAndDeleteRemovesIt)
{
    UseStartupGroup(GetParam().group, GetParam().mapped);
    if (GetParam().folderDeleted) {
        ASSERT_TRUE(RemoveDirectoryA(GroupFolder().c_str())) << GroupFolder();
    }
    ASSERT_NO_FATAL_FAILURE(resident_->Start());

    ASSERT_NO_FATAL_FAILURE(resident_->Choose(MouseButton::Right, 'S'));
    ASSERT_NO_FATAL_FAILURE(ExpectLinkAfterwards(true));
    // Under a shell of code page 932 the item is Program Manager's work, and
    // its CreateGroup opens the group's window.
    EXPECT_TRUE(CloseShellFolderWindow(group_)) << "the item did not come through Program Manager";
    // The menu now offers the deletion under the same access key.
    ASSERT_NO_FATAL_FAILURE(resident_->Choose(MouseButton::Right, 'S'));
    ASSERT_NO_FATAL_FAILURE(ExpectLinkAfterwards(false));
    CloseShellFolderWindow(group_);
    ASSERT_NO_FATAL_FAILURE(resident_->Close());
}

INSTANTIATE_TEST_SUITE_P(StartupItem, StartupGroup,
    ::testing::Values(GroupCase { "TheShellsStartUpGroup", "StartUp" },
        // A stock profile: no MapGroups, the Startup folder inside Programs.
        GroupCase { "TheSystemsStartupFolderWithoutMapGroups", "StartUp", false },
        // The system names the folder still, and CreateGroup makes it again.
        GroupCase { "ADeletedStartupFolder", "StartUp", false, true },
        // CreateGroup makes the group on the way; 表 ends in the byte of a
        // backslash.
        GroupCase { "AGroupMadeOnTheWay", "DRIM32 起動表" }),
    CaseLabel());

// No MapGroups, and the system's Startup folder outside its Programs folder.
TEST_F(StartupItem, WithoutAStartupGroupItSaysSoAndAddsNothing)
{
    UseStartupGroup("StartUp", false);
    const TempFolder startupParent;
    ASSERT_TRUE(CreateDirectoryA((startupParent / "StartUp").c_str(), nullptr));
    const StartupFolderElsewhere startup(startupParent / "StartUp");
    ASSERT_NO_FATAL_FAILURE(resident_->Start());

    ASSERT_NO_FATAL_FAILURE(resident_->Choose(MouseButton::Right, 'S'));
    HWND box = WaitForBox(resident_->Id());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(BoxMessage(box), StartupGroupUnknown);
    PostMessageA(box, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntilGone(OptionBoxClass, BoxAppearsMilliseconds, resident_->Id()));
    EXPECT_FALSE(WaitUntil([&] { return FileExists(Link()); }, NothingHappensMilliseconds));
    ASSERT_NO_FATAL_FAILURE(resident_->Close());
}

// A CreateGroup carried out after the wait: the item follows, with no box.
TEST_F(StartupItem, AGroupMadeLateLetsTheItemFollow)
{
    UseStartupGroup("DRIM32 遅延表");
    const ProgmanStandIn shell([&](const std::string& command) { LateShell(command); });
    ASSERT_TRUE(shell.Serving());
    ASSERT_NO_FATAL_FAILURE(resident_->Start());

    ASSERT_NO_FATAL_FAILURE(resident_->Choose(MouseButton::Right, 'S'));
    ASSERT_NO_FATAL_FAILURE(ExpectLinkAfterwards(true, LateCommandMilliseconds));
    EXPECT_EQ(shell.Commands().size(), 2u);
    ASSERT_NO_FATAL_FAILURE(resident_->Close());
}

// A close while the tray waits for the shell: the command stops there, with
// no box and no further command, and the program still ends.
TEST_F(StartupItem, ACloseDuringTheWaitStopsTheCommandAndEndsTheProgram)
{
    UseStartupGroup("DRIM32 遅延表");
    const ProgmanStandIn shell([&](const std::string& command) { LateShell(command); });
    ASSERT_TRUE(shell.Serving());
    ASSERT_NO_FATAL_FAILURE(resident_->Start());

    ASSERT_NO_FATAL_FAILURE(resident_->Choose(MouseButton::Right, 'S'));
    ASSERT_TRUE(WaitUntil([&] { return !shell.Commands().empty(); }, ServerEffectMilliseconds));
    PostMessageA(resident_->Window(), WM_CLOSE, 0, 0);
    HWND box = nullptr;
    EXPECT_TRUE(WaitUntil(
        [&] {
            box = FindVisible(OptionBoxClass);
            return box != nullptr || resident_->Program().WaitForExit(0);
        },
        LateCommandMilliseconds + ProcessEndsMilliseconds));
    EXPECT_EQ(box, nullptr) << BoxMessage(box);
    EXPECT_TRUE(resident_->Program().WaitForExit(0));
    EXPECT_EQ(shell.Commands().size(), 1u);
}

} // namespace
