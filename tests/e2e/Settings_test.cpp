#include "CaseLabel.h"
#include "Program.h"
#include "Resident.h"
#include "SavedSettings.h"
#include "SettingsRegistry.h"
#include "TrayDriving.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr UINT EndSessionReplyMilliseconds = 10000;

const std::vector<std::string> TrayValueNames { "ACONLY", "HOZON", "MYSOFT", "ONOFF", "START", "WATCH" };

struct RoundTripCase {
    const char* label;
    std::map<std::string, std::string> stored; // besides "Version" = "14"
    std::string arguments;
    SavedSettings saved;
};

class RoundTrip : public FreshSettings, public ::testing::WithParamInterface<RoundTripCase> { };

TEST_P(RoundTrip, SavesAtCloseWhatTheStartLoadedAndDecided)
{
    SetSetting("Version", "14");
    for (const auto& [name, text] : GetParam().stored)
        SetSetting(name, text);

    RunTrayUntilClosed(GetParam().arguments);

    ExpectSaved(GetParam().saved);
    // Only the tray values are ever written; "Version" stays.
    EXPECT_EQ(SettingNames(),
        (std::vector<std::string> { "ACONLY", "HOZON", "MYSOFT", "ONOFF", "START", "Version", "WATCH" }));
    EXPECT_EQ(ReadSetting("Version"), std::optional<std::string>("14"));
}

INSTANTIATE_TEST_SUITE_P(Settings, RoundTrip,
    ::testing::Values(RoundTripCase { "FirstStartAfterInstallation", {}, "", DefaultSettings },
        RoundTripCase { "OnOffFiveIsOff", { { "ONOFF", "5" } }, "", { "-1", "0", "1", "0" } },
        RoundTripCase { "OnOffLetterIsOff", { { "ONOFF", "x" } }, "", { "-1", "0", "1", "0" } },
        RoundTripCase { "OnOffZeroIsOn", { { "ONOFF", "0" } }, "", { "0", "0", "1", "0" } },
        RoundTripCase { "AutoStartWithoutAlwaysOffStartsOn",
            { { "START", "1" }, { "HOZON", "0" }, { "ONOFF", "-1" } }, "", { "0", "1", "0", "0" } },
        RoundTripCase { "AutoStartWithAlwaysOffStartsOff",
            { { "START", "1" }, { "HOZON", "1" }, { "ONOFF", "0" } }, "", { "-1", "1", "1", "0" } },
        RoundTripCase { "AlwaysOffCountsOnlyWithAutoStart",
            { { "START", "0" }, { "HOZON", "0" }, { "ONOFF", "0" } }, "", { "0", "0", "0", "0" } },
        RoundTripCase { "OffSwitchInCapitals", { { "ONOFF", "0" } }, "/OFF", { "-1", "0", "1", "0" } },
        RoundTripCase { "OffSwitchWithHyphen", { { "ONOFF", "0" } }, "-off", { "-1", "0", "1", "0" } },
        RoundTripCase { "NoSwitch", { { "ONOFF", "-1" } }, "/no", { "0", "0", "1", "0" } },
        RoundTripCase { "OnSwitchWithHyphen", { { "ONOFF", "-1" } }, "-on", { "0", "0", "1", "0" } },
        RoundTripCase {
            "SwitchBeatsAlwaysOff", { { "START", "1" }, { "HOZON", "1" } }, "/On", { "0", "1", "1", "0" } },
        RoundTripCase { "SwitchBeatsAutoStartOn", { { "START", "1" }, { "HOZON", "0" } }, "/OFF",
            { "-1", "1", "0", "0" } },
        RoundTripCase { "UnknownArgumentChangesNothing", { { "ONOFF", "0" } }, "x", { "0", "0", "1", "0" } },
        RoundTripCase {
            "SwitchAsSecondArgumentIsIgnored", { { "ONOFF", "0" } }, "x /off", { "0", "0", "1", "0" } },
        RoundTripCase { "IconSetKeptAsStored", { { "MYSOFT", "7" } }, "", { "-1", "0", "1", "7" } },
        RoundTripCase {
            "HexadecimalAllOnesIsMinusOne", { { "MYSOFT", "$FFFFFFFF" } }, "", { "-1", "0", "1", "-1" } }),
    CaseLabel());

using SettingsLifecycle = FreshSettings;

TEST_F(SettingsLifecycle, AKeyDeletedWhileRunningIsRecreatedWithTheTrayValues)
{
    SetSetting("Version", "14");
    RunningProgram program("");
    HWND tray = WaitForSettledTray(program);
    ASSERT_NE(tray, nullptr);
    DeleteVendorTree();
    ASSERT_FALSE(SettingsKeyExists());

    ASSERT_TRUE(CloseAndWaitForExit(tray, program));
    EXPECT_EQ(SettingNames(), TrayValueNames);
    ExpectSaved(DefaultSettings);
}

// A key the program cannot create: Wine refuses a lasting key under a
// volatile one, as Windows refuses a write the user has no right to.
TEST_F(SettingsLifecycle, ASaveThatFailsAtExitSaysSoAndTheProgramStillEnds)
{
    SetSetting("Version", "14");
    RunningProgram program("");
    HWND tray = WaitForSettledTray(program);
    ASSERT_NE(tray, nullptr);
    DeleteVendorTree();
    HKEY vendor = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, VendorKeyPath, 0, nullptr, REG_OPTION_VOLATILE,
                  KEY_ALL_ACCESS, nullptr, &vendor, nullptr),
        ERROR_SUCCESS);
    RegCloseKey(vendor);

    PostMessageA(tray, WM_CLOSE, 0, 0);
    const HWND box = WaitForBox(program.Id());
    ASSERT_NE(box, nullptr) << "the failed save said nothing";
    EXPECT_EQ(BoxMessage(box),
        "エラー：設定の保存に失敗しました・・・\r\nHKEY_CURRENT_USER\\" + std::string(SettingsKeyPath));
    SendCloseCommand(box);
    ASSERT_TRUE(program.WaitForExit(ProcessEndsMilliseconds));
    EXPECT_EQ(program.ExitCode(), 0u);
    EXPECT_FALSE(SettingsKeyExists());
    DeleteVendorTree();
}

TEST_F(SettingsLifecycle, EndingTheSessionSavesOnTheQueryAndEndsOnTheEnd)
{
    SetSetting("Version", "14");
    SetSetting("ONOFF", "5");
    SetSetting("MYSOFT", "7");
    RunningProgram program("");
    HWND tray = WaitForSettledTray(program);
    ASSERT_NE(tray, nullptr);

    DWORD_PTR reply = 0xdeadbeef;
    ASSERT_NE(SendMessageTimeoutA(
                  tray, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, EndSessionReplyMilliseconds, &reply),
        0);
    EXPECT_EQ(reply, static_cast<DWORD_PTR>(TRUE));
    ExpectSaved({ "-1", "0", "1", "7" });

    reply = 0xdeadbeef;
    ASSERT_NE(SendMessageTimeoutA(
                  tray, WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, EndSessionReplyMilliseconds, &reply),
        0);
    ASSERT_TRUE(program.WaitForExit(ProcessEndsMilliseconds));
    EXPECT_EQ(program.ExitCode(), 0u);
}

TEST_F(SettingsLifecycle, AKilledProgramLeavesTheRegistryAsItWas)
{
    // Values the program would rewrite differently at a normal close.
    const std::map<std::string, std::string> stored { { "Version", "14" }, { "ONOFF", "5" }, { "START", "1" },
        { "HOZON", "0" }, { "MYSOFT", "7" } };
    for (const auto& [name, text] : stored)
        SetSetting(name, text);
    RunningProgram program("/on");
    HWND tray = WaitForSettledTray(program);
    ASSERT_NE(tray, nullptr);

    ASSERT_TRUE(TerminateProcess(program.Handle(), 1));
    ASSERT_TRUE(program.WaitForExit(ProcessEndsMilliseconds));

    std::vector<std::string> names;
    for (const auto& [name, text] : stored) {
        names.push_back(name);
        EXPECT_EQ(ReadSetting(name), std::optional<std::string>(text)) << name;
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(SettingNames(), names);
}

} // namespace
