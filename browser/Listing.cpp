#include "browser/Listing.h"

#include "base/DecimalText.h"
#include "text/M_Case.h"
#include "text/PathParts.h"
#include "text/YeNADDCUT.h"

#include <utility>

namespace {

constexpr char MaskSeparator = ';';
constexpr char CaseBit = 0x20;
constexpr char FirstDrive = 'A';
constexpr char LastDrive = 'Z';

constexpr char CountUnit[] = "ｺ";
constexpr std::string_view FolderCountPending = "---ｺ";
constexpr std::string_view FileCountPending = " ---ｺ";

constexpr std::string_view DriveErrorMessage = "ドライブ・エラー発生\n元のドライブに戻します";
constexpr std::string_view FolderErrorMessage = "フォルダー・エラー発生\nエラーを回避してみます。";
constexpr std::string_view FileListErrorMessage
    = "ファイルリスト・エラー発生\n別のドライブか、フォルダーを選択してみて下さい";

// A subfolder is listed when it is neither hidden nor system; a file when
// it is neither a folder nor a volume label, hidden and system files
// included.
bool Listed(const FoundEntry& entry, EntryKind kind)
{
    constexpr std::uint32_t hiddenOrSystem = FileAttribute::Hidden | FileAttribute::System;
    constexpr std::uint32_t notAFile = FileAttribute::Directory | FileAttribute::VolumeLabel;
    if (kind == EntryKind::File)
        return (entry.attributes & notAFile) == 0;
    return (entry.attributes & FileAttribute::Directory) != 0 && (entry.attributes & hiddenOrSystem) == 0
        && entry.name != "." && entry.name != "..";
}

char WithoutCaseBit(char c)
{
    return static_cast<char>(c & ~CaseBit);
}

std::vector<std::string_view> SplitMasks(std::string_view masks)
{
    std::vector<std::string_view> result;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = masks.find(MaskSeparator, start);
        result.push_back(masks.substr(start, end - start));
        if (end == std::string_view::npos)
            return result;
        start = end + 1;
    }
}

// Counts the recoveries running inside one another for as long as one runs.
class DepthGuard {
public:
    explicit DepthGuard(int& depth)
        : depth_(depth)
    {
        ++depth_;
    }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;
    ~DepthGuard() { --depth_; }

private:
    int& depth_;
};

// Forgets the kept search when a listing starts and when it ends.
class SearchReuse {
public:
    explicit SearchReuse(std::optional<FoundEntries>& kept)
        : kept_(kept)
    {
        kept_.reset();
    }
    SearchReuse(const SearchReuse&) = delete;
    SearchReuse& operator=(const SearchReuse&) = delete;
    ~SearchReuse() { kept_.reset(); }

private:
    std::optional<FoundEntries>& kept_;
};

} // namespace

std::optional<DriveKind> DriveKindOfType(unsigned driveType)
{
    if (driveType < static_cast<unsigned>(DriveKind::Removable)
        || driveType > static_cast<unsigned>(DriveKind::RamDisk))
        return std::nullopt;
    return static_cast<DriveKind>(driveType);
}

Listing::Listing(FileSystemQuery& files, ListingView& view, ListingMemory& memory, std::string windowsFolder)
    : files_(files)
    , view_(view)
    , memory_(memory)
    , fallbackFolder_(std::move(windowsFolder))
{
}

void Listing::FillDrives(char programDrive)
{
    drives_.clear();
    for (char letter = FirstDrive; letter <= LastDrive; ++letter) {
        if (const auto kind = DriveKindOfType(files_.DriveType(letter)))
            drives_.push_back({ { LowerAscii(letter), ':' }, *kind });
    }
    view_.SetDrives(drives_);
    std::optional<std::size_t> own;
    for (std::size_t i = 0; i < drives_.size() && !own; ++i) {
        if (UpperAscii(drives_[i].text[0]) == UpperAscii(programDrive))
            own = i;
    }
    SelectDriveEntry(own);
    // A program started from a path without a drive letter has no entry to
    // label; the browser still opens.
    // The entry's label only: the drive was found by its type a moment ago,
    // so a failure here has nothing to tell.
    if (own)
        static_cast<void>(UpdateDriveItem(programDrive));
}

Result<> Listing::UpdateDriveItem(char letter)
{
    const auto kind = DriveKindOfType(files_.DriveType(letter));
    if (!kind)
        return {};
    const std::string text = *kind == DriveKind::Network ? NetworkNameText(letter) : VolumeLabelText(letter);
    if (text.empty())
        return {};
    if (!selectedDrive_)
        return Failure { std::string(DriveErrorMessage) };
    const std::string label = NameLower(text);
    DriveEntry& entry = drives_[*selectedDrive_];
    entry.text.resize(1);
    entry.text += ':';
    entry.text += label;
    view_.SetDriveText(*selectedDrive_, entry.text);
    return {};
}

std::string Listing::VolumeLabelText(char letter) const
{
    std::string text = "[";
    if (const std::optional<std::string> label = files_.VolumeLabel(letter))
        text += *label;
    text += ']';
    return text;
}

std::string Listing::NetworkNameText(char letter) const
{
    if (auto remote = files_.NetworkName(UpperAscii(letter)))
        return std::move(*remote);
    return VolumeLabelText(letter);
}

Result<> Listing::DriveReady(char letter) const
{
    if (!files_.DiskAnswers(UpperAscii(letter)))
        return Failure { std::string(DriveErrorMessage) };
    return {};
}

void Listing::SelectDrive(char letter)
{
    Result<> ready = DriveReady(letter);
    if (ready)
        ready = UpdateDriveItem(letter);
    if (!ready) {
        view_.ShowMessage(ready.Message(), true);
        const std::string& last = memory_.fileListFolder;
        const bool ownDrive = last.empty() || UpperAscii(letter) == UpperAscii(last[0]);
        RecoverListing(ownDrive ? FallbackRoot() : last);
        return;
    }
    std::optional<std::string> folder = remembered_.Find(letter);
    if (!folder)
        folder = files_.CurrentFolderOfDrive(UpperAscii(letter));
    ShowFolder(folder.value_or(DriveRoot(letter)));
}

void Listing::DriveChosen(std::size_t index)
{
    if (index >= drives_.size())
        return;
    selectedDrive_ = index;
    SelectDrive(WithoutCaseBit(drives_[index].text[0]));
}

Result<> Listing::GoToFolder(const std::string& path)
{
    const std::string p = YenCut(path);
    if (p.empty() || !files_.SetCurrentFolder(p))
        return Failure {};
    remembered_.Remember(p);
    const char drive = WithoutCaseBit(p[0]);
    std::optional<std::size_t> entry;
    for (std::size_t i = 0; i < drives_.size() && !entry; ++i) {
        if (WithoutCaseBit(drives_[i].text[0]) == drive)
            entry = i;
    }
    if (!entry)
        return Failure {};
    SelectDriveEntry(entry);
    SelectDrive(p[0]);
    return {};
}

void Listing::RecoverListing(const std::string& path)
{
    if (recoveryDepth_ >= MaxRecoveryDepth) {
        view_.ShowMessage(RecoveryFailedMessage, false);
        return;
    }
    const DepthGuard guard(recoveryDepth_);
    if (GoToFolder(path) || GoToFolder(FallbackRoot()))
        return;
    view_.ShowMessage(RecoveryFailedMessage, false);
}

void Listing::ShowFolder(const std::string& path)
{
    // Both lists of one folder come from one search of "*.*"; the found
    // entries are kept for this listing only.
    const SearchReuse reuse(lastSearch_);
    if (const Result<> built = BuildFolderList(path); !built) {
        view_.ShowMessage(built.Message(), true);
        RecoverListing(path.empty() ? FallbackRoot() : DriveRoot(path[0]));
        return;
    }
    view_.RepaintFolders();
    if (const Result<> built = BuildFileList(memory_.currentFolder); !built)
        view_.ShowMessage(built.Message(), false);
}

void Listing::OpenFolderEntry(std::size_t index)
{
    std::vector<std::string> names;
    names.reserve(folders_.size());
    for (const FolderEntry& entry : folders_)
        names.push_back(entry.name);
    if (const auto path = FolderEntryPath(names, memory_.currentIndex, index))
        ShowFolder(*path);
}

Result<> Listing::BuildFolderList(const std::string& path)
{
    view_.SetFolderCount(FolderCountPending);
    std::string p = YenCut(path);
    if (p.empty() || !files_.SetCurrentFolder(p))
        return Failure { std::string(FolderErrorMessage) };
    p = NameLower(p);
    memory_.currentFolder = p;
    remembered_.Remember(p);
    p = YenAdd(p);

    Result<std::vector<std::string>> found = Search(p + "*.*", EntryKind::Folder);
    if (!found)
        return Failure { std::string(FolderErrorMessage) };
    std::vector<std::string>& subfolders = *found;
    SortUniqueNames(
        subfolders, [this](std::string_view a, std::string_view b) { return files_.CompareNames(a, b); });

    const std::vector<std::string> components = SplitFolderPath(p);
    std::vector<FolderEntry> entries;
    entries.reserve(components.size() + subfolders.size());
    for (std::size_t i = 0; i < components.size(); ++i)
        entries.push_back(
            { CutEntryText(components[i]), components[i], FolderPicture::Open, static_cast<int>(i) });
    const int subfolderLevel = static_cast<int>(components.size());
    // A subfolder shows its whole name; only the path's components are cut.
    for (const std::string& name : subfolders)
        entries.push_back({ name, name, FolderPicture::Closed, subfolderLevel });

    folders_ = std::move(entries);
    memory_.currentIndex = components.size() - 1;
    view_.SetFolders(folders_, memory_.currentIndex);
    view_.SetFolderCount(DecimalText(static_cast<long>(folders_.size())) + CountUnit);
    return {};
}

Result<> Listing::BuildFileList(const std::string& folder)
{
    view_.SetFileCount(FileCountPending);
    std::string f = YenCut(folder);
    if (f.empty() || !files_.SetCurrentFolder(f))
        return Failure { std::string(FileListErrorMessage) };
    f = NameLower(f);
    memory_.fileListFolder = f;
    f = YenAdd(f);

    std::vector<std::string> names;
    for (const std::string_view mask : SplitMasks(FileMasks)) {
        if (mask.empty())
            continue;
        std::string pattern = f;
        pattern += mask;
        Result<std::vector<std::string>> found = Search(pattern, EntryKind::File);
        if (!found) {
            view_.SetFiles({});
            return Failure { std::string(FileListErrorMessage) };
        }
        names.insert(
            names.end(), std::make_move_iterator(found->begin()), std::make_move_iterator(found->end()));
    }
    SortNames(names, [this](std::string_view a, std::string_view b) { return files_.CompareNames(a, b); });
    view_.SetFiles(names);
    view_.SetFileCount(" " + DecimalText(static_cast<long>(names.size())) + CountUnit);
    return {};
}

// The lower-case names of the listed entries the pattern finds.
Result<std::vector<std::string>> Listing::Search(const std::string& pattern, EntryKind kind)
{
    if (!lastSearch_ || lastSearch_->pattern != pattern) {
        std::optional<std::vector<FoundEntry>> entries = files_.Find(pattern);
        // The caller names the list that failed.
        if (!entries)
            return Failure {};
        lastSearch_ = FoundEntries { pattern, std::move(*entries) };
    }
    const std::optional<FoundEntries>& found = lastSearch_;
    std::vector<std::string> names;
    names.reserve(found->entries.size());
    for (const FoundEntry& entry : found->entries) {
        if (Listed(entry, kind))
            names.push_back(NameLower(entry.name));
    }
    return names;
}

std::string Listing::FallbackRoot() const
{
    return fallbackFolder_.empty() ? std::string() : DriveRoot(fallbackFolder_[0]);
}

void Listing::SelectDriveEntry(std::optional<std::size_t> index)
{
    selectedDrive_ = index;
    view_.SelectDriveEntry(index);
}
