#include "dialogs/MkSlots.h"

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>

namespace {

TEST(TakeFirstFreeSlot, TakesTheLowestFreeSlot)
{
    SlotFlags busy {};
    EXPECT_EQ(TakeFirstFreeSlot(busy), 0);
    EXPECT_EQ(TakeFirstFreeSlot(busy), 1);
    EXPECT_TRUE(busy[0] && busy[1]);
    EXPECT_FALSE(busy[2]);

    busy[0] = false;
    EXPECT_EQ(TakeFirstFreeSlot(busy), 0);
}

TEST(TakeFirstFreeSlot, SkipsSlotsDeclaredBusy)
{
    SlotFlags busy {};
    busy[0] = busy[1] = busy[3] = true;
    EXPECT_EQ(TakeFirstFreeSlot(busy), 2);
    EXPECT_EQ(TakeFirstFreeSlot(busy), 4);
}

TEST(TakeFirstFreeSlot, RefusesAnEleventhCall)
{
    SlotFlags busy {};
    for (int i = 0; i < 10; ++i)
        ASSERT_EQ(TakeFirstFreeSlot(busy), i);
    const SlotFlags before = busy;
    EXPECT_EQ(TakeFirstFreeSlot(busy), std::nullopt);
    EXPECT_EQ(busy, before);
}

TEST(SlotClaim, FreesTheSlotWhenTheCallEnds)
{
    SlotFlags busy {};
    {
        const int outer = *TakeFirstFreeSlot(busy);
        const SlotClaim outerClaim(busy, outer);
        {
            const int inner = *TakeFirstFreeSlot(busy);
            const SlotClaim innerClaim(busy, inner);
            EXPECT_EQ(inner, 1);
        }
        EXPECT_FALSE(busy[1]);
        EXPECT_TRUE(busy[0]);
        EXPECT_EQ(TakeFirstFreeSlot(busy), 1);
        busy[1] = false;
    }
    EXPECT_EQ(busy, SlotFlags {});
}

TEST(SlotClaim, FreesTheSlotWhenTheBoxThrows)
{
    SlotFlags busy {};
    try {
        const SlotClaim claim(busy, *TakeFirstFreeSlot(busy));
        throw std::runtime_error("box failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(busy[0]);
}

TEST(SlotClaim, RefusesASlotOutsideTheTable)
{
    SlotFlags busy {};
    // The library's bounds check; in the program it ends the process
    // through the program's failure box.
    EXPECT_THROW(SlotClaim(busy, 10), std::out_of_range);
    EXPECT_THROW(SlotClaim(busy, -1), std::out_of_range);
}

TEST(CountStartText, IsTheDecimalTextCutToTenCharacters)
{
    EXPECT_EQ(CountStartText(10), "10");
    EXPECT_EQ(CountStartText(0), "0");
    EXPECT_EQ(CountStartText(-5), "-5");
    EXPECT_EQ(CountStartText(std::numeric_limits<std::int32_t>::max()), "2147483647");
    EXPECT_EQ(CountStartText(-999999999), "-999999999");
    EXPECT_EQ(CountStartText(std::numeric_limits<std::int32_t>::min()), "-214748364");
}

TEST(CountTextTable, HoldsOneStartTextPerSlot)
{
    CountTextTable table;
    table.Set(0, 10);
    table.Set(9, std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(table.Text(0), "10");
    EXPECT_EQ(table.Text(9), "-214748364");
    EXPECT_EQ(table.StartLabel(0), "10秒");
    EXPECT_EQ(table.StartLabel(9), "-214748364秒");

    table.Set(0, 0);
    EXPECT_EQ(table.StartLabel(0), "0秒");
    EXPECT_THROW(table.Set(10, 1), std::out_of_range);
}

} // namespace
