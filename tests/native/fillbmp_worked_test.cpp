// Worked values of the fill-bitmap generator: random sequence, grain divisor, palette,
// row widths, pattern levels before the grain, and the rims of kind 8.
#include "fillbmp/fill_grain.h"
#include "fillbmp/fill_palette.h"
#include "fillbmp/fill_pattern.h"
#include "fillbmp/fill_random.h"
#include "fillbmp_reference.h"

#include <gtest/gtest.h>

#include <vector>

using namespace varnelle;

namespace {

constexpr uint32_t kFirstSeed = 12345678u;

// Draws with the library into a zero-filled image and returns the pixels.
struct Drawn {
    fill_reference::Image image;
    uint32_t seedAfter;
};
Drawn DrawWithLibrary(int32_t kind, int32_t noise, int32_t width, int32_t height, uint32_t seed = kFirstSeed)
{
    Drawn drawn{fill_reference::Image(width, height), 0};
    std::vector<uint8_t> scratch(FillScratchBytes(width) + 4);
    FillImage image{drawn.image.pixels.data(), width, height, drawn.image.stride};
    drawn.seedAfter = DrawFillPattern(kind, noise, image, scratch.data(), seed);
    return drawn;
}

// The grain offset each pixel received in one pass, by visiting order.
std::vector<int32_t> PassOffsets(uint32_t& seed, int32_t count, int32_t noise, bool subtract = true)
{
    const int32_t q = GrainQuotientDivisor(noise);
    std::vector<int32_t> offsets;
    for (int32_t i = 0; i < count; ++i)
        offsets.push_back(LcgRandom(seed) / q - (subtract ? (noise & 0xFF) : 0));
    return offsets;
}

} // namespace

TEST(FillRandom, FirstNumbersOfAFreshProcess)
{
    uint32_t seed = kFirstSeed;
    EXPECT_EQ(LcgRandom(seed), 11188);
    EXPECT_EQ(LcgRandom(seed), 29462);
    EXPECT_EQ(LcgRandom(seed), 10945);
    EXPECT_EQ(LcgRandom(seed), 26170);
}

TEST(FillRandom, JumpEqualsSingleSteps)
{
    for (uint32_t steps : {0u, 1u, 2u, 3u, 16u, 1000u, 1920u * 1080u, 0x3FFFFFFFu}) {
        uint32_t stepped = 0xDEADBEEFu;
        if (steps <= 1920u * 1080u) {
            for (uint32_t i = 0; i < steps; ++i)
                LcgRandom(stepped);
        } else {
            // 2^30 - 1 steps: two jumps of known length compose.
            stepped = LcgJumpBy(0x20000000u).apply(LcgJumpBy(0x1FFFFFFFu).apply(stepped));
        }
        EXPECT_EQ(LcgJumpBy(steps).apply(0xDEADBEEFu), stepped) << steps;
    }
}

TEST(FillGrain, DivisorIsExactForEveryQuotient)
{
    // r / q is monotonic in r, so checking both sides of every multiple of q proves it
    // for all r in 0..32767.
    for (int32_t q = 1; q <= 32767; ++q) {
        GrainDivisor divisor = MakeGrainDivisor(q);
        for (int32_t multiple = 0; multiple <= 32767; multiple += q) {
            ASSERT_EQ(DivideGrain(multiple, divisor), multiple / q) << q;
            if (multiple > 0)
                ASSERT_EQ(DivideGrain(multiple - 1, divisor), (multiple - 1) / q) << q;
        }
        ASSERT_EQ(DivideGrain(32767, divisor), 32767 / q) << q;
    }
}

TEST(FillGrain, OffsetRanges)
{
    EXPECT_EQ(GrainQuotientDivisor(10), 1638);
    EXPECT_EQ(GrainQuotientDivisor(100), 163);
    EXPECT_EQ(GrainQuotientDivisor(0), 32767);
    EXPECT_EQ(GrainQuotientDivisor(-5), 32767);
    EXPECT_EQ(GrainQuotientDivisor(0x40000000), 32767); // 2n wraps to INT_MIN
    EXPECT_EQ(GrainQuotientDivisor(16383), 1);
    EXPECT_EQ(GrainQuotientDivisor(16384), 1); // 32767 / 32768 would divide by 0 next
    EXPECT_EQ(GrainQuotientDivisor(0x3FFFFFFF), 1);
    EXPECT_EQ(32767 / GrainQuotientDivisor(10) - 10, 10);
    EXPECT_EQ(32767 / GrainQuotientDivisor(100) - 100, 101);
    EXPECT_EQ(32766 / GrainQuotientDivisor(0), 0);
    EXPECT_EQ(32767 / GrainQuotientDivisor(0), 1);
}

TEST(FillPalette, GreyLevelsOfTheClassicScheme)
{
    std::vector<uint8_t> palette(1024);
    BuildFillPalettes({0x808080, 0xC0C0C0, 0xFFFFFF}, 0, 0, 0, palette.data(), nullptr);
    const int expected[][2] = {{0, 128}, {64, 160}, {128, 192}, {255, 255}};
    for (auto [index, grey] : expected)
        for (int byte = 0; byte < 3; ++byte)
            EXPECT_EQ(palette[index * 4 + byte], grey) << index;
    // Entry 128 comes from the second pass: (127 * face + highlight) / 128.
    std::vector<uint8_t> coloured(1024);
    BuildFillPalettes({0x000000, 0x102030, 0xFFFFFF}, 0, 0, 0, coloured.data(), nullptr);
    EXPECT_EQ(coloured[128 * 4 + 2], (127 * 0x30 + 0xFF) / 128);
    EXPECT_EQ(coloured[128 * 4 + 0], (127 * 0x10 + 0xFF) / 128);
    EXPECT_EQ(coloured[0 * 4 + 0], 0);
    EXPECT_EQ(coloured[255 * 4 + 1], 0xFF);
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(coloured[i * 4 + 3], 0);
}

TEST(FillPalette, TintHighlightAndPercentages)
{
    std::vector<uint8_t> plain(1024), lighter(1024);
    BuildFillPalettes({0x808080, 0xC0C0C0, 0xFFFFFF}, 0, 100, 0x123456, plain.data(), nullptr);
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(plain[i * 4 + 0], 0x12);
        EXPECT_EQ(plain[i * 4 + 1], 0x34);
        EXPECT_EQ(plain[i * 4 + 2], 0x56);
    }
    // Highlight 100 lifts every entry to the highlight colour; 50 goes half way.
    BuildFillPalettes({0x808080, 0xC0C0C0, 0xF0E0D0}, 100, 0, 0, plain.data(), lighter.data());
    EXPECT_EQ(lighter[7 * 4 + 0], 0xF0);
    EXPECT_EQ(lighter[7 * 4 + 2], 0xD0);
    BuildFillPalettes({0x808080, 0xC0C0C0, 0xFFFFFF}, 50, 0, 0, plain.data(), lighter.data());
    EXPECT_EQ(lighter[0], (128 * 50 + 255 * 50) / 100);
    EXPECT_EQ(ChannelRamp(64, 0x808080, 0xC0C0C0, 2), 160);
    EXPECT_EQ(ChannelTint(0x1FF, 0x00FF0000, 50, 3), (0xFF * 50 + 0xFF * 50) / 100);
    // The blue channel is the colour shifted right by 16, top byte included.
    EXPECT_EQ(ColourChannel(0x01FF0000, 3), 0x1FF);

    EXPECT_EQ(FillPercentage(0), 0);
    EXPECT_EQ(FillPercentage(100), 100);
    EXPECT_EQ(FillPercentage(101), 100);
    EXPECT_EQ(FillPercentage(255), 100);
    EXPECT_EQ(FillPercentage(0x100), 0);
    EXPECT_EQ(FillPercentage(0x132), 50);
    EXPECT_EQ(FillPercentage(-1), 100);
}

TEST(FillPattern, RowWidthsAndDrawableSizes)
{
    EXPECT_EQ(FillRowBytes(10), 12u);
    EXPECT_EQ(FillRowBytes(12), 12u);
    EXPECT_EQ(FillRowBytes(1), 4u);
    EXPECT_EQ(FillRowBytes(32767), 32768u);
    EXPECT_TRUE(FillSizeIsDrawable(1, 1, 1));
    EXPECT_TRUE(FillSizeIsDrawable(9, 32767, 32767));
    EXPECT_FALSE(FillSizeIsDrawable(1, 0, 5));
    EXPECT_FALSE(FillSizeIsDrawable(1, 5, -1));
    EXPECT_FALSE(FillSizeIsDrawable(1, 32768, 5));
    EXPECT_FALSE(FillSizeIsDrawable(1, 5, 32768));
    EXPECT_FALSE(FillSizeIsDrawable(1, 4294967297LL, 5));
    EXPECT_FALSE(FillSizeIsDrawable(8, 60, 1));
    EXPECT_TRUE(FillSizeIsDrawable(8, 60, 2));
    EXPECT_TRUE(FillSizeIsDrawable(0, 60, 1));
}

// Levels before the grain with n = 10, found by taking each pixel's offset back out.
TEST(FillPattern, LevelsBeforeGrain)
{
    struct Case {
        int32_t kind, width, height;
        bool columnsOuter;
        int32_t along[4]; // by row for 4 and 5, by column for 3 and 6
    };
    const Case cases[] = {
        {5, 3, 4, false, {10, 68, 127, 186}},
        {6, 4, 3, true, {245, 186, 127, 68}},
        {3, 4, 3, true, {246, 142, 128, 114}},
        {4, 3, 4, false, {13, 114, 128, 142}},
    };
    for (const Case& c : cases) {
        Drawn drawn = DrawWithLibrary(c.kind, 10, c.width, c.height);
        uint32_t seed = kFirstSeed;
        std::vector<int32_t> offsets = PassOffsets(seed, c.width * c.height, 10);
        EXPECT_EQ(drawn.seedAfter, seed);
        for (int32_t r = 0; r < c.height; ++r)
            for (int32_t x = 0; x < c.width; ++x) {
                int32_t visit = c.columnsOuter ? x * c.height + r : r * c.width + x;
                int32_t level = c.columnsOuter ? c.along[x] : c.along[r];
                EXPECT_EQ(drawn.image.at(x, r), level + offsets[visit]) << c.kind << " x " << x << " r " << r;
            }
    }
}

TEST(FillPattern, PillowRimsFor60By20)
{
    // n = 0: the only grain is +1 for the number 32767, which the offsets account for.
    Drawn drawn = DrawWithLibrary(8, 0, 60, 20);
    uint32_t seed = kFirstSeed;
    std::vector<int32_t> first = PassOffsets(seed, 60 * 20, 0);
    std::vector<int32_t> second = PassOffsets(seed, 60 * 20, 0);
    EXPECT_EQ(drawn.seedAfter, seed);
    auto rimOf = [&](int32_t r, int32_t x) {
        int32_t level = drawn.image.at(x, r) - second[r * 60 + x];
        int32_t shading = fill_reference::Cube(r * 255 / 20 - 127) + 128 + first[r * 60 + x];
        // Shading first: column 50, just outside row 10's right rim, has the level 128
        // that a rim pixel there would have too. No rim pixel of these rows has the
        // level of the shading.
        if (level == shading)
            return '.';
        if (level == 255 - (x * 128 / 10))
            return 'L';
        return level == (60 - x) * 128 / 10 ? 'R' : '?';
    };
    auto rimsOfRow = [&](int32_t r) {
        std::string row;
        for (int32_t x = 0; x < 60; ++x)
            row += rimOf(r, x);
        return row;
    };
    EXPECT_EQ(rimsOfRow(10), std::string(10, 'L') + std::string(41, '.') + std::string(9, 'R'));
    EXPECT_EQ(rimsOfRow(19), "LL" + std::string(57, '.') + "R");
    EXPECT_EQ(rimsOfRow(0), std::string(60, '.'));
}

TEST(FillPattern, OtherKindsLeaveZerosAndDrawNothing)
{
    for (int32_t kind : {0, 10, -1, 0x7FFFFFFF}) {
        fill_reference::Image image(7, 3);
        std::fill(image.pixels.begin(), image.pixels.end(), 0x5A);
        std::vector<uint8_t> scratch(FillScratchBytes(7));
        FillImage target{image.pixels.data(), 7, 3, image.stride};
        EXPECT_EQ(DrawFillPattern(kind, 10, target, scratch.data(), 99u), 99u);
        for (int32_t r = 0; r < 3; ++r)
            for (int32_t x = 0; x < 8; ++x)
                EXPECT_EQ(image.at(x, r), x < 7 ? 0 : 0x5A) << "padding is not touched";
        EXPECT_EQ(FillRandomCount(kind, 7, 3), 0u);
    }
}

TEST(FillPattern, BrightEndSaturates)
{
    // Kind 3's column 0 with n = 0 computes 256: it stays at the bright end.
    Drawn drawn = DrawWithLibrary(3, 0, 4, 50);
    for (int32_t r = 0; r < 50; ++r)
        EXPECT_EQ(drawn.image.at(0, r), 255);
    // Kind 4 with n = 200 (factor -72): the bottom row is level 198 and its grain reaches
    // +204; every sum past 255 stays 255.
    Drawn grainy = DrawWithLibrary(4, 200, 64, 8);
    uint32_t seed = kFirstSeed;
    std::vector<int32_t> offsets = PassOffsets(seed, 64 * 8, 200);
    int saturated = 0;
    for (int32_t x = 0; x < 64; ++x) {
        int32_t sum = 198 + offsets[x];
        EXPECT_EQ(grainy.image.at(x, 0), sum > 255 ? 255 : sum & 0xFF) << x;
        saturated += sum > 255;
    }
    EXPECT_GT(saturated, 0);
    // The store itself.
    EXPECT_EQ(StoreLevel(256), 255);
    EXPECT_EQ(StoreLevel(40000), 255);
    EXPECT_EQ(StoreLevel(255), 255);
    EXPECT_EQ(StoreLevel(-1), 255); // the dark end keeps the low 8 bits
    EXPECT_EQ(StoreLevel(-256), 0);
}
