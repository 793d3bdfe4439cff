// The window layer's own promises that the forms built on it count on: a
// hint shows as a tooltip under the resting mouse, a control's colour
// reaches its WM_CTLCOLOR… message, and only the user's choice in a list
// runs its change handler.

#include "BoxProbe.h"
#include "gui/Application.h"
#include "gui/Controls.h"
#include "gui/Form.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

namespace {

constexpr char TestFormClass[] = "TFormControlsTest";
constexpr Bounds HintedButtonBounds { 20, 20, 120, 40 };
constexpr Bounds ListBounds { 20, 80, 120, 100 };
constexpr COLORREF ListColour = RGB(10, 200, 30);
// The system shows a tooltip about half a second after the mouse stops.
constexpr DWORD TooltipShowsMilliseconds = 5000;

class TestForm : public Form {
public:
    TestForm()
    {
        FormLayout layout;
        layout.className = TestFormClass;
        layout.caption = "部品の試験";
        layout.left = 100;
        layout.top = 100;
        layout.width = 300;
        layout.height = 260;
        CreateWindowFromLayout(layout);
        button = &Add<Button>(HintedButtonBounds, "ヒント");
        button->SetHint("ボタンの説明文");
        list = &Add<ListBox>(ListBounds, ListKind::Sorted);
        list->OnChange = [this] { ++changes; };
        Show();
    }
    ~TestForm() override { DestroyHandle(); }

    Button* button = nullptr;
    ListBox* list = nullptr;
    int changes = 0;
};

class FormControls : public ::testing::Test {
protected:
    static void SetUpTestSuite() { InitializeTestApplication(); }
};

HWND VisibleTooltip()
{
    for (HWND window : TopLevelWindows(TOOLTIPS_CLASSA, GetCurrentProcessId()))
        if (IsWindowVisible(window))
            return window;
    return nullptr;
}

TEST_F(FormControls, AHintShowsAsATooltipWhileTheMouseRestsOnItsControl)
{
    TestForm form;
    RECT button {};
    GetWindowRect(form.button->Handle(), &button);
    SetForegroundWindow(form.Handle());
    SetCursorPos((button.left + button.right) / 2, (button.top + button.bottom) / 2);
    // A real move, so that the window under the cursor gets WM_MOUSEMOVE.
    INPUT move {};
    move.type = INPUT_MOUSE;
    move.mi.dwFlags = MOUSEEVENTF_MOVE;
    move.mi.dx = 1;
    SendInput(1, &move, sizeof move);

    HWND tooltip = nullptr;
    EXPECT_TRUE(WaitUntil(
        [&] {
            Application::Get().ProcessMessages();
            tooltip = VisibleTooltip();
            return tooltip != nullptr;
        },
        TooltipShowsMilliseconds));
    ASSERT_NE(tooltip, nullptr);
    EXPECT_EQ(WindowText(tooltip), "ボタンの説明文");
}

TEST_F(FormControls, AListTakesItsColourAndOnlyTheUsersChoiceNotifies)
{
    TestForm form;
    form.list->Fill({ "A", "b", "c" });
    form.list->SetColor(ListColour);
    form.list->SetSelectedIndex(1);
    Application::Get().ProcessMessages();
    EXPECT_EQ(form.changes, 0);
    // A sorted list still puts what is added later in its place.
    EXPECT_EQ(form.list->Add("ba"), 2);
    EXPECT_EQ(form.list->ItemText(3), "c");
    EXPECT_EQ(form.list->Count(), 4);

    const HDC dc = GetDC(form.list->Handle());
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageA(form.Handle(), WM_CTLCOLORLISTBOX,
        reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(form.list->Handle())));
    EXPECT_EQ(GetBkColor(dc), ListColour);
    ReleaseDC(form.list->Handle(), dc);
    LOGBRUSH colour {};
    ASSERT_NE(GetObjectA(brush, sizeof colour, &colour), 0);
    EXPECT_EQ(colour.lbColor, ListColour);

    // Down in the list, as the user presses it.
    SendMessageA(form.list->Handle(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(form.changes, 1);
    EXPECT_EQ(form.list->SelectedIndex(), 2);
    EXPECT_EQ(form.list->ItemText(2), "ba");
}

} // namespace
