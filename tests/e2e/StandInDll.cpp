#include "StandInDll.h"

#include "Program.h"

#include <windows.h>

#include <algorithm>
#include <cctype>

PlacedStandIn::PlacedStandIn(const std::string& name)
    : name_(name)
{
    std::string variable = "DRIM_STANDIN_" + name;
    std::transform(variable.begin(), variable.end(), variable.begin(),
        [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    char system[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(system, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    target_ = std::string(system) + "\\" + name + ".dll";
    // The system's own file is put back at the end: Wine keeps a fake DLL
    // there that its other programs may look at.
    CopyFileA(target_.c_str(), (target_ + ".wine").c_str(), FALSE);
    placed_
        = CopyFileA(WindowsPathFromEnvironment(variable.c_str()).c_str(), target_.c_str(), FALSE) != FALSE;
}

PlacedStandIn::~PlacedStandIn()
{
    if (target_.empty())
        return;
    if (!MoveFileExA((target_ + ".wine").c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING))
        DeleteFileA(target_.c_str());
}
