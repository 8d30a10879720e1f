#include "colour/colour_math.h"
#include "colour/contrast.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace varnelle;

namespace {

double Reference(int value)
{
    const double c = value / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

} // namespace

TEST(Contrast, LuminanceOfEveryChannelValueIsTheSrgbCurve)
{
    for (int value = 0; value < 256; ++value) {
        // A pure grey: the three weights add up to 1.
        const uint32_t grey = PackColour(value, value, value);
        EXPECT_NEAR(RelativeLuminance(grey), Reference(value), 1e-12) << value;
    }
    EXPECT_NEAR(RelativeLuminance(0x0000FF), 0.2126, 1e-12); // red
    EXPECT_NEAR(RelativeLuminance(0x00FF00), 0.7152, 1e-12);
    EXPECT_NEAR(RelativeLuminance(0xFF0000), 0.0722, 1e-12);
}

TEST(Contrast, RatiosOfKnownPairs)
{
    struct Pair {
        uint32_t a, b;
        double ratio;
    };
    // #767676 is the lightest grey that passes AA on white, #777777 the first that fails.
    for (const Pair& p : {Pair{0x000000, 0xFFFFFF, 21.0}, Pair{0x767676, 0xFFFFFF, 4.54}, Pair{0x777777, 0xFFFFFF, 4.48},
                          Pair{0x808080, 0xC8D0D4, 2.568}, Pair{0x123456, 0x123456, 1.0}}) {
        EXPECT_NEAR(ContrastRatio(p.a, p.b), p.ratio, 0.005) << std::hex << p.a << " on " << p.b;
        EXPECT_DOUBLE_EQ(ContrastRatio(p.a, p.b), ContrastRatio(p.b, p.a));
    }
}

TEST(Contrast, DarkSurfacesAreThoseLightTextReadsBetterOn)
{
    for (uint32_t dark : {0x000000u, 0x202020u, 0x2B2B2Bu, 0x800080u, 0x6A240Au})
        EXPECT_TRUE(IsDarkSurface(dark)) << std::hex << dark;
    for (uint32_t light : {0xFFFFFFu, 0xF0F0F0u, 0xC8D0D4u, 0x808080u, 0x00FFFFu})
        EXPECT_FALSE(IsDarkSurface(light)) << std::hex << light;
}

TEST(Contrast, GrayedMinimumIsTwoOrTheSchemesOwnWhenLower)
{
    EXPECT_DOUBLE_EQ(GrayedTextMinimum(0x808080, 0xC8D0D4), 2.0);
    EXPECT_NEAR(GrayedTextMinimum(0xE0E0E0, 0xFFFFFF), ContrastRatio(0xE0E0E0, 0xFFFFFF), 1e-12);
    EXPECT_DOUBLE_EQ(GrayedTextMinimum(0x123456, 0x123456), 1.0);
}

// A text colour is kept when it reads; otherwise it moves along LightenColour or
// DarkenColour by the least amount that reads, on every background given.
TEST(Contrast, ReadableTextMovesTheLeastThatReads)
{
    struct Case {
        const char* name;
        uint32_t text;
        std::vector<uint32_t> backgrounds;
        double minimum;
    };
    const Case cases[] = {
        {"black on white stays", 0x000000, {0xFFFFFF}, 4.5},
        {"white on a white selection darkens", 0xFFFFFF, {0xF0F0F0}, 4.5},
        {"white on a lightened black menu", 0xFFFFFF, {0xE8E8E8}, 4.5},
        {"grey on its highlight", 0x6D6D6D, {0xD77800}, 2.0},
        {"grey on a dark gradient", 0x404040, {0x1A1A1A, 0x303030}, 2.0},
        {"menu text on a mid grey", 0x7F7F7F, {0x808080}, 4.5},
    };
    for (const Case& c : cases) {
        const uint32_t result = ReadableTextColour(c.text, c.backgrounds.data(), static_cast<int>(c.backgrounds.size()),
                                                   c.minimum);
        double worst = 21.0;
        for (uint32_t background : c.backgrounds)
            worst = std::fmin(worst, ContrastRatio(result, background));
        EXPECT_GE(worst, c.minimum) << c.name;
        // On the line to white or to black, and no nearer point of it reads.
        int lighter = -1, darker = -1;
        for (int amount = 0; amount <= 255; ++amount) {
            if (lighter < 0 && LightenColour(amount, c.text) == result)
                lighter = amount;
            if (darker < 0 && DarkenColour(amount, c.text) == result)
                darker = amount;
        }
        const int amount = lighter >= 0 ? lighter : darker;
        ASSERT_GE(amount, 0) << c.name << ": not a lightened or darkened text colour";
        for (int less = 0; less < amount; ++less) {
            const uint32_t nearer = lighter >= 0 ? LightenColour(less, c.text) : DarkenColour(less, c.text);
            double nearerWorst = 21.0;
            for (uint32_t background : c.backgrounds)
                nearerWorst = std::fmin(nearerWorst, ContrastRatio(nearer, background));
            EXPECT_LT(nearerWorst, c.minimum) << c.name << ": amount " << less << " already reads";
        }
    }
}

TEST(Contrast, UnreachableContrastGivesTheBestEitherWayAndNoBackgroundNothing)
{
    // Black and white behind the same text: no colour reads 4.5:1 on both.
    const uint32_t both[] = {0x000000, 0xFFFFFF};
    const uint32_t best = ReadableTextColour(0x808080, both, 2, 4.5);
    const double achieved = std::fmin(ContrastRatio(best, 0), ContrastRatio(best, 0xFFFFFF));
    EXPECT_GE(achieved, std::fmin(ContrastRatio(0x808080, 0), ContrastRatio(0x808080, 0xFFFFFF)));
    EXPECT_EQ(ReadableTextColour(0x01123456, nullptr, 0, 4.5), 0x123456u);
}

// Text lighter than its background stays lighter: the nearer way to the minimum.
TEST(Contrast, ReadableTextTakesTheNearerWay)
{
    const uint32_t lighter = ReadableTextColour(0xB0B0B0, 0x808080, 2.0);
    EXPECT_GT(GrayLevel(lighter), 0xB0);
    EXPECT_GE(ContrastRatio(lighter, 0x808080), 2.0);
    const uint32_t darker = ReadableTextColour(0x505050, 0x808080, 4.5);
    EXPECT_LT(GrayLevel(darker), 0x50);
}
