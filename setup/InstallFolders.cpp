#include "setup/InstallFolders.h"

#include "setup/SetupTexts.h"
#include "text/YeNADDCUT.h"

namespace {

constexpr char Separator = '\\';

// The system's path buffers hold MAX_PATH bytes with the terminating zero.
// A folder must leave room for an 8.3 file name in it, or CreateDirectory
// refuses it.
constexpr std::size_t MaxPathBytes = 260;
constexpr std::size_t ShortFileNameBytes = 12;
constexpr std::size_t MaxFolderBytes = MaxPathBytes - ShortFileNameBytes;

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
    return std::string("D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FA;;;")
        .append(userSid)
        .append(")(A;OICI;0x1200a9;;;BU)");
}

Result<bool> MakeFolderLevels(const std::vector<std::string>& levels, bool earlierInstallation,
    FolderLevelSystem& system, const Callback<bool()>& confirm)
{
    // The levels that exist come first, those made here right after them.
    std::size_t existing = 0;
    while (existing < levels.size() && system.Exists(levels[existing]))
        ++existing;
    if (existing < levels.size() && !confirm())
        return false;
    std::size_t made = existing;
    while (made < levels.size() && system.CreateWithList(levels[made]))
        ++made;
    std::size_t refused = made;
    if (refused == levels.size() && earlierInstallation) {
        // Another user who may rename an unprotected parent could put a
        // folder of their own in its place, so the chain gets the list from
        // its top.
        std::size_t top = existing;
        while (top > 1 && system.OwnedByUser(levels[top - 1]))
            --top;
        while (top < existing && system.GiveList(levels[top]))
            ++top;
        if (top < existing)
            refused = top;
    }
    if (refused == levels.size())
        return true;
    while (made > existing && system.Remove(levels[made - 1]))
        --made;
    return Failure { std::string("[ ").append(levels[refused]).append(CreateFolderFailedText) };
}
