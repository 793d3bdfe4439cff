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

#include <cstdint>
#include <optional>
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
    std::string_view tip; // one of the two fixed tips, which live as long as the program
    TrayPicture picture;
};

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

    // The mode command: off = P0 or PML_OFF, otherwise P1 or PML_ON.
    void P0Click(bool off);
    // Shared by the mode and icon-set commands: a refresh 300 ms later.
    void ModeRefresh();

    struct Timer2Step {
        std::optional<TrayRefresh> refresh; // tip and picture to show
        bool tick = false; // the keep-awake turn, after which the timer re-arms
        bool input = false; // counts as user activity now
        bool policyNotice = false; // tell the user why nothing is kept on
    };
    // Timer2's handler up to the tick; `lockPolicy` says whether an
    // administrator's rule locks the session after a time without input,
    // which the tick then must not defeat.  After a tick the window lets
    // messages run and then calls Timer2TickDone.
    Timer2Step Timer2Fired(bool lockPolicy);
    void Timer2TickDone();

    // A session change as the system numbers it (lock, unlock, connect,
    // disconnect; others change nothing).  True when the session has come
    // back while ticking: a tick is due at once.
    bool SessionChanged(std::uint32_t event);

    // The first part of the close query: no timer restarts and no picture
    // changes from now on.
    void Stop();

private:
    TrayRefresh RefreshFor() const;

    std::int32_t mode_;
    std::int32_t mySoft_;
    bool shuttingDown_ = false;
    bool tickBlocked_ = false;
    bool holding_ = false;
    bool locked_ = false;
    bool disconnected_ = false;
    bool policyNoticeShown_ = false;
    TimerSetting timer1_ { StartupDelay, false };
    TimerSetting timer2_ { TickInterval, false };
};
