// The grain of the fill bitmaps: every pixel of a pass takes one random number r and
// becomes pixel + r / q - subtract, stored as a level. The random sequence is one serial
// chain, so a row is computed from several positions of the chain at once, each reached
// by jumping the generator ahead. Platform-free.
#pragma once
#include "fill_random.h"

#include <cstdint>

namespace varnelle {

// A value stored as a pixel: past 255 it stays 255 (rather than wrapping to a dark
// pixel); below 0 it keeps its low 8 bits as every other stored value does.
inline uint8_t StoreLevel(int32_t value)
{
    return value > 255 ? uint8_t{255} : static_cast<uint8_t>(value);
}

// r / q for r in 0..32767 and q in 1..32767 as a multiply and shifts on 16-bit lanes:
// ((2 * r * multiplier) >> 16) >> shift, exact for every such r.
struct GrainDivisor {
    uint16_t multiplier;
    uint16_t shift;
};
GrainDivisor MakeGrainDivisor(int32_t q);
inline int32_t DivideGrain(int32_t r, GrainDivisor divisor)
{
    return static_cast<int32_t>((static_cast<uint32_t>(2 * r) * divisor.multiplier) >> 16) >> divisor.shift;
}

// The grain divisor for the noise n: 32767 / max(2n, 1), 2n taken modulo 2^32, and at
// least 1.
int32_t GrainQuotientDivisor(int32_t noise);

struct GrainParams {
    GrainDivisor divisor;
    int32_t subtract; // 0..255
};

inline constexpr int32_t kGrainBlock = 16;

// Where the pixels of one row find their numbers: pixel x takes the number drawn
// x * stride + 1 steps after the row's starting state.
struct GrainLanes {
    uint32_t multiplier[kGrainBlock];
    uint32_t increment[kGrainBlock];
    LcgJump nextBlock; // kGrainBlock * stride steps
};
GrainLanes MakeGrainLanes(uint32_t stride);

// out[x] = StoreLevel(pattern[x] + r_x / q - subtract) for x < count, r_x as in GrainLanes
// from `seed`. pattern may be out itself.
void ApplyGrain(const uint8_t* pattern, uint8_t* out, int32_t count, uint32_t seed, const GrainLanes& lanes,
                const GrainParams& params);

// row[x] = StoreLevel(row[x] + rowTerm + columnTerms[x]) for x < count, sums modulo 2^32.
void AddToLevels(uint8_t* row, const int32_t* columnTerms, int32_t rowTerm, int32_t count);

} // namespace varnelle
