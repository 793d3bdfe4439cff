#include "gui/Look.h"

namespace {

constexpr char SystemFontFace[] = "System";

// DIB pixels are stored blue, green, red: the reverse of COLORREF.
DWORD DibPixel(COLORREF colour)
{
    return static_cast<DWORD>(GetRValue(colour)) << 16 | static_cast<DWORD>(GetGValue(colour)) << 8
        | GetBValue(colour);
}

} // namespace

COLORREF FormBackgroundColor()
{
    return GetSysColor(GetSysColor(COLOR_WINDOWTEXT) != 0 ? COLOR_WINDOW : COLOR_BTNFACE);
}

FontHandle SystemFont(int height, bool bold)
{
    return FontHandle(SystemFontFace, height, SHIFTJIS_CHARSET, bold);
}

SIZE PictureSize(HBITMAP picture)
{
    BITMAP info {};
    if (picture == nullptr || GetObjectA(picture, sizeof info, &info) == 0)
        return SIZE { 0, 0 };
    return SIZE { info.bmWidth, info.bmHeight };
}

BitmapHandle PictureOnBackground(HBITMAP picture, COLORREF key, COLORREF background)
{
    const SIZE size = PictureSize(picture);
    if (size.cx <= 0 || size.cy <= 0)
        return {};
    BITMAPINFO info {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const WindowDc screen(nullptr);
    BitmapHandle result(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const MemoryDcHandle source(CreateCompatibleDC(screen.Get()));
    const MemoryDcHandle target(CreateCompatibleDC(screen.Get()));
    if (!result || !source || !target)
        return result;
    {
        const SelectedObject from(source.Get(), picture);
        const SelectedObject to(target.Get(), result.Get());
        BitBlt(target.Get(), 0, 0, size.cx, size.cy, source.Get(), 0, 0, SRCCOPY);
    }
    GdiFlush();
    const DWORD keyPixel = DibPixel(key);
    const DWORD backgroundPixel = DibPixel(background);
    auto* pixels = static_cast<DWORD*>(bits);
    for (LONG i = 0; i < size.cx * size.cy; ++i)
        if ((pixels[i] & 0xFFFFFF) == keyPixel)
            pixels[i] = backgroundPixel;
    return result;
}

void DrawKeyedPicture(
    HDC dc, int x, int y, HBITMAP picture, COLORREF key, COLORREF background, int part, int parts)
{
    const BitmapHandle drawn = PictureOnBackground(picture, key, background);
    if (!drawn)
        return;
    const SIZE size = PictureSize(drawn.Get());
    const MemoryDcHandle source(CreateCompatibleDC(dc));
    if (!source)
        return;
    const SelectedObject from(source.Get(), drawn.Get());
    const int width = size.cx / parts;
    BitBlt(dc, x, y, width, size.cy, source.Get(), part * width, 0, SRCCOPY);
}
