#include "app/StartDecision.h"

#include "program/ProgramValues.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr auto Missing = &SettingValue::Missing;
constexpr auto Text = &SettingValue::Text;
constexpr auto WrongType = &SettingValue::WrongType;

// Counts the reads so that the rules which must not touch the registry can be
// checked.
struct VersionSource {
    SettingValue value;
    int reads = 0;

    StartDecision Decide(const StartFacts& facts)
    {
        return DecideStart(facts, [this] {
            ++reads;
            return value;
        });
    }
};

StartFacts Facts(std::string argument1, bool tray, bool setup, std::string file = "drim32.exe")
{
    return { std::move(argument1), std::move(file), tray, setup };
}

TEST(UninstallCopyName, IsTheFixedLowerCaseName)
{
    EXPECT_EQ(UninstallCopyName(), "unin_palun000.exe");
}

TEST(DecideStart, UninstallSwitchIsBlockedByAnyRunningWindow)
{
    VersionSource version { Text("14") };
    for (const auto& [tray, setup] : { std::pair { true, false }, { true, true }, { false, true } }) {
        const StartDecision decision = version.Decide(Facts("/uninstall", tray, setup));
        EXPECT_EQ(decision.role, StartRole::SetupWindow);
        EXPECT_EQ(decision.runMode, RunMode::UninstallBlocked);
    }
    EXPECT_EQ(version.reads, 0);
}

TEST(DecideStart, UninstallSwitchAloneUninstalls)
{
    VersionSource version { Text("14") };
    const StartDecision decision = version.Decide(Facts("/uninstall", false, false));
    EXPECT_EQ(decision.role, StartRole::SetupWindow);
    EXPECT_EQ(decision.runMode, RunMode::Uninstall);
    EXPECT_EQ(version.reads, 0);
}

TEST(DecideStart, UninstallSwitchWinsOverTheCopysName)
{
    VersionSource version { Text("14") };
    EXPECT_EQ(
        version.Decide(Facts("/uninstall", false, false, "unin_palun000.exe")).runMode, RunMode::Uninstall);
    EXPECT_EQ(version.Decide(Facts("/uninstall", true, false, "unin_palun000.exe")).runMode,
        RunMode::UninstallBlocked);
}

TEST(DecideStart, CopysNameStartsTheUninstallCopyWhateverElse)
{
    VersionSource version { Text("14") };
    for (const std::string argument : { "", "/DeleteFile", "/off", "/UNINSTALL" }) {
        for (const bool tray : { false, true }) {
            for (const bool setup : { false, true }) {
                const StartDecision decision
                    = version.Decide(Facts(argument, tray, setup, "unin_palun000.exe"));
                EXPECT_EQ(decision.role, StartRole::SetupWindow);
                EXPECT_EQ(decision.runMode, RunMode::UninstallCopy);
            }
        }
    }
    EXPECT_EQ(version.reads, 0);
}

TEST(DecideStart, OnlyTheExactNameIsTheCopy)
{
    // The caller lower-cases the name, so UNIN_PALUN000.EXE arrives in lower
    // case; anything that is not the exact name is an ordinary start.
    VersionSource version { Text("14") };
    for (const std::string name : { "unin_palun000.exe.exe", "unin_palun000", "unin_palun001.exe",
             "unin_palun000.ex", "UNIN_PALUN000.EXE" }) {
        EXPECT_EQ(version.Decide(Facts("", false, false, name)).role, StartRole::TrayWindow) << name;
    }
}

TEST(DecideStart, ResidentTrayWindowTakesTheForward)
{
    VersionSource version { Text("14") };
    for (const std::string argument : { "", "/off", "/UNINSTALL", "-uninstall", "/uninstall " }) {
        for (const bool setup : { false, true }) {
            const StartDecision decision = version.Decide(Facts(argument, true, setup));
            EXPECT_EQ(decision.role, StartRole::ForwardToTray) << argument;
            EXPECT_EQ(decision.runMode, RunMode::Normal);
        }
    }
    EXPECT_EQ(version.reads, 0);
}

TEST(DecideStart, InstalledVersionStartsTheTrayEvenBesideASetupWindow)
{
    for (const std::string text : { "14", " 14", "+14", "$E", "014" }) {
        for (const bool setup : { false, true }) {
            VersionSource version { Text(text) };
            const StartDecision decision = version.Decide(Facts("/off", false, setup));
            EXPECT_EQ(decision.role, StartRole::TrayWindow) << text;
            EXPECT_EQ(decision.runMode, RunMode::Normal);
            EXPECT_EQ(version.reads, 1);
        }
    }
}

TEST(DecideStart, OtherVersionInstallsOrExitsBesideASetupWindow)
{
    for (const SettingValue& value :
        { Missing(), Text(""), Text("255"), Text("13"), Text("15"), Text("-14") }) {
        VersionSource version { value };
        EXPECT_EQ(version.Decide(Facts("", false, false)).role, StartRole::SetupInstall) << value.text;
        EXPECT_EQ(version.Decide(Facts("", false, true)).role, StartRole::ExitSilently) << value.text;
        EXPECT_EQ(version.reads, 2);
    }
}

TEST(DecideStart, UnreadableVersionEndsTheStart)
{
    for (const SettingValue& value : { Text("14 "), Text("14x"), Text(" "), Text("+"), WrongType() }) {
        for (const bool setup : { false, true }) {
            VersionSource version { value };
            const StartDecision decision = version.Decide(Facts("", false, setup));
            EXPECT_EQ(decision.role, StartRole::VersionError) << value.text;
            EXPECT_FALSE(decision.errorText.empty());
            EXPECT_EQ(version.reads, 1);
        }
    }
    VersionSource version { Text("14x") };
    EXPECT_NE(version.Decide(Facts("", false, false)).errorText.find("'14x'"), std::string::npos);
}

TEST(DecideStart, UninstallSwitchIsExactBytes)
{
    VersionSource version { Missing() };
    for (const std::string argument :
        { "/UNINSTALL", "-uninstall", "/Uninstall", " /uninstall", "/uninstal" }) {
        const StartDecision decision = version.Decide(Facts(argument, false, false));
        EXPECT_EQ(decision.role, StartRole::SetupInstall) << argument;
        EXPECT_EQ(decision.runMode, RunMode::Normal);
    }
}

} // namespace
