#include "BoxDriving.h"

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
// Generous bounds: Wine under load may be slow, never early.
constexpr DWORD TickLowerBound = 700;
constexpr DWORD SelfCloseUpperBound = 10000;

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
    BoxView view;
    HWND focus = nullptr;
    std::string shot;
    int result = 0;
    {
        BoxObserver observer([&] {
            HWND box = WaitForBox(PalunBoxClass);
            ASSERT_NE(box, nullptr);
            Sleep(SymbolDrawnDelay);
            shot = SaveScreenshot(box, "PalunBox_TwoLines");
            view = ReadBox(box);
            focus = FocusOf(BoxObserver::MainThread());
            PressKey(BoxObserver::MainThread(), VK_RETURN);
        });
        result = dlg.Execute(TwoLineMessage);
    }
    EXPECT_EQ(result, 1);
    std::cout << "screenshot: " << shot << "\n";

    EXPECT_EQ(view.caption, "見出し");
    const auto memo = view.Memo();
    const auto ok = view.Button("ＯＫ");
    const auto symbol = view.Symbol();
    ASSERT_TRUE(memo && ok && symbol);
    // The box puts "\r\r\n" into the text field; Wine's edit control gives
    // the break back as a plain "\r\n".
    EXPECT_EQ(memo->text, "ファイルリスト・エラー発生\r\n別のドライブか、フォルダーを選択してみて下さい");
    EXPECT_EQ(memo->lines, 2);
    EXPECT_EQ(focus, ok->handle) << "the focus should be on ＯＫ when the box opens";

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
    std::string caption;
    bool openAfterEscape = false;
    int result = 0;
    {
        BoxObserver observer([&] {
            HWND box = WaitForBox(PalunBoxClass);
            ASSERT_NE(box, nullptr);
            caption = WindowText(box);
            PressKey(BoxObserver::MainThread(), VK_ESCAPE);
            openAfterEscape = !WaitUntilGone(box, NoChangeWatch) && IsWindowVisible(box);
            SendCloseCommand(box);
        });
        result = dlg.Execute("閉じる試験");
    }
    EXPECT_EQ(caption, TestApplicationTitle);
    EXPECT_TRUE(openAfterEscape);
    EXPECT_EQ(result, 2);
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
    std::string firstLabel;
    bool secondLabelSeen = false;
    HWND onTopOfPause = nullptr;
    std::string shot;
    DWORD shownAt = 0;
    int result = 0;
    {
        BoxObserver observer([&] {
            HWND box = WaitForBox(PalunBoxClass);
            ASSERT_NE(box, nullptr);
            shownAt = GetTickCount();
            firstLabel = CountLabelText(box);
            Sleep(SymbolDrawnDelay);
            shot = SaveScreenshot(box, "PalunBox_Countdown");
            view = ReadBox(box);
            if (const auto pause = view.Button("一時停止"))
                onTopOfPause = WindowAtCentreOf(box, *pause);
            secondLabelSeen = WaitUntil([box] { return CountLabelText(box) == "1秒"; }, 3000);
        });
        result = dlg.ExecuteCount(CountingMessage);
    }
    const DWORD elapsed = GetTickCount() - shownAt;
    std::cout << "screenshot: " << shot << "\n";
    EXPECT_EQ(result, 2);
    EXPECT_EQ(firstLabel, "2秒");
    EXPECT_TRUE(secondLabelSeen);
    EXPECT_GE(elapsed, 1500u);
    EXPECT_LE(elapsed, SelfCloseUpperBound);

    const auto ok = view.Button("ＯＫ");
    const auto pause = view.Button("一時停止");
    const auto resume = view.Button("ｶｳﾝﾄ再開");
    const auto label = view.CountLabel();
    const auto memo = view.Memo();
    ASSERT_TRUE(ok && pause && resume && label && memo);
    EXPECT_TRUE(pause->visible);
    EXPECT_EQ(RectOf(*resume), RectOf(*pause));
    EXPECT_EQ(onTopOfPause, pause->handle) << "一時停止 must lie over ｶｳﾝﾄ再開";

    const int gap = (view.ClientWidth() - 2 * 89) / 3;
    EXPECT_EQ(ok->Left(), gap);
    EXPECT_EQ(pause->Left(), gap + 89 + gap);
    EXPECT_EQ(pause->Top(), ok->Top());
    EXPECT_TRUE(label->visible);
    EXPECT_EQ(label->rect.right, view.ClientWidth());
    EXPECT_EQ(label->rect.bottom, view.ClientHeight());

    const BoxSize labelSize { TextSize("2秒").cx, TextSize("2秒").cy };
    const BoxLayout expected = LayOutCountdownBox(MeasuredMessage(CountingMessage), FrameOf(view), labelSize);
    EXPECT_EQ(view.Width(), expected.boxWidth);
    EXPECT_EQ(view.Height(), expected.boxHeight);
    EXPECT_EQ(RectOf(*memo), expected.MemoMsg);
    EXPECT_EQ(RectOf(*ok), expected.Button1);
    EXPECT_EQ(RectOf(*pause), *expected.Button2);
    EXPECT_EQ(RectOf(*label), *expected.Label1);
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
    bool reachedNine = false;
    BoxView paused;
    HWND onTopWhenPaused = nullptr;
    std::string labelAfterPause;
    bool stillOpenWhilePaused = false;
    BoxView resumed;
    std::string labelRightAfterResume;
    bool wentOn = false;
    std::string shot;
    DWORD resumedAt = 0;
    DWORD wentOnAt = 0;
    int result = 0;
    {
        BoxObserver observer([&] {
            HWND box = WaitForBox(PalunBoxClass);
            ASSERT_NE(box, nullptr);
            reachedNine = WaitUntil([box] { return CountLabelText(box) == "9秒"; }, 3000);
            const BoxView counting = ReadBox(box);
            ASSERT_TRUE(
                counting.Button("一時停止") && counting.Button("ｶｳﾝﾄ再開") && counting.Button("ＯＫ"));
            Click(counting.Button("一時停止")->handle);
            paused = ReadBox(box);
            if (const auto resume = paused.Button("ｶｳﾝﾄ再開"))
                onTopWhenPaused = WindowAtCentreOf(box, *resume);
            Sleep(SymbolDrawnDelay);
            shot = SaveScreenshot(box, "PalunBox_Paused");
            WaitUntil([box] { return CountLabelText(box) != "9秒"; }, NoChangeWatch);
            labelAfterPause = CountLabelText(box);
            stillOpenWhilePaused = IsWindowVisible(box) != FALSE;
            Click(counting.Button("ｶｳﾝﾄ再開")->handle);
            resumedAt = GetTickCount();
            resumed = ReadBox(box);
            labelRightAfterResume = CountLabelText(box);
            wentOn = WaitUntil([box] { return CountLabelText(box) == "8秒"; }, 3000);
            wentOnAt = GetTickCount();
            Click(counting.Button("ＯＫ")->handle);
        });
        result = dlg.ExecuteCount(CountingMessage);
    }
    std::cout << "screenshot: " << shot << "\n";
    EXPECT_EQ(result, 1);
    ASSERT_TRUE(reachedNine);
    ASSERT_TRUE(paused.Button("一時停止") && paused.Button("ｶｳﾝﾄ再開"));
    EXPECT_FALSE(paused.Button("一時停止")->visible);
    EXPECT_TRUE(paused.Button("ｶｳﾝﾄ再開")->visible);
    EXPECT_EQ(onTopWhenPaused, paused.Button("ｶｳﾝﾄ再開")->handle);
    EXPECT_EQ(paused.CountLabel()->text, "9秒");
    EXPECT_EQ(labelAfterPause, "9秒");
    EXPECT_TRUE(stillOpenWhilePaused);
    EXPECT_TRUE(resumed.Button("一時停止")->visible);
    EXPECT_EQ(labelRightAfterResume, "9秒");
    EXPECT_TRUE(wentOn);
    EXPECT_GE(wentOnAt - resumedAt, TickLowerBound);
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
        std::string firstLabel;
        DWORD shownAt = 0;
        int result = 0;
        const LabelRecorder recorder;
        {
            BoxObserver observer([&] {
                HWND box = WaitForBox(PalunBoxClass);
                ASSERT_NE(box, nullptr);
                shownAt = GetTickCount();
                firstLabel = CountLabelText(box);
            });
            result = dlg.ExecuteCount("すぐ閉じます");
        }
        const DWORD elapsed = GetTickCount() - shownAt;
        EXPECT_EQ(result, 2);
        EXPECT_EQ(firstLabel, c.first);
        EXPECT_GE(elapsed, TickLowerBound);
        EXPECT_LE(elapsed, SelfCloseUpperBound);
        ASSERT_FALSE(recorder.Entries().empty());
        const LabelRecorder::Entry& last = recorder.Entries().back();
        EXPECT_EQ(last.text, c.last);
        EXPECT_GE(last.rect.right - last.rect.left, TextWidth(c.last)) << "the label must fit its text";
        EXPECT_EQ(last.rect.right, last.boxClientWidth);
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
            ASSERT_TRUE(WaitUntil([outer] { return CountLabelText(outer) == "9秒"; }, 3000));
            runner.Post([&] { innerResult = innerDlg.ExecuteCount("上に開いた箱"); });
            HWND inner = WaitForNewBox(PalunBoxClass, { outer });
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
