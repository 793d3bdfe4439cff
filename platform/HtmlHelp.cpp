#include "platform/HtmlHelp.h"

#include "platform/SystemFolders.h"

#include <htmlhelp.h>

namespace {

constexpr DWORD FirstVersionWithoutWinHelp = 10;
constexpr char HtmlHelpModuleName[] = "hhctrl.ocx";
constexpr char HtmlHelpEntryName[] = "HtmlHelpA";

} // namespace

bool SystemIsWindows10OrLater()
{
    OSVERSIONINFOA version {};
    version.dwOSVersionInfoSize = sizeof(version);
    return GetVersionExA(&version) && version.dwMajorVersion >= FirstVersionWithoutWinHelp;
}

bool HtmlHelpViewer::Load()
{
    if (htmlHelp_ != nullptr)
        return true;
    // By its full path: a bare name would be looked for in the program's
    // folder and the current folder first.
    const std::string folder = SystemFolder();
    if (folder.empty())
        return false;
    UniqueModule module(LoadLibraryA((folder + HtmlHelpModuleName).c_str()));
    if (!module)
        return false;
    const auto entry = ModuleFunction<HtmlHelpFunction>(module.Get(), HtmlHelpEntryName);
    if (entry == nullptr)
        return false;
    htmlHelp_ = entry;
    // Kept until the process ends: after HH_CLOSE_ALL the viewer's own
    // thread may still be closing its windows in the module's code.
    module.Release();
    return true;
}

bool HtmlHelpViewer::ShowContents(HWND owner, const std::string& file)
{
    return htmlHelp_ != nullptr && htmlHelp_(owner, file.c_str(), HH_DISPLAY_TOC, 0) != nullptr;
}

void HtmlHelpViewer::CloseAll()
{
    if (htmlHelp_ != nullptr)
        htmlHelp_(nullptr, nullptr, HH_CLOSE_ALL, 0);
}
