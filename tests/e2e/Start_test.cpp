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
    // The window asks Program Manager for its groups before it shows.
    const DWORD start = GetTickCount();
    while (!IsWindowVisible(setup) && GetTickCount() - start < 30000)
        Sleep(50);
    EXPECT_TRUE(IsWindowVisible(setup));
    PostMessageA(setup, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program.WaitForExit(30000));
    EXPECT_EQ(program.ExitCode(), 0u);
}

} // namespace
