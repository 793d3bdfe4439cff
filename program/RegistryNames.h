#pragma once

// Registry keys and value names shared by the tray program, the installer and
// the uninstaller.  Every value is stored as a REG_SZ string.

#include "program/ProgramValues.h"

#include <string_view>

// Under HKEY_CURRENT_USER.
inline constexpr std::string_view SettingsKey = "Software\\PALUN RUZI32\\DRIM32";
static_assert(SettingsKey.ends_with(ProductKey));

inline constexpr std::string_view ValueOnOff = "ONOFF";
inline constexpr std::string_view ValueStart = "START";
inline constexpr std::string_view ValueHozon = "HOZON";
inline constexpr std::string_view ValueMySoft = "MYSOFT";
inline constexpr std::string_view ValueVersion = "Version";
inline constexpr std::string_view ValueGroup = "Group";
inline constexpr std::string_view ValueExePath = "EXEPATH";
inline constexpr std::string_view ValueBackColor = "BackColor";

// Under HKEY_CURRENT_USER; read only, never written by this program.
inline constexpr std::string_view ShellFoldersKey
    = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline constexpr std::string_view ValuePrograms = "Programs";
inline constexpr std::string_view ValueDesktop = "Desktop";
inline constexpr std::string_view ValueStartup = "Startup";
