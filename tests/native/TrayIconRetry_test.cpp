#include "gui/TrayIconRetry.h"

#include <gtest/gtest.h>

namespace {

// Refused retries until the user is told, and the steps they gave.
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

TEST(TrayIconRetry, ARefusalStartsTheTimerAndAnAcceptedIconStopsIt)
{
    TrayIconRetry retry;
    EXPECT_TRUE(retry.Answered(false, TrayAttempt::Change).timerEnabled);
    EXPECT_TRUE(retry.Answered(false, TrayAttempt::Retry).timerEnabled);
    const TrayRetryStep accepted = retry.Answered(true, TrayAttempt::Retry);
    EXPECT_FALSE(accepted.timerEnabled);
    EXPECT_FALSE(accepted.tellUser);
    EXPECT_FALSE(retry.Answered(true, TrayAttempt::Change).timerEnabled);
}

TEST(TrayIconRetry, TellsOnceAfterAMinuteOfRefusedRetriesAndGoesOnQuietly)
{
    TrayIconRetry retry;
    // Refused changes (the tip of every refresh) do not make the minute.
    for (int i = 0; i < 3 * TrayRetriesBeforeTelling; ++i)
        EXPECT_FALSE(retry.Answered(false, TrayAttempt::Change).tellUser);
    EXPECT_EQ(RetriesUntilTold(retry), TrayRetriesBeforeTelling);
    EXPECT_GE(TrayRetriesBeforeTelling * TrayRetryInterval, 60000u);
    for (int i = 0; i < 3 * TrayRetriesBeforeTelling; ++i) {
        const TrayRetryStep step = retry.Answered(false, i % 2 ? TrayAttempt::Retry : TrayAttempt::Change);
        EXPECT_TRUE(step.timerEnabled);
        EXPECT_FALSE(step.tellUser);
    }
}

TEST(TrayIconRetry, AnIconThatCameAndWentStartsANewMinute)
{
    for (bool viaAccept : { true, false }) {
        TrayIconRetry retry;
        for (int i = 0; i < TrayRetriesBeforeTelling - 1; ++i)
            static_cast<void>(retry.Answered(false, TrayAttempt::Retry));
        if (viaAccept)
            static_cast<void>(retry.Answered(true, TrayAttempt::Change));
        else
            EXPECT_FALSE(retry.Stopped().timerEnabled);
        EXPECT_EQ(RetriesUntilTold(retry), TrayRetriesBeforeTelling);
        static_cast<void>(retry.Answered(true, TrayAttempt::Retry));
        EXPECT_EQ(RetriesUntilTold(retry), TrayRetriesBeforeTelling);
    }
}

} // namespace
