#include "dialogs/MkSlots.h"

#include "dialogs/Countdown.h"
#include "platform/Errors.h"
#include "text/DecimalText.h"

namespace {

constexpr std::size_t CountTextLength = 10;
constexpr char SlotRangeText[] = "option box slot out of range";

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
        throw ERangeError(SlotRangeText);
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
    const auto index = static_cast<std::size_t>(slot);
    if (index >= SlotCount)
        throw ERangeError(SlotRangeText);
    return index;
}

std::string CountTextTable::StartLabel(int slot) const
{
    std::string label = Text(slot);
    label += SecondsSuffix;
    return label;
}
