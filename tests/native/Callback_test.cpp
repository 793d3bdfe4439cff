#include "base/Callback.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

int Twice(int value)
{
    return value * 2;
}

TEST(Callback, CallsWhatItKeepsAndCopiesItAndAnEmptyOneGivesNothing)
{
    Callback<std::optional<int>(int)> empty;
    EXPECT_FALSE(empty);
    EXPECT_EQ(empty(1), std::nullopt);
    Callback<void()> none = nullptr;
    none();

    int calls = 0;
    int offset = 10;
    Callback<std::optional<int>(int)> counting = [&calls, &offset](int value) -> std::optional<int> {
        ++calls;
        return value + offset;
    };
    const Callback<std::optional<int>(int)> copy = counting;
    offset = 20;
    EXPECT_EQ(counting(1), 21);
    EXPECT_EQ(copy(2), 22);
    EXPECT_EQ(calls, 2);

    counting = Twice;
    EXPECT_EQ(counting(4), 8);
    EXPECT_EQ(copy(3), 23);
}

} // namespace
