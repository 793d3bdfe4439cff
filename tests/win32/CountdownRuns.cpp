#include "CountdownRuns.h"

#include <gtest/gtest.h>

namespace {

constexpr DWORD LabelStepTimeout = 3000;
constexpr DWORD TwoSecondsLowerBound = 1500;

} // namespace

AcceptedBox ReadAndAccept(const char* boxClass, const char* shotName, const ShowBox& show)
{
    AcceptedBox accepted;
    {
        BoxObserver observer([&] {
            HWND box = WaitForBox(boxClass);
            ASSERT_NE(box, nullptr);
            Sleep(SymbolDrawnDelay);
            accepted.shot = SaveScreenshot(box, shotName);
            accepted.view = ReadBox(box);
            accepted.focus = FocusOf(BoxObserver::MainThread());
            PressKey(BoxObserver::MainThread(), VK_RETURN);
        });
        accepted.result = show();
    }
    std::cout << "screenshot: " << accepted.shot << "\n";
    return accepted;
}

void ExpectCountdownLayout(const BoxView& view, const BoxLayout& expected)
{
    const auto ok = view.Button("ＯＫ");
    const auto pause = view.Button("一時停止");
    const auto label = view.CountLabel();
    const auto memo = view.Memo();
    ASSERT_TRUE(ok && pause && label && memo && expected.Button2 && expected.Label1);
    EXPECT_EQ(view.Width(), expected.boxWidth);
    EXPECT_EQ(view.Height(), expected.boxHeight);
    EXPECT_EQ(RectOf(*memo), expected.MemoMsg);
    EXPECT_EQ(RectOf(*ok), expected.Button1);
    EXPECT_EQ(RectOf(*pause), *expected.Button2);
    EXPECT_EQ(RectOf(*label), *expected.Label1);
}

SelfClosedBox RunTwoSecondCountdown(
    const char* boxClass, const ShowBox& show, const std::function<void(HWND)>& whileCounting)
{
    SelfClosedBox run;
    DWORD shownAt = 0;
    {
        BoxObserver observer([&] {
            HWND box = WaitForBox(boxClass);
            ASSERT_NE(box, nullptr);
            shownAt = GetTickCount();
            run.firstLabel = CountLabelText(box);
            if (whileCounting)
                whileCounting(box);
            run.secondLabelSeen = WaitUntil([box] { return CountLabelText(box) == "1秒"; }, LabelStepTimeout);
        });
        run.result = show();
    }
    run.elapsed = GetTickCount() - shownAt;
    return run;
}

void ExpectClosedItselfAfterTwoSeconds(const SelfClosedBox& run)
{
    EXPECT_EQ(run.result, 2);
    EXPECT_EQ(run.firstLabel, "2秒");
    EXPECT_TRUE(run.secondLabelSeen);
    EXPECT_GE(run.elapsed, TwoSecondsLowerBound);
    EXPECT_LE(run.elapsed, SelfCloseUpperBound);
}

PausedBox PauseAndResume(HWND box, const std::function<void()>& paused, const std::function<void()>& resumed)
{
    PausedBox run;
    run.reachedNine = WaitUntil([box] { return CountLabelText(box) == "9秒"; }, LabelStepTimeout);
    const BoxView counting = ReadBox(box);
    const auto pause = counting.Button("一時停止");
    const auto resume = counting.Button("ｶｳﾝﾄ再開");
    EXPECT_TRUE(pause && resume);
    if (!pause || !resume)
        return run;
    Click(pause->handle);
    if (paused)
        paused();
    WaitUntil([box] { return CountLabelText(box) != "9秒"; }, NoChangeWatch);
    run.labelAfterPause = CountLabelText(box);
    run.openAfterWatch = IsWindowVisible(box) != FALSE;
    Click(resume->handle);
    const DWORD resumedAt = GetTickCount();
    if (resumed)
        resumed();
    run.wentOn = WaitUntil([box] { return CountLabelText(box) == "8秒"; }, LabelStepTimeout);
    run.resumedFor = GetTickCount() - resumedAt;
    return run;
}

void ExpectHeldAndWentOnASecondLater(const PausedBox& run)
{
    EXPECT_TRUE(run.reachedNine);
    EXPECT_EQ(run.labelAfterPause, "9秒");
    EXPECT_TRUE(run.openAfterWatch);
    EXPECT_TRUE(run.wentOn);
    EXPECT_GE(run.resumedFor, TickLowerBound);
}

void ExpectClosesAtTheFirstTick(
    const char* boxClass, const ShowBox& show, const char* firstLabel, const char* lastLabel)
{
    std::string first;
    DWORD shownAt = 0;
    int result = 0;
    const LabelRecorder recorder;
    {
        BoxObserver observer([&] {
            HWND box = WaitForBox(boxClass);
            ASSERT_NE(box, nullptr);
            shownAt = GetTickCount();
            first = CountLabelText(box);
        });
        result = show();
    }
    const DWORD elapsed = GetTickCount() - shownAt;
    EXPECT_EQ(result, 2);
    EXPECT_EQ(first, firstLabel);
    EXPECT_GE(elapsed, TickLowerBound);
    EXPECT_LE(elapsed, SelfCloseUpperBound);
    ASSERT_FALSE(recorder.Entries().empty());
    const LabelRecorder::Entry& last = recorder.Entries().back();
    EXPECT_EQ(last.text, lastLabel);
    EXPECT_GE(last.rect.right - last.rect.left, TextWidth(lastLabel)) << "the label must fit its text";
    EXPECT_EQ(last.rect.right, last.boxClientWidth);
}

void ExpectAcceptedWithTheFocusOnOk(const AcceptedBox& accepted, const std::string& caption)
{
    EXPECT_EQ(accepted.result, 1);
    EXPECT_EQ(accepted.view.caption, caption);
    const auto ok = accepted.view.Button("ＯＫ");
    ASSERT_TRUE(ok);
    EXPECT_EQ(accepted.focus, ok->handle) << "the focus should be on ＯＫ when the box opens";
}

void ExpectPauseOverResume(const BoxView& view)
{
    const auto pause = view.Button("一時停止");
    const auto resume = view.Button("ｶｳﾝﾄ再開");
    ASSERT_TRUE(pause && resume);
    EXPECT_TRUE(pause->visible);
    EXPECT_EQ(RectOf(*resume), RectOf(*pause));
}

EscapedBox EscapeThenClose(const char* boxClass, const ShowBox& show)
{
    EscapedBox escaped;
    {
        BoxObserver observer([&] {
            HWND box = WaitForBox(boxClass);
            ASSERT_NE(box, nullptr);
            escaped.view = ReadBox(box);
            PressKey(BoxObserver::MainThread(), VK_ESCAPE);
            escaped.closedByEscape = WaitUntilGone(box, NoChangeWatch) || !IsWindowVisible(box);
            SendCloseCommand(box);
        });
        escaped.result = show();
    }
    return escaped;
}

HWND OpenAboveCountingBox(const char* boxClass, HWND outer, const char* outerLabel,
    const MainThreadRunner& runner, const std::function<void()>& show)
{
    const bool reached
        = WaitUntil([outer, outerLabel] { return CountLabelText(outer) == outerLabel; }, LabelStepTimeout);
    EXPECT_TRUE(reached) << "the outer box never showed " << outerLabel;
    if (!reached)
        return nullptr;
    runner.Post(show);
    HWND inner = WaitForNewBox(boxClass, { outer });
    EXPECT_NE(inner, nullptr);
    return inner;
}
