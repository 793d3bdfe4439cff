#include "tray/HelpChoice.h"

#include <gtest/gtest.h>

namespace {

// Arguments: hhctrl.ocx loads, DRIM32.CHM exists, Windows 10 or later.
TEST(HelpChoice, HtmlHelpOnAnyWindowsThenWinHelpBeforeWindows10ThenWhatIsMissing)
{
    EXPECT_EQ(ChooseHelp(true, true, false), HelpChoice::OpenChm);
    EXPECT_EQ(ChooseHelp(true, true, true), HelpChoice::OpenChm);
    EXPECT_EQ(ChooseHelp(false, true, false), HelpChoice::OpenHlp);
    EXPECT_EQ(ChooseHelp(true, false, false), HelpChoice::OpenHlp);
    EXPECT_EQ(ChooseHelp(false, false, false), HelpChoice::OpenHlp);
    EXPECT_EQ(ChooseHelp(false, true, true), HelpChoice::SayHtmlHelpMissing);
    EXPECT_EQ(ChooseHelp(false, false, true), HelpChoice::SayHtmlHelpMissing);
    EXPECT_EQ(ChooseHelp(true, false, true), HelpChoice::SayChmMissing);
}

} // namespace
