#pragma once

// The folders the system names for the program.  Each comes with its
// trailing backslash, ready for a file name.

#include "base/Result.h"

#include <string>

// The Windows folder; empty when the answer does not fit its buffer.
// Fails when no buffer for it could be had.
Result<std::string> WindowsFolder();

// The system folder; empty when the system names none that fits.
std::string SystemFolder();

// The full path of a program of the system, looked for in the system folder
// and then in the Windows folder, and nowhere else; empty when neither holds
// it.  Starting a program by its bare name would look in the starting
// program's folder and the current folder first.
std::string SystemProgramPath(const std::string& fileName);

// The user's temporary folder; empty when the system names none.
std::string UserTemporaryFolder();
