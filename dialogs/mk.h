#pragma once

// TMKBox: the option message box.  Each box counts its own seconds,
// starting from the text its hidden `TMCountS` label carries.

#include "dialogs/BoxForm.h"

#include <string>

class TMKBox : public BoxForm {
public:
    TMKBox(bool counting, const std::string& countText, const std::string& startLabel);

protected:
    CountdownStep CountdownTick() override;
    bool RestartTimerEachTick() const override { return false; }

private:
    Label& tmCountS_;
    SlotCountdown count_;
};
