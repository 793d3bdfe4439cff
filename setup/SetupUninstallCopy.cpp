// The uninstall copy: it takes the hand-over, deletes the program file once
// the uninstaller's process has let go of it, and removes the emptied
// folders.

#include "setup/DRIM_SETUP.h"

#include "platform/FileSystem.h"
#include "program/Program.h"
#include "setup/InstallFolders.h"
#include "setup/SetupRegistry.h"
#include "setup/SetupTexts.h"

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
    // Result not looked at: Timer3 tries again until the file is gone.
    if (FileExists(copyStart_.file))
        static_cast<void>(DeleteFileAt(copyStart_.file));
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
    if (FileExists(copyStart_.file) && !DeleteFileAt(copyStart_.file)) {
        if (++deleteTries_ >= DeleteTriesBeforeAsking) {
            deleteTries_ = 0;
            if (!Ask(std::string(copyStart_.file).append(FileStillHeldQuestion))) {
                CloseAfterStep();
                return;
            }
        }
        timer3_.SetEnabled(true);
        return;
    }
    if (copyStart_.removeFolders)
        RemoveFolderLevels(InstallFolderLevels(copyStart_.folderWithBackslash), RemoveFolder);
    ShowMessage(UninstalledText);
    Repaint();
    CloseAfterStep();
}
