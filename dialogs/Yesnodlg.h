#pragma once

// TYesNoBoxDlg: asks a question; 6 for "はい", 7 for "いいえ" (or Esc), 2
// when the box was closed otherwise.  Callers count only 6 as yes.  A
// warning makes "いいえ" the button that Enter presses.

#include "gui/Component.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

class TYesNoBoxDlg : public Component {
public:
    std::string Title;
    HWND SourceHandle = nullptr;

    std::int16_t Execute(std::string_view text, bool noByDefault = false);
};
