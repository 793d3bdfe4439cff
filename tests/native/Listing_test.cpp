#include "browser/Listing.h"

#include "text/M_Case.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

struct FakeDrive {
    unsigned type = 3;
    std::optional<std::string> label = "";
    std::optional<std::string> remote;
    bool answers = true;
};

// A file system of folders keyed by their lower-case path without a
// trailing separator ("c:\" for a root).
class FakeFiles : public FileSystemQuery {
public:
    std::map<char, FakeDrive> drives;
    std::map<std::string, std::vector<FoundEntry>> folders;
    std::set<std::string> unsearchable;
    std::string current;

    void AddFolder(const std::string& path, std::vector<FoundEntry> entries = {})
    {
        folders[path] = std::move(entries);
    }

    // Drive letters in either case, as the system takes them.
    const FakeDrive* Drive(char letter) const
    {
        const auto drive = drives.find(static_cast<char>(std::toupper(letter)));
        return drive == drives.end() ? nullptr : &drive->second;
    }
    unsigned DriveType(char letter) const override { return Drive(letter) ? Drive(letter)->type : 1; }
    std::optional<std::string> VolumeLabel(char letter) const override { return Drive(letter)->label; }
    std::optional<std::string> NetworkName(char letter) const override { return Drive(letter)->remote; }
    bool DiskAnswers(char letter) const override { return Drive(letter) && Drive(letter)->answers; }
    bool SetCurrentFolder(const std::string& path) override
    {
        const std::string key = CaseLower(path);
        if (!folders.contains(key) || !DiskAnswers(key[0]))
            return false;
        current = key;
        return true;
    }
    std::optional<std::string> CurrentFolderOfDrive(char letter) const override
    {
        return std::string(1, static_cast<char>(std::tolower(letter))) + ":\\";
    }
    std::optional<std::vector<FoundEntry>> Find(const std::string& pattern) const override
    {
        std::string folder = CaseLower(pattern.substr(0, pattern.rfind('\\')));
        if (folder.size() == 2)
            folder += '\\';
        if (unsearchable.contains(folder))
            return std::nullopt;
        const auto found = folders.find(folder);
        if (found == folders.end())
            return std::nullopt;
        return found->second;
    }
    int CompareNames(std::string_view a, std::string_view b) const override
    {
        const std::string x = CaseLower(a);
        const std::string y = CaseLower(b);
        return x.compare(y);
    }
};

struct Message {
    std::string text;
    bool countdown;
    bool operator==(const Message&) const = default;
};

class FakeView : public ListingView {
public:
    std::vector<DriveEntry> drives;
    std::optional<std::size_t> selectedDrive;
    std::vector<FolderEntry> folders;
    std::size_t selectedFolder = 0;
    Names files;
    Names folderCounts;
    Names fileCounts;
    std::vector<Message> messages;

    void SetDrives(const std::vector<DriveEntry>& entries) override { drives = entries; }
    void SetDriveText(std::size_t index, std::string_view text) override { drives.at(index).text = text; }
    void SelectDriveEntry(std::optional<std::size_t> index) override { selectedDrive = index; }
    void SetFolderCount(std::string_view text) override { folderCounts.emplace_back(text); }
    void SetFileCount(std::string_view text) override { fileCounts.emplace_back(text); }
    void SetFolders(const std::vector<FolderEntry>& entries, std::size_t selected) override
    {
        folders = entries;
        selectedFolder = selected;
    }
    void RepaintFolders() override { }
    void SetFiles(const std::vector<std::string>& names) override { files = names; }
    void ShowMessage(std::string_view text, bool countdown) override
    {
        messages.push_back({ std::string(text), countdown });
    }

    Names FolderTexts() const
    {
        Names texts;
        for (const FolderEntry& entry : folders)
            texts.push_back(entry.text);
        return texts;
    }
};

constexpr std::uint32_t Dir = FileAttribute::Directory;

const Message DriveError { "ドライブ・エラー発生\n元のドライブに戻します", true };
const Message FolderError { "フォルダー・エラー発生\nエラーを回避してみます。", true };
const Message RecoveryFailed { "エラー回避に失敗しました\n別のドライブか、フォルダーを選択してみて下さい",
    false };

// c: fixed (the Windows drive), d: fixed, a: removable without a medium,
// n: a network drive.
class ListingWorld : public ::testing::Test {
protected:
    ListingWorld()
    {
        files.drives['A'] = { 2, std::nullopt, std::nullopt, false };
        files.drives['C'] = { 3, "SYS", std::nullopt, true };
        files.drives['D'] = { 3, "", std::nullopt, true };
        files.drives['N'] = { 4, "vol", "\\\\Server\\Share", true };
        files.AddFolder("c:\\", { { "Windows", Dir }, { "Program Files", Dir }, { "boot.ini", 0x06 } });
        files.AddFolder("c:\\windows", { { ".", Dir }, { "..", Dir }, { "System", Dir }, { "win.ini", 0 } });
        files.AddFolder("c:\\windows\\system",
            { { ".", Dir }, { "..", Dir }, { "Color", Dir }, { "Hidden", Dir | FileAttribute::Hidden },
                { "Sys", Dir | FileAttribute::System }, { "apps", Dir }, { "APPS", Dir }, { "Z.DLL", 0 },
                { "h.sys", FileAttribute::Hidden | FileAttribute::System }, { "a.dll", 0 } });
        files.AddFolder("c:\\windows\\system\\color");
        files.AddFolder("c:\\windows\\system\\apps");
        files.AddFolder("c:\\program files");
        files.AddFolder("d:\\", { { "Work", Dir } });
        files.AddFolder("d:\\work", { { "表", Dir } });
        files.AddFolder("d:\\work\\表", { { "x.txt", 0 } });
        files.AddFolder("n:\\");
    }

    FakeFiles files;
    FakeView view;
    ListingMemory memory;
    Listing listing { files, view, memory, "C:\\WINDOWS\\" };
};

TEST_F(ListingWorld, DrivesWithKindsLabelsAndTheProgramsDriveSelected)
{
    listing.FillDrives('c');
    EXPECT_EQ(view.drives,
        (std::vector<DriveEntry> { { "a:", DriveKind::Removable }, { "c:[sys]", DriveKind::Fixed },
            { "d:", DriveKind::Fixed }, { "n:", DriveKind::Network } }));
    EXPECT_EQ(view.selectedDrive, 1U);

    ASSERT_TRUE(listing.GoToFolder("D:\\"));
    EXPECT_EQ(view.drives[2].text, "d:[]");
    listing.DriveChosen(3);
    EXPECT_EQ(view.drives[3].text, "n:\\\\server\\share");
    files.drives['N'].remote.reset();
    listing.DriveChosen(3);
    EXPECT_EQ(view.drives[3].text, "n:[vol]");
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(ListingWorld, PathLevelsSubfoldersFilesAndCounts)
{
    listing.FillDrives('C');
    ASSERT_TRUE(listing.GoToFolder("C:\\Windows\\System\\"));
    EXPECT_EQ(listing.CurrentFolder(), "c:\\windows\\system");
    EXPECT_EQ(view.FolderTexts(), Names({ "c:\\", "windows", "system", "apps", "color" }));
    std::vector<int> levels;
    for (const FolderEntry& entry : view.folders)
        levels.push_back(entry.level);
    EXPECT_EQ(levels, std::vector<int>({ 0, 1, 2, 3, 3 }));
    EXPECT_EQ(view.folders[2].picture, FolderPicture::Open);
    EXPECT_EQ(view.folders[3].picture, FolderPicture::Closed);
    EXPECT_EQ(view.selectedFolder, 2U);
    EXPECT_EQ(view.files, Names({ "a.dll", "h.sys", "z.dll" }));
    EXPECT_EQ(view.folderCounts, Names({ "---ｺ", "5ｺ" }));
    EXPECT_EQ(view.fileCounts, Names({ " ---ｺ", " 3ｺ" }));

    // Down from the current folder opens its first subfolder; Up from
    // there opens its parent again.
    listing.OpenFolderEntry(3);
    EXPECT_EQ(listing.CurrentFolder(), "c:\\windows\\system\\apps");
    listing.OpenFolderEntry(2);
    EXPECT_EQ(listing.CurrentFolder(), "c:\\windows\\system");
    listing.OpenFolderEntry(0);
    EXPECT_EQ(listing.CurrentFolder(), "c:\\");
    EXPECT_EQ(view.FolderTexts(), Names({ "c:\\", "program files", "windows" }));
    EXPECT_EQ(view.folders[1].level, 1);
    EXPECT_EQ(view.files, Names({ "boot.ini" }));
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(ListingWorld, DoubleByteNamesAndLongComponentsOpenTheRightFolder)
{
    const std::string longName(230, 'L');
    files.AddFolder("d:\\work\\表\\" + CaseLower(longName));
    files.folders["d:\\work\\表"].push_back({ longName, Dir });
    listing.FillDrives('C');
    ASSERT_TRUE(listing.GoToFolder("d:\\work\\表"));
    // A subfolder shows its whole name; only a component of the current
    // path is cut to 200 bytes.
    EXPECT_EQ(view.FolderTexts(), Names({ "d:\\", "work", "表", std::string(230, 'l') }));
    listing.OpenFolderEntry(3);
    EXPECT_EQ(view.messages, std::vector<Message> {});
    EXPECT_EQ(listing.CurrentFolder(), "d:\\work\\表\\" + std::string(230, 'l'));
    EXPECT_EQ(view.FolderTexts(), Names({ "d:\\", "work", "表", std::string(200, 'l') }));
    listing.OpenFolderEntry(3);
    EXPECT_EQ(listing.CurrentFolder(), "d:\\work\\表\\" + std::string(230, 'l'));
    listing.OpenFolderEntry(2);
    EXPECT_EQ(listing.CurrentFolder(), "d:\\work\\表");
    EXPECT_EQ(view.files, Names({ "x.txt" }));
}

TEST_F(ListingWorld, EachDriveReturnsToItsLastFolder)
{
    listing.FillDrives('C');
    ASSERT_TRUE(listing.GoToFolder("c:\\windows"));
    listing.DriveChosen(2);
    EXPECT_EQ(listing.CurrentFolder(), "d:\\");
    listing.OpenFolderEntry(1);
    listing.DriveChosen(1);
    EXPECT_EQ(listing.CurrentFolder(), "c:\\windows");
    listing.DriveChosen(2);
    EXPECT_EQ(listing.CurrentFolder(), "d:\\work");
    listing.ForgetFolders();
    listing.DriveChosen(1);
    EXPECT_EQ(listing.CurrentFolder(), "c:\\");
}

TEST_F(ListingWorld, DriveWithoutMediumReturnsToTheFileListsFolder)
{
    listing.FillDrives('C');
    ASSERT_TRUE(listing.GoToFolder("d:\\work"));
    listing.DriveChosen(0);
    EXPECT_EQ(view.messages, std::vector<Message> { DriveError });
    EXPECT_EQ(listing.CurrentFolder(), "d:\\work");
    EXPECT_EQ(view.selectedDrive, 2U);
    EXPECT_EQ(memory.fileListFolder, "d:\\work");

    // The failing drive is the file list's own: back to the Windows drive.
    files.drives['D'].answers = false;
    listing.DriveChosen(2);
    EXPECT_EQ(view.messages, (std::vector<Message> { DriveError, DriveError }));
    EXPECT_EQ(listing.CurrentFolder(), "c:\\");
    EXPECT_EQ(view.selectedDrive, 1U);
}

TEST_F(ListingWorld, UnreadableFolderFallsBackToItsRoot)
{
    listing.FillDrives('C');
    ASSERT_TRUE(listing.GoToFolder("c:\\windows"));
    files.unsearchable.insert("c:\\windows\\system");
    listing.OpenFolderEntry(2);
    EXPECT_EQ(view.messages, std::vector<Message> { FolderError });
    EXPECT_EQ(listing.CurrentFolder(), "c:\\");
}

TEST_F(ListingWorld, RecoveryEndsEvenWhenTheWindowsDriveFails)
{
    listing.FillDrives('C');
    ASSERT_TRUE(listing.GoToFolder("c:\\windows"));
    // The root can be made current but never searched, so every recovery
    // lands on a folder error again.
    files.unsearchable.insert("c:\\");
    files.unsearchable.insert("c:\\windows\\system");
    listing.OpenFolderEntry(2);
    ASSERT_FALSE(view.messages.empty());
    EXPECT_EQ(view.messages.back(), RecoveryFailed);
    EXPECT_LE(view.messages.size(), 2U * (MaxRecoveryDepth + 1));

    files.drives['C'].answers = false;
    view.messages.clear();
    listing.DriveChosen(1);
    EXPECT_EQ(view.messages.back(), RecoveryFailed);
    EXPECT_LE(view.messages.size(), 2U * (MaxRecoveryDepth + 1));
}

TEST_F(ListingWorld, FolderOfManyThousandEntriesKeepsEveryLevel)
{
    constexpr int count = 10000;
    std::vector<FoundEntry> entries;
    for (int i = count; i > 0; --i)
        entries.push_back({ "F" + std::to_string(100000 + i), Dir });
    files.AddFolder("d:\\work\\表", entries);
    listing.FillDrives('C');
    ASSERT_TRUE(listing.GoToFolder("d:\\work\\表"));
    ASSERT_EQ(view.folders.size(), count + 3U);
    EXPECT_EQ(view.folders[3].text, "f100001");
    EXPECT_EQ(view.folders.back().text, "f110000");
    EXPECT_TRUE(std::all_of(view.folders.begin() + 3, view.folders.end(),
        [](const FolderEntry& entry) { return entry.level == 3 && entry.picture == FolderPicture::Closed; }));
    EXPECT_EQ(view.folderCounts.back(), "10003ｺ");
}

} // namespace
