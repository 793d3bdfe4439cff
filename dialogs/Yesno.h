#pragma once

// TYesNoBox: the question box, with "はい" (Enter) and "いいえ" (Esc); a
// warning's box takes "いいえ" for Enter too.

#include "dialogs/BoxForm.h"

class TYesNoBox : public BoxForm {
public:
    explicit TYesNoBox(bool noByDefault);

protected:
    CountdownStep CountdownTick() override { return { {}, false }; }
};
