#include "Program.h"

#include <gtest/gtest.h>

namespace {

TEST(ProgramStart, IsA32BitGuiProgramThatStartsAndEnds)
{
    RunningProgram program("/off");
    ASSERT_TRUE(program.WaitForExit(30000));
    EXPECT_EQ(program.ExitCode(), 0u);
}

} // namespace
