#include "tray/KeepAwake.h"

#include <gtest/gtest.h>

namespace {

// Runs Timer2's handler the way the window does, ticks included.
KeepAwakeController::Timer2Step FireTimer2(KeepAwakeController& c)
{
    KeepAwakeController::Timer2Step step = c.Timer2Fired();
    if (step.tick)
        c.Timer2TickDone();
    return step;
}

TEST(KeepAwakeStart, Timer1RunsOnceAndSchedulesTheFirstRefresh)
{
    KeepAwakeController c(1, 0);
    EXPECT_FALSE(c.Timer1().enabled);
    EXPECT_EQ(c.State(), Timer2State::Idle);
    c.FinishCreation();
    EXPECT_TRUE(c.Timer1().enabled);
    EXPECT_EQ(c.Timer1().interval, 300u);

    c.Timer1Fired();
    EXPECT_FALSE(c.Timer1().enabled);
    c.P0Click(c.Mode() != 0);
    EXPECT_EQ(c.Mode(), -1) << "any non-zero mode is normalised to -1";
    EXPECT_EQ(c.State(), Timer2State::Pending);
    EXPECT_EQ(c.Timer2().interval, 300u);
}

TEST(KeepAwakeRefresh, OffShowsTheOffTipThenTicksEveryThirtySeconds)
{
    KeepAwakeController c(-1, 0);
    c.P0Click(true);
    const auto first = FireTimer2(c);
    ASSERT_TRUE(first.refresh);
    EXPECT_EQ(first.refresh->tip, "DRIM32 - SS_OFF");
    EXPECT_EQ(first.refresh->picture, TrayPicture::Image2);
    EXPECT_TRUE(first.tick);
    EXPECT_EQ(c.State(), Timer2State::Ticking);
    EXPECT_EQ(c.Timer2().interval, 30000u);

    const auto steady = FireTimer2(c);
    EXPECT_FALSE(steady.refresh) << "a steady tick leaves tip and icon alone";
    EXPECT_TRUE(steady.tick);
    EXPECT_EQ(c.State(), Timer2State::Ticking);
}

TEST(KeepAwakeRefresh, OnShowsTheOnTipAndStops)
{
    KeepAwakeController c(-1, 0);
    c.P0Click(true);
    FireTimer2(c);
    c.P0Click(false);
    EXPECT_EQ(c.State(), Timer2State::Pending);
    const auto step = FireTimer2(c);
    ASSERT_TRUE(step.refresh);
    EXPECT_EQ(step.refresh->tip, "DRIM32 - SS_ON");
    EXPECT_EQ(step.refresh->picture, TrayPicture::Image1);
    EXPECT_FALSE(step.tick);
    EXPECT_EQ(c.State(), Timer2State::Idle) << "in SS_ON nothing runs until the next command";
}

TEST(KeepAwakeRefresh, IconSetChoosesThePictures)
{
    KeepAwakeController off(-1, 7);
    off.P0Click(true);
    EXPECT_EQ(FireTimer2(off).refresh->picture, TrayPicture::MainIcon);
    KeepAwakeController on(0, -1);
    on.P0Click(false);
    EXPECT_EQ(FireTimer2(on).refresh->picture, TrayPicture::TrayWindowIcon);
}

TEST(KeepAwakeRefresh, IconCommandWhileTickingRefreshesAndTicksAgain)
{
    KeepAwakeController c(-1, 0);
    c.P0Click(true);
    FireTimer2(c);
    c.SetMySoft(-1);
    c.ModeRefresh();
    EXPECT_EQ(c.State(), Timer2State::Pending);
    const auto step = FireTimer2(c);
    EXPECT_EQ(step.refresh->picture, TrayPicture::MainIcon);
    EXPECT_TRUE(step.tick);
}

TEST(KeepAwakeClosing, StopIsFinalWhateverArrivesAfterwards)
{
    KeepAwakeController c(-1, 0);
    c.P0Click(true);
    FireTimer2(c);
    c.Stop();
    EXPECT_EQ(c.State(), Timer2State::Stopped);
    EXPECT_TRUE(c.ShuttingDown());
    EXPECT_TRUE(c.TickBlocked());

    c.P0Click(false);
    EXPECT_EQ(c.Mode(), 0) << "the mode still changes in memory";
    EXPECT_EQ(c.Timer2().interval, 0u);
    EXPECT_FALSE(c.Timer2().enabled);
    c.ModeRefresh();
    EXPECT_FALSE(c.Timer2().enabled);
    c.FinishCreation();
    EXPECT_FALSE(c.Timer1().enabled);
}

TEST(KeepAwakeClosing, BlockedTickDoesNothingAndLeavesTheTimerOff)
{
    KeepAwakeController c(-1, 0);
    c.P0Click(true);
    c.BlockTicks();
    const auto step = c.Timer2Fired();
    EXPECT_FALSE(step.refresh);
    EXPECT_FALSE(step.tick);
    EXPECT_FALSE(c.Timer2().enabled);
}

TEST(KeepAwakeClosing, TickInProgressWhenClosingDoesNotRearm)
{
    KeepAwakeController c(-1, 0);
    c.P0Click(true);
    const auto step = c.Timer2Fired();
    ASSERT_TRUE(step.tick);
    c.Stop(); // the close query ran while the tick let messages run
    c.Timer2TickDone();
    EXPECT_FALSE(c.Timer2().enabled);
    EXPECT_EQ(c.State(), Timer2State::Stopped);
}

TEST(KeepAwakeClosing, PendingRefreshAfterStopIsNotShown)
{
    KeepAwakeController c(-1, 0);
    c.P0Click(true);
    c.Stop();
    // A timer message queued before the stop still arrives.
    const auto step = c.Timer2Fired();
    EXPECT_FALSE(step.refresh);
}

} // namespace
