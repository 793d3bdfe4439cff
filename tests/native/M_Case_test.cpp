#include "text/M_Case.h"

#include "text/YeNADDCUT.h"

#include <gtest/gtest.h>

#include <random>

namespace {

std::string Bytes(std::initializer_list<unsigned char> bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

TEST(CaseConvert, ChangesOnlyAsciiLettersOutsideDoubleByteCharacters)
{
    EXPECT_EQ(CaseConvert(Bytes({ 0x83, 0x41, 0x41 }), true), Bytes({ 0x83, 0x41, 0x61 }));
    EXPECT_EQ(CaseConvert(Bytes({ 0x83, 0x61, 0x61 }), false), Bytes({ 0x83, 0x61, 0x41 }));
    EXPECT_EQ(CaseLower("/OFF"), "/off");
    EXPECT_EQ(CaseConvert("/off", false), "/OFF");
    EXPECT_EQ(CaseLower("ＯＦＦ"), "ＯＦＦ");
    EXPECT_EQ(CaseLower(""), "");
}

TEST(CaseConvert, LeavesKatakanaAndHighBytesAlone)
{
    std::string all;
    for (int b = 0x7B; b < 256; ++b)
        if (!IsLeadByte(static_cast<unsigned char>(b)))
            all += static_cast<char>(b);
    EXPECT_EQ(CaseConvert(all, true), all);
    EXPECT_EQ(CaseConvert(all, false), all);
    EXPECT_EQ(CaseLower("ｽｸﾘｰﾝ"), "ｽｸﾘｰﾝ");
}

TEST(CaseConvert, LeadByteAtTheEndStaysAndEndsTheWalk)
{
    EXPECT_EQ(CaseLower(Bytes({ 0x41, 0x95 })), Bytes({ 0x61, 0x95 }));
}

TEST(NameLower, StopsAtTheFirstDoubleQuote)
{
    EXPECT_EQ(NameLower("AB\"CD"), "ab\"CD");
    EXPECT_EQ(NameLower("\"ABC"), "\"ABC");
    EXPECT_EQ(NameLower("ABC"), "abc");
}

TEST(NameLower, StopsAtADoubleQuoteInSecondBytePosition)
{
    // 0x81 0x22 is a lead byte followed by a quote as its second byte.
    EXPECT_EQ(NameLower(Bytes({ 0x41, 0x81, 0x22, 0x41 })), Bytes({ 0x61, 0x81, 0x22, 0x41 }));
}

TEST(CaseConvertProperties, KeepLengthAndEveryByteThatIsNotALetter)
{
    std::mt19937 rng(99);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<std::size_t> length(0, 24);
    for (int round = 0; round < 100000; ++round) {
        std::string s(length(rng), '\0');
        for (char& c : s)
            c = static_cast<char>(byte(rng));
        const std::string lower = CaseLower(s);
        const std::string upper = CaseConvert(s, false);
        ASSERT_EQ(lower.size(), s.size());
        ASSERT_EQ(upper.size(), s.size());
        std::size_t i = 0;
        while (i < s.size()) {
            const unsigned char b = static_cast<unsigned char>(s[i]);
            if (IsLeadByte(b)) {
                ASSERT_EQ(lower.substr(i, 2), s.substr(i, 2));
                ASSERT_EQ(upper.substr(i, 2), s.substr(i, 2));
                i += 2;
                continue;
            }
            const char expectLower = (b >= 'A' && b <= 'Z') ? static_cast<char>(b + 32) : s[i];
            const char expectUpper = (b >= 'a' && b <= 'z') ? static_cast<char>(b - 32) : s[i];
            ASSERT_EQ(lower[i], expectLower);
            ASSERT_EQ(upper[i], expectUpper);
            ++i;
        }
        const std::string name = NameLower(s);
        ASSERT_EQ(name.size(), s.size());
        const std::size_t quote = s.find('"');
        if (quote == std::string::npos)
            ASSERT_EQ(name, lower);
        else
            ASSERT_EQ(name.substr(quote), s.substr(quote));
    }
}

} // namespace
