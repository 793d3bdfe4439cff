#pragma once

// The drive and folder listing behind the browser window: fills the drive
// list, the folder list (the current folder's path, then its subfolders) and
// the file list, moves between drives and folders, remembers the last folder
// of each drive and falls back step by step from drives and folders that
// cannot be read, telling the user in the timed message box.  Every name it
// shows, and the folder it reports, is in lower case.

#include "base/Result.h"
#include "browser/FolderPath.h"
#include "browser/ListingWorld.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the listing keeps for the whole process, from one showing of the
// browser to the next.
struct ListingMemory {
    std::string currentFolder; // lower case, no trailing separator but a root's
    std::size_t currentIndex = 0; // the current folder's own entry
    std::string fileListFolder; // the folder of the last file list; empty at first
};

// Shown when neither a folder nor the fallbacks behind it can be listed.
inline constexpr std::string_view RecoveryFailedMessage
    = "エラー回避に失敗しました\n別のドライブか、フォルダーを選択してみて下さい";

// The file masks of the file list, separated by ";".
inline constexpr const char* FileMasks = "*.*";

// The entries one search found, and its pattern.
struct FoundEntries {
    std::string pattern;
    std::vector<FoundEntry> entries;
};

// How many recoveries may run inside one another.  The first falls back to
// the folder of the file list, the second, inside it, to the root of the
// Windows drive; a third would mean that drive fails too, and would go round
// for ever.
inline constexpr int MaxRecoveryDepth = 2;

class Listing {
public:
    // `windowsFolder`: the Windows directory with its trailing separator;
    // its drive's root is the last resort of every recovery.
    Listing(FileSystemQuery& files, ListingView& view, ListingMemory& memory, std::string windowsFolder);

    // Lists the drives and selects the entry of `programDrive`.
    void FillDrives(char programDrive);
    // Lists `path` and selects its drive; fails when the folder cannot be
    // made current or its drive has no entry, and then lists nothing.  The
    // failure has no text: each caller says what failed in its own words.
    Result<> GoToFolder(const std::string& path);
    // Switches the listing to the drive; reports and recovers from errors.
    void SelectDrive(char letter);
    // The user chose the drive list's entry `index`.
    void DriveChosen(std::size_t index);
    // The user chose the folder list's entry `index`.
    void OpenFolderEntry(std::size_t index);
    // Builds both lists for `path`; reports and recovers from errors.
    void ShowFolder(const std::string& path);
    // Tries `path`, then the Windows drive's root, then gives up with a
    // message.
    void RecoverListing(const std::string& path);

    const std::string& CurrentFolder() const { return memory_.currentFolder; }
    const std::vector<DriveEntry>& Drives() const { return drives_; }
    std::optional<std::size_t> SelectedDrive() const { return selectedDrive_; }
    const std::vector<FolderEntry>& Folders() const { return folders_; }
    const RememberedFolders& Remembered() const { return remembered_; }
    // Releases the per-drive memory when the window closes.
    void ForgetFolders() { remembered_.Clear(); }

private:
    // These fail with the message the user is shown; Search fails without
    // one, its callers naming the list it was for.
    Result<> UpdateDriveItem(char letter);
    std::string VolumeLabelText(char letter) const;
    std::string NetworkNameText(char letter) const;
    Result<> DriveReady(char letter) const;
    Result<> BuildFolderList(const std::string& path);
    Result<> BuildFileList(const std::string& folder);
    Result<std::vector<std::string>> Search(const std::string& pattern, EntryKind kind);
    std::string FallbackRoot() const;
    void SelectDriveEntry(std::optional<std::size_t> index);

    FileSystemQuery& files_;
    ListingView& view_;
    ListingMemory& memory_;
    std::string fallbackFolder_;
    RememberedFolders remembered_;
    std::vector<DriveEntry> drives_;
    std::optional<std::size_t> selectedDrive_;
    std::vector<FolderEntry> folders_;
    int recoveryDepth_ = 0;
    std::optional<FoundEntries> lastSearch_;
};
