// Installing onto a drive that fills up: the copy stops with its message,
// nothing is recorded, and the same window then installs onto a good folder.
// Uninstalling with a Windows folder that fills up: no broken copy is left
// there to be started, the copy goes to the user's temporary folder and
// does the work.  Run by SmallDrive.sh, which gives the prefix a 64 KB
// drive Q: and a Windows folder with as little room.

#include "SetupDriving.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr char SmallDriveRoot[] = "Q:\\";

class FullDrive : public FreshSettings {
protected:
    void SetUp() override
    {
        if (GetDriveTypeA(SmallDriveRoot) == DRIVE_NO_ROOT_DIR)
            GTEST_SKIP() << "no small drive Q: in this prefix";
        FreshSettings::SetUp();
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, UninstallEntryPath);
    }
};

TEST_F(FullDrive, TheCopyStopsNothingIsRecordedAndAGoodFolderThenInstalls)
{
    InstallSource source;
    TempFolder good;
    const std::string full = std::string(SmallDriveRoot) + "DRIM32";
    RunningProgram installer(source.Program(), "");
    HWND setup = WaitForShownSetup(installer);
    ASSERT_NE(setup, nullptr);

    Install(setup, full, false, true);
    EXPECT_EQ(AnswerMessage(), "DRIM32.EXE\r\nファイルのコピーに失敗しました・・・");
    EXPECT_TRUE(WaitUntil([&] { return InstallButtonShown(setup); }, SetupBoxMilliseconds));
    EXPECT_FALSE(SettingsKeyExists());
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UninstallEntryPath));
    EXPECT_FALSE(FileExists(full + "\\DRIM32.TXT"));

    Install(setup, good.Path(), false, false);
    EXPECT_NE(AnswerMessage().find("登録完了です。"), std::string::npos);
    EXPECT_TRUE(installer.WaitForExit(ProcessEndsMilliseconds));
    EXPECT_EQ(ReadWholeFile(good / "DRIM32.EXE"), ReadWholeFile(source.Program()));
    EXPECT_EQ(ReadSetting("Version"), std::optional<std::string>("14"));
}

TEST_F(FullDrive, AnUninstallCopyThatDoesNotFitTheWindowsFolderGoesToTheTemporaryFolder)
{
    const std::string inWindows = WindowsCopyPath();
    const std::string inTemporary = TemporaryCopyPath();
    ASSERT_FALSE(FileExists(inWindows));
    DeleteFileA(inTemporary.c_str());
    InstallSource source;
    const std::string folder = "C:\\FullWindows";
    ASSERT_NO_FATAL_FAILURE(InstallFrom(source, folder));

    RunningProgram uninstaller(folder + "\\DRIM32.EXE", "/uninstall");
    EXPECT_NE(AnswerQuestion(true), "");
    EXPECT_NE(AnswerQuestion(true), "");
    EXPECT_EQ(AnswerMessage(), "アンインスツールが完了しました☆☆☆\r\nお疲れ様☆☆☆");
    EXPECT_TRUE(uninstaller.WaitForExit(ProcessEndsMilliseconds));
    EXPECT_FALSE(FolderExists(folder));
    EXPECT_FALSE(FileExists(inWindows));
    EXPECT_FALSE(FileExists(inWindows + ".new"));
    EXPECT_EQ(ReadWholeFile(inTemporary), ReadWholeFile(source.Program()));
}

} // namespace
