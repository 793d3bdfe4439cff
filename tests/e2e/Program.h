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
    // A process of the program that this test did not start itself.
    static RunningProgram Adopt(DWORD processId);
    RunningProgram(RunningProgram&&) = default;
    ~RunningProgram();

    // Waits up to `milliseconds`; true when the process has ended.
    bool WaitForExit(DWORD milliseconds);
    DWORD ExitCode() const;
    DWORD Id() const { return id_; }
    HANDLE Handle() const { return process_.Get(); }

private:
    RunningProgram() = default;

    UniqueHandle process_;
    DWORD id_ = 0;
};

// Starts `exePath` in a Wine process of its own whose Unix LANG and LC_ALL
// are `locale` (say "en_US.UTF-8"), which decide its code page.  Wine hands
// a process it starts the code page of its parent whatever the environment
// block says, so the start goes through the shell; the program's process is
// found later by its windows (RunningProgram::Adopt).  The shell splits
// `arguments` at blanks.  False when the shell could not be started.
bool StartUnderUnixLocale(
    const std::string& exePath, const std::string& arguments, const std::string& locale);
// Starts `exePath` the same way, with the shell's `assignments` (say
// "WINEDEBUG=warn+ntdll") before wine, and Wine's own messages written to the
// Unix file `unixTracePath` unless it is empty.
bool StartThroughUnixShell(const std::string& exePath, const std::string& arguments,
    const std::string& assignments, const std::string& unixTracePath = {});
