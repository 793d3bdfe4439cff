#pragma once

// Where Program Manager would get the items' names wrong.  The shell turns
// the program's ANSI DDE commands into text by the system's code page, not
// by the program's: under any system code page but 932 the Japanese item
// name lands garbled.  There the program writes its items' files itself.

#include "base/SettingValue.h"

#include <optional>
#include <string_view>

// Under HKEY_LOCAL_MACHINE: the system's ANSI code page as decimal text;
// 65001 where Windows' UTF-8 for worldwide language support is on.
inline constexpr std::string_view SystemCodePageKeyPath = "SYSTEM\\CurrentControlSet\\Control\\Nls\\CodePage";
inline constexpr std::string_view SystemCodePageValueName = "ACP";

// The code page of the program's texts and paths.
inline constexpr unsigned ProgramCodePage = 932;

// The code page in which the shell reads the program's commands, where the
// program writes its items itself: its process runs in code page 932 (the
// manifest asks for it) and `systemCodePage` names another.  Nothing where
// the commands go to Program Manager: a system of code page 932, a process
// in another code page (its paths are not code page 932 then, as on a
// Windows 10 that ignores the manifest's code page), and a value that names
// no code page (missing, of another type, not a decimal number, too large).
std::optional<unsigned> ItemFilesCodePageFor(unsigned processCodePage, const SettingValue& systemCodePage);
