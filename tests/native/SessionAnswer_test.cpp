#include "tray/SessionAnswer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

constexpr std::uint32_t Windows7 = 0x0601;
constexpr std::uint32_t Windows10 = 0x0A00;
constexpr std::int32_t Active = 0;
constexpr std::uint32_t ShortAnswer = offsetof(SessionInfoEx, Data.WTSInfoExLevel1.SessionFlags) + 4;

struct AnswerCase {
    const char* name;
    std::uint32_t version;
    std::uint32_t level;
    std::int32_t flags;
    std::size_t size;
    bool locked;
};

// Every answer comes from an active session: its state, 0, is the value of
// the lock flag, which a reading at the wrong offset takes for a lock.
const AnswerCase AnswerCases[] = {
    { "LockedOnWindows10", Windows10, 1, SessionStateLock, sizeof(SessionInfoEx), true },
    { "UnlockedOnWindows10", Windows10, 1, SessionStateUnlock, sizeof(SessionInfoEx), false },
    { "UnknownCountsAsUnlocked", Windows10, 1, SessionStateUnknown, sizeof(SessionInfoEx), false },
    { "Windows7IsNotRead", Windows7, 1, SessionStateLock, sizeof(SessionInfoEx), false },
    { "AShortAnswerIsNotRead", Windows10, 1, SessionStateLock, ShortAnswer, false },
    { "AnotherLevelIsNotRead", Windows10, 2, SessionStateLock, sizeof(SessionInfoEx), false },
};

void PrintTo(const AnswerCase& c, std::ostream* out)
{
    *out << c.name;
}

class SessionAnswer : public testing::TestWithParam<AnswerCase> { };

TEST_P(SessionAnswer, TheLockFlagIsReadWhereWindowsWritesIt)
{
    const AnswerCase& c = GetParam();
    // Odd-placed, as a buffer of the system's need not be aligned.
    std::vector<unsigned char> buffer(sizeof(SessionInfoEx) + 1, 0xCD);
    SessionInfoEx info;
    std::memset(&info, 0, sizeof info);
    info.Level = c.level;
    info.Data.WTSInfoExLevel1.SessionState = Active;
    info.Data.WTSInfoExLevel1.SessionFlags = c.flags;
    std::memcpy(buffer.data() + 1, &info, sizeof info);
    EXPECT_EQ(SessionAnswerLocked(c.version, buffer.data() + 1, c.size), c.locked);
}

INSTANTIATE_TEST_SUITE_P(Answers, SessionAnswer, testing::ValuesIn(AnswerCases),
    [](const testing::TestParamInfo<AnswerCase>& param) { return std::string(param.param.name); });

TEST(SessionAnswerNone, NoAnswerCountsAsUnlocked)
{
    EXPECT_FALSE(SessionAnswerLocked(Windows10, nullptr, sizeof(SessionInfoEx)));
}

} // namespace
