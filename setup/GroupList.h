#pragma once

// The group list of the setup window: Program Manager's groups in the
// list's order, the program's own groups at the bottom and the proposed one
// selected.

#include "base/Callback.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The list's text comparison, which ignores letter case: below 0, 0 or
// above 0 as `a` sorts before, with or after `b`.
using TextComparison = Callback<int(std::string_view a, std::string_view b)>;

inline constexpr std::string_view MakerGroup = "PALUN SOFT";
inline constexpr std::string_view ProposedGroup = "PALUN RUZI32";

struct GroupList {
    std::vector<std::string> entries;
    std::size_t selected = 0;
};

// Sorts `groupNames`, moves "PALUN SOFT" (when listed, in any letter case)
// to the end in its own spelling, then puts "PALUN RUZI32" last whether
// listed or not, and selects it, or the remembered group when the list
// holds that.  The first entry that compares equal counts.
GroupList ArrangeGroupList(
    std::vector<std::string> groupNames, std::string_view rememberedGroup, const TextComparison& compare);
