#include "tray/WatchMenu.h"

#include "text/CharacterCut.h"

namespace {

constexpr std::string_view FullWidthBlank = "　";

const WindowedProgram* FirstWindowOf(const std::vector<WindowedProgram>& windows, std::string_view name)
{
    for (const WindowedProgram& window : windows)
        if (SameProgramName(window.file, name))
            return &window;
    return nullptr;
}

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

std::string WatchMenuCaption(const std::string& name, const std::vector<WindowedProgram>& windows)
{
    std::string caption;
    AppendShown(caption, name);
    if (const WindowedProgram* window = FirstWindowOf(windows, name)) {
        caption += FullWidthBlank;
        AppendShown(caption, FirstCharacters(window->title, WatchTitleCharacters));
    }
    return caption;
}

WatchList WatchMenuNames(const WatchList& watched, const std::vector<WindowedProgram>& windows,
    std::string_view ownName, const NameComparison& compare)
{
    WatchList names(watched);
    for (const WindowedProgram& window : windows)
        if (UsableWatchName(window.file) && !WatchListHas(names, window.file)
            && !SameProgramName(window.file, ShellProgramName) && !SameProgramName(window.file, ownName))
            names.push_back(window.file);
    // The watched names before the others, each part in the given order.
    SortNames(names, [&watched, &compare](std::string_view a, std::string_view b) {
        const bool first = WatchListHas(watched, a);
        return first != WatchListHas(watched, b) ? (first ? -1 : 1) : compare(a, b);
    });
    while (names.size() > WatchMenuLimit)
        names.pop_back();
    return names;
}
