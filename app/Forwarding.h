#pragma once

#include "tray/DrIMFM.h"

#include <windows.h>

#include <string_view>

// How long a resident copy may take to take one message from its queue
// before it counts as hung.  A copy that works answers in milliseconds,
// even while a box it shows for a forward waits for its user.
constexpr UINT ResidentAnswerMilliseconds = 5000;

// The exit code of a second start whose resident copy did not answer.
constexpr int ResidentNotAnsweringExitCode = 1;

inline constexpr std::string_view ResidentNotAnsweringMessage
    = "エラー：起動中のDRIM32が応答しません・・・\n"
      "タスクマネージャーで終了してから、もう一度起動してください。";

enum class ForwardOutcome {
    // Handled, or the resident copy ended meanwhile.
    Delivered,
    // The resident copy took longer than ResidentAnswerMilliseconds to
    // take a message.  When that was before the forward was sent, the atom
    // is deleted; when the copy stopped answering while it had the forward,
    // the atom is left for it to read whenever it wakes.
    NotAnswering,
};

// Sends the arguments to the resident tray window and returns once it has
// handled them (including any message box it shows meanwhile, for as long
// as the box stays up), or once it stops answering.
ForwardOutcome ForwardToResidentCopy(HWND trayWindow, std::string_view argument1, std::string_view argument2);
