#pragma once

// Owner of a GDI font.

#include <windows.h>

#include <string>
#include <string_view>

class FontHandle {
public:
    FontHandle() = default;
    // `height` is the character height in pixels (negative LOGFONT height).
    FontHandle(std::string_view face, int height, BYTE charset, bool bold);
    FontHandle(FontHandle&& other) noexcept;
    FontHandle& operator=(FontHandle&& other) noexcept;
    FontHandle(const FontHandle&) = delete;
    FontHandle& operator=(const FontHandle&) = delete;
    ~FontHandle();

    HFONT Get() const { return font_; }

private:
    HFONT font_ = nullptr;
};

// The width and height of one line of text drawn in `font`.
SIZE MeasureText(HFONT font, std::string_view text);
