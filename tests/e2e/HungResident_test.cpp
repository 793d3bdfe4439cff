// A second start while the resident copy hangs ends by itself and says so.

#include "BoxProbe.h"
#include "CaseLabel.h"
#include "TrayDriving.h"
#include "app/Forwarding.h"

#include <gtest/gtest.h>

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

class HungResident : public ::testing::TestWithParam<SecondStart> { };

TEST_P(HungResident, TheSecondStartDeletesItsAtomSaysSoAndEndsWithAnErrorCode)
{
    RunningProgram hung(WindowsPathFromEnvironment("DRIM_HUNG_TRAY"), "");
    ASSERT_NE(WaitForWindow(TrayClass, WindowAppearsMilliseconds, hung.Id()), nullptr);

    RunningProgram second(GetParam().arguments);
    // The sentinel: the sender's atom is seen while it waits.
    EXPECT_TRUE(WaitUntil(
        [&] { return GlobalFindAtomA(GetParam().atomName.c_str()) != 0; }, WindowAppearsMilliseconds));
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            box = FindTopLevelWindow(PalunBoxClass, second.Id());
            return box != nullptr && IsWindowVisible(box);
        },
        ResidentAnswerMilliseconds + StartMarginMilliseconds));
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

} // namespace
