// The fill bitmaps' colour tables: a ramp from the button-shadow colour through the face
// colour to the highlight colour, optionally tinted, and its lighter copy for the
// highlighted bitmap. Platform-free.
#pragma once
#include <cstdint>

namespace varnelle {

inline constexpr int32_t kFillPaletteEntries = 256;
inline constexpr uint32_t kFillPaletteBytes = 1024; // blue, green, red, 0 per entry

// Channel 1 red (bits 0-7), 2 green (bits 8-15), 3 blue (the colour shifted right by 16,
// not masked).
int32_t ColourChannel(uint32_t colour, int32_t channel);

// ((128 - i) * a + i * b) / 128 on one channel: i = 0 gives a, i = 128 gives b.
int32_t ChannelRamp(int32_t i, uint32_t from, uint32_t to, int32_t channel);

// (v mod 256) moved `percent` per cent toward the channel of `colour`.
int32_t ChannelTint(int32_t v, uint32_t colour, int32_t percent, int32_t channel);

// The low byte of a percentage argument; values above 100 count as 100 (the formulas
// would otherwise extrapolate past the target colour and wrap).
int32_t FillPercentage(int32_t argument);

struct FillColours {
    uint32_t shadow;    // COLOR_BTNSHADOW
    uint32_t face;      // COLOR_BTNFACE
    uint32_t highlight; // COLOR_BTNHIGHLIGHT
};

// Fills `plain` (1024 bytes) and, when highlightPercent is nonzero, `highlighted`.
// The percentages are already reduced by FillPercentage.
void BuildFillPalettes(const FillColours& colours, int32_t highlightPercent, int32_t tintPercent,
                       uint32_t tintColour, uint8_t* plain, uint8_t* highlighted);

// The image in 32-bit pixel words (0x00RRGGBB, a 32-bit DIB's order) through a palette
// as above: `rows` rows of `width` indexes, `indexStride` bytes apart, become rows of
// `width` words, in the same order.
void ExpandFillRows(const uint8_t* indexes, uint32_t indexStride, int32_t width, int32_t rows,
                    const uint8_t* palette, uint32_t* words);

} // namespace varnelle
