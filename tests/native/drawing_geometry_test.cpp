#include "colour/drawing_geometry.h"

#include <gtest/gtest.h>

#include <climits>

using namespace varnelle;

TEST(CentredPosition, HalvesGoToTheEvenNeighbourLikeDivRound)
{
    EXPECT_EQ(CentredPosition(10, 24, 16), 14);
    EXPECT_EQ(CentredPosition(10, 23, 16), 14); // 3.5
    EXPECT_EQ(CentredPosition(10, 25, 16), 14); // 4.5
    EXPECT_EQ(CentredPosition(10, 21, 16), 12); // 2.5
    EXPECT_EQ(CentredPosition(10, 0, 16), 2);   // the cell before any menu was measured
    EXPECT_EQ(CentredPosition(-5, 13, 16), -7); // -1.5
    for (int32_t span = -300; span <= 300; ++span)
        for (int32_t size : {0, 1, 15, 16, 17, 32})
            ASSERT_EQ(CentredPosition(7, span, size), 7 + DivRound(span - size, 2)) << span << " " << size;
}

TEST(CentredPosition, ExtremeOperandsNeitherOverflowNorWrap)
{
    EXPECT_EQ(CentredPosition(0, int64_t{INT32_MAX} - INT32_MIN, 16), DivRound(INT32_MAX, 2));
    EXPECT_EQ(CentredPosition(INT32_MAX, INT32_MAX, 0), INT32_MAX);
    EXPECT_EQ(CentredPosition(INT32_MIN, 0, INT32_MAX), INT32_MIN);
}

TEST(WithinGdiRange, TwentySevenBitCoordinates)
{
    EXPECT_TRUE(WithinGdiRange(0, 0, 1920, 1080));
    EXPECT_TRUE(WithinGdiRange(-kGdiCoordinateLimit, -kGdiCoordinateLimit, kGdiCoordinateLimit, kGdiCoordinateLimit));
    EXPECT_FALSE(WithinGdiRange(0, 0, kGdiCoordinateLimit + 1, 10));
    EXPECT_FALSE(WithinGdiRange(INT32_MIN, 0, 0, 0));
    EXPECT_FALSE(WithinGdiRange(0, 0, 0, INT32_MAX));
}
