// A second start while the resident copy hangs ends by itself and says so.

#include "BoxProbe.h"
#include "CaseLabel.h"
#include "TrayDriving.h"
#include "app/Forwarding.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <string>

namespace {

// A Wine process's start on a busy machine, on top of the sender's own
// time-out.
constexpr DWORD StartMarginMilliseconds = 15000;

// As the box's text field holds it: a carriage return before the line feed.
const std::string NotAnswering = "エラー：起動中のDRIM32が応答しません・・・\r\n"
                                 "タスクマネージャーで終了してから、もう一度起動してください。";

struct SecondStart {
    std::string label;
    std::string arguments;
    std::string atomName; // argument 1 + "?" + argument 2
};

HWND WaitForVisibleBox(const RunningProgram& sender)
{
    HWND box = nullptr;
    WaitUntil(
        [&] {
            box = FindTopLevelWindow(PalunBoxClass, sender.Id());
            return box != nullptr && IsWindowVisible(box);
        },
        ResidentAnswerMilliseconds + StartMarginMilliseconds);
    return box;
}

class HungResident : public ::testing::TestWithParam<SecondStart> { };

TEST_P(HungResident, TheSecondStartDeletesItsAtomSaysSoAndEndsWithAnErrorCode)
{
    RunningProgram hung(WindowsPathFromEnvironment("DRIM_HUNG_TRAY"), "");
    ASSERT_NE(WaitForWindow(TrayClass, WindowAppearsMilliseconds, hung.Id()), nullptr);

    RunningProgram second(GetParam().arguments);
    // The sentinel: the sender's atom is seen while it waits.
    EXPECT_TRUE(WaitUntil(
        [&] { return GlobalFindAtomA(GetParam().atomName.c_str()) != 0; }, WindowAppearsMilliseconds));
    const HWND box = WaitForVisibleBox(second);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(GlobalFindAtomA(GetParam().atomName.c_str()), 0);
    EXPECT_EQ(BoxMessage(box), NotAnswering);
    EXPECT_FALSE(second.WaitForExit(0));
    PostMessageA(box, WM_CLOSE, 0, 0);
    ASSERT_TRUE(second.WaitForExit(ProcessEndsMilliseconds));
    EXPECT_EQ(second.ExitCode(), static_cast<DWORD>(ResidentNotAnsweringExitCode));
}

INSTANTIATE_TEST_SUITE_P(HungResident, HungResident,
    ::testing::Values(SecondStart { "Off", "/off", "/off?" }, SecondStart { "NoArguments", "", "?" }),
    CaseLabel());

constexpr char ReleaseEventName[] = "DRIM32 test: release the forward";

// A stand-in resident copy that answers until the forward comes, then holds
// the forward, without taking a message, until the test releases it.
class ResidentHoldingTheForward : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(release_);
        tray_ = WaitForWindow(TrayClass, WindowAppearsMilliseconds, resident_.Id());
        ASSERT_NE(tray_, nullptr);
    }

    // The copy's completion has gone to the sender once the copy shows the
    // text: it shows it after the forward has returned.  Each case forwards
    // a switch of its own, as a given-up forward's atom stays in the
    // session.
    bool ReleasedCopyRead(const std::string& forwardText) const
    {
        return WindowText(tray_) == "read:" + forwardText;
    }

    UniqueHandle release_ { CreateEventA(nullptr, TRUE, FALSE, ReleaseEventName) };
    RunningProgram resident_ { WindowsPathFromEnvironment("DRIM_HUNG_TRAY"),
        std::string("late ") + ReleaseEventName };
    HWND tray_ = nullptr;
};

// The second start gives up while the copy holds its forward, says so and
// ends with its error code; the copy that wakes later still reads the text,
// and its completion arrives while the second start's box is up.
TEST_F(ResidentHoldingTheForward, TheSecondStartSaysSoAndTheCopyLaterReadsItsText)
{
    RunningProgram second("/no");
    const HWND box = WaitForVisibleBox(second);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(BoxMessage(box), NotAnswering);
    SetEvent(release_.Get());
    EXPECT_TRUE(WaitUntil([&] { return ReleasedCopyRead("/no?"); }, WindowAppearsMilliseconds))
        << WindowText(tray_);
    // Posted after the completion, which the box's loop takes first.
    PostMessageA(box, WM_CLOSE, 0, 0);
    ASSERT_TRUE(second.WaitForExit(ProcessEndsMilliseconds));
    EXPECT_EQ(second.ExitCode(), static_cast<DWORD>(ResidentNotAnsweringExitCode));
}

// The test is the second start here, so that the frames of the forward, once
// it has given up and returned, can be watched: they are filled with a
// pattern while the late completion comes, which must write nowhere in them.
constexpr std::size_t CanaryBytes = 64 * 1024;
constexpr unsigned char CanaryByte = 0xA5;

void DispatchWaitingMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
}

// Its padding puts the forward's frames well inside the canary's reach;
// written after the call too, so that the call is not made in its place.
[[gnu::noinline]] ForwardOutcome ForwardBelowPadding(HWND tray)
{
    [[maybe_unused]] volatile char padding[1024];
    padding[0] = 0;
    const ForwardOutcome outcome = ForwardToResidentCopy(tray, "-on", "");
    padding[1] = 0;
    return outcome;
}

struct CanaryWatch {
    bool textRead = false;
    std::size_t bytesChanged = 0;
};

[[gnu::noinline]] CanaryWatch WatchCanaryWhileReleased(HANDLE release, const std::function<bool()>& textRead)
{
    volatile unsigned char canary[CanaryBytes];
    for (volatile unsigned char& byte : canary)
        byte = CanaryByte;
    SetEvent(release);
    CanaryWatch watch;
    watch.textRead = WaitUntil(
        [&] {
            DispatchWaitingMessages();
            return textRead();
        },
        WindowAppearsMilliseconds);
    DispatchWaitingMessages();
    for (const volatile unsigned char& byte : canary)
        watch.bytesChanged += byte != CanaryByte ? 1 : 0;
    return watch;
}

TEST_F(ResidentHoldingTheForward, ALateCompletionWritesNowhereThatHasGone)
{
    ASSERT_EQ(ForwardBelowPadding(tray_), ForwardOutcome::NotAnswering);
    const CanaryWatch watch
        = WatchCanaryWhileReleased(release_.Get(), [&] { return ReleasedCopyRead("-on?"); });
    EXPECT_TRUE(watch.textRead);
    EXPECT_EQ(watch.bytesChanged, 0u);
}

} // namespace
