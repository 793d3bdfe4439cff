#include "setup/SetupValues.h"

#include "program/ProgramValues.h"
#include "text/YeNADDCUT.h"

namespace {

constexpr std::string_view InstallRootFolder = "PALUNP32\\";
constexpr std::size_t DriveRootBytes = 3;
constexpr std::string_view ShortcutExtension = ".lnk";

std::string VersionText(std::string_view separator)
{
    return " V" + std::to_string(ProgramVersion / 10) + std::string(separator)
        + std::to_string(ProgramVersion % 10);
}

} // namespace

std::string WindowTitleBase()
{
    return std::string(ApplicationTitle) + VersionText("．");
}

std::string DisplayTitle()
{
    return "PALUN " + std::string(ItemTitle) + VersionText(".");
}

std::array<std::string, ProgramFileCount> ProgramFileNames()
{
    const std::string base(ProductKey);
    return { base + ".EXE", base + ".TXT", base + ".HLP", base + ".GID" };
}

std::string DefaultFolder(std::string_view windowsFolder, std::string_view recordedFolder)
{
    if (!recordedFolder.empty())
        return std::string(recordedFolder);
    return std::string(windowsFolder.substr(0, DriveRootBytes)) + std::string(InstallRootFolder)
        + std::string(ProductKey);
}

std::string DesktopShortcutPath(std::string_view desktopFolder)
{
    if (desktopFolder.empty())
        return {};
    return YenAdd(desktopFolder) + std::string(ItemTitle) + std::string(ShortcutExtension);
}
