#include "BoxProbe.h"
#include "HelpViewer.h"
#include "Observe.h"
#include "Resident.h"
#include "SettingsRegistry.h"
#include "TempFolder.h"
#include "TrayDriving.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr DWORD AnyProcess = 0;
constexpr DWORD TopicLaidOutMilliseconds = 15000;
// Looks alike this many times in a row: the drawing has stopped.
constexpr int StillSamples = 10;

// The window's picture as the screen shows it, one value a pixel.
std::vector<DWORD> Picture(HWND window)
{
    RECT rect {};
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return {};
    BITMAPINFO info {};
    info.bmiHeader = { sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0 };
    std::vector<DWORD> pixels(static_cast<std::size_t>(width) * height);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, old);
    GetDIBits(memory, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// The viewer lays its first topic out after it has shown itself, and its
// text pane (the largest child) does not answer other processes: the topic
// is there once the pane holds more than its background and stops changing.
bool TopicLaidOut(HWND viewer, std::vector<DWORD>& last, int& still)
{
    HWND pane = nullptr;
    long largest = 0;
    for (const WindowControl& control : ReadControls(viewer)) {
        const long area = static_cast<long>(control.Width()) * control.Height();
        if (control.visible && area > largest) {
            largest = area;
            pane = control.handle;
        }
    }
    if (pane == nullptr)
        return false;
    std::vector<DWORD> picture = Picture(pane);
    const bool drawn
        = std::adjacent_find(picture.begin(), picture.end(), std::not_equal_to<>()) != picture.end();
    still = drawn && picture == last ? still + 1 : 0;
    last = std::move(picture);
    return still >= StillSamples;
}

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
    void TearDown() override
    {
        DeleteValue(WineKeyPath, WineVersionName);
        FreshSettings::TearDown();
    }
    // The Windows version the program started next sees.
    static void SetWindowsVersion(const char* version) { SetString(WineKeyPath, WineVersionName, version); }
    // The program with DRIM32.HLP beside it, and no DRIM32.CHM.
    static void CopyProgramWithoutTheChm(const TempFolder& folder)
    {
        const std::string built = ProgramPath().substr(0, ProgramPath().rfind('\\') + 1);
        for (const char* name : { "DRIM32.EXE", "DRIM32.HLP" })
            ASSERT_TRUE(CopyFileA((built + name).c_str(), (folder / name).c_str(), FALSE)) << name;
    }
};

// Without DRIM32.CHM, a system older than Windows 10 opens DRIM32.HLP.
TEST_F(HelpViewer, WithoutTheChmAnOlderSystemOpensWinHelpAndExitClosesIt)
{
    SetWindowsVersion("win7");
    const TempFolder folder;
    ASSERT_NO_FATAL_FAILURE(CopyProgramWithoutTheChm(folder));
    ResidentTray tray;
    ASSERT_NO_FATAL_FAILURE(tray.Start("", folder / "DRIM32.EXE"));

    ASSERT_NO_FATAL_FAILURE(tray.Choose(MouseButton::Right, 'H'));
    HWND viewer = WaitForVisibleWindow(ViewerClass, AnyProcess, ViewerAppearsMilliseconds);
    ASSERT_NE(viewer, nullptr) << "the help item opened no viewer";
    std::vector<DWORD> last;
    int still = 0;
    EXPECT_TRUE(WaitUntil([&] { return TopicLaidOut(viewer, last, still); }, TopicLaidOutMilliseconds));
    EXPECT_EQ(Caption(viewer), ViewerCaption);
    EXPECT_FALSE(SaveScreenshot(viewer, "help-viewer").empty());

    ASSERT_NO_FATAL_FAILURE(tray.Choose(MouseButton::Right, 'X'));
    EXPECT_TRUE(WaitUntilGone(ViewerClass, ViewerClosesMilliseconds));
    ASSERT_TRUE(tray.Program().WaitForExit(ProcessEndsMilliseconds));
    EXPECT_EQ(tray.Program().ExitCode(), 0u);
}

// HTML Help is read on every Windows: the help item opens DRIM32.CHM where
// it lies beside the program, and exit closes the window it opened.
class HelpViewerOn : public HelpViewer, public ::testing::WithParamInterface<const char*> { };

TEST_P(HelpViewerOn, TheHelpItemOpensHtmlHelpAndExitClosesIt)
{
    SetWindowsVersion(GetParam());
    ResidentTray tray;
    ASSERT_NO_FATAL_FAILURE(tray.Start());

    ASSERT_NO_FATAL_FAILURE(tray.Choose(MouseButton::Right, 'H'));
    HWND viewer = WaitForVisibleWindow(HtmlHelpClass, tray.Program().Id(), ViewerAppearsMilliseconds);
    ASSERT_NE(viewer, nullptr) << "the help item opened no HTML Help window";
    // Wine draws no pages without its Gecko engine, which Debian does not
    // package: the window and its caption are what can be seen here.
    EXPECT_EQ(Caption(viewer), HtmlHelpCaption);
    EXPECT_EQ(FindWindowA(ViewerClass, nullptr), nullptr) << "the WinHelp viewer was started as well";

    ASSERT_NO_FATAL_FAILURE(tray.Choose(MouseButton::Right, 'X'));
    EXPECT_TRUE(WaitUntilGone(HtmlHelpClass, ViewerClosesMilliseconds, tray.Program().Id()));
    ASSERT_TRUE(tray.Program().WaitForExit(ProcessEndsMilliseconds));
    EXPECT_EQ(tray.Program().ExitCode(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Windows, HelpViewerOn, ::testing::Values("win7", "win10"),
    [](const ::testing::TestParamInfo<const char*>& testInfo) { return std::string(testInfo.param); });

// On Windows 10 a help file that is missing, then one that HTML Help cannot
// show, is named in the tray's box.
TEST_F(HelpViewer, OnWindows10TheBoxNamesAMissingOrUnreadableChm)
{
    SetWindowsVersion("win10");
    const TempFolder folder;
    ASSERT_NO_FATAL_FAILURE(CopyProgramWithoutTheChm(folder));
    ResidentTray tray;
    ASSERT_NO_FATAL_FAILURE(tray.Start("", folder / "DRIM32.EXE"));

    for (const char* text :
        { "エラー：ヘルプファイルが見つかりません・・・", "エラー：ヘルプファイルを表示できません・・・" }) {
        ASSERT_NO_FATAL_FAILURE(tray.Choose(MouseButton::Right, 'H'));
        HWND box = WaitForBox(tray.Id());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(BoxMessage(box), folder / "DRIM32.CHM" + "\r\n" + text);
        PostMessageA(box, WM_CLOSE, 0, 0);
        EXPECT_TRUE(WaitUntilGone(OptionBoxClass, BoxAppearsMilliseconds, tray.Id()));
        WriteWholeFile(folder / "DRIM32.CHM", "not a help file");
    }
    EXPECT_EQ(FindTopLevelWindow(ViewerClass), nullptr);
    ASSERT_NO_FATAL_FAILURE(tray.Choose(MouseButton::Right, 'X'));
    ASSERT_TRUE(tray.Program().WaitForExit(ProcessEndsMilliseconds));
    EXPECT_EQ(tray.Program().ExitCode(), 0u);
}

// hhctrl.ocx is loaded from the system folder only; without it the item
// says so in the tray's box and the program goes on.
TEST_F(HelpViewer, WithoutHhctrlInTheSystemFolderWindows10SaysSo)
{
    SetWindowsVersion("win10");
    char folder[MAX_PATH] = {};
    ASSERT_NE(GetSystemDirectoryA(folder, sizeof folder), 0u);
    const std::string library = std::string(folder) + "\\hhctrl.ocx";
    const std::string aside = library + ".aside";
    ASSERT_TRUE(MoveFileA(library.c_str(), aside.c_str()));
    ResidentTray tray;
    ASSERT_NO_FATAL_FAILURE(tray.Start());

    ASSERT_NO_FATAL_FAILURE(tray.Choose(MouseButton::Right, 'H'));
    HWND box = WaitForBox(tray.Id());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(BoxMessage(box), "エラー：ヘルプを表示する hhctrl.ocx が読み込めません・・・");
    PostMessageA(box, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntilGone(OptionBoxClass, BoxAppearsMilliseconds, tray.Id()));
    EXPECT_EQ(FindTopLevelWindow(HtmlHelpClass), nullptr);
    ASSERT_NO_FATAL_FAILURE(tray.Choose(MouseButton::Right, 'X'));
    ASSERT_TRUE(tray.Program().WaitForExit(ProcessEndsMilliseconds));
    EXPECT_EQ(tray.Program().ExitCode(), 0u);
    EXPECT_TRUE(MoveFileA(aside.c_str(), library.c_str()));
}

} // namespace
