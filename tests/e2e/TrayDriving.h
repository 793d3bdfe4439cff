#pragma once

// Driving the resident program from outside, as its user does: presses on
// its icon in the shell's taskbar, keys for the menu that opens, and the
// option boxes it shows.  Header only, so that it needs no build change
// while the support library's source list is being worked on.

#include "Observe.h"
#include "Program.h"
#include "Resident.h"
#include "TrayProbe.h"
#include "platform/Dde.h"
#include "shell/Progman.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// The class the system gives every popup menu window.
// The option box of the tray window.

inline constexpr DWORD MenuAppearsMilliseconds = 10000;
// A press that should open nothing is given this long to open something.
inline constexpr DWORD NothingOpensMilliseconds = 1500;
// Well inside the box's own ten-second countdown.
inline constexpr DWORD BoxAppearsMilliseconds = 8000;
inline constexpr DWORD MessageAnswerMilliseconds = 5000;

// Wine's taskbar draws the tray icons itself, from its right end, each in a
// square of the small icon size and a border of 2 pixels on every side; the
// program's icon is the only one, so it is the rightmost square.
inline constexpr int TrayIconBorder = 2;

inline std::optional<POINT> TrayIconPoint()
{
    HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
    RECT bar {};
    if (taskbar == nullptr || !GetWindowRect(taskbar, &bar))
        return std::nullopt;
    const int cell = GetSystemMetrics(SM_CXSMICON) + 2 * TrayIconBorder;
    return POINT { bar.right - cell / 2, (bar.top + bar.bottom) / 2 };
}

enum class MouseButton { Left, Right, Middle };

inline constexpr DWORD PointerArrivesMilliseconds = 2000;

inline bool CursorAt(POINT point)
{
    POINT cursor {};
    return GetCursorPos(&cursor) && cursor.x == point.x && cursor.y == point.y;
}

// Moves the pointer and waits until the system reports it there.
inline bool MovePointer(POINT point)
{
    INPUT move {};
    move.type = INPUT_MOUSE;
    // Absolute coordinates run from 0 to 65535 across the screen.
    move.mi.dx = point.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    move.mi.dy = point.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return SendInput(1, &move, sizeof(INPUT)) == 1
        && WaitUntil([&] { return CursorAt(point); }, PointerArrivesMilliseconds);
}

// A real press and release at a screen point, through the system's input
// queue: the shell's taskbar sees it as the user's click.
inline bool PressAt(POINT point, MouseButton button)
{
    if (!MovePointer(point))
        return false;
    INPUT clicks[2] = {};
    for (INPUT& click : clicks)
        click.type = INPUT_MOUSE;
    switch (button) {
    case MouseButton::Left:
        clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        break;
    case MouseButton::Right:
        clicks[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
        clicks[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
        break;
    case MouseButton::Middle:
        clicks[0].mi.dwFlags = MOUSEEVENTF_MIDDLEDOWN;
        clicks[1].mi.dwFlags = MOUSEEVENTF_MIDDLEUP;
        break;
    }
    return SendInput(2, clicks, sizeof(INPUT)) == 2;
}

// Presses on one point.  A press within the double-click time of the one
// before, at the same place, is a double click to the system, and the tray
// reports it as one rather than as a press: each press waits that long.
class PointPresses {
public:
    // The pointer goes there at once.  A window that appears under the
    // pointer later (a box in the middle of the screen, where the pointer
    // starts) makes Wine take the pointer's position from the X server
    // again, which can undo a move made just before a press.
    explicit PointPresses(POINT point)
        : point_(point)
    {
        MovePointer(point_);
    }

    POINT Point() const { return point_; }

    bool Press(MouseButton button)
    {
        const DWORD apart = GetDoubleClickTime() + DoubleClickMarginMilliseconds;
        if (pressed_) {
            const DWORD since = GetTickCount() - lastPress_;
            if (since < apart)
                Sleep(apart - since);
        }
        pressed_ = true;
        lastPress_ = GetTickCount();
        return PressAt(point_, button);
    }

private:
    static constexpr DWORD DoubleClickMarginMilliseconds = 100;

    POINT point_;
    bool pressed_ = false;
    DWORD lastPress_ = 0;
};

// A key pressed and released; it goes where the system's keyboard focus is,
// which is the open menu's while one is up.
inline bool PressKey(WORD virtualKey)
{
    INPUT inputs[2] = {};
    inputs[0].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = virtualKey;
    inputs[1] = inputs[0];
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    return SendInput(2, inputs, sizeof(INPUT)) == 2;
}

inline HWND WaitForMenu(DWORD processId, DWORD milliseconds = MenuAppearsMilliseconds)
{
    return WaitForVisibleWindow(MenuClass, processId, milliseconds);
}

inline HWND WaitForBox(DWORD processId, DWORD milliseconds = BoxAppearsMilliseconds)
{
    return WaitForVisibleWindow(OptionBoxClass, processId, milliseconds);
}

// Presses the box's pause button, so that it stays up until it is closed.
inline bool PauseCountdown(HWND box)
{
    HWND pause = FindWindowExA(box, nullptr, "Button", "一時停止");
    DWORD_PTR result = 0;
    return pause != nullptr
        && SendMessageTimeoutA(pause, BM_CLICK, 0, 0, SMTO_NORMAL, MessageAnswerMilliseconds, &result) != 0;
}

// Where a window is, for a failure message.
inline std::string Placement(HWND window)
{
    RECT bounds {};
    GetWindowRect(window, &bounds);
    return "(" + std::to_string(bounds.left) + "," + std::to_string(bounds.top) + ")-("
        + std::to_string(bounds.right) + "," + std::to_string(bounds.bottom) + ")";
}

inline int Height(HWND window)
{
    RECT bounds {};
    GetWindowRect(window, &bounds);
    return bounds.bottom - bounds.top;
}

// How far a point lies outside a window's rectangle, along the farther axis.
inline int DistanceOutside(HWND window, POINT point)
{
    RECT bounds {};
    GetWindowRect(window, &bounds);
    const auto outside = [](LONG value, LONG low, LONG high) {
        return static_cast<int>(value < low ? low - value : value > high ? value - high : 0);
    };
    const int dx = outside(point.x, bounds.left, bounds.right);
    const int dy = outside(point.y, bounds.top, bounds.bottom);
    return dx > dy ? dx : dy;
}

inline constexpr DWORD MenuClosesMilliseconds = 5000;
inline constexpr DWORD MenuPaintedMilliseconds = 400;
inline constexpr int KeyPressAttempts = 3;
inline constexpr int MenuPressAttempts = 3;
inline constexpr int MenuOpenings = 2;
// Far from the tray and from where its menus open: a press there ends a menu.
inline constexpr POINT AwayFromMenusPoint { 8, 8 };
inline constexpr DWORD KeyAnswerMilliseconds = 2000;

// Wine's shell opens a folder window on a group a moment after every
// CreateGroup, in a process of its own.  One that comes up while a tray menu
// is open takes the foreground and keeps the keyboard from the menu, so it
// is closed before the tray is driven again.
inline constexpr char ShellFolderClass[] = "ExplorerWClass";
inline constexpr DWORD ShellFolderWindowMilliseconds = 5000;

// True when the window came: the group's command went to Program Manager.
inline bool CloseShellFolderWindow(const std::string& group)
{
    HWND folder = nullptr;
    WaitUntil(
        [&] {
            folder = FindWindowA(ShellFolderClass, group.c_str());
            return folder != nullptr;
        },
        ShellFolderWindowMilliseconds);
    if (folder != nullptr) {
        PostMessageA(folder, WM_CLOSE, 0, 0);
        EXPECT_TRUE(WaitUntilGone(folder, ShellFolderWindowMilliseconds))
            << "the shell's folder window stayed";
    }
    return folder != nullptr;
}

// The shell's desktop, which serves PROGMAN, may still be starting.
inline constexpr DWORD ServerStartMilliseconds = 30000;

// Connects without the product's start attempt, which would launch another
// program while the shell is still coming up.  The client instance is the
// call's own: every DDE client's connect sends its request to all top-level
// windows and waits for each, and this thread pumps no messages, so the
// instance's windows must be gone before the tray program connects.
inline bool ShellServerAnswers()
{
    const DdeClientInstance instance = DdeClientInstance::Initialize();
    if (!instance)
        return false;
    const DdeStringHandle service(instance.Get(), ProgmanService);
    const DdeStringHandle topic(instance.Get(), ProgmanTopic);
    return static_cast<bool>(DdeConversation::Connect(instance.Get(), service, topic));
}

// One resident tray program driven through its icon in the taskbar.
class ResidentTray {
public:
    ResidentTray() = default;
    ResidentTray(const ResidentTray&) = delete;
    ResidentTray& operator=(const ResidentTray&) = delete;
    // Whatever a failed test left open is closed, so that the program can
    // save and end rather than be killed.
    ~ResidentTray()
    {
        if (!program_ || program_->WaitForExit(0))
            return;
        if (!VisibleWindows(MenuClass, Id()).empty())
            PressKey(VK_ESCAPE);
        for (HWND box : VisibleWindows(OptionBoxClass, Id()))
            PostMessageA(box, WM_CLOSE, 0, 0);
        CloseAndWaitForExit(window_, *program_);
    }

    // Starts the program (after the test has written its settings) and
    // waits until its start-up has settled.
    void Start(const std::string& arguments = "", const std::string& exePath = ProgramPath())
    {
        Settle(RunningProgram(exePath, arguments));
    }

    // The same for a program started otherwise.
    void Settle(RunningProgram program)
    {
        program_.emplace(std::move(program));
        window_ = WaitForSettledTray(*program_);
        ASSERT_NE(window_, nullptr);
        const std::optional<POINT> icon = TrayIconPoint();
        ASSERT_TRUE(icon.has_value()) << "no taskbar in this prefix";
        icon_.emplace(*icon);
    }

    DWORD Id() const { return program_ ? program_->Id() : 0; }
    HWND Window() const { return window_; }
    RunningProgram& Program() { return *program_; }
    PointPresses& Icon() { return *icon_; }

    // Presses the icon and waits for the program's menu.  On a busy machine
    // Wine can take a press that follows the pointer's move at once at the
    // pointer's old place, and no menu comes; the icon is pressed again.  A
    // window under that place may have opened a menu of its own, which would
    // take every further press; it is ended first.
    HWND OpenMenu(MouseButton button)
    {
        constexpr DWORD anyProcess = 0;
        for (int attempt = 0; attempt < MenuPressAttempts; ++attempt) {
            EXPECT_TRUE(icon_->Press(button));
            if (HWND menu = WaitForMenu(Id(), MenuAppearsMilliseconds / MenuPressAttempts))
                return menu;
            if (!VisibleWindows(MenuClass, anyProcess).empty()) {
                PressKey(VK_ESCAPE);
                WaitUntilGone(MenuClass, MenuClosesMilliseconds);
            }
        }
        return nullptr;
    }

    // What stood in the way of a press that opened no menu, with a picture
    // of the whole screen.
    std::string WhyNoMenu() const
    {
        SaveScreenshot(GetDesktopWindow(), "NoMenu");
        HWND under = GetAncestor(WindowFromPoint(icon_->Point()), GA_ROOT);
        HWND foreground = GetForegroundWindow();
        DWORD_PTR ignored = 0;
        const bool answers
            = SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_NORMAL, MessageAnswerMilliseconds, &ignored)
            != 0;
        return "under the icon: " + ClassOf(under) + " \"" + WindowText(under)
            + "\"; foreground: " + ClassOf(foreground) + " \"" + WindowText(foreground) + "\"; the program "
            + (answers ? "answers" : "does not answer");
    }

    bool MenuCloses() const { return WaitUntilGone(MenuClass, MenuClosesMilliseconds, Id()); }

    // Opens a menu and chooses an item by its access key, keeping a picture
    // of the open menu when `shot` is given.  Wine shows the menu window a
    // moment before its loop reads the keyboard; a key that came too early
    // is pressed again while the menu is still up.  On a busy machine a menu
    // can also come up while another window keeps the keyboard; a press away
    // from it ends it, and it is opened again.
    void Choose(MouseButton button, WORD key, const std::string& shot = {})
    {
        bool closed = false;
        for (int opening = 0; opening < MenuOpenings && !closed; ++opening) {
            HWND menu = OpenMenu(button);
            ASSERT_NE(menu, nullptr) << "the press opened no menu; " << WhyNoMenu();
            if (!shot.empty() && opening == 0) {
                // Only the picture waits for the menu's first paint.
                Sleep(MenuPaintedMilliseconds);
                SaveScreenshot(menu, shot);
            }
            for (int attempt = 0; attempt < KeyPressAttempts && !closed; ++attempt) {
                ASSERT_TRUE(PressKey(key));
                closed = WaitUntilGone(MenuClass, KeyAnswerMilliseconds, Id());
            }
            if (!closed) {
                ASSERT_TRUE(PressAt(AwayFromMenusPoint, MouseButton::Left));
                ASSERT_TRUE(MenuCloses()) << "a press away from the menu did not end it";
            }
        }
        ASSERT_TRUE(closed) << "the menu did not take the key";
    }

    // Opens a menu, opens its submenu by the item's access key and chooses
    // an item of the submenu by its own, keeping a picture of both menus
    // when `shot` is given.  A key that came before the menu read the
    // keyboard is pressed again, as in Choose.
    void ChooseInSubmenu(MouseButton button, WORD submenuKey, WORD key, const std::string& shot = {})
    {
        HWND menu = OpenMenu(button);
        ASSERT_NE(menu, nullptr) << "the press opened no menu; " << WhyNoMenu();
        const auto menus = [this] { return VisibleWindows(MenuClass, Id()); };
        bool opened = false;
        for (int attempt = 0; attempt < KeyPressAttempts && !opened; ++attempt) {
            ASSERT_TRUE(PressKey(submenuKey));
            opened = WaitUntil([&] { return menus().size() == 2; }, KeyAnswerMilliseconds);
        }
        ASSERT_TRUE(opened) << "the submenu did not open";
        if (!shot.empty()) {
            Sleep(MenuPaintedMilliseconds);
            RECT area {};
            for (HWND open : menus()) {
                RECT bounds {};
                GetWindowRect(open, &bounds);
                UnionRect(&area, &area, &bounds);
            }
            SaveScreenshot(area, shot);
        }
        bool closed = false;
        for (int attempt = 0; attempt < KeyPressAttempts && !closed; ++attempt) {
            ASSERT_TRUE(PressKey(key));
            closed = WaitUntilGone(MenuClass, KeyAnswerMilliseconds, Id());
        }
        ASSERT_TRUE(closed) << "the submenu did not take the key";
    }

    // Closes the tray window as its close button would; the program saves
    // its settings and ends with exit code 0.
    void Close()
    {
        ASSERT_TRUE(CloseAndWaitForExit(window_, *program_));
        EXPECT_EQ(program_->ExitCode(), 0u);
    }

private:
    std::optional<RunningProgram> program_;
    HWND window_ = nullptr;
    std::optional<PointPresses> icon_;
};
