#pragma once

// The program-wide values that every part of the program reads.

#include <cstdint>
#include <string>
#include <string_view>

// Read as major version ProgramVersion / 10, minor ProgramVersion % 10.
inline constexpr std::int32_t ProgramVersion = 14;

// The registry subkey name and the base of the program's file names.
inline constexpr std::string_view ProductKey = "DRIM32";

// The application's title in the task list.
inline constexpr std::string_view ApplicationTitle = "ｽｸﾘｰﾝ･ｾｰﾊﾞｰ&省電力OFF";

// The name of the program's shortcuts and Program Manager items.
inline constexpr std::string_view ItemTitle = "ｽｸﾘｰﾝｾｰﾊﾞｰ 省電力OFF";

// Nothing ever changes the copy number, so the uninstall copy always has the
// same name.
inline constexpr int UninstallCopyNumber = 0;

// The uninstall copy's file name, all lower case: "unin_palun000.exe".
std::string UninstallCopyName();

// "UNINSTALL_PALUN000": the uninstall copy's caption when it has no title
// handed over, or was not started by an uninstallation.
std::string UninstallMarker();
