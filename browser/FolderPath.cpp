#include "browser/FolderPath.h"

#include "text/CharacterCut.h"
#include "text/M_Case.h"
#include "text/YeNADDCUT.h"

#include <algorithm>

namespace {

constexpr char Separator = '\\';

bool LeadAt(std::string_view text, std::size_t index)
{
    return IsLeadByte(static_cast<unsigned char>(text[index]));
}

} // namespace

// A run of lead bytes always starts on a character boundary of the forward
// walk, so the walk tells each 0x5C apart exactly as the backward count of
// lead bytes before it does.
std::vector<std::string> SplitFolderPath(std::string_view path)
{
    std::vector<std::string> components;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < path.size()) {
        if (LeadAt(path, i)) {
            i += 2;
            continue;
        }
        if (path[i] == Separator) {
            const std::size_t end = components.empty() ? i + 1 : i;
            components.emplace_back(path.substr(start, end - start));
            start = i + 1;
        }
        ++i;
    }
    if (start < path.size())
        components.emplace_back(path.substr(start));
    return components;
}

std::string CutEntryText(std::string_view name)
{
    return std::string(CutWholeCharacters(name, MaxEntryBytes));
}

std::optional<std::string> FolderEntryPath(
    const std::vector<std::string>& names, std::size_t currentIndex, std::size_t index)
{
    if (index >= names.size() || currentIndex >= names.size())
        return std::nullopt;
    const std::size_t last = std::min(index, currentIndex);
    std::string path = names[0];
    for (std::size_t i = 1; i <= last; ++i)
        path += names[i] + Separator;
    if (index > currentIndex)
        path += names[index] + Separator;
    return path;
}

char DriveOf(std::string_view path)
{
    return path.empty() ? '\0' : UpperAscii(path[0]);
}

void RememberedFolders::Remember(const std::string& path)
{
    const char drive = DriveOf(path);
    const auto same = std::find_if(folders_.begin(), folders_.end(),
        [drive](const std::string& folder) { return DriveOf(folder) == drive; });
    if (same != folders_.end())
        folders_.erase(same);
    folders_.push_back(path);
}

std::optional<std::string> RememberedFolders::Find(char driveLetter) const
{
    const char drive = UpperAscii(driveLetter);
    for (const std::string& folder : folders_) {
        if (DriveOf(folder) == drive)
            return folder;
    }
    return std::nullopt;
}

void SortUniqueNames(std::vector<std::string>& names, const NameComparison& compare)
{
    SortNames(names, compare);
    const auto equal = [&compare](const std::string& a, const std::string& b) { return compare(a, b) == 0; };
    names.erase(std::unique(names.begin(), names.end(), equal), names.end());
}
