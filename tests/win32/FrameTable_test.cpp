// The unwinder and frame search that DRIM32.EXE links in place of the
// library's are linked into this program too: every exception here,
// GoogleTest's own and the library's among them, travels through them.

#include "app/FrameTable.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::vector<int> cleanedUp;

struct Cleanup {
    int depth;
    ~Cleanup() { cleanedUp.push_back(depth); }
};

[[gnu::noinline]] void ThrowFrom(int depth)
{
    const Cleanup cleanup { depth };
    if (depth == 0)
        throw std::runtime_error("deepest");
    ThrowFrom(depth - 1);
}

TEST(FrameTable, ExceptionsCrossEveryFrameRunningItsCleanupOnTheWay)
{
    cleanedUp.clear();
    std::string caught;
    try {
        try {
            ThrowFrom(4);
        } catch (const std::exception&) {
            throw;
        }
    } catch (const std::runtime_error& error) {
        caught = error.what();
    }
    EXPECT_EQ(caught, "deepest");
    EXPECT_EQ(cleanedUp, (std::vector<int> { 0, 1, 2, 3, 4 }));

    // Thrown from the library's own code, whose entries come from its
    // archive rather than from this program's objects.
    EXPECT_THROW(static_cast<void>(std::string().at(1)), std::out_of_range);
    std::vector<char> bytes;
    EXPECT_THROW(bytes.reserve(bytes.max_size() + 1), std::length_error);
    bool any = false;
    try {
        ThrowFrom(0);
    } catch (...) {
        any = true;
    }
    EXPECT_TRUE(any);
}

TEST(FrameTable, FindsTheFunctionHoldingAnAddressAndNothingOutsideTheCode)
{
    FrameDescription description;
    const auto function = reinterpret_cast<std::uintptr_t>(&ThrowFrom);
    ASSERT_TRUE(FindFrameDescription(function + 1, description));
    EXPECT_EQ(description.functionStart, function);
    EXPECT_NE(description.personality, 0u) << "a function with cleanups names its personality";

    static int data;
    EXPECT_FALSE(FindFrameDescription(reinterpret_cast<std::uintptr_t>(&data), description));
}

} // namespace
