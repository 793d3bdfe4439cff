#pragma once

// How an elevated tray window hears the shell and a second start that runs
// with less rights: the message filter (UIPI) blocks their messages unless
// the window lets them through.

#include <cstdint>

enum class MessageFilterCall {
    None, // before Vista there is no filter
    Process, // ChangeWindowMessageFilter: Vista, for the whole process
    Window, // ChangeWindowMessageFilterEx: Windows 7 and later, for one window
};

struct MessageFilterStep {
    MessageFilterCall call;
    std::uint32_t action; // MSGFLT_ALLOW for the window, MSGFLT_ADD for the process
};

inline constexpr std::uint32_t MessageFilterAllow = 1;
inline constexpr std::uint32_t MessageFilterAdd = 1;

// The call that lets a message through, by which of the two the system has.
MessageFilterStep PlanMessageFilter(bool windowCallFound, bool processCallFound);
