#include "tray/KeepAwake.h"

#include "base/DecimalText.h"
#include "gui/TrayTip.h"
#include "text/CharacterCut.h"
#include "tray/SessionEvents.h"

#include <utility>

namespace {

// 32-bit: a timer lasts a day at most, and 64-bit division would bring the
// compiler's helpers along.
constexpr std::uint32_t MinuteMilliseconds = 60000;
constexpr std::uint32_t DayMilliseconds = 24 * 60 * MinuteMilliseconds;
constexpr std::string_view OpenReason = "（";
constexpr std::string_view CloseReason = "）";
constexpr std::string_view PolicyReason = "管理者のポリシーで休止中";
constexpr std::string_view BatteryReason = "バッテリー駆動中は休止";
constexpr std::string_view TimeLeftLead = "残り ";
constexpr std::string_view WatchedMark = " 実行中";
constexpr std::string_view SsOffTip = "DRIM32 - SS_OFF";

} // namespace

std::string TipWithReason(std::string_view base, std::string_view reason)
{
    std::string tip(base);
    if (reason.empty())
        return tip;
    const std::size_t frame = base.size() + OpenReason.size() + CloseReason.size();
    const std::size_t room = frame < TrayTipFieldSize - 1 ? TrayTipFieldSize - 1 - frame : 0;
    tip += OpenReason;
    tip += CutWholeCharacters(reason, room);
    tip += CloseReason;
    return tip;
}

std::string WatchedReason(std::string_view base, std::string_view name)
{
    const std::size_t frame = base.size() + OpenReason.size() + WatchedMark.size() + CloseReason.size();
    std::string reason(
        CutWholeCharacters(name, frame < TrayTipFieldSize - 1 ? TrayTipFieldSize - 1 - frame : 0));
    reason += WatchedMark;
    return reason;
}

std::string TimeLeftText(std::uint32_t milliseconds)
{
    const std::uint32_t minutes = (milliseconds + MinuteMilliseconds - 1) / MinuteMilliseconds;
    std::string text = DecimalText(static_cast<long>(minutes / 60));
    text += ':';
    text += static_cast<char>('0' + minutes % 60 / 10);
    text += static_cast<char>('0' + minutes % 10);
    return text;
}

KeepAwakeController::KeepAwakeController(std::int32_t mode, std::int32_t mySoft)
    : mode_(mode)
    , mySoft_(mySoft)
{
}

Timer2State KeepAwakeController::State() const
{
    if (timer2_.interval == 0)
        return Timer2State::Stopped;
    if (timer2_.interval != TickInterval)
        return Timer2State::Pending;
    return timer2_.enabled ? Timer2State::Ticking : Timer2State::Idle;
}

void KeepAwakeController::FinishCreation()
{
    if (!shuttingDown_)
        timer1_.enabled = true;
}

void KeepAwakeController::Timer1Fired()
{
    timer1_.enabled = false;
}

void KeepAwakeController::P0Click(bool off)
{
    timer_.reset();
    mode_ = off ? ModeScreenSaverOff : ModeScreenSaverOn;
    ModeRefresh();
}

void KeepAwakeController::StartupP0Click()
{
    const std::optional<OffTimer> timer = timer_;
    P0Click(ScreenSaverOff());
    timer_ = timer;
}

void KeepAwakeController::ModeRefresh()
{
    if (timer2_.interval != 0)
        timer2_.interval = RefreshDelay;
    if (!shuttingDown_)
        timer2_.enabled = true;
}

KeepAwakeController::Timer2Step KeepAwakeController::Timer2Fired(const SystemReadings& readings)
{
    timer2_.enabled = false;
    if (tickBlocked_ || CheckTimer(readings.clock))
        return {};
    lockPolicy_ = readings.lockPolicy;
    onBattery_ = readings.onBattery;
    watched_ = readings.watched;
    UpdateBatteryRest();
    Timer2Step step;
    const bool pending = timer2_.interval != TickInterval;
    if (pending && timer2_.interval != 0)
        timer2_.interval = TickInterval;
    std::string tip = Tip(readings.clock);
    if (pending || tip != shownTip_) {
        shownTip_ = std::move(tip);
        step.refresh = TrayRefresh { shownTip_, Picture() };
    }
    // SS_ON has no timer, except to look for the watched programs.
    if (!KeepingAwake() && !readings.watchListed) {
        holding_ = false;
        return step;
    }
    step.tick = true;
    const bool awake = KeepingAwake() && !AtRest();
    step.input = awake && !lockPolicy_ && !batteryRest_;
    holding_ = step.input;
    step.policyNotice = awake && lockPolicy_ && !std::exchange(policyNoticeShown_, true);
    return step;
}

void KeepAwakeController::Timer2TickDone()
{
    if (!shuttingDown_)
        timer2_.enabled = true;
}

bool KeepAwakeController::SessionChanged(std::uint32_t event)
{
    const bool wasAtRest = AtRest();
    switch (event) {
    case ConsoleConnect:
    case RemoteConnect:
        disconnected_ = false;
        break;
    case ConsoleDisconnect:
    case RemoteDisconnect:
        disconnected_ = true;
        break;
    case SessionLock:
        locked_ = true;
        break;
    case SessionUnlock:
        locked_ = false;
        break;
    default:
        return false;
    }
    if (AtRest())
        holding_ = false;
    return wasAtRest && !AtRest() && State() == Timer2State::Ticking;
}

void KeepAwakeController::StartTimer(const TimedOffSwitch& timed, const KeepAwakeClock& now, int entry)
{
    std::uint32_t length = timed.minutes * MinuteMilliseconds;
    // A time of day becomes the time until it; the time of day now is the
    // time of day of tomorrow.
    if (timed.atClock)
        length = length > now.timeOfDay ? length - now.timeOfDay : length + DayMilliseconds - now.timeOfDay;
    timer_ = OffTimer { now.tick + length, entry };
}

std::uint32_t KeepAwakeController::TimeLeft(const KeepAwakeClock& now) const
{
    return timer_->end > now.tick ? static_cast<std::uint32_t>(timer_->end - now.tick) : 0;
}

std::string KeepAwakeController::TimerReason(const KeepAwakeClock& now) const
{
    std::string reason;
    if (timer_) {
        reason = TimeLeftLead;
        reason += TimeLeftText(TimeLeft(now));
    }
    return reason;
}

bool KeepAwakeController::CheckTimer(const KeepAwakeClock& now)
{
    if (!timer_ || TimeLeft(now) != 0)
        return false;
    P0Click(false);
    return true;
}

bool KeepAwakeController::UpdateBatteryRest()
{
    const bool rest = BatteryRest();
    if (rest)
        holding_ = false;
    return std::exchange(batteryRest_, rest) != rest && State() == Timer2State::Ticking;
}

bool KeepAwakeController::SetMainsOnly(bool mainsOnly, bool onBattery)
{
    mainsOnly_ = mainsOnly;
    return PowerChanged(onBattery);
}

bool KeepAwakeController::PowerChanged(bool onBattery)
{
    onBattery_ = onBattery;
    return UpdateBatteryRest();
}

std::string KeepAwakeController::TipReason(const KeepAwakeClock& now) const
{
    if (!KeepingAwake())
        return {};
    if (lockPolicy_)
        return std::string(PolicyReason);
    if (batteryRest_)
        return std::string(BatteryReason);
    // Only SS_OFF has a timer, and only SS_ON names the watched program.
    if (!ScreenSaverOff())
        return WatchedReason(SsOffTip, watched_);
    return TimerReason(now);
}

void KeepAwakeController::Stop()
{
    holding_ = false;
    tickBlocked_ = true;
    shuttingDown_ = true;
    timer2_.enabled = false;
    timer2_.interval = 0;
}

std::string KeepAwakeController::Tip(const KeepAwakeClock& now) const
{
    return TipWithReason(KeepingAwake() ? SsOffTip : "DRIM32 - SS_ON", TipReason(now));
}

TrayPicture KeepAwakeController::Picture() const
{
    if (KeepingAwake())
        return mySoft_ != 0 ? TrayPicture::MainIcon : TrayPicture::Image2;
    return mySoft_ != 0 ? TrayPicture::TrayWindowIcon : TrayPicture::Image1;
}
