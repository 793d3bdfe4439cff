#pragma once

// The running program's own file.

#include <string>

// The full path of the running program's file, however long it is.
std::string RunningProgramPath();
