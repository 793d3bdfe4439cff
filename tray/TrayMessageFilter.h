#pragma once

#include <windows.h>

// Lets "TaskbarCreated" and the forwarded switch reach `tray` through the
// message filter when the program runs elevated.  The forwarded text is
// only compared with the switches, so a sender with less rights can do no
// more than a user's second start.
void LetShellMessagesThrough(HWND tray);
