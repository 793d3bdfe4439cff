#pragma once

// A top-level window with a registered class name, declared by its derived
// class and driven by its messages.  One window procedure serves every form:
// it finds the form at WM_NCCREATE and hands every message to the form.

#include "base/Callback.h"
#include "base/FlatMap.h"
#include "platform/GdiHandles.h"

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class Control;
class Timer;

struct FormLayout {
    std::string className;
    std::string caption;
    DWORD style = WS_OVERLAPPEDWINDOW;
    DWORD exStyle = 0;
    int left = CW_USEDEFAULT;
    int top = CW_USEDEFAULT;
    int width = CW_USEDEFAULT;
    int height = CW_USEDEFAULT;
    HWND owner = nullptr;
    HICON icon = nullptr;
};

class Form {
public:
    using MessageHook = Callback<std::optional<LRESULT>(UINT, WPARAM, LPARAM)>;

    Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    virtual ~Form();

    HWND Handle() const { return window_; }
    void Show();
    void Hide();
    bool Visible() const;
    void Repaint();
    std::string Caption() const;
    void SetCaption(std::string_view caption);

    // Asks the form to close: the close query decides.  A modal form then
    // ends its modal loop with result 2; any other form is destroyed.
    void Close();

    // Shows the form and runs a message loop until a modal result is set.
    int ShowModal();
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result);

    // Components of the form (the tray icon, say) see its messages first.
    int AddMessageHook(MessageHook hook);
    void RemoveMessageHook(int id);

    // Shows the forms' tooltips the mouse messages they need and gives
    // dialog-style forms their Enter, Esc and Tab keys; true when the
    // message has been handled.  Every message loop calls it.
    static bool RouteDialogMessage(MSG& message);

    // The colour behind the form and its read-only text fields and labels.
    void SetBackgroundColor(COLORREF color);
    COLORREF BackgroundColor() const { return backgroundColor_; }

    // Shows `hint` as a tooltip while the mouse rests on `control`.
    void SetHint(HWND control, std::string_view hint);

protected:
    void CreateWindowFromLayout(const FormLayout& layout);
    // Destroys the controls, newest first, and then the window.
    void DestroyHandle();

    // Creates a control inside the window, which must exist; the form owns
    // it from then on.  The order of creation is the tab order.
    template <typename ControlType, typename... Arguments> ControlType& Add(Arguments&&... arguments)
    {
        auto control = std::make_unique<ControlType>(*this, std::forward<Arguments>(arguments)...);
        ControlType& added = *control;
        ownedControls_.push_back(std::move(control));
        return added;
    }

    // The form's own handling; nothing means "not handled here".
    virtual std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // May the form close?  Runs on every close request and when Windows
    // asks to end the session.
    virtual bool FormCloseQuery() { return true; }
    // Dialog-style forms take Enter, Esc and Tab as dialogs do.
    void SetDialogKeys(bool enabled) { dialogKeys_ = enabled; }
    // Enter presses this button; Esc presses the cancel button, if any.
    void SetDefaultButton(int id) { defaultButton_ = id; }
    void SetCancelButton(int id) { cancelButton_ = id; }

private:
    friend class Control;
    friend class Timer;
    void RegisterControl(Control* control);
    void UnregisterControl(Control* control);
    void RegisterPartWindow(HWND part, Control* control);
    Control* ControlOfWindow(HWND window) const;
    std::optional<LRESULT> HandleCommand(WPARAM wParam);
    std::optional<LRESULT> HandleControlColor(WPARAM dc, LPARAM window);
    // Timer ids are handed out per form, as control ids are per process.
    UINT RegisterTimer(Timer* timer);
    void UnregisterTimer(UINT id);
    void DestroyControls();

    static Form* OfWindow(HWND window);
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    int modalResult_ = 0;
    bool modal_ = false;
    bool dialogKeys_ = false;
    bool sessionEndAllowed_ = false;
    int defaultButton_ = 0;
    int cancelButton_ = 0;
    BrushHandle background_;
    COLORREF backgroundColor_ = 0;
    FlatMap<UINT, Timer*> timers_;
    UINT nextTimerId_ = 1;
    FlatMap<int, Control*> controls_;
    FlatMap<HWND, Control*> controlWindows_;
    std::vector<std::unique_ptr<Control>> ownedControls_;
    WindowHandle tooltip_;
    std::vector<std::pair<int, MessageHook>> hooks_;
    int nextHookId_ = 1;
};
