// Shared by the pattern sources: 32-bit pattern arithmetic and the grain passes.
#pragma once
#include "fill_grain.h"
#include "fill_pattern.h"

#include <cstdint>
#include <cstring>

namespace varnelle::fill {

// Pattern arithmetic is on signed 32-bit integers; sums and products wrap modulo 2^32
// (the noise argument is any 32-bit value). Divisions truncate toward zero.
inline int32_t Add(int32_t a, int32_t b)
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
inline int32_t Sub(int32_t a, int32_t b)
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}
inline int32_t Mul(int32_t a, int32_t b)
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}

// ((t * t * t) / 128) / 128 for t in -127..128: -125..128.
inline int32_t Cube(int32_t t)
{
    return t * t * t / 128 / 128;
}

// Position -127..128 along a side: length 255 steps from `from` (0..side) over `side`.
inline int32_t Position(int32_t from, int32_t side)
{
    return from * 255 / side - 127;
}

// Scratch: one int32 per column, then one pattern row.
struct Scratch {
    int32_t* columns;
    uint8_t* pattern;
};
inline Scratch SplitScratch(void* scratch, int32_t width)
{
    auto* columns = static_cast<int32_t*>(scratch);
    return {columns, reinterpret_cast<uint8_t*>(columns + width)};
}

// One grain pass visiting rows outer; patternFor(r) gives the levels row r starts from
// (it may return the row itself). Returns the state after the pass.
// The state after a pass over the whole image, whichever band was drawn.
inline uint32_t AfterPass(const FillImage& image, uint32_t seed)
{
    return LcgJumpBy(static_cast<uint32_t>(image.width) * static_cast<uint32_t>(image.height)).apply(seed);
}

template <typename PatternFor>
uint32_t GrainRowsOuter(const FillImage& image, uint32_t seed, const GrainParams& params, PatternFor&& patternFor)
{
    const GrainLanes lanes = MakeGrainLanes(1);
    const LcgJump nextRow = LcgJumpBy(static_cast<uint32_t>(image.width));
    uint32_t rowSeed =
        LcgJumpBy(static_cast<uint32_t>(image.width) * static_cast<uint32_t>(image.bandBegin())).apply(seed);
    for (int32_t r = image.bandBegin(); r < image.bandEnd(); ++r) {
        ApplyGrain(patternFor(r), image.row(r), image.width, rowSeed, lanes, params);
        rowSeed = nextRow.apply(rowSeed);
    }
    return AfterPass(image, seed);
}

// One grain pass visiting columns outer over a pattern that is the same on every row:
// along a row the pixels are `height` numbers apart.
uint32_t GrainColumnsOuter(const FillImage& image, uint32_t seed, const GrainParams& params, const uint8_t* pattern);

GrainParams GrainFor(int32_t noise, int32_t subtract);

// Kinds whose pattern changes only from row to row: a row of one level.
template <typename LevelOfRow>
uint32_t DrawRowLevels(int32_t noise, const FillImage& image, const Scratch& scratch, uint32_t seed,
                       LevelOfRow&& levelOfRow)
{
    int32_t filled = -1;
    return GrainRowsOuter(image, seed, GrainFor(noise, noise & 0xFF), [&](int32_t r) {
        int32_t level = StoreLevel(levelOfRow(r));
        if (level != filled) {
            memset(scratch.pattern, level, static_cast<size_t>(image.width));
            filled = level;
        }
        return scratch.pattern;
    });
}

uint32_t DrawPillow(int32_t noise, const FillImage& image, const Scratch& scratch, uint32_t seed);
uint32_t DrawScratches(int32_t noise, const FillImage& image, const Scratch& scratch, uint32_t seed);

} // namespace varnelle::fill
