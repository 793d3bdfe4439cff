#pragma once

// The child controls the program's windows are made of: labels, buttons,
// text fields, check boxes, combo and list boxes and a picture holder.  Each
// is a system control created inside its form, owned by the form (see
// Form::Add) and destroyed with it.

#include "base/Callback.h"
#include "gui/Geometry.h"
#include "platform/GdiHandles.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class Form;

class Control {
public:
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control();

    HWND Handle() const { return window_; }
    int Id() const { return id_; }

    Bounds GetBounds() const { return bounds_; }
    void SetBounds(const Bounds& bounds);

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);

    std::string Text() const;
    void SetText(std::string_view text);
    void SetFont(HFONT font);
    void SetFocus();
    // Shown as a tooltip while the mouse rests on the control.
    void SetHint(std::string_view hint);

    // The colour behind the control's text; nothing gives the system's.
    void SetColor(std::optional<COLORREF> color);

    // A button click or another notification for this control.
    virtual void Command(WORD) { }
    virtual void DrawItem(const DRAWITEMSTRUCT&) { }
    virtual void MeasureItem(MEASUREITEMSTRUCT&) { }
    // The brush for a WM_CTLCOLOR… message about this control; nothing
    // leaves it to the form.
    std::optional<HBRUSH> CtlColor(HDC dc) const;

protected:
    Control(Form& owner, const char* systemClass, DWORD style, DWORD exStyle, const Bounds& bounds,
        std::string_view text, bool visible);
    // A window of the system's making inside this control (a combo box's
    // text field and list) that sends its own colour and tooltip messages.
    void AddPartWindow(HWND part);
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

private:
    Form& owner_;
    HWND window_ = nullptr;
    int id_;
    Bounds bounds_;
    bool visible_;
    std::vector<HWND> parts_;
    std::optional<COLORREF> color_;
    BrushHandle brush_;
};

class Label : public Control {
public:
    Label(
        Form& owner, const Bounds& bounds, std::string_view text, bool visible = true, DWORD align = SS_LEFT);
};

class Button : public Control {
public:
    Button(Form& owner, const Bounds& bounds, std::string_view text, bool isDefault = false,
        bool visible = true);
    Callback<void()> OnClick;
    void Click()
    {
        if (OnClick)
            OnClick();
    }
    void Command(WORD notification) override;
};

class CheckBox : public Control {
public:
    CheckBox(Form& owner, const Bounds& bounds, std::string_view text, bool checked);
    bool Checked() const;
    void SetChecked(bool checked);
    // Runs after the user has changed the tick.
    Callback<void()> OnClick;
    void Command(WORD notification) override;
};

class Edit : public Control {
public:
    // A one-line text field.
    Edit(Form& owner, const Bounds& bounds, std::string_view text);
};

class Memo : public Control {
public:
    // A multi-line, read-only text field.
    Memo(Form& owner, const Bounds& bounds);
};

class PictureBox : public Control {
public:
    PictureBox(Form& owner, const Bounds& bounds);
    // Shows the bitmap, which the picture box keeps from then on.
    void SetBitmap(BitmapHandle bitmap);

private:
    BitmapHandle bitmap_;
};

// What list and combo boxes share: items with a text and a 32-bit value,
// one selected item, owner drawing.  Selecting from code never notifies;
// only the user's choice runs OnChange.
class ListControl : public Control {
public:
    static constexpr int NoItem = -1;

    int Count() const;
    std::string ItemText(int index) const;
    std::uintptr_t ItemData(int index) const;
    void SetItemData(int index, std::uintptr_t data);
    // Where the item ended up (a sorted list places it itself).
    int Add(std::string_view text);
    int Insert(int index, std::string_view text);
    void Delete(int index);
    void Clear();
    // Replaces every item at once, in the order given (a sorted list's
    // texts must come sorted), without a repaint per item.
    void Fill(const std::vector<std::string>& texts);
    int SelectedIndex() const;
    void SetSelectedIndex(int index);
    void SetItemHeight(int height);

    Callback<void()> OnChange;
    Callback<void(const DRAWITEMSTRUCT&)> OnDrawItem;
    void Command(WORD notification) override;
    void DrawItem(const DRAWITEMSTRUCT& item) override;

    // The list and the combo box know the same requests under different
    // message numbers.
    struct Messages {
        UINT count, getText, getTextLength, getData, setData, add, insert, remove, reset, getSelection,
            setSelection, setItemHeight, initStorage, selectionChanged;
        LRESULT error;
    };

protected:
    ListControl(Form& owner, const char* systemClass, DWORD style, DWORD exStyle, const Bounds& bounds,
        const Messages& messages);

private:
    const Messages& messages_;
};

enum class ComboKind {
    DropDown, // a text field with a list to choose from
    OwnerDrawnList, // a choice from the list only, each item drawn by OnDrawItem
};

class ComboBox : public ListControl {
public:
    // `bounds` is the closed box; the list opens below it.
    ComboBox(Form& owner, const Bounds& bounds, ComboKind kind);
};

enum class ListKind {
    Sorted, // kept in the order of the system's case-blind comparison
    OwnerDrawn, // in the order added, each item drawn by OnDrawItem
};

class ListBox : public ListControl {
public:
    ListBox(Form& owner, const Bounds& bounds, ListKind kind);
};
