#pragma once

// Driving the setup window and its boxes from outside, as the user does:
// reading its controls, typing into its fields, pressing its buttons and
// answering the questions and messages of the installer, the uninstaller
// and the uninstall copy.  Header only: the support library's source list
// stays as it is.

#include "Observe.h"
#include "Program.h"
#include "Resident.h"
#include "SettingsRegistry.h"
#include "TempFolder.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <string>
#include <utility>

inline constexpr char SetupYesNoBoxClass[] = "TYesNoBox";
inline constexpr char SetupMessageBoxClass[] = "TPalunBox";
// A box comes after Program Manager's commands or a folder's creation.
inline constexpr DWORD SetupBoxMilliseconds = 30000;

inline const std::string InstalledLinkName = "ｽｸﾘｰﾝｾｰﾊﾞｰ 省電力OFF.lnk";
inline constexpr char UninstallEntryPath[]
    = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\DRIM32";
inline constexpr char HandoverPath[] = "Software\\Unin_PALUN RUZI32";
inline constexpr char MapGroupsPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MapGroups";

// The installer's window once its creation is over: it is shown only then.
inline HWND WaitForShownSetup(const RunningProgram& program)
{
    HWND setup = WaitForStartedWindow(SetupClass, program);
    if (setup == nullptr
        || !WaitUntil([&] { return IsWindowVisible(setup) != FALSE; }, WindowAppearsMilliseconds))
        return nullptr;
    return setup;
}

// A direct child of the setup window by class and, when given, its text.
inline HWND SetupChild(HWND setup, const char* className, const char* text = nullptr)
{
    return FindWindowExA(setup, nullptr, className, text);
}

inline std::string FolderField(HWND setup)
{
    return WindowText(SetupChild(setup, "Edit"));
}

inline std::string GroupField(HWND setup)
{
    return WindowText(SetupChild(setup, "ComboBox"));
}

inline void TypeFolder(HWND setup, const std::string& text)
{
    SendMessageA(SetupChild(setup, "Edit"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// Posted: the click's handler opens modal boxes that the test answers.
inline void Press(HWND button)
{
    ASSERT_NE(button, nullptr);
    PostMessageA(button, BM_CLICK, 0, 0);
}

inline void PressSetupButton(HWND setup, const char* caption)
{
    Press(SetupChild(setup, "Button", caption));
}

inline bool InstallButtonShown(HWND setup)
{
    return IsWindowVisible(SetupChild(setup, "Button", "設定")) != FALSE;
}

// The boxes draw their symbol 100 ms after each paint; the picture is
// taken well after it.  Only the pictures wait: no check depends on it.
inline constexpr DWORD PaintedMilliseconds = 400;

inline void SavePicture(HWND window, const std::string& name)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Sleep(PaintedMilliseconds);
    SaveScreenshot(window, name);
}

// The first visible box of the class in any process: the uninstall copy's
// boxes belong to a process the test did not start.
inline HWND WaitForSetupBox(const char* className, DWORD milliseconds = SetupBoxMilliseconds)
{
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND box : TopLevelWindows(className))
                if (IsWindowVisible(box))
                    found = box;
            return found != nullptr;
        },
        milliseconds);
    return found;
}

// A box's message as its text field holds it (line feeds as CR LF).
inline std::string SetupBoxText(HWND box)
{
    return WindowText(FindWindowExA(box, nullptr, "Edit", nullptr));
}

// Waits for a box, keeps its picture when `shot` is given, presses the
// button and returns the message; empty when no box came.
inline std::string AnswerBox(const char* className, const char* button, const std::string& shot = {},
    DWORD milliseconds = SetupBoxMilliseconds)
{
    HWND box = WaitForSetupBox(className, milliseconds);
    if (box == nullptr)
        return {};
    const std::string text = SetupBoxText(box);
    if (!shot.empty())
        SavePicture(box, shot);
    PostMessageA(FindWindowExA(box, nullptr, "Button", button), BM_CLICK, 0, 0);
    WaitUntilGone(box, SetupBoxMilliseconds);
    return text;
}

inline std::string AnswerMessage(const std::string& shot = {})
{
    return AnswerBox(SetupMessageBoxClass, "ＯＫ", shot);
}

inline std::string AnswerQuestion(
    bool yes, const std::string& shot = {}, DWORD milliseconds = SetupBoxMilliseconds)
{
    return AnswerBox(SetupYesNoBoxClass, yes ? "はい" : "いいえ", shot, milliseconds);
}

// The last box of a process the test did not start (the uninstall copy's):
// its message, answered, and the exit code the process ends with.
struct LastBox {
    std::string text;
    DWORD exitCode = STILL_ACTIVE;
};

inline LastBox AnswerLastMessage()
{
    HWND box = WaitForSetupBox(SetupMessageBoxClass);
    if (box == nullptr)
        return {};
    DWORD processId = 0;
    GetWindowThreadProcessId(box, &processId);
    RunningProgram process = RunningProgram::Adopt(processId);
    LastBox last { AnswerMessage() };
    if (process.WaitForExit(SetupBoxMilliseconds))
        last.exitCode = process.ExitCode();
    return last;
}

inline std::string SpecialFolder(int csidl)
{
    char path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE))
        return {};
    return path;
}

inline std::string ReadString(HKEY root, const std::string& key, const std::string& name)
{
    char data[1024] = {};
    DWORD size = sizeof data - 1;
    if (RegGetValueA(root, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
        return "<missing>";
    return data;
}

// What the system's list of programs shows of the program installed in
// `folder`, besides its name and command.
inline void ExpectListedInFull(HKEY root, const std::string& folder)
{
    DWORD bytes = 0;
    for (const char* name : { "DRIM32.EXE", "DRIM32.TXT", "DRIM32.HLP", "DRIM32.CHM" })
        if (FileExists(folder + "\\" + name))
            bytes += static_cast<DWORD>(ReadWholeFile(folder + "\\" + name).size());
    auto number = [&](const char* name) {
        DWORD data = 0xdeadbeef;
        DWORD size = sizeof data;
        RegGetValueA(root, UninstallEntryPath, name, RRF_RT_REG_DWORD, nullptr, &data, &size);
        return data;
    };
    EXPECT_EQ(ReadString(root, UninstallEntryPath, "DisplayIcon"), folder + "\\DRIM32.EXE");
    EXPECT_EQ(ReadString(root, UninstallEntryPath, "DisplayVersion"), "1.4");
    EXPECT_EQ(ReadString(root, UninstallEntryPath, "Publisher"), "PALUN RUZI32");
    EXPECT_EQ(ReadString(root, UninstallEntryPath, "InstallLocation"), folder);
    EXPECT_EQ(number("EstimatedSize"), (bytes + 1023) / 1024);
    EXPECT_EQ(number("NoModify"), 1u);
    EXPECT_EQ(number("NoRepair"), 1u);
}

inline bool KeyExists(HKEY root, const std::string& key)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return false;
    RegCloseKey(opened);
    return true;
}

// A key replaced by an empty volatile one for the scope: Wine refuses a
// lasting subkey under it (ERROR_CHILD_MUST_BE_VOLATILE), as Windows refuses
// a write the user has no right to.  An ordinary empty key comes back.
class RefusingKey {
public:
    RefusingKey(HKEY root, std::string path)
        : root_(root)
        , path_(std::move(path))
    {
        RegDeleteTreeA(root_, path_.c_str());
        Recreate(REG_OPTION_VOLATILE);
    }
    ~RefusingKey()
    {
        RegDeleteTreeA(root_, path_.c_str());
        Recreate(REG_OPTION_NON_VOLATILE);
    }
    RefusingKey(const RefusingKey&) = delete;
    RefusingKey& operator=(const RefusingKey&) = delete;

private:
    void Recreate(DWORD options) const
    {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyExA(
                      root_, path_.c_str(), 0, nullptr, options, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS)
            << path_;
        RegCloseKey(key);
    }

    HKEY root_;
    std::string path_;
};

inline constexpr char UninstallFolderPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// The uninstall copy where it goes, and where it goes when the Windows
// folder takes none: a folder of the temporary folder that is the user's
// alone.
inline std::string WindowsCopyPath()
{
    char path[MAX_PATH] = {};
    GetWindowsDirectoryA(path, MAX_PATH);
    return std::string(path) + "\\unin_palun000.exe";
}

inline std::string TemporaryCopyFolder()
{
    char path[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, path);
    return std::string(path) + "PALUN RUZI32";
}

inline std::string TemporaryCopyPath()
{
    return TemporaryCopyFolder() + "\\unin_palun000.exe";
}

inline bool FolderExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The program with its side files in a folder of the test, as a user
// unpacks it: the realistic place to install from.  A package made before
// the HTML Help file shipped has no DRIM32.CHM.
class InstallSource {
public:
    explicit InstallSource(bool withReadme = true, bool withHtmlHelp = true)
    {
        const std::string built = ProgramPath();
        const std::string builtFolder = built.substr(0, built.rfind('\\') + 1);
        for (const char* name : { "DRIM32.EXE", "DRIM32.TXT", "DRIM32.HLP", "DRIM32.CHM" }) {
            if ((!withReadme && std::string(name) == "DRIM32.TXT")
                || (!withHtmlHelp && std::string(name) == "DRIM32.CHM"))
                continue;
            EXPECT_TRUE(CopyFileA((builtFolder + name).c_str(), (folder_ / name).c_str(), FALSE)) << name;
            // An even second: the copies keep dates in the DOS form.
            SetLastWriteTime(folder_ / name, FileTimeFromLocal(2001, 2, 3, 4, 5, 6));
        }
    }
    std::string Program() const { return folder_ / "DRIM32.EXE"; }
    std::string File(const std::string& name) const { return folder_ / name; }

private:
    TempFolder folder_;
};

// Sets the folder and group, ticks the Startup box when asked, presses
// "設定" and answers the folder question (when one comes) with Yes.
inline void Install(HWND setup, const std::string& folder, bool startup, bool expectQuestion)
{
    TypeFolder(setup, folder);
    if (startup)
        Press(SetupChild(setup, "Button", "スタートアップグループにも、アイコンを登録する。"));
    PressSetupButton(setup, "設定");
    if (expectQuestion) {
        EXPECT_EQ(AnswerQuestion(true), folder + "\r\nフォルダーを作成します");
    }
}

// Runs the installer of `source` into `folder` to its completion message.
inline void InstallFrom(const InstallSource& source, const std::string& folder, bool startup = false)
{
    RunningProgram installer(source.Program(), "");
    HWND setup = WaitForShownSetup(installer);
    ASSERT_NE(setup, nullptr);
    Install(setup, folder, startup, !FolderExists(folder));
    EXPECT_NE(AnswerMessage().find("登録完了です。"), std::string::npos);
    EXPECT_TRUE(installer.WaitForExit(ProcessEndsMilliseconds));
}
