#include "Observe.h"
#include "Program.h"
#include "Resident.h"
#include "SettingsRegistry.h"

#include <gtest/gtest.h>

namespace {

// Two keep-awake periods: an idle time past this shows that no tick came.
constexpr DWORD IdleToReach = 60000;
constexpr DWORD WatchMilliseconds = 70000;

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

} // namespace
