#include "CountdownRuns.h"

#include "dialogs/Mkdlg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <vector>

namespace {

constexpr char TrayMessage[] = "スタートアップに登録しました。\n次回の起動から有効です。";
constexpr int NotYet = -99;

class MKBoxTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { InitializeTestApplication(); }
};

std::string Seconds(int n)
{
    return std::to_string(n) + "秒";
}

// A label's texts must run down one second at a time from `first`.
void ExpectConsecutive(const std::vector<std::string>& texts, int first)
{
    ASSERT_FALSE(texts.empty());
    for (std::size_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(texts[i], Seconds(first - static_cast<int>(i))) << "text " << i;
}

using MKBoxLayout = MKBoxTest;

TEST_F(MKBoxLayout, DefaultsShowOkPauseAndTenSecondsAndOkGives1)
{
    TMKBoxDlg dlg;
    dlg.Title = "お知らせ";
    const AcceptedBox accepted
        = ReadAndAccept(MKBoxClass, "MKBox_Countdown", [&] { return dlg.ExecuteCount(TrayMessage); });
    const BoxView& view = accepted.view;
    ExpectAcceptedWithTheFocusOnOk(accepted, "お知らせ");
    ExpectPauseOverResume(view);
    const auto label = view.CountLabel();
    const auto memo = view.Memo();
    ASSERT_TRUE(label && memo);
    // The box puts "\r\r\n" into the text field; Wine's edit control gives
    // the break back as a plain "\r\n".
    EXPECT_EQ(memo->text, "スタートアップに登録しました。\r\n次回の起動から有効です。");
    EXPECT_EQ(memo->lines, 2);
    EXPECT_EQ(label->text, "10秒");

    const SIZE labelSize = TextSize("10秒");
    ExpectCountdownLayout(view,
        LayOutCountdownBox(
            MeasuredMessage(TrayMessage), FrameOf(view), BoxSize { labelSize.cx, labelSize.cy }));
}

TEST_F(MKBoxLayout, ExecuteHasNoCountdownAndTheApplicationTitle)
{
    TMKBoxDlg dlg;
    const EscapedBox escaped = EscapeThenClose(MKBoxClass, [&] { return dlg.Execute("カウントなし"); });
    const BoxView& view = escaped.view;
    EXPECT_EQ(escaped.result, 2);
    EXPECT_FALSE(escaped.closedByEscape) << "Escape closed a box that has no cancel button";
    EXPECT_EQ(view.caption, TestApplicationTitle);
    EXPECT_EQ(view.VisibleButtons(), 1);
    const auto ok = view.Button("ＯＫ");
    ASSERT_TRUE(ok);
    EXPECT_EQ(ok->Left(), (view.ClientWidth() - ok->Width()) / 2);
    ASSERT_TRUE(view.CountLabel());
    EXPECT_FALSE(view.CountLabel()->visible);
}

using MKBoxCountdown = MKBoxTest;

TEST_F(MKBoxCountdown, TwoSecondsCloseTheBoxWith2)
{
    TMKBoxDlg dlg;
    dlg.TimerCount = 2;
    ExpectClosedItselfAfterTwoSeconds(
        RunTwoSecondCountdown(MKBoxClass, [&] { return dlg.ExecuteCount(TrayMessage); }));
}

TEST_F(MKBoxCountdown, PauseHoldsTheCountAndResumeGoesOnASecondLater)
{
    TMKBoxDlg dlg;
    bool pauseHidden = false;
    PausedBox run;
    int result = 0;
    {
        BoxObserver observer([&] {
            HWND box = WaitForBox(MKBoxClass);
            ASSERT_NE(box, nullptr);
            run = PauseAndResume(box, [&] {
                const BoxView view = ReadBox(box);
                pauseHidden = !view.Button("一時停止")->visible && view.Button("ｶｳﾝﾄ再開")->visible;
            });
            SendCloseCommand(box);
        });
        result = dlg.ExecuteCount(TrayMessage);
    }
    EXPECT_EQ(result, 2);
    EXPECT_TRUE(pauseHidden);
    ExpectHeldAndWentOnASecondLater(run);
}

TEST_F(MKBoxCountdown, CountOf0ClosesAtTheFirstTickShowingMinus1)
{
    TMKBoxDlg dlg;
    dlg.TimerCount = 0;
    ExpectClosesAtTheFirstTick(
        MKBoxClass, [&] { return dlg.ExecuteCount("すぐ閉じます"); }, "0秒", "-1秒");
}

TEST_F(MKBoxCountdown, LowestCountIsCutToTenCharactersBeforeItIsShown)
{
    TMKBoxDlg dlg;
    dlg.TimerCount = -2147483647 - 1;
    std::string firstLabel;
    int result = 0;
    {
        BoxObserver observer([&] {
            HWND box = WaitForBox(MKBoxClass);
            ASSERT_NE(box, nullptr);
            firstLabel = CountLabelText(box);
        });
        result = dlg.ExecuteCount("最小値");
    }
    EXPECT_EQ(result, 2);
    EXPECT_EQ(firstLabel, "-214748364秒");
}

using MKBoxSlots = MKBoxTest;

TEST_F(MKBoxSlots, NestedBoxesTakeSlots0And1AndEachCountsItsOwnSeconds)
{
    TMKBoxDlg dlg;
    dlg.TimerCount = 8;
    const MainThreadRunner runner;
    const LabelRecorder recorder;
    std::atomic<int> innerResult { NotYet };
    std::atomic<int> thirdResult { NotYet };
    SlotFlags whileNested {};
    SlotFlags afterInner {};
    SlotFlags whileThird {};
    std::string innerFirst;
    std::string outerWhenInnerOpened;
    HWND outerLabel = nullptr;
    HWND innerLabel = nullptr;
    int outerResult = 0;
    {
        BoxObserver observer([&] {
            HWND outer = WaitForBox(MKBoxClass);
            ASSERT_NE(outer, nullptr);
            HWND inner = OpenAboveCountingBox(MKBoxClass, outer, "7秒", runner, [&] {
                dlg.TimerCount = 3;
                innerResult = dlg.ExecuteCount("内側の箱");
            });
            ASSERT_NE(inner, nullptr);
            innerFirst = CountLabelText(inner);
            outerWhenInnerOpened = CountLabelText(outer);
            outerLabel = ReadBox(outer).CountLabel()->handle;
            innerLabel = ReadBox(inner).CountLabel()->handle;
            runner.Call([&] { whileNested = dlg.B; });
            WaitUntilGone(inner);
            runner.Call([&] { afterInner = dlg.B; });

            runner.Post([&] { thirdResult = dlg.Execute("三つ目の箱"); });
            HWND third = WaitForNewBox(MKBoxClass, { outer });
            ASSERT_NE(third, nullptr);
            runner.Call([&] { whileThird = dlg.B; });
            PressKey(BoxObserver::MainThread(), VK_RETURN);
            WaitUntilGone(third);
            WaitUntilGone(outer);
        });
        outerResult = dlg.ExecuteCount("外側の箱");
    }
    EXPECT_EQ(whileNested, (SlotFlags { true, true }));
    EXPECT_EQ(afterInner, (SlotFlags { true }));
    EXPECT_EQ(whileThird, (SlotFlags { true, true }));
    EXPECT_EQ(dlg.B, SlotFlags {});
    EXPECT_EQ(innerResult, 2);
    EXPECT_EQ(thirdResult, 1);
    EXPECT_EQ(outerResult, 2);

    // Each label runs down on its own, from its own start.
    EXPECT_EQ(innerFirst, "3秒");
    EXPECT_EQ(outerWhenInnerOpened, "7秒");
    const std::vector<std::string> outerTexts = recorder.TextsOf(outerLabel);
    const std::vector<std::string> innerTexts = recorder.TextsOf(innerLabel);
    ExpectConsecutive(outerTexts, 8);
    EXPECT_EQ(outerTexts.back(), "0秒");
    ExpectConsecutive(innerTexts, 3);
    EXPECT_EQ(innerTexts.back(), "0秒");
}

TEST_F(MKBoxSlots, TenBoxesNestAndTheEleventhReturns0WithoutABox)
{
    TMKBoxDlg dlg;
    const MainThreadRunner runner;
    std::vector<std::atomic<int>> results(11);
    for (auto& r : results)
        r = NotYet;
    SlotFlags whileTen {};
    std::size_t boxesAtTen = 0;
    std::size_t boxesAfterEleventh = 0;
    {
        BoxObserver observer([&] {
            HWND first = WaitForBox(MKBoxClass);
            ASSERT_NE(first, nullptr);
            std::vector<HWND> open { first };
            for (std::size_t i = 1; i < 10; ++i) {
                runner.Post([&, i] { results[i] = dlg.Execute("入れ子 " + std::to_string(i)); });
                HWND box = WaitForNewBox(MKBoxClass, open);
                ASSERT_NE(box, nullptr) << "box " << i;
                open.push_back(box);
            }
            boxesAtTen = BoxWindows(MKBoxClass).size();
            runner.Call([&] { whileTen = dlg.B; });
            runner.Post([&] { results[10] = dlg.Execute("十一番目"); });
            // A box shown would wait for an answer: returning on its own
            // means none was.
            WaitUntil([&] { return results[10] != NotYet; }, 3000);
            boxesAfterEleventh = BoxWindows(MKBoxClass).size();
            // The innermost first: each outer loop ends only after it.
            for (auto box = open.rbegin(); box != open.rend(); ++box) {
                SendCloseCommand(*box);
                WaitUntilGone(*box);
            }
        });
        results[0] = dlg.Execute("入れ子 0");
    }
    EXPECT_EQ(boxesAtTen, 10u);
    EXPECT_EQ(whileTen, (SlotFlags { true, true, true, true, true, true, true, true, true, true }));
    EXPECT_EQ(results[10], 0);
    EXPECT_EQ(boxesAfterEleventh, 10u);
    for (std::size_t i = 0; i < 10; ++i)
        EXPECT_EQ(results[i], 2) << "box " << i;
    EXPECT_EQ(dlg.B, SlotFlags {});
}

TEST_F(MKBoxSlots, AllTenFlagsSetGive0WithoutABox)
{
    TMKBoxDlg dlg;
    dlg.B.fill(true);
    EXPECT_EQ(dlg.Execute("出ない箱"), 0);
    EXPECT_EQ(dlg.ExecuteCount("出ない箱"), 0);
    EXPECT_TRUE(BoxWindows(MKBoxClass).empty());
    EXPECT_EQ(dlg.B, (SlotFlags { true, true, true, true, true, true, true, true, true, true }));
}

} // namespace
