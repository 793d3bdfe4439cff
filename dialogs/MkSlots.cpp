#include "dialogs/MkSlots.h"

#include "dialogs/Countdown.h"

#include <stdexcept>

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
    // Checked here, because the destructor must not throw.
    if (slot_ >= busy_.size())
        throw std::out_of_range("option box slot out of range");
}

SlotClaim::~SlotClaim()
{
    busy_[slot_] = false;
}

std::string CountStartText(std::int32_t timerCount)
{
    return std::to_string(timerCount).substr(0, CountTextLength);
}

std::string CountTextTable::StartLabel(int slot) const
{
    std::string label = Text(slot);
    label += SecondsSuffix;
    return label;
}
