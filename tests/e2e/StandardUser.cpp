// A standard user's installation and uninstallation: Wine runs as an
// ordinary Unix user whose Windows folder is read-only (StandardUser.sh).
// Everything the program made goes again, and the uninstall copy runs from
// the user's temporary folder.

#include "SetupDriving.h"

#include <gtest/gtest.h>

#include <string>

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

} // namespace
