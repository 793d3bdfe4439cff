#include "TrayWindowProbe.h"
#include "platform/Atom.h"
#include "tray/DrIMFM.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using namespace TrayWindowProbe;

const std::string AlreadyResident = "既に、タスクトレイに登録されています☆☆☆";
// As the box's text field holds it: a carriage return before the line feed.
const std::string InvalidParameterLead = "エラー：パラメーターが不正です・・・\r\n";

struct ForwardCase {
    const char* label;
    std::optional<std::string> atomText; // nothing: the atom could not be made
    std::string startMode; // "ONOFF" at creation
    std::optional<std::string> message; // nothing: no box
    bool offAfter;
};

class ForwardedCommandTest : public TrayWindowTest, public ::testing::WithParamInterface<ForwardCase> { };

TEST_P(ForwardedCommandTest, AppliesTheSwitchOrSaysWhatIsWrong)
{
    WriteValue(SettingsKeyPath, "ONOFF", GetParam().startMode);
    Tray();
    std::optional<GlobalAtom> atom;
    if (GetParam().atomText) {
        atom.emplace(*GetParam().atomText);
        ASSERT_NE(atom->Get(), 0);
    }
    const WPARAM wParam = atom ? atom->Get() : 0;

    std::optional<BoxCloser> closer;
    if (GetParam().message)
        closer.emplace();
    SendMessageA(Tray().Handle(), WM_FORWARD_COMMAND, wParam, 0);
    if (closer)
        EXPECT_EQ(closer->Text(), GetParam().message);
    else
        EXPECT_EQ(created_.Count(OptionBoxClass), 0);
    EXPECT_EQ(Tray().Controller().ScreenSaverOff(), GetParam().offAfter);
    EXPECT_FALSE(Tray().Busy());
}

INSTANTIATE_TEST_SUITE_P(TrayForwarding, ForwardedCommandTest,
    ::testing::Values(ForwardCase { "NoArguments", "?", "0", AlreadyResident, false },
        ForwardCase { "NoAtom", std::nullopt, "-1", AlreadyResident, true },
        ForwardCase { "OffInCapitals", "/OFF?", "0", std::nullopt, true },
        ForwardCase { "DashOff", "-off?", "0", std::nullopt, true },
        ForwardCase { "MixedCaseDashOn", "-On?", "-1", std::nullopt, false },
        ForwardCase { "SlashNo", "/no?", "-1", std::nullopt, false },
        ForwardCase { "SecondArgumentIgnored", "/on?/off", "-1", std::nullopt, false },
        ForwardCase { "NoSwitchBeforeOff", "X?/off", "0", InvalidParameterLead + "x", false },
        ForwardCase { "EmptyFirstArgument", "?/off", "0", InvalidParameterLead, false },
        ForwardCase { "SplitAtTheFirstQuestionMark", "AB?C?D", "0", InvalidParameterLead + "ab", false },
        ForwardCase { "TrailingBlank", "/off ?", "0", InvalidParameterLead + "/off ", false },
        // ア and イ end in the bytes of "A" and "C", 表 in a backslash: only
        // the single-byte X is lowered.
        ForwardCase { "DoubleByteText", "アイ表X?", "0", InvalidParameterLead + "アイ表x", false }),
    LabelOfCase());

} // namespace
