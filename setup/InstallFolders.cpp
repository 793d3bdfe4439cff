#include "setup/InstallFolders.h"

#include "setup/SetupTexts.h"
#include "setup/SetupValues.h"
#include "text/PathParts.h"
#include "text/YeNADDCUT.h"

#include <array>

namespace {

constexpr char Separator = '\\';

// The system's path buffers hold MAX_PATH bytes with the terminating zero.
// A folder must leave room for an 8.3 file name in it, or CreateDirectory
// refuses it.
constexpr std::size_t MaxPathBytes = 260;
constexpr std::size_t ShortFileNameBytes = 12;
constexpr std::size_t MaxFolderBytes = MaxPathBytes - ShortFileNameBytes;

constexpr std::string_view SystemAndAdministrators = "D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)";
constexpr std::string_view UsersRead = "(A;OICI;0x1200a9;;;BU)";

using ProgramFiles = std::array<std::string, ProgramFileCount>;

// The highest of the existing levels, from the deepest up, that may get its
// list: each holds nothing but the next level (the program's folder nothing
// but the program's files) and is the user's.  Given to a level, a list
// reaches everything below it that inherits, so a level that holds anything
// else ends the chain.  The drive root never gets one.
std::size_t OwnChainTop(const std::vector<std::string>& levels, const std::vector<FolderRights>& rights,
    std::size_t existing, const ProgramFiles& names, FolderLevelSystem& system)
{
    std::size_t top = existing;
    while (top > 1 && OwnedByInstallingUser(rights[top - 1], system.user)) {
        const std::string next = top < levels.size() ? FileNamePart(levels[top]) : std::string();
        if (!system.HoldsOnly(levels[top - 1],
                top < levels.size() ? std::span(&next, 1) : std::span<const std::string>(names)))
            break;
        --top;
    }
    return top;
}

// The first existing level below the drive root that others may change
// and that gets no list here (or the number of levels that exist).  The
// program's files, read after the levels, count for its folder.
std::size_t FirstChangeable(const std::vector<FolderRights>& rights, std::size_t top, std::size_t existing)
{
    for (std::size_t level = 1; level < existing; ++level)
        if (level < top && ChangeableByOthers(rights[level], rights[level - 1]))
            return level;
    for (std::size_t file = existing; file < rights.size(); ++file)
        if (rights[file].readable && rights[file].owner == Owner::Other)
            return existing - 1;
    return existing;
}

} // namespace

std::vector<std::string> InstallFolderLevels(std::string_view folderWithBackslash)
{
    std::vector<std::string> levels;
    std::string running;
    std::size_t position = 0;
    std::size_t levelStart = 0;
    while (position < folderWithBackslash.size()) {
        const unsigned char byte = static_cast<unsigned char>(folderWithBackslash[position]);
        ++position;
        if (IsLeadByte(byte)) {
            // The second byte is never looked at: it may be 0x5C.  A lead
            // byte at the very end has none.
            if (position < folderWithBackslash.size())
                ++position;
        } else if (byte == Separator) {
            running.append(folderWithBackslash.substr(levelStart, position - levelStart));
            levelStart = position;
            levels.push_back(levels.empty() ? running : YenCut(running));
        }
    }
    return levels;
}

std::size_t RemoveFolderLevels(
    const std::vector<std::string>& levels, const Callback<bool(const std::string&)>& removeFolder)
{
    std::size_t removed = 0;
    for (auto level = levels.rbegin(); level != levels.rend() && removeFolder(*level); ++level)
        ++removed;
    return removed;
}

bool FolderFitsPathBuffers(std::string_view folderWithBackslash, std::string_view longestFileName)
{
    return YenCut(folderWithBackslash).size() < MaxFolderBytes
        && folderWithBackslash.size() + longestFileName.size() < MaxPathBytes;
}

std::string OwnersFolderList(std::string_view userSid)
{
    // 0x1200a9: read, execute and list, without any right to write.
    return std::string(SystemAndAdministrators)
        .append("(A;OICI;FA;;;")
        .append(userSid)
        .append(")")
        .append(UsersRead);
}

std::string LevelList(const InstallingUser& user, bool installFolder)
{
    if (user.elevated)
        return std::string(SystemAndAdministrators).append(UsersRead);
    if (installFolder)
        return OwnersFolderList(user.sid);
    // 0x1300ad: read, execute and list, add a folder, delete.
    return std::string(SystemAndAdministrators)
        .append("(A;;0x1300ad;;;")
        .append(user.sid)
        .append(")")
        .append(UsersRead)
        .append("(A;;0x1200a9;;;OW)");
}

Result<bool> MakeFolderLevels(const std::vector<std::string>& levels, FolderPlan plan,
    FolderLevelSystem& system, const FolderQuestions& ask)
{
    // The levels that exist come first, those made here right after them.
    std::size_t existing = 0;
    while (existing < levels.size() && system.Exists(levels[existing]))
        ++existing;
    // Run from the program's folder, the installer leaves the files there as
    // they are, and the owner of a file may always give themselves the right
    // to write it again: they are read after the levels.
    const ProgramFiles names = ProgramFileNames();
    std::vector<FolderRights> rights(
        existing + (plan.inPlace && existing == levels.size() ? InstalledFileCount : 0));
    for (std::size_t i = 0; i < rights.size(); ++i)
        rights[i]
            = system.Rights(i < existing ? levels[i] : YenAdd(levels.back()).append(names[i - existing]));
    const std::size_t top
        = plan.earlierInstallation ? OwnChainTop(levels, rights, existing, names, system) : existing;
    const std::size_t changeable = FirstChangeable(rights, top, existing);
    if (changeable < existing && !ask.changeableLevel(levels[changeable]))
        return false;
    if (existing < levels.size() && !ask.createLevels())
        return false;

    const std::string lists[] { LevelList(system.user, false), LevelList(system.user, true) };
    auto list = [&](std::size_t level) -> const std::string& { return lists[level + 1 == levels.size()]; };
    std::size_t made = existing;
    while (made < levels.size() && system.CreateWithList(levels[made], list(made)))
        ++made;
    // A level that others cannot change keeps its list when it refuses this
    // one: those above a standard user's program folder do not let their
    // owner change it.
    std::size_t given = top;
    while (made == levels.size() && given < existing
        && (system.GiveList(levels[given], list(given))
            || !ChangeableByOthers(rights[given], rights[given - 1])))
        ++given;
    if (given == existing && made == levels.size())
        return true;
    for (std::size_t i = given; i-- > top;)
        system.GiveList(levels[i], rights[i].list);
    const std::size_t refused = made < levels.size() ? made : given;
    while (made > existing && system.Remove(levels[made - 1]))
        --made;
    return Failure { std::string("[ ").append(levels[refused]).append(CreateFolderFailedText) };
}
