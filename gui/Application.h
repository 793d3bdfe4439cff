#pragma once

// The program-wide window object: its title (shown in the task list), a
// hidden top-level window that owns the program's dialog boxes, the main
// form whose closing ends the message loop, and the main icon.

#include <windows.h>

#include <string>
#include <string_view>

class Form;

class Application {
public:
    static Application& Get();

    void Initialize(HINSTANCE instance);
    HINSTANCE Instance() const { return instance_; }

    const std::string& Title() const { return title_; }
    void SetTitle(std::string_view title);

    // The hidden window that owns the dialog boxes and stands for the
    // program in the task list.  Created when first asked for: a start that
    // only forwards its switch, or a tray program that shows no box, never
    // pays for it.
    HWND Handle();
    // Nothing to hide before a box has asked for the window.
    void HideWindow() const;

    Form* MainForm() const { return mainForm_; }
    void SetMainForm(Form* form) { mainForm_ = form; }
    HWND MainWindowHandle() const;
    // Repaints the main form, as every dialog does once its box is gone.
    void RepaintMainForm() const;

    // The program's own icon (resource MAINICON); shared, never destroyed.
    // Loaded at first use: every icon made under Wine stays in the
    // process's memory, and the tray program may never show this one.
    HICON Icon();

    // Lets every pending window message run, without waiting for new ones.
    void ProcessMessages();
    // Runs the message loop until the main form's window is destroyed; the
    // process's exit code: 0, or what SetExitCode last set.
    int Run();
    void SetExitCode(int code) { exitCode_ = code; }
    // Ends Run(); called when the main form's window is destroyed.
    void Terminate();

private:
    Application() = default;
    ~Application();

    HINSTANCE instance_ = nullptr;
    HWND window_ = nullptr;
    HICON icon_ = nullptr;
    Form* mainForm_ = nullptr;
    std::string title_;
    int exitCode_ = 0;
};

// Shows the hourglass while it exists, and the previous cursor after.
class HourglassCursor {
public:
    HourglassCursor();
    ~HourglassCursor();
    HourglassCursor(const HourglassCursor&) = delete;
    HourglassCursor& operator=(const HourglassCursor&) = delete;

private:
    HCURSOR previous_;
};
