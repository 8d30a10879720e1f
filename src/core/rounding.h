// Integer operations formed in floating point, as the library's painters use them.
// Platform-free: no windows.h.
#pragma once
#include <cstdint>
#include <emmintrin.h>

namespace varnelle {

// Converts with the processor's default rounding: nearest, exact halves to even.
// A value outside the 32-bit range gives INT32_MIN, the processor's "integer indefinite".
inline int32_t RoundToInt32(double value)
{
    return _mm_cvtsd_si32(_mm_set_sd(value));
}

inline int32_t MulRound(int32_t a, int32_t b)
{
    return RoundToInt32(static_cast<double>(a) * static_cast<double>(b));
}

// a / b rounded to nearest with halves to even: DivRound(5, 2) == 2, DivRound(7, 2) == 4.
// A divisor of 0 gives INT32_MIN rather than a trap.
inline int32_t DivRound(int32_t a, int32_t b)
{
    return RoundToInt32(static_cast<double>(a) / static_cast<double>(b));
}

// KERNEL32's MulDiv: 64-bit intermediate, exact halves rounded away from zero,
// -1 for a zero divisor or a result outside -2147483647..2147483647.
inline int32_t MulDivKernel(int32_t number, int32_t numerator, int32_t denominator)
{
    if (denominator == 0)
        return -1;
    int64_t n = number;
    int64_t d = denominator;
    if (d < 0) {
        n = -n;
        d = -d;
    }
    int64_t product = n * numerator;
    bool sameSigns = (n < 0) == (numerator < 0);
    int64_t quotient = sameSigns ? (product + d / 2) / d : (product - d / 2) / d;
    if (quotient > 2147483647 || quotient < -2147483647)
        return -1;
    return static_cast<int32_t>(quotient);
}

} // namespace varnelle
