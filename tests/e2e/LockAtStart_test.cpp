// The session's lock state as Windows 8 and later report it, read by the
// program at its first tick.  Wine refuses the query, so a stand-in
// wtsapi32.dll answers with the documented layout and the test's flag.

#include "Observe.h"
#include "Program.h"
#include "Resident.h"
#include "SettingsRegistry.h"
#include "StandInDll.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

// Two ticks 30 s apart must fall inside the watch, whatever the phase.
constexpr DWORD WatchMilliseconds = 70000;
// One tick period plus room for a late timer message on a busy machine.
constexpr DWORD LongestIdleAllowed = 31500;
// Past a tick period and a late timer message: no tick counted as input.
constexpr DWORD RestingIdle = 35000;
constexpr DWORD RestingWatchMilliseconds = 50000;
constexpr DWORD TickAtOnceMilliseconds = 5000;
constexpr char Locked[] = "0";
constexpr char Unlocked[] = "1";

class LockAtStart : public InstalledOnWindows10 {
protected:
    // The program in SS_OFF, its session's lock flag answered as `flags`.
    std::optional<RunningProgram> StartWithSessionFlags(const char* flags)
    {
        DWORD id = 0;
        HWND tray = standIn_.Placed()
                && StartThroughUnixShell(
                    ProgramPath(), "", standIn_.Override() + " DRIM_STANDIN_SESSION_FLAGS=" + flags)
            ? WaitForWindow(TrayClass, WindowAppearsMilliseconds)
            : nullptr;
        if (tray == nullptr || GetWindowThreadProcessId(tray, &id) == 0)
            return std::nullopt;
        return RunningProgram::Adopt(id);
    }

    PlacedStandIn standIn_ { "wtsapi32" };
};

TEST_F(LockAtStart, AnUnlockedActiveSessionKeepsTheIdleTimeLow)
{
    std::optional<RunningProgram> program = StartWithSessionFlags(Unlocked);
    ASSERT_TRUE(program);
    HWND tray = WaitForSettledTray(*program);
    ASSERT_NE(tray, nullptr);
    EXPECT_FALSE(WaitUntil([] { return IdleMilliseconds() > LongestIdleAllowed; }, WatchMilliseconds))
        << "no tick counted as input";
    EXPECT_TRUE(CloseAndWaitForExit(tray, *program));
}

TEST_F(LockAtStart, ASessionLockedAtStartRestsUntilTheUnlock)
{
    std::optional<RunningProgram> program = StartWithSessionFlags(Locked);
    ASSERT_TRUE(program);
    HWND tray = WaitForSettledTray(*program);
    ASSERT_NE(tray, nullptr);
    EXPECT_TRUE(WaitUntil([] { return IdleMilliseconds() > RestingIdle; }, RestingWatchMilliseconds))
        << "a tick counted as input";
    DWORD session = 0;
    ASSERT_TRUE(ProcessIdToSessionId(program->Id(), &session));
    PostMessageA(tray, WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, session);
    EXPECT_TRUE(
        WaitUntil([] { return IdleMilliseconds() < TickAtOnceMilliseconds; }, TickAtOnceMilliseconds));
    EXPECT_TRUE(CloseAndWaitForExit(tray, *program));
}

} // namespace
