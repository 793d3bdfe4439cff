#include "text/YeNADDCUT.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

std::string Bytes(std::initializer_list<unsigned char> bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

TEST(IsLeadByte, AcceptsExactlyTheTwoLeadRanges)
{
    for (int b = 0; b < 256; ++b) {
        const bool expected = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        EXPECT_EQ(IsLeadByte(static_cast<unsigned char>(b)), expected) << b;
    }
}

TEST(YenCut, LeavesDriveRootAndShortStringsAlone)
{
    EXPECT_EQ(YenCut("C:\\"), "C:\\");
    EXPECT_EQ(YenCut("\\"), "\\");
    EXPECT_EQ(YenCut(""), "");
    EXPECT_EQ(YenCut(Bytes({ 0x41, 0x95, 0x5C })), Bytes({ 0x41, 0x95, 0x5C }));
}

TEST(YenCut, DropsOneAsciiSeparator)
{
    EXPECT_EQ(YenCut("C:\\PALUNP32\\"), "C:\\PALUNP32");
    EXPECT_EQ(YenCut("C:\\A\\\\"), "C:\\A\\");
    EXPECT_EQ(YenCut("C:\\PALUNP32"), "C:\\PALUNP32");
}

TEST(YenCut, KeepsTrailByteOfDoubleByteCharacter)
{
    const std::string hyo = "C:\\表";
    ASSERT_EQ(hyo.substr(3), Bytes({ 0x95, 0x5C }));
    EXPECT_EQ(YenCut(hyo), hyo);
    EXPECT_EQ(YenCut(hyo + "\\"), hyo);
}

TEST(YenCut, CountsTheRunOfLeadBytes)
{
    // 0x95 0x95 is one character, so the final 0x5C is a separator.
    EXPECT_EQ(YenCut(Bytes({ 0x41, 0x95, 0x95, 0x5C })), Bytes({ 0x41, 0x95, 0x95 }));
    // 0x5C 0x95 0x5C: the last byte belongs to 0x95 0x5C.
    EXPECT_EQ(YenCut(Bytes({ 0x41, 0x5C, 0x95, 0x5C })), Bytes({ 0x41, 0x5C, 0x95, 0x5C }));
    // A run reaching the first byte ends there: three lead bytes, odd.
    EXPECT_EQ(YenCut(Bytes({ 0x95, 0x95, 0x95, 0x5C })), Bytes({ 0x95, 0x95, 0x95, 0x5C }));
    EXPECT_EQ(YenCut(Bytes({ 0x95, 0x95, 0x95, 0x95, 0x5C })), Bytes({ 0x95, 0x95, 0x95, 0x95 }));
}

TEST(YenAdd, AppendsAfterDoubleByteTrailAndDriveLetter)
{
    EXPECT_EQ(YenAdd("C:\\表"), "C:\\表\\");
    EXPECT_EQ(YenAdd("C:"), "C:\\");
    EXPECT_EQ(YenAdd("C:\\PALUNP32"), "C:\\PALUNP32\\");
}

TEST(YenAdd, KeepsRealSeparators)
{
    EXPECT_EQ(YenAdd("C:\\"), "C:\\");
    EXPECT_EQ(YenAdd("C:\\PALUNP32\\"), "C:\\PALUNP32\\");
    EXPECT_EQ(YenAdd(Bytes({ 0x41, 0x95, 0x95, 0x5C })), Bytes({ 0x41, 0x95, 0x95, 0x5C }));
    EXPECT_EQ(YenAdd(Bytes({ 0x41, 0x95, 0x5C })), Bytes({ 0x41, 0x95, 0x5C }));
}

TEST(YenAdd, EmptyPathStaysEmpty)
{
    EXPECT_EQ(YenAdd(""), "");
}

TEST(YenAddCut, EmbeddedNulIsAnOrdinaryByte)
{
    const std::string withNul("A\0B\\", 4);
    EXPECT_EQ(YenCut(withNul), std::string("A\0B", 3));
    EXPECT_EQ(YenAdd(std::string("A\0B", 3)), withNul);
}

// Decides "ends with a separator" by walking the characters from the start,
// the slow and obvious way, to check the backwards count against.
bool EndsWithSeparatorByForwardWalk(const std::string& s)
{
    if (s.empty() || static_cast<unsigned char>(s.back()) != 0x5C)
        return false;
    if (s.size() <= 3)
        return true;
    std::size_t i = 0;
    std::size_t lastStart = 0;
    while (i < s.size()) {
        lastStart = i;
        i += IsLeadByte(static_cast<unsigned char>(s[i])) ? 2 : 1;
    }
    return lastStart == s.size() - 1;
}

bool EndsInsideACharacter(const std::string& s)
{
    std::size_t i = 0;
    while (i < s.size())
        i += IsLeadByte(static_cast<unsigned char>(s[i])) ? 2 : 1;
    return i > s.size();
}

std::string RandomPath(std::mt19937& rng)
{
    // Bytes drawn mostly from the interesting ones: lead bytes, 0x5C, letters.
    static const unsigned char pool[]
        = { 0x81, 0x95, 0x9F, 0xE0, 0xFC, 0x5C, 0x5C, 0x41, 0x61, 0x3A, 0xA0, 0xB1, 0xFD, 0x80, 0x00, 0x22 };
    std::uniform_int_distribution<std::size_t> length(0, 12);
    std::uniform_int_distribution<std::size_t> pick(0, sizeof pool - 1);
    std::string s(length(rng), '\0');
    for (char& c : s)
        c = static_cast<char>(pool[pick(rng)]);
    return s;
}

TEST(YenCutAddProperties, AgreeWithAForwardCharacterWalk)
{
    std::mt19937 rng(1234);
    for (int round = 0; round < 200000; ++round) {
        const std::string p = RandomPath(rng);
        const bool separated = EndsWithSeparatorByForwardWalk(p);

        const std::string cut = YenCut(p);
        if (p.size() > 3 && separated)
            EXPECT_EQ(cut, p.substr(0, p.size() - 1));
        else
            EXPECT_EQ(cut, p);

        const std::string added = YenAdd(p);
        if (p.empty() || separated)
            EXPECT_EQ(added, p);
        else
            EXPECT_EQ(added, p + "\\");

        // A path that ends in half a character is no folder name: the
        // appended 0x5C would complete that character.
        if (p.size() > 3 && !EndsInsideACharacter(p)) {
            EXPECT_TRUE(EndsWithSeparatorByForwardWalk(YenAdd(YenCut(p)))) << ::testing::PrintToString(p);
        }
    }
}

} // namespace
