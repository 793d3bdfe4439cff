#pragma once

// The help viewers.  Windows 10 and later ship no WinHelp viewer, and none
// can be installed there; they read HTML Help through hhctrl.ocx, which is
// loaded at first use rather than linked, so that the program starts where
// it is missing.

#include "base/Result.h"
#include "platform/Module.h"

#include <windows.h>

#include <string>

// True on Windows 10 and later, as GetVersionExA reports it: the manifest
// names Windows 10 among the supported systems, so the system does not
// pretend to be Windows 8 to this program.
bool SystemReadsOnlyHtmlHelp();

class HtmlHelpViewer {
public:
    // Opens `file` at its contents.  Fails, with the text for the user, when
    // hhctrl.ocx cannot be loaded from the system folder.
    Result<> ShowContents(HWND owner, const std::string& file);
    // Closes the help windows opened through this viewer; none when it was
    // never used.
    void CloseAll();

private:
    using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

    Result<> Load();

    UniqueModule module_;
    HtmlHelpFunction htmlHelp_ = nullptr;
};
