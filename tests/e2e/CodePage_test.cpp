// The program run under a system code page other than 932 (Wine's
// LANG=en_US.UTF-8: code page 1252) still shows its Japanese texts, which
// the probe, running under ja_JP as ever, reads back in code page 932.
// Under an English shell (EnglishShell) the program writes its items'
// shortcut files itself, under their Japanese name.

#include "SetupDriving.h"
#include "TrayDriving.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>

namespace {

constexpr char English[] = "en_US.UTF-8";

const std::string SetupCaption = "ｽｸﾘｰﾝ･ｾｰﾊﾞｰ&省電力OFF V1．4 インスツール";
const std::string TrayCaption = "ｽｸﾘｰﾝ･ｾｰﾊﾞｰ＆省電力ＯＦＦツール";
const std::string InvalidParameterLead = "エラー：パラメーターが不正です・・・\r\n";

// The program started under English, once its first window of the class
// is there; no such window must exist before.
std::optional<RunningProgram> StartInEnglish(
    const std::string& exePath, const std::string& arguments, const char* windowClass)
{
    if (!StartUnderUnixLocale(exePath, arguments, English))
        return std::nullopt;
    HWND window = WaitForWindow(windowClass, WindowAppearsMilliseconds);
    DWORD id = 0;
    if (window == nullptr || GetWindowThreadProcessId(window, &id) == 0)
        return std::nullopt;
    return RunningProgram::Adopt(id);
}

struct FreeModule {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};

// The manifest of a program file, or empty.
std::string ManifestOf(const std::string& path)
{
    const std::unique_ptr<std::remove_pointer_t<HMODULE>, FreeModule> image(
        LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    HRSRC found = image ? FindResourceA(image.get(), MAKEINTRESOURCEA(1), RT_MANIFEST) : nullptr;
    const char* bytes
        = found ? static_cast<const char*>(LockResource(LoadResource(image.get(), found))) : nullptr;
    return bytes ? std::string(bytes, SizeofResource(image.get(), found)) : std::string();
}

// A copy of the program whose manifest lacks the code page setting, which
// runs in the system's code page as the program did before.  Wine's
// UpdateResource does not delete a resource, but it does replace one.
std::string CopyWithoutCodePageSetting(const TempFolder& folder)
{
    const std::string copy = folder / "DRIM32.EXE";
    std::string manifest = ManifestOf(ProgramPath());
    const std::string::size_type start = manifest.find("<activeCodePage");
    const std::string endTag = "</activeCodePage>";
    const std::string::size_type end = manifest.find(endTag, start);
    if (start == std::string::npos || end == std::string::npos
        || !CopyFileA(ProgramPath().c_str(), copy.c_str(), FALSE))
        return {};
    manifest.erase(start, end + endTag.size() - start);
    HANDLE update = BeginUpdateResourceA(copy.c_str(), FALSE);
    if (update == nullptr)
        return {};
    const bool replaced
        = UpdateResourceA(update, RT_MANIFEST, MAKEINTRESOURCEA(1), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
              manifest.data(), static_cast<DWORD>(manifest.size()))
        != FALSE;
    return EndUpdateResourceA(update, !replaced) && replaced ? copy : std::string();
}

// The name's code page 932 bytes read in `codePage`.
std::wstring Wide(const std::string& text, UINT codePage = CP_ACP)
{
    std::wstring wide(text.size(), L'\0');
    wide.resize(MultiByteToWideChar(
        codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), static_cast<int>(wide.size())));
    return wide;
}

// The program a shortcut file starts; empty when it cannot be read.
std::string LinkTarget(const std::string& link)
{
    CoInitialize(nullptr);
    char target[MAX_PATH] = {};
    IShellLinkA* shellLink = nullptr;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(CoCreateInstance(__uuidof(ShellLink), nullptr, CLSCTX_INPROC_SERVER, __uuidof(IShellLinkA),
            reinterpret_cast<void**>(&shellLink)))
        && SUCCEEDED(shellLink->QueryInterface(__uuidof(IPersistFile), reinterpret_cast<void**>(&file)))
        && SUCCEEDED(file->Load(Wide(link).c_str(), STGM_READ)))
        shellLink->GetPath(target, MAX_PATH, nullptr, 0);
    if (file != nullptr)
        file->Release();
    if (shellLink != nullptr)
        shellLink->Release();
    CoUninitialize();
    return target;
}

// A file's name as the Linux side has it, by Wine's own call.
std::string UnixName(const std::string& path)
{
    using UnixFileName = char*(CDECL*)(const wchar_t*);
    const auto unixFileName = reinterpret_cast<UnixFileName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    char* unixPath = unixFileName != nullptr ? unixFileName(Wide(path).c_str()) : nullptr;
    const std::string name = unixPath != nullptr ? std::strrchr(unixPath, '/') + 1 : "";
    HeapFree(GetProcessHeap(), 0, unixPath);
    return name;
}

class CodePage : public FreshSettings { };

TEST_F(CodePage, TheSetupWindowShowsItsJapaneseTexts)
{
    std::optional<RunningProgram> installer = StartInEnglish(ProgramPath(), "", SetupClass);
    ASSERT_TRUE(installer.has_value());
    HWND setup = WaitForShownSetup(*installer);
    ASSERT_NE(setup, nullptr);
    SavePicture(setup, "CodePage_Setup");
    EXPECT_EQ(WindowText(setup), SetupCaption);
    EXPECT_NE(SetupChild(setup, "Static", "DRIM32.EXEを置くフォルダーの設定："), nullptr);
    EXPECT_NE(SetupChild(setup, "Static", "DRIM32.EXEを登録するグループの選択："), nullptr);
    EXPECT_NE(SetupChild(setup, "Button", "設定"), nullptr);
    EXPECT_TRUE(CloseAndWaitForExit(setup, *installer));
}

// The test's own check: the same start without the code page setting shows
// mojibake, so the texts above are right because of it.
TEST_F(CodePage, WithoutTheCodePageSettingTheCaptionIsMangled)
{
    TempFolder folder;
    const std::string copy = CopyWithoutCodePageSetting(folder);
    ASSERT_FALSE(copy.empty());
    ASSERT_EQ(ManifestOf(copy).find("activeCodePage"), std::string::npos);
    std::optional<RunningProgram> installer = StartInEnglish(copy, "", SetupClass);
    ASSERT_TRUE(installer.has_value());
    HWND setup = WaitForShownSetup(*installer);
    ASSERT_NE(setup, nullptr);
    EXPECT_NE(WindowText(setup), SetupCaption);
    EXPECT_EQ(SetupChild(setup, "Button", "設定"), nullptr);
    EXPECT_TRUE(CloseAndWaitForExit(setup, *installer));
}

TEST_F(CodePage, TheTrayItsMenuAndASecondStartsBoxShowTheirJapaneseTexts)
{
    SetSetting("Version", "14");
    std::optional<RunningProgram> program = StartInEnglish(ProgramPath(), "", TrayClass);
    ASSERT_TRUE(program.has_value());
    ResidentTray resident;
    ASSERT_NO_FATAL_FAILURE(resident.Settle(std::move(*program)));
    // The icon's tip is this text until the first mode refresh, 600 ms
    // after the start, replaces it with "DRIM32 - SS_…"; the window
    // carries it for good.
    EXPECT_EQ(WindowText(resident.Window()), TrayCaption);

    HWND menu = resident.OpenMenu(MouseButton::Right);
    ASSERT_NE(menu, nullptr);
    SavePicture(menu, "CodePage_TrayFullMenu");
    ASSERT_TRUE(PressKey(VK_ESCAPE));
    ASSERT_TRUE(WaitUntilGone(MenuClass, MenuAppearsMilliseconds, resident.Id()));

    ASSERT_TRUE(StartUnderUnixLocale(ProgramPath(), "x", English));
    HWND box = WaitForBox(resident.Id(), WindowAppearsMilliseconds);
    ASSERT_NE(box, nullptr);
    SavePicture(box, "CodePage_SecondStartBox");
    EXPECT_EQ(BoxMessage(box), InvalidParameterLead + "x");
    EXPECT_NE(FindWindowExA(box, nullptr, "Button", "一時停止"), nullptr);
    PostMessageA(box, WM_CLOSE, 0, 0);
    // The sender deletes its atom once the resident copy has answered.
    EXPECT_TRUE(WaitUntil([] { return GlobalFindAtomA("x?") == 0; }, ProcessEndsMilliseconds));
}

// Run with the shell under English (DRIM_SHELL_LOCALE of the harness), which
// garbles the Japanese names of a program that talks DDE under ja_JP.  Wine
// writes the system's code page into the registry at every process start,
// by that process's locale, so the test states the English system's once
// each program has started.
class EnglishShell : public FreshSettings {
protected:
    void SetUp() override
    {
        FreshSettings::SetUp();
        ASSERT_TRUE(WaitUntil(ShellServerAnswers, ServerStartMilliseconds)) << "no PROGMAN server";
    }
    static void SystemCodePageIsEnglish()
    {
        ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Nls\\CodePage",
                      "ACP", REG_SZ, "1252", 5),
            ERROR_SUCCESS);
    }
};

TEST_F(EnglishShell, TheItemsAreWrittenAndDeletedUnderTheirJapaneseName)
{
    const std::string folder = "C:\\PALUNP32\\DRIM32";
    const std::string program = folder + "\\DRIM32.EXE";
    const std::string groupFolder = SpecialFolder(CSIDL_PROGRAMS) + "\\PALUN RUZI32\\";
    const std::string startupLink = SpecialFolder(CSIDL_STARTUP) + "\\" + InstalledLinkName;
    const InstallSource source;
    RunningProgram installer(source.Program(), "");
    HWND setup = WaitForShownSetup(installer);
    ASSERT_NE(setup, nullptr);
    SystemCodePageIsEnglish();
    Install(setup, folder, true, true);
    EXPECT_NE(AnswerMessage().find("グループに登録しました☆☆"), std::string::npos);
    EXPECT_TRUE(installer.WaitForExit(ProcessEndsMilliseconds));
    for (const std::string& link : { groupFolder + InstalledLinkName, startupLink }) {
        EXPECT_EQ(LinkTarget(link), program) << link;
        EXPECT_EQ(UnixName(link), reinterpret_cast<const char*>(u8"ｽｸﾘｰﾝｾｰﾊﾞｰ 省電力OFF.lnk"));
    }

    ResidentTray resident;
    ASSERT_NO_FATAL_FAILURE(resident.Start("", program));
    SystemCodePageIsEnglish();
    for (const bool added : { false, true }) {
        ASSERT_NO_FATAL_FAILURE(resident.Choose(MouseButton::Right, 'S'));
        EXPECT_TRUE(WaitUntil([&] { return FileExists(startupLink) == added; }, SetupBoxMilliseconds));
    }
    ASSERT_NO_FATAL_FAILURE(resident.Close());

    // The item an installation through Program Manager got from this shell.
    const std::wstring garbled = Wide(groupFolder) + Wide(InstalledLinkName, 1252);
    CloseHandle(CreateFileW(garbled.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    ASSERT_NE(GetFileAttributesW(garbled.c_str()), INVALID_FILE_ATTRIBUTES);
    RunningProgram uninstaller(program, "/uninstall");
    ASSERT_NE(WaitForSetupBox(SetupYesNoBoxClass), nullptr);
    SystemCodePageIsEnglish();
    EXPECT_FALSE(AnswerQuestion(true).empty());
    EXPECT_FALSE(AnswerQuestion(true).empty());
    EXPECT_EQ(AnswerMessage(), "アンインスツールが完了しました☆☆☆\r\nお疲れ様☆☆☆");
    EXPECT_TRUE(WaitUntilGone(SetupClass, ProcessEndsMilliseconds));
    EXPECT_FALSE(FileExists(groupFolder + InstalledLinkName));
    EXPECT_FALSE(FileExists(startupLink));
    EXPECT_EQ(GetFileAttributesW(garbled.c_str()), INVALID_FILE_ATTRIBUTES);
}

} // namespace
