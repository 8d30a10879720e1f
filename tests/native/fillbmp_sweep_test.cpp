// The generator against the literal model: every kind, small, odd and extreme sizes, and
// noise values from the sensible to the absurd, pixel for pixel. Under ASan the exactly
// sized buffers also prove that nothing is written outside the pixel area.
#include "fillbmp/fill_pattern.h"
#include "fillbmp/fill_random.h"
#include "fillbmp_reference.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace varnelle;

namespace {

// Compares one drawing; padding bytes start as 0xA5 and must stay so.
void ExpectSameAsModel(int32_t kind, int32_t noise, int32_t width, int32_t height, uint32_t seed)
{
    SCOPED_TRACE(testing::Message() << "kind " << kind << " n " << noise << " " << width << " x " << height
                                    << " seed " << seed);
    fill_reference::Image expected(width, height);
    const uint32_t expectedSeed = fill_reference::Draw(kind, noise, expected, seed);

    // Exactly sized heap blocks: any stray byte is an ASan report.
    std::vector<uint8_t> pixels(expected.pixels.size(), 0xA5);
    for (int32_t r = 0; r < height; ++r)
        memset(pixels.data() + static_cast<size_t>(r) * expected.stride, 0, static_cast<size_t>(width));
    std::vector<uint8_t> scratch(FillScratchBytes(width));
    FillImage image{pixels.data(), width, height, expected.stride};
    const uint32_t seedAfter = DrawFillPattern(kind, noise, image, scratch.data(), seed);

    EXPECT_EQ(seedAfter, expectedSeed);
    EXPECT_EQ(seedAfter, LcgJumpBy(FillRandomCount(kind, width, height)).apply(seed));
    int mismatches = 0;
    for (int32_t r = 0; r < height; ++r) {
        for (uint32_t x = 0; x < expected.stride; ++x) {
            uint8_t want = x < static_cast<uint32_t>(width) ? expected.at(static_cast<int32_t>(x), r) : 0xA5;
            uint8_t got = pixels[static_cast<size_t>(r) * expected.stride + x];
            if (got != want && ++mismatches <= 5)
                ADD_FAILURE() << "row " << r << " column " << x << ": " << int(got) << " instead of " << int(want);
        }
    }
    EXPECT_EQ(mismatches, 0);
}

const int32_t kNoises[] = {0, 1, 10, 63, 100, 127, 128, 200, 255, 256, 300, 16383, 16384, 20000, 0x3FFFFFFF,
                           -1, -1000, 0x40000000, 0x7FFFFFFF,
                           static_cast<int32_t>(0x80000000u)};

} // namespace

TEST(FillSweep, SmallAndOddSizesEveryKind)
{
    const int32_t sides[] = {1, 2, 3, 5, 6, 7, 13, 16, 17, 31, 33};
    for (int32_t kind = 0; kind <= 10; ++kind)
        for (int32_t width : sides)
            for (int32_t height : sides) {
                if (!FillSizeIsDrawable(kind, width, height))
                    continue;
                ExpectSameAsModel(kind, 10, width, height, 12345678u);
            }
}

TEST(FillSweep, EveryNoiseEveryKind)
{
    for (int32_t kind = 1; kind <= 9; ++kind)
        for (int32_t noise : kNoises)
            for (auto [width, height] : {std::pair{37, 23}, std::pair{60, 20}, std::pair{1, 41}, std::pair{41, 2}})
                ExpectSameAsModel(kind, noise, width, height, 0x9E3779B9u * static_cast<uint32_t>(kind));
}

TEST(FillSweep, LongThinAndPrimeSizes)
{
    const std::pair<int32_t, int32_t> sizes[] = {{1, 1}, {1, 997}, {997, 1}, {997, 2}, {251, 127}, {127, 251},
                                                 {4093, 3}, {3, 4093}, {1920, 3}};
    for (int32_t kind = 1; kind <= 9; ++kind)
        for (auto [width, height] : sizes)
            if (FillSizeIsDrawable(kind, width, height))
                ExpectSameAsModel(kind, 10, width, height, 4242u);
}

TEST(FillSweep, ExtremeSides)
{
    // Kind 9's strokes land far outside images wider or taller than 16383 (32767 / W
    // is 1); kind 8's parabola product passes 2^31 for heights above 23170.
    ExpectSameAsModel(9, 10, 32767, 2, 1u);
    ExpectSameAsModel(9, 10, 2, 32767, 2u);
    ExpectSameAsModel(9, 0, 20000, 3, 3u);
    ExpectSameAsModel(9, 10, 16384, 16, 4u);
    ExpectSameAsModel(8, 10, 7, 32767, 5u);
    ExpectSameAsModel(8, 10, 100, 24000, 6u);
    ExpectSameAsModel(3, 10, 32767, 3, 7u);
    ExpectSameAsModel(6, 10, 5, 32767, 8u);
}

// Drawn band by band, with bands of any height, the image and the state after it are
// those of the whole image drawn at once. Each band has a buffer of exactly its rows, so
// under ASan nothing is written outside the band either.
TEST(FillSweep, BandByBandEqualsWhole)
{
    const std::pair<int32_t, int32_t> sizes[] = {{37, 23}, {64, 64}, {5, 41}, {300, 7}, {20000, 5}, {3, 2000}};
    for (int32_t kind = 0; kind <= 10; ++kind)
        for (auto [width, height] : sizes)
            for (int32_t noise : {10, 100})
                for (int32_t bandRows : {1, 2, 5, 16, 1000}) {
                    SCOPED_TRACE(testing::Message() << "kind " << kind << " " << width << " x " << height << " n "
                                                    << noise << " bands of " << bandRows);
                    const uint32_t seed = 0xC0FFEEu + static_cast<uint32_t>(kind);
                    const uint32_t stride = FillRowBytes(width);
                    std::vector<uint8_t> whole(static_cast<size_t>(stride) * height);
                    std::vector<uint8_t> scratch(FillScratchBytes(width));
                    const uint32_t after =
                        DrawFillPattern(kind, noise, FillImage{whole.data(), width, height, stride}, scratch.data(), seed);
                    for (int32_t first = 0; first < height; first += bandRows) {
                        const int32_t rows = height - first < bandRows ? height - first : bandRows;
                        std::vector<uint8_t> band(static_cast<size_t>(stride) * rows);
                        FillImage image{band.data(), width, height, stride, first, rows};
                        ASSERT_EQ(DrawFillPattern(kind, noise, image, scratch.data(), seed), after);
                        for (int32_t r = 0; r < rows; ++r)
                            ASSERT_EQ(memcmp(band.data() + static_cast<size_t>(r) * stride,
                                             whole.data() + static_cast<size_t>(first + r) * stride, width),
                                      0)
                                << "row " << first + r;
                    }
                }
}
