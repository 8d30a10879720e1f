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

// What a painter keeps between paints to draw a bitmap or an icon with blits alone: under
// Wine each selection of a bitmap into a DC costs some 15 us, more than the blits, and
// DrawDDB and DrawIconEx make a DC and select every time. Plain data, all zero when empty,
// so that a block of zeroed memory can hold them; the Release routines free them.

// A copy of the part of a bitmap that DrawDDB copies into a rectangle, selected in a memory
// DC of its own. The copy is the bitmap's pixels when it was kept: a painter keeps it no
// longer than the bitmap's owner promises not to draw into the bitmap.
struct KeptBitmap {
    HBITMAP source;
    HDC dc;
    HBITMAP copy;
    int32_t width; // the part copied, from the top-left corner
    int32_t height;
    int32_t sourceWidth;
    int32_t sourceHeight;
};
// It holds what DrawDDB(dc, rect, bitmap) copies.
[[nodiscard]] bool HoldsBitmapFor(const KeptBitmap& kept, const RECT& rect, HBITMAP bitmap);
// Releases what `kept` held and copies what DrawDDB(dc, rect, bitmap) would copy. False
// when the copy would not be exact (fewer than 24 bits a pixel, colour masks), the bitmap
// is selected elsewhere or GDI can make no more objects: DrawDDB then draws it.
[[nodiscard]] bool KeepBitmap(HDC dc, const RECT& rect, HBITMAP bitmap, KeptBitmap& kept);
// DrawDDB(dc, rect, kept.source), from the copy.
void DrawKeptBitmap(HDC dc, const RECT& rect, const KeptBitmap& kept);
void ReleaseKeptBitmap(KeptBitmap& kept);

// An icon's own mask and colour bitmaps (GetIconInfo's copies), each selected in a memory
// DC of its own, drawn normally as DrawIconEx draws it at its own size.
struct KeptIcon {
    HICON icon;
    HDC maskDc;
    HBITMAP mask;
    HDC colourDc; // null for a monochrome icon: its mask holds both halves
    HBITMAP colour;
    int32_t width;
    int32_t height;
};
// Releases what `kept` held and keeps the icon. False for an icon that DrawIconEx blends
// with its alpha channel, one that cannot be read, or when GDI can make no more objects:
// DrawIconEx then draws it.
[[nodiscard]] bool KeepIcon(HDC dc, HICON icon, KeptIcon& kept);
// DrawRectIcon's normal look (mode 0) from the kept icon.
void DrawKeptIcon(HDC dc, const RECT& rect, const KeptIcon& kept);
void ReleaseKeptIcon(KeptIcon& kept);

// Darkens the pixels already in the rectangle by their distance from its edges, row by
// row from the top and left to right, reading and writing each pixel (GetPixel/SetPixel).
// Horizontal mode (low byte): 1 distance right - x, 2 distance x - left, otherwise no
// horizontal darkening; vertical mode likewise with bottom - y and y - top. Each pixel is
// darkened by DarkenColor(MulRound(distance, factor)), horizontally first. Meant for areas
// of a few dozen pixels, such as the shadow of a pushed menu-bar item.
void ShadePixels(HDC dc, const RECT* rect, int horizontalMode, int verticalMode, int32_t horizontalFactor,
                 int32_t verticalFactor);

} // namespace varnelle
