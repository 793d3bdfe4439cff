#include "CaseLabel.h"
#include "Observe.h"
#include "Program.h"
#include "Resident.h"
#include "SettingsRegistry.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

// Longer than the 255 characters an atom name can hold.
constexpr std::size_t OverlongArgumentBytes = 300;

// A resident tray program, started before each test and closed after it.
class TrayResident : public FreshSettings {
protected:
    void SetUp() override
    {
        FreshSettings::SetUp();
        SetSetting("Version", "14");
        resident_.emplace("");
        tray_ = WaitForSettledTray(*resident_);
        ASSERT_NE(tray_, nullptr);
    }

    void TearDown() override
    {
        if (tray_ != nullptr) {
            EXPECT_TRUE(CloseAndWaitForExit(tray_, *resident_));
        }
        resident_.reset();
        FreshSettings::TearDown();
    }

    void ExpectResidentUntouched()
    {
        EXPECT_FALSE(resident_->WaitForExit(0));
        EXPECT_EQ(CountTopLevelWindows(TrayClass), 1);
        EXPECT_TRUE(IsWindow(tray_));
    }

    std::optional<RunningProgram> resident_;
    HWND tray_ = nullptr;
};

struct ForwardedCase {
    const char* label;
    std::string arguments;
};

class ForwardedStart : public TrayResident, public ::testing::WithParamInterface<ForwardedCase> { };

TEST_P(ForwardedStart, EndsWithCodeZeroAndLeavesOneTray)
{
    RunningProgram second(GetParam().arguments);
    ASSERT_TRUE(second.WaitForExit(ProcessEndsMilliseconds));
    EXPECT_EQ(second.ExitCode(), 0u);
    ExpectResidentUntouched();
    EXPECT_EQ(CountTopLevelWindows(SetupClass), 0);
}

INSTANTIATE_TEST_SUITE_P(EntrySecondStart, ForwardedStart,
    ::testing::Values(ForwardedCase { "NoArguments", "" }, ForwardedCase { "OffSwitch", "/off" },
        ForwardedCase { "TooLongForAnAtom", std::string(OverlongArgumentBytes, 'a') },
        ForwardedCase { "UninstallInCapitals", "/UNINSTALL" },
        ForwardedCase { "UninstallWithHyphen", "-uninstall" },
        ForwardedCase { "UninstallAsSecondArgument", "x /uninstall" }),
    CaseLabel());

TEST_F(TrayResident, UninstallOpensAHiddenSetupWindowAndLeavesTheTray)
{
    // Not read in this role: a value the entry would reject proves it.
    SetSetting("Version", "14x");
    RunningProgram uninstaller("/uninstall");
    HWND setup = WaitForStartedWindow(SetupClass, uninstaller);
    ASSERT_NE(setup, nullptr);
    EXPECT_FALSE(IsWindowVisible(setup));
    EXPECT_EQ(CountTopLevelWindows(DialogBoxClass, uninstaller.Id()), 0);
    ExpectResidentUntouched();
    EXPECT_TRUE(CloseAndWaitForExit(setup, uninstaller));
    EXPECT_EQ(uninstaller.ExitCode(), 0u);
}

TEST_F(TrayResident, TheUninstallCopyIsNotForwarded)
{
    TempFolder folder;
    const std::string copy = folder / "UNIN_PALUN000.EXE";
    ASSERT_TRUE(CopyFileA(ProgramPath().c_str(), copy.c_str(), FALSE));
    RunningProgram uninstallCopy(copy, "/off");
    HWND setup = WaitForStartedWindow(SetupClass, uninstallCopy);
    ASSERT_NE(setup, nullptr);
    EXPECT_FALSE(IsWindowVisible(setup));
    ExpectResidentUntouched();
    EXPECT_TRUE(CloseAndWaitForExit(setup, uninstallCopy));
}

} // namespace
