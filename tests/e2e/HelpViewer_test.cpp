#include "BoxProbe.h"
#include "HelpViewer.h"
#include "Observe.h"
#include "Resident.h"
#include "SettingsRegistry.h"
#include "TrayDriving.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

// The viewer lays its first topic out after it has shown itself; its text
// pane does not answer other processes, so the screenshot waits this long.
constexpr DWORD TopicLayoutMilliseconds = 2000;
constexpr DWORD AnyProcess = 0;

std::string Caption(HWND window)
{
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

class HelpViewer : public FreshSettings {
protected:
    void SetUp() override
    {
        FreshSettings::SetUp();
        SetSetting("Version", "14");
    }
};

TEST_F(HelpViewer, TheHelpItemOpensTheContentsAndExitClosesTheViewer)
{
    ResidentTray tray;
    ASSERT_NO_FATAL_FAILURE(tray.Start());

    ASSERT_NO_FATAL_FAILURE(tray.Choose(MouseButton::Right, 'H'));
    HWND viewer = WaitForVisibleWindow(ViewerClass, AnyProcess, ViewerAppearsMilliseconds);
    ASSERT_NE(viewer, nullptr) << "the help item opened no viewer";
    Sleep(TopicLayoutMilliseconds);
    EXPECT_EQ(Caption(viewer), ViewerCaption);
    EXPECT_FALSE(SaveScreenshot(viewer, "help-viewer").empty());

    ASSERT_NO_FATAL_FAILURE(tray.Choose(MouseButton::Right, 'X'));
    EXPECT_TRUE(WaitUntilGone(ViewerClass, ViewerClosesMilliseconds));
    ASSERT_TRUE(tray.Program().WaitForExit(ProcessEndsMilliseconds));
    EXPECT_EQ(tray.Program().ExitCode(), 0u);
}

} // namespace
