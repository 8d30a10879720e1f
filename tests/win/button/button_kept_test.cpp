// What a skinned button keeps between paints: copies of its face bitmaps and its icons
// ready to blit. Every paint from them shows the pixels DrawDDB and DrawIconEx show, the
// copies follow the application's bitmaps after a change of the look or of the record,
// the application keeps its bitmaps to itself, and whatever was kept goes with the record.
#include "button_fixture.h"
#include "varnelle.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace testing_support;
using namespace button_testing;

namespace {

const COLORREF kBackground = RGB(0x11, 0x22, 0x33);
const RECT kWhole = {0, 0, kButtonWidth, kButtonHeight};

// A bitmap of the given format, painted with stripes and a corner marker so that a copy
// from the wrong place or of the wrong size shows.
HBITMAP MakeFace(int width, int height, int bits, COLORREF base)
{
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[256];
    } info = {};
    const DWORD paletteSize = bits <= 8 ? 256 : 0;
    info.header = {sizeof(BITMAPINFOHEADER), width, -height, 1, static_cast<WORD>(bits), BI_RGB, 0, 0, 0,
                   paletteSize, 0};
    for (int i = 0; i < 256; ++i)
        info.colours[i] = {static_cast<BYTE>(i), static_cast<BYTE>(255 - i), static_cast<BYTE>(i * 7), 0};
    HDC screen = GetDC(nullptr);
    void* pixels = nullptr;
    HBITMAP bitmap = bits == 1 ? CreateBitmap(width, height, 1, 1, nullptr)
                               : CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &pixels,
                                                  nullptr, 0);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    for (int x = 0; x < width; x += 4) {
        const RECT stripe = {x, 0, x + 2, height};
        HBRUSH brush = CreateSolidBrush(RGB(GetRValue(base), GetGValue(base) + x % 64, GetBValue(base)));
        FillRect(memory, &stripe, brush);
        DeleteObject(brush);
    }
    SetPixel(memory, 0, 0, RGB(255, 255, 0));
    SetPixel(memory, width - 1, height - 1, RGB(0, 255, 255));
    SelectObject(memory, previous);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

// The same, as a bitmap compatible with the screen (a device-dependent bitmap).
HBITMAP MakeScreenFace(int width, int height, COLORREF colour)
{
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    HBRUSH brush = CreateSolidBrush(colour);
    const RECT all = {0, 0, width, height};
    FillRect(memory, &all, brush);
    DeleteObject(brush);
    SetPixel(memory, 0, 0, RGB(255, 255, 0));
    SelectObject(memory, previous);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

void FillBitmap(HBITMAP bitmap, COLORREF colour)
{
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BITMAP size = {};
    GetObjectA(bitmap, sizeof size, &size);
    HBRUSH brush = CreateSolidBrush(colour);
    const RECT all = {0, 0, size.bmWidth, size.bmHeight};
    FillRect(memory, &all, brush);
    DeleteObject(brush);
    SelectObject(memory, previous);
    DeleteDC(memory);
}

// A monochrome icon: the mask's upper half ANDs, its lower half XORs (some pixels inverted).
HICON MakeMonochromeIcon(int size)
{
    const int stride = ((size + 15) / 16) * 2;
    std::vector<unsigned char> bits(static_cast<size_t>(stride) * size * 2, 0);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const bool inside = x >= 3 && y >= 2 && x < size - 3 && y < size - 2;
            const bool andBit = !inside;
            const bool xorBit = inside ? (x + y) % 3 == 0 : x % 4 == 0;
            const unsigned char bit = static_cast<unsigned char>(0x80 >> (x % 8));
            if (andBit)
                bits[static_cast<size_t>(y) * stride + x / 8] |= bit;
            if (xorBit)
                bits[static_cast<size_t>(y + size) * stride + x / 8] |= bit;
        }
    }
    HBITMAP mask = CreateBitmap(size, size * 2, 1, 1, bits.data());
    ICONINFO info = {TRUE, 0, 0, mask, nullptr};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    return icon;
}

// A 32-bit icon with an alpha channel, which DrawIconEx blends.
HICON MakeAlphaIcon(int size)
{
    BITMAPINFO info = TopDown32Info(size, size);
    void* bits = nullptr;
    HBITMAP colour = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* pixels = static_cast<uint32_t*>(bits);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const uint32_t alpha = static_cast<uint32_t>((x * 255) / (size - 1));
            const uint32_t blue = (200 * alpha) / 255;
            pixels[y * size + x] = (alpha << 24) | blue | (((y * 8) * alpha / 255) << 8);
        }
    }
    std::vector<unsigned char> maskBits(static_cast<size_t>(((size + 15) / 16) * 2) * size, 0);
    HBITMAP mask = CreateBitmap(size, size, 1, 1, maskBits.data());
    ICONINFO iconInfo = {TRUE, 0, 0, mask, colour};
    HICON icon = CreateIconIndirect(&iconInfo);
    DeleteObject(mask);
    DeleteObject(colour);
    return icon;
}

// What the painter's steps draw on their own, for a button without text.
void DrawReference(const DibSurface& surface, bool edge, HBITMAP face, HICON icon, int iconMode)
{
    RECT whole = kWhole;
    if (edge)
        DrawEdge(surface.dc(), &whole, EDGE_RAISED, BF_RECT);
    SetTextColor(surface.dc(), GetSysColor(COLOR_BTNTEXT));
    if (face)
        DrawDDB(surface.dc(), &kWhole, face);
    if (icon)
        DrawIcnRect(surface.dc(), &kWhole, icon, iconMode, 0);
    SetTextColor(surface.dc(), RGB(0, 0, 0));
}

class ButtonKept : public ::testing::Test {
protected:
    void TearDown() override
    {
        SendMessageA(window.button(), WM_MOUSELEAVE, 0, 0);
        RedrawButton(window.button(), nullptr);
    }
    void Skin(const CTRL_STRUCT& record) { ASSERT_TRUE(RedrawButton(window.button(), &record)); }
    void Paint(UINT action = ODA_DRAWENTIRE, UINT state = 0, HWND button = nullptr)
    {
        surface.fill(kBackground);
        DRAWITEMSTRUCT item = DrawItemFor(button ? button : window.button(), surface.dc(), action, state);
        SendMessageA(window.parent(), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
    }
    std::vector<uint32_t> Reference(bool edge, HBITMAP face, HICON icon, int iconMode = 0)
    {
        DibSurface reference(kButtonWidth, kButtonHeight, kBackground);
        DrawReference(reference, edge, face, icon, iconMode);
        return reference.snapshot();
    }

    ParentWithButton window{""};
    DibSurface surface{kButtonWidth, kButtonHeight, kBackground};
};

} // namespace

// The first paint keeps the icon, the next ones draw from what it kept: both show what
// DrawIconEx shows, for icons with a mask, monochrome icons and blended ones, normal and
// disabled.
TEST_F(ButtonKept, IconsShowWhatDrawIconExShows)
{
    struct Case {
        const char* what;
        std::function<HICON()> make;
        UINT state;
    } cases[] = {
        {"colour icon with a transparent border", [] { return MakeSolidIcon(16, RGB(200, 30, 40), 3); }, 0},
        {"odd-sized colour icon",
         [] {
             return MakeIcon(
                 15, 11, [](int x, int y) { return RGB(x * 16, y * 20, 90); },
                 [](int x, int y) { return (x + y) % 5 != 0; });
         },
         0},
        {"monochrome icon", [] { return MakeMonochromeIcon(16); }, 0},
        {"icon with an alpha channel", [] { return MakeAlphaIcon(16); }, 0},
        {"colour icon, disabled", [] { return MakeSolidIcon(16, RGB(200, 30, 40), 3); }, ODS_DISABLED},
    };
    HBITMAP face = MakeFace(kButtonWidth, kButtonHeight, 32, RGB(90, 100, 110));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HICON icon = c.make();
        CTRL_STRUCT record = {};
        record.hIcon = icon;
        record.hBmp = face;
        record.dwEdge = 1;
        Skin(record);
        const std::vector<uint32_t> expected = Reference(true, face, icon, c.state & ODS_DISABLED ? 1 : 0);
        for (int paint = 0; paint < 3; ++paint) {
            Paint(ODA_DRAWENTIRE, c.state);
            EXPECT_EQ(surface.snapshot(), expected) << "paint " << paint;
        }
        RedrawButton(window.button(), nullptr);
        DestroyIcon(icon);
    }
    DeleteObject(face);
}

// The hover icon and the normal one each keep their own, in turn.
TEST_F(ButtonKept, HoverAndNormalIconsTakeTurns)
{
    HICON icon = MakeSolidIcon(16, RGB(200, 30, 40), 2);
    HICON hoverIcon = MakeMonochromeIcon(16);
    HBITMAP face = MakeFace(kButtonWidth, kButtonHeight, 32, RGB(90, 100, 110));
    HBITMAP hoverFace = MakeFace(kButtonWidth, kButtonHeight, 24, RGB(10, 150, 60));
    CTRL_STRUCT record = {};
    record.hIcon = icon;
    record.hIconHover = hoverIcon;
    record.hBmp = face;
    record.hBmpHover = hoverFace;
    record.dwEdge = 1;
    Skin(record);
    const std::vector<uint32_t> normal = Reference(true, face, icon);
    const std::vector<uint32_t> hovered = Reference(false, hoverFace, hoverIcon);
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        Paint();
        EXPECT_EQ(surface.snapshot(), normal);
        SendMessageA(window.button(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
        Paint();
        EXPECT_EQ(surface.snapshot(), hovered);
        SendMessageA(window.button(), WM_MOUSELEAVE, 0, 0);
    }
    RedrawButton(window.button(), nullptr);
    DestroyIcon(icon);
    DestroyIcon(hoverIcon);
    DeleteObject(face);
    DeleteObject(hoverFace);
}

// Faces of every format and size show what DrawDDB shows, kept or not, paint after paint.
TEST_F(ButtonKept, FacesShowWhatDrawDdbShows)
{
    struct Case {
        const char* what;
        std::function<HBITMAP()> make;
    } cases[] = {
        {"32 bits, larger than the button", [] { return MakeFace(200, 60, 32, RGB(90, 100, 110)); }},
        {"32 bits, smaller than the button", [] { return MakeFace(40, 12, 32, RGB(90, 100, 110)); }},
        {"24 bits", [] { return MakeFace(kButtonWidth, kButtonHeight, 24, RGB(90, 100, 110)); }},
        {"16 bits", [] { return MakeFace(kButtonWidth, kButtonHeight, 16, RGB(90, 100, 110)); }},
        {"8 bits with a palette", [] { return MakeFace(kButtonWidth, kButtonHeight, 8, RGB(90, 100, 110)); }},
        {"monochrome", [] { return MakeFace(kButtonWidth, kButtonHeight, 1, RGB(90, 100, 110)); }},
        {"compatible with the screen", [] { return MakeScreenFace(kButtonWidth, kButtonHeight, RGB(1, 2, 3)); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HBITMAP face = c.make();
        ASSERT_NE(face, nullptr);
        CTRL_STRUCT record = {};
        record.hBmp = face;
        record.dwEdge = 1;
        Skin(record);
        const std::vector<uint32_t> expected = Reference(true, face, nullptr);
        for (int paint = 0; paint < 2; ++paint) {
            Paint();
            EXPECT_EQ(surface.snapshot(), expected) << "paint " << paint;
        }
        RedrawButton(window.button(), nullptr);
        DeleteObject(face);
    }
}

// A face bitmap the application deleted draws nothing, as DrawDDB draws it.
TEST_F(ButtonKept, ADeletedFaceDrawsNothing)
{
    HBITMAP face = MakeFace(kButtonWidth, kButtonHeight, 32, RGB(90, 100, 110));
    CTRL_STRUCT record = {};
    record.hBmp = face;
    record.dwEdge = 1;
    Skin(record);
    Paint();
    EXPECT_EQ(surface.snapshot(), Reference(true, face, nullptr));
    const std::vector<uint32_t> withoutFace = Reference(true, nullptr, nullptr);
    ASSERT_TRUE(DeleteObject(face));
    Paint();
    EXPECT_EQ(surface.snapshot(), withoutFace);
}

// The application draws its face bitmap again in place; whatever tells the library that
// the look changed, or a record set again, brings the new pixels to the next paint.
TEST_F(ButtonKept, FacesDrawnAgainShowAfterALookChangeOrANewRecord)
{
    RECT parentRect = {};
    GetWindowRect(window.parent(), &parentRect);
    struct Case {
        const char* what;
        std::function<void(HWND parent, HWND button, const CTRL_STRUCT& record)> tell;
    } cases[] = {
        {"WM_SYSCOLORCHANGE", [](HWND parent, HWND, const CTRL_STRUCT&) { SendMessageA(parent, WM_SYSCOLORCHANGE, 0, 0); }},
        {"WM_SETTINGCHANGE", [](HWND parent, HWND, const CTRL_STRUCT&) { SendMessageA(parent, WM_SETTINGCHANGE, 0, 0); }},
        {"WM_THEMECHANGED", [](HWND parent, HWND, const CTRL_STRUCT&) { SendMessageA(parent, WM_THEMECHANGED, 0, 0); }},
        {"WM_DPICHANGED",
         [&parentRect](HWND parent, HWND, const CTRL_STRUCT&) {
             SendMessageA(parent, 0x02E0, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&parentRect));
         }},
        {"SetColorMode", [](HWND, HWND, const CTRL_STRUCT&) { SetColorMode(VARNELLE_COLORS_SYSTEM); }},
        {"RedrawButton", [](HWND, HWND button, const CTRL_STRUCT& record) { RedrawButton(button, &record); }},
    };
    HBITMAP face = MakeScreenFace(kButtonWidth, kButtonHeight, RGB(10, 20, 30));
    CTRL_STRUCT record = {};
    record.hBmp = face;
    Skin(record);
    const RECT inset = {2, 2, kButtonWidth - 2, kButtonHeight - 2};
    int round = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const COLORREF colour = RGB(40 + 20 * round++, 90, 140);
        Paint();
        FillBitmap(face, colour);
        c.tell(window.parent(), window.button(), record);
        Paint();
        EXPECT_EQ(surface.countNot(inset, colour), 0);
    }
    RedrawButton(window.button(), nullptr);
    DeleteObject(face);
}

// Two buttons with one face bitmap both show it, and between paints the bitmap is the
// application's alone: it selects it into its own DC and deletes it once the skins are off.
TEST_F(ButtonKept, TheApplicationKeepsItsBitmapToItself)
{
    const COLORREF colour = RGB(70, 80, 90);
    HBITMAP face = MakeScreenFace(kButtonWidth, kButtonHeight, colour);
    HWND second = MakeButton(window.parent(), kButtonId + 1, "");
    CTRL_STRUCT record = {};
    record.hBmp = face;
    record.hBmpHover = face;
    record.hBmpPressed = face;
    Skin(record);
    ASSERT_TRUE(RedrawButton(second, &record));
    const RECT inset = {2, 2, kButtonWidth - 2, kButtonHeight - 2};
    for (HWND button : {window.button(), second, window.button()}) {
        Paint(ODA_DRAWENTIRE, 0, button);
        EXPECT_EQ(surface.countNot(inset, colour), 1) << "all but the marker";
        Paint(ODA_SELECT, ODS_SELECTED, button);
        EXPECT_EQ(surface.countNot(inset, colour), 1);
        HDC memory = CreateCompatibleDC(nullptr);
        HGDIOBJ previous = SelectObject(memory, face);
        EXPECT_NE(previous, nullptr) << "the application could not select its bitmap";
        SelectObject(memory, previous);
        DeleteDC(memory);
    }
    RedrawButton(second, nullptr);
    RedrawButton(window.button(), nullptr);
    EXPECT_TRUE(DeleteObject(face));
    DestroyWindow(second);
}

// What a paint kept is freed with the record: when the skin comes off, a new record comes,
// the button is closed or destroyed.
TEST_F(ButtonKept, WhatWasKeptGoesWithTheRecord)
{
    HICON icon = MakeSolidIcon(16, RGB(200, 30, 40), 2);
    HBITMAP face = MakeFace(kButtonWidth, kButtonHeight, 32, RGB(90, 100, 110));
    CTRL_STRUCT record = {};
    record.hIcon = icon;
    record.hBmp = face;
    record.dwEdge = 1;
    struct Case {
        const char* what;
        std::function<void(HWND button)> end;
    } cases[] = {
        {"unhooked", [](HWND button) { RedrawButton(button, nullptr); }},
        {"a new record", [&record](HWND button) { RedrawButton(button, &record); }},
        {"WM_CLOSE",
         [](HWND button) {
             keepButtonOnClose = true;
             SendMessageA(button, WM_CLOSE, 0, 0);
             keepButtonOnClose = false;
         }},
        {"destroyed", [](HWND button) { DestroyWindow(button); }},
    };
    // The system makes what it keeps for good at the first paint.
    Skin(record);
    Paint();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HWND button = MakeButton(window.parent(), kButtonId + 2, "");
        ASSERT_TRUE(RedrawButton(button, &record));
        const int before = CountFreeGdiHandles();
        Paint(ODA_DRAWENTIRE, 0, button);
        EXPECT_LT(CountFreeGdiHandles(), before) << "the paint kept nothing";
        c.end(button);
        EXPECT_EQ(CountFreeGdiHandles(), before);
        RedrawButton(button, nullptr);
        DestroyWindow(button);
    }
    DestroyIcon(icon);
    DeleteObject(face);
}
