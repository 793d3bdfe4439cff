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
#include "setup/SetupRegistry.h"
#include "setup/SetupTexts.h"
#include "shell/Progman.h"
#include "shell/ProgmanLink.h"
#include "text/YeNADDCUT.h"

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
    // Both: an installation by a standard user recorded the user's own.
    // Results not looked at: the uninstallation goes on whatever is left.
    static_cast<void>(DeleteKeyTree(HKEY_LOCAL_MACHINE, UninstallEntryKey));
    static_cast<void>(DeleteKeyTree(HKEY_CURRENT_USER, UninstallEntryKey));
    RemoveProgramItems();
    // Results not looked at: a side file that stays is no reason to stop,
    // and the folder it keeps is left standing by the uninstall copy.
    for (std::size_t i = 1; i < ProgramFileCount; ++i)
        static_cast<void>(DeleteFileAt(Program().programFolder + programFileNames_[i]));
    RemoveSettings();

    const std::string copyPath = PlaceUninstallCopy();
    Application::Get().ProcessMessages();
    // Without the hand-over the copy would only report a parameter error.
    const Result<> handedOver = WriteHandover({ Program().programPath, Caption(), std::string() });
    if (!handedOver)
        ShowMessage(handedOver.Message());
    const bool started = handedOver && StartUninstallCopy(copyPath);
    Repaint();
    if (!started) {
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

void TSDRIM32SETUPForm::RemoveProgramItems()
{
    const std::string deleteItem = DeleteItemCommand(quotedItemTitle_);
    // Results not looked at: the uninstallation goes on whatever Program
    // Manager says, and an item that is already gone is what it wants.
    auto removeFrom = [&](const std::string& group) {
        if (group.empty())
            return;
        static_cast<void>(ProgmanExecute(ShowGroupCommand(group)));
        Application::Get().ProcessMessages();
        static_cast<void>(ProgmanExecute(deleteItem));
        Application::Get().ProcessMessages();
    };
    removeFrom(ReadSetting(HKEY_CURRENT_USER, SettingsKey, ValueGroup));
    const std::string startupGroup = StartupGroupName();
    Application::Get().ProcessMessages();
    removeFrom(startupGroup);

    const std::string shortcut
        = DesktopShortcutPath(ReadSetting(HKEY_CURRENT_USER, ShellFoldersKey, ValueDesktop));
    // Result not looked at, as for the side files.
    if (!shortcut.empty() && FileExists(shortcut))
        static_cast<void>(DeleteFileAt(shortcut));
}

void TSDRIM32SETUPForm::RemoveSettings()
{
    // Results not looked at: a value that is already gone needs no
    // deleting, and the key itself goes below when the user says so.
    if (const std::optional<RegistryKey> key = RegistryKey::OpenOrCreate(HKEY_CURRENT_USER, SettingsKey)) {
        static_cast<void>(key->DeleteValue(ValueVersion));
        static_cast<void>(key->DeleteValue(ValueRecTxt));
    }
    if (!Ask(DeleteSettingsQuestion))
        return;
    static_cast<void>(DeleteKeyTree(HKEY_CURRENT_USER, SettingsKey));
    // The maker's key stays while its other programs keep settings there.
    if (KeyIsEmpty(HKEY_CURRENT_USER, VendorKey))
        static_cast<void>(DeleteKeyTree(HKEY_CURRENT_USER, VendorKey));
}

std::string TSDRIM32SETUPForm::PlaceUninstallCopy()
{
    // A copy that cannot be written leaves the one there, if any, to be
    // started.  Where there is none, the Windows folder is closed to this
    // user (a standard user may not write it): the user's temporary folder
    // takes the copy, and keeps it for the next uninstallation.  The start
    // reports when neither has one.
    const std::string inWindowsFolder = windowsFolder_ + UninstallCopyName();
    if (RefreshUninstallCopy(inWindowsFolder) || FileExists(inWindowsFolder))
        return inWindowsFolder;
    const std::string temporaryFolder = UserTemporaryFolder();
    if (temporaryFolder.empty())
        return inWindowsFolder;
    const std::string inTemporaryFolder = temporaryFolder + UninstallCopyName();
    // Result not looked at: the start reports a copy that is not there.
    static_cast<void>(RefreshUninstallCopy(inTemporaryFolder));
    return inTemporaryFolder;
}

bool TSDRIM32SETUPForm::RefreshUninstallCopy(const std::string& copyPath)
{
    const std::string& programPath = Program().programPath;
    if (FileExists(copyPath) && !UninstallCopyNeedsRefresh(FileDosStamp(copyPath), FileDosStamp(programPath)))
        return true;
    return static_cast<bool>(FileCopyKeepDate(programPath, copyPath));
}

bool TSDRIM32SETUPForm::StartUninstallCopy(const std::string& copyPath)
{
    // Out of the program's folder, so that the copy can remove it.
    if (!ChangeFolder(YenCut(windowsFolder_))) {
        ShowMessage(CopyFolderFailedText);
        return false;
    }
    Application::Get().ProcessMessages();
    if (!StartCommandLine(UninstallCopyCommandLine(copyPath), SW_SHOW)) {
        ShowMessage(CopyStartFailedText);
        return false;
    }
    return true;
}

void TSDRIM32SETUPForm::TimerErOutTimer()
{
    timerErOut_.SetEnabled(false);
    if (mode_ != RunMode::Normal)
        ShowMessage(ProgramRunningText);
    Repaint();
    CloseAfterStep();
}
