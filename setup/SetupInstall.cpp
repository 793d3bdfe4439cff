// The setup window in install mode: its creation steps and every handler
// but "設定".

#include "setup/DRIM_SETUP.h"

#include "gui/Application.h"
#include "platform/CompareText.h"
#include "platform/Registry.h"
#include "program/RegistryNames.h"
#include "setup/GroupList.h"
#include "setup/SetupRegistry.h"
#include "setup/SetupTexts.h"
#include "shell/ProgmanLink.h"

#include <windows.h>

void TSDRIM32SETUPForm::StartInstallMode()
{
    SetApplicationCaption(std::string(windowTitleBase_).append(InstallCaptionTail));
    SetLabelText(*label1_, programFileNames_[0] + label1_->Text());
    SetLabelText(*label2_, programFileNames_[0] + label2_->Text());
    Application::Get().ProcessMessages();

    defaultFolder_ = DefaultFolder(windowsFolder_, ReadSetting(HKEY_CURRENT_USER, SettingsKey, ValueExePath));
    edit1_->SetText(defaultFolder_);
    rememberedGroup_ = ReadSetting(HKEY_CURRENT_USER, SettingsKey, ValueGroup);

    Application::Get().ProcessMessages();
    std::optional<std::vector<std::string>> groupNames = RequestGroupNames();
    if (groupNames)
        DdeClientConv1Open(std::move(*groupNames));
    else
        ShowMessage(NoGroupListText);
    Repaint();
}

void TSDRIM32SETUPForm::DdeClientConv1Open(std::vector<std::string> groupNames)
{
    const GroupList list = ArrangeGroupList(std::move(groupNames), rememberedGroup_, CompareIgnoringCase);
    comboBox1_->Fill(list.entries);
    comboBox1_->SetSelectedIndex(static_cast<int>(list.selected));
}

void TSDRIM32SETUPForm::Button1Click()
{
    dIROPENDLG1_.StandardColor = checkBoxBkColor_->Checked();
    dIROPENDLG1_.Title = BrowseTitle;
    dIROPENDLG1_.Directory = edit1_->Text();
    const Result<std::string> folder = dIROPENDLG1_.Execute();
    if (!folder)
        ShowMessage(folder.Message());
    else if (!folder->empty())
        edit1_->SetText(*folder);
    edit1_->SetFocus();
}

void TSDRIM32SETUPForm::Button2Click()
{
    ShowMessage(CancelledText);
    Repaint();
    CloseAfterStep();
}

void TSDRIM32SETUPForm::Button4Click()
{
    edit1_->SetText(defaultFolder_);
    edit1_->SetFocus();
}

void TSDRIM32SETUPForm::CheckBoxBkColorClick()
{
    const COLORREF color = checkBoxBkColor_->Checked() ? GetSysColor(COLOR_WINDOW) : BackgroundColor();
    comboBox1_->SetColor(color);
    edit1_->SetColor(color);
}
