// The colour steps of DrawGradient's two-colour gradients. Platform-free: no windows.h.
#pragma once
#include <cstdint>

namespace varnelle {

// Step `index` of `count` from `start` to `end` (0x00BBGGRR colours, top bytes ignored) as
// a 32-bit DIB pixel word 0x00RRGGBB. Each channel is s - round((s - e) * t) with
// t = index / count in double precision, rounded to nearest with halves to even, low 8
// bits kept: step 0 is the start colour and the end colour is approached, not reached.
// Any index and count give some colour (a count of 0 included).
uint32_t GradientStepPixel(uint32_t start, uint32_t end, int32_t index, int32_t count);

// Fills a top-down 32-bit pixel buffer of width x height words (rows without gaps) with
// the gradient: vertical, from the top row (start) down, each row one colour; otherwise
// from the left column (start) across, each column one colour. One colour computation
// per row or column.
void FillGradient(uint32_t* pixels, int32_t width, int32_t height, uint32_t start, uint32_t end, bool vertical);

// DrawGradient lays a gradient on its target with pattern brushes, strip by strip: a
// vertical gradient in strips of rows, each brush a tile of those rows' colours
// kGradientTileColumns wide (or the width, when narrower) so that the brush copies runs
// of words rather than single pixels; a horizontal gradient in strips of columns, each
// brush one row of those columns' colours. A tile holds at most kGradientTilePixels
// words, so that its memory stays small (and warm) whatever the rectangle's size.
inline constexpr int32_t kGradientTileColumns = 64;
inline constexpr int32_t kGradientTilePixels = 16384;

struct GradientTile {
    int32_t width;
    int32_t height;
};

// The tile of a full strip of a width x height gradient; the strip covers tile.height
// rows (vertical) or tile.width columns.
GradientTile GradientTileFor(int32_t width, int32_t height, bool vertical);

// Fills the tile of the strip that starts at step `first` of `steps` (the gradient's
// height when vertical, else its width), rows stored bottom-up (a DIB's usual order):
// the last stored row is the strip's top line.
void FillGradientTile(uint32_t* pixels, GradientTile tile, int32_t first, int32_t steps, uint32_t start,
                      uint32_t end, bool vertical);

} // namespace varnelle
