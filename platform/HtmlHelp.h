#pragma once

// The HTML Help viewer.  It comes through hhctrl.ocx, which is loaded at
// first use rather than linked, so that the program starts where it is
// missing.

#include "platform/Module.h"

#include <windows.h>

#include <string>

// True on Windows 10 and later, as GetVersionExA reports it: the manifest
// names Windows 10 among the supported systems, so the system does not
// pretend to be Windows 8 to this program.
bool SystemIsWindows10OrLater();

class HtmlHelpViewer {
public:
    // Loads hhctrl.ocx from the system folder, once; false when it cannot.
    bool Load();
    // Opens `file` at its contents; false when no help window came up.
    // Only after Load succeeded.
    bool ShowContents(HWND owner, const std::string& file);
    // Closes the help windows opened through this viewer; none when it was
    // never loaded.
    void CloseAll();

private:
    using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

    // From hhctrl.ocx, which stays loaded until the process ends.
    HtmlHelpFunction htmlHelp_ = nullptr;
};
