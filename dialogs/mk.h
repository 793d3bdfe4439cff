#pragma once

// TMKBox: the option message box.  Each box counts its own seconds,
// starting from the text its hidden `TMCountS` label carries.

#include "dialogs/BoxForm.h"

#include <string_view>

class TMKBox : public BoxForm {
public:
    TMKBox(bool counting, std::string_view countText, std::string_view startLabel);

protected:
    CountdownStep CountdownTick() override;
    bool RestartTimerEachTick() const override { return false; }

private:
    Label& tmCountS_;
    SlotCountdown count_;
};
