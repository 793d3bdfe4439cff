#include "dialogs/Countdown.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(SecondsLabel, IsTheDecimalCountFollowedBySeconds)
{
    EXPECT_EQ(SecondsLabel(10), "10秒");
    EXPECT_EQ(SecondsLabel(-1), "-1秒");
    // 秒 in code page 932.
    EXPECT_EQ(SecondsLabel(0), "0\x95\x62");
}

TEST(TimedCountdown, CountsDownToZeroAndCloses)
{
    TimedCountdown countdown;
    countdown.Set(10);
    EXPECT_EQ(countdown.Label(), "10秒");
    for (int shown = 9; shown > 0; --shown) {
        const CountdownStep step = countdown.Tick();
        EXPECT_EQ(step.label, std::to_string(shown) + "秒");
        EXPECT_FALSE(step.close);
    }
    const CountdownStep last = countdown.Tick();
    EXPECT_EQ(last.label, "0秒");
    EXPECT_TRUE(last.close);
}

TEST(TimedCountdown, ClosesAtTheFirstTickFromOneOrLess)
{
    for (const std::int32_t start : { 1, 0, -5, std::numeric_limits<std::int32_t>::min() }) {
        TimedCountdown countdown;
        countdown.Set(start);
        EXPECT_TRUE(countdown.Tick().close) << start;
    }
    TimedCountdown bottom;
    bottom.Set(std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(bottom.Tick().label, "-2147483648秒");
}

TEST(TimedCountdown, IsSetAnewByABoxOpenedOverACountingOne)
{
    TimedCountdown countdown;
    countdown.Set(10);
    countdown.Tick();
    countdown.Tick();
    countdown.Set(0);
    EXPECT_EQ(countdown.Label(), "0秒");
    const CountdownStep step = countdown.Tick();
    EXPECT_EQ(step.label, "-1秒");
    EXPECT_TRUE(step.close);
    EXPECT_EQ(countdown.Value(), -1);
}

TEST(SlotCountdown, TakesItsStartFromTheTextAtTheFirstTick)
{
    SlotCountdown countdown;
    CountdownStep step = countdown.Tick("10");
    EXPECT_EQ(step.label, "9秒");
    EXPECT_FALSE(step.close);
    // Later ticks count on from its own value, whatever the text says now.
    step = countdown.Tick("100");
    EXPECT_EQ(step.label, "8秒");
    for (int i = 0; i < 7; ++i)
        EXPECT_FALSE(countdown.Tick("10").close);
    step = countdown.Tick("10");
    EXPECT_EQ(step.label, "0秒");
    EXPECT_TRUE(step.close);
}

TEST(SlotCountdown, ClosesAtTheFirstTickFromOneOrLess)
{
    SlotCountdown zero;
    const CountdownStep step = zero.Tick("0");
    EXPECT_EQ(step.label, "-1秒");
    EXPECT_TRUE(step.close);

    SlotCountdown one;
    EXPECT_EQ(one.Tick("1").label, "0秒");

    SlotCountdown bottom;
    const CountdownStep cut = bottom.Tick("-214748364");
    EXPECT_EQ(cut.label, "-214748365秒");
    EXPECT_TRUE(cut.close);
}

TEST(SlotCountdown, CountsUnreadableTextAsZero)
{
    for (const char* text : { "", "abc", "12x", "99999999999" }) {
        SlotCountdown countdown;
        const CountdownStep step = countdown.Tick(text);
        EXPECT_EQ(step.label, "-1秒") << text;
        EXPECT_TRUE(step.close);
    }
}

TEST(SlotCountdown, NestedBoxesCountIndependently)
{
    SlotCountdown outer;
    SlotCountdown inner;
    outer.Tick("10");
    outer.Tick("10");
    EXPECT_EQ(inner.Tick("5").label, "4秒");
    EXPECT_EQ(outer.Tick("10").label, "7秒");
}

} // namespace
