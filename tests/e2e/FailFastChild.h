#pragma once

// What FailFastChild and its test share: the window whose timer commits the
// fault, and the marks it leaves in that window's caption.

#include <windows.h>

inline constexpr char TickingWindowClass[] = "FailFastTicking";
inline constexpr UINT TickMilliseconds = 100;
// The tick that commits the fault; every tick writes "tick N" first.
inline constexpr int FaultTick = 3;
inline constexpr char FaultTickCaption[] = "tick 3";
// Sent by the test while the box is up; the window would write "sent" and
// answer SentMarkAnswer.
inline constexpr UINT SentMarkMessage = WM_APP;
inline constexpr LRESULT SentMarkAnswer = 7;
// A message-only window of the same thread and class, with this caption.
inline constexpr char MessageOnlyCaption[] = "message-only";
