#pragma once

// Owners of the GDI and USER objects the windows draw with, and the scoped
// borrowings of device contexts and selected objects.

#include "platform/UniqueOwner.h"

#include <windows.h>

template <typename Handle, BOOL(WINAPI* Destroy)(Handle)>
using OwnedHandle = UniqueOwner<ReleasedBy<Handle, Destroy>>;

inline BOOL WINAPI DeleteBitmapObject(HBITMAP bitmap)
{
    return DeleteObject(bitmap);
}

inline BOOL WINAPI DeleteBrushObject(HBRUSH brush)
{
    return DeleteObject(brush);
}

inline BOOL WINAPI DeleteFontObject(HFONT font)
{
    return DeleteObject(font);
}

using IconHandle = OwnedHandle<HICON, DestroyIcon>;
using BitmapHandle = OwnedHandle<HBITMAP, DeleteBitmapObject>;
using BrushHandle = OwnedHandle<HBRUSH, DeleteBrushObject>;
using MemoryDcHandle = OwnedHandle<HDC, DeleteDC>;
using FontObject = OwnedHandle<HFONT, DeleteFontObject>;
using MenuObject = OwnedHandle<HMENU, DestroyMenu>;
// A window of the program's own making that no form stands for (a tooltip).
using WindowHandle = OwnedHandle<HWND, DestroyWindow>;

// A device context borrowed from a window (0: the screen), given back when
// it goes.
class WindowDc {
public:
    explicit WindowDc(HWND window)
        : window_(window)
        , dc_(GetDC(window))
    {
    }
    ~WindowDc()
    {
        if (dc_ != nullptr)
            ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// An object selected into a device context for the scope, the previous one
// put back at the end.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object)
        : dc_(dc)
        , previous_(SelectObject(dc, object))
    {
    }
    ~SelectedObject() { SelectObject(dc_, previous_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};
