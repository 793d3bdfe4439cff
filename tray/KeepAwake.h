#pragma once

// The keep-awake controller's state: the mode, the icon set, the closing
// flags, the two timers, the session's state and whether the display and
// the system are to be held on.  The tray window maps the timer settings
// onto real window timers, the hold onto the system's requests, and
// performs the tick; everything decided here is a pure function of the calls
// made, so it can be tested without a window.
//
// Timer2's interval doubles as its state: 300 = a refresh is pending,
// 30000 = steady ticking (or idle when disabled), 0 = stopped for good.
//
// A timed SS_OFF, a rest on battery power and the tip's reasons are decided
// here too, from what the window reads of the system and passes in.

#include "tray/Switches.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

enum class TrayPicture {
    TrayWindowIcon, // the blue OFF/SS picture crossed out
    MainIcon, // the blue OFF/SS picture
    Image1, // the cyan ON/SS picture
    Image2, // the cyan ON/SS picture crossed out
};

struct TimerSetting {
    std::uint32_t interval;
    bool enabled;
};

struct TrayRefresh {
    std::string_view tip; // the controller's text, until its next Timer2 run
    TrayPicture picture;
};

// Two clocks in milliseconds: `tick` counts from the system's start, sleep
// included, whatever the clock says; `timeOfDay` is the local clock's time
// since midnight.
struct KeepAwakeClock {
    std::uint64_t tick = 0;
    std::uint32_t timeOfDay = 0;
};

// What the window reads at each run of Timer2.
struct SystemReadings {
    bool lockPolicy = false; // an administrator's rule locks an idle session
    bool onBattery = false;
    KeepAwakeClock clock;
    bool watchListed = false; // the watch list is not empty
    std::string_view watched = {}; // the first watched program running, in the list's order
};

// `base` followed by `reason` in full-width parentheses, without a blank;
// the reason is cut at a character boundary where the whole would not fit
// the tray's tip field, and the closing parenthesis stays.  An empty reason adds nothing.
std::string TipWithReason(std::string_view base, std::string_view reason);

// The watch's reason, "NAME 実行中", with NAME cut at a character boundary
// so that the reason after `base` stays whole in the tray's tip field.
std::string WatchedReason(std::string_view base, std::string_view name);

// Minutes left, rounded up, as hours and two-digit minutes: "1:23".
std::string TimeLeftText(std::uint32_t milliseconds);

// The submenu's entry of no timer, or of one given on the command line.
constexpr int NoTimerEntry = -1;

enum class Timer2State { Idle, Pending, Ticking, Stopped };

constexpr std::int32_t ModeScreenSaverOff = -1; // SS_OFF as the commands set it
constexpr std::int32_t ModeScreenSaverOn = 0; // SS_ON
constexpr std::uint32_t StartupDelay = 300;
constexpr std::uint32_t RefreshDelay = 300;
constexpr std::uint32_t TickInterval = 30000;

class KeepAwakeController {
public:
    KeepAwakeController(std::int32_t mode, std::int32_t mySoft);

    std::int32_t Mode() const { return mode_; }
    bool ScreenSaverOff() const { return mode_ != ModeScreenSaverOn; }
    std::int32_t MySoft() const { return mySoft_; }
    void SetMySoft(std::int32_t mySoft) { mySoft_ = mySoft; }
    bool ShuttingDown() const { return shuttingDown_; }
    bool TickBlocked() const { return tickBlocked_; }
    void BlockTicks() { tickBlocked_ = true; }
    // The display and the system are to be held on until the next tick.
    bool Holding() const { return holding_; }
    // Locked or disconnected: nobody sees the screen, so nothing is kept on.
    bool AtRest() const { return locked_ || disconnected_; }

    const TimerSetting& Timer1() const { return timer1_; }
    const TimerSetting& Timer2() const { return timer2_; }
    Timer2State State() const;

    // The end of the tray window's creation: Timer1 starts.
    void FinishCreation();
    // Timer1's one run: it never fires again.  The window then lets
    // messages run, hides its taskbar button and calls P0Click with the
    // mode held at that moment.
    void Timer1Fired();

    // The mode command: off = P0 or PML_OFF, otherwise P1 or PML_ON.  It
    // ends any timer.
    void P0Click(bool off);
    // Timer1's mode command, which keeps a timer given on the command line.
    void StartupP0Click();
    // Shared by the mode and icon-set commands: a refresh 300 ms later.
    void ModeRefresh();

    struct Timer2Step {
        std::optional<TrayRefresh> refresh; // tip and picture to show
        bool tick = false; // the keep-awake turn, after which the timer re-arms
        bool input = false; // counts as user activity now
        bool policyNotice = false; // tell the user why nothing is kept on
    };
    // Timer2's handler up to the tick; the readings' `lockPolicy` says
    // whether an administrator's rule locks the session after a time without
    // input, which the tick then must not defeat.  A steady tick shows the
    // tip again only when its text has changed.  After a tick the window
    // lets messages run and then calls Timer2TickDone.
    Timer2Step Timer2Fired(const SystemReadings& readings);
    void Timer2TickDone();

    // A timed SS_OFF from now, after the mode command that switched off;
    // `entry` is the submenu's entry that started it.
    void StartTimer(const TimedOffSwitch& timed, const KeepAwakeClock& now, int entry = NoTimerEntry);
    bool TimerRunning() const { return timer_.has_value(); }
    int TimerEntry() const { return timer_ ? timer_->entry : NoTimerEntry; }
    // The timer's reason in the tip, "残り 1:23"; empty without a timer.
    std::string TimerReason(const KeepAwakeClock& now) const;
    // At a run of Timer2 and after a sleep: a timer that is up ends, and the
    // mode becomes SS_ON as P1 makes it.  True when it ended now.
    bool CheckTimer(const KeepAwakeClock& now);

    // Mains only: while it is on and the system runs on battery, nothing is
    // kept on.  Both return true when ticking and the rest has begun or
    // ended: a tick is due at once (which shows the tip's reason too).
    bool MainsOnly() const { return mainsOnly_; }
    bool SetMainsOnly(bool mainsOnly, bool onBattery);
    bool PowerChanged(bool onBattery);

    // "ONOFF" as the close query saves it: a timed SS_OFF is never saved.
    std::int32_t ModeToSave() const { return timer_ ? ModeScreenSaverOn : mode_; }

    // A session change as the system numbers it (lock, unlock, connect,
    // disconnect; others change nothing).  True when the session has come
    // back while ticking: a tick is due at once.
    bool SessionChanged(std::uint32_t event);

    // The first part of the close query: no timer restarts and no picture
    // changes from now on.
    void Stop();

private:
    struct OffTimer {
        std::uint64_t end; // on the tick
        int entry;
    };

    // Keeping awake is in force: the mode is SS_OFF, or a watched program
    // runs.
    bool KeepingAwake() const { return ScreenSaverOff() || !watched_.empty(); }
    bool BatteryRest() const { return mainsOnly_ && onBattery_; }
    bool UpdateBatteryRest();
    std::uint32_t TimeLeft(const KeepAwakeClock& now) const;
    // The tip's reason, the first that applies; a locked session adds none.
    std::string TipReason(const KeepAwakeClock& now) const;
    std::string Tip(const KeepAwakeClock& now) const;
    TrayPicture Picture() const;

    std::int32_t mode_;
    std::int32_t mySoft_;
    bool shuttingDown_ = false;
    bool tickBlocked_ = false;
    bool holding_ = false;
    bool locked_ = false;
    bool disconnected_ = false;
    bool policyNoticeShown_ = false;
    bool lockPolicy_ = false;
    bool mainsOnly_ = false;
    bool onBattery_ = false;
    bool batteryRest_ = false;
    std::optional<OffTimer> timer_;
    std::string shownTip_;
    std::string watched_;
    TimerSetting timer1_ { StartupDelay, false };
    TimerSetting timer2_ { TickInterval, false };
};
