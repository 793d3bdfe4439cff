#include "gui/Controls.h"

#include "gui/Application.h"
#include "gui/Form.h"
#include "platform/WindowText.h"

#include <utility>

namespace {

// Child ids start above the ids the dialog keys use (IDOK, IDCANCEL, ...).
int NextControlId()
{
    static int next = 100;
    return next++;
}

// A combo box's height is the closed box and its open list together.
constexpr int ComboListHeight = 200;

constexpr DWORD EditStyle = WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD ListScrollStyle = WS_TABSTOP | WS_VSCROLL;

const ListControl::Messages ComboMessages { CB_GETCOUNT, CB_GETLBTEXT, CB_GETLBTEXTLEN, CB_GETITEMDATA,
    CB_SETITEMDATA, CB_ADDSTRING, CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT, CB_GETCURSEL,
    CB_SETCURSEL, CB_SETITEMHEIGHT, CB_INITSTORAGE, CBN_SELCHANGE, CB_ERR };
const ListControl::Messages ListMessages { LB_GETCOUNT, LB_GETTEXT, LB_GETTEXTLEN, LB_GETITEMDATA,
    LB_SETITEMDATA, LB_ADDSTRING, LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT, LB_GETCURSEL,
    LB_SETCURSEL, LB_SETITEMHEIGHT, LB_INITSTORAGE, LBN_SELCHANGE, LB_ERR };

DWORD ComboStyle(ComboKind kind)
{
    switch (kind) {
    case ComboKind::DropDown:
        return CBS_DROPDOWN | CBS_AUTOHSCROLL;
    case ComboKind::OwnerDrawnList:
        return CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
    }
    return 0;
}

DWORD ListStyle(ListKind kind)
{
    // LBS_NOINTEGRALHEIGHT keeps the height the layout gives.
    constexpr DWORD common = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_BORDER;
    switch (kind) {
    case ListKind::Sorted:
        return common | LBS_SORT;
    case ListKind::OwnerDrawn:
        return common | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
    }
    return common;
}

} // namespace

Control::Control(Form& owner, const char* systemClass, DWORD style, DWORD exStyle, const Bounds& bounds,
    std::string_view text, bool visible)
    : owner_(owner)
    , id_(NextControlId())
    , bounds_(bounds)
    , visible_(visible)
{
    // Clipped against each other: the pause and resume buttons lie one over
    // the other, and only the upper one may show.
    window_ = CreateWindowExA(exStyle, systemClass, std::string(text).c_str(),
        WS_CHILD | WS_CLIPSIBLINGS | style | (visible ? WS_VISIBLE : 0), bounds.left, bounds.top,
        bounds.width, bounds.height, owner.Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)),
        Application::Get().Instance(), nullptr);
    owner_.RegisterControl(this);
}

Control::~Control()
{
    owner_.UnregisterControl(this);
    if (window_ != nullptr && IsWindow(window_))
        DestroyWindow(window_);
}

void Control::AddPartWindow(HWND part)
{
    if (part == nullptr)
        return;
    parts_.push_back(part);
    owner_.RegisterPartWindow(part, this);
}

LRESULT Control::Send(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return SendMessageA(window_, message, wParam, lParam);
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
    return WindowTextOf(window_);
}

void Control::SetText(std::string_view text)
{
    SetWindowTextA(window_, std::string(text).c_str());
}

void Control::SetFont(HFONT font)
{
    Send(WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void Control::SetFocus()
{
    ::SetFocus(window_);
}

void Control::SetHint(std::string_view hint)
{
    owner_.SetHint(window_, hint);
    // The mouse over a combo box's text field is over that field's window,
    // which the tooltip would not see through the combo box itself.
    for (HWND part : parts_)
        owner_.SetHint(part, hint);
}

void Control::SetColor(std::optional<COLORREF> color)
{
    if (color == color_)
        return;
    color_ = color;
    brush_.Reset(color ? CreateSolidBrush(*color) : nullptr);
    InvalidateRect(window_, nullptr, TRUE);
    for (HWND part : parts_)
        InvalidateRect(part, nullptr, TRUE);
}

std::optional<HBRUSH> Control::CtlColor(HDC dc) const
{
    if (!color_)
        return std::nullopt;
    SetBkColor(dc, *color_);
    return brush_.Get();
}

Label::Label(Form& owner, const Bounds& bounds, std::string_view text, bool visible, DWORD align)
    : Control(owner, "STATIC", align | SS_NOPREFIX | SS_NOTIFY, 0, bounds, text, visible)
{
}

Button::Button(Form& owner, const Bounds& bounds, std::string_view text, bool isDefault, bool visible)
    : Control(owner, "BUTTON", WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0, bounds, text,
        visible)
{
}

void Button::Command(WORD notification)
{
    if (notification == BN_CLICKED)
        Click();
}

CheckBox::CheckBox(Form& owner, const Bounds& bounds, std::string_view text, bool checked)
    : Control(owner, "BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, 0, bounds, text, true)
{
    SetChecked(checked);
}

bool CheckBox::Checked() const
{
    return Send(BM_GETCHECK) == BST_CHECKED;
}

void CheckBox::SetChecked(bool checked)
{
    Send(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
}

void CheckBox::Command(WORD notification)
{
    if (notification == BN_CLICKED && OnClick)
        OnClick();
}

Edit::Edit(Form& owner, const Bounds& bounds, std::string_view text)
    : Control(owner, "EDIT", EditStyle, WS_EX_CLIENTEDGE, bounds, text, true)
{
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
    const auto previous
        = reinterpret_cast<HBITMAP>(Send(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap.Get())));
    // The control may hand back a copy it made of an earlier bitmap; only
    // ours is deleted by its owner.
    if (previous != nullptr && previous != bitmap_.Get())
        DeleteObject(previous);
    bitmap_ = std::move(bitmap);
}

ListControl::ListControl(Form& owner, const char* systemClass, DWORD style, DWORD exStyle,
    const Bounds& bounds, const Messages& messages)
    : Control(owner, systemClass, style, exStyle, bounds, "", true)
    , messages_(messages)
{
}

int ListControl::Count() const
{
    const LRESULT count = Send(messages_.count);
    return count == messages_.error ? 0 : static_cast<int>(count);
}

std::string ListControl::ItemText(int index) const
{
    const LRESULT length = Send(messages_.getTextLength, static_cast<WPARAM>(index));
    if (length == messages_.error || length < 0)
        return {};
    // The reported length can exceed the text (double-byte conversions
    // count high), never fall short of it.
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied
        = Send(messages_.getText, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == messages_.error || copied < 0 ? 0 : static_cast<std::size_t>(copied));
    return text;
}

std::uintptr_t ListControl::ItemData(int index) const
{
    return static_cast<std::uintptr_t>(Send(messages_.getData, static_cast<WPARAM>(index)));
}

void ListControl::SetItemData(int index, std::uintptr_t data)
{
    Send(messages_.setData, static_cast<WPARAM>(index), static_cast<LPARAM>(data));
}

int ListControl::Add(std::string_view text)
{
    return static_cast<int>(Send(messages_.add, 0, reinterpret_cast<LPARAM>(std::string(text).c_str())));
}

int ListControl::Insert(int index, std::string_view text)
{
    return static_cast<int>(Send(
        messages_.insert, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(std::string(text).c_str())));
}

void ListControl::Delete(int index)
{
    Send(messages_.remove, static_cast<WPARAM>(index));
}

void ListControl::Clear()
{
    Send(messages_.reset);
}

void ListControl::Fill(const std::vector<std::string>& texts)
{
    std::size_t bytes = 0;
    for (const std::string& text : texts)
        bytes += text.size() + 1;
    Send(WM_SETREDRAW, FALSE);
    Send(messages_.reset);
    Send(messages_.initStorage, texts.size(), static_cast<LPARAM>(bytes));
    // Inserting at the end keeps the order given even in a sorted list and
    // spares it a search for each item's place.
    for (const std::string& text : texts)
        Send(messages_.insert, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
    Send(WM_SETREDRAW, TRUE);
    InvalidateRect(Handle(), nullptr, TRUE);
}

int ListControl::SelectedIndex() const
{
    const LRESULT index = Send(messages_.getSelection);
    return index == messages_.error ? NoItem : static_cast<int>(index);
}

void ListControl::SetSelectedIndex(int index)
{
    Send(messages_.setSelection, static_cast<WPARAM>(index));
}

void ListControl::SetItemHeight(int height)
{
    Send(messages_.setItemHeight, 0, height);
}

void ListControl::Command(WORD notification)
{
    if (notification == messages_.selectionChanged && OnChange)
        OnChange();
}

void ListControl::DrawItem(const DRAWITEMSTRUCT& item)
{
    if (OnDrawItem)
        OnDrawItem(item);
}

ComboBox::ComboBox(Form& owner, const Bounds& bounds, ComboKind kind)
    : ListControl(owner, "COMBOBOX", ComboStyle(kind) | ListScrollStyle, 0,
        Bounds { bounds.left, bounds.top, bounds.width, bounds.height + ComboListHeight }, ComboMessages)
{
    COMBOBOXINFO info {};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(Handle(), &info)) {
        AddPartWindow(info.hwndItem != Handle() ? info.hwndItem : nullptr);
        AddPartWindow(info.hwndList);
    }
}

ListBox::ListBox(Form& owner, const Bounds& bounds, ListKind kind)
    : ListControl(owner, "LISTBOX", ListStyle(kind) | ListScrollStyle, 0, bounds, ListMessages)
{
}
