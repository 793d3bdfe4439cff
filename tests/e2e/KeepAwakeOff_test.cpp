#include "Observe.h"
#include "Program.h"
#include "Resident.h"
#include "SettingsRegistry.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Two ticks 30 s apart must fall inside the watch, whatever the phase.
constexpr DWORD WatchMilliseconds = 70000;
constexpr DWORD SampleMilliseconds = 500;
// One tick period plus room for a late timer message on a busy machine.
constexpr DWORD LongestIdleAllowed = 31500;
constexpr int ResetsExpected = 2;

using KeepAwakeOff = FreshSettings;

TEST_F(KeepAwakeOff, TheIdleTimeIsResetEveryThirtySecondsWhileNobodyTouchesTheInput)
{
    SetSetting("Version", "14");
    RunningProgram program("");
    HWND tray = WaitForSettledTray(program);
    ASSERT_NE(tray, nullptr);

    DWORD longest = 0;
    int resets = 0;
    DWORD previous = IdleMilliseconds();
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < WatchMilliseconds) {
        Sleep(SampleMilliseconds);
        const DWORD idle = IdleMilliseconds();
        longest = std::max(longest, idle);
        if (idle < previous)
            ++resets;
        previous = idle;
    }

    EXPECT_LT(longest, LongestIdleAllowed);
    EXPECT_GE(resets, ResetsExpected);
    ASSERT_FALSE(program.WaitForExit(0)) << "the tray program ended during the watch";
    EXPECT_TRUE(CloseAndWaitForExit(tray, program));
    EXPECT_EQ(program.ExitCode(), 0u);
}

} // namespace
