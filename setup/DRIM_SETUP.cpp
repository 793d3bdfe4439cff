#include "setup/DRIM_SETUP.h"

#include "gui/Application.h"
#include "gui/Look.h"
#include "platform/SystemFolders.h"
#include "program/ProgramValues.h"
#include "setup/SetupTexts.h"
#include "shell/Progman.h"

namespace {

constexpr int ClientWidth = 441;
constexpr int ClientHeight = 171;
constexpr DWORD SetupWindowStyle = WS_OVERLAPPEDWINDOW;
constexpr DWORD SetupWindowExStyle = WS_EX_TOPMOST;

constexpr int FontHeight = 13;

constexpr UINT Timer1Interval = 500;
constexpr UINT Timer2Interval = 500;
constexpr UINT Timer3Interval = 1000;
constexpr UINT TimerErOutInterval = 1000;

constexpr int Label1Left = 8;
constexpr int Label1Top = 8;
constexpr Bounds Edit1Bounds { 8, 32, 289, 26 };
constexpr Bounds Button4Bounds { 296, 8, 57, 24 };
constexpr Bounds Button1Bounds { 296, 32, 57, 25 };
constexpr Bounds CheckBoxBkColorBounds { 360, 24, 73, 17 };
constexpr int Label2Left = 8;
constexpr int Label2Top = 80;
constexpr Bounds ComboBox1Bounds { 8, 104, 313, 26 };
constexpr Bounds Button2Bounds { 352, 64, 73, 33 };
constexpr Bounds Button3Bounds { 352, 104, 73, 33 };
constexpr Bounds Button5Bounds = Button3Bounds;
constexpr Bounds CheckBoxSTBounds { 8, 144, 401, 17 };

} // namespace

TSDRIM32SETUPForm::TSDRIM32SETUPForm(RunMode mode)
    : mode_(mode)
    , quotedItemTitle_(QuotedItemTitle(ItemTitle))
    , programFileNames_(ProgramFileNames())
    , windowTitleBase_(WindowTitleBase())
    , displayTitle_(DisplayTitle())
    , font_(SystemFont(FontHeight))
    , timer1_(*this, Timer1Interval, [this] { Timer1Timer(); })
    , timer2_(*this, Timer2Interval, [this] { Timer2Timer(); })
    , timer3_(*this, Timer3Interval, [this] { Timer3Timer(); })
    , timerErOut_(*this, TimerErOutInterval, [this] { TimerErOutTimer(); })
{
    // The creation lets messages run too (the group list, the boxes); a
    // close among them waits until the window is complete.
    const RunningStep step(*this);
    FormCreate();
}

void TSDRIM32SETUPForm::FormCreate()
{
    RECT frame { 0, 0, ClientWidth, ClientHeight };
    AdjustWindowRectEx(&frame, SetupWindowStyle, FALSE, SetupWindowExStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    FormLayout layout;
    layout.className = SetupWindowClassName;
    layout.caption = windowTitleBase_;
    layout.style = SetupWindowStyle;
    layout.exStyle = SetupWindowExStyle;
    layout.left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    layout.top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    layout.width = width;
    layout.height = height;
    layout.icon = Application::Get().Icon();
    CreateWindowFromLayout(layout);
    CreateControls();

    const Result<std::string> windowsFolder = WindowsFolder();
    if (!windowsFolder) {
        // The setup window's own wording, which names the step that failed.
        ShowMessage(NoMemoryText);
        mode_ = RunMode::Normal;
        timerErOut_.SetEnabled(true);
        Repaint();
        return;
    }
    windowsFolder_ = *windowsFolder;
    if (mode_ == RunMode::Normal)
        StartInstallMode();
    else
        StartHiddenMode();
}

void TSDRIM32SETUPForm::CreateControls()
{
    label1_ = &Add<Label>(Bounds { Label1Left, Label1Top, 0, 0 }, std::string_view());
    label2_ = &Add<Label>(Bounds { Label2Left, Label2Top, 0, 0 }, std::string_view());
    SetLabelText(*label1_, FolderPromptTail);
    SetLabelText(*label2_, GroupPromptTail);
    // Created in the tab order.
    edit1_ = &Add<Edit>(Edit1Bounds, std::string_view());
    button4_ = &Add<Button>(Button4Bounds, DefaultButtonCaption);
    button1_ = &Add<Button>(Button1Bounds, BrowseButtonCaption);
    comboBox1_ = &Add<ComboBox>(ComboBox1Bounds, ComboKind::DropDown);
    button3_ = &Add<Button>(Button3Bounds, InstallButtonCaption, true);
    button2_ = &Add<Button>(Button2Bounds, CancelButtonCaption);
    button5_ = &Add<Button>(Button5Bounds, InstallingCaption);
    checkBoxST_ = &Add<CheckBox>(CheckBoxSTBounds, StartupCheckCaption, false);
    checkBoxBkColor_ = &Add<CheckBox>(CheckBoxBkColorBounds, StandardColorCaption, true);

    // "設定中" lies under "設定" and must not paint over it while both show.
    SetWindowLongA(
        button5_->Handle(), GWL_STYLE, GetWindowLongA(button5_->Handle(), GWL_STYLE) | WS_CLIPSIBLINGS);
    for (Control* control : std::initializer_list<Control*> { label1_, label2_, edit1_, button4_, button1_,
             comboBox1_, button3_, button2_, button5_, checkBoxST_, checkBoxBkColor_ })
        control->SetFont(font_.Get());
    edit1_->SetHint(FolderHint);
    button4_->SetHint(DefaultButtonHint);
    button1_->SetHint(BrowseButtonHint);
    comboBox1_->SetHint(GroupHint);
    button2_->SetHint(CancelButtonHint);
    button3_->SetHint(InstallButtonHint);

    button1_->OnClick = [this] { Button1Click(); };
    button2_->OnClick = [this] { Button2Click(); };
    button3_->OnClick = [this] { Button3Click(); };
    button4_->OnClick = [this] { Button4Click(); };
    checkBoxBkColor_->OnClick = [this] { CheckBoxBkColorClick(); };
    SetDialogKeys(true);
    SetDefaultButton(button3_->Id());
    SetCancelButton(button2_->Id());
}

void TSDRIM32SETUPForm::SetLabelText(Label& label, std::string_view text)
{
    // A label is as large as its text.
    const SIZE size = MeasureText(font_.Get(), text);
    const Bounds bounds = label.GetBounds();
    label.SetBounds(Bounds { bounds.left, bounds.top, size.cx, size.cy });
    label.SetText(text);
}

void TSDRIM32SETUPForm::StartHiddenMode()
{
    switch (mode_) {
    case RunMode::Uninstall:
        timer1_.SetEnabled(true);
        break;
    case RunMode::UninstallCopy:
        timer2_.SetEnabled(true);
        break;
    case RunMode::UninstallBlocked:
    case RunMode::Normal:
        timerErOut_.SetEnabled(true);
        break;
    }
    SetApplicationCaption(std::string(windowTitleBase_).append(UninstallCaptionTail));
}

void TSDRIM32SETUPForm::SetApplicationCaption(std::string_view caption)
{
    SetCaption(caption);
    // The boxes carry no title of their own and show the application's.
    Application::Get().SetTitle(caption);
}

std::optional<LRESULT> TSDRIM32SETUPForm::HandleMessage(UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_PAINT)
        FormPaint();
    // A session that ends without asking first stops a running step too.
    if (message == WM_ENDSESSION && wParam != FALSE && stepRunning_)
        closeRequested_ = true;
    return std::nullopt;
}

void TSDRIM32SETUPForm::FormPaint()
{
    const COLORREF background = FormBackgroundColor();
    // Setting it invalidates the window: only a change may do so, or every
    // paint would ask for the next.
    if (background != BackgroundColor())
        SetBackgroundColor(background);
}

bool TSDRIM32SETUPForm::FormCloseQuery()
{
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    if (stepRunning_) {
        closeRequested_ = true;
        return false;
    }
    return true;
}

TSDRIM32SETUPForm::RunningStep::RunningStep(TSDRIM32SETUPForm& form)
    : form_(form)
{
    form_.stepRunning_ = true;
}

TSDRIM32SETUPForm::RunningStep::~RunningStep()
{
    form_.stepRunning_ = false;
    if (form_.closeRequested_)
        form_.CloseAfterStep();
}

void TSDRIM32SETUPForm::CloseAfterStep()
{
    closeRequested_ = false;
    if (Handle() != nullptr)
        PostMessageA(Handle(), WM_CLOSE, 0, 0);
}

void TSDRIM32SETUPForm::ShowMessage(std::string_view text)
{
    palunBoxDlg1_.Execute(std::string(text));
}

bool TSDRIM32SETUPForm::Ask(std::string_view question, bool noByDefault)
{
    return yesNoBoxDlg1_.Execute(std::string(question), noByDefault) == IDYES;
}
