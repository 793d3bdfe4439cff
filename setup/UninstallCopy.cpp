#include "setup/UninstallCopy.h"

#include "program/ProgramValues.h"
#include "setup/SetupTexts.h"
#include "setup/SetupValues.h"
#include "text/M_Case.h"
#include "text/PathParts.h"

#include <utility>

namespace {

constexpr int DosDateShift = 16;
constexpr std::string_view KeepFoldersFlag = "n";

// A drive path (C:\...) or a network path (\\server\...): a relative
// "File" would be taken in whatever folder the copy runs in.
bool IsFullPath(std::string_view path)
{
    const bool drivePath = path.size() >= 3 && path[1] == ':' && path[2] == '\\';
    return drivePath || path.starts_with("\\\\");
}

} // namespace

std::int32_t PackedDosStamp(std::uint16_t dosDate, std::uint16_t dosTime)
{
    return static_cast<std::int32_t>((static_cast<std::uint32_t>(dosDate) << DosDateShift) | dosTime);
}

bool UninstallCopyNeedsRefresh(std::int32_t copyStamp, std::int32_t programStamp)
{
    return copyStamp == 0 || copyStamp > programStamp;
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
    if (argument1 != DeleteFileSwitch || !IsFullPath(file) || !NamesTheProgramsOwnFile(file)) {
        start.caption = UninstallMarker();
        return start;
    }
    start.valid = true;
    start.file = file;
    start.folderWithBackslash = FolderPart(file);
    start.removeFolders = handover->rmDir != KeepFoldersFlag;
    start.remains = SplitRemains(handover->left);
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
