#include "setup/UninstallCopy.h"

#include "program/ProgramValues.h"
#include "setup/SetupTexts.h"
#include "setup/SetupValues.h"
#include "text/M_Case.h"
#include "text/PathParts.h"

#include <utility>

namespace {

constexpr int DosDateShift = 16;
constexpr std::string_view OriginalFileNameKey = "OriginalFilename";
// A version resource's entries lie on 4-byte boundaries; an entry's key
// follows its three 16-bit words.
constexpr std::size_t EntryAlignment = 4;
constexpr std::size_t EntryKeyOffset = 6;
constexpr char LeftItemSeparator = '\t';
constexpr std::string_view KeepFoldersFlag = "n";

} // namespace

std::int32_t PackedDosStamp(std::uint16_t dosDate, std::uint16_t dosTime)
{
    return static_cast<std::int32_t>((static_cast<std::uint32_t>(dosDate) << DosDateShift) | dosTime);
}

bool UninstallCopyNeedsRefresh(const ExistingUninstallCopy& copy, std::int32_t programStamp)
{
    if (copy.ofThisProgram)
        return !copy.sameBytes;
    return copy.stamp == 0 || copy.stamp > programStamp;
}

bool VersionResourceNamesFile(std::string_view resource, std::string_view fileName)
{
    // Every text of a version resource is UTF-16 whatever its block's code
    // page; each entry starts on a 4-byte boundary with three 16-bit words,
    // and its value follows the key padded to the next 4-byte boundary.
    // The end of the text, the zero included, or 0 when it is not there.
    auto textEnd = [&](std::size_t at, std::string_view text) -> std::size_t {
        for (std::size_t i = 0; i <= text.size(); ++i, at += 2) {
            const char expected = i < text.size() ? text[i] : '\0';
            if (at + 1 >= resource.size() || resource[at] != expected || resource[at + 1] != '\0')
                return 0;
        }
        return at;
    };
    for (std::size_t at = EntryKeyOffset; at < resource.size(); at += EntryAlignment) {
        const std::size_t keyEnd = textEnd(at, OriginalFileNameKey);
        if (keyEnd != 0 && textEnd((keyEnd + EntryAlignment - 1) & ~(EntryAlignment - 1), fileName) != 0)
            return true;
    }
    return false;
}

std::string UninstallCopyCommandLine(std::string_view copyPath)
{
    std::string commandLine = "\"";
    commandLine.append(copyPath).append("\" \"").append(DeleteFileSwitch).append("\"");
    return commandLine;
}

std::optional<Handover> TakeHandover(HandoverStore& store)
{
    std::optional<Handover> handover;
    for (const RegistryRoot root : { RegistryRoot::CurrentUser, RegistryRoot::Users }) {
        std::optional<Handover> found = store.Read(root);
        if (!found)
            continue;
        // Both go: a stale key left in the other place would start a
        // later copy on an old file.
        store.Delete(root);
        if (!handover)
            handover = std::move(found);
    }
    return handover;
}

std::optional<UninstallRefusal> RefuseUninstallation(std::string_view programPath, bool deletionDenied)
{
    if (!NamesTheProgramsOwnFile(programPath))
        return UninstallRefusal { RenamedProgramText, 0 };
    if (deletionDenied)
        return UninstallRefusal { AdministratorNeededText, UninstallNeedsAdministratorExitCode };
    return std::nullopt;
}

bool IsDrivePath(std::string_view path)
{
    // A letter in either case: setting bit 5 makes an upper-case one lower.
    const char letter = path.size() < 3 ? '\0' : static_cast<char>(path[0] | ' ');
    return letter >= 'a' && letter <= 'z' && path[1] == ':' && path[2] == '\\';
}

bool NamesTheProgramsOwnFile(std::string_view path)
{
    return CaseConvert(FileNamePart(path), false) == ProgramFileNames()[0];
}

UninstallCopyStart DecideUninstallCopyStart(
    const std::optional<Handover>& handover, std::string_view argument1)
{
    UninstallCopyStart start;
    start.caption = handover && !handover->title.empty() ? handover->title : UninstallMarker();
    const std::string_view file = handover ? std::string_view(handover->file) : std::string_view();
    if (argument1 != DeleteFileSwitch || !NamesTheProgramsOwnFile(file)) {
        start.caption = UninstallMarker();
        return start;
    }
    start.valid = true;
    start.file = file;
    start.folderWithBackslash = FolderPart(file);
    start.removeFolders = handover->rmDir != KeepFoldersFlag;
    start.remains = SplitRemains(handover->left);
    start.leftItems = SplitLeftItems(handover->leftLinks);
    return start;
}

std::string IncompleteUninstallText(const std::vector<std::string>& remains)
{
    std::string text(IncompleteUninstallHead);
    for (const std::string& remaining : remains)
        text.append("\n").append(remaining);
    return text;
}

std::string JoinRemains(const std::vector<std::string>& remains)
{
    std::string joined;
    for (const std::string& remaining : remains) {
        if (!joined.empty())
            joined += '\n';
        joined += remaining;
    }
    return joined;
}

std::vector<std::string> SplitRemains(std::string_view joined)
{
    std::vector<std::string> remains;
    while (!joined.empty()) {
        const std::size_t end = joined.find('\n');
        if (end != 0)
            remains.emplace_back(joined.substr(0, end));
        if (end == std::string_view::npos)
            break;
        joined.remove_prefix(end + 1);
    }
    return remains;
}

std::string JoinLeftItems(const std::vector<LeftItem>& items)
{
    std::string joined;
    for (const LeftItem& item : items)
        joined.append(item.shortcut).append(1, LeftItemSeparator).append(item.name).append(1, '\n');
    return joined;
}

std::vector<LeftItem> SplitLeftItems(std::string_view joined)
{
    std::vector<LeftItem> items;
    for (const std::string& line : SplitRemains(joined)) {
        const std::size_t separator = line.find(LeftItemSeparator);
        if (separator != std::string::npos)
            items.push_back({ line.substr(separator + 1), line.substr(0, separator) });
    }
    return items;
}
