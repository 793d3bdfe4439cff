#pragma once

// The folders the system names for the program.  Each comes with its
// trailing backslash, ready for a file name.

#include "base/Result.h"

#include <string>

// The Windows folder; empty when the answer does not fit its buffer.
// Fails when no buffer for it could be had.
Result<std::string> WindowsFolder();

// The user's temporary folder; empty when the system names none.
std::string UserTemporaryFolder();
