#include "tray/WatchMenu.h"

#include "text/CharacterCut.h"

namespace {

constexpr std::string_view FullWidthBlank = "　";

// "&" makes the next character the item's shortcut key; "&&" shows one.
// No second byte of a code page 932 character is 0x26, so every such byte
// is an ampersand.
void AppendShown(std::string& caption, std::string_view text)
{
    for (const char c : text) {
        caption += c;
        if (c == '&')
            caption += '&';
    }
}

} // namespace

std::string WatchMenuCaption(const std::string& name, const WindowList& windows)
{
    std::string caption;
    AppendShown(caption, name);
    if (const std::size_t at = WatchListIndex(windows.files, name); at < windows.titles.size()) {
        caption += FullWidthBlank;
        AppendShown(caption, FirstCharacters(windows.titles[at], WatchTitleCharacters));
    }
    return caption;
}

WatchList WatchMenuNames(const WatchList& watched, const WindowList& windows, std::string_view ownName,
    const NameComparison& compare)
{
    WatchList names(watched);
    for (const std::string& file : windows.files)
        if (UsableWatchName(file) && !WatchListHas(names, file) && !SameProgramName(file, ShellProgramName)
            && !SameProgramName(file, ownName))
            names.push_back(file);
    // The watched names before the others, each part in the given order.
    SortNames(names, [&watched, &compare](std::string_view a, std::string_view b) {
        const bool first = WatchListHas(watched, a);
        return first != WatchListHas(watched, b) ? (first ? -1 : 1) : compare(a, b);
    });
    while (names.size() > WatchMenuLimit)
        names.pop_back();
    return names;
}
