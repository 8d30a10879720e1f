#include "fill_grain.h"

#include <cstring>
#include <emmintrin.h>

namespace varnelle {

GrainDivisor MakeGrainDivisor(int32_t q)
{
    // With 2^s >= 32768 * q the rounded-up reciprocal 2^s / q is exact for 15-bit r, and
    // it stays below 2^16.
    uint32_t log = 0;
    while ((1u << log) < static_cast<uint32_t>(q))
        ++log;
    uint32_t scale = 1u << (15 + log);
    uint32_t multiplier = (scale + static_cast<uint32_t>(q) - 1) / static_cast<uint32_t>(q);
    return {static_cast<uint16_t>(multiplier), static_cast<uint16_t>(log)};
}

int32_t GrainQuotientDivisor(int32_t noise)
{
    int32_t twice = static_cast<int32_t>(static_cast<uint32_t>(noise) * 2u);
    int32_t q = 32767 / (twice > 1 ? twice : 1);
    // Noise above 16383 would make q 0 and the grain a division by zero: it gets the
    // widest grain there is instead.
    return q > 1 ? q : 1;
}

GrainLanes MakeGrainLanes(uint32_t stride)
{
    GrainLanes lanes;
    for (int32_t lane = 0; lane < kGrainBlock; ++lane) {
        LcgJump jump = LcgJumpBy(static_cast<uint32_t>(lane) * stride + 1);
        lanes.multiplier[lane] = jump.multiplier;
        lanes.increment[lane] = jump.increment;
    }
    lanes.nextBlock = LcgJumpBy(kGrainBlock * stride);
    return lanes;
}

namespace {

// The generator states live in the low halves of 64-bit lanes, so one unsigned 32 x 32
// multiply steps two of them without shuffles. Vector k of a half block holds the
// pixels k and k + 4 of that half.
struct BlockState {
    __m128i lane[8];
};

inline __m128i Pair(const uint32_t* values, int32_t first)
{
    return _mm_set_epi32(0, static_cast<int>(values[first + 4]), 0, static_cast<int>(values[first]));
}

BlockState StartBlock(uint32_t seed, const GrainLanes& lanes)
{
    BlockState state;
    __m128i seeds = _mm_set1_epi32(static_cast<int>(seed));
    for (int32_t k = 0; k < 8; ++k) {
        int32_t first = (k / 4) * 8 + k % 4;
        state.lane[k] = _mm_add_epi32(_mm_mul_epu32(seeds, Pair(lanes.multiplier, first)),
                                      Pair(lanes.increment, first));
    }
    return state;
}

// 2 * (state >> 16 & 0x7FFF) of the eight pixels of a half block, as 16-bit lanes in
// pixel order.
inline __m128i TwiceRandom(const __m128i* v)
{
    const __m128i highWords = _mm_set1_epi32(static_cast<int>(0xFFFF0000u));
    const __m128i lowDwords = _mm_set_epi32(0, -1, 0, -1);
    __m128i even = _mm_or_si128(_mm_srli_epi32(v[0], 16), _mm_and_si128(v[1], highWords)); // 0 1 . . 4 5 . .
    __m128i odd = _mm_or_si128(_mm_srli_epi32(v[2], 16), _mm_and_si128(v[3], highWords));  // 2 3 . . 6 7 . .
    __m128i words = _mm_or_si128(_mm_and_si128(even, lowDwords), _mm_slli_epi64(odd, 32));
    return _mm_slli_epi16(words, 1);
}

// pattern + r / q - subtract as levels, for sixteen pixels.
inline __m128i GrainBlock(const BlockState& state, __m128i pattern, __m128i multiplier, __m128i shift,
                          __m128i subtract)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i top = _mm_set1_epi16(255);
    __m128i half[2];
    for (int32_t h = 0; h < 2; ++h) {
        __m128i quotient = _mm_srl_epi16(_mm_mulhi_epu16(TwiceRandom(state.lane + 4 * h), multiplier), shift);
        __m128i offset = _mm_sub_epi16(quotient, subtract); // -255..32767
        __m128i levels = h == 0 ? _mm_unpacklo_epi8(pattern, zero) : _mm_unpackhi_epi8(pattern, zero);
        __m128i sum = _mm_adds_epi16(levels, offset);
        // Past 255 becomes 255; otherwise the low 8 bits.
        sum = _mm_or_si128(sum, _mm_cmpgt_epi16(sum, top));
        half[h] = _mm_and_si128(sum, top);
    }
    return _mm_packus_epi16(half[0], half[1]);
}

inline void NextBlock(BlockState& state, __m128i multiplier, __m128i increment)
{
    for (__m128i& lane : state.lane)
        lane = _mm_add_epi32(_mm_mul_epu32(lane, multiplier), increment);
}

} // namespace

void ApplyGrain(const uint8_t* pattern, uint8_t* out, int32_t count, uint32_t seed, const GrainLanes& lanes,
                const GrainParams& params)
{
    if (count <= 0)
        return;
    const __m128i multiplier = _mm_set1_epi16(static_cast<short>(params.divisor.multiplier));
    const __m128i shift = _mm_cvtsi32_si128(params.divisor.shift);
    const __m128i subtract = _mm_set1_epi16(static_cast<short>(params.subtract));
    const __m128i stepMultiplier = _mm_set1_epi32(static_cast<int>(lanes.nextBlock.multiplier));
    const __m128i stepIncrement = _mm_set1_epi32(static_cast<int>(lanes.nextBlock.increment));

    BlockState state = StartBlock(seed, lanes);
    int32_t x = 0;
    for (; x + kGrainBlock <= count; x += kGrainBlock) {
        __m128i levels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pattern + x));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x),
                         GrainBlock(state, levels, multiplier, shift, subtract));
        NextBlock(state, stepMultiplier, stepIncrement);
    }
    if (x < count) {
        // The last partial block goes through a local copy: nothing past the row is read
        // or written.
        uint8_t block[kGrainBlock] = {};
        size_t rest = static_cast<size_t>(count - x);
        memcpy(block, pattern + x, rest);
        __m128i levels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(block), GrainBlock(state, levels, multiplier, shift, subtract));
        memcpy(out + x, block, rest);
    }
}

void AddToLevels(uint8_t* row, const int32_t* columnTerms, int32_t rowTerm, int32_t count)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i top = _mm_set1_epi32(255);
    const __m128i addend = _mm_set1_epi32(rowTerm);
    int32_t x = 0;
    for (; x + 16 <= count; x += 16) {
        __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x));
        __m128i words[2] = {_mm_unpacklo_epi8(bytes, zero), _mm_unpackhi_epi8(bytes, zero)};
        __m128i levels[4];
        for (int32_t k = 0; k < 4; ++k) {
            __m128i level = k % 2 == 0 ? _mm_unpacklo_epi16(words[k / 2], zero) : _mm_unpackhi_epi16(words[k / 2], zero);
            __m128i terms = _mm_loadu_si128(reinterpret_cast<const __m128i*>(columnTerms + x + 4 * k));
            __m128i sum = _mm_add_epi32(_mm_add_epi32(level, addend), terms);
            levels[k] = _mm_and_si128(_mm_or_si128(sum, _mm_cmpgt_epi32(sum, top)), top);
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(row + x),
                         _mm_packus_epi16(_mm_packs_epi32(levels[0], levels[1]), _mm_packs_epi32(levels[2], levels[3])));
    }
    for (; x < count; ++x)
        row[x] = StoreLevel(static_cast<int32_t>(static_cast<uint32_t>(row[x]) + static_cast<uint32_t>(rowTerm) +
                                                 static_cast<uint32_t>(columnTerms[x])));
}

} // namespace varnelle
