#include "setup/DRIM_SETUP.h"

#include "program/ProgramValues.h"
#include "gui/Application.h"

#include <string>

namespace {

constexpr int ClientWidth = 441;
constexpr int ClientHeight = 171;
constexpr DWORD SetupWindowStyle = WS_OVERLAPPEDWINDOW;

// "ｽｸﾘｰﾝ･ｾｰﾊﾞｰ&省電力OFF V1．4": the full-width full stop is the program's
// own way of writing its version in this caption.
std::string WindowTitleBase()
{
    return std::string(ApplicationTitle) + " V" + std::to_string(ProgramVersion / 10) + "．"
        + std::to_string(ProgramVersion % 10);
}

} // namespace

TSDRIM32SETUPForm::TSDRIM32SETUPForm(RunMode mode)
    : mode_(mode)
{
    RECT frame { 0, 0, ClientWidth, ClientHeight };
    AdjustWindowRectEx(&frame, SetupWindowStyle, FALSE, WS_EX_TOPMOST);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;

    FormLayout layout;
    layout.className = SetupWindowClassName;
    layout.caption = WindowTitleBase();
    layout.style = SetupWindowStyle;
    layout.exStyle = WS_EX_TOPMOST;
    layout.left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    layout.top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    layout.width = width;
    layout.height = height;
    CreateWindowFromLayout(layout);
    Application::Get().SetTitle(layout.caption);
}
