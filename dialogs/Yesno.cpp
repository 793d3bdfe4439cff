#include "dialogs/Yesno.h"

#include "resources/ImageIds.h"

namespace {

const BoxKind YesNoBoxKind { "TYesNoBox", IDB_QUESTION_SYMBOL, RGB(0, 0, 0), true };

} // namespace

TYesNoBox::TYesNoBox(bool noByDefault)
    : BoxForm(YesNoBoxKind, false, "")
{
    if (noByDefault)
        MakeSecondButtonDefault();
}
