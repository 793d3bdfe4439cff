#include "tray/WatchList.h"

#include "text/M_Case.h"
#include "text/YeNADDCUT.h"

#include <algorithm>

bool UsableWatchName(std::string_view name)
{
    // A double-byte character's second byte may be 0x5C; the path marks are
    // looked for in whole characters only.
    if (name.empty() || name.size() > WatchNameLimit)
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (IsLeadByte(static_cast<unsigned char>(name[i])))
            ++i;
        else if (name[i] == '\\' || name[i] == '/' || name[i] == ':')
            return false;
    }
    return true;
}

bool SameProgramName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (IsLeadByte(static_cast<unsigned char>(a[i])) && i + 1 < a.size()) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1])
                return false;
            ++i;
        } else if (LowerAscii(a[i]) != LowerAscii(b[i])) {
            return false;
        }
    }
    return true;
}

std::size_t WatchListIndex(const WatchList& list, std::string_view name)
{
    std::size_t at = 0;
    while (at < list.size() && !SameProgramName(list[at], name))
        ++at;
    return at;
}

bool WatchListHas(const WatchList& list, std::string_view name)
{
    return WatchListIndex(list, name) < list.size();
}

namespace {

// Adds a name the list can hold and does not hold yet, while it has room.
void AddWatched(WatchList& list, std::string_view name)
{
    if (list.size() < WatchListLimit && UsableWatchName(name) && !WatchListHas(list, name))
        list.push_back(std::string(name));
}

} // namespace

WatchList ParseWatchList(const SettingValue& value)
{
    WatchList list;
    if (value.kind != SettingValue::Kind::Text)
        return list;
    std::string_view rest = value.text;
    while (!rest.empty() && list.size() < WatchListLimit) {
        const std::size_t end = std::min(rest.find(WatchSeparator), rest.size());
        const std::string_view name = rest.substr(0, end);
        AddWatched(list, name);
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    return list;
}

std::string WatchListText(const WatchList& list)
{
    std::string text;
    for (const std::string& name : list) {
        if (!text.empty())
            text += WatchSeparator;
        text += name;
    }
    return text;
}

void ToggleWatched(WatchList& list, std::string_view name)
{
    if (const std::size_t at = WatchListIndex(list, name); at < list.size())
        list.erase(list.begin() + static_cast<std::ptrdiff_t>(at));
    else
        AddWatched(list, name);
}
