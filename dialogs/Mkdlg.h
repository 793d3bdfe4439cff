#pragma once

// TMKBoxDlg: the tray window's message component.  Up to ten of its boxes
// can be open at once, one per slot, each with its own countdown; an
// eleventh call shows nothing and returns 0.

#include "dialogs/MkSlots.h"
#include "gui/Component.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

class TMKBoxDlg : public Component {
public:
    std::string Title;
    HWND SourceHandle = nullptr;
    bool Timer = true;
    std::int32_t TimerCount = 10;
    SlotFlags B {}; // B0 ... B9: the slot's box is being shown

    std::int16_t Execute(std::string_view text);
    std::int16_t ExecuteCount(std::string_view text);

private:
    std::int16_t Show(std::string_view text, bool counting, std::int32_t start);

    std::array<bool, SlotCount> CountOn {};
};

// `CountText`: the countdown starts of the ten slots, one table for the
// process.
CountTextTable& ProcessCountText();
