// The fill bitmaps' pseudo-random sequence: a linear congruential generator whose state
// the caller keeps (the library keeps it in ModuleState.RandomSeed). Platform-free.
#pragma once
#include <cstdint>

namespace varnelle {

inline constexpr uint32_t kLcgMultiplier = 214013u;
inline constexpr uint32_t kLcgIncrement = 2531011u;

// Advances the state and returns the next number 0..32767.
inline int32_t LcgRandom(uint32_t& seed)
{
    seed = seed * kLcgMultiplier + kLcgIncrement;
    return static_cast<int32_t>((seed >> 16) & 0x7FFF);
}

// k steps of the generator at once: state' = multiplier * state + increment (mod 2^32).
struct LcgJump {
    uint32_t multiplier;
    uint32_t increment;

    uint32_t apply(uint32_t seed) const { return seed * multiplier + increment; }
};

// The jump over `steps` numbers, by repeated squaring of the one-step map.
inline LcgJump LcgJumpBy(uint32_t steps)
{
    LcgJump result{1u, 0u};
    LcgJump power{kLcgMultiplier, kLcgIncrement};
    while (steps != 0) {
        if (steps & 1u)
            result = {result.multiplier * power.multiplier, result.increment * power.multiplier + power.increment};
        power = {power.multiplier * power.multiplier, power.increment * power.multiplier + power.increment};
        steps >>= 1;
    }
    return result;
}

} // namespace varnelle
