#include "dialogs/MkSlots.h"

#include "base/DecimalText.h"
#include "dialogs/Countdown.h"

namespace {

constexpr std::size_t CountTextLength = 10;

} // namespace

std::optional<int> TakeFirstFreeSlot(SlotFlags& busy)
{
    for (std::size_t i = 0; i < busy.size(); ++i) {
        if (!busy[i]) {
            busy[i] = true;
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

SlotClaim::SlotClaim(SlotFlags& busy, int slot)
    : busy_(busy)
    , slot_(static_cast<std::size_t>(slot))
{
    // The library's bounds check: a slot outside the table is a fault of
    // the program, which ends it visibly rather than clear another's flag.
    static_cast<void>(busy_.at(slot_));
}

SlotClaim::~SlotClaim()
{
    busy_[slot_] = false;
}

std::string CountStartText(std::int32_t timerCount)
{
    return DecimalText(timerCount).substr(0, CountTextLength);
}

std::size_t CountTextTable::Index(int slot)
{
    return static_cast<std::size_t>(slot);
}

std::string CountTextTable::StartLabel(int slot) const
{
    std::string label = Text(slot);
    label += SecondsSuffix;
    return label;
}
