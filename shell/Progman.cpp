#include "shell/Progman.h"

#include "text/M_Case.h"
#include "text/PathParts.h"
#include "text/YeNADDCUT.h"

#include <utility>

namespace {

// Group names may hold any byte from 20 up, which takes in both bytes of
// every double-byte character; the threshold is not the usual 32.
constexpr unsigned char FirstNameByte = 20;

constexpr std::string_view CommandEnd = ")]\r\n";

constexpr std::string_view ShortcutExtension = ".lnk";

constexpr std::size_t MaxGroupNameBytes = 255;

// FAT keeps write times in two-second steps.
constexpr std::uint64_t FileTimeStep = 2 * 10'000'000ULL;

bool IsNameByte(char byte)
{
    return static_cast<unsigned char>(byte) >= FirstNameByte;
}

std::string Command(std::string_view opening, std::string_view argument, std::string_view closing)
{
    std::string command;
    command.reserve(opening.size() + argument.size() + closing.size());
    command.append(opening).append(argument).append(closing);
    return command;
}

} // namespace

std::vector<std::string> SplitGroupNames(std::string_view reply)
{
    // A reply without its terminating zero ends at its size, never beyond.
    const std::string_view text = reply.substr(0, reply.find('\0'));
    std::vector<std::string> names;
    std::size_t position = 0;
    while (position < text.size()) {
        const std::size_t start = position;
        while (position < text.size() && IsNameByte(text[position]))
            ++position;
        names.emplace_back(text.substr(start, position - start));
        while (position < text.size() && !IsNameByte(text[position]))
            ++position;
    }
    return names;
}

std::string ItemShortcutPath(std::string_view folder, std::string_view itemTitle)
{
    if (folder.empty())
        return {};
    std::string path = YenAdd(folder);
    path.append(itemTitle).append(ShortcutExtension);
    return path;
}

ProgmanEffect ExpectedEffect(ProgmanEffectKind kind, std::string_view programsFolder, std::string_view group,
    std::string_view itemTitle)
{
    if (kind == ProgmanEffectKind::None || programsFolder.empty() || group.empty())
        return {};
    std::string groupFolder = YenAdd(programsFolder).append(group);
    if (kind == ProgmanEffectKind::GroupMade)
        return { kind, std::move(groupFolder) };
    if (itemTitle.empty())
        return {};
    return { kind, ItemShortcutPath(groupFolder, itemTitle) };
}

bool EffectShown(const ProgmanEffect& effect, const PathState& state, std::uint64_t sentAt)
{
    if (effect.path.empty())
        return false;
    switch (effect.kind) {
    case ProgmanEffectKind::GroupMade:
        return state.exists && state.folder;
    case ProgmanEffectKind::ItemWritten:
        return state.exists && !state.folder && state.lastWrite + FileTimeStep >= sentAt;
    case ProgmanEffectKind::ItemGone:
        return !state.exists;
    case ProgmanEffectKind::None:
        break;
    }
    return false;
}

std::string StartupGroupFrom(
    const SettingValue& mapped, std::string_view startupFolder, std::string_view programsFolder)
{
    if (mapped.kind == SettingValue::Kind::WrongType)
        return {};
    if (!mapped.text.empty())
        return mapped.text.size() > MaxGroupNameBytes ? std::string() : mapped.text;
    const std::string startup = YenCut(startupFolder);
    const std::string programs = YenCut(programsFolder);
    const std::size_t nameStart = FileNameStart(startup);
    if (programs.empty() || nameStart == 0 || nameStart == startup.size())
        return {};
    const std::string_view parent = std::string_view(startup).substr(0, nameStart - 1);
    if (CaseLower(parent) != CaseLower(programs))
        return {};
    return startup.substr(nameStart);
}

std::string CreateGroupCommand(std::string_view group)
{
    return Command("[CreateGroup(", group, CommandEnd);
}

std::string ShowGroupCommand(std::string_view group)
{
    return Command("[ShowGroup(", group, ",1)]\r\n");
}

std::string AddItemCommand(std::string_view programPath, std::string_view quotedTitle)
{
    return Command("[AddItem(\"", programPath, "\",").append(quotedTitle).append(CommandEnd);
}

std::string DeleteItemCommand(std::string_view quotedTitle)
{
    return Command("[DeleteItem(", quotedTitle, CommandEnd);
}

std::string QuotedItemTitle(std::string_view itemTitle)
{
    return Command("\"", itemTitle, "\"");
}
