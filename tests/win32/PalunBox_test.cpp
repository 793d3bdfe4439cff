#include "CountdownRuns.h"

#include "dialogs/Palundlg.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

constexpr char TwoLineMessage[]
    = "ファイルリスト・エラー発生\n別のドライブか、フォルダーを選択してみて下さい";
constexpr char CountingMessage[] = "カウントダウンの試験です。\nしばらくすると閉じます。";

// The box adds three symbol widths (96) to the text field, which is 10
// wider than the widest line.
constexpr int WidthBesideText = 106;

class PalunBoxTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { InitializeTestApplication(); }
};

// The window beneath the centre of a control, as a mouse click would hit it.
HWND WindowAtCentreOf(HWND box, const WindowControl& control)
{
    POINT centre { (control.rect.left + control.rect.right) / 2,
        (control.rect.top + control.rect.bottom) / 2 };
    ClientToScreen(box, &centre);
    return WindowFromPoint(centre);
}

using PalunBoxLayout = PalunBoxTest;

TEST_F(PalunBoxLayout, TwoLineMessageIsAsWideAsItsLongerLinePlus106WithOkCentredAndEnterGives1)
{
    TPalunBoxDlg dlg;
    dlg.Title = "見出し";
    const AcceptedBox accepted
        = ReadAndAccept(PalunBoxClass, "PalunBox_TwoLines", [&] { return dlg.Execute(TwoLineMessage); });
    const BoxView& view = accepted.view;
    ExpectAcceptedWithTheFocusOnOk(accepted, "見出し");
    const auto memo = view.Memo();
    const auto ok = view.Button("ＯＫ");
    const auto symbol = view.Symbol();
    ASSERT_TRUE(memo && ok && symbol);
    // The box puts "\r\r\n" into the text field; Wine's edit control gives
    // the break back as a plain "\r\n".
    EXPECT_EQ(memo->text, "ファイルリスト・エラー発生\r\n別のドライブか、フォルダーを選択してみて下さい");
    EXPECT_EQ(memo->lines, 2);

    EXPECT_EQ(view.VisibleButtons(), 1);
    ASSERT_TRUE(view.Button("一時停止") && view.Button("ｶｳﾝﾄ再開") && view.CountLabel());
    EXPECT_FALSE(view.Button("一時停止")->visible);
    EXPECT_FALSE(view.Button("ｶｳﾝﾄ再開")->visible);
    EXPECT_FALSE(view.CountLabel()->visible);

    const BoxSize msg = MeasuredMessage(TwoLineMessage);
    EXPECT_EQ(msg.width, TextWidth("別のドライブか、フォルダーを選択してみて下さい"));
    EXPECT_EQ(view.Width(), msg.width + WidthBesideText);
    EXPECT_EQ(memo->Width(), msg.width + 10);
    EXPECT_EQ(memo->Height(), 2 * 18 + 26);
    EXPECT_EQ(ok->Left(), (view.ClientWidth() - ok->Width()) / 2);

    const BoxLayout expected = LayOutOkBox(msg, FrameOf(view));
    EXPECT_EQ(view.Width(), expected.boxWidth);
    EXPECT_EQ(view.Height(), expected.boxHeight);
    EXPECT_EQ(RectOf(*memo), expected.MemoMsg);
    EXPECT_EQ(RectOf(*symbol), expected.Image1);
    EXPECT_EQ(RectOf(*ok), expected.Button1);
}

TEST_F(PalunBoxLayout, EmptyMessageGivesOneEmptyLineAndTheLayoutHolds)
{
    TPalunBoxDlg dlg;
    BoxView view;
    int result = 0;
    {
        BoxObserver observer([&] {
            HWND box = WaitForBox(PalunBoxClass);
            ASSERT_NE(box, nullptr);
            view = ReadBox(box);
            PressKey(BoxObserver::MainThread(), VK_RETURN);
        });
        result = dlg.Execute("");
    }
    EXPECT_EQ(result, 1);
    const auto memo = view.Memo();
    const auto ok = view.Button("ＯＫ");
    ASSERT_TRUE(memo && ok);
    EXPECT_EQ(memo->text, "");
    EXPECT_EQ(memo->Height(), 18 + 26);
    const BoxLayout expected = LayOutOkBox(BoxSize { 0, 18 }, FrameOf(view));
    EXPECT_EQ(view.Width(), expected.boxWidth);
    EXPECT_EQ(view.Height(), expected.boxHeight);
    EXPECT_EQ(RectOf(*ok), expected.Button1);
}

TEST_F(PalunBoxLayout, ExecuteCountWithoutTimerShowsExactlyTheBoxOfExecute)
{
    TPalunBoxDlg dlg;
    dlg.Timer = false;
    BoxView plain;
    BoxView uncounted;
    const auto readAndAccept = [](BoxView& view) {
        HWND box = WaitForBox(PalunBoxClass);
        ASSERT_NE(box, nullptr);
        view = ReadBox(box);
        PressKey(BoxObserver::MainThread(), VK_RETURN);
        WaitUntilGone(box);
    };
    {
        BoxObserver observer([&] {
            readAndAccept(plain);
            readAndAccept(uncounted);
        });
        EXPECT_EQ(dlg.Execute(CountingMessage), 1);
        EXPECT_EQ(dlg.ExecuteCount(CountingMessage), 1);
    }
    EXPECT_EQ(uncounted.Width(), plain.Width());
    EXPECT_EQ(uncounted.Height(), plain.Height());
    ASSERT_EQ(uncounted.controls.size(), plain.controls.size());
    for (std::size_t i = 0; i < plain.controls.size(); ++i) {
        SCOPED_TRACE(plain.controls[i].text);
        EXPECT_EQ(RectOf(uncounted.controls[i]), RectOf(plain.controls[i]));
        EXPECT_EQ(uncounted.controls[i].visible, plain.controls[i].visible);
    }
    EXPECT_EQ(uncounted.VisibleButtons(), 1);
}

using PalunBoxAnswers = PalunBoxTest;

TEST_F(PalunBoxAnswers, EscapeLeavesTheOkBoxOpenAndTheCloseCommandGives2UnderTheApplicationTitle)
{
    TPalunBoxDlg dlg;
    const EscapedBox escaped = EscapeThenClose(PalunBoxClass, [&] { return dlg.Execute("閉じる試験"); });
    EXPECT_EQ(escaped.view.caption, TestApplicationTitle);
    EXPECT_FALSE(escaped.closedByEscape);
    EXPECT_EQ(escaped.result, 2);
}

TEST_F(PalunBoxAnswers, WmCloseGives2AndClickingOkGives1EvenWithoutATimerRunning)
{
    TPalunBoxDlg dlg;
    int closed = 0;
    int clicked = 0;
    {
        BoxObserver observer([&] {
            HWND box = WaitForBox(PalunBoxClass);
            ASSERT_NE(box, nullptr);
            PostMessageA(box, WM_CLOSE, 0, 0);
            WaitUntilGone(box);
            box = WaitForBox(PalunBoxClass);
            ASSERT_NE(box, nullptr);
            const auto ok = ReadBox(box).Button("ＯＫ");
            ASSERT_TRUE(ok);
            Click(ok->handle);
        });
        closed = dlg.ExecuteCount("一つ目");
        // No countdown: nothing but the click may end this box's loop.
        clicked = dlg.Execute("二つ目");
    }
    EXPECT_EQ(closed, 2);
    EXPECT_EQ(clicked, 1);
}

using PalunBoxCountdown = PalunBoxTest;

TEST_F(PalunBoxCountdown, CountsDownUnderThePauseButtonAndClosesItselfWith2)
{
    TPalunBoxDlg dlg;
    dlg.TimerCount = 2;
    BoxView view;
    HWND onTopOfPause = nullptr;
    std::string shot;
    const SelfClosedBox run = RunTwoSecondCountdown(
        PalunBoxClass, [&] { return dlg.ExecuteCount(CountingMessage); },
        [&](HWND box) {
            Sleep(SymbolDrawnDelay);
            shot = SaveScreenshot(box, "PalunBox_Countdown");
            view = ReadBox(box);
            if (const auto pause = view.Button("一時停止"))
                onTopOfPause = WindowAtCentreOf(box, *pause);
        });
    std::cout << "screenshot: " << shot << "\n";
    ExpectClosedItselfAfterTwoSeconds(run);

    ExpectPauseOverResume(view);
    const auto ok = view.Button("ＯＫ");
    const auto pause = view.Button("一時停止");
    const auto label = view.CountLabel();
    ASSERT_TRUE(ok && pause && label);
    EXPECT_EQ(onTopOfPause, pause->handle) << "一時停止 must lie over ｶｳﾝﾄ再開";

    const int gap = (view.ClientWidth() - 2 * 89) / 3;
    EXPECT_EQ(ok->Left(), gap);
    EXPECT_EQ(pause->Left(), gap + 89 + gap);
    EXPECT_EQ(pause->Top(), ok->Top());
    EXPECT_TRUE(label->visible);
    EXPECT_EQ(label->rect.right, view.ClientWidth());
    EXPECT_EQ(label->rect.bottom, view.ClientHeight());

    const BoxSize labelSize { TextSize("2秒").cx, TextSize("2秒").cy };
    ExpectCountdownLayout(
        view, LayOutCountdownBox(MeasuredMessage(CountingMessage), FrameOf(view), labelSize));
}

TEST_F(PalunBoxCountdown, ShortMessageWidensTheBoxForTheLabelAndKeepsTheButtons)
{
    TPalunBoxDlg dlg;
    BoxView view;
    int result = 0;
    {
        BoxObserver observer([&] {
            HWND box = WaitForBox(PalunBoxClass);
            ASSERT_NE(box, nullptr);
            view = ReadBox(box);
            SendCloseCommand(box);
        });
        result = dlg.ExecuteCount("短い");
    }
    EXPECT_EQ(result, 2);
    const auto ok = view.Button("ＯＫ");
    const auto pause = view.Button("一時停止");
    const auto label = view.CountLabel();
    ASSERT_TRUE(ok && pause && label);
    EXPECT_EQ(label->text, "10秒");
    const int narrowClient = TextWidth("短い") + WidthBesideText - FrameOf(view).width;
    ASSERT_LT(narrowClient - (pause->Left() + pause->Width()), label->Width())
        << "the message should be short enough to need the widening";
    const int gap = std::max((narrowClient - 2 * 89) / 3, 10);
    EXPECT_EQ(ok->Left(), gap);
    EXPECT_EQ(pause->Left(), gap + 89 + gap);
    EXPECT_EQ(view.ClientWidth(), pause->rect.right + label->Width());
    EXPECT_EQ(label->rect.right, view.ClientWidth());
    EXPECT_EQ(label->Width(), TextWidth("10秒"));
}

TEST_F(PalunBoxCountdown, PauseHoldsTheLabelAndResumeGoesOnASecondLater)
{
    TPalunBoxDlg dlg;
    PausedBox run;
    BoxView paused;
    HWND onTopWhenPaused = nullptr;
    BoxView resumed;
    std::string labelRightAfterResume;
    std::string shot;
    int result = 0;
    {
        BoxObserver observer([&] {
            HWND box = WaitForBox(PalunBoxClass);
            ASSERT_NE(box, nullptr);
            const auto ok = ReadBox(box).Button("ＯＫ");
            ASSERT_TRUE(ok);
            run = PauseAndResume(
                box,
                [&] {
                    paused = ReadBox(box);
                    if (const auto resume = paused.Button("ｶｳﾝﾄ再開"))
                        onTopWhenPaused = WindowAtCentreOf(box, *resume);
                    Sleep(SymbolDrawnDelay);
                    shot = SaveScreenshot(box, "PalunBox_Paused");
                },
                [&] {
                    resumed = ReadBox(box);
                    labelRightAfterResume = CountLabelText(box);
                });
            Click(ok->handle);
        });
        result = dlg.ExecuteCount(CountingMessage);
    }
    std::cout << "screenshot: " << shot << "\n";
    EXPECT_EQ(result, 1);
    ASSERT_TRUE(run.reachedNine);
    ASSERT_TRUE(paused.Button("一時停止") && paused.Button("ｶｳﾝﾄ再開"));
    EXPECT_FALSE(paused.Button("一時停止")->visible);
    EXPECT_TRUE(paused.Button("ｶｳﾝﾄ再開")->visible);
    EXPECT_EQ(onTopWhenPaused, paused.Button("ｶｳﾝﾄ再開")->handle);
    EXPECT_EQ(paused.CountLabel()->text, "9秒");
    EXPECT_TRUE(resumed.Button("一時停止")->visible);
    EXPECT_EQ(labelRightAfterResume, "9秒");
    ExpectHeldAndWentOnASecondLater(run);
}

TEST_F(PalunBoxCountdown, CountOf1Or0ClosesAtTheFirstTickWithTheLabelStillFitting)
{
    struct Case {
        int count;
        const char* first;
        const char* last;
    };
    for (const Case& c : { Case { 1, "1秒", "0秒" }, Case { 0, "0秒", "-1秒" } }) {
        SCOPED_TRACE(c.count);
        TPalunBoxDlg dlg;
        dlg.TimerCount = c.count;
        ExpectClosesAtTheFirstTick(
            PalunBoxClass, [&] { return dlg.ExecuteCount("すぐ閉じます"); }, c.first, c.last);
    }
}

TEST_F(PalunBoxCountdown, BoxOpenedOverACountingBoxSetsTheSharedCountAnew)
{
    TPalunBoxDlg outerDlg;
    TPalunBoxDlg innerDlg;
    innerDlg.TimerCount = 3;
    const MainThreadRunner runner;
    std::atomic<int> innerResult { -1 };
    std::string innerFirst;
    bool outerJumped = false;
    int outerResult = 0;
    {
        BoxObserver observer([&] {
            HWND outer = WaitForBox(PalunBoxClass);
            ASSERT_NE(outer, nullptr);
            HWND inner = OpenAboveCountingBox(PalunBoxClass, outer, "9秒", runner,
                [&] { innerResult = innerDlg.ExecuteCount("上に開いた箱"); });
            ASSERT_NE(inner, nullptr);
            innerFirst = CountLabelText(inner);
            // Both boxes now decrement the one count that the inner box set
            // to 3.
            outerJumped = WaitUntil(
                [outer] {
                    const std::string label = CountLabelText(outer);
                    return label == "2秒" || label == "1秒" || label == "0秒";
                },
                3000);
            WaitUntilGone(inner);
            WaitUntilGone(outer);
        });
        outerResult = outerDlg.ExecuteCount("下の箱");
    }
    EXPECT_EQ(innerFirst, "3秒");
    EXPECT_TRUE(outerJumped);
    EXPECT_EQ(innerResult, 2);
    EXPECT_EQ(outerResult, 2);
}

} // namespace
