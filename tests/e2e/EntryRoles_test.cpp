#include "CaseLabel.h"
#include "Observe.h"
#include "Program.h"
#include "Resident.h"
#include "SettingsRegistry.h"
#include "SetupDriving.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

// How the recorded "Version" is stored before the start; nothing = no value.
struct VersionCase {
    const char* label;
    std::optional<RawValue> version;
    // The settings key exists even without "Version".
    bool keyExists;
};

void StoreVersion(const VersionCase& row)
{
    if (row.keyExists)
        SetSetting("Group", "");
    if (row.version)
        SetSettingRaw("Version", *row.version);
}

RawValue Text(const std::string& text)
{
    return { REG_SZ, text + '\0' };
}

class NotInstalledVersion : public FreshSettings, public ::testing::WithParamInterface<VersionCase> { };

TEST_P(NotInstalledVersion, OpensTheSetupWindowShownAndNoTray)
{
    StoreVersion(GetParam());
    RunningProgram program("");
    HWND setup = WaitForStartedWindow(SetupClass, program);
    ASSERT_NE(setup, nullptr);
    // The window asks Program Manager for its groups before it shows.
    EXPECT_TRUE(WaitUntil([setup] { return IsWindowVisible(setup) != FALSE; }, WindowAppearsMilliseconds));
    EXPECT_EQ(CountTopLevelWindows(TrayClass), 0);
    EXPECT_TRUE(CloseAndWaitForExit(setup, program));
    EXPECT_EQ(program.ExitCode(), 0u);
}

INSTANTIATE_TEST_SUITE_P(EntryRoles, NotInstalledVersion,
    ::testing::Values(VersionCase { "NoSettingsKey", std::nullopt, false },
        VersionCase { "NoVersionValue", std::nullopt, true }, VersionCase { "Empty", Text(""), true },
        VersionCase { "NotInstalledMarker255", Text("255"), true },
        VersionCase { "Older13", Text("13"), true }, VersionCase { "Newer15", Text("15"), true }),
    CaseLabel());

class InstalledVersion : public FreshSettings, public ::testing::WithParamInterface<VersionCase> { };

TEST_P(InstalledVersion, StartsTheTrayHiddenAndNoSetupWindow)
{
    StoreVersion(GetParam());
    RunningProgram program("");
    HWND tray = WaitForStartedWindow(TrayClass, program);
    ASSERT_NE(tray, nullptr);
    EXPECT_FALSE(IsWindowVisible(tray));
    EXPECT_EQ(CountTopLevelWindows(SetupClass), 0);
    EXPECT_TRUE(CloseAndWaitForExit(tray, program));
    EXPECT_EQ(program.ExitCode(), 0u);
}

INSTANTIATE_TEST_SUITE_P(EntryRoles, InstalledVersion,
    ::testing::Values(VersionCase { "Plain14", Text("14"), true },
        VersionCase { "LeadingBlanks", Text("  14"), true }, VersionCase { "PlusSign", Text("+14"), true },
        VersionCase { "Hexadecimal", Text("$E"), true }),
    CaseLabel());

struct BrokenVersionCase {
    const char* label;
    RawValue version;
    // A piece of text the error box must show.
    std::string named;
};

class BrokenVersion : public FreshSettings, public ::testing::WithParamInterface<BrokenVersionCase> { };

TEST_P(BrokenVersion, ShowsAnErrorBoxNamingTheValueAndEndsWithoutAWindow)
{
    SetSettingRaw("Version", GetParam().version);
    RunningProgram program("");

    bool mainWindowSeen = false;
    HWND box = nullptr;
    WaitUntil(
        [&] {
            mainWindowSeen = mainWindowSeen || CountTopLevelWindows(TrayClass) != 0
                || CountTopLevelWindows(SetupClass) != 0;
            box = FindTopLevelWindow(DialogBoxClass, program.Id());
            // The box's window exists before its text is filled in; it is
            // shown only once the dialog has been initialised.
            return box != nullptr && IsWindowVisible(box) && !StaticTexts(box).empty();
        },
        WindowAppearsMilliseconds);
    ASSERT_NE(box, nullptr);
    EXPECT_NE(StaticTexts(box).find(GetParam().named), std::string::npos) << StaticTexts(box);

    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(program.WaitForExit(ProcessEndsMilliseconds));
    EXPECT_EQ(program.ExitCode(), 0u);
    EXPECT_FALSE(mainWindowSeen);
    EXPECT_EQ(CountTopLevelWindows(TrayClass), 0);
    EXPECT_EQ(CountTopLevelWindows(SetupClass), 0);
}

INSTANTIATE_TEST_SUITE_P(EntryRoles, BrokenVersion,
    ::testing::Values(BrokenVersionCase { "TrailingBlank", Text("14 "), "14 " },
        BrokenVersionCase { "TrailingLetter", Text("14x"), "14x" },
        BrokenVersionCase { "NotAString", DwordValue(14), "Version" }),
    CaseLabel());

using SetupAlreadyOpen = FreshSettings;

TEST_F(SetupAlreadyOpen, AStartThatWouldInstallEndsSilentlyAtOnce)
{
    RunningProgram installer("");
    HWND setup = WaitForStartedWindow(SetupClass, installer);
    ASSERT_NE(setup, nullptr);

    RunningProgram second("");
    ASSERT_TRUE(second.WaitForExit(ProcessEndsMilliseconds));
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_EQ(CountTopLevelWindows(SetupClass), 1);
    EXPECT_EQ(CountTopLevelWindows(TrayClass), 0);

    EXPECT_TRUE(CloseAndWaitForExit(setup, installer));
}

TEST_F(SetupAlreadyOpen, AnInstalledVersionStartsTheTrayBesideIt)
{
    // "/uninstall" opens a setup window without reading "Version".
    SetSetting("Version", "14");
    RunningProgram uninstaller("/uninstall");
    HWND setup = WaitForStartedWindow(SetupClass, uninstaller);
    ASSERT_NE(setup, nullptr);

    RunningProgram resident("");
    HWND tray = WaitForStartedWindow(TrayClass, resident);
    ASSERT_NE(tray, nullptr);
    EXPECT_FALSE(IsWindowVisible(tray));
    EXPECT_FALSE(uninstaller.WaitForExit(0));

    EXPECT_TRUE(CloseAndWaitForExit(tray, resident));
    // The uninstaller asks before it touches anything; No ends it.
    EXPECT_FALSE(AnswerQuestion(false).empty());
    EXPECT_FALSE(AnswerMessage().empty());
    EXPECT_TRUE(uninstaller.WaitForExit(ProcessEndsMilliseconds));
}

} // namespace
