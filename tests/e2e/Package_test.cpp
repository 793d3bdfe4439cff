#include "HelpViewer.h"
#include "SetupDriving.h"
#include "TrayDriving.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr const char* PackageFiles[] = { "DRIM32.EXE", "DRIM32.TXT", "DRIM32.HLP", "DRIM32.CHM" };
constexpr DWORD AnyProcess = 0;
const std::string InstalledGroup = "PALUN RUZI32";
const std::string Confirmation = "PALUN ｽｸﾘｰﾝｾｰﾊﾞｰ 省電力OFF V1.4\r\nを、ｱﾝｲﾝｽﾂｰﾙしてよろしいですか？？？";
const std::string Completed = "アンインスツールが完了しました☆☆☆\r\nお疲れ様☆☆☆";

// The tree packs the distributable into package\DRIM32 beside the program
// it builds.
std::string PackageFolder()
{
    const std::string built = ProgramPath();
    return built.substr(0, built.rfind('\\') + 1) + "package\\DRIM32\\";
}

bool SameTime(const FILETIME& a, const FILETIME& b)
{
    return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

// The package as a user unpacks it: its folder's files copied, dates kept,
// into a folder of the prefix's own.
class UnpackedPackage {
public:
    UnpackedPackage()
    {
        for (const char* name : PackageFiles)
            EXPECT_TRUE(CopyFileA((PackageFolder() + name).c_str(), (folder_ / name).c_str(), TRUE)) << name;
    }
    std::string File(const std::string& name) const { return folder_ / name; }

private:
    TempFolder folder_;
};

class Package : public FreshSettings {
protected:
    void SetUp() override
    {
        FreshSettings::SetUp();
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, UninstallEntryPath);
    }
};

// The shipped files install into the proposed folder, the installed
// program's help opens from its tray menu and closes with it, and the
// uninstallation takes every file of the program away again.
TEST_F(Package, InstallsFromTheUnpackedPackageShowsItsHelpAndUninstalls)
{
    UnpackedPackage package;
    std::string folder;
    {
        RunningProgram installer(package.File("DRIM32.EXE"), "");
        HWND setup = WaitForShownSetup(installer);
        ASSERT_NE(setup, nullptr);
        SavePicture(setup, "Package_Setup");
        folder = FolderField(setup);
        ASSERT_FALSE(FolderExists(folder)) << folder;
        PressSetupButton(setup, "設定");
        EXPECT_EQ(AnswerQuestion(true), folder + "\r\nフォルダーを作成します");
        EXPECT_NE(AnswerMessage().find("登録完了です。"), std::string::npos);
        ASSERT_TRUE(installer.WaitForExit(ProcessEndsMilliseconds));
    }
    for (const char* name : PackageFiles) {
        const std::string installed = folder + "\\" + name;
        EXPECT_EQ(ReadWholeFile(installed), ReadWholeFile(package.File(name))) << name;
        EXPECT_TRUE(SameTime(LastWriteTime(installed), LastWriteTime(package.File(name)))) << name;
    }
    const std::string program = folder + "\\DRIM32.EXE";
    const std::string groupLink
        = SpecialFolder(CSIDL_PROGRAMS) + "\\" + InstalledGroup + "\\" + InstalledLinkName;
    EXPECT_TRUE(WaitUntil([&] { return FileExists(groupLink); }, SetupBoxMilliseconds)) << groupLink;
    CloseShellFolderWindow(InstalledGroup);

    {
        ResidentTray tray;
        ASSERT_NO_FATAL_FAILURE(tray.Start("", program));
        ASSERT_NO_FATAL_FAILURE(tray.Choose(MouseButton::Left, 'Z', "Tray_ShortMenu"));
        // The icon's tip, shown while the pointer rested on it, would cover
        // the next menu's picture; leaving the icon takes it away.
        ASSERT_TRUE(
            MovePointer(POINT { GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2 }));
        ASSERT_NO_FATAL_FAILURE(tray.Choose(MouseButton::Right, 'H', "Tray_FullMenu"));
        // The package holds DRIM32.CHM, which the help item opens on any
        // Windows.
        HWND viewer = WaitForVisibleWindow(HtmlHelpClass, tray.Program().Id(), ViewerAppearsMilliseconds);
        ASSERT_NE(viewer, nullptr) << "the installed program's help item opened no viewer";
        EXPECT_EQ(WindowText(viewer), HtmlHelpCaption);
        // A viewer that takes the foreground while the menu is up closes the
        // menu at once; on a busy machine it can come that late.
        WaitUntil([&] { return GetForegroundWindow() == viewer; }, ViewerAppearsMilliseconds);
        ASSERT_NO_FATAL_FAILURE(tray.Choose(MouseButton::Right, 'X'));
        EXPECT_TRUE(WaitUntilGone(HtmlHelpClass, ViewerClosesMilliseconds, tray.Program().Id()));
        ASSERT_TRUE(tray.Program().WaitForExit(ProcessEndsMilliseconds));
        EXPECT_EQ(tray.Program().ExitCode(), 0u);
    }

    RunningProgram uninstaller(program, "/uninstall");
    EXPECT_EQ(AnswerQuestion(true, "Package_UninstallQuestion"), Confirmation);
    EXPECT_NE(AnswerQuestion(true), "");
    EXPECT_TRUE(uninstaller.WaitForExit(ProcessEndsMilliseconds));
    EXPECT_EQ(AnswerMessage(), Completed);
    EXPECT_TRUE(WaitUntilGone(SetupClass, ProcessEndsMilliseconds));
    for (const char* name : PackageFiles)
        EXPECT_FALSE(FileExists(folder + "\\" + name)) << name;
    EXPECT_FALSE(FolderExists(folder.substr(0, folder.rfind('\\'))));
    EXPECT_TRUE(WaitUntil([&] { return !FileExists(groupLink); }, SetupBoxMilliseconds));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UninstallEntryPath));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, VendorKeyPath));
}

} // namespace
