#include "dialogs/mk.h"

#include "resources/ImageIds.h"

namespace {

const BoxKind MKBoxKind { "TMKBox", IDB_INFO_SYMBOL, RGB(255, 0, 0), false };
constexpr Bounds TMCountSBounds { 64, 128, 0, 0 };

} // namespace

TMKBox::TMKBox(bool counting, std::string_view countText, std::string_view startLabel)
    : BoxForm(MKBoxKind, counting, startLabel)
    , tmCountS_(Add<Label>(TMCountSBounds, countText, false))
{
}

CountdownStep TMKBox::CountdownTick()
{
    return count_.Tick(tmCountS_.Text());
}
