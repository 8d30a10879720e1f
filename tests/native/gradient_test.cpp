#include "colour/gradient_math.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <vector>

using namespace varnelle;

namespace {

uint32_t Gray(uint32_t level)
{
    return level * 0x010101u;
}

// The step as written out with the C library's rounding (nearest, halves to even).
uint32_t ReferenceStep(uint32_t start, uint32_t end, int32_t index, int32_t count)
{
    double t = static_cast<double>(index) / count;
    uint32_t word = 0;
    for (int shift : {0, 8, 16}) {
        int32_t s = (start >> shift) & 0xFF;
        int32_t e = (end >> shift) & 0xFF;
        int32_t value = (s - static_cast<int32_t>(std::nearbyint((s - e) * t))) & 0xFF;
        word |= static_cast<uint32_t>(value) << (16 - shift); // red lands in bits 16-23
    }
    return word;
}

} // namespace

TEST(GradientStep, WorkedValues)
{
    // Black to white over four rows: 0x00, 0x40, 0x80, 0xBF; over two columns 0x00, 0x80
    // (-127.5 goes to -128).
    const uint32_t rows[] = {0x00, 0x40, 0x80, 0xBF};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(GradientStepPixel(0x000000, 0xFFFFFF, i, 4), Gray(rows[i])) << i;
    EXPECT_EQ(GradientStepPixel(0x000000, 0xFFFFFF, 0, 2), 0x000000u);
    EXPECT_EQ(GradientStepPixel(0x000000, 0xFFFFFF, 1, 2), 0x808080u);
}

TEST(GradientStep, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(GradientStepPixel(Gray(0xFF), 0, 1, 2), Gray(0x7F)); // 255 - 128 (127.5)
    EXPECT_EQ(GradientStepPixel(Gray(1), 0, 1, 2), Gray(1));       // 1 - 0 (0.5)
    EXPECT_EQ(GradientStepPixel(Gray(3), 0, 1, 2), Gray(1));       // 3 - 2 (1.5)
    EXPECT_EQ(GradientStepPixel(0, Gray(5), 1, 2), Gray(2));       // 0 + 2 (-2.5)
}

TEST(GradientStep, ChannelsLandInTheDibWordAndTopBytesAreIgnored)
{
    // COLORREF 0x00BBGGRR in, pixel word 0x00RRGGBB out.
    EXPECT_EQ(GradientStepPixel(0x123456, 0x000000, 0, 8), 0x563412u);
    EXPECT_EQ(GradientStepPixel(0xFF123456, 0xAB000000, 0, 8), 0x563412u);
    EXPECT_EQ(GradientStepPixel(0x01000000, 0xFEFFFFFF, 1, 2), 0x808080u);
    // Red only changes red: start red 0xFF, end blue 0xFF.
    EXPECT_EQ(GradientStepPixel(0x0000FF, 0xFF0000, 1, 4), (0xBFu << 16) | 0x40u);
}

TEST(GradientStep, StartIsExactAndTheEndIsApproached)
{
    for (uint32_t start : {0x000000u, 0x123456u, 0xFFFFFFu})
        for (uint32_t end : {0x000000u, 0xFEDCBAu, 0xFFFFFFu})
            for (int32_t count : {1, 2, 3, 1080, 1920}) {
                uint32_t word = GradientStepPixel(start, end, 0, count);
                EXPECT_EQ(word, ((start & 0xFF) << 16) | (start & 0xFF00) | ((start >> 16) & 0xFF));
                EXPECT_EQ(GradientStepPixel(start, end, count - 1, count), ReferenceStep(start, end, count - 1, count));
            }
    EXPECT_EQ(GradientStepPixel(0, Gray(0xFF), 1079, 1080), Gray(0xFF)); // 254.76 rounds up to the end
    EXPECT_EQ(GradientStepPixel(0, Gray(0xFF), 2, 3), Gray(0xAA));
}

TEST(GradientStep, AgreesWithTheFormulaOverManyChannelPairs)
{
    ASSERT_EQ(std::fegetround(), FE_TONEAREST);
    for (uint32_t s = 0; s < 256; s += 3)
        for (uint32_t e = 0; e < 256; e += 5)
            for (int32_t count : {2, 3, 4, 7, 10, 255, 256}) {
                uint32_t start = s | ((255 - s) << 8) | (e << 16);
                uint32_t end = e | (s << 8) | ((e ^ 0x55) << 16);
                for (int32_t i = 0; i < count; ++i)
                    ASSERT_EQ(GradientStepPixel(start, end, i, count), ReferenceStep(start, end, i, count))
                        << s << " " << e << " " << i << "/" << count;
            }
}

TEST(FillGradient, VerticalRowsAndHorizontalColumns)
{
    for (int32_t width : {1, 3, 4, 5, 17}) {
        for (int32_t height : {1, 2, 6}) {
            std::vector<uint32_t> pixels(width * height, 0xDEADBEEF);
            FillGradient(pixels.data(), width, height, 0x204060, 0xF0A010, true);
            for (int32_t y = 0; y < height; ++y)
                for (int32_t x = 0; x < width; ++x)
                    ASSERT_EQ(pixels[y * width + x], GradientStepPixel(0x204060, 0xF0A010, y, height)) << x << "," << y;
            FillGradient(pixels.data(), width, height, 0x204060, 0xF0A010, false);
            for (int32_t y = 0; y < height; ++y)
                for (int32_t x = 0; x < width; ++x)
                    ASSERT_EQ(pixels[y * width + x], GradientStepPixel(0x204060, 0xF0A010, x, width)) << x << "," << y;
        }
    }
}

TEST(FillGradient, NothingToFill)
{
    uint32_t pixel = 7;
    FillGradient(&pixel, 0, 1, 0, 0xFFFFFF, true);
    FillGradient(&pixel, 1, 0, 0, 0xFFFFFF, false);
    FillGradient(&pixel, -1, -1, 0, 0xFFFFFF, false);
    FillGradient(nullptr, 4, 4, 0, 0xFFFFFF, false);
    EXPECT_EQ(pixel, 7u);
}
