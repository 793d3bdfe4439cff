#include "base/FlatMap.h"

#include <gtest/gtest.h>

namespace {

int first = 1;
int second = 2;

TEST(FlatMap, KeepsOneValuePerKeyAndForgetsByKeyOrByValue)
{
    FlatMap<int, int*> map;
    EXPECT_EQ(map.Find(7), nullptr);
    EXPECT_FALSE(map.Contains(7));

    map.Set(7, &first);
    map.Set(8, &first);
    map.Set(9, &second);
    map.Set(7, &second);
    EXPECT_EQ(map.Find(7), &second);
    EXPECT_EQ(map.Find(8), &first);

    map.Erase(7);
    EXPECT_FALSE(map.Contains(7));
    EXPECT_EQ(map.Find(9), &second);
    map.Erase(7);

    map.Set(10, &first);
    map.EraseValue(&first);
    EXPECT_FALSE(map.Contains(8));
    EXPECT_FALSE(map.Contains(10));
    EXPECT_EQ(map.Find(9), &second);
}

} // namespace
