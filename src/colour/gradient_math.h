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

} // namespace varnelle
