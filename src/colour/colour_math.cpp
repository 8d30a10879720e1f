#include "colour_math.h"

#include "../core/rounding.h"

namespace varnelle {
namespace {

// The formulas are applied as written to any amount, so intermediate sums wrap like
// 32-bit machine arithmetic instead of overflowing.
int32_t WrapAdd(int32_t a, int32_t b)
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

int32_t WrapSub(int32_t a, int32_t b)
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

int32_t LightenChannel(int32_t x, int32_t amount)
{
    return WrapAdd(x, MulDivKernel(WrapSub(255, x), amount, 255));
}

int32_t DarkenChannel(int32_t x, int32_t amount)
{
    return MulDivKernel(x, WrapSub(255, amount), 255);
}

} // namespace

uint32_t LightenColour(int32_t amount, uint32_t colour)
{
    Channels c = SplitColour(colour);
    return PackColour(LightenChannel(c.red, amount), LightenChannel(c.green, amount),
                      LightenChannel(c.blue, amount));
}

uint32_t DarkenColour(int32_t amount, uint32_t colour)
{
    Channels c = SplitColour(colour);
    return PackColour(DarkenChannel(c.red, amount), DarkenChannel(c.green, amount),
                      DarkenChannel(c.blue, amount));
}

uint32_t MixColours(uint32_t first, uint32_t second)
{
    Channels a = SplitColour(first);
    Channels b = SplitColour(second);
    auto mix = [](int32_t x1, int32_t x2) {
        return WrapAdd(MulDivKernel(86, x1, 100), MulDivKernel(14, x2, 100));
    };
    return PackColour(mix(a.red, b.red), mix(a.green, b.green), mix(a.blue, b.blue));
}

uint32_t MidColours(uint32_t first, uint32_t second)
{
    Channels a = SplitColour(first);
    Channels b = SplitColour(second);
    auto mid = [](int32_t x1, int32_t x2) {
        int32_t sum = WrapAdd(MulDivKernel(7, x1, 10), MulDivKernel(3, x2, 10));
        // 178.5 and 76.5 both round up for two full channels; 256 would wrap to black.
        if (x1 <= 255 && x2 <= 255 && sum > 255)
            sum = 255;
        return sum;
    };
    return PackColour(mid(a.red, b.red), mid(a.green, b.green), mid(a.blue, b.blue));
}

int32_t GrayLevel(uint32_t colour)
{
    Channels c = SplitColour(colour);
    int32_t weighted = MulRound(c.red, 77) + MulRound(c.green, 151) + MulRound(c.blue, 28) + 50;
    return DivRound(weighted, 256);
}

uint32_t XpHighlightColour(int32_t bitsPerPixel, uint32_t windowColour, uint32_t highlightColour)
{
    if (static_cast<uint32_t>(bitsPerPixel) <= 8)
        return windowColour;
    return MidColours(windowColour, highlightColour);
}

} // namespace varnelle
