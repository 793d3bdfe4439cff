// The exception memory, unwinder and frame search that DRIM32.EXE links in
// place of the library's are linked into this program too: every exception
// here, GoogleTest's own and the library's among them, lives in and travels
// through them.

#include "app/ExceptionMemory.h"
#include "app/FrameTable.h"

#include <cxxabi.h>
#include <gtest/gtest.h>

#include <array>

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

TEST(ExceptionRuntime, ExceptionsCrossEveryFrameRunningItsCleanupOnTheWay)
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

TEST(ExceptionRuntime, FindsTheFunctionHoldingAnAddressAndNothingOutsideTheCode)
{
    FrameDescription description;
    const auto function = reinterpret_cast<std::uintptr_t>(&ThrowFrom);
    ASSERT_TRUE(FindFrameDescription(function + 1, description));
    EXPECT_EQ(description.functionStart, function);
    EXPECT_NE(description.personality, 0u) << "a function with cleanups names its personality";

    static int data;
    EXPECT_FALSE(FindFrameDescription(reinterpret_cast<std::uintptr_t>(&data), description));
}

struct Large {
    std::array<char, 1000> bytes;
};

TEST(ExceptionRuntime, TheThrownObjectLiesWhereTheRuntimeLooksForIt)
{
    // The runtime's record of the exception being handled ends where the
    // thrown object begins; a header of the wrong size would put the two
    // apart (and the runtime would write outside the block).
    for (int round = 0; round < 100; ++round) {
        try {
            Large large {};
            large.bytes[999] = static_cast<char>(round);
            throw large;
        } catch (const Large& caught) {
            const auto* record = *reinterpret_cast<const char* const*>(abi::__cxa_get_globals());
            EXPECT_EQ(reinterpret_cast<const char*>(&caught) - record, sizeof(ExceptionRecordHeader));
            EXPECT_EQ(caught.bytes[999], static_cast<char>(round));
        }
    }
}

} // namespace
