// The program's one way out on a fault it cannot return from: a box that
// names the failure, then a non-zero exit code.  Seen from outside on a
// program that links the product's failure path and commits the fault.

#include "CaseLabel.h"
#include "FailFastChild.h"
#include "Observe.h"
#include "Program.h"
#include "Resident.h"
#include "WindowProbe.h"
#include "app/FailFast.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct FaultCase {
    const char* label;
    const char* argument;
    // A piece of text the box must show.
    const char* named;
};

// Ten ticks of the child's timer.
constexpr DWORD TenTicksMilliseconds = 10 * TickMilliseconds;
// A broadcast that waited for a window that does not answer would take its
// whole time-out; one answered by every window takes a small part of it.
constexpr UINT BroadcastTimeoutMilliseconds = 30000;
constexpr DWORD BroadcastAnsweredMilliseconds = 10000;

RunningProgram StartChild(const char* argument)
{
    return RunningProgram(WindowsPathFromEnvironment("DRIM_FAILFAST_CHILD"), argument);
}

HWND WaitForFailureBox(const RunningProgram& program)
{
    HWND box = nullptr;
    WaitUntil(
        [&] {
            box = FindTopLevelWindow(DialogBoxClass, program.Id());
            return box != nullptr && IsWindowVisible(box) && !StaticTexts(box).empty();
        },
        WindowAppearsMilliseconds);
    return box;
}

// The caption as the system keeps it: no message reaches the window, whose
// thread must not answer.
std::string StoredCaption(HWND window)
{
    char text[64] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

class FailFast : public ::testing::TestWithParam<FaultCase> { };

TEST_P(FailFast, ShowsABoxNamingTheFailureAndEndsWithItsExitCode)
{
    RunningProgram program = StartChild(GetParam().argument);
    const HWND box = WaitForFailureBox(program);
    ASSERT_NE(box, nullptr) << "no failure box";
    const std::string text = StaticTexts(box);
    EXPECT_NE(text.find("内部エラー"), std::string::npos) << text;
    EXPECT_NE(text.find(GetParam().named), std::string::npos) << text;
    EXPECT_FALSE(program.WaitForExit(0)) << "ended before the box was answered";

    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(program.WaitForExit(ProcessEndsMilliseconds));
    EXPECT_EQ(program.ExitCode(), FailFastExitCode);
}

INSTANTIATE_TEST_SUITE_P(Faults, FailFast,
    ::testing::Values(FaultCase { "OutOfRange", "range", "範囲外" },
        FaultCase { "NoMemory", "allocation", "メモリー" }, FaultCase { "Abort", "abort", "中断" }),
    CaseLabel());

// The fault comes from a tick of a 100 ms timer.  While the box is up, the
// faulting thread runs nothing of the program: no later tick reaches the
// window.  Yet it blocks no other program: a message sent to its window or
// to its message-only window, and a broadcast, are answered at once, by the
// system's default rather than by the program.
TEST(FailFastStopsTheProgram, NoTickRunsAndSentMessagesAreAnsweredWithoutTheProgram)
{
    RunningProgram program = StartChild("timer");
    const HWND box = WaitForFailureBox(program);
    ASSERT_NE(box, nullptr) << "no failure box";
    const HWND ticking = FindTopLevelWindow(TickingWindowClass, program.Id());
    ASSERT_NE(ticking, nullptr);
    const HWND messageOnly = FindWindowExA(HWND_MESSAGE, nullptr, TickingWindowClass, MessageOnlyCaption);
    ASSERT_NE(messageOnly, nullptr);
    EXPECT_EQ(StoredCaption(ticking), FaultTickCaption);
    for (const HWND window : { ticking, messageOnly }) {
        DWORD_PTR answer = 0xdeadbeef;
        EXPECT_NE(
            SendMessageTimeoutA(window, SentMarkMessage, 0, 0, SMTO_NORMAL, TenTicksMilliseconds, &answer), 0)
            << "the faulting thread answered no sent message";
        EXPECT_EQ(answer, 0u) << "the program's window procedure answered";
    }
    EXPECT_EQ(StoredCaption(messageOnly), MessageOnlyCaption);
    const UINT broadcast = RegisterWindowMessageA("DRIM32 fail-fast broadcast");
    DWORD_PTR ignored = 0;
    const DWORD sent = GetTickCount();
    SendMessageTimeoutA(HWND_BROADCAST, broadcast, 0, 0, SMTO_NORMAL, BroadcastTimeoutMilliseconds, &ignored);
    EXPECT_LT(GetTickCount() - sent, BroadcastAnsweredMilliseconds)
        << "the broadcast waited for the faulting thread";
    EXPECT_FALSE(WaitUntil([&] { return StoredCaption(ticking) != FaultTickCaption; }, TenTicksMilliseconds))
        << StoredCaption(ticking);

    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(program.WaitForExit(ProcessEndsMilliseconds));
    EXPECT_EQ(program.ExitCode(), FailFastExitCode);
}

} // namespace
