#include "gui/Form.h"

#include "gui/Application.h"
#include "gui/Controls.h"
#include "gui/Timer.h"
#include "platform/WindowText.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

namespace {

// Disables the thread's other windows while a modal form is shown, and
// enables exactly those again afterwards.
class DisabledTaskWindows {
public:
    explicit DisabledTaskWindows(HWND modal)
        : modal_(modal)
    {
        EnumThreadWindows(GetCurrentThreadId(), Collect, reinterpret_cast<LPARAM>(this));
        for (HWND window : disabled_)
            EnableWindow(window, FALSE);
    }
    ~DisabledTaskWindows()
    {
        for (HWND window : disabled_)
            if (IsWindow(window))
                EnableWindow(window, TRUE);
    }
    DisabledTaskWindows(const DisabledTaskWindows&) = delete;
    DisabledTaskWindows& operator=(const DisabledTaskWindows&) = delete;

private:
    static BOOL CALLBACK Collect(HWND window, LPARAM self)
    {
        auto* windows = reinterpret_cast<DisabledTaskWindows*>(self);
        if (window != windows->modal_ && IsWindowVisible(window) && IsWindowEnabled(window))
            windows->disabled_.push_back(window);
        return TRUE;
    }

    HWND modal_;
    std::vector<HWND> disabled_;
};

void RegisterFormClass(const FormLayout& layout, WNDPROC procedure)
{
    static std::vector<std::string> registered;
    if (std::find(registered.begin(), registered.end(), layout.className) != registered.end())
        return;
    WNDCLASSEXA windowClass {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = Application::Get().Instance();
    windowClass.hIcon = layout.icon != nullptr ? layout.icon : Application::Get().Icon();
    // The pictures have one size only: without a small icon of its own the
    // system would keep a shrunk copy of the same picture for every class.
    windowClass.hIconSm = windowClass.hIcon;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = layout.className.c_str();
    if (RegisterClassExA(&windowClass))
        registered.push_back(layout.className);
}

} // namespace

Form::Form() = default;

Form::~Form()
{
    DestroyHandle();
    DestroyControls();
}

void Form::DestroyControls()
{
    // Newest first: a control may refer to one made before it.
    while (!ownedControls_.empty())
        ownedControls_.pop_back();
}

void Form::SetHint(HWND control, std::string_view hint)
{
    if (!tooltip_) {
        static const bool initialised = [] {
            INITCOMMONCONTROLSEX classes { sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES };
            return InitCommonControlsEx(&classes) != FALSE;
        }();
        (void)initialised;
        tooltip_.Reset(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
            WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
            CW_USEDEFAULT, window_, nullptr, Application::Get().Instance(), nullptr));
    }
    TOOLINFOA tool {};
    // The size of the structure the system's oldest tooltips know: the
    // later fields are not used here, and every version accepts it.
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    std::string text(hint);
    tool.lpszText = text.data();
    SendMessageA(tooltip_.Get(), TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageA(tooltip_.Get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void Form::SetBackgroundColor(COLORREF color)
{
    if (background_ && color == backgroundColor_)
        return;
    background_.Reset(CreateSolidBrush(color));
    backgroundColor_ = color;
    if (window_ != nullptr)
        InvalidateRect(window_, nullptr, TRUE);
}

void Form::RegisterControl(Control* control)
{
    controls_.Set(control->Id(), control);
    controlWindows_.Set(control->Handle(), control);
}

void Form::RegisterPartWindow(HWND part, Control* control)
{
    controlWindows_.Set(part, control);
}

void Form::UnregisterControl(Control* control)
{
    controls_.Erase(control->Id());
    controlWindows_.EraseValue(control);
}

Control* Form::ControlOfWindow(HWND window) const
{
    return controlWindows_.Find(window);
}

std::optional<LRESULT> Form::HandleControlColor(WPARAM dc, LPARAM window)
{
    if (const Control* control = ControlOfWindow(reinterpret_cast<HWND>(window)))
        if (std::optional<HBRUSH> brush = control->CtlColor(reinterpret_cast<HDC>(dc)))
            return reinterpret_cast<LRESULT>(*brush);
    return std::nullopt;
}

std::optional<LRESULT> Form::HandleCommand(WPARAM wParam)
{
    int id = LOWORD(wParam);
    const WORD notification = HIWORD(wParam);
    // Enter and Esc arrive from the dialog key handling as IDOK and IDCANCEL.
    if (id == IDOK && !controls_.Contains(id))
        id = defaultButton_;
    else if (id == IDCANCEL && !controls_.Contains(id))
        id = cancelButton_;
    if (Control* control = controls_.Find(id)) {
        control->Command(notification);
        return 0;
    }
    return std::nullopt;
}

void Form::CreateWindowFromLayout(const FormLayout& layout)
{
    RegisterFormClass(layout, WindowProc);
    CreateWindowExA(layout.exStyle, layout.className.c_str(), layout.caption.c_str(), layout.style,
        layout.left, layout.top, layout.width, layout.height, layout.owner, nullptr,
        Application::Get().Instance(), this);
}

void Form::DestroyHandle()
{
    DestroyControls();
    tooltip_.Reset();
    // Cleared first: messages sent while the window goes must not reach a
    // form that is half destroyed.
    if (HWND window = std::exchange(window_, nullptr)) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
        if (Application::Get().MainForm() == this)
            Application::Get().Terminate();
    }
}

void Form::Show()
{
    ShowWindow(window_, SW_SHOW);
}

void Form::Hide()
{
    ShowWindow(window_, SW_HIDE);
}

bool Form::Visible() const
{
    return window_ != nullptr && IsWindowVisible(window_);
}

void Form::Repaint()
{
    if (window_ != nullptr) {
        InvalidateRect(window_, nullptr, TRUE);
        UpdateWindow(window_);
    }
}

std::string Form::Caption() const
{
    return WindowTextOf(window_);
}

void Form::SetCaption(std::string_view caption)
{
    SetWindowTextA(window_, std::string(caption).c_str());
}

void Form::SetModalResult(int result)
{
    modalResult_ = result;
    // A result set while the modal loop waits in GetMessage, by a message
    // sent from another thread, would not end the loop before the next
    // posted message; EndDialog wakes its loop the same way.
    if (modal_ && window_ != nullptr)
        PostMessageA(window_, WM_NULL, 0, 0);
}

void Form::Close()
{
    if (!FormCloseQuery())
        return;
    if (modal_)
        SetModalResult(IDCANCEL);
    else
        DestroyHandle();
}

int Form::ShowModal()
{
    modal_ = true;
    modalResult_ = 0;
    const DisabledTaskWindows disabled(window_);
    Show();
    SetForegroundWindow(window_);
    // Peek and wait rather than GetMessage: a box can be opened and closed
    // by a message sent from another process while this loop waits, and
    // GetMessage would only look at this box's result again after the next
    // posted message.
    while (modalResult_ == 0) {
        MSG message;
        if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (modalResult_ == 0)
                MsgWaitForMultipleObjects(0, nullptr, FALSE, INFINITE, QS_ALLINPUT);
            continue;
        }
        if (message.message == WM_QUIT) {
            // The program is ending: leave the quit for the main loop.
            PostQuitMessage(static_cast<int>(message.wParam));
            modalResult_ = IDCANCEL;
            break;
        }
        if (!RouteDialogMessage(message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    modal_ = false;
    return modalResult_;
}

int Form::AddMessageHook(MessageHook hook)
{
    hooks_.emplace_back(nextHookId_, std::move(hook));
    return nextHookId_++;
}

void Form::RemoveMessageHook(int id)
{
    std::erase_if(hooks_, [id](const auto& entry) { return entry.first == id; });
}

Form* Form::OfWindow(HWND window)
{
    // Only the forms' own class keeps a form in the window's user data; a
    // menu, a combo box's list or a tooltip may keep anything there.
    if (window == nullptr
        || static_cast<ULONG_PTR>(GetClassLongPtrA(window, GCLP_WNDPROC))
            != reinterpret_cast<ULONG_PTR>(&Form::WindowProc))
        return nullptr;
    return reinterpret_cast<Form*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

bool Form::RouteDialogMessage(MSG& message)
{
    if (message.hwnd == nullptr)
        return false;
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    Form* form = OfWindow(root);
    if (form == nullptr)
        return false;
    // Handed over here rather than by subclassing each control: a tooltip
    // that subclasses a list box sits in the path of every message the list
    // gets, and filling a list of thousands then takes ten times as long.
    if (form->tooltip_ && message.message >= WM_MOUSEFIRST && message.message <= WM_MOUSELAST)
        SendMessageA(form->tooltip_.Get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
    if (!form->dialogKeys_)
        return false;
    return IsDialogMessageA(root, &message) != FALSE;
}

UINT Form::RegisterTimer(Timer* timer)
{
    const UINT id = nextTimerId_++;
    timers_.Set(id, timer);
    return id;
}

void Form::UnregisterTimer(UINT id)
{
    timers_.Erase(id);
}

std::optional<LRESULT> Form::HandleMessage(UINT, WPARAM, LPARAM)
{
    return std::nullopt;
}

LRESULT CALLBACK Form::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        form->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<Form*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (form == nullptr)
        return DefWindowProcA(window, message, wParam, lParam);
    return form->Dispatch(message, wParam, lParam);
}

LRESULT Form::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Copied: a hook may add or remove hooks while it runs.
    const auto hooks = hooks_;
    for (const auto& [id, hook] : hooks)
        if (std::optional<LRESULT> handled = hook(message, wParam, lParam))
            return *handled;

    if (std::optional<LRESULT> handled = HandleMessage(message, wParam, lParam))
        return *handled;

    HWND window = window_;
    switch (message) {
    case WM_COMMAND:
        if (std::optional<LRESULT> handled = HandleCommand(wParam))
            return *handled;
        break;
    case DM_GETDEFID:
        if (defaultButton_ != 0)
            return MAKELRESULT(defaultButton_, DC_HASDEFID);
        break;
    case WM_ERASEBKGND:
        if (background_) {
            RECT client {};
            GetClientRect(window, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, background_.Get());
            return 1;
        }
        break;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (Control* control = controls_.Find(static_cast<int>(item->CtlID))) {
            control->DrawItem(*item);
            return TRUE;
        }
        break;
    }
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (Control* control = controls_.Find(static_cast<int>(item->CtlID))) {
            control->MeasureItem(*item);
            return TRUE;
        }
        break;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
        if (std::optional<LRESULT> handled = HandleControlColor(wParam, lParam))
            return *handled;
        break;
    case WM_CTLCOLORSTATIC:
        if (std::optional<LRESULT> handled = HandleControlColor(wParam, lParam))
            return *handled;
        if (background_) {
            SetBkColor(reinterpret_cast<HDC>(wParam), backgroundColor_);
            return reinterpret_cast<LRESULT>(background_.Get());
        }
        break;
    case WM_TIMER:
        if (Timer* timer = timers_.Find(static_cast<UINT>(wParam))) {
            timer->Fire();
            return 0;
        }
        break;
    case WM_CLOSE:
        Close();
        return 0;
    case WM_QUERYENDSESSION:
        sessionEndAllowed_ = FormCloseQuery();
        return sessionEndAllowed_ ? TRUE : FALSE;
    case WM_ENDSESSION:
        // The close query has already wound the form down; whether or not
        // the session really ends, there is nothing left to run.
        if (sessionEndAllowed_)
            DestroyHandle();
        return 0;
    case WM_NCDESTROY:
        window_ = nullptr;
        if (Application::Get().MainForm() == this)
            Application::Get().Terminate();
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
