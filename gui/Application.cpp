#include "gui/Application.h"

#include "gui/Form.h"

namespace {

constexpr char ApplicationWindowClass[] = "TDrimApplication";

LRESULT CALLBACK ApplicationWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

Application& Application::Get()
{
    static Application application;
    return application;
}

Application::~Application()
{
    if (window_ != nullptr)
        DestroyWindow(window_);
}

void Application::Initialize(HINSTANCE instance)
{
    instance_ = instance;
}

HICON Application::Icon()
{
    if (icon_ == nullptr)
        icon_ = LoadIconA(instance_, "MAINICON");
    if (icon_ == nullptr)
        icon_ = LoadIconA(nullptr, IDI_APPLICATION);
    return icon_;
}

HWND Application::Handle()
{
    if (window_ != nullptr)
        return window_;
    WNDCLASSA windowClass {};
    windowClass.lpfnWndProc = ApplicationWindowProc;
    windowClass.hInstance = instance_;
    windowClass.hIcon = Icon();
    windowClass.lpszClassName = ApplicationWindowClass;
    RegisterClassA(&windowClass);
    // A popup that is never shown: it owns the boxes, so none of them gets
    // a taskbar button of its own.
    window_ = CreateWindowExA(0, ApplicationWindowClass, title_.c_str(),
        WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0, nullptr, nullptr, instance_,
        nullptr);
    return window_;
}

void Application::HideWindow() const
{
    if (window_ != nullptr)
        ShowWindow(window_, SW_HIDE);
}

void Application::SetTitle(std::string_view title)
{
    title_ = title;
    if (window_ != nullptr)
        SetWindowTextA(window_, title_.c_str());
}

HWND Application::MainWindowHandle() const
{
    return mainForm_ != nullptr ? mainForm_->Handle() : nullptr;
}

void Application::RepaintMainForm() const
{
    if (mainForm_ != nullptr)
        mainForm_->Repaint();
}

void Application::ProcessMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Put it back for the main loop, which is the one to end.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (!Form::RouteDialogMessage(message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

int Application::Run()
{
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (!Form::RouteDialogMessage(message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return exitCode_;
}

void Application::Terminate()
{
    PostQuitMessage(0);
}

HourglassCursor::HourglassCursor()
    : previous_(SetCursor(LoadCursorA(nullptr, IDC_WAIT)))
{
}

HourglassCursor::~HourglassCursor()
{
    SetCursor(previous_ != nullptr ? previous_ : LoadCursorA(nullptr, IDC_ARROW));
}
