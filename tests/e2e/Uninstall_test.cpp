#include "SetupDriving.h"
#include "StartupFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <winternl.h>

// Not in the SDK's headers; ntdll exports it.
extern "C" NTSYSAPI NTSTATUS NTAPI NtDeleteKey(HANDLE key);

namespace {

const std::string Confirmation = "PALUN ｽｸﾘｰﾝｾｰﾊﾞｰ 省電力OFF V1.4\r\nを、ｱﾝｲﾝｽﾂｰﾙしてよろしいですか？？？";
const std::string SettingsQuestion = "当ソフトのレジストリー情報も削除してよろしいですか？？";
const std::string Completed = "アンインスツールが完了しました☆☆☆\r\nお疲れ様☆☆☆";
const std::string BadParameter
    = "ｱﾝｲﾝｽﾂｰﾙｴﾗｰ：ﾊﾟﾗﾒｰﾀｰが不正です・・・\r\n[PALUN RUZI32]専用のｱﾝｲﾝｽﾂｰﾙｿﾌﾄです。";
const std::string CopyMarker = "UNINSTALL_PALUN000";
const std::string Incomplete = "ｱﾝｲﾝｽﾂｰﾙが完了しませんでした・・・\r\n次のものを削除できませんでした：";
constexpr DWORD IncompleteExitCode = 4;
// The copy asks after about 30 one-second tries; room for a slow machine.
constexpr DWORD HeldFileQuestionMilliseconds = 90000;

const std::string DefaultUserHandoverPath = std::string(".Default\\") + HandoverPath;

// A key the default user's hand-over might have kept from long ago.
void WriteStaleDefaultUserHandover()
{
    const std::string stale = "C:\\Elsewhere\\DRIM32.EXE";
    ASSERT_EQ(RegSetKeyValueA(HKEY_USERS, DefaultUserHandoverPath.c_str(), "File", REG_SZ, stale.c_str(),
                  static_cast<DWORD>(stale.size() + 1)),
        ERROR_SUCCESS);
}

// An uninstall copy from before: the program's bytes with `change` done to
// them, dated before the program's own file.
void PlaceEarlierCopy(const std::string& program, void (*change)(std::string& bytes))
{
    std::string bytes = ReadWholeFile(program);
    change(bytes);
    WriteWholeFile(WindowsCopyPath(), bytes);
    SetLastWriteTime(WindowsCopyPath(), FileTimeFromLocal(1999, 12, 31, 23, 59, 58));
}

// Another program of the maker: another original file name in the version
// resource, whose texts are UTF-16.
void NameAnotherProgram(std::string& bytes)
{
    auto utf16 = [](std::wstring_view text) {
        return std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2);
    };
    const std::string ours = utf16(L"DRIM32.EXE");
    for (std::size_t at = bytes.find(ours); at != std::string::npos; at = bytes.find(ours, at))
        bytes.replace(at, ours.size(), utf16(L"OTHER3.EXE"));
}

bool SameTime(const FILETIME& a, const FILETIME& b)
{
    return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

void WriteHandover(const std::string& file)
{
    SetString(HandoverPath, "File", file);
    SetString(HandoverPath, "Title", "handed over");
    SetString(HandoverPath, "RmDir", "");
}

// A key that RegDeleteTree cannot take for the scope: a subkey that links to
// a key that does not exist makes the walk fail with the key still there.
// Wine enforces no key security, so this stands in for a key the user has
// no right to delete.  The link itself goes at the end.
class UndeletableKey {
public:
    UndeletableKey(HKEY root, const std::string& path)
        : root_(root)
        , link_(std::wstring(path.begin(), path.end()) + L"\\Link")
    {
        HKEY key = nullptr;
        EXPECT_EQ(
            RegCreateKeyExW(root_, link_.c_str(), 0, nullptr, REG_OPTION_CREATE_LINK | REG_OPTION_VOLATILE,
                KEY_ALL_ACCESS | KEY_CREATE_LINK, nullptr, &key, nullptr),
            ERROR_SUCCESS);
        const std::wstring target = L"\\Registry\\Machine\\Software\\DrimNowhere";
        EXPECT_EQ(RegSetValueExW(key, L"SymbolicLinkValue", 0, REG_LINK,
                      reinterpret_cast<const BYTE*>(target.c_str()), static_cast<DWORD>(target.size() * 2)),
            ERROR_SUCCESS);
        RegCloseKey(key);
    }
    ~UndeletableKey()
    {
        HKEY link = nullptr;
        if (RegOpenKeyExW(root_, link_.c_str(), REG_OPTION_OPEN_LINK, DELETE, &link) == ERROR_SUCCESS) {
            EXPECT_EQ(NtDeleteKey(link), 0);
            RegCloseKey(link);
        }
    }
    UndeletableKey(const UndeletableKey&) = delete;
    UndeletableKey& operator=(const UndeletableKey&) = delete;

private:
    HKEY root_;
    std::wstring link_;
};

// Every scenario starts from a clean system without an uninstall copy.
class Uninstallation : public FreshSettings {
protected:
    void SetUp() override
    {
        FreshSettings::SetUp();
        DeleteFileA(WindowsCopyPath().c_str());
        DeleteFileA(TemporaryCopyPath().c_str());
        RegDeleteTreeA(HKEY_CURRENT_USER, HandoverPath);
    }

    // "/uninstall" of the installed program, answered; the uninstaller ends,
    // and when `completes`, the copy reports completion and ends too.
    void Uninstall(const std::string& program, bool removeSettings, bool completes = true)
    {
        RunningProgram uninstaller(program, "/uninstall");
        EXPECT_EQ(AnswerQuestion(true, "Uninstall_Confirmation"), Confirmation);
        EXPECT_EQ(AnswerQuestion(removeSettings, "Uninstall_Settings"), SettingsQuestion);
        EXPECT_TRUE(uninstaller.WaitForExit(ProcessEndsMilliseconds));
        if (!completes)
            return;
        EXPECT_EQ(AnswerMessage("Uninstall_Completed"), Completed);
        EXPECT_TRUE(WaitUntilGone(SetupClass, ProcessEndsMilliseconds));
    }

    // The file open in another program, which keeps it from being deleted.
    static UniqueHandle HeldOpen(const std::string& path)
    {
        return UniqueHandle(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
            FILE_ATTRIBUTE_NORMAL, nullptr));
    }

    InstallSource source_;
};

TEST_F(Uninstallation, RefusedWhileTheTrayRunsAndNoChangesNothing)
{
    const std::string folder = "C:\\Refused";
    ASSERT_NO_FATAL_FAILURE(InstallFrom(source_, folder));
    const std::string program = folder + "\\DRIM32.EXE";
    {
        RunningProgram tray(program, "");
        HWND window = WaitForSettledTray(tray);
        ASSERT_NE(window, nullptr);
        RunningProgram refused(program, "/uninstall");
        EXPECT_EQ(AnswerMessage(), "ｱﾝｲﾝｽﾂｰﾙｴﾗｰ：ソフトが起動中です。\r\n終了しないとｱﾝｲﾝｽﾂｰﾙ出来ません。");
        EXPECT_TRUE(refused.WaitForExit(ProcessEndsMilliseconds));
        EXPECT_TRUE(CloseAndWaitForExit(window, tray));
    }
    RunningProgram cancelled(program, "/uninstall");
    EXPECT_EQ(AnswerQuestion(false), Confirmation);
    EXPECT_EQ(AnswerMessage(), "ｱﾝｲﾝｽﾂｰﾙを中止しました。");
    EXPECT_TRUE(cancelled.WaitForExit(ProcessEndsMilliseconds));

    EXPECT_TRUE(FileExists(program));
    EXPECT_TRUE(FileExists(folder + "\\DRIM32.TXT"));
    EXPECT_EQ(ReadSetting("Version"), "14");
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, UninstallEntryPath));
    EXPECT_FALSE(FileExists(WindowsCopyPath()));
}

// Both Yes answers: nothing of the program is left but the uninstall copy,
// which replaced one dated later than the program.  The Startup item is
// found as on a stock profile, through the Startup folder, not MapGroups.
TEST_F(Uninstallation, FullRunLeavesNothingButTheRenewedCopy)
{
    WriteWholeFile(WindowsCopyPath(), "a copy dated later");
    SetLastWriteTime(WindowsCopyPath(), FileTimeFromLocal(2030, 1, 1, 0, 0, 0));
    DeleteValue(MapGroupsPath, "StartUp");
    const std::string folder = "C:\\UninstA\\B";
    ASSERT_NO_FATAL_FAILURE(InstallFrom(source_, folder, true));
    const std::string groupLink = SpecialFolder(CSIDL_PROGRAMS) + "\\PALUN RUZI32\\" + InstalledLinkName;
    const std::string startupLink = SpecialFolder(CSIDL_STARTUP) + "\\" + InstalledLinkName;
    const std::string desktopLink = SpecialFolder(CSIDL_DESKTOPDIRECTORY) + "\\" + InstalledLinkName;
    ASSERT_TRUE(
        WaitUntil([&] { return FileExists(groupLink) && FileExists(startupLink); }, SetupBoxMilliseconds));
    ASSERT_TRUE(CopyFileA(groupLink.c_str(), desktopLink.c_str(), FALSE));
    WriteWholeFile(folder + "\\DRIM32.GID", "help index");
    SetSetting("REC_TXT", "left by another version");
    // The entry as an earlier version wrote it, with its name and command only.
    for (const char* name : { "DisplayIcon", "DisplayVersion", "Publisher", "InstallLocation",
             "EstimatedSize", "NoModify", "NoRepair" })
        EXPECT_EQ(RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, UninstallEntryPath, name), ERROR_SUCCESS) << name;

    Uninstall(folder + "\\DRIM32.EXE", true);

    EXPECT_FALSE(FolderExists("C:\\UninstA"));
    EXPECT_TRUE(
        WaitUntil([&] { return !FileExists(groupLink) && !FileExists(startupLink); }, SetupBoxMilliseconds));
    EXPECT_FALSE(FileExists(desktopLink));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UninstallEntryPath));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, VendorKeyPath));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, HandoverPath));
    EXPECT_EQ(ReadWholeFile(WindowsCopyPath()), ReadWholeFile(source_.Program()));
    EXPECT_EQ(CountTopLevelWindows(TrayClass), 0);
}

// A user who may not write the machine's uninstall entry gets one of their
// own, which Windows lists too; the uninstaller removes it.
TEST_F(Uninstallation, ARefusedMachineEntryIsTheUsersOwnAndGoesWithTheRest)
{
    const std::string folder = "C:\\UserEntry";
    {
        const RefusingKey machineEntries(HKEY_LOCAL_MACHINE, UninstallFolderPath);
        ASSERT_NO_FATAL_FAILURE(InstallFrom(source_, folder));
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UninstallEntryPath));
        EXPECT_EQ(ReadString(HKEY_CURRENT_USER, UninstallEntryPath, "UninstallString"),
            folder + "\\DRIM32.EXE /uninstall");
        ExpectListedInFull(HKEY_CURRENT_USER, folder);
        EXPECT_EQ(ReadSetting("Version"), std::optional<std::string>("14"));
    }
    Uninstall(folder + "\\DRIM32.EXE", true);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, UninstallEntryPath));
    EXPECT_FALSE(FolderExists(folder));
}

// A Windows folder that takes no copy (a folder of the copy's name stands in
// for a standard user's refused write): the copy goes to the user's
// temporary folder, is started from there and does its work.
TEST_F(Uninstallation, AWindowsFolderClosedToTheCopyPutsItInTheTemporaryFolder)
{
    const std::string temporaryCopy = TemporaryCopyPath();
    DeleteFileA(temporaryCopy.c_str());
    ASSERT_TRUE(CreateDirectoryA(WindowsCopyPath().c_str(), nullptr));
    const std::string folder = "C:\\TempCopy";
    ASSERT_NO_FATAL_FAILURE(InstallFrom(source_, folder));

    Uninstall(folder + "\\DRIM32.EXE", true);

    EXPECT_FALSE(FolderExists(folder));
    EXPECT_EQ(ReadWholeFile(temporaryCopy), ReadWholeFile(source_.Program()));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, HandoverPath));
    EXPECT_TRUE(RemoveDirectoryA(WindowsCopyPath().c_str()));
    DeleteFileA(temporaryCopy.c_str());
}

// The second No keeps the settings without "Version", so the next start
// proposes the recorded folder; a file of the user's keeps the folders; an
// existing copy dated earlier than the program is kept and does the work.
TEST_F(Uninstallation, SecondNoKeepsTheSettingsAndAUsersFileKeepsTheFolder)
{
    ASSERT_TRUE(CopyFileA(source_.Program().c_str(), WindowsCopyPath().c_str(), FALSE));
    const FILETIME earlier = FileTimeFromLocal(1999, 12, 31, 23, 59, 58);
    SetLastWriteTime(WindowsCopyPath(), earlier);
    const std::string folder = "C:\\KeepA\\B";
    ASSERT_NO_FATAL_FAILURE(InstallFrom(source_, folder));
    WriteWholeFile(folder + "\\mine.txt", "the user's own");

    Uninstall(folder + "\\DRIM32.EXE", false);

    EXPECT_FALSE(FileExists(folder + "\\DRIM32.EXE"));
    EXPECT_FALSE(FileExists(folder + "\\DRIM32.TXT"));
    EXPECT_TRUE(FileExists(folder + "\\mine.txt"));
    EXPECT_TRUE(SameTime(LastWriteTime(WindowsCopyPath()), earlier));
    EXPECT_EQ(ReadSetting("Version"), std::nullopt);
    EXPECT_EQ(ReadSetting("EXEPATH"), folder);

    RunningProgram next(source_.Program(), "");
    HWND setup = WaitForShownSetup(next);
    ASSERT_NE(setup, nullptr);
    EXPECT_EQ(FolderField(setup), folder);
    EXPECT_EQ(GroupField(setup), "PALUN RUZI32");
    EXPECT_TRUE(CloseAndWaitForExit(setup, next));
}

// The copy refuses a start by hand and a "File" that is not the program's
// own, deletes nothing and removes the hand-over key it found; it names a
// network path to the program's name as remaining and leaves it alone; it
// takes the default user's key when the current user has none.
TEST_F(Uninstallation, CopyRefusesAStartByHandAndAnotherFileAndFindsTheDefaultUsersKey)
{
    ASSERT_TRUE(CopyFileA(source_.Program().c_str(), WindowsCopyPath().c_str(), FALSE));
    TempFolder folder;
    const std::string victim = folder / "victim.txt";
    WriteWholeFile(victim, "not the program");
    WriteHandover(victim);
    {
        RunningProgram copy(WindowsCopyPath(), "/DeleteFile");
        HWND box = WaitForSetupBox(SetupMessageBoxClass);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(WindowText(box), CopyMarker);
        EXPECT_EQ(AnswerMessage("UninstallCopy_ParameterError"), BadParameter);
        EXPECT_TRUE(copy.WaitForExit(ProcessEndsMilliseconds));
    }
    EXPECT_TRUE(FileExists(victim));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, HandoverPath));

    const std::string network = "\\\\server\\share\\DRIM32.EXE";
    WriteHandover(network);
    {
        RunningProgram remote(WindowsCopyPath(), "/DeleteFile");
        const LastBox last = AnswerLastMessage();
        EXPECT_EQ(last.text, Incomplete + "\r\n" + network);
        EXPECT_EQ(last.exitCode, IncompleteExitCode);
    }

    const std::string program = folder / "DRIM32.EXE";
    ASSERT_TRUE(CopyFileA(source_.Program().c_str(), program.c_str(), FALSE));
    WriteHandover(program);
    RunningProgram byHand(WindowsCopyPath(), "");
    EXPECT_EQ(AnswerMessage(), BadParameter);
    EXPECT_TRUE(byHand.WaitForExit(ProcessEndsMilliseconds));
    EXPECT_TRUE(FileExists(program));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, HandoverPath));

    // Only the default user's key, as older systems kept it: found there,
    // deleted there; "n" keeps the folder.  Of two group items handed over
    // as left, the one whose shortcut went meanwhile is not named.
    const std::string kept = folder / "kept.lnk";
    WriteWholeFile(kept, "a shortcut");
    for (const auto& [name, data] :
        { std::pair<const char*, std::string> { "File", program }, { "Title", "" }, { "RmDir", "n" },
            { "Left", "Gone\nKept" }, { "LeftLinks", (folder / "gone.lnk") + "\tGone\n" + kept + "\tKept" } })
        RegSetKeyValueA(HKEY_USERS, DefaultUserHandoverPath.c_str(), name, REG_SZ, data.c_str(),
            static_cast<DWORD>(data.size() + 1));
    RunningProgram handedOver(WindowsCopyPath(), "/DeleteFile");
    EXPECT_EQ(AnswerMessage(), Incomplete + "\r\nKept");
    EXPECT_TRUE(handedOver.WaitForExit(ProcessEndsMilliseconds));
    EXPECT_EQ(handedOver.ExitCode(), IncompleteExitCode);
    EXPECT_FALSE(FileExists(program));
    EXPECT_TRUE(FolderExists(folder.Path()));
    EXPECT_FALSE(KeyExists(HKEY_USERS, DefaultUserHandoverPath));
}

// Read-only program files go as the others do, and a stale default user's
// key goes with the current user's, so that it cannot start a later copy.
TEST_F(Uninstallation, ReadOnlyFilesGoAndBothHandOverKeysAreRemoved)
{
    const std::string folder = "C:\\ReadOnly";
    ASSERT_NO_FATAL_FAILURE(InstallFrom(source_, folder));
    for (const char* name : { "\\DRIM32.EXE", "\\DRIM32.TXT" })
        ASSERT_TRUE(SetFileAttributesA((folder + name).c_str(), FILE_ATTRIBUTE_READONLY)) << name;
    ASSERT_NO_FATAL_FAILURE(WriteStaleDefaultUserHandover());

    Uninstall(folder + "\\DRIM32.EXE", true);

    EXPECT_FALSE(FolderExists(folder));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, HandoverPath));
    EXPECT_FALSE(KeyExists(HKEY_USERS, DefaultUserHandoverPath));
}

// A program file held by another process: after about half a minute the
// copy asks whether to go on; No ends it and leaves the file and folder.
// A renamed program refuses before the question and changes nothing.
TEST_F(Uninstallation, AHeldFileIsAskedAboutAndARenamedProgramChangesNothing)
{
    const std::string folder = "C:\\Held";
    ASSERT_NO_FATAL_FAILURE(InstallFrom(source_, folder));
    const std::string program = folder + "\\DRIM32.EXE";
    const std::string renamed = folder + "\\DRIM32OLD.EXE";
    ASSERT_TRUE(CopyFileA(program.c_str(), renamed.c_str(), FALSE));
    {
        RunningProgram refused(renamed, "/uninstall");
        EXPECT_EQ(AnswerMessage(),
            "ｱﾝｲﾝｽﾂｰﾙｴﾗｰ：プログラムのファイル名が DRIM32.EXE "
            "ではありません。\r\n何も変更せずに終了します。");
        EXPECT_TRUE(refused.WaitForExit(ProcessEndsMilliseconds));
    }
    EXPECT_EQ(ReadSetting("Version"), std::optional<std::string>("14"));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, UninstallEntryPath));
    EXPECT_TRUE(FileExists(folder + "\\DRIM32.TXT"));
    ASSERT_TRUE(DeleteFileA(renamed.c_str()));

    const UniqueHandle held(CreateFileA(program.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held);
    Uninstall(program, true, false);
    EXPECT_EQ(AnswerQuestion(false, {}, HeldFileQuestionMilliseconds),
        program + "\r\nを削除できません。使用中か、書き込みが禁止されています。\r\n削除を続けて試みますか？");
    const LastBox last = AnswerLastMessage();
    EXPECT_EQ(last.text, Incomplete + "\r\n" + program);
    EXPECT_EQ(last.exitCode, IncompleteExitCode);
    EXPECT_TRUE(FileExists(program));
    EXPECT_TRUE(FolderExists(folder));
}

// A side file held open by another program and a machine-wide entry that
// cannot be deleted: everything else goes, the last box names what remains
// instead of completion, and the copy's exit code says so.  An older copy of
// this program, which might not read the remains, is replaced first.
TEST_F(Uninstallation, WhatCannotBeRemovedIsNamedAndTheExitCodeSaysSo)
{
    PlaceEarlierCopy(source_.Program(), [](std::string& bytes) { bytes += "an older build"; });
    const std::string folder = "C:\\Remains";
    ASSERT_NO_FATAL_FAILURE(InstallFrom(source_, folder));
    const std::string readme = folder + "\\DRIM32.TXT";
    const UniqueHandle held = HeldOpen(readme);
    ASSERT_TRUE(held);
    {
        const UndeletableKey entry(HKEY_LOCAL_MACHINE, UninstallEntryPath);
        RunningProgram uninstaller(folder + "\\DRIM32.EXE", "/uninstall");
        EXPECT_EQ(AnswerQuestion(true), Confirmation);
        EXPECT_EQ(AnswerQuestion(true), SettingsQuestion);
        const LastBox last = AnswerLastMessage();
        EXPECT_EQ(last.text, Incomplete + "\r\nHKEY_LOCAL_MACHINE\\" + UninstallEntryPath + "\r\n" + readme);
        EXPECT_EQ(last.exitCode, IncompleteExitCode);
        EXPECT_TRUE(uninstaller.WaitForExit(ProcessEndsMilliseconds));
        EXPECT_EQ(uninstaller.ExitCode(), 0u) << "the uninstaller started the copy";
    }
    EXPECT_FALSE(FileExists(folder + "\\DRIM32.EXE"));
    EXPECT_FALSE(FileExists(folder + "\\DRIM32.HLP"));
    EXPECT_FALSE(SettingsKeyExists());
    EXPECT_TRUE(FileExists(readme));
    EXPECT_TRUE(ReadWholeFile(WindowsCopyPath()) == ReadWholeFile(source_.Program()))
        << "the copy was replaced";
    EXPECT_TRUE(RegDeleteTreeA(HKEY_LOCAL_MACHINE, UninstallEntryPath) == ERROR_SUCCESS);
}

// Another program's copy stays by its date, and may not read the remains:
// the uninstaller names them itself before it starts that copy.
TEST_F(Uninstallation, AnotherProgramsCopyStaysAndTheUninstallerNamesTheRemains)
{
    PlaceEarlierCopy(source_.Program(), NameAnotherProgram);
    const std::string otherCopy = ReadWholeFile(WindowsCopyPath());
    const std::string folder = "C:\\OtherCopy";
    ASSERT_NO_FATAL_FAILURE(InstallFrom(source_, folder));
    const std::string readme = folder + "\\DRIM32.TXT";
    const UniqueHandle held = HeldOpen(readme);
    ASSERT_TRUE(held);

    RunningProgram uninstaller(folder + "\\DRIM32.EXE", "/uninstall");
    EXPECT_EQ(AnswerQuestion(true), Confirmation);
    EXPECT_EQ(AnswerQuestion(true), SettingsQuestion);
    EXPECT_EQ(AnswerMessage(), Incomplete + "\r\n" + readme);
    EXPECT_TRUE(uninstaller.WaitForExit(ProcessEndsMilliseconds));
    EXPECT_EQ(uninstaller.ExitCode(), IncompleteExitCode);
    EXPECT_EQ(AnswerMessage(), Completed) << "the other program's copy ran";
    EXPECT_TRUE(WaitUntilGone(SetupClass, ProcessEndsMilliseconds));
    EXPECT_FALSE(FileExists(folder + "\\DRIM32.EXE"));
    EXPECT_TRUE(ReadWholeFile(WindowsCopyPath()) == otherCopy) << "the other program's copy stayed";
}

// The second Yes takes this program's settings only: another program of the
// maker keeps its key and the maker's values stay.
TEST_F(Uninstallation, AnotherProgramOfTheMakerKeepsItsSettings)
{
    const std::string folder = "C:\\Neighbour";
    ASSERT_NO_FATAL_FAILURE(InstallFrom(source_, folder));
    const std::string neighbour = std::string(VendorKeyPath) + "\\OTHER32";
    SetString(neighbour.c_str(), "Version", "3");
    SetString(VendorKeyPath, "Shared", "kept");

    Uninstall(folder + "\\DRIM32.EXE", true);

    EXPECT_FALSE(SettingsKeyExists());
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, neighbour, "Version"), "3");
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, VendorKeyPath, "Shared"), "kept");
    DeleteVendorTree();
}

// "/uninstall" of a copy outside the installation folder acts on that copy:
// its folder goes, the installed files stay.
TEST_F(Uninstallation, ACopyOutsideTheInstallationUninstallsItselfOnly)
{
    const std::string folder = "C:\\Installed";
    ASSERT_NO_FATAL_FAILURE(InstallFrom(source_, folder));
    const std::string outside = "C:\\Outside";
    ASSERT_TRUE(CreateDirectoryA(outside.c_str(), nullptr));
    for (const char* name : { "\\DRIM32.EXE", "\\DRIM32.TXT" })
        ASSERT_TRUE(CopyFileA((folder + name).c_str(), (outside + name).c_str(), FALSE)) << name;

    Uninstall(outside + "\\DRIM32.EXE", true);

    EXPECT_FALSE(FolderExists(outside));
    for (const char* name : { "\\DRIM32.EXE", "\\DRIM32.TXT", "\\DRIM32.HLP", "\\DRIM32.CHM" })
        EXPECT_TRUE(FileExists(folder + name)) << name;
}

// No copy can be placed: a folder of its name stands in the Windows folder,
// and in the user's own folder an older copy that another program holds,
// so that it cannot be replaced.  That copy is not started: the start
// fails, its message names what remains, the program file and its folder
// with it, and neither hand-over key is left behind.
TEST_F(Uninstallation, ACopyThatCannotStartNamesTheRemainsAndLeavesNoHandOver)
{
    const std::string temporaryCopy = TemporaryCopyPath();
    CreateDirectoryA(TemporaryCopyFolder().c_str(), nullptr);
    const std::string planted = ReadWholeFile(source_.Program()) + "an older build";
    WriteWholeFile(temporaryCopy, planted);
    const UniqueHandle plantedHeld = HeldOpen(temporaryCopy);
    ASSERT_TRUE(plantedHeld);
    ASSERT_TRUE(CreateDirectoryA(WindowsCopyPath().c_str(), nullptr));
    ASSERT_NO_FATAL_FAILURE(WriteStaleDefaultUserHandover());
    const std::string folder = "C:\\NoCopy";
    ASSERT_NO_FATAL_FAILURE(InstallFrom(source_, folder));
    const std::string readme = folder + "\\DRIM32.TXT";
    const UniqueHandle held = HeldOpen(readme);
    ASSERT_TRUE(held);

    RunningProgram uninstaller(folder + "\\DRIM32.EXE", "/uninstall");
    EXPECT_EQ(AnswerQuestion(true), Confirmation);
    EXPECT_EQ(AnswerQuestion(true), SettingsQuestion);
    EXPECT_EQ(AnswerMessage(),
        "1ｱﾝｲﾝｽﾂｰﾙｴﾗｰ：ｱﾝｲﾝｽﾂｰﾙｿﾌﾄの起動に失敗しました\r\n" + Incomplete + "\r\n" + readme + "\r\n" + folder
            + "\\DRIM32.EXE\r\n" + folder);
    EXPECT_TRUE(uninstaller.WaitForExit(ProcessEndsMilliseconds));
    EXPECT_EQ(uninstaller.ExitCode(), IncompleteExitCode);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, HandoverPath));
    EXPECT_FALSE(KeyExists(HKEY_USERS, DefaultUserHandoverPath));
    EXPECT_TRUE(FileExists(folder + "\\DRIM32.EXE"));
    EXPECT_TRUE(ReadWholeFile(temporaryCopy) == planted) << "the held copy stayed as it was";
    EXPECT_TRUE(RemoveDirectoryA(WindowsCopyPath().c_str()));
}

// Without "Group", a Startup group and a "Desktop" folder the uninstaller
// sends Program Manager nothing, so the group's item stays, and does the
// rest.
TEST_F(Uninstallation, WithoutGroupStartupAndDesktopProgramManagerIsLeftAlone)
{
    const char* shellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    const std::string folder = "C:\\NoGroup";
    ASSERT_NO_FATAL_FAILURE(InstallFrom(source_, folder));
    const std::string groupLink = SpecialFolder(CSIDL_PROGRAMS) + "\\PALUN RUZI32\\" + InstalledLinkName;
    ASSERT_TRUE(WaitUntil([&] { return FileExists(groupLink); }, SetupBoxMilliseconds));
    DeleteValue(SettingsKeyPath, "Group");
    DeleteValue(MapGroupsPath, "StartUp");
    const TempFolder startupParent;
    ASSERT_TRUE(CreateDirectoryA((startupParent / "StartUp").c_str(), nullptr));
    const StartupFolderElsewhere startup(startupParent / "StartUp");
    const std::string desktop = ReadString(HKEY_CURRENT_USER, shellFolders, "Desktop");
    DeleteValue(shellFolders, "Desktop");

    Uninstall(folder + "\\DRIM32.EXE", true);

    EXPECT_TRUE(FileExists(groupLink)) << "a DeleteItem reached the group";
    EXPECT_FALSE(FolderExists(folder));
    EXPECT_FALSE(SettingsKeyExists());
    if (desktop != "<missing>")
        SetString(shellFolders, "Desktop", desktop);
}

} // namespace
