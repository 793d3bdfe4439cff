#include "gui/TaskTray.h"

#include "gui/Application.h"
#include "gui/Form.h"
#include "gui/Menu.h"
#include "gui/TrayTip.h"

#include <cstddef>
#include <cstring>
#include <shellapi.h>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr DWORD NotifyIconRecordSize = 88;
#ifndef _WIN64
static_assert(sizeof(NotifyIconRecord) == NotifyIconRecordSize);
static_assert(NOTIFYICONDATAA_V1_SIZE == NotifyIconRecordSize);
static_assert(offsetof(NotifyIconRecord, hWnd) == offsetof(NOTIFYICONDATAA, hWnd));
static_assert(offsetof(NotifyIconRecord, uID) == offsetof(NOTIFYICONDATAA, uID));
static_assert(offsetof(NotifyIconRecord, uFlags) == offsetof(NOTIFYICONDATAA, uFlags));
static_assert(offsetof(NotifyIconRecord, uCallbackMessage) == offsetof(NOTIFYICONDATAA, uCallbackMessage));
static_assert(offsetof(NotifyIconRecord, hIcon) == offsetof(NOTIFYICONDATAA, hIcon));
static_assert(offsetof(NotifyIconRecord, szTip) == 24);
#endif

constexpr char NotifyWindowClass[] = "TNotifyWindow";

enum TrayMouseMessage : LPARAM {
    TrayMouseMove = 512,
    TrayLeftDown = 513,
    TrayLeftUp = 514,
    TrayLeftDoubleClick = 515,
    TrayRightDown = 516,
    TrayRightUp = 517,
    TrayRightDoubleClick = 518,
    TrayMiddleDown = 519,
    TrayMiddleUp = 520,
};

BOOL CallShell(DWORD message, NotifyIconRecord* record)
{
    return Shell_NotifyIconA(message, reinterpret_cast<NOTIFYICONDATAA*>(record));
}

// Process-wide: every component of the process takes part.
struct TrayProcessState {
    std::vector<std::pair<int, TTaskTray*>> iconIDList;
    HWND notifyWindow = nullptr;
    bool trayBusy = false;
    TTaskTray::ShellNotify shellNotify = CallShell;
};

TrayProcessState& State()
{
    static TrayProcessState state;
    return state;
}

LRESULT CALLBACK NotifyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == TrayCallbackMessage) {
        TTaskTray::HandleCallback(wParam, lParam);
        return 0;
    }
    if (message == WM_NCDESTROY && State().notifyWindow == window)
        State().notifyWindow = nullptr;
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateNotifyWindow(HWND parent)
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSA windowClass {};
        windowClass.lpfnWndProc = NotifyWindowProc;
        windowClass.hInstance = Application::Get().Instance();
        windowClass.lpszClassName = NotifyWindowClass;
        registered = RegisterClassA(&windowClass) != 0;
    }
    return CreateWindowExA(0, NotifyWindowClass, "", WS_CHILD, 0, 0, 0, 0, parent, nullptr,
        Application::Get().Instance(), nullptr);
}

class BusyScope {
public:
    BusyScope() { State().trayBusy = true; }
    ~BusyScope() { State().trayBusy = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
};

} // namespace

UINT TaskbarCreatedMessage()
{
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

TTaskTray::TTaskTray(Form& owner)
    : owner_(owner)
    , retryTimer_(owner, TrayRetryInterval, [this] { RetryTimer(); })
{
    auto& list = State().iconIDList;
    iconID_ = list.empty() ? 1 : list.back().first + 1;
    list.emplace_back(iconID_, this);

    // A restarted shell has forgotten every icon; it says so to all
    // top-level windows, of which the notify window is none.
    taskbarHook_ = owner_.AddMessageHook([this](UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == TaskbarCreatedMessage())
            TaskbarCreated();
        return std::nullopt;
    });
}

TTaskTray::~TTaskTray()
{
    owner_.RemoveMessageHook(taskbarHook_);
    DeleteIcon();
    std::erase_if(State().iconIDList,
        [this](const auto& entry) { return entry.first == iconID_ && entry.second == this; });
}

void TTaskTray::SetPopupMenuL(PopupMenu* menu)
{
    if (menu == popupMenuL_)
        return;
    popupMenuL_ = menu;
    if (menu != nullptr)
        menu->FreeNotification(this);
}

void TTaskTray::SetPopupMenuR(PopupMenu* menu)
{
    if (menu == popupMenuR_)
        return;
    popupMenuR_ = menu;
    if (menu != nullptr)
        menu->FreeNotification(this);
}

void TTaskTray::ComponentDestroyed(Component* component)
{
    if (component == popupMenuL_)
        popupMenuL_ = nullptr;
    if (component == popupMenuR_)
        popupMenuR_ = nullptr;
}

Result<> TTaskTray::SetTipString(std::string_view tip)
{
    if (tip == tipString_)
        return {};
    tipString_ = tip;
    return UpdateIcon();
}

Result<> TTaskTray::SetIcon(HICON icon)
{
    if (icon != nullptr && icon == icon_.Get())
        return {};
    if (icon == nullptr) {
        icon_.Reset();
        DeleteIcon();
        return {};
    }
    icon_.Reset(CopyIcon(icon));
    return UpdateIcon();
}

Result<> TTaskTray::SetIconID(int id)
{
    if (id < 1)
        return Failure { "0以下は指定できません" };
    if (id == iconID_)
        return {};
    auto& list = State().iconIDList;
    auto entry = list.begin();
    while (entry != list.end() && !(entry->first == iconID_ && entry->second == this))
        ++entry;
    for (const auto& other : list)
        if (other.first == id)
            return Failure { "同じアイコン識別子が有ります" };
    if (registered_) {
        DeleteIcon();
        registered_ = true;
    }
    iconID_ = id;
    if (entry != list.end())
        entry->first = id;
    return UpdateIcon();
}

Result<> TTaskTray::SetRegistered(bool registered)
{
    if (registered == registered_)
        return {};
    if (!registered) {
        DeleteIcon();
        return {};
    }
    if (!icon_)
        return Failure { "アイコンが指定されていません" };
    // Registered even when the shell refuses the icon: the retry timer, the
    // next change or a restarted taskbar adds it.
    registered_ = true;
    return UpdateIcon();
}

Result<> TTaskTray::UpdateIcon()
{
    if (!registered_)
        return {};
    return SendIcon(TrayAttempt::Change);
}

// Runs only while the icon is wanted: taking it out stops the timer.
void TTaskTray::RetryTimer()
{
    static_cast<void>(SendIcon(TrayAttempt::Retry));
}

void TTaskTray::ApplyRetry(TrayRetryStep step)
{
    retryTimer_.SetEnabled(step.timerEnabled);
    if (step.tellUser && OnIconMissing)
        OnIconMissing(*this);
}

Result<> TTaskTray::SendIcon(TrayAttempt attempt)
{
    TrayProcessState& state = State();
    if (state.notifyWindow == nullptr)
        state.notifyWindow = CreateNotifyWindow(owner_.Handle());
    if (!retry_.IconAdded()) {
        record_.cbSize = NotifyIconRecordSize;
        record_.hWnd = state.notifyWindow;
        record_.uCallbackMessage = TrayCallbackMessage;
    }
    record_.uID = static_cast<UINT>(iconID_);
    record_.uFlags = NIF_MESSAGE | NIF_ICON | (tipString_.empty() ? 0 : NIF_TIP);
    record_.hIcon = icon_.Get();
    const std::string_view tip = FitTrayTip(tipString_, sizeof record_.szTip);
    std::memset(record_.szTip, 0, sizeof record_.szTip);
    std::memcpy(record_.szTip, tip.data(), tip.size());
    const DWORD message = retry_.NextCall() == TrayCall::Modify ? NIM_MODIFY : NIM_ADD;
    const bool accepted = state.shellNotify(message, &record_) != FALSE;
    ApplyRetry(retry_.Answered(accepted, attempt));
    if (!accepted)
        return Failure { "タスクトレイに登録できません" };
    return {};
}

void TTaskTray::DeleteIcon()
{
    if (retry_.Forget())
        State().shellNotify(NIM_DELETE, &record_);
    registered_ = false;
    ApplyRetry(retry_.Stopped());
}

void TTaskTray::TaskbarCreated()
{
    if (!registered_)
        return;
    // A restarted shell has lost the icon; a shell that merely announced
    // itself again still has it and would refuse a second add.  Deleting
    // first makes the add right in both cases.
    if (retry_.Forget())
        State().shellNotify(NIM_DELETE, &record_);
    // Result not looked at: when the new shell refuses the icon, the retry
    // timer tries again.
    static_cast<void>(UpdateIcon());
    if (OnTaskbarCreated)
        OnTaskbarCreated(*this);
}

void TTaskTray::DblClick(TrayMouseButton button)
{
    if (OnDblClick)
        OnDblClick(*this, button);
}

void TTaskTray::MouseDown(TrayMouseButton button, unsigned shift, int x, int y)
{
    if (owner_.Handle() != nullptr) {
        SetForegroundWindow(owner_.Handle());
        Application::Get().ProcessMessages();
    }
    if (OnMouseDown)
        OnMouseDown(*this, button, shift, x, y);
    if (button == TrayMouseButton::Left && popupMenuL_ != nullptr)
        popupMenuL_->Popup(x, y);
    if (button == TrayMouseButton::Right && popupMenuR_ != nullptr)
        popupMenuR_->Popup(x, y);
}

void TTaskTray::MouseMove(int x, int y)
{
    if (OnMouseMove)
        OnMouseMove(*this, TrayShiftNone, x, y);
}

void TTaskTray::MouseUp(TrayMouseButton button, unsigned shift, int x, int y)
{
    if (OnMouseUp)
        OnMouseUp(*this, button, shift, x, y);
}

void TTaskTray::HandleCallback(WPARAM iconID, LPARAM mouseMessage)
{
    POINT cursor {};
    GetCursorPos(&cursor);
    TrayProcessState& state = State();
    TTaskTray* tray = nullptr;
    for (const auto& [id, component] : state.iconIDList)
        if (id == static_cast<int>(iconID)) {
            tray = component;
            break;
        }
    if (tray == nullptr || state.trayBusy)
        return;

    BusyScope busy;
    const int x = cursor.x;
    const int y = cursor.y;
    switch (mouseMessage) {
    case TrayMouseMove:
        tray->MouseMove(x, y);
        break;
    case TrayLeftDown:
        tray->MouseDown(TrayMouseButton::Left, TrayShiftLeft, x, y);
        break;
    case TrayLeftUp:
        tray->MouseUp(TrayMouseButton::Left, TrayShiftLeft, x, y);
        break;
    case TrayLeftDoubleClick:
        tray->DblClick(TrayMouseButton::Left);
        break;
    case TrayRightDown:
        tray->MouseDown(TrayMouseButton::Right, TrayShiftRight, x, y);
        break;
    case TrayRightUp:
        tray->MouseUp(TrayMouseButton::Right, TrayShiftRight, x, y);
        break;
    case TrayRightDoubleClick:
        tray->DblClick(TrayMouseButton::Right);
        break;
    case TrayMiddleDown:
        tray->MouseDown(TrayMouseButton::Middle, TrayShiftMiddle, x, y);
        break;
    case TrayMiddleUp:
        tray->MouseUp(TrayMouseButton::Middle, TrayShiftMiddle, x, y);
        break;
    default:
        break;
    }
}

bool TTaskTray::TrayBusy()
{
    return State().trayBusy;
}

HWND TTaskTray::NotifyWindow()
{
    return State().notifyWindow;
}

void TTaskTray::SetShellNotify(ShellNotify notify)
{
    State().shellNotify = notify != nullptr ? notify : CallShell;
}
