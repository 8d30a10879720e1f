// Drawing routines the library's painters share and does not export.
#pragma once
#include <windows.h>

#include <cstdint>

namespace varnelle {

// Darkens the pixels already in the rectangle by their distance from its edges, row by
// row from the top and left to right, reading and writing each pixel (GetPixel/SetPixel).
// Horizontal mode (low byte): 1 distance right - x, 2 distance x - left, otherwise no
// horizontal darkening; vertical mode likewise with bottom - y and y - top. Each pixel is
// darkened by DarkenColor(MulRound(distance, factor)), horizontally first. Meant for areas
// of a few dozen pixels, such as the shadow of a pushed menu-bar item.
void ShadePixels(HDC dc, const RECT* rect, int horizontalMode, int verticalMode, int32_t horizontalFactor,
                 int32_t verticalFactor);

} // namespace varnelle
