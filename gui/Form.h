#pragma once

// A top-level window with a registered class name, declared by its derived
// class and driven by its messages.  One window procedure serves every form:
// it finds the form at WM_NCCREATE and stops every exception at the
// boundary, where Windows could not unwind through it.

#include "platform/GdiHandles.h"

#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
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
    using MessageHook = std::function<std::optional<LRESULT>(UINT, WPARAM, LPARAM)>;

    Form() = default;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    virtual ~Form();

    HWND Handle() const { return window_; }
    void Show();
    void Hide();
    bool Visible() const;
    void Repaint();
    std::string Caption() const;
    void SetCaption(const std::string& caption);

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

    // Gives dialog-style forms their Enter, Esc and Tab keys.
    static bool RouteDialogMessage(MSG& message);

    // The colour behind the form and its read-only text fields and labels.
    void SetBackgroundColor(COLORREF color);

protected:
    void CreateWindowFromLayout(const FormLayout& layout);
    void DestroyHandle();

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
    void RegisterControl(int id, Control* control);
    void UnregisterControl(int id);
    std::optional<LRESULT> HandleCommand(WPARAM wParam);
    void RegisterTimer(UINT id, Timer* timer);
    void UnregisterTimer(UINT id);

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
    std::map<UINT, Timer*> timers_;
    std::map<int, Control*> controls_;
    std::vector<std::pair<int, MessageHook>> hooks_;
    int nextHookId_ = 1;
};
