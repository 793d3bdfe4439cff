#include "base/DecimalText.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

TEST(DecimalText, WritesWhatTheLibraryWouldForEveryEdge)
{
    for (long value : { 0L, 7L, 9L, 10L, 99L, 100L, -1L, -10L, 1234567L, LONG_MAX, LONG_MIN })
        EXPECT_EQ(DecimalText(value), std::to_string(value)) << value;
}

} // namespace
