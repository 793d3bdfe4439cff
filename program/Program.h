#pragma once

// The values the entry sets once for the whole process, before any window
// exists.

#include "program/RunMode.h"

#include <string>

struct ProgramRunValues {
    std::string programPath; // the running file's full path
    std::string programFolder; // its folder, ending with a backslash
    std::string argument1;
    std::string argument2;
    RunMode runMode = RunMode::Normal;
};

ProgramRunValues& Program();
