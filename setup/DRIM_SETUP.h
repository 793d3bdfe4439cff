#pragma once

// The setup window: shown to install the program, hidden while it removes
// it.  Its class name tells other copies that a setup is under way.
//
// Its handlers are spread over files by mode:
//   DRIM_SETUP.cpp          creation (FormCreate), FormPaint, FormCloseQuery,
//                           the boxes and the guard of a running step
//   SetupInstall.cpp        install mode: DdeClientConv1Open, Button1Click
//                           ("参照"), Button2Click ("中止"), Button4Click
//                           ("初期値"), CheckBoxBkColorClick ("標準色")
//   SetupInstallRun.cpp     Button3Click ("設定"), the installation
//   SetupUninstall.cpp      Timer1Timer (the uninstallation) and
//                           TimerErOutTimer (the running report)
//   SetupUninstallCopy.cpp  Timer2Timer and Timer3Timer (the uninstall copy)

#include "base/Result.h"
#include "browser/Dopendlg.h"
#include "dialogs/Palundlg.h"
#include "dialogs/Yesnodlg.h"
#include "gui/Controls.h"
#include "gui/Font.h"
#include "gui/Form.h"
#include "gui/Timer.h"
#include "program/RunMode.h"
#include "setup/HeldFolderLevels.h"
#include "setup/InstallRecord.h"
#include "setup/SetupValues.h"
#include "setup/UninstallCopy.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

inline constexpr char SetupWindowClassName[] = "TSDRIM32SETUPForm";

class TSDRIM32SETUPForm : public Form {
public:
    explicit TSDRIM32SETUPForm(RunMode mode);

    RunMode Mode() const { return mode_; }

protected:
    std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool FormCloseQuery() override;

private:
    // While the creation or the installation runs, pending messages are let
    // through; a close request among them is carried out once the run is
    // over, never while its code still uses the controls.  The hidden modes have none: a
    // close there ends the open box as closed, and the process.
    class RunningStep {
    public:
        explicit RunningStep(TSDRIM32SETUPForm& form);
        RunningStep(const RunningStep&) = delete;
        RunningStep& operator=(const RunningStep&) = delete;
        ~RunningStep();

    private:
        TSDRIM32SETUPForm& form_;
    };

    void FormCreate();
    void FormPaint();
    void CreateControls();
    void SetLabelText(Label& label, std::string_view text);
    void StartInstallMode();
    void StartHiddenMode();
    void ShowMessage(std::string_view text);
    bool Ask(std::string_view question);
    void SetApplicationCaption(std::string_view caption);
    // Closes once the current handler has returned.
    void CloseAfterStep();

    void DdeClientConv1Open(std::vector<std::string> groupNames);
    void Button1Click();
    void Button2Click();
    void Button4Click();
    void CheckBoxBkColorClick();

    void Button3Click();
    bool RunInstallation();
    std::string PrepareFolder(const std::string& folderText);
    // Holds the levels not held yet; a refused one stops the installation
    // naming it.
    bool HoldLevelsOrStop(const std::vector<std::string>& levels);
    bool CopyProgramFiles(const std::string& targetFolder);
    // Writes the stage; a failure stops the installation with its message.
    bool RecordStageOrStop(const std::vector<RegistryWrite>& writes, RecordStage stage);
    // True when the group holds the program's item afterwards; every
    // command Program Manager refused has been shown.
    bool AddProgramItems(const std::string& group, const std::string& installedFile);
    [[nodiscard]] bool AddItemToGroup(const std::string& group, const std::string& addItem);
    void StopInstallation(std::string_view text, bool beep);

    void Timer1Timer();
    bool ConfirmedRemoval();
    // Remove one thing; what stays is added to remains_.
    void RemoveKey(RegistryRoot root, std::string_view path);
    void RemoveFile(const std::string& path);
    void RemoveProgramItems();
    void RemoveSettings();
    // What stands at an uninstall copy's path once it has been refreshed:
    // the running program's bytes, or another file that may not read all
    // of the hand-over (another program's copy, or an older one of this
    // program's that could not be replaced).
    enum class CopyState { Missing, Other, Current };
    struct PlacedCopy {
        std::string path;
        CopyState state;
    };
    // Where the uninstall copy is started from, and what stands there.
    PlacedCopy PlaceUninstallCopy();
    CopyState RefreshUninstallCopy(const std::string& copyPath);
    Result<> StartUninstallCopy(const std::string& copyPath);
    void TimerErOutTimer();

    void Timer2Timer();
    void Timer3Timer();
    void RemoveEmptiedFolders();
    // The completion report, or what remains and the exit code saying so.
    void ReportAndClose();
    // Both processes: a group item whose shortcut has gone since is no
    // longer named.
    void ForgetItemsRemovedLate();

    RunMode mode_;
    bool stepRunning_ = false;
    bool closeRequested_ = false;

    std::string quotedItemTitle_;
    std::array<std::string, ProgramFileCount> programFileNames_;
    std::string windowTitleBase_;
    std::string displayTitle_;
    std::string windowsFolder_;
    std::string defaultFolder_;
    std::string rememberedGroup_;
    UninstallCopyStart copyStart_;
    // What the uninstallation could not remove: the uninstaller's, handed
    // over, and then the copy's own.
    std::vector<std::string> remains_;
    std::vector<LeftItem> leftItems_; // the group items among remains_
    int deleteTries_ = 0; // failed deletions of the program file since the last question
    // The install folder's levels while the installation or the copy works
    // in it.
    HeldFolderLevels heldLevels_;

    FontHandle font_;
    Label* label1_ = nullptr;
    Edit* edit1_ = nullptr;
    Button* button4_ = nullptr;
    Button* button1_ = nullptr;
    CheckBox* checkBoxBkColor_ = nullptr;
    Label* label2_ = nullptr;
    ComboBox* comboBox1_ = nullptr;
    Button* button2_ = nullptr;
    Button* button3_ = nullptr;
    Button* button5_ = nullptr;
    CheckBox* checkBoxST_ = nullptr;

    TYesNoBoxDlg yesNoBoxDlg1_;
    TPalunBoxDlg palunBoxDlg1_;
    TDIROPENDLG dIROPENDLG1_;
    Timer timer1_;
    Timer timer2_;
    Timer timer3_;
    Timer timerErOut_;
};
