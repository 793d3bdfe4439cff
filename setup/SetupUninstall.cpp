// The uninstallation ("/uninstall") and the report that the program is
// still running, each run once by its timer after the hidden window exists.

#include "setup/DRIM_SETUP.h"

#include "gui/Application.h"
#include "platform/CopyUnit.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "platform/SystemFolders.h"
#include "platform/WinExec.h"
#include "program/Program.h"
#include "program/ProgramValues.h"
#include "program/RegistryNames.h"
#include "setup/FileDosStamp.h"
#include "setup/InstallFolders.h"
#include "setup/SetupRegistry.h"
#include "setup/SetupTexts.h"
#include "shell/ItemFiles.h"
#include "shell/Progman.h"
#include "shell/ProgmanLink.h"
#include "text/YeNADDCUT.h"

#include <string_view>
#include <vector>

#include <windows.h>

void TSDRIM32SETUPForm::Timer1Timer()
{
    timer1_.SetEnabled(false);
    // Under another name the copy could not delete the program file; refused
    // before anything is removed, rather than after.
    if (!NamesTheProgramsOwnFile(Program().programPath)) {
        ShowMessage(RenamedProgramText);
        Repaint();
        CloseAfterStep();
        return;
    }
    if (!ConfirmedRemoval()) {
        ShowMessage(UninstallCancelledText);
        Repaint();
        CloseAfterStep();
        return;
    }
    // Each removal is tried once and what stays is noted, for the copy's
    // last box to name: nothing here stops the uninstallation.  Both
    // entries: an installation by a standard user recorded the user's own.
    RemoveKey(RegistryRoot::LocalMachine, UninstallEntryKey);
    RemoveKey(RegistryRoot::CurrentUser, UninstallEntryKey);
    RemoveProgramItems();
    // The folder a side file keeps is left standing by the uninstall copy.
    // One reached through a link is named, and nothing in it is touched.
    HeldFolderLevels held;
    if (const std::optional<std::string> refused = held.Hold(InstallFolderLevels(Program().programFolder)))
        remains_.push_back(*refused);
    else
        for (std::size_t i = 1; i < ProgramFileCount; ++i)
            RemoveFile(Program().programFolder + programFileNames_[i]);
    held.Release();
    RemoveSettings();

    const PlacedCopy copy = PlaceUninstallCopy();
    Application::Get().ProcessMessages();
    // A copy that is not this program's own may not read what remains:
    // named here before it starts, and not handed over to be named twice.
    if (copy.state == CopyState::Other) {
        ForgetItemsRemovedLate();
        if (!remains_.empty()) {
            ShowMessage(IncompleteUninstallText(remains_));
            Application::Get().SetExitCode(UninstallIncompleteExitCode);
            remains_.clear();
            leftItems_.clear();
        }
    }
    // Without the hand-over the copy would only report a parameter error.
    const Result<> handedOver = WriteHandover({ Program().programPath, Caption(), std::string(),
        JoinRemains(remains_), JoinLeftItems(leftItems_) });
    const Result<> started = handedOver ? StartUninstallCopy(copy.path) : handedOver;
    Repaint();
    if (!started) {
        // The program file and its folder stay with whatever else did.
        remains_.push_back(Program().programPath);
        remains_.push_back(YenCut(Program().programFolder));
        ForgetItemsRemovedLate();
        ShowMessage(std::string(started.Message()).append("\n").append(IncompleteUninstallText(remains_)));
        Application::Get().SetExitCode(UninstallIncompleteExitCode);
        // Where the uninstaller wrote it, and where older systems kept the
        // same key.  Results not looked at: no copy runs that could read it.
        static_cast<void>(DeleteKeyTree(HKEY_CURRENT_USER, HandoverKey));
        static_cast<void>(DeleteKeyTree(HKEY_USERS, DefaultUserHandoverKey));
    }
    CloseAfterStep();
}

bool TSDRIM32SETUPForm::ConfirmedRemoval()
{
    return Ask(std::string(displayTitle_).append(UninstallQuestionTail));
}

void TSDRIM32SETUPForm::RemoveKey(RegistryRoot root, std::string_view path)
{
    if (!DeleteKeyTree(RootKey(root), path))
        remains_.push_back(RegistryKeyName(root, path));
}

void TSDRIM32SETUPForm::RemoveFile(const std::string& path)
{
    // A file that is not there is as good as removed.
    if (!DeleteFileAt(path) && FileExists(path))
        remains_.push_back(path);
}

void TSDRIM32SETUPForm::RemoveProgramItems()
{
    const std::string deleteItem = DeleteItemCommand(quotedItemTitle_);
    // Program Manager refuses a DeleteItem whose item is not in the group,
    // as the Startup group's mostly is not; so an item counts as left only
    // when its removal was not carried out and its shortcut still lies in
    // the group's folder, where the shell keeps it.  A group folder that
    // cannot be told leaves a refused removal counted as left.
    const std::string programs = ReadSetting(HKEY_CURRENT_USER, ShellFoldersKey, ValuePrograms);
    auto shortcutIn = [&](const std::string& group) { return ShortcutPath(YenAdd(programs) + group); };
    auto itemLeftIn = [&](const std::string& group, const Result<>& removal) {
        return !removal && (programs.empty() || FileExists(shortcutIn(group)));
    };
    // ShowGroup's answer is not looked at: it only makes the group the one
    // DeleteItem works in, and DeleteItem's answer tells the outcome.
    const std::optional<unsigned> shellCodePage = ItemFilesCodePage();
    auto removeFrom = [&](const std::string& group) {
        if (group.empty())
            return;
        // Where the shell would garble the item's name, the files are the
        // program's own work.
        if (shellCodePage) {
            if (!DeleteItemFiles(group, *shellCodePage))
                remains_.push_back(std::string(GroupItemHead).append(group).append(GroupItemTail));
            return;
        }
        static_cast<void>(ProgmanExecute(ShowGroupCommand(group)));
        Application::Get().ProcessMessages();
        if (itemLeftIn(group,
                ProgmanExecute(deleteItem, ShellEffect(ProgmanEffectKind::ItemGone, group, ItemTitle)))) {
            remains_.push_back(std::string(GroupItemHead).append(group).append(GroupItemTail));
            if (!programs.empty())
                leftItems_.push_back({ remains_.back(), shortcutIn(group) });
        }
        Application::Get().ProcessMessages();
    };
    removeFrom(ReadSetting(HKEY_CURRENT_USER, SettingsKey, ValueGroup));
    const std::string startupGroup = StartupGroupName();
    Application::Get().ProcessMessages();
    removeFrom(startupGroup);

    const std::string shortcut = ShortcutPath(ReadSetting(HKEY_CURRENT_USER, ShellFoldersKey, ValueDesktop));
    if (!shortcut.empty())
        RemoveFile(shortcut);
}

void TSDRIM32SETUPForm::RemoveSettings()
{
    // A value that is already gone needs no deleting; one still there is
    // what the next start reads, so it is named, unless the key goes with
    // it below when the user says so.
    std::vector<std::string> valuesLeft;
    const std::optional<RegistryKey> key = RegistryKey::OpenOrCreate(HKEY_CURRENT_USER, SettingsKey);
    for (const std::string_view value : { ValueVersion, ValueRecTxt }) {
        if (key && key->DeleteValue(value))
            continue;
        if (ReadRegistryString(HKEY_CURRENT_USER, SettingsKey, value).kind != SettingValue::Kind::Missing)
            valuesLeft.push_back(
                RegistryKeyName(RegistryRoot::CurrentUser, SettingsKey).append(ValueOfKeyText).append(value));
    }
    if (!Ask(DeleteSettingsQuestion)) {
        remains_.insert(remains_.end(), valuesLeft.begin(), valuesLeft.end());
        return;
    }
    // A key that stays is named itself, with whatever it holds.
    RemoveKey(RegistryRoot::CurrentUser, SettingsKey);
    // The maker's key stays while its other programs keep settings there.
    if (KeyIsEmpty(HKEY_CURRENT_USER, VendorKey))
        RemoveKey(RegistryRoot::CurrentUser, VendorKey);
}

TSDRIM32SETUPForm::PlacedCopy TSDRIM32SETUPForm::PlaceUninstallCopy()
{
    // A copy that cannot be written leaves the one there, if any, to be
    // started.  Where there is none, the Windows folder is closed to this
    // user (a standard user may not write it): the user's temporary folder
    // takes the copy, and keeps it for the next uninstallation.  The start
    // reports when neither has one.
    const std::string inWindowsFolder = windowsFolder_ + UninstallCopyName();
    const CopyState inWindows = RefreshUninstallCopy(inWindowsFolder);
    if (inWindows != CopyState::Missing)
        return { inWindowsFolder, inWindows };
    const std::string temporaryFolder = UserTemporaryFolder();
    if (temporaryFolder.empty())
        return { inWindowsFolder, inWindows };
    const std::string inTemporaryFolder = temporaryFolder + UninstallCopyName();
    return { inTemporaryFolder, RefreshUninstallCopy(inTemporaryFolder) };
}

TSDRIM32SETUPForm::CopyState TSDRIM32SETUPForm::RefreshUninstallCopy(const std::string& copyPath)
{
    const std::string& programPath = Program().programPath;
    if (FileExists(copyPath)) {
        const std::optional<std::string> bytes = FileContents(copyPath);
        const bool same = bytes && bytes == FileContents(programPath);
        const ExistingUninstallCopy existing { same,
            same || VersionResourceNamesFile(VersionResource(copyPath), ProgramFileNames()[0]),
            FileDosStamp(copyPath) };
        if (!UninstallCopyNeedsRefresh(existing, FileDosStamp(programPath)))
            return same ? CopyState::Current : CopyState::Other;
    }
    // A copy that stops short (a full drive) leaves the old one as it was,
    // never a broken program in place of a good one.
    if (ReplaceFileKeepDate(programPath, copyPath))
        return CopyState::Current;
    return FileExists(copyPath) ? CopyState::Other : CopyState::Missing;
}

Result<> TSDRIM32SETUPForm::StartUninstallCopy(const std::string& copyPath)
{
    // Out of the program's folder, so that the copy can remove it.
    if (!ChangeFolder(YenCut(windowsFolder_)))
        return Failure { std::string(CopyFolderFailedText) };
    Application::Get().ProcessMessages();
    if (!StartCommandLine(UninstallCopyCommandLine(copyPath), SW_SHOW))
        return Failure { std::string(CopyStartFailedText) };
    return {};
}

void TSDRIM32SETUPForm::TimerErOutTimer()
{
    timerErOut_.SetEnabled(false);
    if (mode_ != RunMode::Normal)
        ShowMessage(ProgramRunningText);
    Repaint();
    CloseAfterStep();
}
