#pragma once

// TPalunBoxDlg: shows a message in the timed message box and returns how
// it was closed: 1 for "ＯＫ", 2 for the close command or a countdown that
// ran out.

#include "gui/Component.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

class TPalunBoxDlg : public Component {
public:
    std::string Title; // empty: the application's title
    HWND SourceHandle = nullptr; // centred on it; 0: the main window
    bool Timer = true;
    std::int32_t TimerCount = 10;

    std::int16_t Execute(std::string_view text);
    std::int16_t ExecuteCount(std::string_view text);

private:
    std::int16_t ShowBox(std::string_view text, bool counting);
};
