#include "tray/WatchList.h"

#include "gui/TrayTip.h"
#include "text/CharacterCut.h"
#include "text/M_Case.h"
#include "text/YeNADDCUT.h"

#include <algorithm>

namespace {

constexpr std::string_view ReasonOpen = "（";
constexpr std::string_view ReasonClose = " 実行中）";

} // namespace

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

bool WatchListHas(const WatchList& list, std::string_view name)
{
    return std::any_of(list.begin(), list.end(),
        [name](const std::string& listed) { return SameProgramName(listed, name); });
}

WatchList ParseWatchList(const SettingValue& value)
{
    WatchList list;
    if (value.kind != SettingValue::Kind::Text)
        return list;
    std::string_view rest = value.text;
    while (!rest.empty() && list.size() < WatchListLimit) {
        const std::size_t end = std::min(rest.find(WatchSeparator), rest.size());
        const std::string_view name = rest.substr(0, end);
        if (UsableWatchName(name) && !WatchListHas(list, name))
            list.emplace_back(name);
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
    const auto listed = std::find_if(
        list.begin(), list.end(), [name](const std::string& entry) { return SameProgramName(entry, name); });
    if (listed != list.end())
        list.erase(listed);
    else if (list.size() < WatchListLimit && UsableWatchName(name))
        list.emplace_back(name);
}

std::string FirstRunningWatched(const WatchList& list, const std::vector<std::string>& running)
{
    for (const std::string& name : list)
        if (WatchListHas(running, name))
            return name;
    return {};
}

std::string WatchReason(std::string_view base, std::string_view name)
{
    const std::size_t room = TrayTipFieldSize - 1;
    const std::size_t frame = base.size() + ReasonOpen.size() + ReasonClose.size();
    std::string reason(ReasonOpen);
    reason += CutWholeCharacters(name, room > frame ? room - frame : 0);
    reason += ReasonClose;
    return reason;
}
