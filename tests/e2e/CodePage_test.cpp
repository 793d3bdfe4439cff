// The program run under a system code page other than 932 (Wine's
// LANG=en_US.UTF-8: code page 1252) still shows its Japanese texts, which
// the probe, running under ja_JP as ever, reads back in code page 932.

#include "SetupDriving.h"
#include "TrayDriving.h"

#include <gtest/gtest.h>

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

} // namespace
