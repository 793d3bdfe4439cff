#include "tray/MessageFilter.h"

#include <gtest/gtest.h>

namespace {

struct FilterCase {
    bool windowCall;
    bool processCall;
    MessageFilterCall call;
    std::uint32_t action;
};

TEST(MessageFilter, TheWindowsOwnFilterWhereThereIsOneTheProcessFilterOnVistaNoneBefore)
{
    const FilterCase cases[] = {
        { true, true, MessageFilterCall::Window, MessageFilterAllow },
        { false, true, MessageFilterCall::Process, MessageFilterAdd },
        { false, false, MessageFilterCall::None, 0 },
    };
    for (const FilterCase& c : cases) {
        const MessageFilterStep step = PlanMessageFilter(c.windowCall, c.processCall);
        EXPECT_EQ(step.call, c.call) << c.windowCall << c.processCall;
        EXPECT_EQ(step.action, c.action) << c.windowCall << c.processCall;
    }
}

} // namespace
