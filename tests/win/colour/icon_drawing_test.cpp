// DrawIcn and DrawIcnRect through the DLL: centring, the four looks, the caller's DC state,
// GDI hygiene and bad input. No menu is measured in this process, so DrawIcn's icon cell
// is the initial 0 x 0 (the measured cells are covered by the internal tests).
#include "colour/drawing_pictures.h"
#include "common/test_support.h"
#include "varnelle.h"

#include <gtest/gtest.h>

#include <climits>

using namespace testing_support;
using namespace drawing_pictures;

namespace {

constexpr COLORREF kBackground = RGB(0x11, 0x22, 0x33);
constexpr COLORREF kGrayText = RGB(0x6D, 0x6E, 0x6F);
constexpr COLORREF kHighlight = RGB(0xF1, 0xF2, 0xF3);
constexpr COLORREF kShadow = RGB(0x40, 0x50, 0x60);
constexpr int kSurface = 48;

class IconDrawing : public ::testing::Test {
protected:
    ScopedSysColors colours_{{COLOR_GRAYTEXT, kGrayText}, {COLOR_3DHILIGHT, kHighlight}, {COLOR_3DSHADOW, kShadow}};
    HICON icon_ = MakeTestIcon();
    DibSurface surface_{kSurface, kSurface, kBackground};
    Picture expected_{kSurface, kSurface, kBackground};

    ~IconDrawing() override { DestroyIcon(icon_); }
};

} // namespace

TEST_F(IconDrawing, RectCentresWithHalvesToTheEvenNeighbour)
{
    // Rectangle extents 24, 23, 25, 21 against a 16-pixel icon: offsets 4, 4 (3.5), 4 (4.5), 2 (2.5).
    for (auto [extent, offset] : {std::pair{24, 4}, {23, 4}, {25, 4}, {21, 2}}) {
        surface_.fill(kBackground);
        RECT rect = {10, 12, 10 + extent, 12 + extent};
        EXPECT_NE(DrawIcnRect(surface_.dc(), &rect, icon_, 0, 0), 0);
        Picture expected(kSurface, kSurface, kBackground);
        expected.icon(10 + offset, 12 + offset);
        EXPECT_TRUE(expected.matches(surface_)) << "extent " << extent;
    }
    // Width and height are centred on their own; a rectangle smaller than the icon spills over it.
    surface_.fill(kBackground);
    RECT narrow = {20, 20, 30, 41};
    DrawIcnRect(surface_.dc(), &narrow, icon_, 0, 0);
    expected_.icon(20 + (-6 / 2), 20 + 2); // (10 - 16) / 2 = -3; (21 - 16) / 2 = 2.5 -> 2
    EXPECT_TRUE(expected_.matches(surface_));
}

TEST_F(IconDrawing, IconCellBeforeAnyMenuWasMeasuredIsEmpty)
{
    RECT cell = {30, 28, 1000, 1000}; // only left and top are read
    EXPECT_NE(DrawIcn(surface_.dc(), &cell, icon_, 3, 0), 0);
    expected_.icon(30 - 8, 28 - 8);
    EXPECT_TRUE(expected_.matches(surface_));
}

TEST_F(IconDrawing, NormalModesGiveIdenticalPictures)
{
    RECT cell = {20, 20, 20, 20};
    expected_.icon(12, 12);
    // 0 and 3, their values above 3 (low two bits) and bits beyond the low byte.
    for (int mode : {0, 3, 4, 7, 0x100, 0x203}) {
        surface_.fill(kBackground);
        DrawIcn(surface_.dc(), &cell, icon_, mode, 1);
        EXPECT_TRUE(expected_.matches(surface_)) << "mode " << mode;
    }
    RECT rect = {4, 4, 28, 28};
    for (int mode : {0, 2, 4, 0x100, 0x102}) {
        surface_.fill(kBackground);
        DrawIcnRect(surface_.dc(), &rect, icon_, mode, 1);
        Picture expected(kSurface, kSurface, kBackground);
        expected.icon(8, 8);
        EXPECT_TRUE(expected.matches(surface_)) << "rect mode " << mode;
    }
}

TEST_F(IconDrawing, FlatDisabledLookIsAGrayTextSilhouette)
{
    // The icon itself is not drawn: only its non-white opaque pixels, in COLOR_GRAYTEXT.
    RECT cell = {20, 20, 0, 0};
    expected_.silhouette(12, 12, kGrayText, false);
    for (int mode : {1, 5, 0x101}) {
        for (int embossed : {0, 0x100}) {
            surface_.fill(kBackground);
            DrawIcn(surface_.dc(), &cell, icon_, mode, embossed);
            EXPECT_TRUE(expected_.matches(surface_)) << "mode " << mode << " embossed " << embossed;
        }
    }
    surface_.fill(kBackground);
    RECT rect = {4, 4, 28, 28};
    DrawIcnRect(surface_.dc(), &rect, icon_, 3, 0);
    Picture expected(kSurface, kSurface, kBackground);
    expected.silhouette(8, 8, kGrayText, false);
    EXPECT_TRUE(expected.matches(surface_));
}

TEST_F(IconDrawing, EmbossedDisabledLookPutsTheShadowUpAndLeftOverTheHighlight)
{
    RECT cell = {20, 20, 0, 0};
    expected_.silhouette(12, 12, kHighlight, false);
    expected_.silhouette(11, 11, kShadow, false);
    DrawIcn(surface_.dc(), &cell, icon_, 1, 1);
    EXPECT_TRUE(expected_.matches(surface_));

    surface_.fill(kBackground);
    RECT rect = {4, 4, 28, 28};
    DrawIcnRect(surface_.dc(), &rect, icon_, 1, 7);
    Picture expected(kSurface, kSurface, kBackground);
    expected.silhouette(8, 8, kHighlight, false);
    expected.silhouette(7, 7, kShadow, false);
    EXPECT_TRUE(expected.matches(surface_));
}

TEST_F(IconDrawing, RaisedLookDrawsTheIconTwoPixelsFromItsShadow)
{
    // The shadow comes from the mask, so the white opaque pixel casts one too.
    RECT cell = {20, 20, 0, 0};
    SetTextColor(surface_.dc(), RGB(0, 0, 0));
    SetBkColor(surface_.dc(), RGB(0x12, 0x34, 0x56));
    DrawIcn(surface_.dc(), &cell, icon_, 2, 0);
    expected_.silhouette(13, 13, kGrayText, true);
    expected_.icon(11, 11);
    EXPECT_TRUE(expected_.matches(surface_));
    EXPECT_EQ(GetBkColor(surface_.dc()), RGB(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(GetTextColor(surface_.dc()), RGB(0, 0, 0));
}

TEST_F(IconDrawing, RaisedShadowFollowsTheCallersTextColour)
{
    // With a white text colour the mask converts to all white: the blit keeps the destination.
    RECT cell = {20, 20, 0, 0};
    SetTextColor(surface_.dc(), RGB(0xFF, 0xFF, 0xFF));
    DrawIcn(surface_.dc(), &cell, icon_, 6, 0);
    expected_.icon(11, 11);
    EXPECT_TRUE(expected_.matches(surface_));
    EXPECT_EQ(GetTextColor(surface_.dc()), RGB(0xFF, 0xFF, 0xFF));
}

TEST_F(IconDrawing, CallersDcComesBackAsItWas)
{
    HDC dc = surface_.dc();
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(4, 5, 6));
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    SetTextColor(dc, RGB(7, 8, 9));
    SetBkColor(dc, RGB(10, 11, 12));
    SetBkMode(dc, TRANSPARENT);
    SetROP2(dc, R2_XORPEN);
    DcState before = DcState::Of(dc);
    RECT rect = {4, 4, 28, 28};
    for (int mode : {0, 1, 3}) {
        for (int embossed : {0, 1}) {
            DrawIcn(dc, &rect, icon_, mode, embossed);
            EXPECT_TRUE(DcState::Of(dc) == before) << "DrawIcn mode " << mode << " embossed " << embossed;
            DrawIcnRect(dc, &rect, icon_, mode, embossed);
            EXPECT_TRUE(DcState::Of(dc) == before) << "DrawIcnRect mode " << mode << " embossed " << embossed;
        }
    }
    // Mode 2 leaves a white background colour and nothing else changed.
    DrawIcn(dc, &rect, icon_, 2, 0);
    DcState after = DcState::Of(dc);
    EXPECT_EQ(after.background, RGB(0xFF, 0xFF, 0xFF));
    after.background = before.background;
    EXPECT_TRUE(after == before);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
}

TEST_F(IconDrawing, MonochromeIconIsSizedFromItsMask)
{
    // A 16 x 16 monochrome icon: the mask holds the AND half above the XOR half. A black
    // 8 x 8 square (AND 0, XOR 0) in the middle, transparent (AND 1, XOR 0) around it.
    unsigned char bits[2 * kIconSize * 2] = {};
    for (int y = 0; y < kIconSize; ++y) {
        bool row = y >= 4 && y < 12;
        bits[y * 2] = row ? 0xF0 : 0xFF;
        bits[y * 2 + 1] = row ? 0x0F : 0xFF;
    }
    ICONINFO info = {TRUE, 0, 0, CreateBitmap(kIconSize, 2 * kIconSize, 1, 1, bits), nullptr};
    HICON mono = CreateIconIndirect(&info);
    DeleteObject(info.hbmMask);
    ASSERT_NE(mono, nullptr);
    ICONINFO check = {};
    ASSERT_TRUE(GetIconInfo(mono, &check));
    bool hasColour = check.hbmColor != nullptr;
    DeleteObject(check.hbmMask);
    DeleteObject(check.hbmColor);
    if (hasColour)
        GTEST_SKIP() << "the system gave the monochrome icon a colour bitmap";

    RECT rect = {4, 4, 28, 28}; // icon at (8, 8), square at (12, 12)
    auto square = [&](COLORREF colour) {
        Picture expected(kSurface, kSurface, kBackground);
        for (int y = 12; y < 20; ++y)
            for (int x = 12; x < 20; ++x)
                expected.set(x, y, colour);
        return expected;
    };
    DrawIcnRect(surface_.dc(), &rect, mono, 0, 0);
    EXPECT_TRUE(square(RGB(0, 0, 0)).matches(surface_));
    surface_.fill(kBackground);
    DrawIcnRect(surface_.dc(), &rect, mono, 1, 0);
    EXPECT_TRUE(square(kGrayText).matches(surface_));
    DestroyIcon(mono);
}

TEST_F(IconDrawing, BadInputDrawsNothingAndReturnsNonzero)
{
    HDC dc = surface_.dc();
    RECT rect = {4, 4, 28, 28};
    HBITMAP bitmap = CreateBitmap(16, 16, 1, 32, nullptr);
    HICON destroyed = MakeTestIcon();
    DestroyIcon(destroyed);
    DcState before = DcState::Of(dc);
    for (HICON notAnIcon : {HICON(nullptr), reinterpret_cast<HICON>(bitmap), destroyed, reinterpret_cast<HICON>(0x12345)}) {
        for (int mode : {0, 1, 2}) {
            EXPECT_NE(DrawIcn(dc, &rect, notAnIcon, mode, 1), 0);
            EXPECT_NE(DrawIcnRect(dc, &rect, notAnIcon, mode, 1), 0);
        }
    }
    EXPECT_TRUE(DcState::Of(dc) == before); // not even mode 2's white background
    DeleteObject(bitmap);

    for (int mode : {0, 1, 2}) {
        EXPECT_NE(DrawIcn(nullptr, &rect, icon_, mode, 0), 0);
        EXPECT_NE(DrawIcnRect(nullptr, &rect, icon_, mode, 0), 0);
        EXPECT_NE(DrawIcn(dc, nullptr, icon_, mode, 0), 0);
        EXPECT_NE(DrawIcnRect(dc, nullptr, icon_, mode, 0), 0);
        EXPECT_NE(DrawIcn(reinterpret_cast<HDC>(0x4242), &rect, icon_, mode, 0), 0);
    }
    // Empty and inverted rectangles have no centre; rectangles GDI cannot address are skipped.
    const RECT unusable[] = {{10, 10, 10, 30}, {10, 10, 30, 10}, {30, 10, 10, 30}, {10, 30, 30, 10},
                             {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {0, 0, INT_MAX, 20}};
    for (const RECT& bad : unusable)
        for (int mode : {0, 1})
            EXPECT_NE(DrawIcnRect(dc, &bad, icon_, mode, 1), 0);
    RECT distant = {INT_MAX, INT_MIN, 0, 0};
    EXPECT_NE(DrawIcn(dc, &distant, icon_, 2, 0), 0);
    EXPECT_EQ(surface_.countNot({0, 0, kSurface, kSurface}, kBackground), 0);
    EXPECT_TRUE(DcState::Of(dc) == before);
}

TEST_F(IconDrawing, ThousandsOfCallsLeakNoGdiObject)
{
    RECT rect = {4, 4, 28, 28};
    auto drawAll = [&](int calls) {
        for (int i = 0; i < calls; ++i) {
            DrawIcn(surface_.dc(), &rect, icon_, i % 4, i & 4);
            DrawIcnRect(surface_.dc(), &rect, icon_, i % 2, i & 4);
        }
    };
    drawAll(8); // the system's own first-use caches are not ours
    int before = CountFreeGdiHandles();
    drawAll(1500);
    EXPECT_EQ(CountFreeGdiHandles(), before);
}
