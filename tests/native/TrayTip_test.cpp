#include "gui/TrayTip.h"

#include <gtest/gtest.h>

namespace {

TEST(FitTrayTip, ShortTipsPassUnchanged)
{
    EXPECT_EQ(FitTrayTip(""), "");
    EXPECT_EQ(FitTrayTip("DRIM32 - SS_OFF"), "DRIM32 - SS_OFF");
    EXPECT_EQ(FitTrayTip("ｽｸﾘｰﾝ･ｾｰﾊﾞｰ＆省電力ＯＦＦツール"), "ｽｸﾘｰﾝ･ｾｰﾊﾞｰ＆省電力ＯＦＦツール");
}

TEST(FitTrayTip, LongTipsLeaveRoomForTheTerminatingZero)
{
    const std::string ascii(100, 'a');
    EXPECT_EQ(FitTrayTip(ascii), std::string(63, 'a'));
    EXPECT_EQ(FitTrayTip(std::string(63, 'b')), std::string(63, 'b'));
    EXPECT_EQ(FitTrayTip(std::string(64, 'c')), std::string(63, 'c'));
}

TEST(FitTrayTip, NeverCutsADoubleByteCharacterInHalf)
{
    // 62 single bytes and then 表 (0x95 0x5C) would end at byte 64.
    const std::string tip = std::string(62, 'x') + "表";
    EXPECT_EQ(FitTrayTip(tip), std::string(62, 'x'));
    // 32 double-byte characters are 64 bytes: only 31 fit.
    std::string wide;
    for (int i = 0; i < 32; ++i)
        wide += "省";
    EXPECT_EQ(FitTrayTip(wide).size(), 62u);
}

TEST(FitTrayTip, LeadByteWithoutSecondByteAtTheEndIsKept)
{
    const std::string tip = std::string("ab") + static_cast<char>(0x95);
    EXPECT_EQ(FitTrayTip(tip), tip);
}

// Such a tip fits when its bytes do: the missing second byte takes no room.
TEST(FitTrayTip, LeadByteWithoutSecondByteAtTheEndIsKeptUpToTheLastByteOfTheField)
{
    const std::string lead(1, static_cast<char>(0x95));
    EXPECT_EQ(FitTrayTip(std::string(62, 'x') + lead), std::string(62, 'x') + lead);
    EXPECT_EQ(FitTrayTip(lead, 2), lead);
    EXPECT_EQ(FitTrayTip(std::string(63, 'x') + lead), std::string(63, 'x'));
}

TEST(FitTrayTip, ZeroSizedFieldTakesNothing)
{
    EXPECT_EQ(FitTrayTip("abc", 0), "");
    EXPECT_EQ(FitTrayTip("abc", 1), "");
}

} // namespace
