#pragma once

// The option box's ten call slots.  Each open box holds one slot from before
// it is created until after it is destroyed, which is what lets up to ten
// boxes nest in one another's modal loops.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

inline constexpr std::size_t SlotCount = 10;

// `B0` ... `B9`: true while that slot's box is shown.
using SlotFlags = std::array<bool, SlotCount>;

// Marks the first free slot busy and returns it; nullopt when all are busy.
std::optional<int> TakeFirstFreeSlot(SlotFlags& busy);

// Frees a taken slot when the call ends, however it ends.
class SlotClaim {
public:
    SlotClaim(SlotFlags& busy, int slot);
    ~SlotClaim();
    SlotClaim(const SlotClaim&) = delete;
    SlotClaim& operator=(const SlotClaim&) = delete;

private:
    SlotFlags& busy_;
    std::size_t slot_;
};

// The decimal text of the countdown start, cut to its first 10 characters
// ("-2147483648" has 11).
std::string CountStartText(std::int32_t timerCount);

// `CountText`: one table for the whole process, shared by every option box
// component.
class CountTextTable {
public:
    // A slot outside the table fails the library's bounds check.
    void Set(int slot, std::int32_t start) { texts_.at(Index(slot)) = CountStartText(start); }
    const std::string& Text(int slot) const { return texts_.at(Index(slot)); }
    // What the countdown label shows before the first tick.
    std::string StartLabel(int slot) const;

private:
    static std::size_t Index(int slot);

    std::array<std::string, SlotCount> texts_;
};
