// Colour arithmetic on 0x00BBGGRR values. Platform-free: no windows.h.
// Red is bits 0-7, green bits 8-15 and blue bits 16-31 (the top byte is not masked off);
// every result keeps the low 8 bits of each channel and has a zero top byte.
#pragma once
#include <cstdint>

namespace varnelle {

struct Channels {
    int32_t red;
    int32_t green;
    int32_t blue;
};

inline Channels SplitColour(uint32_t colour)
{
    return {static_cast<int32_t>(colour & 0xFF), static_cast<int32_t>((colour >> 8) & 0xFF),
            static_cast<int32_t>(colour >> 16)};
}

inline uint32_t PackColour(int32_t red, int32_t green, int32_t blue)
{
    return ((static_cast<uint32_t>(blue) & 0xFF) << 16) | ((static_cast<uint32_t>(green) & 0xFF) << 8) |
           (static_cast<uint32_t>(red) & 0xFF);
}

uint32_t LightenColour(int32_t amount, uint32_t colour);
uint32_t DarkenColour(int32_t amount, uint32_t colour);
uint32_t MixColours(uint32_t first, uint32_t second);   // 86 % first, 14 % second
uint32_t MidColours(uint32_t first, uint32_t second);   // 70 % first, 30 % second
int32_t GrayLevel(uint32_t colour);
// The selection colour of the skins from the window and highlight colours.
uint32_t XpHighlightColour(int32_t bitsPerPixel, uint32_t windowColour, uint32_t highlightColour);
// GetDeviceCaps(BITSPIXEL) as the library reports it: -1 counts as 8.
inline int32_t ColourBitsFromDeviceCaps(int32_t bitsPixel)
{
    return bitsPixel == -1 ? 8 : bitsPixel;
}

} // namespace varnelle
