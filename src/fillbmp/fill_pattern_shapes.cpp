// Kind 8 (pillow: vertical shading with rounded rims) and kind 9 (scratches over a
// diagonal gradient).
#include "fill_pattern_internal.h"

#include <cstring>

namespace varnelle::fill {

namespace {

int64_t Clamp64(int64_t value, int64_t low, int64_t high)
{
    return value < low ? low : value > high ? high : value;
}

// The rims of one row: right rim where x - W/2 > E, then left rim where x - W/2 + E < 0.
void DrawRims(int32_t n, const FillImage& image, int32_t r, int32_t rimWidth, int32_t parabola)
{
    const int32_t W = image.width;
    const int32_t half = W / 2;
    const int32_t dy = r - image.height / 2;
    // dy * dy * e wraps as 32-bit arithmetic does for the tallest images.
    const int64_t E = static_cast<int64_t>(half - rimWidth) + Mul(Mul(dy, dy), rimWidth) / parabola;
    uint8_t* row = image.row(r);
    // With a rim width of 0 (W < 6) both ranges are empty, so e never divides.
    for (int64_t x = Clamp64(half + E + 1, 0, W); x < W; ++x)
        row[x] = StoreLevel(Add(((W - static_cast<int32_t>(x)) * 128 / rimWidth) & 0xFF, n));
    const int64_t leftEnd = Clamp64(half - E, 0, W);
    for (int32_t x = 0; x < leftEnd; ++x)
        row[x] = StoreLevel(Sub(Sub(255, n), (x * 128 / rimWidth) & 0xFF));
}

// Sets one stroke pixel, `line` counted from the top; positions outside the image are
// dropped, and so are rows outside the band.
void StrokePixel(const FillImage& image, int32_t column, int32_t line, uint8_t level)
{
    if (column < 0 || column >= image.width || line < 0 || line >= image.height)
        return;
    const int32_t r = image.height - 1 - line;
    if (r >= image.bandBegin() && r < image.bandEnd())
        image.row(r)[column] = level;
}

int32_t Larger(int32_t a, int32_t b)
{
    return a > b ? a : b;
}
int32_t Smaller(int32_t a, int32_t b)
{
    return a < b ? a : b;
}

// Every stroke's four numbers are drawn whatever the band; of its pixels only the steps j
// that reach the band's rows are visited. All pixels of one stroke have its level, so the
// order within a stroke does not matter; strokes are drawn in order, a later one over an
// earlier one.
uint32_t DrawStrokes(const FillImage& image, uint32_t seed)
{
    const int32_t W = image.width;
    const int32_t H = image.height;
    const int32_t shorter = W < H ? W : H;
    // Row H - 1 - line of a pixel on line b + j or b - j lies in the band [begin, end) for
    // these j.
    const int32_t begin = image.bandBegin(), end = image.bandEnd();
    for (int32_t stroke = 0; stroke < 200; ++stroke) {
        const int32_t a = LcgRandom(seed) / (32767 / W);
        const int32_t b = LcgRandom(seed) / (32767 / H);
        const int32_t length = LcgRandom(seed) / (32767 / shorter) / 2;
        const auto level = static_cast<uint8_t>(LcgRandom(seed) / (32767 / 40));
        const int32_t steps = length > 1 ? length : 1; // j = 0 is drawn also when the length is 0
        // Down and to the left from (a, b): line b + j.
        for (int32_t j = Larger(0, H - b - end); j <= Smaller(steps - 1, H - 1 - b - begin); ++j)
            if (a - j > 0 && b + j < H)
                StrokePixel(image, a - j, b + j, level);
        // Up and to the right from (W - a, b): line b - j.
        for (int32_t j = Larger(0, begin - H + 1 + b); j <= Smaller(steps - 1, end - H + b); ++j)
            if (a + j < W && b - j > 0)
                StrokePixel(image, W - a + j, b - j, level);
    }
    return seed;
}

} // namespace

uint32_t DrawPillow(int32_t n, const FillImage& image, const Scratch& scratch, uint32_t seed)
{
    const int32_t H = image.height;
    const int32_t factor = 128 - 2 * (n & 0xFF);
    seed = DrawRowLevels(n, image, scratch, seed,
                         [&](int32_t r) { return factor * Cube(Position(r, H)) / 128 + 128; });
    const int32_t rimWidth = image.width / 6 < 16 ? image.width / 6 : 16;
    const int32_t parabola = H * H / 4;
    // Every pixel takes grain again, inside the rims or not.
    return GrainRowsOuter(image, seed, GrainFor(n, n & 0xFF), [&](int32_t r) {
        DrawRims(n, image, r, rimWidth, parabola);
        return image.row(r);
    });
}

uint32_t DrawScratches(int32_t n, const FillImage& image, const Scratch& scratch, uint32_t seed)
{
    const int32_t W = image.width;
    const int32_t H = image.height;
    for (int32_t r = image.bandBegin(); r < image.bandEnd(); ++r)
        memset(image.row(r), 0, static_cast<size_t>(W));
    seed = DrawStrokes(image, seed);
    // The ramp leaves 40 levels of room above it for the strokes.
    const int32_t h = Sub(Sub(Sub(255, n), n), 40) / 2;
    for (int32_t x = 0; x < W; ++x)
        scratch.columns[x] = Mul(W - x, h) / W;
    return GrainRowsOuter(image, seed, GrainFor(n, 0), [&](int32_t r) {
        AddToLevels(image.row(r), scratch.columns, Mul(h, r) / H, W);
        return image.row(r);
    });
}

} // namespace varnelle::fill
