#include "BoxDriving.h"

#include "dialogs/Mkdlg.h"
#include "dialogs/Palundlg.h"
#include "dialogs/Yesnodlg.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Wine's "shell" desktop of the test prefix: 1024 x 768 with the taskbar
// along the bottom edge.
constexpr RECT WineTaskbar { 0, 748, 1024, 768 };
constexpr char SourceClass[] = "DrimTestSourceWindow";

class BoxPlacementTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        InitializeTestApplication();
        WNDCLASSA windowClass {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = SourceClass;
        RegisterClassA(&windowClass);
    }

    void SetUp() override
    {
        HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
        if (taskbar == nullptr)
            GTEST_SKIP() << "no taskbar on this desktop";
        GetWindowRect(taskbar, &taskbar_);
    }

    RECT taskbar_ {};
};

// A plain top-level window for the boxes to be centred on.
class SourceWindow {
public:
    SourceWindow(int left, int top, int width, int height)
        : window_(CreateWindowExA(0, SourceClass, "元の窓", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, left,
            top, width, height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr))
    {
    }
    ~SourceWindow() { DestroyWindow(window_); }
    SourceWindow(const SourceWindow&) = delete;
    SourceWindow& operator=(const SourceWindow&) = delete;

    HWND Handle() const { return window_; }
    RECT Rect() const
    {
        RECT rect {};
        GetWindowRect(window_, &rect);
        return rect;
    }

private:
    HWND window_;
};

// Shows a box with `show` and reads where it stands before closing it.
RECT PlacedBox(const char* className, const std::function<int()>& show)
{
    RECT placed {};
    BoxObserver observer([&] {
        HWND box = WaitForBox(className);
        ASSERT_NE(box, nullptr);
        GetWindowRect(box, &placed);
        SendCloseCommand(box);
    });
    EXPECT_EQ(show(), 2);
    return placed;
}

TEST_F(BoxPlacementTest, WineTaskbarLiesAlongTheBottomEdge)
{
    EXPECT_EQ(taskbar_.left, WineTaskbar.left);
    EXPECT_EQ(taskbar_.top, WineTaskbar.top);
    EXPECT_EQ(taskbar_.right, WineTaskbar.right);
    EXPECT_EQ(taskbar_.bottom, WineTaskbar.bottom);
}

TEST_F(BoxPlacementTest, BoxOnASourceNearTheBottomStaysAboveTheTaskbar)
{
    const SourceWindow source(312, 700, 400, 60);
    const RECT src = source.Rect();
    const auto expectAboveTaskbar = [&](const RECT& box) {
        EXPECT_EQ(box.bottom, taskbar_.top);
        EXPECT_EQ(box.left, src.left + ((src.right - src.left) - (box.right - box.left)) / 2)
            << "centred on the source";
    };
    {
        SCOPED_TRACE("timed box");
        TPalunBoxDlg dlg;
        dlg.SourceHandle = source.Handle();
        expectAboveTaskbar(PlacedBox(PalunBoxClass, [&] { return dlg.Execute("下の方の窓"); }));
    }
    {
        SCOPED_TRACE("option box");
        TMKBoxDlg dlg;
        dlg.SourceHandle = source.Handle();
        expectAboveTaskbar(PlacedBox(MKBoxClass, [&] { return dlg.ExecuteCount("下の方の窓"); }));
    }
    {
        SCOPED_TRACE("yes/no box");
        TYesNoBoxDlg dlg;
        dlg.SourceHandle = source.Handle();
        expectAboveTaskbar(PlacedBox(YesNoBoxClass, [&] { return dlg.Execute("下の方の窓?"); }));
    }
}

TEST_F(BoxPlacementTest, BoxIsCentredOnASourceThatLeavesRoom)
{
    const SourceWindow source(100, 100, 600, 400);
    const RECT src = source.Rect();
    TPalunBoxDlg dlg;
    dlg.SourceHandle = source.Handle();
    const RECT box = PlacedBox(PalunBoxClass, [&] { return dlg.Execute("真ん中"); });
    EXPECT_EQ(box.left, src.left + ((src.right - src.left) - (box.right - box.left)) / 2);
    EXPECT_EQ(box.top, src.top + ((src.bottom - src.top) - (box.bottom - box.top)) / 2);
}

TEST_F(BoxPlacementTest, WithoutSourceTheBoxIsCentredInTheWorkArea)
{
    TYesNoBoxDlg dlg;
    const RECT box = PlacedBox(YesNoBoxClass, [&] { return dlg.Execute("どこ?"); });
    EXPECT_EQ(box.left, (1024 - (box.right - box.left)) / 2);
    EXPECT_EQ(box.top, (taskbar_.top - (box.bottom - box.top)) / 2);
}

TEST_F(BoxPlacementTest, BoxWiderThanTheScreenIsAlignedWithTheWorkAreasLeftEdge)
{
    std::string line;
    while (TextWidth(line) <= 1100)
        line += "長い行の";
    TPalunBoxDlg dlg;
    const RECT box = PlacedBox(PalunBoxClass, [&] { return dlg.Execute(line); });
    EXPECT_GT(box.right - box.left, 1024);
    EXPECT_EQ(box.left, 0);
    EXPECT_GE(box.top, 0);
    EXPECT_LE(box.bottom, taskbar_.top);
}

} // namespace
