#include "tray/Switches.h"

#include <gtest/gtest.h>

namespace {

TEST(StartSwitch, MatchesTheSixLowerCaseSwitchesExactly)
{
    EXPECT_EQ(StartSwitch("/off"), ModeSwitch::Off);
    EXPECT_EQ(StartSwitch("-off"), ModeSwitch::Off);
    for (const std::string_view on : { "/no", "-no", "/on", "-on" })
        EXPECT_EQ(StartSwitch(on), ModeSwitch::On) << on;
    for (const std::string_view none :
        { "", "/OFF", "off", "/off ", " /off", "/of", "/offf", "--off", "/uninstall" })
        EXPECT_EQ(StartSwitch(none), ModeSwitch::None) << none;
}

TEST(OffTimerSwitch, TakesMinutesOrATimeOfDayAndNothingElse)
{
    const struct {
        std::string_view text;
        bool atClock;
        int minutes;
    } accepted[] = { { "/off:1", false, 1 }, { "-off:0030", false, 30 }, { "/off:1440", false, 1440 },
        { "-off:00:00", true, 0 }, { "/off:23:59", true, 1439 }, { "/off:07:05", true, 425 } };
    for (const auto& form : accepted) {
        const std::optional<TimedOffSwitch> timed = OffTimerSwitch(form.text);
        ASSERT_TRUE(timed) << form.text;
        EXPECT_EQ(timed->atClock, form.atClock) << form.text;
        EXPECT_EQ(timed->minutes, form.minutes) << form.text;
        EXPECT_EQ(StartSwitch(form.text), ModeSwitch::Off) << form.text;
    }
    for (const std::string_view rejected : { "/off:", "/off:0", "/off:1441", "/off:00001", "/off:+5",
             "/off: 5", "/off:-5", "/off:5 ", "/off:24:00", "/off:12:60", "/off:1:30", "/off:12:3",
             "/off:12:300", "/off:１", "/off::", "off:5", "--off:5", "/off5", "/OFF:5" }) {
        EXPECT_FALSE(OffTimerSwitch(rejected)) << rejected;
        EXPECT_EQ(StartSwitch(rejected), ModeSwitch::None) << rejected;
    }
}

TEST(ForwardText, JoinsTheTwoArgumentsWithAQuestionMark)
{
    EXPECT_EQ(ForwardText("", ""), "?");
    EXPECT_EQ(ForwardText("/OFF", ""), "/OFF?");
    EXPECT_EQ(ForwardText("x", "/off"), "x?/off");
}

TEST(ParseForwardedText, NoArgumentsMeansAlreadyResident)
{
    EXPECT_TRUE(ParseForwardedText("").alreadyResidentMessage);
    EXPECT_TRUE(ParseForwardedText("?").alreadyResidentMessage);
}

TEST(ParseForwardedText, LowerCasesAndSplitsAtTheFirstQuestionMark)
{
    const ForwardedCommand off = ParseForwardedText("/OFF?");
    EXPECT_FALSE(off.alreadyResidentMessage);
    EXPECT_EQ(off.first, "/off");
    EXPECT_EQ(off.second, "");

    const ForwardedCommand two = ParseForwardedText("X?/OFF");
    EXPECT_EQ(two.first, "x");
    EXPECT_EQ(two.second, "/off");

    const ForwardedCommand inner = ParseForwardedText("/o?ff?Y");
    EXPECT_EQ(inner.first, "/o");
    EXPECT_EQ(inner.second, "ff?y");

    const ForwardedCommand whole = ParseForwardedText("-ON");
    EXPECT_EQ(whole.first, "-on");
    EXPECT_EQ(whole.second, "");
}

TEST(ParseForwardedText, EmptyFirstPartWithSecondIsNoSwitch)
{
    const ForwardedCommand command = ParseForwardedText("?/off");
    EXPECT_FALSE(command.alreadyResidentMessage);
    EXPECT_EQ(command.first, "");
    EXPECT_EQ(command.second, "/off");
    EXPECT_EQ(StartSwitch(command.first), ModeSwitch::None);
    EXPECT_EQ(InvalidParameterMessage(command.first), "エラー：パラメーターが不正です・・・\n");
}

TEST(ParseForwardedText, KeepsDoubleByteCharacters)
{
    // ア is 0x83 0x41: its second byte must not become 0x61.
    const ForwardedCommand command = ParseForwardedText("ア表AB?");
    EXPECT_EQ(command.first, "ア表ab");
    EXPECT_EQ(command.first.substr(0, 2), "\x83\x41");
}

TEST(InvalidParameterMessage, AppendsTheTextAfterTheLineFeed)
{
    EXPECT_EQ(InvalidParameterMessage("/x"), "エラー：パラメーターが不正です・・・\n/x");
}

} // namespace
