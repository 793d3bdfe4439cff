#pragma once

// TYesNoBox: the question box, with "はい" (Enter) and "いいえ" (Esc).

#include "dialogs/BoxForm.h"

class TYesNoBox : public BoxForm {
public:
    TYesNoBox();

protected:
    CountdownStep CountdownTick() override { return { {}, false }; }
};
