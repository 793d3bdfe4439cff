#pragma once

// The folders the system names for the program.  Each comes with its
// trailing backslash, ready for a file name.

#include <optional>
#include <string>

// The Windows folder; nothing when no buffer for it could be had.
std::optional<std::string> WindowsFolder();

// The user's temporary folder; empty when the system names none.
std::string UserTemporaryFolder();
