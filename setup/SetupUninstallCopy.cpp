// The uninstall copy: it takes the hand-over, deletes the program file once
// the uninstaller's process has let go of it, and removes the emptied
// folders.

#include "setup/DRIM_SETUP.h"

#include "gui/Application.h"
#include "platform/FileSystem.h"
#include "program/Program.h"
#include "setup/InstallFolders.h"
#include "setup/SetupRegistry.h"
#include "setup/SetupTexts.h"

#include <windows.h>

#include <algorithm>
#include <utility>

namespace {

// Timer3 tries once a second: about half a minute before the question.
constexpr int DeleteTriesBeforeAsking = 30;

} // namespace

void TSDRIM32SETUPForm::Timer2Timer()
{
    timer2_.SetEnabled(false);
    RegistryHandoverStore store;
    copyStart_ = DecideUninstallCopyStart(TakeHandover(store), Program().argument1);
    SetApplicationCaption(copyStart_.caption);
    if (!copyStart_.valid) {
        ShowMessage(BadParameterText);
        Repaint();
        CloseAfterStep();
        return;
    }
    remains_ = copyStart_.remains;
    leftItems_ = std::move(copyStart_.leftItems);
    // A level that cannot be held is named, unless the uninstaller already
    // did, and nothing in it is touched.
    if (const std::optional<std::string> refused
        = heldLevels_.Hold(InstallFolderLevels(copyStart_.folderWithBackslash))) {
        if (std::find(remains_.begin(), remains_.end(), *refused) == remains_.end())
            remains_.push_back(*refused);
        ReportAndClose();
        return;
    }
    // Result not looked at: Timer3 tries again until the file is gone.
    if (FileExists(copyStart_.file))
        static_cast<void>(DeleteFileByHandle(copyStart_.file));
    timer3_.SetEnabled(true);
}

void TSDRIM32SETUPForm::Timer3Timer()
{
    timer3_.SetEnabled(false);
    // The uninstaller holds the file until its process has ended, which
    // takes a moment.  A file still held after that is held by something
    // else (a running copy of the program, a virus scanner): the user is
    // asked whether to go on trying, rather than left with a process that
    // tries invisibly until logoff.
    const HandleDeletion deletion
        = FileExists(copyStart_.file) ? DeleteFileByHandle(copyStart_.file) : HandleDeletion::Deleted;
    if (deletion == HandleDeletion::Link) {
        remains_.push_back(copyStart_.file);
        ReportAndClose();
        return;
    }
    if (deletion == HandleDeletion::Refused) {
        if (++deleteTries_ >= DeleteTriesBeforeAsking) {
            deleteTries_ = 0;
            if (!Ask(std::string(copyStart_.file).append(FileStillHeldQuestion))) {
                remains_.push_back(copyStart_.file);
                ReportAndClose();
                return;
            }
        }
        timer3_.SetEnabled(true);
        return;
    }
    if (copyStart_.removeFolders)
        RemoveEmptiedFolders();
    ReportAndClose();
}

void TSDRIM32SETUPForm::RemoveEmptiedFolders()
{
    // A level kept by files of its own (the user's, or a side file already
    // named) is left as it should be; an empty one that cannot go (in use,
    // refused) is named.  The drive root is never removed.
    const std::vector<std::string> levels = InstallFolderLevels(copyStart_.folderWithBackslash);
    DWORD refusal = ERROR_SUCCESS;
    auto removeLevel = [&](const std::string& level) {
        if (heldLevels_.Remove(level))
            return true;
        refusal = GetLastError();
        return false;
    };
    const std::size_t removed = RemoveFolderLevels(levels, removeLevel);
    const std::size_t stopped = levels.size() - removed; // one past the level that stayed
    if (stopped > 1 && refusal != ERROR_DIR_NOT_EMPTY)
        remains_.push_back(levels[stopped - 1]);
}

void TSDRIM32SETUPForm::ForgetItemsRemovedLate()
{
    // Program Manager may carry out a removal after its answer was given up
    // on, and the shell then removes the shortcut a moment later.
    for (const LeftItem& item : leftItems_)
        if (!FileExists(item.shortcut))
            std::erase(remains_, item.name);
}

void TSDRIM32SETUPForm::ReportAndClose()
{
    ForgetItemsRemovedLate();
    if (remains_.empty()) {
        ShowMessage(UninstalledText);
    } else {
        ShowMessage(IncompleteUninstallText(remains_));
        Application::Get().SetExitCode(UninstallIncompleteExitCode);
    }
    Repaint();
    CloseAfterStep();
}
