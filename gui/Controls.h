#pragma once

// The child controls the program's windows are made of: labels, buttons,
// text fields and a picture holder.  Each is a
// system control created inside its form and destroyed with it.

#include "platform/GdiHandles.h"

#include <windows.h>

#include <functional>
#include <string>

class Form;

struct Bounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

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
    void SetText(const std::string& text);
    void SetFont(HFONT font);
    void SetFocus();

    // A button click or another notification for this control.
    virtual void Command(WORD) { }

protected:
    Control(Form& owner, const char* systemClass, DWORD style, DWORD exStyle, const Bounds& bounds,
        const std::string& text, bool visible);

private:
    Form& owner_;
    HWND window_ = nullptr;
    int id_;
    Bounds bounds_;
    bool visible_;
};

class Label : public Control {
public:
    Label(Form& owner, const Bounds& bounds, const std::string& text, bool visible = true,
        DWORD align = SS_LEFT);
};

class Button : public Control {
public:
    Button(Form& owner, const Bounds& bounds, const std::string& text, bool isDefault = false,
        bool visible = true);
    std::function<void()> OnClick;
    void Click()
    {
        if (OnClick)
            OnClick();
    }
    void Command(WORD notification) override;
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
