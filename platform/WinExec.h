#pragma once

// WinExec with its answer read: values below 32 are error codes, anything
// else says the program was started.

#include <windows.h>

#include <string>

inline bool StartCommandLine(const std::string& commandLine, UINT show)
{
    constexpr UINT WinExecFirstSuccess = 32;
    return WinExec(commandLine.c_str(), show) >= WinExecFirstSuccess;
}
