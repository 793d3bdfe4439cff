#pragma once

// The runs the timed message box and the option box share: each shows its
// box through `show` on the main thread and drives it from a BoxObserver,
// then hands back what it saw for the test's own checks.  The Expect
// functions hold the checks both boxes answer alike.

#include "BoxDriving.h"
#include "dialogs/BoxLayout.h"

#include <windows.h>

#include <functional>
#include <string>

// Generous bounds: Wine under load may be slow, never early.
inline constexpr DWORD TickLowerBound = 700;
inline constexpr DWORD SelfCloseUpperBound = 10000;

using ShowBox = std::function<int()>;

struct AcceptedBox {
    int result = 0;
    BoxView view;
    HWND focus = nullptr; // the focus when the box had opened
    std::string shot;
};

// Photographs the box as `shotName`, reads it and its focus, and presses
// Enter.
AcceptedBox ReadAndAccept(const char* boxClass, const char* shotName, const ShowBox& show);

// The box's controls where the countdown box's layout puts them.
void ExpectCountdownLayout(const BoxView& view, const BoxLayout& expected);

struct SelfClosedBox {
    int result = 0;
    std::string firstLabel;
    bool secondLabelSeen = false; // "1秒" came
    DWORD elapsed = 0; // from the box's opening to its end
};

// Lets a box counting from 2 close itself; `whileCounting` runs as soon as
// the first label has been read.
SelfClosedBox RunTwoSecondCountdown(
    const char* boxClass, const ShowBox& show, const std::function<void(HWND)>& whileCounting = {});
void ExpectClosedItselfAfterTwoSeconds(const SelfClosedBox& run);

struct PausedBox {
    bool reachedNine = false;
    std::string labelAfterPause; // after a watch for a change
    bool openAfterWatch = false;
    bool wentOn = false; // "8秒" came after resuming
    DWORD resumedFor = 0; // from the click on ｶｳﾝﾄ再開 to "8秒"
};

// Pauses a box counting from 10 at "9秒", watches the label, resumes and
// waits for "8秒".  `paused` runs right after the pause, `resumed` right
// after the resume; the script ends with the box open.
PausedBox PauseAndResume(
    HWND box, const std::function<void()>& paused = {}, const std::function<void()>& resumed = {});
void ExpectHeldAndWentOnASecondLater(const PausedBox& run);

// Lets a box counting from `first` close at its first tick and checks the
// first label, the time it took and the last label the recorder saw, which
// must fit its text at the box's right edge.
void ExpectClosesAtTheFirstTick(
    const char* boxClass, const ShowBox& show, const char* firstLabel, const char* lastLabel);

// The answer 1, the caption and the focus on ＯＫ of a box ReadAndAccept
// answered.
void ExpectAcceptedWithTheFocusOnOk(const AcceptedBox& accepted, const std::string& caption);

// 一時停止 showing over ｶｳﾝﾄ再開, which lies in the same place.
void ExpectPauseOverResume(const BoxView& view);

struct EscapedBox {
    int result = 0;
    BoxView view; // as it opened
    bool closedByEscape = false;
};

// Presses Escape at the box and watches it stay; then sends the close
// command.
EscapedBox EscapeThenClose(const char* boxClass, const ShowBox& show);

// Waits until the counting box `outer` shows `outerLabel`, has the main
// thread run `show` and waits for the box it opens above `outer`; nullptr
// (a failure) when none opens.
HWND OpenAboveCountingBox(const char* boxClass, HWND outer, const char* outerLabel,
    const MainThreadRunner& runner, const std::function<void()>& show);
