#pragma once

// TTaskTray keeps one icon in the task tray, with a tip, and turns the
// shell's callback messages into mouse events.  All components of the
// process share one hidden notify window and are told apart by IconID.

#include "base/Callback.h"
#include "base/Result.h"
#include "gui/Component.h"
#include "gui/Timer.h"
#include "gui/TrayIconRetry.h"
#include "platform/GdiHandles.h"

#include <windows.h>

#include <string>
#include <string_view>

class Form;
class PopupMenu;

enum class TrayMouseButton { Left = 0, Right = 1, Middle = 2 };

// Shift state: only the flag of the button concerned is ever passed.
enum TrayShiftState : unsigned {
    TrayShiftNone = 0,
    TrayShiftLeft = 1,
    TrayShiftRight = 2,
    TrayShiftMiddle = 4,
};

// The notification record in its original 88-byte ANSI layout, which every
// shell since the first tray understands.
struct NotifyIconRecord {
    DWORD cbSize;
    HWND hWnd;
    UINT uID;
    UINT uFlags;
    UINT uCallbackMessage;
    HICON hIcon;
    CHAR szTip[64];
};

constexpr UINT TrayCallbackMessage = WM_USER + 102;

// The message by which a restarted shell asks every top-level window to
// add its icons again.
UINT TaskbarCreatedMessage();

class TTaskTray : public Component {
public:
    using ShellNotify = BOOL (*)(DWORD message, NotifyIconRecord* record);
    using NotifyEvent = Callback<void(TTaskTray& sender)>;
    using ButtonEvent = Callback<void(TTaskTray& sender, TrayMouseButton button)>;
    using MoveEvent = Callback<void(TTaskTray& sender, unsigned shift, int x, int y)>;
    using MouseEvent
        = Callback<void(TTaskTray& sender, TrayMouseButton button, unsigned shift, int x, int y)>;

    explicit TTaskTray(Form& owner);
    ~TTaskTray() override;

    PopupMenu* PopupMenuL() const { return popupMenuL_; }
    void SetPopupMenuL(PopupMenu* menu);
    PopupMenu* PopupMenuR() const { return popupMenuR_; }
    void SetPopupMenuR(PopupMenu* menu);

    const std::string& TipString() const { return tipString_; }
    // This and the setters below fail with the text of the refusal when the
    // shell does not take the change or the state does not allow it.
    Result<> SetTipString(std::string_view tip);

    // The component's own copy of the picture.
    HICON Icon() const { return icon_.Get(); }
    // Copies the picture of `icon`; nullptr clears it and takes the icon
    // out of the tray.
    Result<> SetIcon(HICON icon);

    int IconID() const { return iconID_; }
    Result<> SetIconID(int id);

    bool Registered() const { return registered_; }
    Result<> SetRegistered(bool registered);

    bool IconAdded() const { return retry_.IconAdded(); }
    const NotifyIconRecord& Record() const { return record_; }

    ButtonEvent OnDblClick;
    MoveEvent OnMouseMove;
    MouseEvent OnMouseDown;
    MouseEvent OnMouseUp;
    // The shell has refused the icon for about a minute; it is still tried.
    NotifyEvent OnIconMissing;
    // A re-created taskbar has been sent the icon again.
    NotifyEvent OnTaskbarCreated;

    virtual void DeleteIcon();
    virtual Result<> UpdateIcon();
    virtual void DblClick(TrayMouseButton button);
    virtual void MouseDown(TrayMouseButton button, unsigned shift, int x, int y);
    virtual void MouseMove(int x, int y);
    virtual void MouseUp(TrayMouseButton button, unsigned shift, int x, int y);

    // The notify window's handler for the callback message.
    static void HandleCallback(WPARAM iconID, LPARAM mouseMessage);
    static bool TrayBusy();
    static HWND NotifyWindow();
    // Tests replace the shell call to watch what would be sent.
    static void SetShellNotify(ShellNotify notify);

protected:
    void ComponentDestroyed(Component* component) override;

private:
    void TaskbarCreated();
    Result<> SendIcon(TrayAttempt attempt);
    void RetryTimer();
    void ApplyRetry(TrayRetryStep step);

    Form& owner_;
    NotifyIconRecord record_ {};
    PopupMenu* popupMenuL_ = nullptr;
    PopupMenu* popupMenuR_ = nullptr;
    std::string tipString_;
    IconHandle icon_;
    int iconID_ = 0;
    bool registered_ = false;
    int taskbarHook_ = 0;
    TrayIconRetry retry_;
    Timer retryTimer_;
};
