#include "gui/TrayIconRetry.h"

TrayRetryStep TrayIconRetry::Answered(bool accepted, TrayAttempt attempt)
{
    addTried_ = addTried_ || nextCall_ == TrayCall::Add;
    iconAdded_ = accepted;
    if (accepted) {
        nextCall_ = TrayCall::Modify;
        return Stopped();
    }
    // A refused add may have been carried out late, and a refused modify
    // says the shell no longer has the icon (a taskbar that restarted
    // without announcing itself): each time the other call is tried next.
    nextCall_ = nextCall_ == TrayCall::Add ? TrayCall::Modify : TrayCall::Add;
    if (attempt == TrayAttempt::Retry)
        ++refusedRetries_;
    // Once per outage: an icon that came and went again is news again, but
    // a box every five seconds would be none.
    const bool tell = !told_ && refusedRetries_ >= TrayRetriesBeforeTelling;
    told_ = told_ || tell;
    return { true, tell };
}

bool TrayIconRetry::Forget()
{
    const bool deleteOwed = addTried_;
    nextCall_ = TrayCall::Add;
    iconAdded_ = false;
    addTried_ = false;
    return deleteOwed;
}

TrayRetryStep TrayIconRetry::Stopped()
{
    refusedRetries_ = 0;
    told_ = false;
    return { false, false };
}
