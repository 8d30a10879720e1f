#include "drawing.h"

#include "../core/rounding.h"
#include "colour_math.h"
#include "drawing_geometry.h"

namespace varnelle {

namespace {

// Distance of a pixel from the edge the mode names; 0 (no darkening) for other modes.
// A pixel outside the clip region reads as CLR_INVALID and is darkened like a colour;
// the SetPixel that follows has no effect there.
struct Darkening {
    uint8_t mode;
    int32_t low;  // left or top
    int32_t high; // right or bottom
    int32_t factor;

    uint32_t apply(int32_t position, uint32_t colour) const
    {
        if (mode == 1)
            return DarkenColour(MulRound(high - position, factor), colour);
        if (mode == 2)
            return DarkenColour(MulRound(position - low, factor), colour);
        return colour;
    }
};

} // namespace

void ShadePixels(HDC dc, const RECT* rect, int horizontalMode, int verticalMode, int32_t horizontalFactor,
                 int32_t verticalFactor)
{
    if (!dc || !rect || !WithinGdiRange(rect->left, rect->top, rect->right, rect->bottom))
        return;
    const Darkening horizontal = {static_cast<uint8_t>(horizontalMode), rect->left, rect->right, horizontalFactor};
    const Darkening vertical = {static_cast<uint8_t>(verticalMode), rect->top, rect->bottom, verticalFactor};
    for (int32_t y = rect->top; y < rect->bottom; ++y) {
        for (int32_t x = rect->left; x < rect->right; ++x) {
            uint32_t colour = GetPixel(dc, x, y);
            colour = horizontal.apply(x, colour);
            colour = vertical.apply(y, colour);
            SetPixel(dc, x, y, colour);
        }
    }
}

} // namespace varnelle
