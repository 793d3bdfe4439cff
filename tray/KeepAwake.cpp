#include "tray/KeepAwake.h"

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

KeepAwakeController::Timer2Step KeepAwakeController::Timer2Fired()
{
    timer2_.enabled = false;
    if (tickBlocked_)
        return {};
    Timer2Step step;
    if (timer2_.interval != TickInterval) {
        if (timer2_.interval != 0)
            timer2_.interval = TickInterval;
        step.refresh = RefreshFor();
        if (!ScreenSaverOff())
            return step;
    }
    step.tick = true;
    return step;
}

void KeepAwakeController::Timer2TickDone()
{
    if (!shuttingDown_)
        timer2_.enabled = true;
}

void KeepAwakeController::Stop()
{
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
