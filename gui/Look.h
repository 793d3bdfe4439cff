#pragma once

// The look the program's windows share: the background chosen by the
// system's window-text colour, the "System" font in Shift-JIS, and pictures
// whose key colour takes the colour of whatever they are drawn on.

#include "gui/Font.h"
#include "platform/GdiHandles.h"

#include <windows.h>

// The window colour, or the button face where window text is black: black
// text on the white window colour is the system's default scheme, and the
// windows then take the softer face colour.
COLORREF FormBackgroundColor();

// The "System" face in Shift-JIS, `height` pixels high.
FontHandle SystemFont(int height, bool bold = false);

// The picture as a 32-bit bitmap with every pixel of `key` turned into
// `background`, ready for a picture control or a plain copy.
BitmapHandle PictureOnBackground(HBITMAP picture, COLORREF key, COLORREF background);

// Draws the picture at (x, y) in its own size, its `key` pixels showing
// `background`; of a picture made of `parts` pictures of one width side by
// side, only the one numbered `part` (from 0).
void DrawKeyedPicture(
    HDC dc, int x, int y, HBITMAP picture, COLORREF key, COLORREF background, int part = 0, int parts = 1);

// The size of a bitmap in pixels; 0 × 0 for none.
SIZE PictureSize(HBITMAP picture);
