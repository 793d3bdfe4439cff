#include "dialogs/BoxForm.h"

#include "gui/Application.h"
#include "gui/Look.h"
#include "gui/Placement.h"

#include <vector>

namespace {

constexpr UINT CountdownInterval = 1000;
constexpr UINT PaintDelay = 100;

constexpr DWORD BoxStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD BoxExStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST;

constexpr int ResultOk = 1;
constexpr int ResultYes = 6;
constexpr int ResultNo = 7;

} // namespace

BoxForm::BoxForm(const BoxKind& kind, bool counting, std::string_view countLabel)
    : kind_(kind)
    , counting_(counting)
    , font_(SystemFont(BoxMetrics::FontHeight))
    , boldFont_(SystemFont(BoxMetrics::FontHeight, true))
    , symbol_(static_cast<HBITMAP>(LoadImageA(Application::Get().Instance(),
          MAKEINTRESOURCEA(kind.symbolBitmap), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)))
    , timer1_(*this, CountdownInterval, [this] { Timer1Timer(); })
    , timerPaint_(*this, PaintDelay, [this] { Timer_PaintTimer(); })
{
    FormLayout layout;
    layout.className = kind.className;
    layout.style = BoxStyle;
    layout.exStyle = BoxExStyle;
    layout.left = 0;
    layout.top = 0;
    layout.width = 300;
    layout.height = 200;
    layout.owner = Application::Get().Handle();
    CreateWindowFromLayout(layout);
    SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    SetDialogKeys(true);
    CreateControls(countLabel);
}

BoxForm::~BoxForm()
{
    DestroyHandle();
}

void BoxForm::CreateControls(std::string_view countLabel)
{
    const Bounds button { 0, 0, BoxMetrics::ButtonWidth, BoxMetrics::ButtonHeight };
    button1_ = &Add<Button>(button, kind_.yesNo ? "はい" : "ＯＫ", true);
    button1_->SetFont(boldFont_.Get());
    button1_->OnClick = [this] { SetModalResult(kind_.yesNo ? ResultYes : ResultOk); };
    SetDefaultButton(button1_->Id());
    defaultButton_ = button1_;

    if (kind_.yesNo) {
        button2_ = &Add<Button>(button, "いいえ");
        button2_->SetFont(boldFont_.Get());
        button2_->OnClick = [this] { SetModalResult(ResultNo); };
        SetCancelButton(button2_->Id());
    } else {
        button2_ = &Add<Button>(button, "一時停止", false, false);
        button2_->SetFont(font_.Get());
        button2_->OnClick = [this] { Button2Click(); };
        button3_ = &Add<Button>(button, "ｶｳﾝﾄ再開", false, false);
        button3_->SetFont(font_.Get());
        button3_->OnClick = [this] { Button3Click(); };
    }

    memoMsg_ = &Add<Memo>(Bounds { 2 * BoxMetrics::SymbolSize, BoxMetrics::MemoMsgTop, 0, 0 });
    memoMsg_->SetFont(font_.Get());
    image1_ = &Add<PictureBox>(
        Bounds { BoxMetrics::Image1Left, 0, BoxMetrics::SymbolSize, BoxMetrics::SymbolSize });
    if (!kind_.yesNo) {
        label1_ = &Add<Label>(Bounds {}, countLabel, false, SS_RIGHT);
        label1_->SetFont(font_.Get());
    }
}

void BoxForm::MakeSecondButtonDefault()
{
    SendMessageA(button1_->Handle(), BM_SETSTYLE, BS_PUSHBUTTON, FALSE);
    SendMessageA(button2_->Handle(), BM_SETSTYLE, BS_DEFPUSHBUTTON, FALSE);
    SetDefaultButton(button2_->Id());
    defaultButton_ = button2_;
}

void BoxForm::LayOut(std::string_view text)
{
    const std::vector<std::string_view> lines = SplitMessageLines(text);
    const BoxSize msg
        = MessageSize(lines, [this](std::string_view line) { return MeasureText(font_.Get(), line).cx; });

    RECT outer {};
    RECT client {};
    GetWindowRect(Handle(), &outer);
    GetClientRect(Handle(), &client);
    const BoxSize frame { (outer.right - outer.left) - client.right,
        (outer.bottom - outer.top) - client.bottom };

    memoMsg_->SetText("");
    BoxLayout box {};
    if (kind_.yesNo) {
        box = LayOutYesNoBox(msg, frame);
    } else if (counting_) {
        const SIZE label = MeasureText(font_.Get(), label1_->Text());
        box = LayOutCountdownBox(msg, frame, BoxSize { label.cx, label.cy });
    } else {
        box = LayOutOkBox(msg, frame);
    }
    SetWindowPos(
        Handle(), nullptr, 0, 0, box.boxWidth, box.boxHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    memoMsg_->SetBounds(box.MemoMsg);
    memoMsg_->SetText(PrepareMemoText(text));
    image1_->SetBounds(box.Image1);
    button1_->SetBounds(box.Button1);
    if (box.Button2)
        button2_->SetBounds(*box.Button2);
    if (box.Button3 && button3_)
        button3_->SetBounds(*box.Button3);
    if (box.Label1 && label1_)
        label1_->SetBounds(*box.Label1);
    if (counting_ && !kind_.yesNo) {
        button2_->SetVisible(true);
        button3_->SetVisible(true);
        label1_->SetVisible(true);
    }
}

int BoxForm::Execute(std::string_view text, std::string_view title, HWND source)
{
    LayOut(text);
    PlaceDialog(Handle(), source);
    SetCaption(title.empty() ? std::string_view(Application::Get().Title()) : title);
    if (counting_)
        timer1_.SetEnabled(true);
    defaultButton_->SetFocus();
    return ShowModal();
}

std::optional<LRESULT> BoxForm::HandleMessage(UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_PAINT:
        FormPaint();
        break;
    case WM_SHOWWINDOW:
        if (wParam)
            FormShow();
        break;
    default:
        break;
    }
    return std::nullopt;
}

void BoxForm::FormPaint()
{
    SetBackgroundColor(FormBackgroundColor());
    timerPaint_.SetEnabled(true);
}

void BoxForm::FormShow()
{
    SetBackgroundColor(FormBackgroundColor());
    Timer_PaintTimer();
    BringWindowToTop(Handle());
}

void BoxForm::Timer_PaintTimer()
{
    timerPaint_.SetEnabled(false);
    if (symbol_)
        image1_->SetBitmap(PictureOnBackground(symbol_.Get(), kind_.keyColour, FormBackgroundColor()));
}

void BoxForm::Timer1Timer()
{
    const bool restart = RestartTimerEachTick();
    if (restart)
        timer1_.SetEnabled(false);
    const CountdownStep step = CountdownTick();
    SetCountLabel(step.label);
    if (step.close) {
        timer1_.SetEnabled(false);
        SetModalResult(IDCANCEL);
    } else if (restart) {
        timer1_.SetEnabled(true);
    }
}

// `Label1` sizes itself to its text and, being right-aligned, keeps its
// right edge in the corner: "-1秒" is wider than the "0秒" it was laid out
// for, and the static control would cut the minus sign off.
void BoxForm::SetCountLabel(const std::string& text)
{
    const SIZE size = MeasureText(font_.Get(), text);
    const Bounds old = label1_->GetBounds();
    label1_->SetBounds(Bounds { old.left + old.width - size.cx, old.top, size.cx, old.height });
    label1_->SetText(text);
}

void BoxForm::Button2Click()
{
    button2_->SetVisible(false);
    timer1_.SetEnabled(false);
}

void BoxForm::Button3Click()
{
    button2_->SetVisible(true);
    timer1_.SetEnabled(true);
}
