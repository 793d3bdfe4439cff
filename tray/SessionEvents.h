#pragma once

// The session change events, numbered as the system sends them
// (WM_WTSSESSION_CHANGE's wParam).

#include <cstdint>

inline constexpr std::uint32_t ConsoleConnect = 1;
inline constexpr std::uint32_t ConsoleDisconnect = 2;
inline constexpr std::uint32_t RemoteConnect = 3;
inline constexpr std::uint32_t RemoteDisconnect = 4;
inline constexpr std::uint32_t SessionLock = 7;
inline constexpr std::uint32_t SessionUnlock = 8;
