#pragma once

// TDIROPENDLG: the folder browser as a component.  Execute shows the browser
// window modally over SourceHandle and returns the chosen folder in lower
// case, without a trailing backslash except a drive root's ("c:\"), or an
// empty string when the user cancelled.  When neither the folder asked for
// nor the program's own can be listed it fails with the browser's message,
// and the caller shows it.

#include "base/Result.h"
#include "gui/Component.h"

#include <windows.h>

#include <string>

class TDIROPENDLG : public Component {
public:
    std::string Directory; // shown first; empty: the program's own folder
    std::string Title; // before the caption and on the messages; empty: the application's title
    HWND SourceHandle = nullptr; // centred on it; 0: the main window
    bool StandardColor = true; // the lists on the system's window colour

    Result<std::string> Execute();
};
