// The nine fill patterns drawn into an 8-bit image of brightness levels (palette
// indexes), each overlaid with random grain. Platform-free: the caller provides the
// pixels, a scratch area and the generator state, and gets the advanced state back.
#pragma once
#include <cstdint>

namespace varnelle {

inline constexpr int32_t kFillMaxSide = 32767;

// Bytes per stored row: the width rounded up to a multiple of 4.
inline uint32_t FillRowBytes(int32_t width)
{
    return ((8u * static_cast<uint32_t>(width) + 31u) >> 5) << 2;
}

// Sizes the patterns are defined for: 1..32767 each way, and a height of at least 2 for
// kind 8 (its rim parabola divides by height * height / 4).
bool FillSizeIsDrawable(int32_t kind, int64_t width, int64_t height);

// Scratch bytes DrawFillPattern needs for this width (4-byte aligned).
inline uint32_t FillScratchBytes(int32_t width)
{
    return 5u * static_cast<uint32_t>(width);
}

// An image of width x height, of which `pixels` holds the band of rows firstRow ..
// firstRow + bandRows - 1 (bandRows 0: every row), `stride` bytes apart. Row 0 is the
// bottom line. Drawing band by band gives the same pixels as drawing the whole image.
struct FillImage {
    uint8_t* pixels; // row firstRow
    int32_t width;
    int32_t height;
    uint32_t stride; // at least width
    int32_t firstRow = 0;
    int32_t bandRows = 0;

    int32_t bandBegin() const { return firstRow; }
    int32_t bandEnd() const { return bandRows > 0 ? firstRow + bandRows : height; }
    uint8_t* row(int32_t r) const { return pixels + static_cast<uint32_t>(r - firstRow) * stride; }
};

// Random numbers one pattern draws: width * height per grain pass (two passes for kind 8),
// plus 800 for the strokes of kind 9; none for a kind outside 1..9.
uint32_t FillRandomCount(int32_t kind, int32_t width, int32_t height);

// Draws pattern `kind` (1..9; any other kind leaves the pixels at 0) with noise n into the
// first `width` bytes of every row of the band (padding is not touched), with the random
// numbers the whole image draws from `seed`; returns the state after the image's last
// one. The size must be drawable.
uint32_t DrawFillPattern(int32_t kind, int32_t noise, const FillImage& image, void* scratch, uint32_t seed);

} // namespace varnelle
