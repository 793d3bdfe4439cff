#include "setup/HeldFolderLevels.h"

#include "setup/LevelHold.h"

static_assert(LevelFolderAttribute == FILE_ATTRIBUTE_DIRECTORY);
static_assert(LevelLinkAttribute == FILE_ATTRIBUTE_REPARSE_POINT);

std::optional<std::string> HeldFolderLevels::Hold(const std::vector<std::string>& levels)
{
    auto open = [this](const std::string& level) {
        // A handle with attribute rights alone takes no part in sharing and
        // would not keep the level from being renamed; traversing does.  The
        // flags open a link itself instead of what it names.
        UniqueHandle handle(CreateFileA(level.c_str(), FILE_TRAVERSE | FILE_READ_ATTRIBUTES,
            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
            FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        const DWORD error = GetLastError();
        BY_HANDLE_FILE_INFORMATION information {};
        LevelFound found;
        found.opened = handle && GetFileInformationByHandle(handle.Get(), &information);
        found.missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        found.attributes = information.dwFileAttributes;
        const LevelOpening opening = JudgeLevel(found);
        if (opening == LevelOpening::Held) {
            levels_.push_back(level);
            handles_.push_back(std::move(handle));
        }
        return opening;
    };
    const LevelWalk walk = WalkLevels(levels, handles_.size(), open);
    if (!walk.refused)
        return std::nullopt;
    return levels[walk.held];
}

bool HeldFolderLevels::Remove(const std::string& level)
{
    // The levels above stay held, so the name still leads where it did; and
    // in the level's place RemoveDirectoryA would remove a link itself, not
    // follow it.
    if (!levels_.empty() && levels_.back() == level) {
        levels_.pop_back();
        handles_.pop_back();
    }
    return RemoveDirectoryA(level.c_str()) != FALSE;
}

void HeldFolderLevels::Release()
{
    handles_.clear();
    levels_.clear();
}

HandleDeletion DeleteFileByHandle(const std::string& path)
{
    const UniqueHandle file(CreateFileA(path.c_str(), DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
        FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    BY_HANDLE_FILE_INFORMATION information {};
    if (!file || !GetFileInformationByHandle(file.Get(), &information))
        return HandleDeletion::Refused;
    if ((information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
        return HandleDeletion::Link;
    // The system refuses to delete a read-only file.  Zero times leave the
    // dates as they are, and zero attributes would leave those too: the
    // normal bit keeps them from being zero and is dropped beside others.
    if ((information.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0) {
        FILE_BASIC_INFO basic {};
        basic.FileAttributes = (information.dwFileAttributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY))
            | FILE_ATTRIBUTE_NORMAL;
        SetFileInformationByHandle(file.Get(), FileBasicInfo, &basic, sizeof basic);
    }
    FILE_DISPOSITION_INFO disposition { TRUE };
    return SetFileInformationByHandle(file.Get(), FileDispositionInfo, &disposition, sizeof disposition)
        ? HandleDeletion::Deleted
        : HandleDeletion::Refused;
}
