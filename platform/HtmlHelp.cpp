#include "platform/HtmlHelp.h"

#include "platform/SystemFolders.h"

#include <htmlhelp.h>

namespace {

constexpr DWORD FirstVersionWithoutWinHelp = 10;
constexpr char HtmlHelpModuleName[] = "hhctrl.ocx";
constexpr char HtmlHelpEntryName[] = "HtmlHelpA";
constexpr char HtmlHelpMissingText[] = "エラー：ヘルプを表示する hhctrl.ocx が読み込めません・・・";

} // namespace

bool SystemReadsOnlyHtmlHelp()
{
    OSVERSIONINFOA version {};
    version.dwOSVersionInfoSize = sizeof(version);
    return GetVersionExA(&version) && version.dwMajorVersion >= FirstVersionWithoutWinHelp;
}

Result<> HtmlHelpViewer::Load()
{
    if (htmlHelp_ != nullptr)
        return {};
    // By its full path: a bare name would be looked for in the program's
    // folder and the current folder first.
    const std::string folder = SystemFolder();
    if (folder.empty())
        return Failure { HtmlHelpMissingText };
    UniqueModule module(LoadLibraryA((folder + HtmlHelpModuleName).c_str()));
    if (!module)
        return Failure { HtmlHelpMissingText };
    const auto entry = ModuleFunction<HtmlHelpFunction>(module.Get(), HtmlHelpEntryName);
    if (entry == nullptr)
        return Failure { HtmlHelpMissingText };
    htmlHelp_ = entry;
    module_ = std::move(module);
    return {};
}

Result<> HtmlHelpViewer::ShowContents(HWND owner, const std::string& file)
{
    if (Result<> loaded = Load(); !loaded)
        return loaded;
    // The window is not looked at, as the WinHelp viewer's answer is not.
    htmlHelp_(owner, file.c_str(), HH_DISPLAY_TOC, 0);
    return {};
}

void HtmlHelpViewer::CloseAll()
{
    if (htmlHelp_ != nullptr)
        htmlHelp_(nullptr, nullptr, HH_CLOSE_ALL, 0);
}
