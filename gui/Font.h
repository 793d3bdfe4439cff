#pragma once

// Owner of a GDI font.

#include "platform/GdiHandles.h"

#include <windows.h>

#include <string>
#include <string_view>

class FontHandle {
public:
    FontHandle() = default;
    // `height` is the character height in pixels (negative LOGFONT height).
    FontHandle(std::string_view face, int height, BYTE charset, bool bold);

    HFONT Get() const { return font_.Get(); }

private:
    FontObject font_;
};

// The width and height of one line of text drawn in `font`.
SIZE MeasureText(HFONT font, std::string_view text);
