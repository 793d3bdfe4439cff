#include "Observe.h"
#include "Program.h"
#include "Resident.h"
#include "SettingsRegistry.h"
#include "TrayDriving.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

namespace {

// Two keep-awake periods: an idle time past this shows that no tick came.
constexpr DWORD IdleToReach = 60000;
constexpr DWORD WatchMilliseconds = 70000;
// One tick period plus room for a late timer message on a busy machine.
constexpr DWORD LongestIdleAllowed = 31500;

// While the watched program runs: two ticks 30 s apart fall inside the
// watch.
constexpr DWORD WatchedMilliseconds = 70000;
constexpr int ResetsWatched = 2;
// After it ended: the next run of the timer finds it gone, and then the idle
// time passes a period and a late message.
constexpr DWORD IdleAfterWatch = 35000;
constexpr DWORD AfterWatchMilliseconds = 75000;
constexpr DWORD StandInEndsMilliseconds = 10000;
// The stand-in's file name in other letter cases than it runs under, and as
// it runs.
constexpr char WatchedName[] = "E2E_WATCHEDSTANDIN.exe";
constexpr char StandInFile[] = "e2e_WatchedStandIn.exe";
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

// The submenu lists the watched programs ticked and the running one with its
// window's title; after "すべて解除する" the stand-in is chosen again.  The
// watched program keeps the PC awake in SS_ON while it runs; its end lets
// the idle time grow again, and neither changes the mode that is saved.
TEST_F(KeepAwakeOn, AWatchedProgramHoldsTheIdleTimeLowWhileItRuns)
{
    SetSetting("Version", "14");
    SetSetting("WATCH", std::string("other.exe|") + WatchedName);
    std::optional<RunningProgram> standIn(
        std::in_place, WindowsPathFromEnvironment("DRIM_WATCHED_STANDIN"), "");
    ASSERT_NE(WaitForWindow(StandInClass, WindowAppearsMilliseconds), nullptr);
    ResidentTray tray;
    ASSERT_NO_FATAL_FAILURE(tray.Start("/on"));
    // The icon's tip, shown while the pointer rests on it, would cover the
    // picture.
    ASSERT_TRUE(MovePointer(POINT { GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2 }));
    ASSERT_NO_FATAL_FAILURE(tray.ChooseInSubmenu(MouseButton::Right, 'W', 'R', "Tray_WatchMenu"));
    // The submenu opened by its key has its first entry selected: the
    // stand-in, the one program with a window once the list is empty.
    ASSERT_NO_FATAL_FAILURE(tray.ChooseInSubmenu(MouseButton::Right, 'W', VK_RETURN));

    TouchInput();
    const IdleSamples watched = SampleIdle(WatchedMilliseconds);
    EXPECT_LT(watched.longest, LongestIdleAllowed);
    EXPECT_GE(watched.resets, ResetsWatched);

    ASSERT_TRUE(TerminateProcess(standIn->Handle(), 0));
    ASSERT_TRUE(standIn->WaitForExit(StandInEndsMilliseconds));
    standIn.reset();
    EXPECT_GT(SampleIdle(AfterWatchMilliseconds, IdleAfterWatch).longest, IdleAfterWatch);

    ASSERT_FALSE(tray.Program().WaitForExit(0)) << "the tray program ended during the watch";
    ASSERT_NO_FATAL_FAILURE(tray.Close());
    EXPECT_EQ(ReadSetting("ONOFF"), std::optional<std::string>("0"));
    EXPECT_EQ(ReadSetting("WATCH"), std::optional<std::string>(StandInFile));
}

} // namespace
