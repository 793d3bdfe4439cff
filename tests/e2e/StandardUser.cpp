// A standard user's installation and uninstallation: Wine runs as an
// ordinary Unix user whose Windows folder is read-only (StandardUser.sh).
// Everything the program made goes again, and the uninstall copy runs from
// the user's temporary folder.

#include "SetupDriving.h"
#include "setup/SystemFolderLevels.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string Completed = "アンインスツールが完了しました☆☆☆\r\nお疲れ様☆☆☆";

class StandardUser : public FreshSettings {
protected:
    void SetUp() override
    {
        const std::string probe = WindowsCopyPath() + ".write-probe";
        if (CreateDirectoryA(probe.c_str(), nullptr)) {
            RemoveDirectoryA(probe.c_str());
            GTEST_SKIP() << "the Windows folder takes writes here; no standard user could be arranged";
        }
        FreshSettings::SetUp();
    }
};

TEST_F(StandardUser, InstallsAndUninstallsWithTheCopyInTheTemporaryFolder)
{
    InstallSource source;
    const std::string folder = "C:\\PALUNP32\\DRIM32";
    ASSERT_NO_FATAL_FAILURE(InstallFrom(source, folder));
    EXPECT_EQ(ReadSetting("Version"), std::optional<std::string>("14"));

    RunningProgram uninstaller(folder + "\\DRIM32.EXE", "/uninstall");
    EXPECT_FALSE(AnswerQuestion(true).empty());
    EXPECT_FALSE(AnswerQuestion(true).empty());
    EXPECT_TRUE(uninstaller.WaitForExit(ProcessEndsMilliseconds));
    EXPECT_EQ(AnswerMessage(), Completed);
    EXPECT_TRUE(WaitUntilGone(SetupClass, ProcessEndsMilliseconds));

    EXPECT_FALSE(FolderExists("C:\\PALUNP32"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, VendorKeyPath));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UninstallEntryPath));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, UninstallEntryPath));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, HandoverPath));
    EXPECT_FALSE(FileExists(WindowsCopyPath()));
    EXPECT_EQ(ReadWholeFile(TemporaryCopyPath()), ReadWholeFile(source.Program()));
}

// The installer's folder code on real folders, with its calls recorded,
// since Wine keeps no folder lists.
class RecordedFolderLevels : public SystemFolderLevels {
public:
    std::vector<std::string> calls;

    bool CreateWithList(const std::string& level, const std::string& list) override
    {
        calls.push_back("create " + level);
        return SystemFolderLevels::CreateWithList(level, list);
    }
    bool GiveList(const std::string& level, const std::string& list) override
    {
        calls.push_back("list " + level);
        return SystemFolderLevels::GiveList(level, list);
    }
};

// The test's own folder in /tmp: root's, and everyone may write there.
std::string OwnFolder()
{
    const std::string program = ProgramPath();
    return program.substr(0, program.rfind('\\', program.rfind('\\') - 1));
}

// Each new level is created with its list; a reinstallation gives theirs to
// the levels that hold nothing but the chain, up to the test's own folder,
// which holds the test's files and keeps its rights.  /tmp is named first.
TEST_F(StandardUser, NewLevelsAndTheUsersOwnChainGetTheirLists)
{
    const std::string top = OwnFolder() + "\\levels";
    const std::vector<std::string> levels = InstallFolderLevels(top + "\\DRIM32\\");
    RecordedFolderLevels folders;
    auto changeable = [&](const std::string& level) {
        folders.calls.push_back("changeable " + level);
        return true;
    };
    EXPECT_TRUE(*MakeFolderLevels(levels, { false, false }, folders, { changeable, [] { return true; } }));
    EXPECT_TRUE(*MakeFolderLevels(levels, { true, false }, folders, { changeable, [] { return false; } }));
    EXPECT_EQ(folders.calls,
        (std::vector<std::string> { "changeable Z:\\tmp", "create " + top, "create " + top + "\\DRIM32",
            "changeable Z:\\tmp", "list " + top, "list " + top + "\\DRIM32" }));
}

// Before anything is made, the installer names /tmp, with "いいえ" as the
// box's default, and "いいえ" leaves everything as it was.
TEST_F(StandardUser, AFolderOthersMayChangeIsNamedFirstWithNoAsTheDefault)
{
    const std::string folder = OwnFolder() + "\\named\\DRIM32";
    InstallSource source;
    RunningProgram installer(source.Program(), "");
    HWND setup = WaitForShownSetup(installer);
    ASSERT_NE(setup, nullptr);
    TypeFolder(setup, folder);
    PressSetupButton(setup, "設定");
    HWND box = WaitForSetupBox(SetupYesNoBoxClass);
    ASSERT_NE(box, nullptr);
    HWND no = FindWindowExA(box, nullptr, "Button", "いいえ");
    EXPECT_EQ(LOWORD(SendMessageA(box, DM_GETDEFID, 0, 0)), GetDlgCtrlID(no));
    EXPECT_EQ(GetWindowLongA(no, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    GUITHREADINFO focus {};
    focus.cbSize = sizeof focus;
    EXPECT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(box, nullptr), &focus));
    EXPECT_EQ(focus.hwndFocus, no);
    EXPECT_EQ(AnswerQuestion(false),
        "[ Z:\\tmp ]\r\nこのフォルダーは、他のユーザーも変更できます。\r\n"
        "ここに置いたプログラムは、他のユーザーに置き換えられる恐れがあります。\r\nこのまま登録してよろしいで"
        "すか？");
    EXPECT_TRUE(WaitUntil(
        [&] { return IsWindowVisible(SetupChild(setup, "Button", "設定")) != FALSE; }, SetupBoxMilliseconds));
    EXPECT_FALSE(FolderExists(OwnFolder() + "\\named"));
    PressSetupButton(setup, "中止");
    EXPECT_EQ(AnswerMessage(), "インスツールを中止します。");
    EXPECT_TRUE(installer.WaitForExit(ProcessEndsMilliseconds));
}

} // namespace
