#include "text/PathParts.h"

#include "text/YeNADDCUT.h"

namespace {

constexpr char Separator = '\\';

} // namespace

std::size_t FileNameStart(std::string_view path)
{
    std::size_t start = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (IsLeadByte(static_cast<unsigned char>(path[i])))
            ++i;
        else if (path[i] == Separator)
            start = i + 1;
    }
    return start;
}

std::string FileNamePart(std::string_view path)
{
    return std::string(path.substr(FileNameStart(path)));
}

std::string FolderPart(std::string_view path)
{
    return std::string(path.substr(0, FileNameStart(path)));
}

std::string DriveRoot(char letter)
{
    return { letter, ':', Separator };
}
