#include "ProgmanStandIn.h"
#include "SetupDriving.h"
#include "StartupFolder.h"

#include "shell/ProgmanLink.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string WindowCaption = "ｽｸﾘｰﾝ･ｾｰﾊﾞｰ&省電力OFF V1．4 インスツール";
// 表 ends in 0x5C, the byte of a backslash.
const std::string BlankAndTrailFolder = "C:\\PALUNP32\\My Tools\\ツール表";

RECT ClientRectOf(HWND setup, HWND control)
{
    return RectInParent(control, setup);
}

void ExpectAt(HWND setup, HWND control, int left, int top, int width, int height)
{
    ASSERT_NE(control, nullptr);
    const RECT rect = ClientRectOf(setup, control);
    EXPECT_EQ(rect.left, left) << WindowText(control);
    EXPECT_EQ(rect.top, top) << WindowText(control);
    EXPECT_EQ(rect.right - rect.left, width) << WindowText(control);
    EXPECT_EQ(rect.bottom - rect.top, height) << WindowText(control);
}

bool SameFile(const std::string& a, const std::string& b)
{
    const FILETIME ta = LastWriteTime(a);
    const FILETIME tb = LastWriteTime(b);
    return ReadWholeFile(a) == ReadWholeFile(b) && ta.dwLowDateTime == tb.dwLowDateTime
        && ta.dwHighDateTime == tb.dwHighDateTime;
}

class Installation : public FreshSettings {
protected:
    void SetUp() override
    {
        FreshSettings::SetUp();
        DeleteValue(MapGroupsPath, "StartUp");
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, UninstallEntryPath);
    }
};

// A first start on a clean system: the filled window, a three-level folder
// made after one question, the files, the registry, the Program Manager
// items (the Startup one in the system's Startup folder, without MapGroups),
// the completion and a next start that is the tray program.
TEST_F(Installation, FreshSystemInstallsEverythingAndTheNextStartIsTheTray)
{
    InstallSource source;
    RunningProgram installer(source.Program(), "");
    HWND setup = WaitForShownSetup(installer);
    ASSERT_NE(setup, nullptr);
    SavePicture(setup, "Setup_FreshSystem");

    EXPECT_EQ(WindowText(setup), WindowCaption);
    EXPECT_TRUE(IsWindowVisible(setup));
    EXPECT_NE(GetWindowLongA(setup, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    RECT client {};
    GetClientRect(setup, &client);
    EXPECT_EQ(client.right, 441);
    EXPECT_EQ(client.bottom, 171);
    EXPECT_EQ(FolderField(setup), "C:\\PALUNP32\\DRIM32");
    EXPECT_EQ(GroupField(setup), "PALUN RUZI32");
    EXPECT_NE(SetupChild(setup, "Static", "DRIM32.EXEを置くフォルダーの設定："), nullptr);
    EXPECT_NE(SetupChild(setup, "Static", "DRIM32.EXEを登録するグループの選択："), nullptr);
    ExpectAt(setup, SetupChild(setup, "Edit"), 8, 32, 289, 26);
    ExpectAt(setup, SetupChild(setup, "Button", "初期値"), 296, 8, 57, 24);
    ExpectAt(setup, SetupChild(setup, "Button", "参照"), 296, 32, 57, 25);
    ExpectAt(setup, SetupChild(setup, "Button", "標準色"), 360, 24, 73, 17);
    ExpectAt(setup, SetupChild(setup, "Button", "中止"), 352, 64, 73, 33);
    ExpectAt(setup, SetupChild(setup, "Button", "設定"), 352, 104, 73, 33);
    ExpectAt(setup, SetupChild(setup, "Button", "設定中"), 352, 104, 73, 33);
    ExpectAt(setup, SetupChild(setup, "Button", "スタートアップグループにも、アイコンを登録する。"), 8, 144,
        401, 17);
    EXPECT_EQ(SendMessageA(SetupChild(setup, "Button", "標準色"), BM_GETCHECK, 0, 0), BST_CHECKED);
    // "設定中" lies under "設定": it comes after it in the z-order.
    for (HWND below = SetupChild(setup, "Button", "設定"); below != nullptr;
         below = GetWindow(below, GW_HWNDNEXT)) {
        if (WindowText(below) == "設定中")
            break;
        ASSERT_NE(GetWindow(below, GW_HWNDNEXT), nullptr) << "設定中 is above 設定";
    }

    const std::string folder = "C:\\PALUNP32\\DRIM32";
    Install(setup, folder, true, false);
    EXPECT_EQ(AnswerQuestion(true, "Setup_FolderQuestion"), folder + "\r\nフォルダーを作成します");
    const std::string done = AnswerMessage("Setup_Completed");
    EXPECT_EQ(done, "登録完了です。\r\n\r\n[ PALUN RUZI32 ]\r\nグループに登録しました☆☆\r\nお疲れ様☆☆");
    EXPECT_TRUE(installer.WaitForExit(ProcessEndsMilliseconds));

    for (const char* name : { "DRIM32.EXE", "DRIM32.TXT", "DRIM32.HLP", "DRIM32.CHM" })
        EXPECT_TRUE(SameFile(source.File(name), folder + "\\" + name)) << name;
    EXPECT_EQ(ReadSetting("EXEPATH"), folder);
    EXPECT_EQ(ReadSetting("Group"), "PALUN RUZI32");
    EXPECT_EQ(ReadSetting("Version"), "14");
    EXPECT_EQ(ReadSetting("BackColor"), "1");
    EXPECT_EQ(
        ReadString(HKEY_LOCAL_MACHINE, UninstallEntryPath, "DisplayName"), "PALUN ｽｸﾘｰﾝｾｰﾊﾞｰ 省電力OFF V1.4");
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, UninstallEntryPath, "UninstallString"),
        "C:\\PALUNP32\\DRIM32\\DRIM32.EXE /uninstall");
    ExpectListedInFull(HKEY_LOCAL_MACHINE, folder);
    const std::string groupLink = SpecialFolder(CSIDL_PROGRAMS) + "\\PALUN RUZI32\\" + InstalledLinkName;
    const std::string startupLink = SpecialFolder(CSIDL_STARTUP) + "\\" + InstalledLinkName;
    EXPECT_TRUE(
        WaitUntil([&] { return FileExists(groupLink) && FileExists(startupLink); }, SetupBoxMilliseconds))
        << groupLink;

    RunningProgram next(folder + "\\DRIM32.EXE", "");
    HWND tray = WaitForStartedWindow(TrayClass, next);
    EXPECT_NE(tray, nullptr);
    EXPECT_EQ(CountTopLevelWindows(SetupClass), 0);
    if (tray != nullptr) {
        EXPECT_TRUE(CloseAndWaitForExit(tray, next));
    }
}

// A reinstallation proposes what was recorded; "初期値" restores it; a folder
// with a blank that ends in 表 is made and recorded as typed, with a quoted
// uninstall command; without a
// Startup group (the Startup folder outside the Programs folder) the
// installation says so and goes on; a package made before the HTML Help file
// shipped installs all the same.
TEST_F(Installation, ReinstallationProposesTheRecordedFolderAndGroup)
{
    const TempFolder startupParent;
    ASSERT_TRUE(CreateDirectoryA((startupParent / "StartUp").c_str(), nullptr));
    const StartupFolderElsewhere startup(startupParent / "StartUp");
    SetSetting("EXEPATH", "D:\\recorded");
    SetSetting("Group", "palun ruzi32");
    InstallSource source(true, false);
    RunningProgram installer(source.Program(), "");
    HWND setup = WaitForShownSetup(installer);
    ASSERT_NE(setup, nullptr);
    EXPECT_EQ(FolderField(setup), "D:\\recorded");
    EXPECT_EQ(GroupField(setup), "PALUN RUZI32");
    TypeFolder(setup, "elsewhere");
    PressSetupButton(setup, "初期値");
    EXPECT_TRUE(WaitUntil([&] { return FolderField(setup) == "D:\\recorded"; }, SetupBoxMilliseconds));

    Install(setup, BlankAndTrailFolder, true, true);
    EXPECT_EQ(AnswerMessage(), "ｱｲｺﾝ:スタートアップグループが不明ですので アイコン登録出来ません");
    EXPECT_NE(AnswerMessage().find("登録完了です。"), std::string::npos);
    EXPECT_TRUE(installer.WaitForExit(ProcessEndsMilliseconds));
    EXPECT_TRUE(FileExists(BlankAndTrailFolder + "\\DRIM32.HLP"));
    EXPECT_FALSE(FileExists(BlankAndTrailFolder + "\\DRIM32.CHM"));
    EXPECT_EQ(ReadSetting("EXEPATH"), BlankAndTrailFolder);
    const std::string command = ReadString(HKEY_LOCAL_MACHINE, UninstallEntryPath, "UninstallString");
    EXPECT_EQ(command, "\"" + BlankAndTrailFolder + "\\DRIM32.EXE\" /uninstall");

    // The command as the system runs it, with no program named apart: the
    // one a user put where an unquoted path would end first stays unused.
    const std::string planted = "C:\\PALUNP32\\My.exe";
    ASSERT_TRUE(
        CopyFileA(WindowsPathFromEnvironment("DRIM_COMMAND_RECORDER").c_str(), planted.c_str(), FALSE));
    STARTUPINFOA startInfo {};
    startInfo.cb = sizeof startInfo;
    PROCESS_INFORMATION started {};
    std::string commandLine = command;
    ASSERT_TRUE(CreateProcessA(
        nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startInfo, &started));
    CloseHandle(started.hThread);
    RunningProgram uninstaller = RunningProgram::Adopt(started.dwProcessId);
    CloseHandle(started.hProcess);
    EXPECT_NE(AnswerQuestion(false).find("ｱﾝｲﾝｽﾂｰﾙしてよろしいですか"), std::string::npos);
    EXPECT_EQ(AnswerMessage(), "ｱﾝｲﾝｽﾂｰﾙを中止しました。");
    EXPECT_TRUE(uninstaller.WaitForExit(ProcessEndsMilliseconds));
    EXPECT_FALSE(FileExists(planted + ".cmdline"));
    DeleteFileA(planted.c_str());

    // The installer run from the chosen folder copies nothing and does the
    // rest, and takes the mark of the web off the four files as a copy
    // would.  Wine keeps a stream as a file of that name beside the file.
    const std::string marker = "kept, not copied over";
    WriteWholeFile(BlankAndTrailFolder + "\\DRIM32.TXT", marker);
    const auto mark
        = [](const std::string& name) { return BlankAndTrailFolder + "\\" + name + ":Zone.Identifier"; };
    for (const char* name : { "DRIM32.EXE", "DRIM32.TXT", "DRIM32.HLP", "DRIM32.CHM", "DRIM32.GID" })
        WriteWholeFile(mark(name), "[ZoneTransfer]\r\nZoneId=3\r\n");
    DeleteValue(SettingsKeyPath, "Version");
    RunningProgram again(BlankAndTrailFolder + "\\DRIM32.EXE", "");
    HWND second = WaitForShownSetup(again);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(FolderField(second), BlankAndTrailFolder);
    Press(SetupChild(second, "Button", "標準色"));
    PressSetupButton(second, "設定");
    EXPECT_NE(AnswerMessage().find("登録完了です。"), std::string::npos);
    EXPECT_TRUE(again.WaitForExit(ProcessEndsMilliseconds));
    EXPECT_EQ(ReadWholeFile(BlankAndTrailFolder + "\\DRIM32.TXT"), marker);
    for (const char* name : { "DRIM32.EXE", "DRIM32.TXT", "DRIM32.HLP", "DRIM32.CHM" })
        EXPECT_FALSE(FileExists(mark(name))) << name;
    EXPECT_TRUE(FileExists(mark("DRIM32.GID")));
    EXPECT_EQ(ReadSetting("Version"), "14");
    EXPECT_EQ(ReadSetting("BackColor"), "0");
}

// Program Manager refuses the item (its shortcut file cannot be made where
// a folder of that name stands): the failure is shown, and the completion
// no longer claims the group.
TEST_F(Installation, ARefusedItemIsShownAndTheCompletionClaimsNoGroup)
{
    const std::string group = SpecialFolder(CSIDL_PROGRAMS) + "\\PALUN REFUSED";
    const std::string blocked = group + "\\" + InstalledLinkName;
    ASSERT_TRUE(CreateDirectoryA(group.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(blocked.c_str(), nullptr));
    InstallSource source;
    RunningProgram installer(source.Program(), "");
    HWND setup = WaitForShownSetup(installer);
    ASSERT_NE(setup, nullptr);
    SendMessageA(SetupChild(setup, "ComboBox"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("PALUN REFUSED"));

    Install(setup, "C:\\Refused", false, true);
    EXPECT_EQ(AnswerMessage("Setup_ItemRefused"), "DDE:送信に失敗しました・・・");
    EXPECT_EQ(AnswerMessage(), "登録完了です。\r\n\r\n[ PALUN REFUSED ]\r\nお疲れ様☆☆");
    EXPECT_TRUE(installer.WaitForExit(ProcessEndsMilliseconds));
    EXPECT_EQ(ReadSetting("Version"), "14");
    RemoveDirectoryA(blocked.c_str());
    RemoveDirectoryA(group.c_str());
}

// The shell carries CreateGroup out only after the installer has stopped
// waiting for its answer: the item follows, and the completion claims the
// group.
TEST_F(Installation, AGroupMadeLateLetsTheItemFollow)
{
    const std::string group = SpecialFolder(CSIDL_PROGRAMS) + "\\PALUN LATE";
    const ProgmanStandIn shell([&](const std::string& command) {
        if (command.rfind("[CreateGroup(", 0) == 0) {
            Sleep(ProgmanAnswerTimeoutMs + 1000);
            CreateDirectoryA(group.c_str(), nullptr);
        }
    });
    ASSERT_TRUE(shell.Serving());
    InstallSource source;
    RunningProgram installer(source.Program(), "");
    HWND setup = WaitForShownSetup(installer);
    ASSERT_NE(setup, nullptr);
    SendMessageA(SetupChild(setup, "ComboBox"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("PALUN LATE"));

    Install(setup, "C:\\Late", false, true);
    EXPECT_EQ(
        AnswerMessage(), "登録完了です。\r\n\r\n[ PALUN LATE ]\r\nグループに登録しました☆☆\r\nお疲れ様☆☆");
    EXPECT_TRUE(installer.WaitForExit(ProcessEndsMilliseconds));
    const std::vector<std::string> commands = shell.Commands();
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[1].rfind("[AddItem(", 0), 0u) << commands[1];
    RemoveDirectoryA(group.c_str());
}

// Stops that leave the window ready again: a missing DRIM32.TXT (nothing
// recorded), No to the folder question of a relative folder (taken in the
// folder the last run reached), an over-long folder, an empty group; then
// "参照" and "中止".
TEST_F(Installation, StopsLeaveTheWindowReadyAndCancelEnds)
{
    InstallSource source(false);
    TempFolder target;
    RunningProgram installer(source.Program(), "");
    HWND setup = WaitForShownSetup(installer);
    ASSERT_NE(setup, nullptr);

    TypeFolder(setup, target.Path());
    PressSetupButton(setup, "設定");
    EXPECT_EQ(AnswerMessage(), "DRIM32.TXT\r\nファイルのコピーに失敗しました・・・");
    EXPECT_TRUE(WaitUntil([&] { return InstallButtonShown(setup); }, SetupBoxMilliseconds));
    EXPECT_TRUE(FileExists(target / "DRIM32.EXE"));
    EXPECT_FALSE(FileExists(target / "DRIM32.HLP"));
    EXPECT_FALSE(SettingsKeyExists());
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UninstallEntryPath));

    TypeFolder(setup, "relative");
    PressSetupButton(setup, "設定");
    EXPECT_EQ(AnswerQuestion(false), target / "relative" + "\r\nフォルダーを作成します");
    EXPECT_TRUE(WaitUntil([&] { return InstallButtonShown(setup); }, SetupBoxMilliseconds));
    EXPECT_FALSE(FolderExists(target / "relative"));
    EXPECT_EQ(CountTopLevelWindows(SetupMessageBoxClass, installer.Id()), 0);

    TypeFolder(setup, "C:\\" + std::string(300, 'x'));
    PressSetupButton(setup, "設定");
    EXPECT_EQ(AnswerMessage(), "[  ]\r\nデータが不正です");
    EXPECT_TRUE(WaitUntil([&] { return InstallButtonShown(setup); }, SetupBoxMilliseconds));

    TypeFolder(setup, target.Path());
    SendMessageA(SetupChild(setup, "ComboBox"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    PressSetupButton(setup, "設定");
    EXPECT_EQ(AnswerMessage(), "グループ名を設定して下さい。");

    // "参照" opens the folder browser on the field's folder and puts the
    // folder chosen there into the field.
    TypeFolder(setup, target.Path());
    PressSetupButton(setup, "参照");
    HWND browser = WaitForWindow("TDIRVIEWForm", SetupBoxMilliseconds, installer.Id());
    ASSERT_NE(browser, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(browser) != FALSE; }, SetupBoxMilliseconds));
    Press(SetupChild(browser, "Button", "設定"));
    EXPECT_TRUE(WaitUntilGone(browser, SetupBoxMilliseconds));
    std::string chosen = target.Path().substr(0, target.Path().size() - 1);
    CharLowerA(chosen.data());
    EXPECT_TRUE(WaitUntil([&] { return FolderField(setup) == chosen; }, SetupBoxMilliseconds))
        << FolderField(setup);

    // With neither the field's folder nor the program's own listable, "参照"
    // says so and gives the field the focus back.
    std::string programFolder = source.File("");
    programFolder.pop_back();
    const std::string movedFolder = programFolder + "-moved";
    ASSERT_TRUE(MoveFileA(programFolder.c_str(), movedFolder.c_str()));
    TypeFolder(setup, "Q:\\nowhere");
    PressSetupButton(setup, "参照");
    EXPECT_EQ(AnswerMessage(), "エラー回避に失敗しました\r\n別のドライブか、フォルダーを選択してみて下さい");
    const HWND field = SetupChild(setup, "Edit");
    EXPECT_TRUE(WaitUntil(
        [&] { return FocusOf(GetWindowThreadProcessId(setup, nullptr)) == field; }, SetupBoxMilliseconds));
    EXPECT_EQ(FolderField(setup), "Q:\\nowhere");
    ASSERT_TRUE(MoveFileA(movedFolder.c_str(), programFolder.c_str()));

    PressSetupButton(setup, "中止");
    EXPECT_EQ(AnswerMessage("Setup_Cancelled"), "インスツールを中止します。");
    EXPECT_TRUE(installer.WaitForExit(ProcessEndsMilliseconds));
    EXPECT_FALSE(SettingsKeyExists());
}

// A setting the user may not write stops the installation with a message
// naming its key: the files are in place, "Version" is not written, and the
// window is ready again.
TEST_F(Installation, ARefusedSettingStopsTheInstallationNamingTheKey)
{
    InstallSource source;
    TempFolder target;
    RunningProgram installer(source.Program(), "");
    HWND setup = WaitForShownSetup(installer);
    ASSERT_NE(setup, nullptr);
    {
        const RefusingKey vendor(HKEY_CURRENT_USER, VendorKeyPath);
        Install(setup, target.Path(), false, false);
        EXPECT_EQ(AnswerMessage(),
            "レジストリへの書き込みに失敗しました・・・\r\nHKEY_CURRENT_USER\\"
                + std::string(SettingsKeyPath));
        EXPECT_TRUE(WaitUntil([&] { return InstallButtonShown(setup); }, SetupBoxMilliseconds));
        EXPECT_TRUE(FileExists(target / "DRIM32.EXE"));
        EXPECT_FALSE(SettingsKeyExists());
    }
    PressSetupButton(setup, "中止");
    EXPECT_EQ(AnswerMessage(), "インスツールを中止します。");
    EXPECT_TRUE(installer.WaitForExit(ProcessEndsMilliseconds));
}

// A program file in the chosen folder that another process holds (a copy
// still running, a scanner): the copy fails with its message and nothing is
// recorded; once it is let go, the same installation goes through, and puts
// a new file in the old one's place rather than writing into it.
TEST_F(Installation, AHeldProgramFileStopsTheCopyAndNothingIsRecorded)
{
    InstallSource source;
    TempFolder target;
    WriteWholeFile(target / "DRIM32.EXE", "an older program");
    const std::uint64_t older = FileIdentity(target / "DRIM32.EXE");
    RunningProgram installer(source.Program(), "");
    HWND setup = WaitForShownSetup(installer);
    ASSERT_NE(setup, nullptr);
    {
        const UniqueHandle held(CreateFileA((target / "DRIM32.EXE").c_str(), GENERIC_READ, FILE_SHARE_READ,
            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(held);
        Install(setup, target.Path(), false, false);
        EXPECT_EQ(AnswerMessage(), "DRIM32.EXE\r\nファイルのコピーに失敗しました・・・");
        EXPECT_TRUE(WaitUntil([&] { return InstallButtonShown(setup); }, SetupBoxMilliseconds));
        EXPECT_EQ(ReadWholeFile(target / "DRIM32.EXE"), "an older program");
        EXPECT_FALSE(FileExists(target / "DRIM32.EXE.new"));
        EXPECT_FALSE(SettingsKeyExists());
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UninstallEntryPath));
    }
    PressSetupButton(setup, "設定");
    EXPECT_NE(AnswerMessage().find("登録完了です。"), std::string::npos);
    EXPECT_TRUE(installer.WaitForExit(ProcessEndsMilliseconds));
    EXPECT_TRUE(SameFile(source.Program(), target / "DRIM32.EXE"));
    EXPECT_NE(FileIdentity(target / "DRIM32.EXE"), older);
    EXPECT_EQ(ReadSetting("Version"), std::optional<std::string>("14"));
}

// A close while the window is still being made (it asks Program Manager for
// the groups first) waits for the window and then ends the program.
TEST_F(Installation, CloseDuringCreationEndsTheProgram)
{
    InstallSource source;
    RunningProgram installer(source.Program(), "");
    HWND setup = WaitForWindow(SetupClass, WindowAppearsMilliseconds, installer.Id());
    ASSERT_NE(setup, nullptr);
    PostMessageA(setup, WM_CLOSE, 0, 0);
    EXPECT_TRUE(installer.WaitForExit(ProcessEndsMilliseconds));
    EXPECT_EQ(installer.ExitCode(), 0u);
}

} // namespace
