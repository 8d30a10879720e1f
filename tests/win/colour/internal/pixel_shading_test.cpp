// ShadePixels darkens what is already on the device by the distance from the edges.
#include "colour/colour_math.h"
#include "colour/drawing.h"
#include "colour/drawing_pictures.h"
#include "common/test_support.h"

#include <gtest/gtest.h>

#include <climits>

using namespace testing_support;
using namespace drawing_pictures;
using varnelle::DarkenColour;
using varnelle::ShadePixels;

namespace {

constexpr int kSurface = 16;

// Every pixel different, so that each is seen to be read where it is.
COLORREF Original(int x, int y)
{
    return RGB(0xC0 + 3 * x, 0xB0 + 2 * y, 0x90 + x + y);
}

class PixelShading : public ::testing::Test {
protected:
    DibSurface surface_{kSurface, kSurface};

    PixelShading()
    {
        for (int y = 0; y < kSurface; ++y)
            for (int x = 0; x < kSurface; ++x)
                surface_.set(x, y, Original(x, y));
    }

    // The original picture with the rectangle darkened by the given amounts per column and row.
    Picture darkened(const RECT& rect, const int* columnAmounts, const int* rowAmounts) const
    {
        Picture expected(kSurface, kSurface, 0);
        for (int y = 0; y < kSurface; ++y)
            for (int x = 0; x < kSurface; ++x) {
                COLORREF colour = Original(x, y);
                if (x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom) {
                    colour = DarkenColour(columnAmounts[x - rect.left], colour);
                    colour = DarkenColour(rowAmounts[y - rect.top], colour);
                }
                expected.set(x, y, colour);
            }
        return expected;
    }

    Picture original() const
    {
        const int none[kSurface] = {};
        return darkened({0, 0, 0, 0}, none, none);
    }
};

} // namespace

TEST_F(PixelShading, CornerSquareOfTheMenuBarShadow)
{
    // Modes (1, 2), factors (6, 6): 24, 18, 12, 6 from the left, 0, 6, 12, 18 from the top.
    RECT square = {5, 3, 9, 7};
    ShadePixels(surface_.dc(), &square, 1, 2, 6, 6);
    const int columns[] = {24, 18, 12, 6};
    const int rows[] = {0, 6, 12, 18};
    EXPECT_TRUE(darkened(square, columns, rows).matches(surface_));
}

TEST_F(PixelShading, StripDarkensByColumn)
{
    RECT strip = {2, 1, 6, 12};
    ShadePixels(surface_.dc(), &strip, 1, 0, 16, 0);
    const int fromRight[] = {64, 48, 32, 16};
    const int none[16] = {};
    EXPECT_TRUE(darkened(strip, fromRight, none).matches(surface_));

    surface_.fill(0xC8D0D4);
    ShadePixels(surface_.dc(), &strip, 2, 0, 16, 99);
    EXPECT_EQ(surface_.at(2, 5), 0xC8D0D4u);
    EXPECT_EQ(surface_.at(3, 5), 0xBBC3C7u); // DarkenColor(16, 0xC8D0D4)
    EXPECT_EQ(surface_.at(5, 11), DarkenColour(48, 0xC8D0D4));
    EXPECT_EQ(surface_.at(6, 5), 0xC8D0D4u);
}

TEST_F(PixelShading, VerticalModeOneCountsFromTheBottom)
{
    RECT rect = {0, 10, 3, 13};
    ShadePixels(surface_.dc(), &rect, 0, 1, 0, 10);
    const int none[16] = {};
    const int rows[] = {30, 20, 10};
    EXPECT_TRUE(darkened(rect, none, rows).matches(surface_));
}

TEST_F(PixelShading, NothingToDarken)
{
    // Modes 0 and those other than 1 and 2 leave the pixels as they were; so do empty and
    // inverted rectangles, null pointers and rectangles beyond GDI's coordinates.
    RECT rect = {1, 1, 15, 15};
    ShadePixels(surface_.dc(), &rect, 0, 0, 16, 16);
    ShadePixels(surface_.dc(), &rect, 3, 0x80, 16, 16);
    for (RECT bad : {RECT{4, 4, 4, 10}, RECT{4, 4, 10, 4}, RECT{10, 4, 4, 10}, RECT{4, 10, 10, 4},
                     RECT{INT_MIN, INT_MIN, INT_MAX, INT_MAX}})
        ShadePixels(surface_.dc(), &bad, 1, 1, 16, 16);
    ShadePixels(surface_.dc(), nullptr, 1, 1, 16, 16);
    ShadePixels(nullptr, &rect, 1, 1, 16, 16);
    EXPECT_TRUE(original().matches(surface_));
}

TEST_F(PixelShading, PixelsOffTheSurfaceAreSkipped)
{
    // GetPixel gives CLR_INVALID there and SetPixel does nothing.
    RECT rect = {-3, 12, 3, 20};
    ShadePixels(surface_.dc(), &rect, 1, 0, 10, 0);
    const int fromRight[] = {60, 50, 40, 30, 20, 10};
    Picture expected = original();
    for (int y = 12; y < kSurface; ++y)
        for (int x = 0; x < 3; ++x)
            expected.set(x, y, DarkenColour(fromRight[x + 3], Original(x, y)));
    EXPECT_TRUE(expected.matches(surface_));
}
