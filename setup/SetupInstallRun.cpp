// "設定": the installation, step by step.  Each step that fails shows its
// message and leaves the window ready again; what the steps before it did
// stays (a refused folder level takes only the levels just made with it).

#include "setup/DRIM_SETUP.h"

#include "gui/Application.h"
#include "platform/CopyUnit.h"
#include "platform/FileSystem.h"
#include "program/Program.h"
#include "program/ProgramValues.h"
#include "program/RegistryNames.h"
#include "setup/InstallFolders.h"
#include "setup/InstallRecord.h"
#include "setup/SetupRegistry.h"
#include "setup/SetupTexts.h"
#include "setup/SystemFolderLevels.h"
#include "shell/ItemFiles.h"
#include "shell/Progman.h"
#include "shell/ProgmanLink.h"
#include "text/YeNADDCUT.h"

#include <windows.h>

namespace {

std::string UpperWithSystem(std::string text)
{
    if (!text.empty())
        CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

// What the installed files take as they lie in the folder, copied now or
// there already.
std::uint64_t InstalledBytes(
    const std::string& folder, const std::array<std::string, ProgramFileCount>& names)
{
    std::uint64_t bytes = 0;
    for (std::size_t i = 0; i < InstalledFileCount; ++i)
        if (const std::optional<WIN32_FIND_DATAA> found = FindFile(folder + names[i]))
            bytes += (std::uint64_t { found->nFileSizeHigh } << 32) | found->nFileSizeLow;
    return bytes;
}

} // namespace

void TSDRIM32SETUPForm::Button3Click()
{
    // Enter still reaches the default button while it is hidden.
    if (!button3_->Visible()) {
        MessageBeep(MB_ICONEXCLAMATION);
        return;
    }
    const RunningStep step(*this);
    const HourglassCursor hourglass;
    button3_->SetVisible(false);
    Application::Get().ProcessMessages();
    if (RunInstallation())
        CloseAfterStep();
    heldLevels_.Release();
}

void TSDRIM32SETUPForm::StopInstallation(std::string_view text, bool beep)
{
    button3_->SetVisible(true);
    if (beep)
        MessageBeep(MB_ICONEXCLAMATION);
    if (!text.empty())
        ShowMessage(text);
}

bool TSDRIM32SETUPForm::RunInstallation()
{
    if (comboBox1_->Text().empty()) {
        StopInstallation(NoGroupText, true);
        return false;
    }
    const std::string folderText = edit1_->Text();
    if (folderText.empty()) {
        StopInstallation(NoFolderText, true);
        return false;
    }
    const std::string folder = PrepareFolder(folderText);
    if (folder.empty())
        return false;
    if (!CopyProgramFiles(folder))
        return false;

    Application::Get().ProcessMessages();
    const std::string group = comboBox1_->Text();
    const std::vector<RegistryWrite> writes = InstallRegistryWrites(
        { folder, group, checkBoxBkColor_->Checked(), InstalledBytes(folder, programFileNames_) });
    if (!RecordStageOrStop(writes, RecordStage::FolderAndGroup))
        return false;
    const bool registered = AddProgramItems(group, folder + programFileNames_[0]);
    // A close asked for while Program Manager was awaited stops the
    // installation where it stands; the close follows the step.
    if (closeRequested_)
        return false;
    // The machine's entry where the user may write it, the user's own where
    // not (Windows lists both).
    if (!WriteRecordStage(writes, RecordStage::UninstallEntry)
        && !RecordStageOrStop(ForCurrentUser(writes), RecordStage::UninstallEntry))
        return false;
    if (!RecordStageOrStop(writes, RecordStage::Version))
        return false;

    Application::Get().ProcessMessages();
    SetForegroundWindow(Handle());
    ShowMessage(std::string(InstalledHead)
                    .append(comboBox1_->Text())
                    .append(registered ? InstalledGroupLine : InstalledUnregisteredGroupLine)
                    .append(InstalledTail));
    Repaint();
    return true;
}

bool TSDRIM32SETUPForm::RecordStageOrStop(const std::vector<RegistryWrite>& writes, RecordStage stage)
{
    const Result<> written = WriteRecordStage(writes, stage);
    if (!written)
        StopInstallation(written.Message(), false);
    return static_cast<bool>(written);
}

// The folder with its trailing backslash, every level of it in place; empty
// when the installation stops here.
std::string TSDRIM32SETUPForm::PrepareFolder(const std::string& folderText)
{
    const std::optional<std::string> fullPath = FullPathName(folderText);
    const std::string folder = fullPath ? YenAdd(*fullPath) : std::string();
    // A path longer than the system's buffers would be cut or refused
    // somewhere further on, with part of the work already done.
    if (folder.empty() || !FolderFitsPathBuffers(folder, programFileNames_[0])) {
        StopInstallation(BadFolderText, false);
        return {};
    }
    const std::vector<std::string> levels = InstallFolderLevels(folder);
    // The levels that exist are held before anything is made or changed in
    // them, those made here once they are.
    if (!HoldLevelsOrStop(levels))
        return {};
    // An earlier installation's folder: the recorded one, written as the
    // installer writes it.
    const bool earlierInstallation = UpperWithSystem(YenCut(folder))
        == UpperWithSystem(ReadSetting(HKEY_CURRENT_USER, SettingsKey, ValueExePath));
    SystemFolderLevels system;
    const Result<bool> made = MakeFolderLevels(levels, earlierInstallation, system,
        [&] { return Ask(YenCut(folder).append(CreateFolderQuestion)); });
    if (!made || !*made) {
        StopInstallation(made.Message(), false);
        return {};
    }
    if (!HoldLevelsOrStop(levels))
        return {};
    const std::string lastLevel = levels.empty() ? std::string() : YenAdd(levels.back());
    if (lastLevel.empty() || lastLevel == "\\") {
        StopInstallation(BadFolderText, false);
        return {};
    }
    return lastLevel;
}

bool TSDRIM32SETUPForm::HoldLevelsOrStop(const std::vector<std::string>& levels)
{
    const std::optional<std::string> refused = heldLevels_.Hold(levels);
    if (refused)
        StopInstallation(std::string("[ ").append(*refused).append(CreateFolderFailedText), false);
    return !refused;
}

bool TSDRIM32SETUPForm::CopyProgramFiles(const std::string& targetFolder)
{
    const std::string& sourceFolder = Program().programFolder;
    // Run from the chosen folder itself: the files are already there.  A
    // copy writes only a file's data, so it drops the mark of the web that
    // unpacking a downloaded zip leaves; files used where they lie keep it,
    // and then a marked help file shows no page and a marked program file a
    // security warning at every start.  A file without the mark, or missing,
    // has no stream to delete.  DeleteFileAt is not used: the read-only
    // attribute it clears is the file's own, not the stream's.
    if (UpperWithSystem(sourceFolder) == UpperWithSystem(targetFolder)) {
        for (const std::string& stream : MarkOfTheWebStreams(targetFolder))
            DeleteFileA(stream.c_str());
        return true;
    }
    for (std::size_t i = 0; i < InstalledFileCount; ++i) {
        const std::string& name = programFileNames_[i];
        if (i >= RequiredFileCount && !FileExists(sourceFolder + name))
            continue;
        if (!ReplaceFileKeepDate(sourceFolder + name, targetFolder + name)) {
            StopInstallation(std::string(name).append(CopyFailedText), false);
            return false;
        }
    }
    return true;
}

bool TSDRIM32SETUPForm::AddProgramItems(const std::string& group, const std::string& installedFile)
{
    const std::string addItem = AddItemCommand(installedFile, quotedItemTitle_);
    // Where the shell would garble the item's name, the files are the
    // program's own work.
    const std::optional<unsigned> shellCodePage = ItemFilesCodePage();
    auto addTo = [&](const std::string& target) {
        if (!shellCodePage)
            return AddItemToGroup(target, addItem);
        const Result<> added = AddItemFile(target, installedFile, *shellCodePage);
        if (!added)
            ShowMessage(added.Message());
        return static_cast<bool>(added);
    };
    Application::Get().ProcessMessages();
    const bool registered = addTo(group);
    if (closeRequested_ || !checkBoxST_->Checked())
        return registered;
    const std::string startupGroup = StartupGroupName();
    if (startupGroup.empty()) {
        ShowMessage(NoStartupGroupText);
        return registered;
    }
    // The Startup item is the user's extra; the completion box speaks only
    // of the group.
    static_cast<void>(addTo(startupGroup));
    return registered;
}

// CreateGroup makes the group the active one, which AddItem adds to; where
// it fails another group may be active, so the item is not sent.  The
// first refusal is shown, unless a close came meanwhile.
bool TSDRIM32SETUPForm::AddItemToGroup(const std::string& group, const std::string& addItem)
{
    Result<> result
        = ProgmanExecute(CreateGroupCommand(group), ShellEffect(ProgmanEffectKind::GroupMade, group));
    Application::Get().ProcessMessages();
    if (result && !closeRequested_) {
        result = ProgmanExecute(addItem, ShellEffect(ProgmanEffectKind::ItemWritten, group, ItemTitle));
        Application::Get().ProcessMessages();
    }
    if (!result && !closeRequested_)
        ShowMessage(result.Message());
    return static_cast<bool>(result);
}
