#include "gui/TrayIconRetry.h"

#include <gtest/gtest.h>

namespace {

// Refused retries until the user is told; every one keeps the timer on.
int RetriesUntilTold(TrayIconRetry& retry)
{
    for (int refused = 1; refused <= 100; ++refused) {
        const TrayRetryStep step = retry.Answered(false, TrayAttempt::Retry);
        EXPECT_TRUE(step.timerEnabled);
        if (step.tellUser)
            return refused;
    }
    return -1;
}

TEST(TrayIconRetry, TheTimerRunsOnlyWhileTheIconIsRefused)
{
    TrayIconRetry retry;
    EXPECT_TRUE(retry.Answered(false, TrayAttempt::Change).timerEnabled);
    EXPECT_TRUE(retry.Answered(false, TrayAttempt::Retry).timerEnabled);
    EXPECT_FALSE(retry.Answered(true, TrayAttempt::Retry).timerEnabled);
    EXPECT_TRUE(retry.Answered(false, TrayAttempt::Change).timerEnabled);
    EXPECT_FALSE(retry.Stopped().timerEnabled);
}

// Refused changes (a tip at every refresh) do not make the minute; the user
// hears once per outage, and an icon that came and went starts a new one.
TEST(TrayIconRetry, TellsOnceAfterAMinuteOfRefusedRetries)
{
    EXPECT_GE(TrayRetriesBeforeTelling * TrayRetryInterval, 60000u);
    TrayIconRetry retry;
    for (int i = 0; i < 3 * TrayRetriesBeforeTelling; ++i)
        EXPECT_FALSE(retry.Answered(false, TrayAttempt::Change).tellUser);
    EXPECT_EQ(RetriesUntilTold(retry), TrayRetriesBeforeTelling);
    for (int i = 0; i < 3 * TrayRetriesBeforeTelling; ++i)
        EXPECT_FALSE(retry.Answered(false, TrayAttempt::Retry).tellUser);

    static_cast<void>(retry.Answered(true, TrayAttempt::Retry));
    EXPECT_EQ(RetriesUntilTold(retry), TrayRetriesBeforeTelling);
    static_cast<void>(retry.Stopped());
    EXPECT_EQ(RetriesUntilTold(retry), TrayRetriesBeforeTelling);
}

} // namespace
