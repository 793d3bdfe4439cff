#include "Observe.h"
#include "Program.h"
#include "Resident.h"
#include "SettingsRegistry.h"
#include "TrayDriving.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Two keep-awake periods: an idle time past this shows that no tick came.
constexpr DWORD IdleToReach = 60000;
constexpr DWORD WatchMilliseconds = 70000;
// One tick period plus room for a late timer message on a busy machine.
constexpr DWORD LongestIdleAllowed = 31500;

using KeepAwakeOn = FreshSettings;

TEST_F(KeepAwakeOn, StartedWithOnTheProgramLetsTheIdleTimeGrowPastTwoPeriods)
{
    SetSetting("Version", "14");
    // Starts the idle time near 0, rather than at whatever the fresh
    // session reports, so that it has the whole watch to grow.
    TouchInput();
    RunningProgram program("/on");
    HWND tray = WaitForSettledTray(program);
    ASSERT_NE(tray, nullptr);
    ASSERT_LT(IdleMilliseconds(), IdleToReach) << "the test's own input did not count";

    DWORD previous = IdleMilliseconds();
    bool reset = false;
    bool programLeft = false;
    const bool reached = WaitUntil(
        [&] {
            const DWORD idle = IdleMilliseconds();
            reset = reset || idle < previous;
            previous = idle;
            programLeft
                = programLeft || program.WaitForExit(0) || CountTopLevelWindows(TrayClass, program.Id()) != 1;
            return idle > IdleToReach;
        },
        WatchMilliseconds);

    EXPECT_TRUE(reached) << "idle time reached only " << previous << " ms";
    EXPECT_FALSE(reset);
    EXPECT_FALSE(programLeft);
    EXPECT_TRUE(CloseAndWaitForExit(tray, program));
    EXPECT_EQ(program.ExitCode(), 0u);
}

// Thirty minutes chosen from the real menu keep the PC awake from the start
// of SS_ON; a close while the timer runs saves SS_ON.
TEST_F(KeepAwakeOn, ADurationChosenFromTheMenuHoldsTheIdleTimeLow)
{
    SetSetting("Version", "14");
    ResidentTray tray;
    ASSERT_NO_FATAL_FAILURE(tray.Start("/on"));
    ASSERT_NO_FATAL_FAILURE(tray.ChooseInSubmenu(MouseButton::Right, 'T', '1'));
    // The icon's tip, shown while the pointer rests on it, would cover the
    // picture of the menu that shows the timer running.
    ASSERT_TRUE(MovePointer(POINT { GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2 }));
    ASSERT_NO_FATAL_FAILURE(tray.ChooseInSubmenu(MouseButton::Right, 'T', '1', "Tray_TimerMenu"));

    DWORD longest = 0;
    WaitUntil(
        [&] {
            longest = std::max(longest, IdleMilliseconds());
            return false;
        },
        WatchMilliseconds);
    EXPECT_LT(longest, LongestIdleAllowed);
    ASSERT_NO_FATAL_FAILURE(tray.Close());
    EXPECT_EQ(ReadSetting("ONOFF"), std::optional<std::string>("0"));
}

} // namespace
