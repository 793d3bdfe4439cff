#pragma once

// Reading and answering the program's message boxes from outside their
// modal loop: finding a box by its class, its frame, caption and controls,
// clicks, keys and the close command, text measured in the boxes' font, and
// screenshots.

#include "WindowProbe.h"
#include "dialogs/BoxLayout.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

inline constexpr char PalunBoxClass[] = "TPalunBox";
inline constexpr char MKBoxClass[] = "TMKBox";
inline constexpr char YesNoBoxClass[] = "TYesNoBox";
inline constexpr const char* AllBoxClasses[] = { PalunBoxClass, MKBoxClass, YesNoBoxClass };

inline constexpr char TestApplicationTitle[] = "箱の試験";

// How long a script waits for a box to appear or to go.
inline constexpr DWORD BoxAppearTimeout = 5000;
inline constexpr DWORD BoxGoneTimeout = 10000;
// The symbol is drawn 100 ms after each paint; this is well after it.
inline constexpr DWORD SymbolDrawnDelay = 300;
// How long a box is watched for a change that must not come (a paused
// countdown that moves, a key that closes it): two of its 1000 ms ticks.
inline constexpr DWORD NoChangeWatch = 2200;

// Application::Initialize and SetTitle(TestApplicationTitle), once per
// program.
void InitializeTestApplication();

// This process's top-level windows of the class, hidden ones included, in
// z-order (topmost first).
std::vector<HWND> BoxWindows(const char* className);
// The first visible box of the class, or nullptr after the time-out.
HWND WaitForBox(const char* className, DWORD milliseconds = BoxAppearTimeout);
// A visible box of the class other than those in `known`.
HWND WaitForNewBox(
    const char* className, const std::vector<HWND>& known, DWORD milliseconds = BoxAppearTimeout);

// A box closes within BoxGoneTimeout.
inline bool WaitUntilGone(HWND box)
{
    return WaitUntilGone(box, BoxGoneTimeout);
}

bool IsBoxClass(const std::string& className);
// The right-aligned label that shows the seconds left.
bool IsCountLabel(HWND window);

// One reading of a box: its frame, caption and every child control.
struct BoxView {
    HWND handle = nullptr;
    RECT outer {};
    RECT client {};
    std::string caption;
    bool visible = false;
    std::vector<WindowControl> controls;

    int Width() const { return outer.right - outer.left; }
    int Height() const { return outer.bottom - outer.top; }
    int ClientWidth() const { return client.right; }
    int ClientHeight() const { return client.bottom; }

    // nullopt when the box has no such control.
    std::optional<WindowControl> Button(const std::string& caption) const;
    std::optional<WindowControl> Memo() const;
    std::optional<WindowControl> Symbol() const; // the picture control
    std::optional<WindowControl> CountLabel() const; // the right-aligned label
    int VisibleButtons() const;
};

BoxView ReadBox(HWND box);

// What the layout functions take, read from the real window and measured by
// the test: the message split at each line feed (widest line, 18 pixels a
// line) and the outer size minus the client size.
BoxSize MeasuredMessage(const std::string& text);
BoxSize FrameOf(const BoxView& view);
Bounds RectOf(const WindowControl& control);
void PrintTo(const Bounds& rect, std::ostream* out);
std::string CountLabelText(HWND box); // empty when the box has no label

// Width of one line in the boxes' font (the "System" font, 13 pixels,
// Shift-JIS), measured by the test itself.
int TextWidth(const std::string& text, bool bold = false);
SIZE TextSize(const std::string& text);
