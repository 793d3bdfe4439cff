// The program's one way out on a fault it cannot return from: a box that
// names the failure, then a non-zero exit code.  Seen from outside on a
// program that links the product's failure path and commits the fault.

#include "CaseLabel.h"
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

class FailFast : public ::testing::TestWithParam<FaultCase> { };

TEST_P(FailFast, ShowsABoxNamingTheFailureAndEndsWithItsExitCode)
{
    RunningProgram program(WindowsPathFromEnvironment("DRIM_FAILFAST_CHILD"), GetParam().argument);
    HWND box = nullptr;
    WaitUntil(
        [&] {
            box = FindTopLevelWindow(DialogBoxClass, program.Id());
            return box != nullptr && IsWindowVisible(box) && !StaticTexts(box).empty();
        },
        WindowAppearsMilliseconds);
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

} // namespace
