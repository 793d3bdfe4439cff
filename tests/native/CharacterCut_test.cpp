#include "text/CharacterCut.h"

#include <gtest/gtest.h>

#include <string>

// 表 is 0x95 0x5C: its second byte is a backslash.
TEST(CutWholeCharacters, NeverEndsInsideADoubleByteCharacter)
{
    EXPECT_EQ(CutWholeCharacters("abc", 3), "abc");
    EXPECT_EQ(CutWholeCharacters("abc", 0), "");
    // The lead byte falls on the last byte allowed: the character goes.
    EXPECT_EQ(CutWholeCharacters("ab表c", 3), "ab");
    EXPECT_EQ(CutWholeCharacters("ab表c", 4), "ab表");
    // The trail byte 0x5C is not a character of its own to cut after.
    EXPECT_EQ(CutWholeCharacters("表表", 3), "表");
    // Half-width katakana are single bytes.
    EXPECT_EQ(CutWholeCharacters("ｱｲｳ", 2), "ｱｲ");
}

TEST(CutWholeCharacters, ALeadByteWithoutItsSecondCountsAsOneByte)
{
    const std::string dangling = std::string("ab") + '\x95';
    EXPECT_EQ(CutWholeCharacters(dangling, 3), dangling);
    EXPECT_EQ(CutWholeCharacters(dangling, 2), "ab");
}

TEST(FirstCharacters, CountsADoubleByteCharacterAsOne)
{
    EXPECT_EQ(FirstCharacters("abc", 5), "abc");
    EXPECT_EQ(FirstCharacters("abc", 0), "");
    EXPECT_EQ(FirstCharacters("表表ab", 3), "表表a");
    EXPECT_EQ(FirstCharacters("ｱｲｳ", 2), "ｱｲ");
    const std::string dangling = std::string("a") + '\x95';
    EXPECT_EQ(FirstCharacters(dangling, 2), dangling);
}
