// The frame search that DRIM32.EXE links in place of the library's is
// linked into this program too: every exception here, GoogleTest's own and
// the library's among them, travels through it.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

struct dwarf_eh_bases {
    void* tbase;
    void* dbase;
    void* func;
};
extern "C" const void* _Unwind_Find_FDE(void* pc, dwarf_eh_bases* bases);

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
    dwarf_eh_bases bases {};
    unsigned char* const function = reinterpret_cast<unsigned char*>(&ThrowFrom);
    ASSERT_NE(_Unwind_Find_FDE(function + 1, &bases), nullptr);
    EXPECT_EQ(bases.func, static_cast<void*>(function));

    static int data;
    EXPECT_EQ(_Unwind_Find_FDE(&data, &bases), nullptr);
}

} // namespace
