// Drawing routines the library's painters share and does not export.
#pragma once
#include <windows.h>

#include <cstdint>

#include "../core/gdi_handles.h"

namespace varnelle {

// An icon as GetIconInfo gives it: copies of its bitmaps (ours to delete) and its size.
// A monochrome icon has no colour bitmap: its mask holds the AND and XOR halves one above
// the other, so it is half the mask high.
struct IconImage {
    unique_hbitmap mask;
    unique_hbitmap colour;
    int32_t width = 0;
    int32_t height = 0;
    int32_t colourHeight = 0; // 0 for a monochrome icon, as menu measurement counts it
};

// Reads an icon once for everything drawn of it; a handle that is not an icon yields no
// image (false).
[[nodiscard]] bool ReadIcon(HICON icon, IconImage& image);

// The colours of the disabled and raised looks: the system's COLOR_GRAYTEXT,
// COLOR_3DHILIGHT and COLOR_3DSHADOW (system), or a painter's own.
struct IconInk {
    bool system;
    COLORREF grayText;
    COLORREF highlight;
    COLORREF shadow;
};
inline constexpr IconInk kSystemIconInk = {true, 0, 0, 0};

// DrawIcn with the icon already read: centred in the menu icon cell whose top-left corner
// is the cell's, in the look of the draw mode (0 and 3 normal, 1 disabled, 2 raised).
void DrawCellIcon(HDC dc, const RECT& cell, HICON icon, const IconImage& image, int mode, bool embossed,
                  const IconInk& ink = kSystemIconInk);
// DrawIcnRect with the icon's size already known (the image may hold the size alone):
// centred in the rectangle, normal or (mode bit 0) disabled, in the ink given. An empty or
// inverted rectangle has no centre to draw at and draws nothing.
void DrawRectIcon(HDC dc, const RECT& rect, HICON icon, const IconImage& image, int mode, bool embossed,
                  const IconInk& ink = kSystemIconInk);

// Darkens the pixels already in the rectangle by their distance from its edges, row by
// row from the top and left to right, reading and writing each pixel (GetPixel/SetPixel).
// Horizontal mode (low byte): 1 distance right - x, 2 distance x - left, otherwise no
// horizontal darkening; vertical mode likewise with bottom - y and y - top. Each pixel is
// darkened by DarkenColor(MulRound(distance, factor)), horizontally first. Meant for areas
// of a few dozen pixels, such as the shadow of a pushed menu-bar item.
void ShadePixels(HDC dc, const RECT* rect, int horizontalMode, int verticalMode, int32_t horizontalFactor,
                 int32_t verticalFactor);

} // namespace varnelle
