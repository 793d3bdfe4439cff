#include "setup/FallbackCopyFolder.h"
#include "setup/UninstallCopy.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <map>
#include <string>
#include <vector>

namespace {

// DOS date: years since 1980 in bits 9-15, month in 5-8, day in 0-4.
std::uint16_t DosDate(int year, int month, int day)
{
    return static_cast<std::uint16_t>(((year - 1980) << 9) | (month << 5) | day);
}

// Another program's copy is renewed only when its date is missing or later;
// this program's whenever its bytes differ, whatever its date.
TEST(UninstallCopyRefresh, AnotherProgramsByItsDateThisProgramsByItsBytes)
{
    const std::int32_t program = PackedDosStamp(DosDate(2020, 5, 1), 0x6000);
    auto renewed = [&](std::int32_t stamp) {
        return UninstallCopyNeedsRefresh({ false, false, stamp }, program);
    };
    EXPECT_TRUE(renewed(0));
    EXPECT_TRUE(renewed(PackedDosStamp(DosDate(2020, 5, 1), 0x6001)));
    EXPECT_FALSE(renewed(program));
    EXPECT_FALSE(renewed(PackedDosStamp(DosDate(1999, 12, 31), 0xBF7D)));
    // From 2044 on the stamp is negative, so such a copy counts as earlier.
    const std::int32_t year2044 = PackedDosStamp(DosDate(2044, 1, 1), 0);
    EXPECT_LT(year2044, 0);
    EXPECT_FALSE(renewed(year2044));
    EXPECT_TRUE(UninstallCopyNeedsRefresh({ false, false, program }, year2044));

    EXPECT_TRUE(UninstallCopyNeedsRefresh({ false, true, PackedDosStamp(DosDate(1999, 1, 1), 0) }, program));
    EXPECT_FALSE(UninstallCopyNeedsRefresh({ true, true, PackedDosStamp(DosDate(2030, 1, 1), 0) }, program));
}

// An entry of a version resource: three 16-bit words, the UTF-16 key,
// padding to 4 bytes, the UTF-16 value.
std::string VersionEntry(std::string_view key, std::string_view value)
{
    std::string entry(6, '\x01');
    auto append = [&](std::string_view text) {
        for (const char c : text)
            entry.append({ c, '\0' });
        entry.append(2, '\0');
    };
    append(key);
    entry.resize((entry.size() + 3) & ~std::size_t { 3 }, '\0');
    append(value);
    return entry;
}

TEST(UninstallCopyRefresh, TellsThisProgramByTheOriginalFileNameInItsVersionResource)
{
    const std::string other = VersionEntry("ProductName", "DRIM32.EXE") + std::string(2, '\0');
    const std::string ours = other + VersionEntry("OriginalFilename", "DRIM32.EXE");
    EXPECT_TRUE(VersionResourceNamesFile(ours, "DRIM32.EXE"));
    EXPECT_FALSE(VersionResourceNamesFile(ours, "OTHER32.EXE"));
    EXPECT_FALSE(VersionResourceNamesFile(other, "DRIM32.EXE"));
    EXPECT_FALSE(VersionResourceNamesFile(VersionEntry("OriginalFilename", "DRIM32.EXEX"), "DRIM32.EXE"));
    // Out of its 4-byte place the key is no entry's; cut short it names nothing.
    EXPECT_FALSE(VersionResourceNamesFile(std::string(2, '\0') + ours, "DRIM32.EXE"));
    for (std::size_t size = 0; size < ours.size(); ++size)
        EXPECT_FALSE(VersionResourceNamesFile(std::string_view(ours).substr(0, size), "DRIM32.EXE")) << size;
}

TEST(UninstallCopyCommandLine, QuotesThePathAndTheSwitch)
{
    EXPECT_EQ(UninstallCopyCommandLine("C:\\WINDOWS\\unin_palun000.exe"),
        "\"C:\\WINDOWS\\unin_palun000.exe\" \"/DeleteFile\"");
}

class FakeHandoverStore : public HandoverStore {
public:
    std::map<RegistryRoot, Handover> keys;
    std::vector<RegistryRoot> deleted;

    std::optional<Handover> Read(RegistryRoot root) override
    {
        const auto found = keys.find(root);
        if (found == keys.end())
            return std::nullopt;
        return found->second;
    }
    void Delete(RegistryRoot root) override
    {
        deleted.push_back(root);
        keys.erase(root);
    }
};

TEST(TakeHandover, ReadsTheCurrentUsersKeyFirstAndDeletesEveryKeyFound)
{
    FakeHandoverStore both;
    both.keys[RegistryRoot::CurrentUser] = { "C:\\A\\DRIM32.EXE", "mine", "" };
    both.keys[RegistryRoot::Users] = { "C:\\B\\DRIM32.EXE", "default", "" };
    EXPECT_EQ(TakeHandover(both)->title, "mine");
    EXPECT_EQ(both.deleted, (std::vector<RegistryRoot> { RegistryRoot::CurrentUser, RegistryRoot::Users }));

    FakeHandoverStore defaultOnly;
    defaultOnly.keys[RegistryRoot::Users] = { "C:\\B\\DRIM32.EXE", "default", "n" };
    EXPECT_EQ(TakeHandover(defaultOnly)->title, "default");
    EXPECT_EQ(defaultOnly.deleted, std::vector<RegistryRoot> { RegistryRoot::Users });

    FakeHandoverStore none;
    EXPECT_FALSE(TakeHandover(none));
    EXPECT_TRUE(none.deleted.empty());
}

TEST(UninstallCopyStart, AcceptsOnlyTheProgramsOwnFileWithTheSwitch)
{
    const Handover handover { "C:\\PALUNP32\\表\\drim32.exe", "Title", "" };
    const UninstallCopyStart start = DecideUninstallCopyStart(handover, "/DeleteFile");
    EXPECT_TRUE(start.valid);
    EXPECT_EQ(start.caption, "Title");
    EXPECT_EQ(start.file, handover.file);
    EXPECT_EQ(start.folderWithBackslash, "C:\\PALUNP32\\表\\");
    EXPECT_TRUE(start.removeFolders);

    EXPECT_FALSE(DecideUninstallCopyStart(Handover { handover.file, "", "n" }, "/DeleteFile").removeFolders);
    EXPECT_EQ(DecideUninstallCopyStart(Handover { handover.file, "", "" }, "/DeleteFile").caption,
        "UNINSTALL_PALUN000");

    const std::vector<std::pair<Handover, std::string>> refused {
        { handover, "" },
        { handover, "/deletefile" },
        { { "", "Title", "" }, "/DeleteFile" },
        { { "C:\\WINDOWS\\SYSTEM.INI", "Title", "" }, "/DeleteFile" },
        { { "C:\\A\\DRIM32.EXE.txt", "Title", "" }, "/DeleteFile" },
        { { "C:\\A\\XDRIM32.EXE", "Title", "" }, "/DeleteFile" },
    };
    for (const auto& [given, argument] : refused) {
        SCOPED_TRACE(given.file + " " + argument);
        const UninstallCopyStart refusal = DecideUninstallCopyStart(given, argument);
        EXPECT_FALSE(refusal.valid);
        EXPECT_EQ(refusal.caption, "UNINSTALL_PALUN000");
        EXPECT_TRUE(refusal.file.empty());
    }
    EXPECT_FALSE(DecideUninstallCopyStart(std::nullopt, "/DeleteFile").valid);
}

// A renamed program is refused first; a program file this user may not
// delete is refused before anything changes, with the system's "access
// denied" as the exit code.
TEST(UninstallRefusal, NamesARenamedProgramAndAMissingRight)
{
    const std::string own = "C:\\PALUNP32\\DRIM32\\DRIM32.EXE";
    EXPECT_FALSE(RefuseUninstallation(own, false));
    const auto renamed = RefuseUninstallation("C:\\PALUNP32\\DRIM32\\DRIM32OLD.EXE", true);
    ASSERT_TRUE(renamed);
    EXPECT_EQ(renamed->exitCode, 0);
    const auto denied = RefuseUninstallation(own, true);
    ASSERT_TRUE(denied);
    EXPECT_EQ(denied->exitCode, 5);
    EXPECT_EQ(denied->text,
        "ｱﾝｲﾝｽﾂｰﾙｴﾗｰ：ｱﾝｲﾝｽﾂｰﾙには管理者の権限が必要です。\n管理者として実行しないとｱﾝｲﾝｽﾂｰﾙ出来ません。\n"
        "何も変更せずに終了します。");
}

// Only a path from a drive letter on is acted on; any other form of the
// program's file is taken as handed over, to be named as remaining.
TEST(UninstallCopyStart, ActsOnlyOnAPathFromADriveLetter)
{
    const std::vector<std::pair<std::string, bool>> rows {
        { "C:\\PALUNP32\\DRIM32.EXE", true },
        { "z:\\DRIM32.EXE", true },
        { "\\\\server\\share\\DRIM32.EXE", false },
        { "\\\\?\\C:\\DRIM32.EXE", false },
        { "C:DRIM32.EXE", false },
        { "1:\\DRIM32.EXE", false },
        { "@:\\DRIM32.EXE", false },
        { "[:\\DRIM32.EXE", false },
        { "\x95\\:\\DRIM32.EXE", false },
        { "DRIM32.EXE", false },
        { "", false },
    };
    for (const auto& [path, drivePath] : rows) {
        SCOPED_TRACE(path);
        EXPECT_EQ(IsDrivePath(path), drivePath);
        const UninstallCopyStart start = DecideUninstallCopyStart(Handover { path, "", "" }, "/DeleteFile");
        EXPECT_EQ(start.valid ? start.file : "", NamesTheProgramsOwnFile(path) ? path : "");
    }
}

// The copy's own folder is taken only while no entry of its list lets
// anyone but SYSTEM, the Administrators and the user change it.
TEST(FallbackCopyFolder, IsTheUsersAloneWhenNoEntryLetsOthersChangeIt)
{
    constexpr std::uint32_t fullControl = 0x001F01FF;
    constexpr std::uint32_t readAndExecute = 0x001200A9;
    struct Row {
        const char* name;
        FolderAccessEntry entry;
        bool othersMayChange;
    };
    const std::vector<Row> rows {
        { "the user: full control", { true, fullControl, true }, false },
        { "others: read and execute", { true, readAndExecute, false }, false },
        { "others denied everything", { false, fullControl, false }, false },
        { "others: full control", { true, fullControl, false }, true },
        { "Everyone: delete", { true, 0x00010000, false }, true },
        { "Users: add a file", { true, 0x00000002, false }, true },
        { "Users: delete children", { true, 0x00000040, false }, true },
        { "another user: change the list", { true, 0x00040000, false }, true },
        { "Everyone: generic write", { true, 0x40000000, false }, true },
    };
    for (const Row& row : rows)
        EXPECT_EQ(LetsOthersChange(row.entry), row.othersMayChange) << row.name;
    EXPECT_EQ(OwnersOnlyFolderList("S-1-5-21-1-2-3-1001"),
        "D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FA;;;S-1-5-21-1-2-3-1001)");
}

class FakeCopyFolders : public CopyFolderSystem {
public:
    std::vector<std::string> creatable;
    std::vector<std::string> usersAlone;
    std::vector<std::string> tried;

    bool CreateOwnersOnly(const std::string& folder) override
    {
        tried.push_back(folder);
        return std::find(creatable.begin(), creatable.end(), folder) != creatable.end();
    }
    bool OwnersOnly(const std::string& folder) override
    {
        return std::find(usersAlone.begin(), usersAlone.end(), folder) != usersAlone.end();
    }
};

// "PALUN RUZI32" made or found the user's alone; otherwise the first of the
// numbered names that can be.
TEST(FallbackCopyFolder, TakesTheFirstNameThatIsOrBecomesTheUsersAlone)
{
    const std::string temp = "C:\\TEMP\\";
    FakeCopyFolders fresh;
    fresh.creatable = { temp + "PALUN RUZI32" };
    EXPECT_EQ(ChooseCopyFolder(temp, fresh), temp + "PALUN RUZI32\\");

    FakeCopyFolders reused;
    reused.usersAlone = { temp + "PALUN RUZI32" };
    EXPECT_EQ(ChooseCopyFolder(temp, reused), temp + "PALUN RUZI32\\");

    FakeCopyFolders planted;
    planted.creatable = { temp + "PALUN RUZI32.2" };
    EXPECT_EQ(ChooseCopyFolder(temp, planted), temp + "PALUN RUZI32.2\\");
    EXPECT_EQ(planted.tried,
        (std::vector<std::string> {
            temp + "PALUN RUZI32", temp + "PALUN RUZI32.1", temp + "PALUN RUZI32.2" }));

    FakeCopyFolders taken;
    EXPECT_EQ(ChooseCopyFolder(temp, taken), "");
    EXPECT_EQ(taken.tried.size(), static_cast<std::size_t>(CopyFolderAttempts));
    EXPECT_EQ(taken.tried.back(), temp + "PALUN RUZI32.99");
    EXPECT_EQ(ChooseCopyFolder("", taken), "");
    EXPECT_EQ(taken.tried.size(), static_cast<std::size_t>(CopyFolderAttempts));
}

// What the uninstaller could not remove reaches the copy's last box whole,
// each name on a line of its own, the group items with their shortcuts; an
// uninstaller that handed over nothing (an older one) leaves the copy
// nothing to name.
TEST(UninstallRemains, TravelInTheHandOverAndAreNamedLineByLine)
{
    const std::vector<std::string> remains { "HKEY_LOCAL_MACHINE\\Software\\DRIM32", "C:\\表\\DRIM32.TXT" };
    const std::vector<LeftItem> items { { "[ 表 ]グループのアイコン", "C:\\P\\表\\a.lnk" } };
    const Handover handover { "C:\\A\\DRIM32.EXE", "", "", JoinRemains(remains), JoinLeftItems(items) };
    const UninstallCopyStart start = DecideUninstallCopyStart(handover, "/DeleteFile");
    EXPECT_EQ(start.remains, remains);
    ASSERT_EQ(start.leftItems.size(), 1u);
    EXPECT_EQ(start.leftItems[0].name, items[0].name);
    EXPECT_EQ(start.leftItems[0].shortcut, items[0].shortcut);
    EXPECT_TRUE(SplitLeftItems("no tab\n\n").empty());
    EXPECT_TRUE(
        DecideUninstallCopyStart(Handover { "C:\\A\\DRIM32.EXE", "", "" }, "/DeleteFile").remains.empty());
    EXPECT_EQ(SplitRemains("\nA\n\nB\n"), (std::vector<std::string> { "A", "B" }));
    EXPECT_EQ(IncompleteUninstallText(remains),
        "ｱﾝｲﾝｽﾂｰﾙが完了しませんでした・・・\n次のものを削除できませんでした：\n"
        "HKEY_LOCAL_MACHINE\\Software\\DRIM32\nC:\\表\\DRIM32.TXT");
}

} // namespace
