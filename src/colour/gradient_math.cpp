#include "gradient_math.h"

#include "../core/memory_routines.h"
#include "../core/rounding.h"

#include <cstddef>
#include <emmintrin.h>

namespace varnelle {

namespace {

// Unsigned, so that a step outside 0..count (whose rounding gives INT32_MIN) still wraps
// instead of overflowing; inside it the result is the same.
int32_t StepChannel(int32_t s, int32_t e, double t)
{
    uint32_t offset = static_cast<uint32_t>(RoundToInt32(static_cast<double>(s - e) * t));
    return static_cast<int32_t>((static_cast<uint32_t>(s) - offset) & 0xFF);
}

// Copies a row of words with explicit 16-byte moves: a plain loop would be turned into
// a call to memcpy, which in this runtime-free DLL is a byte loop.
void CopyRow(const uint32_t* source, uint32_t* destination, int32_t width)
{
    int32_t x = 0;
    for (; x + 4 <= width; x += 4)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(destination + x),
                         _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + x)));
    for (; x < width; ++x)
        destination[x] = source[x];
}

} // namespace

uint32_t GradientStepPixel(uint32_t start, uint32_t end, int32_t index, int32_t count)
{
    double t = static_cast<double>(index) / static_cast<double>(count);
    int32_t red = StepChannel(start & 0xFF, end & 0xFF, t);
    int32_t green = StepChannel((start >> 8) & 0xFF, (end >> 8) & 0xFF, t);
    int32_t blue = StepChannel((start >> 16) & 0xFF, (end >> 16) & 0xFF, t);
    return (static_cast<uint32_t>(red) << 16) | (static_cast<uint32_t>(green) << 8) | static_cast<uint32_t>(blue);
}

void FillGradient(uint32_t* pixels, int32_t width, int32_t height, uint32_t start, uint32_t end, bool vertical)
{
    if (!pixels || width <= 0 || height <= 0)
        return;
    const size_t stride = static_cast<size_t>(width);
    if (vertical) {
        for (int32_t y = 0; y < height; ++y)
            FillDwords(pixels + y * stride, static_cast<uint32_t>(width) * 4, GradientStepPixel(start, end, y, height));
        return;
    }
    // The first row holds one step per column; the others repeat it.
    for (int32_t x = 0; x < width; ++x)
        pixels[x] = GradientStepPixel(start, end, x, width);
    for (int32_t y = 1; y < height; ++y)
        CopyRow(pixels, pixels + y * stride, width);
}

GradientTile GradientTileFor(int32_t width, int32_t height, bool vertical)
{
    if (!vertical)
        return {width < kGradientTilePixels ? width : kGradientTilePixels, 1};
    const int32_t columns = width < kGradientTileColumns ? width : kGradientTileColumns;
    const int32_t rows = kGradientTilePixels / (columns > 0 ? columns : 1);
    return {columns, height < rows ? height : rows};
}

void FillGradientTile(uint32_t* pixels, GradientTile tile, int32_t first, int32_t steps, uint32_t start,
                      uint32_t end, bool vertical)
{
    if (!pixels || tile.width <= 0 || tile.height <= 0)
        return;
    if (!vertical) {
        for (int32_t x = 0; x < tile.width; ++x)
            pixels[x] = GradientStepPixel(start, end, first + x, steps);
        return;
    }
    const size_t stride = static_cast<size_t>(tile.width);
    for (int32_t line = 0; line < tile.height; ++line)
        FillDwords(pixels + static_cast<size_t>(tile.height - 1 - line) * stride, static_cast<uint32_t>(tile.width) * 4,
                   GradientStepPixel(start, end, first + line, steps));
}

} // namespace varnelle
