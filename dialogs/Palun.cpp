#include "dialogs/Palun.h"

#include "resources/ImageIds.h"

namespace {

const BoxKind PalunBoxKind { "TPalunBox", IDB_INFO_SYMBOL, RGB(255, 0, 0), false };

} // namespace

TimedCountdown& ProcessCountDown()
{
    static TimedCountdown countDown;
    return countDown;
}

TPalunBox::TPalunBox(bool counting)
    : BoxForm(PalunBoxKind, counting, ProcessCountDown().Label())
{
}
