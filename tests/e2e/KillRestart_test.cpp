#include "CaseLabel.h"
#include "Observe.h"
#include "Program.h"
#include "Resident.h"
#include "SavedSettings.h"
#include "SettingsRegistry.h"
#include "TrayDriving.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace {

// "START" ticked and "HOZON" clear start the program in SS_ON, so a normal
// run without a switch saves these values back unchanged.
const SavedSettings Previous { "0", "1", "0", "7" };
// The switch of every run here puts the program in SS_OFF: a run that
// saved anything would leave "-1".
constexpr char RunSwitch[] = "/off";
const SavedSettings SavedAfterTheSwitch { "-1", "1", "0", "7" };

constexpr DWORD KilledAfterItsWindowMilliseconds = 300;
constexpr UINT KilledExitCode = 1;

// Every value of the settings key as stored: name, type and bytes.
using StoredValue = std::tuple<std::string, DWORD, std::string>;

std::vector<StoredValue> StoredSettings()
{
    std::vector<StoredValue> values;
    for (const std::string& name : SettingNames()) {
        const std::optional<RawValue> value = ReadRaw(SettingsKeyPath, name);
        values.emplace_back(name, value ? value->type : REG_NONE, value ? value->bytes : "<unreadable>");
    }
    return values;
}

// What the test does between the program's start and its end.
using KillMoment = std::function<void(RunningProgram& program)>;

struct KillCase {
    std::string label;
    KillMoment moment;
};

// A program that closed normally before, so its values are saved; then one
// run killed at some moment of its life.
class KillRestart : public FreshSettings, public ::testing::WithParamInterface<KillCase> {
protected:
    void SetUp() override
    {
        FreshSettings::SetUp();
        SetSetting("Version", "14");
        SetSetting("ONOFF", Previous.onoff);
        SetSetting("START", Previous.start);
        SetSetting("HOZON", Previous.hozon);
        SetSetting("MYSOFT", Previous.mysoft);
        ASSERT_NO_FATAL_FAILURE(RunTrayUntilClosed(""));
        ExpectSaved(Previous);
    }
};

TEST_P(KillRestart, LeavesTheValuesOfThePreviousExitAndANewStartWorks)
{
    const std::vector<StoredValue> before = StoredSettings();
    {
        RunningProgram program(RunSwitch);
        ASSERT_NO_FATAL_FAILURE(GetParam().moment(program));
        if (!program.WaitForExit(0)) {
            ASSERT_TRUE(TerminateProcess(program.Handle(), KilledExitCode));
        }
        ASSERT_TRUE(program.WaitForExit(ProcessEndsMilliseconds));
    }
    EXPECT_EQ(CountTopLevelWindows(TrayClass), 0);
    EXPECT_EQ(StoredSettings(), before);

    ASSERT_NO_FATAL_FAILURE(RunTrayUntilClosed(RunSwitch));
    ExpectSaved(SavedAfterTheSwitch);
}

void WindowAppears(RunningProgram& program)
{
    ASSERT_NE(WaitForWindow(TrayClass, WindowAppearsMilliseconds, program.Id()), nullptr);
}

INSTANTIATE_TEST_SUITE_P(KillRestart, KillRestart,
    ::testing::Values(KillCase { "AsSoonAsStarted", [](RunningProgram&) {} },
        KillCase { "AsItsWindowAppears", WindowAppears },
        KillCase { "ShortlyAfterItsWindowAppears",
            [](RunningProgram& program) {
                WindowAppears(program);
                Sleep(KilledAfterItsWindowMilliseconds);
            } },
        KillCase {
            "OnceSettled", [](RunningProgram& program) { ASSERT_NE(WaitForSettledTray(program), nullptr); } },
        KillCase { "WhileAForwardedBoxIsOpen",
            [](RunningProgram& program) {
                ASSERT_NE(WaitForSettledTray(program), nullptr);
                RunningProgram sender("x");
                ASSERT_NE(WaitForBox(program.Id()), nullptr);
                ASSERT_TRUE(TerminateProcess(program.Handle(), KilledExitCode));
                // The send returns once the window's thread is gone.
                ASSERT_TRUE(sender.WaitForExit(ProcessEndsMilliseconds));
                EXPECT_EQ(sender.ExitCode(), 0u);
            } }),
    CaseLabel());

} // namespace
