#pragma once

// Starting the real DRIM32.EXE from a test and watching it from outside.

#include "platform/Handle.h"

#include <windows.h>

#include <string>

// The Windows path a test's environment variable names (a Unix path is
// turned into its Z: drive form).
std::string WindowsPathFromEnvironment(const char* name);
// The program under test, from DRIM32_EXE.
std::string ProgramPath();

class RunningProgram {
public:
    // Starts `exePath` with the given command-line tail (may be empty).
    RunningProgram(const std::string& exePath, const std::string& arguments);
    explicit RunningProgram(const std::string& arguments)
        : RunningProgram(ProgramPath(), arguments)
    {
    }
    RunningProgram(RunningProgram&&) = default;
    ~RunningProgram();

    // Waits up to `milliseconds`; true when the process has ended.
    bool WaitForExit(DWORD milliseconds);
    DWORD ExitCode() const;
    DWORD Id() const { return id_; }
    HANDLE Handle() const { return process_.Get(); }

private:
    UniqueHandle process_;
    DWORD id_ = 0;
};
