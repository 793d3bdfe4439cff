#include "Observe.h"
#include "Program.h"
#include "Resident.h"
#include "SettingsRegistry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

namespace {

// Two keep-awake periods: an idle time past this shows that no tick came.
constexpr DWORD IdleToReach = 60000;
constexpr DWORD WatchMilliseconds = 70000;

// While the watched program runs: two ticks 30 s apart fall inside the
// watch, and no idle time grows past a period and a late timer message.
constexpr DWORD WatchedMilliseconds = 70000;
constexpr DWORD LongestIdleWatched = 31500;
constexpr int ResetsWatched = 2;
// After it ended: the next run of the timer finds it gone, and then the idle
// time passes a period and a late message.
constexpr DWORD IdleAfterWatch = 35000;
constexpr DWORD AfterWatchMilliseconds = 75000;
constexpr DWORD StandInEndsMilliseconds = 10000;
// The stand-in's file name in other letter cases than it runs under.
constexpr char WatchedName[] = "E2E_WATCHEDSTANDIN.exe";
constexpr char StandInClass[] = "DrimWatchedStandIn";

struct IdleSamples {
    DWORD longest = 0;
    int resets = 0;
};

// The idle time, sampled until `enough` is passed or the time is up.
IdleSamples SampleIdle(DWORD milliseconds, DWORD enough = INFINITE)
{
    IdleSamples samples;
    DWORD previous = IdleMilliseconds();
    WaitUntil(
        [&] {
            const DWORD idle = IdleMilliseconds();
            samples.longest = std::max(samples.longest, idle);
            samples.resets += idle < previous ? 1 : 0;
            previous = idle;
            return idle > enough;
        },
        milliseconds);
    return samples;
}

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

// A watched program keeps the PC awake in SS_ON while it runs; its end lets
// the idle time grow again, and neither changes the mode that is saved.
TEST_F(KeepAwakeOn, AWatchedProgramHoldsTheIdleTimeLowWhileItRuns)
{
    SetSetting("Version", "14");
    SetSetting("ONOFF", "0");
    SetSetting("WATCH", std::string("other.exe|") + WatchedName);
    std::optional<RunningProgram> standIn(
        std::in_place, WindowsPathFromEnvironment("DRIM_WATCHED_STANDIN"), "");
    ASSERT_NE(WaitForWindow(StandInClass, WindowAppearsMilliseconds), nullptr);
    RunningProgram program("");
    HWND tray = WaitForSettledTray(program);
    ASSERT_NE(tray, nullptr);

    TouchInput();
    const IdleSamples watched = SampleIdle(WatchedMilliseconds);
    EXPECT_LT(watched.longest, LongestIdleWatched);
    EXPECT_GE(watched.resets, ResetsWatched);

    ASSERT_TRUE(TerminateProcess(standIn->Handle(), 0));
    ASSERT_TRUE(standIn->WaitForExit(StandInEndsMilliseconds));
    standIn.reset();
    EXPECT_GT(SampleIdle(AfterWatchMilliseconds, IdleAfterWatch).longest, IdleAfterWatch);

    ASSERT_FALSE(program.WaitForExit(0)) << "the tray program ended during the watch";
    EXPECT_TRUE(CloseAndWaitForExit(tray, program));
    EXPECT_EQ(ReadSetting("ONOFF"), std::optional<std::string>("0"));
    EXPECT_EQ(ReadSetting("WATCH"), std::optional<std::string>(std::string("other.exe|") + WatchedName));
}

} // namespace
