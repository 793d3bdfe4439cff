#include "setup/InstallFolders.h"

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
