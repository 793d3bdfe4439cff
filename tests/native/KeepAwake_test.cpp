#include "tray/KeepAwake.h"

#include "program/ProgramValues.h"
#include "tray/KeepAwakeHold.h"
#include "tray/SessionEvents.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Runs Timer2's handler the way the window does, ticks included.
KeepAwakeController::Timer2Step FireTimer2(KeepAwakeController& c, const SystemReadings& readings)
{
    KeepAwakeController::Timer2Step step = c.Timer2Fired(readings);
    if (step.tick)
        c.Timer2TickDone();
    return step;
}

KeepAwakeController::Timer2Step FireTimer2(KeepAwakeController& c, bool lockPolicy = false)
{
    return FireTimer2(c, { lockPolicy, false, {} });
}

TEST(KeepAwakeStart, Timer1RunsOnceAndSchedulesTheFirstRefresh)
{
    KeepAwakeController c(1, 0);
    EXPECT_FALSE(c.Timer1().enabled);
    EXPECT_EQ(c.State(), Timer2State::Idle);
    c.FinishCreation();
    EXPECT_TRUE(c.Timer1().enabled);
    EXPECT_EQ(c.Timer1().interval, 300u);

    c.Timer1Fired();
    EXPECT_FALSE(c.Timer1().enabled);
    c.P0Click(c.Mode() != 0);
    EXPECT_EQ(c.Mode(), -1) << "any non-zero mode is normalised to -1";
    EXPECT_EQ(c.State(), Timer2State::Pending);
    EXPECT_EQ(c.Timer2().interval, 300u);
}

TEST(KeepAwakeRefresh, OffShowsTheOffTipThenTicksEveryThirtySeconds)
{
    KeepAwakeController c(-1, 0);
    c.P0Click(true);
    const auto first = FireTimer2(c);
    ASSERT_TRUE(first.refresh);
    EXPECT_EQ(first.refresh->tip, "DRIM32 - SS_OFF");
    EXPECT_EQ(first.refresh->picture, TrayPicture::Image2);
    EXPECT_TRUE(first.tick);
    EXPECT_EQ(c.State(), Timer2State::Ticking);
    EXPECT_EQ(c.Timer2().interval, 30000u);

    const auto steady = FireTimer2(c);
    EXPECT_FALSE(steady.refresh) << "a steady tick leaves tip and icon alone";
    EXPECT_TRUE(steady.tick);
    EXPECT_EQ(c.State(), Timer2State::Ticking);
}

TEST(KeepAwakeRefresh, OnShowsTheOnTipAndStops)
{
    KeepAwakeController c(-1, 0);
    c.P0Click(true);
    FireTimer2(c);
    c.P0Click(false);
    EXPECT_EQ(c.State(), Timer2State::Pending);
    const auto step = FireTimer2(c);
    ASSERT_TRUE(step.refresh);
    EXPECT_EQ(step.refresh->tip, "DRIM32 - SS_ON");
    EXPECT_EQ(step.refresh->picture, TrayPicture::Image1);
    EXPECT_FALSE(step.tick);
    EXPECT_EQ(c.State(), Timer2State::Idle) << "in SS_ON nothing runs until the next command";
}

TEST(KeepAwakeRefresh, IconSetChoosesThePictures)
{
    KeepAwakeController off(-1, 7);
    off.P0Click(true);
    EXPECT_EQ(FireTimer2(off).refresh->picture, TrayPicture::MainIcon);
    KeepAwakeController on(0, -1);
    on.P0Click(false);
    EXPECT_EQ(FireTimer2(on).refresh->picture, TrayPicture::TrayWindowIcon);
}

TEST(KeepAwakeRefresh, IconCommandWhileTickingRefreshesAndTicksAgain)
{
    KeepAwakeController c(-1, 0);
    c.P0Click(true);
    FireTimer2(c);
    c.SetMySoft(-1);
    c.ModeRefresh();
    EXPECT_EQ(c.State(), Timer2State::Pending);
    const auto step = FireTimer2(c);
    EXPECT_EQ(step.refresh->picture, TrayPicture::MainIcon);
    EXPECT_TRUE(step.tick);
}

TEST(KeepAwakeClosing, StopIsFinalWhateverArrivesAfterwards)
{
    KeepAwakeController c(-1, 0);
    c.P0Click(true);
    FireTimer2(c);
    c.Stop();
    EXPECT_EQ(c.State(), Timer2State::Stopped);
    EXPECT_TRUE(c.ShuttingDown());
    EXPECT_TRUE(c.TickBlocked());

    c.P0Click(false);
    EXPECT_EQ(c.Mode(), 0) << "the mode still changes in memory";
    EXPECT_EQ(c.Timer2().interval, 0u);
    EXPECT_FALSE(c.Timer2().enabled);
    c.ModeRefresh();
    EXPECT_FALSE(c.Timer2().enabled);
    c.FinishCreation();
    EXPECT_FALSE(c.Timer1().enabled);
}

TEST(KeepAwakeClosing, BlockedTickDoesNothingAndLeavesTheTimerOff)
{
    KeepAwakeController c(-1, 0);
    c.P0Click(true);
    c.BlockTicks();
    const auto step = c.Timer2Fired({});
    EXPECT_FALSE(step.refresh);
    EXPECT_FALSE(step.tick);
    EXPECT_FALSE(c.Timer2().enabled);
}

TEST(KeepAwakeClosing, TickInProgressWhenClosingDoesNotRearm)
{
    KeepAwakeController c(-1, 0);
    c.P0Click(true);
    const auto step = c.Timer2Fired({});
    ASSERT_TRUE(step.tick);
    c.Stop(); // the close query ran while the tick let messages run
    c.Timer2TickDone();
    EXPECT_FALSE(c.Timer2().enabled);
    EXPECT_EQ(c.State(), Timer2State::Stopped);
}

TEST(KeepAwakeClosing, PendingRefreshAfterStopIsNotShown)
{
    KeepAwakeController c(-1, 0);
    c.P0Click(true);
    c.Stop();
    // A timer message queued before the stop still arrives.
    const auto step = c.Timer2Fired({});
    EXPECT_FALSE(step.refresh);
}

// Stands in for the system: the requests made and set, and the thread's
// execution state.
struct SystemStandIn final : KeepAwakeHold {
    bool requestGiven = true;
    bool requestSettable = true;
    std::string reason;
    int requestsMade = 0;
    unsigned requestsSet = 0; // a bit for each kind
    std::uint32_t state = 0;

    bool CreateRequest(std::string_view text) override
    {
        reason = text;
        ++requestsMade;
        return requestGiven;
    }
    bool SetRequest(PowerRequestKind kind) override
    {
        requestsSet |= requestSettable ? Bit(kind) : 0;
        return requestSettable;
    }
    void ClearRequest(PowerRequestKind kind) override { requestsSet &= ~Bit(kind); }
    void SetExecutionState(std::uint32_t flags) override { state = flags; }
    static unsigned Bit(PowerRequestKind kind) { return 1u << static_cast<unsigned>(kind); }
};

constexpr unsigned BothRequests = 3;
constexpr std::uint32_t StateHeld = ExecutionContinuous | ExecutionDisplayRequired | ExecutionSystemRequired;

TEST(KeepAwakeHold, HeldInOffWithTheTitleAsReasonAndReleasedWhenNothingIsKeptOn)
{
    KeepAwakeController c(-1, 0);
    SystemStandIn system;
    const auto fire = [&](bool lockPolicy) {
        FireTimer2(c, lockPolicy);
        system.Set(c.Holding());
        return system.requestsSet;
    };
    c.P0Click(true);
    EXPECT_EQ(fire(false), BothRequests);
    EXPECT_EQ(system.reason, ApplicationTitle);
    c.P0Click(false);
    EXPECT_TRUE(c.Holding()) << "held until the refresh is processed";
    EXPECT_EQ(fire(false), 0u) << "SS_ON";
    c.P0Click(true);
    EXPECT_EQ(fire(false), BothRequests);
    EXPECT_EQ(fire(true), 0u) << "a lock policy";
    EXPECT_EQ(fire(false), BothRequests);
    c.SessionChanged(SessionLock);
    system.Set(c.Holding());
    EXPECT_EQ(system.requestsSet, 0u) << "locked";
    c.SessionChanged(SessionUnlock);
    EXPECT_EQ(fire(false), BothRequests);
    c.Stop();
    system.Set(c.Holding());
    EXPECT_EQ(system.requestsSet, 0u) << "the close query";
    EXPECT_EQ(system.requestsMade, 1);
    EXPECT_EQ(system.state, 0u);
}

TEST(KeepAwakeHold, ContinuousExecutionStateWhereTheSystemGivesOrSetsNoRequest)
{
    for (const bool given : { false, true }) {
        SystemStandIn system;
        system.requestGiven = given;
        system.requestSettable = false;
        system.Set(true);
        EXPECT_EQ(system.state, StateHeld);
        system.Set(false);
        EXPECT_EQ(system.state, ExecutionContinuous);
        system.Set(true);
        EXPECT_EQ(system.state, StateHeld);
        EXPECT_EQ(system.requestsMade, 1);
    }
}

TEST(KeepAwakeSession, LockedRestsAReconnectDoesNotResumeAndTheUnlockTicksAtOnce)
{
    KeepAwakeController c(-1, 0);
    c.P0Click(true);
    FireTimer2(c);
    EXPECT_FALSE(c.SessionChanged(SessionLock));
    const auto rest = FireTimer2(c);
    EXPECT_TRUE(rest.tick && !rest.input) << "the timer goes on doing nothing";
    EXPECT_FALSE(c.SessionChanged(RemoteDisconnect));
    EXPECT_FALSE(c.SessionChanged(RemoteConnect)) << "still locked";
    EXPECT_FALSE(c.SessionChanged(5)) << "a logon changes nothing";
    EXPECT_TRUE(c.SessionChanged(SessionUnlock));
    EXPECT_TRUE(FireTimer2(c).input);

    EXPECT_FALSE(c.SessionChanged(RemoteDisconnect));
    c.P0Click(false);
    FireTimer2(c);
    EXPECT_FALSE(c.SessionChanged(RemoteConnect)) << "in SS_ON nothing is due";
    c.P0Click(true);
    EXPECT_FALSE(c.SessionChanged(SessionLock));
    EXPECT_FALSE(c.SessionChanged(SessionUnlock)) << "the pending refresh ticks anyway";
}

// A controller in SS_OFF after its start-up refresh, and the system it reads.
struct Rig {
    static constexpr std::uint32_t Minute = 60000;
    static constexpr std::uint32_t HalfPastNoon = 750 * Minute;

    KeepAwakeController c { -1, 0 };
    SystemReadings r { false, false, { 5 * Minute, HalfPastNoon } };
    KeepAwakeController::Timer2Step last;
    std::string tip;

    void Fire()
    {
        last = FireTimer2(c, r);
        if (last.refresh)
            tip = last.refresh->tip;
    }
    void Pass(std::uint64_t minutes)
    {
        r.clock.tick += minutes * Minute;
        r.clock.timeOfDay += static_cast<std::uint32_t>(minutes * Minute);
    }
    void Watch(std::string_view running)
    {
        r.watchListed = true;
        r.watched = running;
    }
    void Start(std::uint16_t minutes, int entry = 0)
    {
        c.P0Click(true);
        c.StartTimer({ false, minutes }, r.clock, entry);
        Fire();
    }
};

struct ReasonCase {
    const char* label;
    void (*script)(Rig&);
    std::string tip;
    bool input; // the last tick counted as input
    std::int32_t saved; // "ONOFF" as a close would save it
    int entry = NoTimerEntry;
};

const ReasonCase ReasonCases[] = {
    { "no reason", [](Rig& g) { g.c.P0Click(true), g.Fire(); }, "DRIM32 - SS_OFF", true, -1 },
    { "the policy first",
        [](Rig& g) {
            g.r = { true, true, g.r.clock }, g.c.SetMainsOnly(true, true), g.Start(30);
        },
        "DRIM32 - SS_OFF（管理者のポリシーで休止中）", false, 0, 0 },
    { "the battery before the timer",
        [](Rig& g) { g.r.onBattery = true, g.c.SetMainsOnly(true, true), g.Start(60, 1); },
        "DRIM32 - SS_OFF（バッテリー駆動中は休止）", false, 0, 1 },
    { "the time left, rounded up", [](Rig& g) { g.Start(30), g.r.clock.tick += 61000, g.Fire(); },
        "DRIM32 - SS_OFF（残り 0:29）", true, 0, 0 },
    { "a lock adds none", [](Rig& g) { g.c.SessionChanged(7), g.Start(480, 4); },
        "DRIM32 - SS_OFF（残り 8:00）", false, 0, 4 },
    { "no reason in SS_ON", [](Rig& g) { g.r.lockPolicy = true, g.c.P0Click(false), g.Fire(); },
        "DRIM32 - SS_ON", false, 0 },
    { "the timer's end is SS_ON", [](Rig& g) { g.Start(30), g.Pass(30), g.Fire(), g.Fire(); },
        "DRIM32 - SS_ON", false, 0 },
    { "a timer across a sleep",
        [](Rig& g) {
            g.Start(60);
            g.r.clock.tick += 61 * Rig::Minute; // no timer message came during the sleep
            EXPECT_TRUE(g.c.CheckTimer(g.r.clock));
            g.Fire();
        },
        "DRIM32 - SS_ON", false, 0 },
    { "a mode command ends the timer", [](Rig& g) { g.Start(120, 2), g.c.P0Click(true), g.Fire(); },
        "DRIM32 - SS_OFF", true, -1 },
    { "a command-line timer outlives the start-up click",
        [](Rig& g) {
            g.c.StartTimer({ true, 12 * 60 + 30 }, g.r.clock);
            g.c.FinishCreation(), g.c.Timer1Fired(), g.c.StartupP0Click(), g.Fire();
        },
        "DRIM32 - SS_OFF（残り 24:00）", true, 0 },
    { "on battery, then back on mains",
        [](Rig& g) {
            g.c.SetMainsOnly(true, false), g.c.P0Click(true), g.Fire();
            EXPECT_TRUE(g.c.PowerChanged(true)) << "the rest shows at once";
            EXPECT_FALSE(g.c.Holding());
            g.r.onBattery = true, g.Fire();
            EXPECT_FALSE(g.last.input);
            EXPECT_TRUE(g.c.PowerChanged(false)) << "a tick at once";
            g.r.onBattery = false, g.Fire();
        },
        "DRIM32 - SS_OFF", true, -1 },
    { "on battery without mains only", [](Rig& g) { g.r.onBattery = true, g.c.P0Click(true), g.Fire(); },
        "DRIM32 - SS_OFF", true, -1 },
    { "a watched program in SS_ON", [](Rig& g) { g.c.P0Click(false), g.Watch("a.exe"), g.Fire(); },
        "DRIM32 - SS_OFF（a.exe 実行中）", true, 0 },
    { "two watched programs: the tip follows the first running",
        [](Rig& g) { g.c.P0Click(false), g.Watch("a.exe"), g.Fire(), g.Watch("b.exe"), g.Fire(); },
        "DRIM32 - SS_OFF（b.exe 実行中）", true, 0 },
    { "the battery before the watch",
        [](Rig& g) {
            g.r.onBattery = true, g.c.SetMainsOnly(true, true), g.c.P0Click(false), g.Watch("a.exe"),
            g.Fire();
        },
        "DRIM32 - SS_OFF（バッテリー駆動中は休止）", false, 0 },
    { "a watch in SS_OFF keeps the mode's tip", [](Rig& g) { g.Watch("a.exe"), g.c.P0Click(true), g.Fire(); },
        "DRIM32 - SS_OFF", true, -1 },
    { "the watch's end gives SS_ON back",
        [](Rig& g) {
            g.c.P0Click(false), g.Watch("a.exe"), g.Fire(), g.Fire();
            g.Watch(""), g.Fire();
            EXPECT_FALSE(g.c.Holding());
            EXPECT_EQ(g.c.State(), Timer2State::Ticking) << "the list is still looked for";
        },
        "DRIM32 - SS_ON", false, 0 },
};

TEST(KeepAwakeReasons, TipModeAndTimerFollowTheTable)
{
    for (const ReasonCase& row : ReasonCases) {
        Rig rig;
        row.script(rig);
        EXPECT_EQ(rig.tip, row.tip) << row.label;
        EXPECT_EQ(rig.last.input, row.input) << row.label;
        EXPECT_EQ(rig.c.ModeToSave(), row.saved) << row.label;
        EXPECT_EQ(rig.c.TimerEntry(), row.entry) << row.label;
    }
}

TEST(KeepAwakeReasons, TheTipKeepsItsClosingParenthesisWhenCut)
{
    EXPECT_EQ(TipWithReason("DRIM32 - SS_ON", ""), "DRIM32 - SS_ON");
    const std::string cut
        = TipWithReason("DRIM32 - SS_OFF", "とても長い名前のプログラム.exe 実行中、さらに長く");
    EXPECT_EQ(cut.size(), 62u) << "one byte short rather than half a character";
    EXPECT_TRUE(cut.ends_with("）"));
    EXPECT_EQ(TipWithReason("DRIM32 - SS_OFF", "あいうえおかきくけこさしすせそたちつてとなにぬ"),
        "DRIM32 - SS_OFF（あいうえおかきくけこさしすせそたちつてとなに）");
    EXPECT_EQ(WatchedReason("DRIM32 - SS_OFF", "a.exe"), "a.exe 実行中");
    // 63 - 15 - 2 - 7 - 2 = 37 bytes of the name; half a character goes.
    EXPECT_EQ(TipWithReason("DRIM32 - SS_OFF", WatchedReason("DRIM32 - SS_OFF", std::string(36, 'n') + "表")),
        "DRIM32 - SS_OFF（" + std::string(36, 'n') + " 実行中）");
    EXPECT_EQ(TimeLeftText(0), "0:00");
    EXPECT_EQ(TimeLeftText(1), "0:01");
    EXPECT_EQ(TimeLeftText(83 * 60000), "1:23");
}

TEST(KeepAwakePolicy, NoInputAndTheNoticeOncePerStart)
{
    KeepAwakeController c(-1, 0);
    c.P0Click(true);
    const auto first = FireTimer2(c, true);
    EXPECT_TRUE(first.refresh && first.tick && first.policyNotice) << "tip and icon as without a policy";
    EXPECT_FALSE(first.input);
    EXPECT_FALSE(FireTimer2(c, true).policyNotice);
    EXPECT_TRUE(FireTimer2(c).input) << "a policy lifted counts at the next tick";
    const auto again = FireTimer2(c, true);
    EXPECT_FALSE(again.input || again.policyNotice);
}

} // namespace

TEST(KeepAwakeWatch, ShowsTheOffPictureInSsOnAndLooksOnlyWhileTheListHasNames)
{
    Rig g;
    g.c.P0Click(false), g.Watch("a.exe"), g.Fire();
    ASSERT_TRUE(g.last.refresh);
    EXPECT_EQ(g.last.refresh->picture, TrayPicture::Image2);
    EXPECT_TRUE(g.c.Holding());
    EXPECT_EQ(g.c.Mode(), 0) << "a watch never changes the mode";
    g.Watch(""), g.Fire();
    EXPECT_EQ(g.last.refresh->picture, TrayPicture::Image1);
    g.r.watchListed = false, g.c.ModeRefresh(), g.Fire();
    EXPECT_EQ(g.c.State(), Timer2State::Idle) << "an empty list leaves SS_ON without a timer";
}
