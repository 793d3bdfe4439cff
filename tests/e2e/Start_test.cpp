#include "Program.h"

#include <gtest/gtest.h>

namespace {

HWND WaitForWindow(const char* className, DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND window = FindWindowA(className, nullptr))
            return window;
        if (GetTickCount() - start > milliseconds)
            return nullptr;
        Sleep(50);
    }
}

TEST(ProgramStart, FirstStartOpensTheSetupWindowWhichEndsTheProgramWhenClosed)
{
    RunningProgram program("");
    HWND setup = WaitForWindow("TSDRIM32SETUPForm", 30000);
    ASSERT_NE(setup, nullptr);
    EXPECT_TRUE(IsWindowVisible(setup));
    PostMessageA(setup, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program.WaitForExit(30000));
    EXPECT_EQ(program.ExitCode(), 0u);
}

} // namespace
