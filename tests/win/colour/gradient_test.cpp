// Gradient_Fill and DrawGradient through the DLL.
#include "colour/drawing_pictures.h"
#include "common/test_support.h"
#include "varnelle.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <vector>

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

// The pixel words of every step of a gradient (0x00RRGGBB, as a 32-bit DIB holds them).
std::vector<uint32_t> StepWords(COLORREF start, COLORREF end, int count)
{
    std::vector<uint32_t> words(count);
    for (int i = 0; i < count; ++i) {
        COLORREF colour = Step(start, end, i, count);
        words[i] = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    }
    return words;
}

struct SweepCase {
    int width;
    int height;
    COLORREF start;
    COLORREF end;
};

class DrawGradientSweep : public testing::TestWithParam<SweepCase> {};

// A DIB section of any depth in its own memory DC: 16 bits as 5-5-5 or, with masks,
// 5-6-5; 8 bits with a table of 256 colours; 1 bit black and white.
class DepthSurface {
public:
    DepthSurface(int width, int height, int bits, bool masks565 = false) : width_(width), height_(height)
    {
        struct {
            BITMAPINFOHEADER header;
            DWORD colours[256];
        } info = {};
        info.header = {sizeof(BITMAPINFOHEADER), width, -height, 1, static_cast<WORD>(bits), BI_RGB};
        if (masks565) {
            info.header.biCompression = BI_BITFIELDS;
            info.colours[0] = 0xF800, info.colours[1] = 0x07E0, info.colours[2] = 0x001F;
        }
        for (int i = 0; bits <= 8 && i < (1 << bits); ++i)
            info.colours[i] = bits == 1 ? (i ? 0xFFFFFF : 0) : (i * 0x2F1D3Bu) & 0xFFFFFF;
        void* pixels = nullptr;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &pixels, nullptr, 0);
        bits_ = static_cast<uint8_t*>(pixels);
        bytes_ = static_cast<size_t>((width * bits + 31) / 32 * 4) * height;
        previous_ = SelectObject(dc_, bitmap_);
        HBRUSH fill = CreateSolidBrush(kBackground);
        RECT all = {0, 0, width, height};
        FillRect(dc_, &all, fill);
        DeleteObject(fill);
    }
    ~DepthSurface()
    {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC dc() const { return dc_; }
    std::vector<uint8_t> bytes() const
    {
        GdiFlush();
        return std::vector<uint8_t>(bits_, bits_ + bytes_);
    }

private:
    int width_, height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    uint8_t* bits_ = nullptr;
    size_t bytes_ = 0;
};

// The whole picture of the gradient blitted onto the DC in one piece.
void BlitWholePicture(HDC dc, const RECT& rect, COLORREF start, COLORREF end, bool vertical)
{
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    DibSurface picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.set(x, y, vertical ? Step(start, end, y, height) : Step(start, end, x, width));
    BitBlt(dc, rect.left, rect.top, width, height, picture.dc(), 0, 0, SRCCOPY);
}

struct Target {
    const char* name;
    int bits;
    bool masks565;
    void (*prepare)(HDC dc);
};

void NoChange(HDC) {}
void ClipToEllipse(HDC dc)
{
    HRGN region = CreateEllipticRgn(10, 4, 150, 118);
    SelectClipRgn(dc, region);
    DeleteObject(region);
}
void MoveOrigins(HDC dc)
{
    SetViewportOrgEx(dc, 9, -5, nullptr);
    SetWindowOrgEx(dc, -3, 2, nullptr);
    ClipToEllipse(dc);
}
void ScaleTwice(HDC dc)
{
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, 1, 1, nullptr);
    SetViewportExtEx(dc, 2, 1, nullptr);
}
void TranslateWorld(HDC dc)
{
    SetGraphicsMode(dc, GM_ADVANCED);
    XFORM shift = {1, 0, 0, 1, 6, 4};
    SetWorldTransform(dc, &shift);
}
void StretchWorld(HDC dc)
{
    SetGraphicsMode(dc, GM_ADVANCED);
    XFORM stretch = {1, 0, 0, 1.5f, 0, 0};
    SetWorldTransform(dc, &stretch);
}
void MirrorLayout(HDC dc)
{
    SetLayout(dc, LAYOUT_RTL);
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
    DibSurface scaled(kSurface, kSurface, kBackground); // painted through an off-screen bitmap
    ScaleTwice(scaled.dc());
    DrawGradient(scaled.dc(), &rect, 0, 0xFFFFFF, 1);
    int freeHandles = CountFreeGdiHandles();
    int heapBlocks = CountProcessHeapBlocks();
    for (int i = 0; i < 3000; ++i) {
        DrawGradient(surface.dc(), &rect, 0x123456, 0xABCDEF, i & 1);
        DrawGradient(scaled.dc(), &rect, 0x123456, 0xABCDEF, i & 1);
        Gradient_Fill(surface.dc(), &rect, 0x123456, 0xABCDEF, i & 1);
    }
    EXPECT_EQ(CountFreeGdiHandles(), freeHandles);
    EXPECT_EQ(CountProcessHeapBlocks(), heapBlocks);
    EXPECT_TRUE(DcState::Of(surface.dc()) == before);
}

// Every pixel of the target against the model, around strip and tile boundaries and up to
// the largest sizes, with colours that rise, fall and cross; the pixels around the
// rectangle stay as they were.
TEST_P(DrawGradientSweep, EveryPixelEqualsTheModel)
{
    const SweepCase sweep = GetParam();
    const RECT rect = {3, 2, 3 + sweep.width, 2 + sweep.height};
    DibSurface surface(sweep.width + 5, sweep.height + 3, kBackground);
    const uint32_t background = 0x112233; // kBackground as a DIB word
    for (bool vertical : {true, false}) {
        surface.fill(kBackground);
        ASSERT_NE(DrawGradient(surface.dc(), &rect, sweep.start, sweep.end, vertical), 0);
        const std::vector<uint32_t> steps = StepWords(sweep.start, sweep.end, vertical ? sweep.height : sweep.width);
        const std::vector<uint32_t> pixels = surface.snapshot();
        int differences = 0;
        for (int y = 0; y < surface.height(); ++y)
            for (int x = 0; x < surface.width(); ++x) {
                bool inside = x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
                uint32_t want = !inside ? background : steps[vertical ? y - rect.top : x - rect.left];
                if (pixels[static_cast<size_t>(y) * surface.width() + x] != want && ++differences <= 3)
                    ADD_FAILURE() << (vertical ? "vertical" : "horizontal") << " pixel " << x << "," << y;
            }
        EXPECT_EQ(differences, 0) << (vertical ? "vertical " : "horizontal ") << sweep.width << "x" << sweep.height;
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, DrawGradientSweep,
                         testing::Values(SweepCase{1, 1, 0x2060C0, 0xF0E010}, SweepCase{2, 3, 0x000000, 0xFFFFFF},
                                         SweepCase{63, 65, 0x123456, 0xFEDCBA}, SweepCase{64, 256, 0xFFFFFF, 0x000000},
                                         SweepCase{65, 257, 0x00FF00, 0xFF0080}, SweepCase{300, 17, 0x2060C0, 0xF0E010},
                                         SweepCase{1, 4096, 0x123456, 0xFEDCBA}, SweepCase{4096, 1, 0x00FF00, 0xFF0080},
                                         SweepCase{1920, 1080, 0x2060C0, 0xF0E010},
                                         SweepCase{4096, 4096, 0xFFFFFF, 0x000000},
                                         SweepCase{3, 20000, 0x00FF00, 0xFF0080}, SweepCase{20000, 2, 0x123456, 0xFEDCBA}));

// On targets of every depth and under every mapping, DrawGradient leaves exactly what the
// blit of the whole picture leaves, and the DC as it found it.
TEST(DrawGradient, SamePixelsAsBlittingTheWholePicture)
{
    const Target targets[] = {
        {"32 bits", 32, false, NoChange},           {"32 bits, clipped", 32, false, ClipToEllipse},
        {"moved origins", 32, false, MoveOrigins},  {"24 bits, clipped", 24, false, ClipToEllipse},
        {"16 bits 5-5-5", 16, false, ClipToEllipse}, {"16 bits 5-6-5", 16, true, ClipToEllipse},
        {"8 bits", 8, false, ClipToEllipse},        {"monochrome", 1, false, NoChange},
        {"scaled mapping", 32, false, ScaleTwice},  {"translated world", 32, false, TranslateWorld},
        {"stretched world", 32, false, StretchWorld}, {"mirrored layout", 32, false, MirrorLayout},
    };
    const RECT rect = {5, 3, 5 + 131, 3 + 113};
    for (const Target& target : targets) {
        for (bool vertical : {true, false}) {
            DepthSurface ours(160, 130, target.bits, target.masks565);
            DepthSurface blit(160, 130, target.bits, target.masks565);
            for (HDC dc : {ours.dc(), blit.dc()}) {
                target.prepare(dc);
                SetBrushOrgEx(dc, 3, 1, nullptr);
                SetStretchBltMode(dc, HALFTONE);
            }
            DcState before = DcState::Of(ours.dc());
            EXPECT_NE(DrawGradient(ours.dc(), &rect, 0x2060C0, 0xF0E010, vertical), 0);
            BlitWholePicture(blit.dc(), rect, 0x2060C0, 0xF0E010, vertical);
            EXPECT_TRUE(ours.bytes() == blit.bytes()) << target.name << (vertical ? ", vertical" : ", horizontal");
            EXPECT_TRUE(DcState::Of(ours.dc()) == before) << target.name;
        }
    }
}

// A window's DC starts at the window, not at the screen's corner: the brush's tile must
// still start on the rectangle, and the window (of the screen's depth) must hold what the
// blit of the whole picture leaves there.
TEST(DrawGradient, OnAChildWindowsDc)
{
    TestWindow parent(nullptr, WS_POPUP | WS_VISIBLE);
    TestWindow child(nullptr, WS_CHILD | WS_VISIBLE, parent.hwnd());
    ASSERT_NE(child.hwnd(), nullptr);
    SetWindowPos(child.hwnd(), nullptr, 13, 21, 200, 150, SWP_NOZORDER);
    UpdateWindow(parent.hwnd());
    PumpMessages();
    const RECT rect = {7, 5, 7 + 150, 5 + 120};
    auto paintedBy = [&](auto&& paint) {
        HDC dc = GetDC(child.hwnd());
        paint(dc);
        DibSurface copy(200, 150);
        BitBlt(copy.dc(), 0, 0, 200, 150, dc, 0, 0, SRCCOPY);
        ReleaseDC(child.hwnd(), dc);
        return copy.snapshot();
    };
    const std::vector<uint32_t> unpainted = paintedBy([](HDC) {});
    for (bool vertical : {true, false}) {
        std::vector<uint32_t> ours =
            paintedBy([&](HDC dc) { EXPECT_NE(DrawGradient(dc, &rect, 0x2060C0, 0xF0E010, vertical), 0); });
        std::vector<uint32_t> blit =
            paintedBy([&](HDC dc) { BlitWholePicture(dc, rect, 0x2060C0, 0xF0E010, vertical); });
        EXPECT_TRUE(ours == blit) << (vertical ? "vertical" : "horizontal");
        EXPECT_FALSE(ours == unpainted); // the window was there to paint on
    }
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
