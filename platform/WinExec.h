#pragma once

// WinExec with its answer read: values below 32 are error codes, anything
// else says the program was started.

#include <windows.h>

#include <string>
#include <string_view>

inline bool StartCommandLine(const std::string& commandLine, UINT show)
{
    constexpr UINT WinExecFirstSuccess = 32;
    return WinExec(commandLine.c_str(), show) >= WinExecFirstSuccess;
}

// A program's full path in double quotes, the start of a command line: a
// path with a blank would otherwise be tried piece by piece, and a program
// named like its first piece would run instead.
inline std::string QuotedCommand(std::string_view programPath)
{
    std::string command("\"");
    command.append(programPath).append("\"");
    return command;
}
