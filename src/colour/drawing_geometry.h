// Rectangle arithmetic of the drawing primitives. Platform-free: no windows.h.
#pragma once
#include <cstdint>

#include "../core/rounding.h"

namespace varnelle {

// GDI on Windows NT addresses 27-bit signed coordinates; a rectangle reaching beyond
// them cannot be drawn, and keeping inside them lets every offset below fit in 32 bits.
inline constexpr int32_t kGdiCoordinateLimit = (1 << 27) - 1;

inline bool WithinGdiRange(int32_t value)
{
    return value >= -kGdiCoordinateLimit && value <= kGdiCoordinateLimit;
}

inline bool WithinGdiRange(int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    return WithinGdiRange(left) && WithinGdiRange(top) && WithinGdiRange(right) && WithinGdiRange(bottom);
}

inline int32_t ClampToInt32(int64_t value)
{
    return value < INT32_MIN ? INT32_MIN : value > INT32_MAX ? INT32_MAX : static_cast<int32_t>(value);
}

// Where an extent of `size` pixels starts when centred in `span` pixels from `origin`:
// origin + DivRound(span - size, 2), so an odd difference is halved to the even neighbour
// (3.5 gives 4, 2.5 gives 2). Formed in 64 bits so that no operand can overflow.
inline int32_t CentredPosition(int32_t origin, int64_t span, int32_t size)
{
    int32_t offset = DivRound(ClampToInt32(span - size), 2);
    return ClampToInt32(int64_t{origin} + offset);
}

} // namespace varnelle
