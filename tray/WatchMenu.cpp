#include "tray/WatchMenu.h"

#include "text/CharacterCut.h"
#include "text/YeNADDCUT.h"

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
// The walk goes by characters: a second byte of 0x26 is no ampersand.
void AppendShown(std::string& caption, std::string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        caption += text[i];
        if (IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size())
            caption += text[++i];
        else if (text[i] == '&')
            caption += '&';
    }
}

WatchMenuEntry EntryFor(const std::string& name, const std::vector<WindowedProgram>& windows, bool watched)
{
    WatchMenuEntry entry { name, {}, watched };
    AppendShown(entry.caption, name);
    if (const WindowedProgram* window = FirstWindowOf(windows, name)) {
        entry.caption += FullWidthBlank;
        AppendShown(entry.caption, FirstCharacters(window->title, WatchTitleCharacters));
    }
    return entry;
}

} // namespace

std::vector<WatchMenuEntry> WatchMenuEntries(const WatchList& watched,
    const std::vector<WindowedProgram>& windows, std::string_view ownName, const NameComparison& compare)
{
    std::vector<std::string> watchedNames(watched);
    std::vector<std::string> others;
    for (const WindowedProgram& window : windows)
        if (!WatchListHas(watched, window.file) && !WatchListHas(others, window.file)
            && !SameProgramName(window.file, ShellProgramName) && !SameProgramName(window.file, ownName))
            others.push_back(window.file);
    SortNames(watchedNames, compare);
    SortNames(others, compare);

    std::vector<WatchMenuEntry> entries;
    for (const std::string& name : watchedNames)
        if (entries.size() < WatchMenuLimit)
            entries.push_back(EntryFor(name, windows, true));
    for (const std::string& name : others)
        if (entries.size() < WatchMenuLimit)
            entries.push_back(EntryFor(name, windows, false));
    return entries;
}
