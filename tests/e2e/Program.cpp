#include "Program.h"

#include <cstdlib>
#include <stdexcept>

std::string WindowsPathFromEnvironment(const char* name)
{
    const char* configured = std::getenv(name);
    if (configured == nullptr || *configured == '\0')
        throw std::runtime_error(std::string(name) + " is not set");
    std::string path = configured;
    if (path.front() == '/') {
        for (char& c : path)
            if (c == '/')
                c = '\\';
        path = "Z:" + path;
    }
    return path;
}

std::string ProgramPath()
{
    return WindowsPathFromEnvironment("DRIM32_EXE");
}

RunningProgram::RunningProgram(const std::string& exePath, const std::string& arguments)
{
    std::string commandLine = "\"" + exePath + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    STARTUPINFOA startup {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info {};
    if (!CreateProcessA(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
            &startup, &info))
        throw std::runtime_error("cannot start " + exePath);
    CloseHandle(info.hThread);
    process_.Reset(info.hProcess);
    id_ = info.dwProcessId;
}

RunningProgram RunningProgram::Adopt(DWORD processId)
{
    RunningProgram program;
    program.process_.Reset(
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, processId));
    if (!program.process_)
        throw std::runtime_error("cannot open process " + std::to_string(processId));
    program.id_ = processId;
    return program;
}

bool StartUnderUnixLocale(const std::string& exePath, const std::string& arguments, const std::string& locale)
{
    return StartThroughUnixShell(exePath, arguments, "LANG=" + locale + " LC_ALL=" + locale);
}

bool StartThroughUnixShell(const std::string& exePath, const std::string& arguments,
    const std::string& assignments, const std::string& unixTracePath)
{
    // Wine runs a Unix program as it is, with the Unix environment made from
    // this process's: the shell gets the prefix and the display, and the
    // wine it starts joins this prefix.
    const std::string trace = unixTracePath.empty() ? "" : " 2>\\\"$2\\\"";
    std::string commandLine = "/bin/sh -c \"" + assignments + " exec wine \\\"$0\\\" $1" + trace + "\" \""
        + exePath + "\" \"" + arguments + "\" \"" + unixTracePath + "\"";
    STARTUPINFOA startup {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info {};
    if (!CreateProcessA(
            nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return false;
    // A Unix process has no Windows process to hold.
    if (info.hProcess != nullptr)
        CloseHandle(info.hProcess);
    if (info.hThread != nullptr)
        CloseHandle(info.hThread);
    return true;
}

RunningProgram::~RunningProgram()
{
    // A test that fails half-way must not leave its program running into the
    // next test; only this process of ours is ended.
    if (process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.Get(), 255);
        WaitForSingleObject(process_.Get(), 5000);
    }
}

bool RunningProgram::WaitForExit(DWORD milliseconds)
{
    return WaitForSingleObject(process_.Get(), milliseconds) == WAIT_OBJECT_0;
}

DWORD RunningProgram::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.Get(), &code);
    return code;
}
