#include "colour/colour_math.h"

#include <gtest/gtest.h>

using namespace varnelle;

TEST(ColourMath, WorkedValues)
{
    EXPECT_EQ(LightenColour(128, 0x000000), 0x808080u);
    EXPECT_EQ(LightenColour(128, 0x808080), 0xC0C0C0u);
    EXPECT_EQ(LightenColour(0, 0x123456), 0x123456u);
    EXPECT_EQ(LightenColour(255, 0x123456), 0xFFFFFFu);
    EXPECT_EQ(DarkenColour(128, 0xFFFFFF), 0x7F7F7Fu);
    EXPECT_EQ(DarkenColour(16, 0xD4D0C8), 0xC7C3BBu);
    EXPECT_EQ(MixColours(0xFFFFFF, 0x000000), 0xDBDBDBu);
    EXPECT_EQ(MixColours(0x000000, 0xFFFFFF), 0x242424u);
    EXPECT_EQ(MidColours(0xFFFFFF, 0x000000), 0xB3B3B3u);
    EXPECT_EQ(MidColours(0xFFFFFF, 0xC56A31), 0xEED3C2u);
    EXPECT_EQ(MidColours(0xFFFFFF, 0xFFFFFF), 0xFFFFFFu);
    EXPECT_EQ(GrayLevel(0xFFFFFF), 255);
    EXPECT_EQ(GrayLevel(0x000000), 0);
    EXPECT_EQ(GrayLevel(0x0000FF), 77);
    EXPECT_EQ(GrayLevel(0x00FF00), 151);
    EXPECT_EQ(GrayLevel(0xFF0000), 28);
    EXPECT_EQ(GrayLevel(0x808080), 128);
    EXPECT_EQ(GrayLevel(0xD4D0C8), 206);
    EXPECT_EQ(GrayLevel(0x000113), 6);  // exactly 6.5
    EXPECT_EQ(GrayLevel(0x010214), 8);  // exactly 7.5
}

TEST(ColourMath, ExtremeAmountsForEveryGreyAndPrimary)
{
    for (uint32_t level = 0; level < 256; ++level) {
        for (uint32_t colour : {level, level << 8, level << 16, level * 0x010101u}) {
            EXPECT_EQ(DarkenColour(255, colour), 0u) << std::hex << colour;
            EXPECT_EQ(LightenColour(255, colour), 0xFFFFFFu) << std::hex << colour;
            EXPECT_EQ(DarkenColour(0, colour), colour);
            EXPECT_EQ(LightenColour(0, colour), colour);
        }
    }
}

TEST(ColourMath, TopByteEntersBlueAndIsClearedInTheResult)
{
    EXPECT_EQ(LightenColour(128, 0x01000000), 0xFF8080u);
    EXPECT_EQ(LightenColour(0, 0xAB123456), 0x123456u);
    EXPECT_EQ(DarkenColour(0, 0xAB123456), 0x123456u);
    // Blue of 0x01FF is weighted whole: (0x01FF * 28 + 50) / 256 = 56.
    EXPECT_EQ(GrayLevel(0x01FF0000), 56);
}

TEST(ColourMath, MixingIsNotSymmetric)
{
    EXPECT_NE(MixColours(0xFFFFFF, 0), MixColours(0, 0xFFFFFF));
    EXPECT_EQ(MidColours(0x0000FF, 0x0000FF) & 0xFF, 0xFFu);
    EXPECT_EQ(MidColours(0x000000, 0xFFFFFF), 0x4D4D4Du);
}

TEST(ColourMath, ChannelsStayBetweenColourAndLimit)
{
    for (int amount = 0; amount <= 255; amount += 5) {
        for (int x = 0; x <= 255; x += 3) {
            uint32_t lighter = LightenColour(amount, static_cast<uint32_t>(x)) & 0xFF;
            uint32_t darker = DarkenColour(amount, static_cast<uint32_t>(x)) & 0xFF;
            EXPECT_GE(lighter, static_cast<uint32_t>(x));
            EXPECT_LE(darker, static_cast<uint32_t>(x));
        }
    }
}

TEST(ColourMath, OutOfRangeAmountsKeepTheLowBitsAndDoNotTrap)
{
    // 255 - INT32_MIN wraps; MulDiv's overflow result -1 leaves 0xFF in each channel.
    EXPECT_EQ(DarkenColour(INT32_MIN, 0xFFFFFF), 0xFFFFFFu);
    EXPECT_EQ(LightenColour(INT32_MAX, 0x000000), 0xFFFFFFu);
    EXPECT_EQ(DarkenColour(-255, 0x010101), 0x020202u);
}

TEST(ColourMath, HighlightDependsOnTheColourDepth)
{
    EXPECT_EQ(XpHighlightColour(8, 0xFFFFFF, 0xC56A31), 0xFFFFFFu);
    EXPECT_EQ(XpHighlightColour(4, 0xABCDEF, 0x000000), 0xABCDEFu);
    EXPECT_EQ(XpHighlightColour(32, 0xFFFFFF, 0xC56A31), 0xEED3C2u);
    EXPECT_EQ(XpHighlightColour(-5, 0xFFFFFF, 0x000000), 0xB3B3B3u);  // unsigned comparison
    EXPECT_EQ(ColourBitsFromDeviceCaps(-1), 8);
    EXPECT_EQ(ColourBitsFromDeviceCaps(24), 24);
}
