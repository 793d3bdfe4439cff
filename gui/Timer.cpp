#include "gui/Timer.h"

#include "gui/Form.h"

Timer::Timer(Form& owner, UINT interval, Callback<void()> onTimer)
    : owner_(owner)
    , id_(owner.RegisterTimer(this))
    , interval_(interval)
    , onTimer_(std::move(onTimer))
{
}

Timer::~Timer()
{
    if (owner_.Handle() != nullptr)
        KillTimer(owner_.Handle(), id_);
    owner_.UnregisterTimer(id_);
}

void Timer::SetInterval(UINT interval)
{
    if (interval == interval_)
        return;
    interval_ = interval;
    Update();
}

void Timer::SetEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    Update();
}

void Timer::Update()
{
    if (owner_.Handle() == nullptr)
        return;
    KillTimer(owner_.Handle(), id_);
    if (enabled_ && interval_ > 0)
        SetTimer(owner_.Handle(), id_, interval_, nullptr);
}

void Timer::Fire()
{
    // A message already queued before the timer was stopped is not a tick.
    if (enabled_ && interval_ > 0 && onTimer_)
        onTimer_();
}
