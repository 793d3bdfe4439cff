#include "CaseLabel.h"
#include "Observe.h"
#include "Program.h"
#include "Resident.h"
#include "SettingsRegistry.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The uninstall roles never read "Version"; this one would stop any start
// that did with an error box.
constexpr char UnreadableVersion[] = "14x";

// A setup window of `program` appears; whether it is shown tells the
// install mode from the uninstall roles.
void ExpectOnlySetupWindow(RunningProgram& program, bool shown)
{
    HWND setup = WaitForStartedWindow(SetupClass, program);
    ASSERT_NE(setup, nullptr);
    // The installer asks Program Manager for its groups before it shows.
    if (shown)
        WaitUntil([setup] { return IsWindowVisible(setup) != FALSE; }, WindowAppearsMilliseconds);
    EXPECT_EQ(IsWindowVisible(setup) != FALSE, shown);
    EXPECT_EQ(CountTopLevelWindows(TrayClass), 0);
    EXPECT_EQ(CountTopLevelWindows(DialogBoxClass, program.Id()), 0);
    EXPECT_TRUE(CloseAndWaitForExit(setup, program));
    EXPECT_EQ(program.ExitCode(), 0u);
}

using UninstallSwitch = FreshSettings;

TEST_F(UninstallSwitch, AloneOpensAHiddenSetupWindowWithoutReadingVersion)
{
    SetSetting("Version", UnreadableVersion);
    RunningProgram program("/uninstall");
    ExpectOnlySetupWindow(program, false);
}

TEST_F(UninstallSwitch, WhileASetupWindowIsOpenOpensASecondHiddenOne)
{
    RunningProgram installer("");
    HWND installWindow = WaitForStartedWindow(SetupClass, installer);
    ASSERT_NE(installWindow, nullptr);

    RunningProgram uninstaller("/uninstall");
    HWND blocked = WaitForStartedWindow(SetupClass, uninstaller);
    ASSERT_NE(blocked, nullptr);
    EXPECT_FALSE(IsWindowVisible(blocked));
    EXPECT_EQ(CountTopLevelWindows(SetupClass), 2);

    EXPECT_TRUE(CloseAndWaitForExit(blocked, uninstaller));
    EXPECT_TRUE(CloseAndWaitForExit(installWindow, installer));
}

TEST_F(UninstallSwitch, AsSecondArgumentIsAnOrdinaryStart)
{
    RunningProgram program("x /uninstall");
    ExpectOnlySetupWindow(program, true);
}

struct CopyNameCase {
    const char* label;
    const char* fileName;
    const char* arguments;
};

class UninstallCopyName : public FreshSettings, public ::testing::WithParamInterface<CopyNameCase> { };

TEST_P(UninstallCopyName, OpensAHiddenSetupWindowWithoutReadingVersion)
{
    SetSetting("Version", UnreadableVersion);
    TempFolder folder;
    const std::string copy = folder / GetParam().fileName;
    ASSERT_TRUE(CopyFileA(ProgramPath().c_str(), copy.c_str(), FALSE));
    RunningProgram program(copy, GetParam().arguments);
    ExpectOnlySetupWindow(program, false);
}

INSTANTIATE_TEST_SUITE_P(EntryUninstall, UninstallCopyName,
    ::testing::Values(CopyNameCase { "NoArguments", "UNIN_PALUN000.EXE", "" },
        CopyNameCase { "OffSwitch", "UNIN_PALUN000.EXE", "/off" },
        CopyNameCase { "DeleteFile", "UNIN_PALUN000.EXE", "/DeleteFile" },
        CopyNameCase { "UninstallInCapitals", "UNIN_PALUN000.EXE", "/UNINSTALL" },
        CopyNameCase { "UninstallSwitch", "UNIN_PALUN000.EXE", "/uninstall" },
        CopyNameCase { "MixedCase", "Unin_Palun000.Exe", "" }),
    CaseLabel());

TEST(UninstallCopyNearMiss, AnotherCopyNumberIsAnOrdinaryStart)
{
    DeleteVendorTree();
    TempFolder folder;
    const std::string copy = folder / "UNIN_PALUN001.EXE";
    ASSERT_TRUE(CopyFileA(ProgramPath().c_str(), copy.c_str(), FALSE));
    RunningProgram program(copy, "");
    ExpectOnlySetupWindow(program, true);
}

} // namespace
