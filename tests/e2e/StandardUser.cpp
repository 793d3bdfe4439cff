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

// Each new level is created with its list; a reinstallation gives theirs to
// the levels that hold nothing but the chain, up to the test's own folder,
// which holds the test's files and keeps its rights.
TEST_F(StandardUser, NewLevelsAndTheUsersOwnChainGetTheirLists)
{
    const std::string program = ProgramPath();
    const std::string own = program.substr(0, program.rfind('\\', program.rfind('\\') - 1));
    const std::string top = own + "\\levels";
    const std::vector<std::string> levels = InstallFolderLevels(top + "\\DRIM32\\");
    RecordedFolderLevels folders;
    auto changeable = [&](const std::string& level) {
        folders.calls.push_back("changeable " + level);
        return true;
    };
    EXPECT_TRUE(*MakeFolderLevels(levels, { false, false }, folders, { changeable, [] { return true; } }));
    EXPECT_TRUE(*MakeFolderLevels(levels, { true, false }, folders, { changeable, [] { return false; } }));
    EXPECT_EQ(folders.calls,
        (std::vector<std::string> {
            "create " + top, "create " + top + "\\DRIM32", "list " + top, "list " + top + "\\DRIM32" }));
}

} // namespace
