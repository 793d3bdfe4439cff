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

// A refused add may still have been carried out, so a modify is tried next;
// a refused modify says the icon is gone, so an add is.  Only an answer
// that takes the call counts the icon as there.
TEST(TrayIconRetry, RefusedCallsAlternateBetweenAddAndModify)
{
    TrayIconRetry retry;
    const TrayCall expected[] = { TrayCall::Add, TrayCall::Modify, TrayCall::Add, TrayCall::Modify };
    for (TrayCall call : expected) {
        EXPECT_EQ(retry.NextCall(), call);
        static_cast<void>(retry.Answered(false, TrayAttempt::Retry));
        EXPECT_FALSE(retry.IconAdded());
    }
    EXPECT_FALSE(retry.Answered(true, TrayAttempt::Change).timerEnabled);
    EXPECT_TRUE(retry.IconAdded());
    EXPECT_EQ(retry.NextCall(), TrayCall::Modify);
    static_cast<void>(retry.Answered(false, TrayAttempt::Change));
    EXPECT_FALSE(retry.IconAdded());
    EXPECT_EQ(retry.NextCall(), TrayCall::Add);
}

TEST(TrayIconRetry, AnIconOfWhichAnAddWasTriedIsDeletedWhateverTheAnswer)
{
    TrayIconRetry retry;
    EXPECT_FALSE(retry.Forget()) << "nothing was sent";
    static_cast<void>(retry.Answered(false, TrayAttempt::Change));
    EXPECT_TRUE(retry.Forget()) << "a refused add";
    EXPECT_EQ(retry.NextCall(), TrayCall::Add);
    EXPECT_FALSE(retry.Forget()) << "deleted already";

    static_cast<void>(retry.Answered(true, TrayAttempt::Change));
    static_cast<void>(retry.Answered(false, TrayAttempt::Retry));
    EXPECT_TRUE(retry.Forget()) << "an add taken, then a modify refused";
    EXPECT_FALSE(retry.IconAdded());
}

} // namespace
