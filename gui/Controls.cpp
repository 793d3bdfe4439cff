#include "gui/Controls.h"

#include "gui/Application.h"
#include "gui/Form.h"

#include <utility>

namespace {

// Child ids start above the ids the dialog keys use (IDOK, IDCANCEL, ...).
int NextControlId()
{
    static int next = 100;
    return next++;
}

} // namespace

Control::Control(Form& owner, const char* systemClass, DWORD style, DWORD exStyle, const Bounds& bounds,
    const std::string& text, bool visible)
    : owner_(owner)
    , id_(NextControlId())
    , bounds_(bounds)
    , visible_(visible)
{
    // Clipped against each other: the pause and resume buttons lie one over
    // the other, and only the upper one may show.
    window_ = CreateWindowExA(exStyle, systemClass, text.c_str(),
        WS_CHILD | WS_CLIPSIBLINGS | style | (visible ? WS_VISIBLE : 0), bounds.left, bounds.top,
        bounds.width, bounds.height, owner.Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)),
        Application::Get().Instance(), nullptr);
    owner_.RegisterControl(id_, this);
}

Control::~Control()
{
    owner_.UnregisterControl(id_);
    if (window_ != nullptr && IsWindow(window_))
        DestroyWindow(window_);
}

void Control::SetBounds(const Bounds& bounds)
{
    bounds_ = bounds;
    MoveWindow(window_, bounds.left, bounds.top, bounds.width, bounds.height, TRUE);
}

void Control::SetVisible(bool visible)
{
    visible_ = visible;
    ShowWindow(window_, visible ? SW_SHOW : SW_HIDE);
}

std::string Control::Text() const
{
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window_)) + 1, '\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextA(window_, text.data(), static_cast<int>(text.size()))));
    return text;
}

void Control::SetText(const std::string& text)
{
    SetWindowTextA(window_, text.c_str());
}

void Control::SetFont(HFONT font)
{
    SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void Control::SetFocus()
{
    ::SetFocus(window_);
}

Label::Label(Form& owner, const Bounds& bounds, const std::string& text, bool visible, DWORD align)
    : Control(owner, "STATIC", align | SS_NOPREFIX, 0, bounds, text, visible)
{
}

Button::Button(Form& owner, const Bounds& bounds, const std::string& text, bool isDefault, bool visible)
    : Control(owner, "BUTTON", WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0, bounds, text,
        visible)
{
}

void Button::Command(WORD notification)
{
    if (notification == BN_CLICKED)
        Click();
}

Memo::Memo(Form& owner, const Bounds& bounds)
    : Control(owner, "EDIT", WS_TABSTOP | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 0, bounds, "", true)
{
}

PictureBox::PictureBox(Form& owner, const Bounds& bounds)
    : Control(owner, "STATIC", SS_BITMAP, 0, bounds, "", true)
{
}

void PictureBox::SetBitmap(BitmapHandle bitmap)
{
    const auto previous = reinterpret_cast<HBITMAP>(
        SendMessageA(Handle(), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap.Get())));
    // The control may hand back a copy it made of an earlier bitmap; only
    // ours is deleted by its owner.
    if (previous != nullptr && previous != bitmap_.Get())
        DeleteObject(previous);
    bitmap_ = std::move(bitmap);
}
