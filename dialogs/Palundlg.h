#pragma once

// TPalunBoxDlg: shows a message in the timed message box and returns how
// it was closed: 1 for "ＯＫ", 2 for the close command or a countdown that
// ran out.

#include "gui/Component.h"

#include <windows.h>

#include <cstdint>
#include <string>

class TPalunBoxDlg : public Component {
public:
    std::string Title; // empty: the application's title
    HWND SourceHandle = nullptr; // centred on it; 0: the main window
    bool Timer = true;
    std::int32_t TimerCount = 10;

    std::int16_t Execute(const std::string& text);
    std::int16_t ExecuteCount(const std::string& text);

private:
    std::int16_t ShowBox(const std::string& text, bool counting);
};
