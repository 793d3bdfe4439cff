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
