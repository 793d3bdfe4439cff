#pragma once

// The window shared by the program's three message boxes: the symbol, the
// message in a read-only text field, one or two answer buttons and, for a
// countdown, the pause and resume buttons and the seconds label.  The boxes
// differ in their symbol, their buttons and how they count; those parts
// come in through BoxKind and the virtual CountdownTick.

#include "dialogs/BoxLayout.h"
#include "dialogs/Countdown.h"
#include "gui/Controls.h"
#include "gui/Font.h"
#include "gui/Form.h"
#include "gui/Timer.h"
#include "platform/GdiHandles.h"

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

struct BoxKind {
    const char* className;
    int symbolBitmap; // resource id
    COLORREF keyColour; // the symbol's background, replaced when drawn
    bool yesNo; // "はい"/"いいえ" instead of "ＯＫ"
};

class BoxForm : public Form {
public:
    BoxForm(const BoxKind& kind, bool counting, std::string_view countLabel);
    ~BoxForm() override;

    // Lays the box out, places it, shows it modally and returns the result.
    int Execute(std::string_view text, std::string_view title, HWND source);

protected:
    // One countdown tick; true closes the box with result 2.
    virtual CountdownStep CountdownTick() = 0;
    // The timed box stops its timer around each tick; the option box lets
    // it run.
    virtual bool RestartTimerEachTick() const { return true; }
    // Enter and the first focus go to the second button instead.
    void MakeSecondButtonDefault();

    std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateControls(std::string_view countLabel);
    void LayOut(std::string_view text);
    void FormPaint();
    void FormShow();
    void Timer_PaintTimer();
    void Timer1Timer();
    void Button2Click();
    void Button3Click();
    void SetCountLabel(const std::string& text);

    BoxKind kind_;
    bool counting_;
    FontHandle font_;
    FontHandle boldFont_;
    BitmapHandle symbol_;

    // Made once the window exists and owned by it; the creation order is
    // the tab order.
    Button* button1_ = nullptr;
    Button* button2_ = nullptr;
    Button* button3_ = nullptr;
    Button* defaultButton_ = nullptr;
    Memo* memoMsg_ = nullptr;
    PictureBox* image1_ = nullptr;
    Label* label1_ = nullptr;
    Timer timer1_;
    Timer timerPaint_;
};
