#include "setup/InstallRecord.h"

#include "base/DecimalText.h"
#include "program/ProgramValues.h"
#include "program/RegistryNames.h"
#include "setup/SetupValues.h"
#include "text/YeNADDCUT.h"

namespace {

constexpr std::string_view UninstallSwitchTail = " /uninstall";

RegistryWrite Setting(RecordStage stage, std::string_view name, std::string data)
{
    return { stage, RegistryRoot::CurrentUser, std::string(SettingsKey), std::string(name), std::move(data) };
}

RegistryWrite UninstallEntry(std::string_view name, std::string data)
{
    return { RecordStage::UninstallEntry, RegistryRoot::LocalMachine, std::string(UninstallEntryKey),
        std::string(name), std::move(data) };
}

} // namespace

std::vector<RegistryWrite> InstallRegistryWrites(const InstallChoice& choice)
{
    std::string uninstallString = choice.folderWithBackslash + ProgramFileNames()[0];
    uninstallString.append(UninstallSwitchTail);
    return {
        Setting(RecordStage::FolderAndGroup, ValueExePath, YenCut(choice.folderWithBackslash)),
        Setting(RecordStage::FolderAndGroup, ValueGroup, choice.group),
        UninstallEntry(ValueDisplayName, DisplayTitle()),
        UninstallEntry(ValueUninstallString, std::move(uninstallString)),
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
