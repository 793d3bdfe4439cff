#include "gui/TrayIconRetry.h"

TrayRetryStep TrayIconRetry::Answered(bool accepted, TrayAttempt attempt)
{
    if (accepted)
        return Stopped();
    if (attempt == TrayAttempt::Retry)
        ++refusedRetries_;
    // Once per outage: an icon that came and went again is news again, but
    // a box every five seconds would be none.
    const bool tell = !told_ && refusedRetries_ >= TrayRetriesBeforeTelling;
    told_ = told_ || tell;
    return { true, tell };
}

TrayRetryStep TrayIconRetry::Stopped()
{
    refusedRetries_ = 0;
    told_ = false;
    return { false, false };
}
