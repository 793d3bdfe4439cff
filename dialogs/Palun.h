#pragma once

// TPalunBox: the timed message box.  Its countdown is the process-wide
// `CountDown`, which every counting box decrements at its own ticks.

#include "dialogs/BoxForm.h"

TimedCountdown& ProcessCountDown();

class TPalunBox : public BoxForm {
public:
    explicit TPalunBox(bool counting);

protected:
    CountdownStep CountdownTick() override { return ProcessCountDown().Tick(); }
};
