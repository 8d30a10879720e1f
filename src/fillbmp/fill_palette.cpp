#include "fill_palette.h"

namespace varnelle {

int32_t ColourChannel(uint32_t colour, int32_t channel)
{
    switch (channel) {
    case 1:
        return static_cast<int32_t>(colour & 0xFF);
    case 2:
        return static_cast<int32_t>((colour >> 8) & 0xFF);
    default:
        return static_cast<int32_t>(colour >> 16);
    }
}

int32_t ChannelRamp(int32_t i, uint32_t from, uint32_t to, int32_t channel)
{
    return ((128 - i) * ColourChannel(from, channel) + i * ColourChannel(to, channel)) / 128;
}

int32_t ChannelTint(int32_t v, uint32_t colour, int32_t percent, int32_t channel)
{
    return ((v & 0xFF) * (100 - percent) + ColourChannel(colour, channel) * percent) / 100;
}

int32_t FillPercentage(int32_t argument)
{
    int32_t percent = argument & 0xFF;
    return percent > 100 ? 100 : percent;
}

namespace {

// One entry of the ramp from `from` to `to`, channel by channel (red, green, blue).
void StoreEntry(int32_t index, int32_t step, uint32_t from, uint32_t to, const FillColours& colours,
                int32_t highlightPercent, int32_t tintPercent, uint32_t tintColour, uint8_t* plain,
                uint8_t* highlighted)
{
    for (int32_t channel = 1; channel <= 3; ++channel) {
        int32_t v = ChannelRamp(step, from, to, channel);
        if (tintPercent != 0)
            v = ChannelTint(v, tintColour, tintPercent, channel);
        // RGBQUAD order: blue at byte 0, red at byte 2.
        int32_t offset = index * 4 + (3 - channel);
        plain[offset] = static_cast<uint8_t>(v);
        if (highlightPercent != 0)
            highlighted[offset] = static_cast<uint8_t>(ChannelTint(v, colours.highlight, highlightPercent, channel));
    }
}

} // namespace

void BuildFillPalettes(const FillColours& colours, int32_t highlightPercent, int32_t tintPercent,
                       uint32_t tintColour, uint8_t* plain, uint8_t* highlighted)
{
    if (!highlighted)
        highlightPercent = 0;
    // Entries 0..128 run from shadow to face; then 128..255 from face to highlight, the
    // second pass overwriting entry 128.
    for (int32_t i = 0; i <= 128; ++i)
        StoreEntry(i, i, colours.shadow, colours.face, colours, highlightPercent, tintPercent, tintColour, plain,
                   highlighted);
    for (int32_t i = 1; i <= 128; ++i)
        StoreEntry(127 + i, i, colours.face, colours.highlight, colours, highlightPercent, tintPercent, tintColour,
                   plain, highlighted);
    for (int32_t i = 0; i < kFillPaletteEntries; ++i) {
        plain[i * 4 + 3] = 0;
        if (highlightPercent != 0)
            highlighted[i * 4 + 3] = 0;
    }
}

void ExpandFillRows(const uint8_t* indexes, uint32_t indexStride, int32_t width, int32_t rows,
                    const uint8_t* palette, uint32_t* words)
{
    uint32_t colours[kFillPaletteEntries];
    for (int32_t i = 0; i < kFillPaletteEntries; ++i)
        colours[i] = palette[i * 4] | (palette[i * 4 + 1] << 8) | (static_cast<uint32_t>(palette[i * 4 + 2]) << 16);
    for (int32_t r = 0; r < rows; ++r, indexes += indexStride, words += width) {
        int32_t x = 0;
        for (; x + 4 <= width; x += 4) {
            const uint32_t a = colours[indexes[x]], b = colours[indexes[x + 1]];
            const uint32_t c = colours[indexes[x + 2]], d = colours[indexes[x + 3]];
            words[x] = a, words[x + 1] = b, words[x + 2] = c, words[x + 3] = d;
        }
        for (; x < width; ++x)
            words[x] = colours[indexes[x]];
    }
}

} // namespace varnelle
