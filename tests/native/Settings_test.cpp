#include "tray/Settings.h"

#include "program/ProgramValues.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

constexpr std::int32_t Int32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t Int32Max = std::numeric_limits<std::int32_t>::max();

constexpr auto Missing = &SettingValue::Missing;
constexpr auto Text = &SettingValue::Text;
constexpr auto WrongType = &SettingValue::WrongType;

TEST(ParseSettingInt, ReadsSignedDecimalWithinInt32)
{
    EXPECT_EQ(ParseSettingInt("0"), 0);
    EXPECT_EQ(ParseSettingInt("14"), 14);
    EXPECT_EQ(ParseSettingInt("-1"), -1);
    EXPECT_EQ(ParseSettingInt("+14"), 14);
    EXPECT_EQ(ParseSettingInt("  -0"), 0);
    EXPECT_EQ(ParseSettingInt("   14"), 14);
    EXPECT_EQ(ParseSettingInt("0000000000000000000007"), 7);
    EXPECT_EQ(ParseSettingInt("2147483647"), Int32Max);
    EXPECT_EQ(ParseSettingInt("-2147483648"), Int32Min);
}

TEST(ParseSettingInt, RejectsDecimalOutsideInt32)
{
    EXPECT_EQ(ParseSettingInt("2147483648"), std::nullopt);
    EXPECT_EQ(ParseSettingInt("-2147483649"), std::nullopt);
    EXPECT_EQ(ParseSettingInt("+2147483648"), std::nullopt);
    EXPECT_EQ(ParseSettingInt("99999999999999999999999999"), std::nullopt);
}

TEST(ParseSettingInt, ReadsHexAsA32BitPattern)
{
    EXPECT_EQ(ParseSettingInt("$7FFFFFFF"), Int32Max);
    EXPECT_EQ(ParseSettingInt("$80000000"), Int32Min);
    EXPECT_EQ(ParseSettingInt("$FFFFFFFF"), -1);
    EXPECT_EQ(ParseSettingInt("$ffffffff"), -1);
    EXPECT_EQ(ParseSettingInt("$aB"), 0xAB);
    EXPECT_EQ(ParseSettingInt("  $10"), 16);
    EXPECT_EQ(ParseSettingInt("$000000001"), 1);
    EXPECT_EQ(ParseSettingInt("$00000000FF"), 255);
}

TEST(ParseSettingInt, RejectsHexBeyondEightSignificantDigits)
{
    EXPECT_EQ(ParseSettingInt("$100000000"), std::nullopt);
    EXPECT_EQ(ParseSettingInt("$1FFFFFFFF"), std::nullopt);
}

TEST(ParseSettingInt, RejectsEverythingElse)
{
    for (const std::string_view text : { "", "   ", "+", "-", "$", " $", "1 ", "14x", "x", "0x10", "-$1",
             "$-1", "$G", "+-1", "--1", "1.0", "\t1", "1\t", "1e3", "１" }) {
        EXPECT_EQ(ParseSettingInt(text), std::nullopt) << '"' << text << '"';
    }
    EXPECT_EQ(ParseSettingInt(std::string("1\0"
                                          "2",
                  3)),
        std::nullopt);
    EXPECT_EQ(ParseSettingInt(std::string("\0"
                                          "1",
                  2)),
        std::nullopt);
}

TEST(LoadTraySettings, FirstStartTakesEveryDefault)
{
    const TraySettings s = LoadTraySettings(Missing(), Missing(), Missing(), Missing());
    EXPECT_EQ(s.keepAwakeMode, 1);
    EXPECT_FALSE(s.startTicked);
    EXPECT_TRUE(s.offAtStartTicked);
    EXPECT_FALSE(s.offAtStartEnabled);
    EXPECT_EQ(s.mySoft, 0);
}

TEST(LoadTraySettings, EmptyTextTakesTheDefaultLikeMissing)
{
    const TraySettings s = LoadTraySettings(Text(""), Text(""), Text(""), Text(""));
    EXPECT_EQ(s.keepAwakeMode, 1);
    EXPECT_FALSE(s.startTicked);
    EXPECT_TRUE(s.offAtStartTicked);
    EXPECT_FALSE(s.offAtStartEnabled);
    EXPECT_EQ(s.mySoft, 0);
}

TEST(LoadTraySettings, UnparsableOrWrongTypeTakesTheFallback)
{
    for (const SettingValue& bad : { Text("x"), Text(" "), Text("1 "), WrongType() }) {
        const TraySettings s = LoadTraySettings(bad, bad, bad, bad);
        EXPECT_EQ(s.keepAwakeMode, -1);
        EXPECT_FALSE(s.startTicked);
        EXPECT_TRUE(s.offAtStartTicked);
        EXPECT_FALSE(s.offAtStartEnabled);
        EXPECT_EQ(s.mySoft, 0);
    }
}

TEST(LoadTraySettings, RestoresTheModeOfTheLastExitWhenStartIsNotTicked)
{
    EXPECT_EQ(LoadTraySettings(Text("0"), Text("0"), Text("1"), Missing()).keepAwakeMode, 0);
    EXPECT_EQ(LoadTraySettings(Text("-1"), Text("0"), Text("0"), Missing()).keepAwakeMode, -1);
    EXPECT_EQ(LoadTraySettings(Text("5"), Missing(), Missing(), Missing()).keepAwakeMode, 5);
    EXPECT_EQ(LoadTraySettings(Text("$FF"), Missing(), Missing(), Missing()).keepAwakeMode, 255);
}

TEST(LoadTraySettings, TickedStartLetsOffAtStartDecideTheMode)
{
    const TraySettings on = LoadTraySettings(Text("-1"), Text("1"), Text("0"), Missing());
    EXPECT_EQ(on.keepAwakeMode, 0);
    EXPECT_TRUE(on.startTicked);
    EXPECT_TRUE(on.offAtStartEnabled);
    EXPECT_FALSE(on.offAtStartTicked);

    EXPECT_EQ(LoadTraySettings(Text("0"), Text("1"), Text("1"), Missing()).keepAwakeMode, -1);
    EXPECT_EQ(LoadTraySettings(Text("0"), Text("1"), Missing(), Missing()).keepAwakeMode, -1);
    EXPECT_EQ(LoadTraySettings(Text("0"), Text("1"), Text("x"), Missing()).keepAwakeMode, -1);
    EXPECT_EQ(LoadTraySettings(Text("0"), Text("7"), Text("-3"), Missing()).keepAwakeMode, -1);
}

TEST(LoadTraySettings, KeepsMySoftAsRead)
{
    EXPECT_EQ(LoadTraySettings(Missing(), Missing(), Missing(), Text("7")).mySoft, 7);
    EXPECT_EQ(LoadTraySettings(Missing(), Missing(), Missing(), Text("-1")).mySoft, -1);
}

TEST(TraySettingsToSave, WritesTheTrayValuesInOrder)
{
    const TraySettings s { 0, true, false, true, -1, true, { "a.exe", "B.EXE" } };
    const std::vector<std::pair<std::string, std::string>> expected { { "ONOFF", "-1" }, { "HOZON", "0" },
        { "START", "1" }, { "MYSOFT", "-1" }, { "ACONLY", "1" }, { "WATCH", "a.exe|B.EXE" } };
    EXPECT_EQ(TraySettingsToSave(-1, s), expected);
}

TEST(LoadMainsOnly, OnlyTheTextOneTicksIt)
{
    EXPECT_TRUE(LoadMainsOnly(Text("1")));
    for (const SettingValue& v : { Missing(), Text(""), Text("0"), Text(" 1"), Text("2"), WrongType() })
        EXPECT_FALSE(LoadMainsOnly(v));
}

TEST(TraySettingsToSave, RoundTripsOddValues)
{
    // The tray normalises mode 5 to -1 shortly after start, so -1 is what is
    // held when the close query begins.
    const TraySettings loaded = LoadTraySettings(Text("5"), Missing(), Missing(), Text("7"));
    const auto saved = TraySettingsToSave(-1, loaded);
    ASSERT_EQ(saved.size(), 6u);
    EXPECT_EQ(saved[0].second, "-1");
    EXPECT_EQ(saved[1].second, "1");
    EXPECT_EQ(saved[2].second, "0");
    EXPECT_EQ(saved[3].second, "7");
    EXPECT_EQ(saved[4].second, "0");
    EXPECT_EQ(saved[5].second, "");
    EXPECT_EQ(TraySettingsToSave(0, loaded)[0].second, "0");
}

TEST(HelpCaptionVersion, UnusableValuesReadAs255)
{
    EXPECT_EQ(HelpCaptionVersion(Text("14")), 14);
    EXPECT_EQ(HelpCaptionVersion(Text(" +13")), 13);
    for (const SettingValue& v : { Missing(), Text(""), Text("abc"), Text("14 "), WrongType() })
        EXPECT_EQ(HelpCaptionVersion(v), 255);
}

TEST(HelpCaption, ShowsVersionAsMajorDotMinor)
{
    EXPECT_EQ(HelpCaption(14), "使い方　DRIM32.EXE V1.4 PALUN (&H)");
    EXPECT_EQ(HelpCaption(255), "使い方　DRIM32.EXE V?.? PALUN (&H)");
    EXPECT_EQ(HelpCaption(0), "使い方　DRIM32.EXE V0.0 PALUN (&H)");
    EXPECT_EQ(HelpCaption(123), "使い方　DRIM32.EXE V12.3 PALUN (&H)");
    EXPECT_EQ(HelpCaption(-14), "使い方　DRIM32.EXE V-1.-4 PALUN (&H)");
    EXPECT_EQ(HelpCaption(254), "使い方　DRIM32.EXE V25.4 PALUN (&H)");
}

TEST(HelpCaption, IsShiftJis)
{
    // 使 is 0x8E 0x67; the full-width blank is 0x81 0x40.
    const std::string caption = HelpCaption(14);
    ASSERT_GE(caption.size(), 8u);
    EXPECT_EQ(caption.substr(0, 2), "\x8E\x67");
    EXPECT_EQ(caption.substr(6, 2), "\x81\x40");
}

TEST(ReadInstalledVersion, MissingOrEmptyMeansNotInstalled)
{
    EXPECT_EQ(*ReadInstalledVersion(Missing()), 255);
    EXPECT_EQ(*ReadInstalledVersion(Text("")), 255);
    EXPECT_EQ(*ReadInstalledVersion(Text("14")), 14);
    EXPECT_EQ(*ReadInstalledVersion(Text("  14")), 14);
    EXPECT_EQ(*ReadInstalledVersion(Text("+14")), 14);
    EXPECT_EQ(*ReadInstalledVersion(Text("$E")), 14);
}

TEST(ReadInstalledVersion, UnparsableTextIsAnErrorNamingTheValue)
{
    EXPECT_EQ(ReadInstalledVersion(Text("14 ")).Message(), "'14 ' は有効な整数値ではありません");
    EXPECT_FALSE(ReadInstalledVersion(Text(" ")));
    EXPECT_FALSE(ReadInstalledVersion(Text("14x")));
}

TEST(ReadInstalledVersion, HugeValueIsQuotedOnlyInPart)
{
    // 63 digits then 表: the cut at 64 bytes must not split the character.
    const std::string huge = std::string(63, '1') + "表" + std::string(1 << 20, '2');
    EXPECT_EQ(ReadInstalledVersion(Text(huge)).Message(),
        "'" + std::string(63, '1') + "…' は有効な整数値ではありません");
}

TEST(ReadInstalledVersion, WrongTypeIsAnErrorNamingVersion)
{
    const Result<std::int32_t> version = ReadInstalledVersion(WrongType());
    EXPECT_FALSE(version);
    EXPECT_NE(version.Message().find("'Version'"), std::string::npos);
}

std::string Link(std::string folder)
{
    return folder + std::string(ItemTitle) + ".lnk";
}

TEST(BuildLinkPaths, JoinsFoldersAndItemTitle)
{
    const LinkPaths paths
        = BuildLinkPaths(Text("C:\\WINDOWS\\Start Menu\\Programs"), Text("C:\\WINDOWS\\Desktop"),
            Text("C:\\WINDOWS\\Start Menu\\Programs\\StartUp"), Text("PALUN"), ItemTitle);
    EXPECT_EQ(paths.group, Link("C:\\WINDOWS\\Start Menu\\Programs\\PALUN\\"));
    EXPECT_EQ(paths.desktop, Link("C:\\WINDOWS\\Desktop\\"));
    EXPECT_EQ(paths.startup, Link("C:\\WINDOWS\\Start Menu\\Programs\\StartUp\\"));
    EXPECT_EQ(paths.desktop, "C:\\WINDOWS\\Desktop\\ｽｸﾘｰﾝｾｰﾊﾞｰ 省電力OFF.lnk");
}

TEST(BuildLinkPaths, EmptyOrMissingGroupPutsTheShortcutInPrograms)
{
    for (const SettingValue& group : { Text(""), Missing(), WrongType() }) {
        const LinkPaths paths = BuildLinkPaths(Text("C:\\P"), Text("C:\\D"), Text("C:\\S"), group, ItemTitle);
        EXPECT_EQ(paths.group, Link("C:\\P\\"));
    }
}

TEST(BuildLinkPaths, AddsNoSecondSeparatorAfterTrailingBackslash)
{
    const LinkPaths paths
        = BuildLinkPaths(Text("C:\\P\\"), Text("C:\\D\\"), Text("C:\\"), Text("G\\"), ItemTitle);
    // The separator between Programs and Group is always inserted.
    EXPECT_EQ(paths.group, Link("C:\\P\\\\G\\"));
    EXPECT_EQ(paths.desktop, Link("C:\\D\\"));
    EXPECT_EQ(paths.startup, Link("C:\\"));
}

TEST(BuildLinkPaths, TrailByte5CIsNoSeparator)
{
    const LinkPaths paths
        = BuildLinkPaths(Text("C:\\P"), Text("C:\\表"), Text("C:\\表\\"), Text("図表"), ItemTitle);
    EXPECT_EQ(paths.group, Link("C:\\P\\図表\\"));
    EXPECT_EQ(paths.desktop, Link("C:\\表\\"));
    EXPECT_EQ(paths.startup, Link("C:\\表\\"));
}

TEST(BuildLinkPaths, UnusableFolderGivesAnEmptyPath)
{
    for (const SettingValue& bad : { Missing(), Text(""), WrongType() }) {
        const LinkPaths paths = BuildLinkPaths(bad, bad, bad, Text("G"), ItemTitle);
        EXPECT_EQ(paths.group, "");
        EXPECT_EQ(paths.desktop, "");
        EXPECT_EQ(paths.startup, "");
    }
    const LinkPaths noDesktop = BuildLinkPaths(Text("C:\\P"), Missing(), Text("C:\\S"), Text("G"), ItemTitle);
    EXPECT_EQ(noDesktop.desktop, "");
    EXPECT_EQ(noDesktop.group, Link("C:\\P\\G\\"));
    EXPECT_EQ(noDesktop.startup, Link("C:\\S\\"));
}

} // namespace
