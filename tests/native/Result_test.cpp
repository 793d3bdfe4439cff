#include "base/Result.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

// The library's logic-error hook throws in this tree; the program's own ends
// in its failure box.  Either way a failure's value is never read.
TEST(Result, TheValueOfAFailureGoesToTheLogicErrorHook)
{
    const Result<std::string> failed = Failure { "ﾌｧｲﾙ は開けません" };
    EXPECT_THROW(static_cast<void>(*failed), std::logic_error);
    EXPECT_THROW(static_cast<void>(failed->size()), std::logic_error);
    const Result<std::string> found = std::string("x");
    EXPECT_EQ(*found, "x");
}
