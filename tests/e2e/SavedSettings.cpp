#include "SavedSettings.h"

#include "Resident.h"
#include "SettingsRegistry.h"

namespace {

std::string SavedOrMissing(const std::string& name)
{
    return ReadSetting(name).value_or("<missing>");
}

} // namespace

void ExpectSaved(const SavedSettings& expected)
{
    EXPECT_EQ(SavedOrMissing("ONOFF"), expected.onoff);
    EXPECT_EQ(SavedOrMissing("START"), expected.start);
    EXPECT_EQ(SavedOrMissing("HOZON"), expected.hozon);
    EXPECT_EQ(SavedOrMissing("MYSOFT"), expected.mysoft);
}

void RunTrayUntilClosed(const std::string& arguments)
{
    RunningProgram program(arguments);
    HWND tray = WaitForSettledTray(program);
    ASSERT_NE(tray, nullptr);
    ASSERT_TRUE(CloseAndWaitForExit(tray, program));
    EXPECT_EQ(program.ExitCode(), 0u);
}
