// DrawDDB through the DLL: the unscaled copy into the inset rectangle, what stays the
// caller's, GDI hygiene and bad input.
#include "colour/drawing_pictures.h"
#include "common/test_support.h"
#include "varnelle.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

using namespace testing_support;
using namespace drawing_pictures;

namespace {

constexpr COLORREF kBackground = RGB(0x11, 0x22, 0x33);
constexpr int kSurface = 40;

COLORREF SourceColour(int x, int y)
{
    return RGB(7 * x + 1, 5 * y + 2, 0x80 + x + y);
}

// A device-dependent 32-bit bitmap of known pixels.
HBITMAP MakeSourceBitmap(int width, int height)
{
    std::vector<DWORD> bits(width * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            COLORREF c = SourceColour(x, y);
            bits[y * width + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        }
    return CreateBitmap(width, height, 1, 32, bits.data());
}

class BitmapDrawing : public ::testing::Test {
protected:
    HBITMAP bitmap_ = MakeSourceBitmap(30, 30);
    DibSurface surface_{kSurface, kSurface, kBackground};

    ~BitmapDrawing() override { DeleteObject(bitmap_); }

    // The bitmap's top-left width x height pixels at (left, top).
    Picture copied(int left, int top, int width, int height) const
    {
        Picture expected(kSurface, kSurface, kBackground);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                expected.set(left + x, top + y, SourceColour(x, y));
        return expected;
    }
};

} // namespace

TEST_F(BitmapDrawing, CopiesTheTopLeftCornerIntoTheInsetUnscaled)
{
    const RECT rect = {5, 6, 25, 26};
    RECT callers = rect;
    EXPECT_NE(DrawDDB(surface_.dc(), &callers, bitmap_), 0);
    EXPECT_TRUE(copied(7, 8, 16, 16).matches(surface_));
    EXPECT_TRUE(EqualRect(&callers, &rect));

    // The bitmap is still the caller's: intact and free to be selected elsewhere.
    BITMAP info = {};
    ASSERT_NE(GetObjectA(bitmap_, sizeof info, &info), 0);
    EXPECT_EQ(info.bmWidth, 30);
    HDC other = CreateCompatibleDC(surface_.dc());
    HGDIOBJ previous = SelectObject(other, bitmap_);
    EXPECT_NE(previous, nullptr);
    EXPECT_EQ(GetPixel(other, 3, 4), SourceColour(3, 4));
    SelectObject(other, previous);
    DeleteDC(other);
}

TEST_F(BitmapDrawing, RectangleNarrowerOrTallerThanTheBitmap)
{
    // Inset 26 x 6: only the bitmap's top 6 rows of 26 columns appear.
    RECT wide = {0, 10, 30, 20};
    DrawDDB(surface_.dc(), &wide, bitmap_);
    EXPECT_TRUE(copied(2, 12, 26, 6).matches(surface_));
    // A 5 x 5 rectangle leaves a 1 x 1 inset: one pixel.
    surface_.fill(kBackground);
    RECT tiny = {30, 30, 35, 35};
    DrawDDB(surface_.dc(), &tiny, bitmap_);
    EXPECT_TRUE(copied(32, 32, 1, 1).matches(surface_));
}

TEST_F(BitmapDrawing, CallersDcComesBackAsItWas)
{
    HDC dc = surface_.dc();
    SetTextColor(dc, RGB(7, 8, 9));
    SetBkColor(dc, RGB(10, 11, 12));
    DcState before = DcState::Of(dc);
    RECT rect = {5, 6, 25, 26};
    DrawDDB(dc, &rect, bitmap_);
    EXPECT_TRUE(DcState::Of(dc) == before);
}

TEST_F(BitmapDrawing, BadInputDrawsNothingAndReturnsNonzero)
{
    HDC dc = surface_.dc();
    RECT rect = {5, 6, 25, 26};
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    EXPECT_NE(DrawDDB(nullptr, &rect, bitmap_), 0);
    EXPECT_NE(DrawDDB(dc, nullptr, bitmap_), 0);
    EXPECT_NE(DrawDDB(dc, &rect, nullptr), 0);
    EXPECT_NE(DrawDDB(dc, &rect, reinterpret_cast<HBITMAP>(brush)), 0);
    EXPECT_NE(DrawDDB(reinterpret_cast<HDC>(0x4242), &rect, bitmap_), 0);
    // Insets without area (4 x 4 and smaller, inverted) and rectangles GDI cannot address.
    const RECT unusable[] = {{5, 5, 9, 9},   {5, 5, 5, 30},   {5, 5, 30, 9},
                             {30, 5, 5, 30}, {5, 30, 30, 5}, {INT_MIN, INT_MIN, INT_MAX, INT_MAX},
                             {INT_MAX - 1, 0, INT_MAX, 10}};
    for (const RECT& bad : unusable)
        EXPECT_NE(DrawDDB(dc, &bad, bitmap_), 0);
    EXPECT_EQ(surface_.countNot({0, 0, kSurface, kSurface}, kBackground), 0);
    DeleteObject(brush);
}

TEST_F(BitmapDrawing, BitmapSelectedElsewhereIsNotDrawn)
{
    // A bitmap can be selected into one DC only; the copy is skipped rather than taken
    // from the memory DC's stock bitmap.
    HDC holder = CreateCompatibleDC(surface_.dc());
    HGDIOBJ previous = SelectObject(holder, bitmap_);
    RECT rect = {5, 6, 25, 26};
    EXPECT_NE(DrawDDB(surface_.dc(), &rect, bitmap_), 0);
    EXPECT_EQ(surface_.countNot({0, 0, kSurface, kSurface}, kBackground), 0);
    SelectObject(holder, previous);
    DeleteDC(holder);
}

TEST_F(BitmapDrawing, ThousandsOfCallsLeakNoGdiObject)
{
    RECT rect = {5, 6, 25, 26};
    int before = CountFreeGdiHandles();
    for (int i = 0; i < 3000; ++i)
        DrawDDB(surface_.dc(), &rect, bitmap_);
    EXPECT_EQ(CountFreeGdiHandles(), before);
}
