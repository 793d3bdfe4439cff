#pragma once

// What FailFastChild and its test share: the window whose timer commits the
// fault, and the marks it leaves in that window's caption.

#include <windows.h>

inline constexpr char TickingWindowClass[] = "FailFastTicking";
inline constexpr UINT TickMilliseconds = 100;
// The tick that commits the fault; every tick writes "tick N" first.
inline constexpr int FaultTick = 3;
inline constexpr char FaultTickCaption[] = "tick 3";
// Sent by the test while the box is up; the window would write "sent".
inline constexpr UINT SentMarkMessage = WM_APP;
