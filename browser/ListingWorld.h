#pragma once

// What the drive and folder listing stands on, as interfaces: the file
// system it asks and the browser window's controls it fills.  The Windows
// side implements both over the real calls and controls; the tests replace
// them, so that every decision of the listing runs without a window system.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The drive kinds that get an entry, by their drive-type numbers.
enum class DriveKind { Removable = 2, Fixed = 3, Network = 4, CdRom = 5, RamDisk = 6 };

std::optional<DriveKind> DriveKindOfType(unsigned driveType);

// Attribute bits of a found entry, as the file system reports them.
namespace FileAttribute {
inline constexpr std::uint32_t Hidden = 0x02;
inline constexpr std::uint32_t System = 0x04;
inline constexpr std::uint32_t VolumeLabel = 0x08;
inline constexpr std::uint32_t Directory = 0x10;
} // namespace FileAttribute

enum class EntryKind { Folder, File };

struct FoundEntry {
    std::string name;
    std::uint32_t attributes = 0;
};

class FileSystemQuery {
public:
    virtual ~FileSystemQuery() = default;
    // The drive-type number of the drive's root.
    virtual unsigned DriveType(char letter) const = 0;
    // The volume label; nullopt when the volume cannot be read.  Asked
    // without the system's critical-error box.
    virtual std::optional<std::string> VolumeLabel(char letter) const = 0;
    // The remote name of a connected network drive; nullopt otherwise.
    virtual std::optional<std::string> NetworkName(char letter) const = 0;
    // True when the drive answers a free-space query, asked without the
    // system's critical-error box.
    virtual bool DiskAnswers(char letter) const = 0;
    virtual bool SetCurrentFolder(const std::string& path) = 0;
    // The current folder on a drive ("X:" made a full path).
    virtual std::optional<std::string> CurrentFolderOfDrive(char letter) const = 0;
    // Every entry the pattern matches; an empty list when none does,
    // nullopt when the folder cannot be searched.
    virtual std::optional<std::vector<FoundEntry>> Find(const std::string& pattern) const = 0;
    // The locale's case-insensitive order of two names.
    virtual int CompareNames(std::string_view a, std::string_view b) const = 0;
};

struct DriveEntry {
    std::string text;
    DriveKind kind = DriveKind::Fixed;
    bool operator==(const DriveEntry&) const = default;
};

enum class FolderPicture { Open, Closed };

struct FolderEntry {
    std::string text; // as shown: at most MaxEntryBytes
    std::string name; // the whole name, for the path the entry opens
    FolderPicture picture = FolderPicture::Closed;
    int level = 0;
    bool operator==(const FolderEntry&) const = default;
};

// The browser window's lists and labels.  Selections made here are the
// program's own and trigger no navigation.
class ListingView {
public:
    virtual ~ListingView() = default;
    virtual void SetDrives(const std::vector<DriveEntry>& drives) = 0;
    virtual void SetDriveText(std::size_t index, std::string_view text) = 0;
    virtual void SelectDriveEntry(std::optional<std::size_t> index) = 0;
    // The count labels, painted at once: a placeholder stays on screen for
    // as long as the search behind it runs.
    virtual void SetFolderCount(std::string_view text) = 0;
    virtual void SetFileCount(std::string_view text) = 0;
    virtual void SetFolders(const std::vector<FolderEntry>& entries, std::size_t selected) = 0;
    virtual void RepaintFolders() = 0;
    // The names come sorted.
    virtual void SetFiles(const std::vector<std::string>& names) = 0;
    // Shows a message in the timed message box, with its countdown or
    // without, and returns when the box has closed.
    virtual void ShowMessage(std::string_view text, bool countdown) = 0;
};
