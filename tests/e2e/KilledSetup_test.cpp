// The installer and the uninstaller killed half-way, as a power cut or the
// task manager would: each is killed as soon as the effect of one of its
// steps shows from outside, and a second run then ends in the same state as
// an uninterrupted one.

#include "CaseLabel.h"
#include "SetupDriving.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

const std::string Group = "PALUN RUZI32";
// The poll of the watch is 20 ms; a step that shows later than this did not
// come at all.
constexpr DWORD StepShowsMilliseconds = 30000;

std::string GroupLink()
{
    return SpecialFolder(CSIDL_PROGRAMS) + "\\" + Group + "\\" + InstalledLinkName;
}

class KilledSetup : public FreshSettings {
protected:
    void SetUp() override
    {
        FreshSettings::SetUp();
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, UninstallEntryPath);
        RegDeleteTreeA(HKEY_CURRENT_USER, HandoverPath);
        DeleteFileA(GroupLink().c_str());
    }

    // What an uninterrupted installation into `folder` leaves.
    void ExpectInstalled(const std::string& folder)
    {
        for (const char* name : { "DRIM32.EXE", "DRIM32.TXT", "DRIM32.HLP", "DRIM32.CHM" })
            EXPECT_EQ(ReadWholeFile(folder + "\\" + name), ReadWholeFile(source_.File(name))) << name;
        EXPECT_EQ(ReadSetting("EXEPATH"), std::optional<std::string>(folder));
        EXPECT_EQ(ReadSetting("Group"), std::optional<std::string>(Group));
        EXPECT_EQ(ReadSetting("Version"), std::optional<std::string>("14"));
        EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, UninstallEntryPath, "UninstallString"),
            folder + "\\DRIM32.EXE /uninstall");
        EXPECT_TRUE(WaitUntil([] { return FileExists(GroupLink()); }, SetupBoxMilliseconds));
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, HandoverPath));
    }

    // What an uninterrupted uninstallation with both answers Yes leaves.
    void ExpectUninstalled(const std::string& folder)
    {
        EXPECT_TRUE(WaitUntil([&] { return !FolderExists(folder); }, ProcessEndsMilliseconds)) << folder;
        EXPECT_FALSE(SettingsKeyExists());
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UninstallEntryPath));
        EXPECT_TRUE(WaitUntil([] { return !FileExists(GroupLink()); }, SetupBoxMilliseconds));
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, HandoverPath));
        EXPECT_TRUE(FileExists(WindowsCopyPath()));
    }

    InstallSource source_;
};

struct InstallStep {
    const char* label;
    // True once the step's effect shows in `folder`.
    std::function<bool(const std::string& folder)> done;
};

class KilledInstaller : public KilledSetup, public ::testing::WithParamInterface<InstallStep> { };

TEST_P(KilledInstaller, ASecondRunCompletesTheInstallation)
{
    const std::string folder = std::string("C:\\KilledInstall\\") + GetParam().label;
    {
        RunningProgram installer(source_.Program(), "");
        HWND setup = WaitForShownSetup(installer);
        ASSERT_NE(setup, nullptr);
        TypeFolder(setup, folder);
        PressSetupButton(setup, "設定");
        HWND question = WaitForSetupBox(SetupYesNoBoxClass);
        ASSERT_NE(question, nullptr);
        PostMessageA(FindWindowExA(question, nullptr, "Button", "はい"), BM_CLICK, 0, 0);
        ASSERT_TRUE(WaitUntil([&] { return GetParam().done(folder); }, StepShowsMilliseconds));
        // The installer may have ended by itself just before.
        TerminateProcess(installer.Handle(), 1);
        ASSERT_TRUE(installer.WaitForExit(ProcessEndsMilliseconds));
    }
    // A start after a kill that came after "Version" is the tray program,
    // and there is nothing left to complete.
    if (ReadSetting("Version") != std::optional<std::string>("14")) {
        ASSERT_NO_FATAL_FAILURE(InstallFrom(source_, folder));
    }
    ExpectInstalled(folder);
}

INSTANTIATE_TEST_SUITE_P(KilledSetup, KilledInstaller,
    ::testing::Values(
        InstallStep { "AfterTheFolders", [](const std::string& folder) { return FolderExists(folder); } },
        InstallStep { "AfterTheProgramFile",
            [](const std::string& folder) { return FileExists(folder + "\\DRIM32.EXE"); } },
        InstallStep {
            "AfterTheReadme", [](const std::string& folder) { return FileExists(folder + "\\DRIM32.TXT"); } },
        InstallStep {
            "AfterTheHelp", [](const std::string& folder) { return FileExists(folder + "\\DRIM32.HLP"); } },
        InstallStep {
            "AfterTheFirstRecords", [](const std::string&) { return ReadSetting("EXEPATH").has_value(); } },
        InstallStep { "AfterTheGroup", [](const std::string&) { return FileExists(GroupLink()); } },
        InstallStep { "AfterTheUninstallEntry",
            [](const std::string&) { return KeyExists(HKEY_LOCAL_MACHINE, UninstallEntryPath); } }),
    CaseLabel());

struct UninstallStep {
    const char* label;
    std::function<bool(const std::string& folder, DWORD uninstallerId)> done;
    // Killed once the copy runs, which then finishes the work by itself;
    // before, a second "/uninstall" has to.
    bool copyStarted;
};

class KilledUninstaller : public KilledSetup, public ::testing::WithParamInterface<UninstallStep> { };

TEST_P(KilledUninstaller, ASecondRunCompletesTheUninstallation)
{
    const std::string folder = std::string("C:\\KilledUninstall\\") + GetParam().label;
    ASSERT_NO_FATAL_FAILURE(InstallFrom(source_, folder));
    const std::string program = folder + "\\DRIM32.EXE";
    {
        RunningProgram uninstaller(program, "/uninstall");
        EXPECT_FALSE(AnswerQuestion(true).empty());
        // The removals come before the settings question, the copy after it.
        if (GetParam().copyStarted) {
            EXPECT_FALSE(AnswerQuestion(true).empty());
        }
        ASSERT_TRUE(
            WaitUntil([&] { return GetParam().done(folder, uninstaller.Id()); }, StepShowsMilliseconds));
        // The uninstaller ends by itself once the copy runs.
        TerminateProcess(uninstaller.Handle(), 1);
        ASSERT_TRUE(uninstaller.WaitForExit(ProcessEndsMilliseconds));
    }
    if (!GetParam().copyStarted) {
        RunningProgram again(program, "/uninstall");
        EXPECT_FALSE(AnswerQuestion(true).empty());
        EXPECT_FALSE(AnswerQuestion(true).empty());
        EXPECT_TRUE(again.WaitForExit(ProcessEndsMilliseconds));
    }
    EXPECT_EQ(AnswerMessage(), "アンインスツールが完了しました☆☆☆\r\nお疲れ様☆☆☆");
    EXPECT_TRUE(WaitUntilGone(SetupClass, ProcessEndsMilliseconds));
    ExpectUninstalled(folder);
}

// A setup window of another process than the uninstaller's: the copy.
bool CopyRuns(DWORD uninstallerId)
{
    for (HWND window : TopLevelWindows(SetupClass)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != uninstallerId)
            return true;
    }
    return false;
}

INSTANTIATE_TEST_SUITE_P(KilledSetup, KilledUninstaller,
    ::testing::Values(
        UninstallStep { "AfterTheRemovals",
            [](const std::string& folder, DWORD) { return !FileExists(folder + "\\DRIM32.TXT"); }, false },
        UninstallStep {
            "AfterStartingTheCopy", [](const std::string&, DWORD id) { return CopyRuns(id); }, true }),
    CaseLabel());

} // namespace
