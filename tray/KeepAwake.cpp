#include "tray/KeepAwake.h"

#include "tray/SessionEvents.h"

#include <utility>

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
    mode_ = off ? ModeScreenSaverOff : ModeScreenSaverOn;
    ModeRefresh();
}

void KeepAwakeController::ModeRefresh()
{
    if (timer2_.interval != 0)
        timer2_.interval = RefreshDelay;
    if (!shuttingDown_)
        timer2_.enabled = true;
}

KeepAwakeController::Timer2Step KeepAwakeController::Timer2Fired(bool lockPolicy)
{
    timer2_.enabled = false;
    if (tickBlocked_)
        return {};
    Timer2Step step;
    if (timer2_.interval != TickInterval) {
        if (timer2_.interval != 0)
            timer2_.interval = TickInterval;
        step.refresh = RefreshFor();
        if (!ScreenSaverOff()) {
            holding_ = false;
            return step;
        }
    }
    step.tick = true;
    step.input = !AtRest() && !lockPolicy;
    holding_ = step.input;
    step.policyNotice = !AtRest() && lockPolicy && !std::exchange(policyNoticeShown_, true);
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

void KeepAwakeController::Stop()
{
    holding_ = false;
    tickBlocked_ = true;
    shuttingDown_ = true;
    timer2_.enabled = false;
    timer2_.interval = 0;
}

TrayRefresh KeepAwakeController::RefreshFor() const
{
    if (ScreenSaverOff())
        return { "DRIM32 - SS_OFF", mySoft_ != 0 ? TrayPicture::MainIcon : TrayPicture::Image2 };
    return { "DRIM32 - SS_ON", mySoft_ != 0 ? TrayPicture::TrayWindowIcon : TrayPicture::Image1 };
}
