#include "fill_pattern_internal.h"

#include <cstring>

namespace varnelle {

using namespace fill;

bool FillSizeIsDrawable(int32_t kind, int64_t width, int64_t height)
{
    if (width < 1 || height < 1 || width > kFillMaxSide || height > kFillMaxSide)
        return false;
    return kind != 8 || height >= 2;
}

uint32_t FillRandomCount(int32_t kind, int32_t width, int32_t height)
{
    uint32_t pixels = static_cast<uint32_t>(width) * static_cast<uint32_t>(height);
    switch (kind) {
    case 1: case 2: case 3: case 4: case 5: case 6: case 7:
        return pixels;
    case 8:
        return 2 * pixels;
    case 9:
        return 800 + pixels;
    default:
        return 0;
    }
}

namespace fill {

GrainParams GrainFor(int32_t noise, int32_t subtract)
{
    return {MakeGrainDivisor(GrainQuotientDivisor(noise)), subtract};
}

uint32_t GrainColumnsOuter(const FillImage& image, uint32_t seed, const GrainParams& params, const uint8_t* pattern)
{
    const GrainLanes lanes = MakeGrainLanes(static_cast<uint32_t>(image.height));
    const LcgJump nextRow = LcgJumpBy(1);
    uint32_t rowSeed = LcgJumpBy(static_cast<uint32_t>(image.bandBegin())).apply(seed);
    for (int32_t r = image.bandBegin(); r < image.bandEnd(); ++r) {
        ApplyGrain(pattern, image.row(r), image.width, rowSeed, lanes, params);
        rowSeed = nextRow.apply(rowSeed);
    }
    return AfterPass(image, seed);
}

} // namespace fill

namespace {

// Kind 2: bright upper left corner, dark lower right, flat middle.
uint32_t DrawCorners(int32_t n, const FillImage& image, const Scratch& scratch, uint32_t seed)
{
    // The level depends on cube(ty) + cube(tx) only, -250..256.
    uint8_t levelOfSum[507];
    for (int32_t sum = -250; sum <= 256; ++sum) {
        int32_t v = Add(Mul(Sub(128, n), sum) / 128, 128);
        if (v < n)
            v = n;
        if (v > Sub(255, n))
            v = Sub(255, n);
        levelOfSum[sum + 250] = StoreLevel(v);
    }
    for (int32_t x = 0; x < image.width; ++x)
        scratch.columns[x] = Cube(Position(image.width - x, image.width)) + 250;
    int32_t filledFor = -1000;
    return GrainRowsOuter(image, seed, GrainFor(n, n & 0xFF), [&](int32_t r) {
        int32_t rowCube = Cube(Position(r, image.height));
        if (rowCube != filledFor) {
            for (int32_t x = 0; x < image.width; ++x)
                scratch.pattern[x] = levelOfSum[rowCube + scratch.columns[x]];
            filledFor = rowCube;
        }
        return scratch.pattern;
    });
}

// Kinds 3 and 6: one level per column, visited columns outer.
template <typename LevelOfColumn>
uint32_t DrawColumnLevels(int32_t noise, const FillImage& image, const Scratch& scratch, uint32_t seed,
                          LevelOfColumn&& levelOfColumn)
{
    for (int32_t x = 0; x < image.width; ++x)
        scratch.pattern[x] = StoreLevel(levelOfColumn(x));
    return GrainColumnsOuter(image, seed, GrainFor(noise, noise & 0xFF), scratch.pattern);
}

// Kind 7: the sum of a row term and a column term.
uint32_t DrawDiagonal(int32_t n, const FillImage& image, const Scratch& scratch, uint32_t seed)
{
    const int32_t h = Sub(255, Mul(2, n)) / 2;
    for (int32_t x = 0; x < image.width; ++x)
        scratch.columns[x] = Mul(image.width - x, h) / image.width;
    int32_t filledFor = 0;
    bool filled = false;
    return GrainRowsOuter(image, seed, GrainFor(n, n & 0xFF), [&](int32_t r) {
        int32_t rowTerm = Add(Mul(h, r) / image.height, n);
        if (!filled || rowTerm != filledFor) {
            for (int32_t x = 0; x < image.width; ++x)
                scratch.pattern[x] = StoreLevel(Add(rowTerm, scratch.columns[x]));
            filledFor = rowTerm;
            filled = true;
        }
        return scratch.pattern;
    });
}

} // namespace

uint32_t DrawFillPattern(int32_t kind, int32_t noise, const FillImage& image, void* scratchArea, uint32_t seed)
{
    const int32_t n = noise;
    const int32_t W = image.width;
    const int32_t H = image.height;
    const Scratch scratch = SplitScratch(scratchArea, W);
    // Cubic shading factor of kinds 3 and 4.
    const int32_t cubic = 128 - (n & 0xFF);
    switch (kind) {
    case 1:
        return DrawRowLevels(n, image, scratch, seed, [](int32_t) { return 128; });
    case 2:
        return DrawCorners(n, image, scratch, seed);
    case 3:
        return DrawColumnLevels(n, image, scratch, seed,
                                [&](int32_t x) { return cubic * Cube(Position(W - x, W)) / 128 + 128; });
    case 4:
        return DrawRowLevels(n, image, scratch, seed,
                             [&](int32_t r) { return cubic * Cube(Position(r, H)) / 128 + 128; });
    case 5:
        return DrawRowLevels(n, image, scratch, seed,
                             [&](int32_t r) { return Add(Mul(Sub(255, Mul(2, n)), r) / H, n); });
    case 6:
        return DrawColumnLevels(n, image, scratch, seed,
                                [&](int32_t x) { return Add(Mul(W - x, Sub(255, Mul(2, n))) / W, n); });
    case 7:
        return DrawDiagonal(n, image, scratch, seed);
    case 8:
        return DrawPillow(n, image, scratch, seed);
    case 9:
        return DrawScratches(n, image, scratch, seed);
    default:
        for (int32_t r = image.bandBegin(); r < image.bandEnd(); ++r)
            memset(image.row(r), 0, static_cast<size_t>(W));
        return seed;
    }
}

} // namespace varnelle
