// Gradient_Fill and DrawGradient through the DLL.
#include "colour/drawing_pictures.h"
#include "common/test_support.h"
#include "varnelle.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

using namespace testing_support;
using namespace drawing_pictures;

namespace {

constexpr COLORREF kBackground = RGB(0x11, 0x22, 0x33);
constexpr int kSurface = 64;

// Step i of n from start to end, written out with the C library's rounding (nearest,
// halves to even): s - round((s - e) * i / n) per channel, low 8 bits.
COLORREF Step(COLORREF start, COLORREF end, int i, int n)
{
    double t = static_cast<double>(i) / n;
    auto channel = [t](int s, int e) { return (s - static_cast<int>(std::nearbyint((s - e) * t))) & 0xFF; };
    return RGB(channel(GetRValue(start), GetRValue(end)), channel(GetGValue(start), GetGValue(end)),
               channel(GetBValue(start), GetBValue(end)));
}

// The picture DrawGradient should leave over the background.
Picture Gradient(const RECT& rect, COLORREF start, COLORREF end, bool vertical)
{
    Picture expected(kSurface, kSurface, kBackground);
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            expected.set(rect.left + x, rect.top + y,
                         vertical ? Step(start, end, y, height) : Step(start, end, x, width));
    return expected;
}

} // namespace

TEST(DrawGradient, WorkedValues)
{
    DibSurface surface(kSurface, kSurface, kBackground);
    RECT rows = {3, 5, 9, 9};
    EXPECT_NE(DrawGradient(surface.dc(), &rows, 0x000000, 0xFFFFFF, 1), 0);
    Picture expected(kSurface, kSurface, kBackground);
    const BYTE levels[] = {0x00, 0x40, 0x80, 0xBF};
    for (int y = 0; y < 4; ++y)
        for (int x = 3; x < 9; ++x)
            expected.set(x, 5 + y, RGB(levels[y], levels[y], levels[y]));
    EXPECT_TRUE(expected.matches(surface));

    surface.fill(kBackground);
    RECT columns = {10, 20, 12, 30};
    EXPECT_NE(DrawGradient(surface.dc(), &columns, 0x000000, 0xFFFFFF, 0), 0);
    Picture twoColumns(kSurface, kSurface, kBackground);
    for (int y = 20; y < 30; ++y) {
        twoColumns.set(10, y, 0x000000);
        twoColumns.set(11, y, 0x808080);
    }
    EXPECT_TRUE(twoColumns.matches(surface));
}

TEST(DrawGradient, EveryPixelInBothDirections)
{
    DibSurface surface(kSurface, kSurface, kBackground);
    RECT rect = {4, 6, 4 + 41, 6 + 37};
    for (auto [start, end] : {std::pair<COLORREF, COLORREF>{0x123456, 0xFEDCBA}, {0xFFFFFF, 0x000000}, {0x00FF00, 0xFF0080}}) {
        for (int vertical : {0, 1}) {
            surface.fill(kBackground);
            EXPECT_NE(DrawGradient(surface.dc(), &rect, start, end, vertical), 0);
            EXPECT_TRUE(Gradient(rect, start, end, vertical).matches(surface)) << std::hex << start << " " << end;
        }
    }
}

TEST(DrawGradient, SingleRowOrColumnIsTheStartColour)
{
    DibSurface surface(kSurface, kSurface, kBackground);
    RECT row = {2, 2, 30, 3};
    DrawGradient(surface.dc(), &row, 0x2468AC, 0xFFFFFF, 1);
    RECT column = {40, 2, 41, 30};
    DrawGradient(surface.dc(), &column, 0x2468AC, 0x000000, 0);
    Picture expected(kSurface, kSurface, kBackground);
    for (int x = 2; x < 30; ++x)
        expected.set(x, 2, 0x2468AC);
    for (int y = 2; y < 30; ++y)
        expected.set(40, y, 0x2468AC);
    EXPECT_TRUE(expected.matches(surface));
}

TEST(DrawGradient, TopBytesAndHighFlagBitsAreIgnored)
{
    DibSurface surface(kSurface, kSurface, kBackground);
    RECT rect = {0, 0, 20, 20};
    DrawGradient(surface.dc(), &rect, 0xFF102030, 0x01F0E0D0, 0x100); // low byte 0: horizontal
    EXPECT_TRUE(Gradient(rect, 0x102030, 0xF0E0D0, false).matches(surface));
}

TEST(DrawGradient, NothingToDrawReturnsZero)
{
    DibSurface surface(kSurface, kSurface, kBackground);
    RECT rect = {0, 0, 20, 20};
    EXPECT_EQ(DrawGradient(nullptr, &rect, 0, 0xFFFFFF, 1), 0);
    EXPECT_EQ(DrawGradient(surface.dc(), nullptr, 0, 0xFFFFFF, 1), 0);
    EXPECT_EQ(DrawGradient(reinterpret_cast<HDC>(0x4242), &rect, 0, 0xFFFFFF, 1), 0);
    // Empty, inverted, beyond GDI's coordinates, and too large for an off-screen bitmap.
    const RECT unusable[] = {{5, 5, 5, 20},         {5, 5, 20, 5},          {20, 5, 5, 20},
                             {5, 20, 20, 5},        {INT_MIN, 0, INT_MAX, 10}, {0, 0, 100000, 100000}};
    for (const RECT& bad : unusable)
        for (int vertical : {0, 1})
            EXPECT_EQ(DrawGradient(surface.dc(), &bad, 0, 0xFFFFFF, vertical), 0);
    EXPECT_EQ(surface.countNot({0, 0, kSurface, kSurface}, kBackground), 0);
}

TEST(DrawGradient, CallersDcAndGdiObjectsComeBack)
{
    DibSurface surface(kSurface, kSurface, kBackground);
    SetTextColor(surface.dc(), RGB(7, 8, 9));
    SetBkColor(surface.dc(), RGB(10, 11, 12));
    DcState before = DcState::Of(surface.dc());
    RECT rect = {1, 2, 50, 40};
    DrawGradient(surface.dc(), &rect, 0, 0xFFFFFF, 1);
    int freeHandles = CountFreeGdiHandles();
    for (int i = 0; i < 3000; ++i) {
        DrawGradient(surface.dc(), &rect, 0x123456, 0xABCDEF, i & 1);
        Gradient_Fill(surface.dc(), &rect, 0x123456, 0xABCDEF, i & 1);
    }
    EXPECT_EQ(CountFreeGdiHandles(), freeHandles);
    EXPECT_TRUE(DcState::Of(surface.dc()) == before);
}

// What the system's GradientFill paints for the records Gradient_Fill should hand over.
static void SystemGradient(HDC dc, const RECT& rect, COLORREF start, COLORREF end, ULONG mode)
{
    TRIVERTEX vertices[2] = {
        {rect.left, rect.top, COLOR16(GetRValue(start) << 8), COLOR16(GetGValue(start) << 8), COLOR16(GetBValue(start) << 8), 0},
        {rect.right, rect.bottom, COLOR16(GetRValue(end) << 8), COLOR16(GetGValue(end) << 8), COLOR16(GetBValue(end) << 8), 0}};
    GRADIENT_RECT gradient = {0, 1};
    ASSERT_TRUE(GradientFill(dc, vertices, 2, &gradient, 1, mode));
}

TEST(GradientFill, HandsTheSystemTheColourBytesInTheHighHalves)
{
    DibSurface ours(kSurface, kSurface, kBackground);
    DibSurface system(kSurface, kSurface, kBackground);
    // The last rectangle is inverted: it goes to the system as it is.
    for (RECT rect : {RECT{3, 4, 60, 50}, RECT{0, 0, 2, 64}, RECT{50, 40, 10, 5}}) {
        for (int vertical : {0, 1, 0x100, 0x1FF}) {
            ours.fill(kBackground);
            system.fill(kBackground);
            EXPECT_EQ(Gradient_Fill(ours.dc(), &rect, 0xFF10E020, 0x0180FF00, vertical), 0);
            SystemGradient(system.dc(), rect, 0x10E020, 0x80FF00,
                           (vertical & 0xFF) ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
            EXPECT_TRUE(ours.snapshot() == system.snapshot()) << "vertical " << vertical;
            EXPECT_NE(ours.countNot({0, 0, kSurface, kSurface}, kBackground), 0);
        }
    }
}

TEST(GradientFill, EqualColoursFillAndTheResultIsAlwaysZero)
{
    DibSurface surface(kSurface, kSurface, kBackground);
    RECT rect = {5, 6, 30, 31};
    EXPECT_EQ(Gradient_Fill(surface.dc(), &rect, 0x4080C0, 0x4080C0, 1), 0);
    EXPECT_EQ(surface.countNot(rect, 0x4080C0), 0);
    EXPECT_EQ(surface.countNot({0, 0, kSurface, 6}, kBackground), 0);
    EXPECT_EQ(Gradient_Fill(nullptr, &rect, 0, 0xFFFFFF, 1), 0);
    EXPECT_EQ(Gradient_Fill(surface.dc(), nullptr, 0, 0xFFFFFF, 1), 0);
    EXPECT_EQ(Gradient_Fill(reinterpret_cast<HDC>(0x4242), &rect, 0, 0xFFFFFF, 0), 0);
    RECT huge = {INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    EXPECT_EQ(Gradient_Fill(surface.dc(), &huge, 0, 0xFFFFFF, 0), 0);
}
