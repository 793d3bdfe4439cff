#include "BoxDriving.h"

#include "dialogs/Yesnodlg.h"

#include <gtest/gtest.h>

namespace {

constexpr char ShortQuestion[] = "続けますか?";
constexpr char TwoLineQuestion[]
    = "フォルダーがありません。\nC:\\PALUNP32\\DRIM32 を作成してもよろしいですか?";
// Two buttons and 20 pixels: the narrowest a yes/no box gets.
constexpr int NarrowestBox = 198;
constexpr int WidthBesideText = 106;

class YesNoBoxTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { InitializeTestApplication(); }
};

struct Answered {
    BoxView view;
    HWND focus = nullptr;
    std::string shot;
    int result = 0;
};

// Shows `question`, reads the box, then answers it with `answer`.
Answered Ask(TYesNoBoxDlg& dlg, const std::string& question, const std::function<void(HWND)>& answer,
    const std::string& screenshot = {})
{
    Answered answered;
    {
        BoxObserver observer([&] {
            HWND box = WaitForBox(YesNoBoxClass);
            ASSERT_NE(box, nullptr);
            Sleep(SymbolDrawnDelay);
            if (!screenshot.empty())
                answered.shot = SaveScreenshot(box, screenshot);
            answered.view = ReadBox(box);
            answered.focus = FocusOf(BoxObserver::MainThread());
            answer(box);
        });
        answered.result = dlg.Execute(question);
    }
    return answered;
}

void PressEnter(HWND)
{
    PressKey(BoxObserver::MainThread(), VK_RETURN);
}

void PressEscape(HWND)
{
    PressKey(BoxObserver::MainThread(), VK_ESCAPE);
}

void ExpectThreeEqualGaps(const BoxView& view)
{
    const auto yes = view.Button("はい");
    const auto no = view.Button("いいえ");
    ASSERT_TRUE(yes && no);
    const int gap = (view.ClientWidth() - yes->Width() - no->Width()) / 3;
    EXPECT_EQ(yes->Left(), gap);
    EXPECT_EQ(no->Left() - yes->rect.right, gap);
    // What the division leaves over stays on the right.
    EXPECT_GE(view.ClientWidth() - no->rect.right, gap);
    EXPECT_LE(view.ClientWidth() - no->rect.right, gap + 2);
    EXPECT_EQ(no->Top(), yes->Top());
}

using YesNoBoxLayout = YesNoBoxTest;

TEST_F(YesNoBoxLayout, ShortQuestionGivesTheNarrowestBoxWithThreeEqualGapsAndEnterGives6)
{
    TYesNoBoxDlg dlg;
    const Answered a = Ask(dlg, ShortQuestion, PressEnter, "YesNoBox");
    std::cout << "screenshot: " << a.shot << "\n";
    EXPECT_EQ(a.result, 6);
    const BoxView& view = a.view;
    EXPECT_EQ(view.caption, TestApplicationTitle);
    ASSERT_LT(TextWidth(ShortQuestion), 92);
    EXPECT_EQ(view.Width(), NarrowestBox);
    EXPECT_EQ(view.VisibleButtons(), 2);
    const auto yes = view.Button("はい");
    const auto memo = view.Memo();
    const auto symbol = view.Symbol();
    ASSERT_TRUE(yes && memo && symbol);
    EXPECT_EQ(a.focus, yes->handle) << "the focus should be on はい when the box opens";
    EXPECT_EQ(memo->text, ShortQuestion);
    EXPECT_FALSE(view.CountLabel());
    ExpectThreeEqualGaps(view);

    const BoxLayout expected = LayOutYesNoBox(MeasuredMessage(ShortQuestion), FrameOf(view));
    EXPECT_EQ(view.Height(), expected.boxHeight);
    EXPECT_EQ(RectOf(*memo), expected.MemoMsg);
    EXPECT_EQ(RectOf(*symbol), expected.Image1);
    EXPECT_EQ(RectOf(*yes), expected.Button1);
    EXPECT_EQ(RectOf(*view.Button("いいえ")), *expected.Button2);
}

TEST_F(YesNoBoxLayout, TwoLineQuestionIsMeasuredByItsLongerLineAndEscapeGives7)
{
    TYesNoBoxDlg dlg;
    dlg.Title = "インストール";
    const Answered a = Ask(dlg, TwoLineQuestion, PressEscape, "YesNoBox_TwoLines");
    std::cout << "screenshot: " << a.shot << "\n";
    EXPECT_EQ(a.result, 7);
    EXPECT_EQ(a.view.caption, "インストール");
    const int longer = TextWidth("C:\\PALUNP32\\DRIM32 を作成してもよろしいですか?");
    ASSERT_GT(longer, TextWidth("フォルダーがありません。"));
    EXPECT_EQ(a.view.Width(), longer + WidthBesideText);
    const auto memo = a.view.Memo();
    ASSERT_TRUE(memo);
    // The box puts "\r\r\n" into the text field; Wine's edit control gives
    // the break back as a plain "\r\n".
    EXPECT_EQ(memo->text, "フォルダーがありません。\r\nC:\\PALUNP32\\DRIM32 を作成してもよろしいですか?");
    EXPECT_EQ(memo->lines, 2);
    EXPECT_EQ(memo->Height(), 2 * 18 + 26);
    ExpectThreeEqualGaps(a.view);
}

using YesNoBoxAnswers = YesNoBoxTest;

TEST_F(YesNoBoxAnswers, ButtonsGive6And7AndTheCloseCommandGives2)
{
    TYesNoBoxDlg dlg;
    const auto click = [](const char* caption) {
        return [caption](HWND box) {
            const auto button = ReadBox(box).Button(caption);
            ASSERT_TRUE(button);
            Click(button->handle);
        };
    };
    EXPECT_EQ(Ask(dlg, ShortQuestion, click("はい")).result, 6);
    EXPECT_EQ(Ask(dlg, ShortQuestion, click("いいえ")).result, 7);
    EXPECT_EQ(Ask(dlg, ShortQuestion, SendCloseCommand).result, 2);
    EXPECT_EQ(Ask(dlg, ShortQuestion, [](HWND box) { PostMessageA(box, WM_CLOSE, 0, 0); }).result, 2);
}

} // namespace
