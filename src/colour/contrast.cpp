#include "contrast.h"

#include "colour_math.h"

namespace varnelle {
namespace {

// x^(12/5) for x in [0, 1] without the C runtime: the fifth root of x^12 by Newton's
// method, started above the root (x^2 >= x^2.4 there), where it falls monotonically.
constexpr double PowTwelveFifths(double x)
{
    if (x <= 0.0)
        return 0.0;
    double x2 = x * x;
    double x4 = x2 * x2;
    const double target = x4 * x4 * x4;
    double y = x2;
    for (int i = 0; i < 100; ++i) {
        const double y2 = y * y;
        const double y4 = y2 * y2;
        const double next = y - (y4 * y - target) / (5.0 * y4);
        if (next >= y)
            break;
        y = next;
    }
    return y;
}

// sRGB channel value to linear light.
constexpr double LinearChannel(int value)
{
    const double c = value / 255.0;
    return c <= 0.04045 ? c / 12.92 : PowTwelveFifths((c + 0.055) / 1.055);
}

struct LinearTable {
    double value[256];
};
constexpr LinearTable MakeLinearTable()
{
    LinearTable table = {};
    for (int i = 0; i < 256; ++i)
        table.value[i] = LinearChannel(i);
    return table;
}
constexpr LinearTable kLinear = MakeLinearTable();

double WorstContrast(uint32_t text, const uint32_t* backgrounds, int count)
{
    double worst = 21.0;
    for (int i = 0; i < count; ++i) {
        const double ratio = ContrastRatio(text, backgrounds[i]);
        worst = ratio < worst ? ratio : worst;
    }
    return worst;
}

struct Move {
    uint32_t colour;
    double contrast;
    int amount; // 0 when the minimum is not reached
};

// The smallest amount toward white (or black) that reaches the minimum, or the best seen.
Move MoveToward(bool white, uint32_t text, const uint32_t* backgrounds, int count, double minimum)
{
    Move best = {text, WorstContrast(text, backgrounds, count), 0};
    for (int amount = 1; amount <= 255; ++amount) {
        const uint32_t moved = white ? LightenColour(amount, text) : DarkenColour(amount, text);
        const double contrast = WorstContrast(moved, backgrounds, count);
        if (contrast >= minimum)
            return {moved, contrast, amount};
        if (contrast > best.contrast)
            best = {moved, contrast, 0};
    }
    return best;
}

} // namespace

double RelativeLuminance(uint32_t colour)
{
    const Channels c = SplitColour(colour);
    return 0.2126 * kLinear.value[c.red & 0xFF] + 0.7152 * kLinear.value[c.green & 0xFF] +
           0.0722 * kLinear.value[c.blue & 0xFF];
}

double ContrastRatio(uint32_t first, uint32_t second)
{
    const double a = RelativeLuminance(first);
    const double b = RelativeLuminance(second);
    return a > b ? (a + 0.05) / (b + 0.05) : (b + 0.05) / (a + 0.05);
}

bool IsDarkSurface(uint32_t colour)
{
    return ContrastRatio(colour, 0xFFFFFF) > ContrastRatio(colour, 0x000000);
}

double GrayedTextMinimum(uint32_t grayText, uint32_t menu)
{
    const double own = ContrastRatio(grayText, menu);
    return own < kGrayedContrast ? own : kGrayedContrast;
}

uint32_t ReadableTextColour(uint32_t text, const uint32_t* backgrounds, int count, double minimum)
{
    text &= 0xFFFFFF;
    if (count <= 0 || WorstContrast(text, backgrounds, count) >= minimum)
        return text;
    const Move lighter = MoveToward(true, text, backgrounds, count, minimum);
    const Move darker = MoveToward(false, text, backgrounds, count, minimum);
    if (lighter.amount && darker.amount) {
        if (lighter.amount != darker.amount)
            return lighter.amount < darker.amount ? lighter.colour : darker.colour;
        // As far either way: light text where the backgrounds are dark.
        const bool dark = WorstContrast(0xFFFFFF, backgrounds, count) >= WorstContrast(0, backgrounds, count);
        return dark ? lighter.colour : darker.colour;
    }
    if (lighter.amount || darker.amount)
        return lighter.amount ? lighter.colour : darker.colour;
    return lighter.contrast >= darker.contrast ? lighter.colour : darker.colour;
}

} // namespace varnelle
