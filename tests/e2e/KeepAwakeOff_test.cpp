#include "InjectedInput.h"
#include "Observe.h"
#include "Program.h"
#include "Resident.h"
#include "SettingsRegistry.h"
#include "TrayProbe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>

namespace {

// Two ticks 30 s apart must fall inside the watch, whatever the phase.
constexpr DWORD WatchMilliseconds = 70000;
constexpr DWORD SampleMilliseconds = 500;
// One tick period plus room for a late timer message on a busy machine.
constexpr DWORD LongestIdleAllowed = 31500;
constexpr int ResetsExpected = 2;
// Past a tick period and a late timer message: no tick counted as input.
constexpr DWORD RestingIdle = 35000;
constexpr DWORD RestingWatchMilliseconds = 50000;
// The unlock's own tick, then the next one a period later.
constexpr DWORD TickAtOnceMilliseconds = 5000;
constexpr DWORD HeldAgainWatchMilliseconds = 33000;

constexpr char SystemPolicyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
constexpr char DesktopPolicyPath[] = "Software\\Policies\\Microsoft\\Windows\\Control Panel\\Desktop";
constexpr char PolicyNotice[] = "管理者の設定により、操作のない時間が続くと画面がロックされます・・・\r\n"
                                "このため、このＰＣでは DRIM32 は画面をＯＮに保ちません。";

// Wine's relay trace of the calls that hold the display on, with their
// arguments and answers: a system may grant the power request or refuse it
// (this Wine does), and the program then falls back on the continuous
// execution state.  Either counts as held.
constexpr char RelaySettings[] = "Software\\Wine\\Debug";
constexpr char RelayedCalls[]
    = "PowerCreateRequest;PowerSetRequest;PowerClearRequest;SetThreadExecutionState";
constexpr char TraceSettings[] = "WINEDEBUG=+relay";
constexpr char TraceFileName[] = "keepawake-trace.txt";
constexpr char RequestAsked[] = ".PowerCreateRequest(";
constexpr char RequestSetAnswer[] = ".PowerSetRequest() retval=";
constexpr char RequestRefused[] = "00000000";
constexpr char RequestCleared[] = ".PowerClearRequest(";
constexpr char ContinuousStateSet[] = ".SetThreadExecutionState(8";
constexpr char ContinuousHeld[] = "0000003";
// A second start hands its switch to the resident copy in well under this.
constexpr DWORD SwitchTakesMilliseconds = 30000;

std::string Trace()
{
    std::ostringstream text;
    text << std::ifstream(std::string("C:\\") + TraceFileName).rdbuf();
    return text.str();
}

enum class Hold { Never, Held, Released };

// What the program holds at the trace's end: a power request granted and
// not cleared since, or the continuous execution state (its flags follow
// the 8 of ES_CONTINUOUS).
Hold LastHold()
{
    std::istringstream trace(Trace());
    bool ever = false;
    bool request = false;
    bool continuous = false;
    for (std::string line; std::getline(trace, line);) {
        if (const std::size_t at = line.find(RequestSetAnswer); at != std::string::npos)
            request
                = line.compare(at + sizeof RequestSetAnswer - 1, sizeof RequestRefused - 1, RequestRefused)
                != 0;
        else if (line.find(RequestCleared) != std::string::npos)
            request = false;
        else if (const std::size_t state = line.find(ContinuousStateSet); state != std::string::npos)
            continuous = line.compare(
                             state + sizeof ContinuousStateSet - 1, sizeof ContinuousHeld - 1, ContinuousHeld)
                == 0;
        ever = ever || request || continuous;
    }
    return !ever ? Hold::Never : request || continuous ? Hold::Held : Hold::Released;
}

// The program, with Wine's trace of it going to a file of drive C.
std::optional<RunningProgram> StartTraced()
{
    const char* prefix = std::getenv("WINEPREFIX");
    SetString(RelaySettings, "RelayInclude", RelayedCalls);
    DWORD id = 0;
    HWND tray = prefix != nullptr
            && StartThroughUnixShell(
                ProgramPath(), "", TraceSettings, prefix + std::string("/drive_c/") + TraceFileName)
        ? WaitForWindow(TrayClass, WindowAppearsMilliseconds)
        : nullptr;
    if (tray == nullptr || GetWindowThreadProcessId(tray, &id) == 0)
        return std::nullopt;
    return RunningProgram::Adopt(id);
}

struct IdleWatch {
    DWORD longest = 0;
    int resets = 0;
};

// Samples the idle time for `milliseconds`, or until it passes `enough`.
IdleWatch WatchIdle(DWORD milliseconds, DWORD enough = INFINITE)
{
    IdleWatch watch;
    DWORD previous = IdleMilliseconds();
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds && watch.longest <= enough) {
        Sleep(SampleMilliseconds);
        const DWORD idle = IdleMilliseconds();
        watch.longest = std::max(watch.longest, idle);
        if (idle < previous)
            ++watch.resets;
        previous = idle;
    }
    return watch;
}

void ExpectRestingIdle()
{
    const IdleWatch watch = WatchIdle(RestingWatchMilliseconds, RestingIdle);
    EXPECT_GT(watch.longest, RestingIdle);
    EXPECT_EQ(watch.resets, 0);
}

void SetInactivityLimit(DWORD seconds)
{
    ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, SystemPolicyPath, "InactivityTimeoutSecs", REG_DWORD,
                  &seconds, sizeof seconds),
        ERROR_SUCCESS);
}

using KeepAwakeOff = FreshSettings;

TEST_F(KeepAwakeOff, TheIdleTimeIsResetEveryThirtySecondsWhileNobodyTouchesTheInput)
{
    SetSetting("Version", "14");
    // Neither is a lock policy: a limit of 0, and a secure screen saver
    // that is not switched on.
    SetInactivityLimit(0);
    SetString(DesktopPolicyPath, "ScreenSaverIsSecure", "1");
    std::optional<RunningProgram> program = StartTraced();
    ASSERT_TRUE(program);
    HWND tray = WaitForSettledTray(*program);
    ASSERT_NE(tray, nullptr);

    const InjectedMoveWatch moves;
    ASSERT_TRUE(moves.Watching());
    const IdleWatch watch = WatchIdle(WatchMilliseconds);
    EXPECT_LT(watch.longest, LongestIdleAllowed);
    EXPECT_GE(watch.resets, ResetsExpected);
    // The zero move itself reaches the system at every tick: nothing else
    // the program does is injected input.
    EXPECT_GE(moves.Count(), watch.resets);
    EXPECT_NE(Trace().find(RequestAsked), std::string::npos);
    EXPECT_EQ(LastHold(), Hold::Held);
    ASSERT_FALSE(program->WaitForExit(0)) << "the tray program ended during the watch";

    RunningProgram switchOn("/on");
    EXPECT_TRUE(switchOn.WaitForExit(SwitchTakesMilliseconds));
    EXPECT_TRUE(WaitUntil([] { return LastHold() == Hold::Released; }, SwitchTakesMilliseconds));
    EXPECT_TRUE(CloseAndWaitForExit(tray, *program));
    EXPECT_EQ(program->ExitCode(), 0u);
    EXPECT_EQ(LastHold(), Hold::Released);
}

// The box says so at the first tick and not again, no tick counts as input
// and nothing is held.
void ExpectLockPolicyRespected()
{
    SetSetting("Version", "14");
    std::optional<RunningProgram> program = StartTraced();
    ASSERT_TRUE(program);
    HWND box = WaitForVisibleWindow(OptionBoxClass, program->Id(), WindowAppearsMilliseconds);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(BoxMessage(box), PolicyNotice);
    PostMessageA(box, WM_CLOSE, 0, 0);
    HWND tray = WaitForSettledTray(*program);
    ASSERT_NE(tray, nullptr);
    ExpectRestingIdle();
    EXPECT_TRUE(VisibleWindows(OptionBoxClass, program->Id()).empty()) << "the box came again";
    EXPECT_EQ(Trace().find(RequestAsked), std::string::npos);
    EXPECT_EQ(LastHold(), Hold::Never);
    EXPECT_TRUE(CloseAndWaitForExit(tray, *program));
}

TEST_F(KeepAwakeOff, AnInactivityLimitLetsTheSessionLock)
{
    SetInactivityLimit(600);
    ExpectLockPolicyRespected();
}

TEST_F(KeepAwakeOff, ASecureScreenSaverPolicyLetsTheSessionLock)
{
    SetString(DesktopPolicyPath, "ScreenSaveActive", "1");
    SetString(DesktopPolicyPath, "ScreenSaverIsSecure", "1");
    ExpectLockPolicyRespected();
}

TEST_F(KeepAwakeOff, ALockedSessionRestsUntilItIsUnlocked)
{
    SetSetting("Version", "14");
    std::optional<RunningProgram> program = StartTraced();
    ASSERT_TRUE(program);
    HWND tray = WaitForSettledTray(*program);
    ASSERT_NE(tray, nullptr);
    DWORD session = 0;
    ASSERT_TRUE(ProcessIdToSessionId(program->Id(), &session));
    // As the system sends it: the event, and the session it happened to.
    const auto change = [&](WPARAM event, DWORD to) { PostMessageA(tray, WM_WTSSESSION_CHANGE, event, to); };

    change(WTS_SESSION_LOCK, session);
    EXPECT_TRUE(WaitUntil([] { return LastHold() == Hold::Released; }, TickAtOnceMilliseconds));
    change(WTS_SESSION_UNLOCK, session + 1);
    change(WTS_REMOTE_DISCONNECT, session);
    change(WTS_REMOTE_CONNECT, session);
    ExpectRestingIdle();

    change(WTS_SESSION_UNLOCK, session);
    EXPECT_TRUE(
        WaitUntil([] { return IdleMilliseconds() < TickAtOnceMilliseconds; }, TickAtOnceMilliseconds));
    EXPECT_EQ(LastHold(), Hold::Held);
    EXPECT_LT(WatchIdle(HeldAgainWatchMilliseconds).longest, LongestIdleAllowed);
    EXPECT_TRUE(CloseAndWaitForExit(tray, *program));
}

} // namespace
