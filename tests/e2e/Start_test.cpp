#include "Observe.h"
#include "Program.h"
#include "Resident.h"
#include "WindowProbe.h"

#include <gtest/gtest.h>

namespace {

TEST(ProgramStart, FirstStartOpensTheSetupWindowWhichEndsTheProgramWhenClosed)
{
    RunningProgram program("");
    HWND setup = WaitForWindow(SetupClass, WindowAppearsMilliseconds, program.Id());
    ASSERT_NE(setup, nullptr);
    // The window asks Program Manager for its groups before it shows.
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(setup) != FALSE; }, WindowAppearsMilliseconds));
    PostMessageA(setup, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program.WaitForExit(ProcessEndsMilliseconds));
    EXPECT_EQ(program.ExitCode(), 0u);
}

} // namespace
