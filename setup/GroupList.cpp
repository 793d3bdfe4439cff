#include "setup/GroupList.h"

#include "text/SortNames.h"

#include <algorithm>

namespace {

std::vector<std::string>::iterator FindEntry(
    std::vector<std::string>& entries, std::string_view text, const TextComparison& compare)
{
    return std::find_if(
        entries.begin(), entries.end(), [&](const std::string& entry) { return compare(entry, text) == 0; });
}

void MoveToEnd(std::vector<std::string>& entries, std::string_view group, const TextComparison& compare,
    bool addWhenMissing)
{
    const auto found = FindEntry(entries, group, compare);
    if (found == entries.end() && !addWhenMissing)
        return;
    if (found != entries.end())
        entries.erase(found);
    entries.emplace_back(group);
}

} // namespace

GroupList ArrangeGroupList(
    std::vector<std::string> groupNames, std::string_view rememberedGroup, const TextComparison& compare)
{
    GroupList list;
    list.entries = std::move(groupNames);
    SortNames(list.entries, compare);
    MoveToEnd(list.entries, MakerGroup, compare, false);
    MoveToEnd(list.entries, ProposedGroup, compare, true);
    list.selected = list.entries.size() - 1;
    // Nothing remembered selects nothing else, not an empty name that a
    // reply may hold.
    if (!rememberedGroup.empty()) {
        const auto remembered = FindEntry(list.entries, rememberedGroup, compare);
        if (remembered != list.entries.end())
            list.selected = static_cast<std::size_t>(remembered - list.entries.begin());
    }
    return list;
}
