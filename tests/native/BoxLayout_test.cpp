#include "dialogs/BoxLayout.h"

#include <gtest/gtest.h>

namespace {

// A dialog frame as the platform might report it: 3-pixel borders and a
// 19-pixel caption.
constexpr BoxSize Frame { 6, 25 };

std::int32_t ClientWidth(const BoxLayout& box)
{
    return box.boxWidth - Frame.width;
}
std::int32_t ClientHeight(const BoxLayout& box)
{
    return box.boxHeight - Frame.height;
}

// Six pixels a byte, which makes a double-byte character 12 wide.
std::int32_t SixPerByte(std::string_view line)
{
    return static_cast<std::int32_t>(line.size()) * 6;
}

TEST(MessageSize, IsTheWidestLineByEighteenPixelsALine)
{
    const std::string text = "ファイルリスト・エラー発生\n別のドライブか、フォルダーを選択してみて下さい";
    EXPECT_EQ(MessageSize(SplitMessageLines(text), SixPerByte), (BoxSize { 23 * 12, 36 }));
    EXPECT_EQ(MessageSize(SplitMessageLines(""), SixPerByte), (BoxSize { 0, 18 }));
}

TEST(SplitMessageLines, SplitsAtEveryLineFeed)
{
    using Lines = std::vector<std::string_view>;
    EXPECT_EQ(SplitMessageLines(""), (Lines { "" }));
    EXPECT_EQ(SplitMessageLines("abc"), (Lines { "abc" }));
    EXPECT_EQ(SplitMessageLines("a\nbc"), (Lines { "a", "bc" }));
    EXPECT_EQ(SplitMessageLines("a\n"), (Lines { "a", "" }));
    EXPECT_EQ(SplitMessageLines("\n\n"), (Lines { "", "", "" }));
}

TEST(SplitMessageLines, CountsACarriageReturnBeforeALineFeedAsPartOfTheBreak)
{
    using Lines = std::vector<std::string_view>;
    EXPECT_EQ(SplitMessageLines("a\r\nb"), (Lines { "a", "b" }));
    EXPECT_EQ(SplitMessageLines("a\r\r\nb"), (Lines { "a\r", "b" }));
    EXPECT_EQ(SplitMessageLines("a\rb"), (Lines { "a\rb" }));
}

TEST(PrepareMemoText, PutsACarriageReturnBeforeEveryLineFeed)
{
    EXPECT_EQ(PrepareMemoText(""), "");
    EXPECT_EQ(PrepareMemoText("abc"), "abc");
    EXPECT_EQ(PrepareMemoText("a\nb"), "a\r\nb");
    EXPECT_EQ(PrepareMemoText("a\r\nb"), "a\r\r\nb");
    EXPECT_EQ(PrepareMemoText("\n\n"), "\r\n\r\n");
    EXPECT_EQ(PrepareMemoText("表示\n"), "表示\r\n");
}

TEST(OkBoxLayout, SizesTheBoxAroundATwoLineMessage)
{
    const BoxLayout box = LayOutOkBox({ 300, 36 }, Frame);
    EXPECT_EQ(box.boxWidth, 300 + 106);
    EXPECT_EQ(box.MemoMsg, (Bounds { 64, 16, 310, 62 }));
    EXPECT_EQ(box.boxHeight, 62 + 113);
    EXPECT_EQ(box.Image1, (Bounds { 16, (62 - 32) / 2 + 12, 32, 32 }));
    // y0 = 78 (text field bottom); client height 150.
    EXPECT_EQ(box.Button1, (Bounds { (400 - 89) / 2, 78 + (150 - 78 - 33) / 2, 89, 33 }));
    EXPECT_FALSE(box.Button2);
    EXPECT_FALSE(box.Button3);
    EXPECT_FALSE(box.Label1);
}

TEST(OkBoxLayout, GivesAnEmptyMessageOneLine)
{
    const BoxLayout box = LayOutOkBox(MessageSize(SplitMessageLines(""), SixPerByte), Frame);
    EXPECT_EQ(box.MemoMsg, (Bounds { 64, 16, 10, 18 + 26 }));
    EXPECT_EQ(box.boxWidth, 106);
    EXPECT_EQ(box.boxHeight, 44 + 113);
    EXPECT_EQ(box.Image1.top, 18);
    EXPECT_EQ(box.Button1.top, 60 + (132 - 60 - 33) / 2);
    EXPECT_EQ(box.Button1.left, (100 - 89) / 2);
}

TEST(OkBoxLayout, CentresTheSymbolBesideALongMessage)
{
    const BoxLayout box = LayOutOkBox({ 200, 180 }, Frame);
    EXPECT_EQ(box.Image1.top, (206 - 32) / 2 + 16 - 4);
    EXPECT_EQ(box.boxHeight, 206 + 113);
    EXPECT_EQ(box.Button1.top, 222 + (ClientHeight(box) - 222 - 33) / 2);
}

TEST(OkBoxLayout, KeepsTheSymbolAndBoxHeightAtTheirMinimum)
{
    // A text field lower than the symbol: the symbol's size and top hold.
    const BoxLayout box = LayOutOkBox({ 40, 0 }, Frame);
    EXPECT_EQ(box.MemoMsg.height, 26);
    EXPECT_EQ(box.Image1.top, 16);
    EXPECT_EQ(box.boxHeight, 32 + 113);
    EXPECT_EQ(box.Button1.top, 48 + (ClientHeight(box) - 48 - 33) / 2);
}

TEST(CountdownBoxLayout, SpreadsTheButtonsAndPutsTheLabelInTheCorner)
{
    const BoxLayout box = LayOutCountdownBox({ 500, 18 }, Frame, { 40, 13 });
    ASSERT_TRUE(box.Button2 && box.Button3 && box.Label1);
    EXPECT_EQ(box.boxWidth, 606);
    const std::int32_t gap = (600 - 178) / 3;
    EXPECT_EQ(box.Button1.left, gap);
    EXPECT_EQ(*box.Button2, (Bounds { 2 * gap + 89, box.Button1.top, 89, 33 }));
    EXPECT_EQ(*box.Button3, *box.Button2);
    EXPECT_EQ(*box.Label1, (Bounds { 600 - 40, ClientHeight(box) - 13, 40, 13 }));
}

TEST(CountdownBoxLayout, WidensForTheLabelWithoutMovingTheButtons)
{
    // Client width 250: gap 24, pause button ends at 226, 24 < 40 free.
    const BoxLayout box = LayOutCountdownBox({ 150, 18 }, Frame, { 40, 13 });
    EXPECT_EQ(box.Button1.left, 24);
    EXPECT_EQ(box.Button2->left, 137);
    EXPECT_EQ(ClientWidth(box), 226 + 40);
    EXPECT_EQ(box.Label1->left, 226);
    EXPECT_EQ(box.Label1->top, ClientHeight(box) - 13);
}

TEST(CountdownBoxLayout, UsesTenPixelGapsWhenTheButtonsDoNotFit)
{
    const BoxLayout box = LayOutCountdownBox({ 50, 18 }, Frame, { 40, 13 });
    EXPECT_EQ(box.Button1.left, 10);
    EXPECT_EQ(box.Button2->left, 109);
    EXPECT_EQ(ClientWidth(box), 109 + 89 + 40);
    EXPECT_EQ(box.Label1->left, 198);
}

TEST(CountdownBoxLayout, TruncatesASmallNegativeGapToZero)
{
    // Client 176: (176 - 178) / 3 truncates to 0, which is no reason for 10.
    const BoxLayout zero = LayOutCountdownBox({ 76, 18 }, Frame, { 1, 13 });
    EXPECT_EQ(zero.Button1.left, 0);
    EXPECT_EQ(zero.Button2->left, 89);

    const BoxLayout negative = LayOutCountdownBox({ 73, 18 }, Frame, { 1, 13 });
    EXPECT_EQ(negative.Button1.left, 10);
}

TEST(CountdownBoxLayout, KeepsTheBoxWidthWhenTheLabelFitsExactly)
{
    // Client 400: gap 74, pause button ends at 326, 74 free.
    const BoxLayout box = LayOutCountdownBox({ 300, 18 }, Frame, { 74, 13 });
    EXPECT_EQ(box.boxWidth, 406);
    EXPECT_EQ(box.Label1->left, 326);
}

TEST(YesNoBoxLayout, NeverNarrowerThanTheTwoButtons)
{
    for (const std::int32_t widest : { 0, 40, 91, 92 }) {
        const BoxLayout box = LayOutYesNoBox({ widest, 18 }, Frame);
        EXPECT_EQ(box.boxWidth, 198) << widest;
    }
    EXPECT_EQ(LayOutYesNoBox({ 93, 18 }, Frame).boxWidth, 199);
    EXPECT_EQ(LayOutYesNoBox({ 300, 36 }, Frame).boxWidth, 406);
}

TEST(YesNoBoxLayout, DividesTheWidthIntoThreeEqualGaps)
{
    for (const std::int32_t widest : { 40, 93, 300 }) {
        const BoxLayout box = LayOutYesNoBox({ widest, 36 }, Frame);
        ASSERT_TRUE(box.Button2);
        EXPECT_FALSE(box.Button3);
        EXPECT_FALSE(box.Label1);
        const std::int32_t gap = (ClientWidth(box) - 178) / 3;
        EXPECT_EQ(box.Button1.left, gap);
        EXPECT_EQ(*box.Button2, (Bounds { 2 * gap + 89, box.Button1.top, 89, 33 }));
        EXPECT_EQ(box.Button1.top, LayOutOkBox({ widest, 36 }, Frame).Button1.top);
    }
}

TEST(YesNoBoxLayout, LetsTheGapGoNegativeUnderAWideFrame)
{
    // Client 198 - 30 = 168: (168 - 178) / 3 = -3, with no lower limit.
    const BoxLayout box = LayOutYesNoBox({ 40, 18 }, { 30, 25 });
    EXPECT_EQ(box.Button1.left, -3);
    EXPECT_EQ(box.Button2->left, 83);
}

} // namespace
