#include "setup/SetupValues.h"

#include "base/DecimalText.h"
#include "program/ProgramValues.h"
#include "shell/Progman.h"

namespace {

constexpr std::string_view InstallRootFolder = "PALUNP32\\";
constexpr std::size_t DriveRootBytes = 3;
constexpr std::array<std::string_view, ProgramFileCount> ProgramFileExtensions { ".EXE", ".TXT", ".HLP",
    ".CHM", ".GID" };
constexpr std::string_view MarkOfTheWebStream = ":Zone.Identifier";

std::string VersionText(std::string_view separator)
{
    return DecimalText(ProgramVersion / 10).append(separator).append(DecimalText(ProgramVersion % 10));
}

// `head` and the version after it, with `separator` between its digits.
std::string WithVersion(std::string_view head, std::string_view separator)
{
    return std::string(head).append(" V").append(VersionText(separator));
}

} // namespace

std::string WindowTitleBase()
{
    return WithVersion(ApplicationTitle, "．");
}

std::string DisplayTitle()
{
    return WithVersion(std::string("PALUN ").append(ItemTitle), ".");
}

std::string DisplayVersion()
{
    return VersionText(".");
}

std::array<std::string, ProgramFileCount> ProgramFileNames()
{
    std::array<std::string, ProgramFileCount> names;
    for (std::size_t i = 0; i < ProgramFileCount; ++i)
        names[i].append(ProductKey).append(ProgramFileExtensions[i]);
    return names;
}

std::array<std::string, InstalledFileCount> MarkOfTheWebStreams(std::string_view folder)
{
    const std::array<std::string, ProgramFileCount> names = ProgramFileNames();
    std::array<std::string, InstalledFileCount> streams;
    for (std::size_t i = 0; i < InstalledFileCount; ++i)
        streams[i].append(folder).append(names[i]).append(MarkOfTheWebStream);
    return streams;
}

std::string DefaultFolder(std::string_view windowsFolder, std::string_view recordedFolder)
{
    if (!recordedFolder.empty())
        return std::string(recordedFolder);
    std::string folder(windowsFolder.substr(0, DriveRootBytes));
    folder.append(InstallRootFolder).append(ProductKey);
    return folder;
}

std::string ShortcutPath(std::string_view folder)
{
    return ItemShortcutPath(folder, ItemTitle);
}
