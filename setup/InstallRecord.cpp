#include "setup/InstallRecord.h"

#include "base/DecimalText.h"
#include "program/ProgramValues.h"
#include "program/RegistryNames.h"
#include "setup/SetupValues.h"
#include "text/YeNADDCUT.h"

namespace {

constexpr std::string_view UninstallSwitchTail = " /uninstall";

// Out of line, so that the data, given as views, are copied in one place
// rather than at each of the writes.
[[gnu::noinline]] RegistryWrite Setting(RecordStage stage, std::string_view name, std::string_view data)
{
    return { stage, RegistryRoot::CurrentUser, SettingsKey, name, std::string(data) };
}

[[gnu::noinline]] RegistryWrite UninstallEntry(
    std::string_view name, std::string_view data, std::optional<std::uint32_t> number = {})
{
    return { RecordStage::UninstallEntry, RegistryRoot::LocalMachine, UninstallEntryKey, name,
        std::string(data), number };
}

} // namespace

std::vector<RegistryWrite> InstallRegistryWrites(const InstallChoice& choice)
{
    const std::string folder = YenCut(choice.folderWithBackslash);
    const std::string program = choice.folderWithBackslash + ProgramFileNames()[0];
    // Unquoted, the system would take the path up to a blank as a program
    // of its own and start it if there is one.
    std::string uninstallString
        = program.find(' ') == std::string::npos ? program : std::string("\"").append(program).append("\"");
    uninstallString.append(UninstallSwitchTail);
    const auto kilobytes = static_cast<std::uint32_t>((choice.installedBytes + 1023) / 1024);
    return {
        Setting(RecordStage::FolderAndGroup, ValueExePath, folder),
        Setting(RecordStage::FolderAndGroup, ValueGroup, choice.group),
        UninstallEntry(ValueDisplayName, DisplayTitle()),
        UninstallEntry(ValueUninstallString, uninstallString),
        UninstallEntry(ValueDisplayIcon, program),
        UninstallEntry(ValueDisplayVersion, DisplayVersion()),
        UninstallEntry(ValuePublisher, Publisher),
        UninstallEntry(ValueInstallLocation, folder),
        UninstallEntry(ValueEstimatedSize, {}, kilobytes),
        UninstallEntry(ValueNoModify, {}, 1),
        UninstallEntry(ValueNoRepair, {}, 1),
        Setting(RecordStage::Version, ValueVersion, DecimalText(ProgramVersion)),
        Setting(RecordStage::Version, ValueBackColor, choice.standardColor ? "1" : "0"),
    };
}

std::vector<RegistryWrite> ForCurrentUser(std::vector<RegistryWrite> writes)
{
    for (RegistryWrite& write : writes)
        if (write.root == RegistryRoot::LocalMachine)
            write.root = RegistryRoot::CurrentUser;
    return writes;
}
