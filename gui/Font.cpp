#include "gui/Font.h"

FontHandle::FontHandle(std::string_view face, int height, BYTE charset, bool bold)
    : font_(CreateFontA(-height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, charset,
        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
        std::string(face).c_str()))
{
}

SIZE MeasureText(HFONT font, std::string_view text)
{
    SIZE size {};
    const WindowDc screen(nullptr);
    if (screen.Get() == nullptr)
        return size;
    const SelectedObject selected(screen.Get(), font);
    GetTextExtentPoint32A(screen.Get(), text.data(), static_cast<int>(text.size()), &size);
    return size;
}
