// The commands of the tray menus.

#include "tray/DrIMFM.h"

#include "gui/Application.h"
#include "platform/CopyUnit.h"
#include "platform/FileSystem.h"
#include "platform/SystemFolders.h"
#include "platform/WinExec.h"
#include "program/Program.h"
#include "program/ProgramValues.h"
#include "shell/ItemFiles.h"
#include "shell/Progman.h"
#include "shell/ProgmanLink.h"
#include "tray/HelpChoice.h"
#include "tray/KeepAwakeReadings.h"
#include "tray/TrayMenuText.h"

namespace {

constexpr char DisplayPropertiesProgram[] = "rundll32.exe";
constexpr char DisplayPropertiesArguments[] = " shell32.dll,Control_RunDLL ";
// Page 1 of the display control panel is the screen-saver dialog itself;
// the control panel without a page opens the display settings, from which
// today's systems no longer reach the screen saver.
constexpr char DisplayPropertiesApplet[] = "DESK.CPL,,1";

} // namespace

void TSDRIM32PALUN::MenuP0Click(MenuItem& sender)
{
    P0Click(sender.Name() == "P0" || sender.Name() == "PML_OFF");
}

void TSDRIM32PALUN::OffTimerClick(int entry)
{
    P0Click(true);
    controller_.StartTimer({ false, static_cast<std::uint16_t>(TrayText::OffTimerFirstMinutes << entry) },
        ReadKeepAwakeClock(), entry);
}

void TSDRIM32PALUN::PWATCH_ENTRYClick(std::size_t entry)
{
    ToggleWatched(settings_.watch, watchMenuNames_[entry]);
    // The refresh reads the process list: the change shows at once.
    ModeRefresh();
}

void TSDRIM32PALUN::PWATCH_CLEARClick()
{
    settings_.watch.clear();
    ModeRefresh();
}

void TSDRIM32PALUN::PAC_ONLYClick()
{
    if (controller_.SetMainsOnly(!controller_.MainsOnly(), OnBatteryPower()))
        Timer2Timer();
    else
        hold_.Set(controller_.Holding());
}

void TSDRIM32PALUN::PST0Click()
{
    MenuItem& pst0 = *popupMenu1_.Find("PST0");
    pst0.SetChecked(!pst0.Checked());
    popupMenu1_.Find("PST1")->SetEnabled(pst0.Checked());
}

void TSDRIM32PALUN::PST1Click()
{
    MenuItem& pst1 = *popupMenu1_.Find("PST1");
    pst1.SetChecked(!pst1.Checked());
}

void TSDRIM32PALUN::PMR_MYSOFTClick(MenuItem& sender)
{
    controller_.SetMySoft(sender.Name() == "PMR_MYSOFT" ? -1 : 0);
    ModeRefresh();
}

void TSDRIM32PALUN::PMR_SS_SETClick()
{
    const HourglassCursor hourglass;
    const std::string program = SystemProgramPath(DisplayPropertiesProgram);
    std::string command = QuotedCommand(program);
    command += DisplayPropertiesArguments;
    command += DisplayPropertiesApplet;
    // A command that could not be started is told to the user rather than
    // left for them to wait on.
    if (program.empty() || !StartCommandLine(command, SW_SHOW)) {
        Application::Get().ProcessMessages();
        ShowTrayMessage(TrayText::DisplayPropertiesFailed);
        Repaint();
    }
}

void TSDRIM32PALUN::MICON_SETClick(MenuItem& sender)
{
    const HourglassCursor hourglass;
    busy_ = true;
    StartupIconUpdate(sender.Name() == "MICON_SET");
    busy_ = false;
}

void TSDRIM32PALUN::StartupIconUpdate(bool add)
{
    {
        const HourglassCursor hourglass;
        const std::string group = StartupGroupName();
        if (group.empty()) {
            ShowTrayMessage(TrayText::StartupGroupUnknown);
        } else if (const std::optional<unsigned> shellCodePage = ItemFilesCodePage()) {
            // The shell would garble the item's name: the file is the
            // program's own work here.
            const Result<> result = add ? AddItemFile(group, Program().programPath, *shellCodePage)
                                        : DeleteItemFiles(group, *shellCodePage);
            if (!result)
                ShowTrayMessage(result.Message());
        } else {
            waitingForProgman_ = true;
            const Result<> result = StartupItemCommands(group, add);
            waitingForProgman_ = false;
            // A close asked for during the wait ends the command here; the
            // window may be on its way out, so nothing more touches it.
            if (closeAsked_) {
                PostMessageA(Handle(), WM_CLOSE, 0, 0);
                return;
            }
            if (!result)
                ShowTrayMessage(result.Message());
            Application::Get().ProcessMessages();
        }
    }
    Repaint();
}

// AddItem and DeleteItem act on the active group: CreateGroup makes the
// Startup group active, creating it where missing.  Where it fails, another
// group may be active, and the item command would act there; its failure is
// shown instead.
Result<> TSDRIM32PALUN::StartupItemCommands(const std::string& group, bool add)
{
    const Result<> created
        = ProgmanExecute(CreateGroupCommand(group), ShellEffect(ProgmanEffectKind::GroupMade, group));
    Application::Get().ProcessMessages();
    if (!created || closeAsked_)
        return created;
    const std::string quotedTitle = QuotedItemTitle(ItemTitle);
    if (add)
        return ProgmanExecute(AddItemCommand(Program().programPath, quotedTitle),
            ShellEffect(ProgmanEffectKind::ItemWritten, group, ItemTitle));
    return ProgmanExecute(
        DeleteItemCommand(quotedTitle), ShellEffect(ProgmanEffectKind::ItemGone, group, ItemTitle));
}

void TSDRIM32PALUN::MDESK_SETClick(MenuItem& sender)
{
    const HourglassCursor hourglass;
    busy_ = true;
    if (sender.Name() != "MDESK_SET") {
        if (!links_.desktop.empty())
            DeleteFileA(links_.desktop.c_str());
    } else if (LinkExists(links_.desktop)) {
        ShowTrayMessage(TrayText::DesktopAlreadyRegistered);
    } else {
        // Without a desktop or group folder there is nothing to copy from or
        // to; a path relative to the current folder would be wrong.  The
        // message below names both paths, so the copy's own text is not shown.
        const bool copied = !links_.desktop.empty() && !links_.group.empty()
            && static_cast<bool>(FileCopyKeepDate(links_.group, links_.desktop));
        if (!copied) {
            std::string message(ItemTitle);
            message += '\n';
            message += links_.group;
            message += '\n';
            message += links_.desktop;
            message += '\n';
            message += TrayText::DesktopCopyFailed;
            ShowTrayMessage(message);
        }
    }
    busy_ = false;
    Repaint();
}

void TSDRIM32PALUN::P5Click()
{
    const std::string chm = HelpFilePath(".CHM");
    const bool chmExists = FileExists(chm);
    const bool windows10OrLater = SystemIsWindows10OrLater();
    // hhctrl.ocx is loaded only where the choice depends on it.
    const bool htmlHelpLoads = (chmExists || windows10OrLater) && htmlHelp_.Load();
    switch (ChooseHelp(htmlHelpLoads, chmExists, windows10OrLater)) {
    case HelpChoice::OpenChm:
        // No window where the file cannot be read, or its path holds a "#".
        if (!htmlHelp_.ShowContents(Handle(), chm))
            ShowTrayMessage(chm + '\n' + std::string(TrayText::HelpNotShown));
        break;
    case HelpChoice::OpenHlp:
        winHelpOpened_ = true;
        WinHelpA(Handle(), HelpFilePath(".HLP").c_str(), HELP_CONTENTS, 0);
        break;
    case HelpChoice::SayHtmlHelpMissing:
        ShowTrayMessage(TrayText::HtmlHelpMissing);
        break;
    case HelpChoice::SayChmMissing:
        ShowTrayMessage(chm + '\n' + std::string(TrayText::ChmMissing));
        break;
    }
}

// The help windows of the viewers the help item opened, whichever they were.
void TSDRIM32PALUN::CloseHelp()
{
    htmlHelp_.CloseAll();
    if (winHelpOpened_)
        WinHelpA(Handle(), HelpFilePath(".HLP").c_str(), HELP_QUIT, 0);
}

void TSDRIM32PALUN::P2Click()
{
    Close();
}

void TSDRIM32PALUN::ShowTrayMessage(std::string_view text)
{
    busy_ = true;
    Application::Get().ProcessMessages();
    mkBoxDlg1_.ExecuteCount(text);
    busy_ = false;
    Repaint();
    Application::Get().ProcessMessages();
}
