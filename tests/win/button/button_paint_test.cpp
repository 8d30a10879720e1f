// PaintButton through the DLL: WM_DRAWITEM sent to a hooked parent, painted into a 32-bit
// DIB section and compared pixel by pixel.
#include "button_fixture.h"
#include "common/scheme_testing.h"
#include "varnelle.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <utility>

using namespace testing_support;
using namespace button_testing;

namespace {

const COLORREF kBackground = RGB(0x11, 0x22, 0x33); // what the surface held before
const COLORREF kFace = RGB(0xC0, 0xB0, 0xA0);
const COLORREF kHilight = RGB(0xFE, 0xFD, 0xFC);
const COLORREF kLight = RGB(0xE0, 0xE1, 0xE2);
const COLORREF kShadow = RGB(0x80, 0x81, 0x82);
const COLORREF kDarkShadow = RGB(0x20, 0x21, 0x22);
const COLORREF kButtonText = RGB(0x10, 0x60, 0x10);
const COLORREF kGrayText = RGB(0x70, 0x70, 0x90);
const COLORREF kIconColour = RGB(0xEE, 0x11, 0x22);
const COLORREF kHoverIconColour = RGB(0x22, 0xEE, 0x11);

using Pixels = std::set<std::pair<int, int>>;
const RECT kWhole = {0, 0, kButtonWidth, kButtonHeight};

// Mid-edge pixels of the two-pixel frame: outer and inner row or column of each side.
struct Frame {
    COLORREF outerTopLeft, innerTopLeft, innerBottomRight, outerBottomRight;
};
const Frame kRaised = {kLight, kHilight, kShadow, kDarkShadow};
const Frame kSunken = {kShadow, kDarkShadow, kLight, kHilight};
const Frame kFaceFrame = {kFace, kFace, kFace, kFace};
const Frame kUntouched = {kBackground, kBackground, kBackground, kBackground};

HFONT MakeFont(int height, int weight)
{
    return CreateFontA(-height, 0, 0, 0, weight, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       NONANTIALIASED_QUALITY, DEFAULT_PITCH, "Tahoma");
}

// Pixels of the given colour inside a rectangle.
Pixels PixelsOf(const DibSurface& surface, COLORREF colour, const RECT& area = kWhole)
{
    Pixels pixels;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (surface.at(x, y) == colour)
                pixels.insert({x, y});
    return pixels;
}

// Where DrawTextA puts the text, centred on one line in the rectangle, with that font.
Pixels ExpectedText(const char* text, HFONT font, const RECT& where)
{
    DibSurface reference(kButtonWidth, kButtonHeight, kFace);
    HGDIOBJ previous = SelectObject(reference.dc(), font ? font : GetStockObject(SYSTEM_FONT));
    SetTextColor(reference.dc(), kButtonText);
    SetBkMode(reference.dc(), TRANSPARENT);
    RECT rect = where;
    DrawTextA(reference.dc(), text, -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(reference.dc(), previous);
    return PixelsOf(reference, kButtonText);
}

Pixels Square(int left, int top, int size)
{
    Pixels pixels;
    for (int y = top; y < top + size; ++y)
        for (int x = left; x < left + size; ++x)
            pixels.insert({x, y});
    return pixels;
}

// Without a focus the last stage wipes a ring inset by 3 and 4 in the face colour, over
// whatever the face stages drew there.
Pixels WipedRing()
{
    Pixels ring;
    for (int inset : {3, 4}) {
        for (int x = inset; x < kButtonWidth - inset; ++x) {
            ring.insert({x, inset});
            ring.insert({x, kButtonHeight - inset - 1});
        }
        for (int y = inset; y < kButtonHeight - inset; ++y) {
            ring.insert({inset, y});
            ring.insert({kButtonWidth - inset - 1, y});
        }
    }
    return ring;
}

Pixels WithoutWipedRing(Pixels pixels)
{
    for (const auto& pixel : WipedRing())
        pixels.erase(pixel);
    return pixels;
}

class ButtonPaint : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        colours = new ScopedSysColors({{COLOR_BTNFACE, kFace},
                                       {COLOR_3DHILIGHT, kHilight},
                                       {COLOR_3DLIGHT, kLight},
                                       {COLOR_3DSHADOW, kShadow},
                                       {COLOR_3DDKSHADOW, kDarkShadow},
                                       {COLOR_BTNTEXT, kButtonText},
                                       {COLOR_GRAYTEXT, kGrayText}});
        icon = MakeSolidIcon(16, kIconColour);
        hoverIcon = MakeSolidIcon(16, kHoverIconColour);
        font = MakeFont(13, FW_NORMAL);
        hoverFont = MakeFont(18, FW_BOLD);
    }
    static void TearDownTestSuite()
    {
        delete colours;
        DestroyIcon(icon);
        DestroyIcon(hoverIcon);
        DeleteObject(font);
        DeleteObject(hoverFont);
    }
    void TearDown() override { SendMessageA(window.button(), WM_MOUSELEAVE, 0, 0); }

    void Skin(const CTRL_STRUCT& record) { ASSERT_TRUE(RedrawButton(window.button(), &record)); }
    void SetText(const char* text) { SetWindowTextA(window.button(), text); }
    void Hover() { SendMessageA(window.button(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3)); }

    // Sends WM_DRAWITEM to the hooked parent, as the button does, onto the surface.
    void Paint(UINT action, UINT state)
    {
        DRAWITEMSTRUCT item = DrawItemFor(window.button(), surface.dc(), action, state);
        SendMessageA(window.parent(), WM_DRAWITEM, kButtonId, reinterpret_cast<LPARAM>(&item));
    }

    void ExpectFrame(const Frame& frame, const char* what)
    {
        SCOPED_TRACE(what);
        const int mid = kButtonWidth / 2;
        const int middle = kButtonHeight / 2;
        EXPECT_EQ(surface.at(mid, 0), frame.outerTopLeft);
        EXPECT_EQ(surface.at(0, middle), frame.outerTopLeft);
        EXPECT_EQ(surface.at(mid, 1), frame.innerTopLeft);
        EXPECT_EQ(surface.at(1, middle), frame.innerTopLeft);
        EXPECT_EQ(surface.at(mid, kButtonHeight - 2), frame.innerBottomRight);
        EXPECT_EQ(surface.at(kButtonWidth - 2, middle), frame.innerBottomRight);
        EXPECT_EQ(surface.at(mid, kButtonHeight - 1), frame.outerBottomRight);
        EXPECT_EQ(surface.at(kButtonWidth - 1, middle), frame.outerBottomRight);
    }

    static ScopedSysColors* colours;
    static HICON icon;
    static HICON hoverIcon;
    static HFONT font;
    static HFONT hoverFont;
    ParentWithButton window{""};
    DibSurface surface{kButtonWidth, kButtonHeight, kBackground};
};

ScopedSysColors* ButtonPaint::colours = nullptr;
HICON ButtonPaint::icon = nullptr;
HICON ButtonPaint::hoverIcon = nullptr;
HFONT ButtonPaint::font = nullptr;
HFONT ButtonPaint::hoverFont = nullptr;

} // namespace

TEST_F(ButtonPaint, FramesForEveryActionAndState)
{
    struct Case {
        DWORD edge, flat;
        UINT action, state;
        bool hovered;
        Frame frame;
        const char* what;
    };
    const Case cases[] = {
        {1, 0, ODA_DRAWENTIRE, 0, false, kRaised, "normal, edges"},
        {1, 1, ODA_DRAWENTIRE, 0, false, kFaceFrame, "normal, flat"},
        {1, 2, ODA_DRAWENTIRE, 0, false, kFaceFrame, "normal, flat 2"},
        {0, 0, ODA_DRAWENTIRE, 0, false, kFaceFrame, "normal, no edges: all filled"},
        {1, 0, ODA_DRAWENTIRE, ODS_DISABLED, false, kRaised, "disabled, edges"},
        {1, 1, ODA_DRAWENTIRE, 0, true, kRaised, "hovered, flat 1: raised"},
        {1, 2, ODA_DRAWENTIRE, 0, true, kUntouched, "hovered, flat 2: no edge"},
        {1, 0, ODA_DRAWENTIRE, 0, true, kUntouched, "hovered, not flat: no edge"},
        {0, 0, ODA_DRAWENTIRE, 0, true, kUntouched, "hovered, no edges: nothing filled"},
        {1, 1, ODA_SELECT, ODS_SELECTED, false, kSunken, "pressed, edges"},
        {0, 0, ODA_SELECT, ODS_SELECTED, false, kFaceFrame, "pressed, no edges"},
        {1, 1, ODA_SELECT, 0, false, kRaised, "released, edges"},
        {0, 0, ODA_SELECT, 0, false, kFaceFrame, "released, no edges"},
        {1, 0, ODA_FOCUS, ODS_FOCUS, false, kUntouched, "focus only"},
        {1, 0, ODA_FOCUS, 0, false, kUntouched, "focus lost"},
    };
    for (const Case& c : cases) {
        CTRL_STRUCT record = {};
        record.dwEdge = c.edge;
        record.dwFlat = c.flat;
        Skin(record);
        if (c.hovered)
            Hover();
        surface.fill(kBackground);
        Paint(c.action, c.state);
        ExpectFrame(c.frame, c.what);
        SendMessageA(window.button(), WM_MOUSELEAVE, 0, 0);
    }
}

TEST_F(ButtonPaint, TheFaceIsFilledInsetByFiveAndTheOldRingIsWiped)
{
    CTRL_STRUCT record = {};
    record.dwEdge = 1;
    Skin(record);
    Paint(ODA_DRAWENTIRE, 0);
    // Edge rows 0-1; row 2 keeps its pixels; rows 3-4 are the wiped focus ring;
    // the face from row 5 on.
    RECT inner = {5, 5, kButtonWidth - 5, kButtonHeight - 5};
    EXPECT_EQ(surface.countNot(inner, kFace), 0);
    for (int x = 2; x < kButtonWidth - 2; ++x) {
        EXPECT_EQ(surface.at(x, 2), kBackground) << x;
        EXPECT_EQ(surface.at(x, kButtonHeight - 3), kBackground) << x;
    }
    for (int y = 2; y < kButtonHeight - 2; ++y) {
        EXPECT_EQ(surface.at(2, y), kBackground) << y;
        EXPECT_EQ(surface.at(kButtonWidth - 3, y), kBackground) << y;
    }
    RECT ring = {3, 3, kButtonWidth - 3, kButtonHeight - 3};
    EXPECT_EQ(surface.countNot(ring, kFace), 0);
}

TEST_F(ButtonPaint, TheFocusRingIsDottedAndWipedAgain)
{
    CTRL_STRUCT record = {};
    record.dwEdge = 1;
    Skin(record);
    Paint(ODA_FOCUS, ODS_FOCUS);
    // Only the ring changes: columns 4 and 86, rows 4 and 26, dots and gaps.
    int dots = 0, gaps = 0;
    for (int y = 0; y < kButtonHeight; ++y) {
        for (int x = 0; x < kButtonWidth; ++x) {
            bool onRing = ((x == 4 || x == kButtonWidth - 4) && y >= 4 && y <= kButtonHeight - 4) ||
                          ((y == 4 || y == kButtonHeight - 4) && x >= 4 && x <= kButtonWidth - 4);
            COLORREF pixel = surface.at(x, y);
            if (!onRing) {
                ASSERT_EQ(pixel, kBackground) << x << "," << y;
                continue;
            }
            ASSERT_TRUE(pixel == kGrayText || pixel == kBackground) << x << "," << y;
            (pixel == kGrayText ? dots : gaps)++;
        }
    }
    EXPECT_GT(dots, 60);
    EXPECT_GT(gaps, 60);

    // Losing the focus paints the two face-colour frames over it and nothing else.
    Paint(ODA_FOCUS, 0);
    EXPECT_EQ(PixelsOf(surface, kFace), WipedRing());
    EXPECT_TRUE(PixelsOf(surface, kGrayText).empty());

    // With a face bitmap a lost focus leaves the ring until the next full draw.
    HBITMAP bitmap = CreateBitmap(4, 4, 1, 32, nullptr);
    record.hBmp = bitmap;
    Skin(record);
    Paint(ODA_FOCUS, ODS_FOCUS);
    auto before = surface.snapshot();
    Paint(ODA_FOCUS, 0);
    EXPECT_EQ(surface.snapshot(), before);
    RedrawButton(window.button(), nullptr);
    DeleteObject(bitmap);
}

TEST_F(ButtonPaint, FaceBitmapsGoInsetByTwoPerState)
{
    // Three screen-compatible bitmaps, each a colour with a marker in its top-left pixel.
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    const COLORREF colours[3] = {RGB(10, 20, 30), RGB(40, 50, 60), RGB(70, 80, 90)};
    HBITMAP bitmaps[3];
    for (int i = 0; i < 3; ++i) {
        bitmaps[i] = CreateCompatibleBitmap(screen, 120, 40);
        HGDIOBJ previous = SelectObject(memory, bitmaps[i]);
        HBRUSH brush = CreateSolidBrush(colours[i]);
        RECT all = {0, 0, 120, 40};
        FillRect(memory, &all, brush);
        DeleteObject(brush);
        SetPixel(memory, 0, 0, RGB(255, 255, 0));
        SelectObject(memory, previous);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    CTRL_STRUCT record = {};
    record.dwEdge = 1;
    record.hBmp = bitmaps[0];
    record.hBmpHover = bitmaps[1];
    record.hBmpPressed = bitmaps[2];
    Skin(record);
    struct Case {
        UINT action, state;
        bool hovered;
        int bitmap;
    } cases[] = {{ODA_DRAWENTIRE, 0, false, 0}, {ODA_DRAWENTIRE, 0, true, 1}, {ODA_SELECT, ODS_SELECTED, false, 2},
                 {ODA_SELECT, 0, false, 1}};
    for (const Case& c : cases) {
        if (c.hovered)
            Hover();
        surface.fill(kBackground);
        Paint(c.action, c.state);
        SendMessageA(window.button(), WM_MOUSELEAVE, 0, 0);
        SCOPED_TRACE(c.bitmap);
        EXPECT_EQ(surface.at(2, 2), RGB(255, 255, 0));
        RECT inset = {2, 2, kButtonWidth - 2, kButtonHeight - 2};
        EXPECT_EQ(surface.countNot(inset, colours[c.bitmap]), 1);
        EXPECT_EQ(surface.at(1, 1) == colours[c.bitmap], false);
    }
    RedrawButton(window.button(), nullptr);
    for (HBITMAP bitmap : bitmaps)
        DeleteObject(bitmap);
}

TEST_F(ButtonPaint, IconAndTextPlacementByAlignment)
{
    CTRL_STRUCT record = {};
    record.hIcon = icon;
    record.dwEdge = 1;
    record.hFont = font;
    struct Case {
        const char* text;
        DWORD align;
        int x, y;  // the icon's top left corner
        RECT label; // where the text is centred
    } cases[] = {
        {"", 0x100, 37, 7, kWhole},               // no text: the icon centred on the whole button
        {"", 0x400, 37, 7, kWhole},
        {"Go", 0x100, 7, 7, {22, 0, 90, 30}},     // icon in (0, 0, 30, 30)
        {"Go", 0x300, 7, 7, {22, 0, 90, 30}},     // unknown: left
        {"Go", 0x200, 67, 7, {0, 0, 68, 30}},     // icon in (60, 0, 90, 30)
        {"Go", 0x400, 37, 2, {0, 15, 90, 30}},    // icon in (0, 0, 90, 20)
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.text << " " << c.align);
        SetText(c.text);
        record.dwIconAlign = c.align;
        Skin(record);
        surface.fill(kBackground);
        Paint(ODA_DRAWENTIRE, 0);
        EXPECT_EQ(PixelsOf(surface, kIconColour), WithoutWipedRing(Square(c.x, c.y, 16)));
        EXPECT_EQ(PixelsOf(surface, kButtonText), WithoutWipedRing(ExpectedText(c.text, font, c.label)));
    }
}

TEST_F(ButtonPaint, HoverAndPressChooseTheirIconsAndAPressWithoutEdgesPushesIt)
{
    CTRL_STRUCT record = {};
    record.hIcon = icon;
    record.hIconHover = hoverIcon;
    Skin(record);
    Hover();
    Paint(ODA_DRAWENTIRE, 0);
    EXPECT_EQ(PixelsOf(surface, kHoverIconColour), Square(37, 7, 16));
    EXPECT_TRUE(PixelsOf(surface, kIconColour).empty());
    SendMessageA(window.button(), WM_MOUSELEAVE, 0, 0);

    // Pressed without edges: the whole button is filled and the icon moves 2 left, 1 up.
    surface.fill(kBackground);
    Paint(ODA_SELECT, ODS_SELECTED);
    EXPECT_EQ(PixelsOf(surface, kHoverIconColour), Square(35, 6, 16));
    EXPECT_EQ(PixelsOf(surface, kFace).size(), static_cast<size_t>(kButtonWidth * kButtonHeight - 256));
    // Released: back in the middle.
    Paint(ODA_SELECT, 0);
    EXPECT_EQ(PixelsOf(surface, kHoverIconColour), Square(37, 7, 16));

    // Without a hover icon the normal one serves every state.
    record.hIconHover = nullptr;
    record.dwEdge = 1;
    Skin(record);
    Paint(ODA_SELECT, ODS_SELECTED);
    EXPECT_EQ(PixelsOf(surface, kIconColour), Square(37, 7, 16));
}

TEST_F(ButtonPaint, DisabledLooksGrayWithTheNormalFont)
{
    CTRL_STRUCT record = {};
    record.hIcon = icon;
    record.crText = RGB(0, 0, 200);
    record.hFont = font;
    record.dwEdge = 1;
    Skin(record);
    Paint(ODA_DRAWENTIRE, ODS_DISABLED);
    // The icon is a flat silhouette in COLOR_GRAYTEXT.
    EXPECT_TRUE(PixelsOf(surface, kIconColour).empty());
    Pixels gray = PixelsOf(surface, kGrayText);
    for (const auto& pixel : Square(37, 7, 16))
        EXPECT_TRUE(gray.count(pixel)) << pixel.first << "," << pixel.second;

    // The text: COLOR_GRAYTEXT, crText ignored, hFont selected.
    SetText("Off");
    record.hIcon = nullptr;
    Skin(record);
    surface.fill(kBackground);
    Paint(ODA_DRAWENTIRE, ODS_DISABLED);
    EXPECT_TRUE(PixelsOf(surface, RGB(0, 0, 200)).empty());
    EXPECT_EQ(PixelsOf(surface, kGrayText, {5, 5, 85, 25}), ExpectedText("Off", font, kWhole));

    // Disabled and hovered: no hover font, but crTextHover replaces the gray.
    record.hFontHover = hoverFont;
    record.crTextHover = RGB(200, 0, 0);
    Skin(record);
    Hover();
    surface.fill(kBackground);
    Paint(ODA_DRAWENTIRE, ODS_DISABLED);
    EXPECT_TRUE(PixelsOf(surface, kGrayText, {5, 5, 85, 25}).empty());
    Pixels red = PixelsOf(surface, RGB(200, 0, 0));
    EXPECT_FALSE(red.empty());
    // Not painted with the hover font: the DC's own font is left.
    EXPECT_EQ(red, ExpectedText("Off", nullptr, kWhole));
}

TEST_F(ButtonPaint, TextColourAndFontPerState)
{
    SetText("Press");
    CTRL_STRUCT record = {};
    record.dwEdge = 1;
    record.crText = RGB(0, 0, 200);
    record.crTextHover = RGB(200, 0, 0);
    record.crTextPressed = RGB(0, 150, 0);
    record.hFont = font;
    record.hFontHover = hoverFont;
    Skin(record);
    const RECT face = {5, 5, 85, 25};
    auto textIn = [&](COLORREF colour) {
        Pixels found = PixelsOf(surface, colour);
        Pixels inFace = PixelsOf(surface, colour, face);
        EXPECT_EQ(found, inFace); // nothing outside the face
        return found;
    };
    auto expected = [](HFONT textFont) { return ExpectedText("Press", textFont, kWhole); };

    Paint(ODA_DRAWENTIRE, 0);
    EXPECT_EQ(textIn(RGB(0, 0, 200)), expected(font));
    surface.fill(kBackground);
    Hover();
    Paint(ODA_DRAWENTIRE, 0);
    EXPECT_EQ(textIn(RGB(200, 0, 0)), expected(hoverFont));
    SendMessageA(window.button(), WM_MOUSELEAVE, 0, 0);
    surface.fill(kBackground);
    Paint(ODA_SELECT, ODS_SELECTED);
    EXPECT_EQ(textIn(RGB(0, 150, 0)), expected(hoverFont));
    surface.fill(kBackground);
    Paint(ODA_SELECT, 0);
    EXPECT_EQ(textIn(RGB(200, 0, 0)), expected(hoverFont));

    // crText 0 is "not set": COLOR_BTNTEXT, whatever colour the DC held.
    record.crText = 0;
    record.hFontHover = nullptr;
    Skin(record);
    SetTextColor(surface.dc(), RGB(1, 1, 1));
    surface.fill(kBackground);
    Paint(ODA_DRAWENTIRE, 0);
    EXPECT_EQ(textIn(kButtonText), expected(font));

    // Released without a hover or normal colour: COLOR_BTNTEXT takes back the pressed one;
    // with no text colour at all a release draws no text.
    record.crTextHover = 0;
    Skin(record);
    surface.fill(kBackground);
    Paint(ODA_SELECT, 0);
    EXPECT_EQ(textIn(kButtonText), expected(font));
    record.crTextPressed = 0;
    record.hFont = nullptr;
    Skin(record);
    surface.fill(kBackground);
    Paint(ODA_SELECT, 0);
    EXPECT_EQ(surface.countNot({5, 5, 85, 25}, kBackground), 0);
}

// A button set up with nothing but dwEdge 0: the press and the release fill the whole
// button, and the label is drawn again over the fill, in the state's colour.
TEST_F(ButtonPaint, APlainButtonWithoutEdgesKeepsItsLabelPressedAndReleased)
{
    SetText("Label");
    const Pixels label = ExpectedText("Label", nullptr, kWhole);
    ASSERT_FALSE(label.empty());
    struct Case {
        COLORREF crText, crTextPressed, pressedColour, releasedColour;
    };
    const Case cases[] = {
        {0, 0, kButtonText, kButtonText},
        {RGB(0, 0, 200), 0, RGB(0, 0, 200), RGB(0, 0, 200)},
        {0, RGB(0, 150, 0), RGB(0, 150, 0), kButtonText},
    };
    for (const Case& c : cases) {
        CTRL_STRUCT record = {};
        record.crText = c.crText;
        record.crTextPressed = c.crTextPressed;
        Skin(record);
        SetTextColor(surface.dc(), RGB(1, 1, 1));
        Paint(ODA_DRAWENTIRE, 0);
        surface.fill(kBackground);
        Paint(ODA_SELECT, ODS_SELECTED);
        EXPECT_EQ(PixelsOf(surface, c.pressedColour), label) << "pressed";
        surface.fill(kBackground);
        Paint(ODA_SELECT, 0);
        EXPECT_EQ(PixelsOf(surface, c.releasedColour), label) << "released";
    }
}

TEST_F(ButtonPaint, TheDcComesBackAsItWasAndTheApplicationStillPaints)
{
    SetText("Keep");
    CTRL_STRUCT record = {};
    record.hFont = font;
    record.hFontHover = hoverFont;
    record.crText = RGB(0, 0, 200);
    record.hIcon = icon;
    record.dwEdge = 1;
    Skin(record);
    HDC dc = surface.dc();
    SetTextColor(dc, RGB(1, 2, 3));
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, RGB(4, 5, 6));
    MoveToEx(dc, 7, 8, nullptr);
    HGDIOBJ fontBefore = GetCurrentObject(dc, OBJ_FONT);
    HGDIOBJ penBefore = GetCurrentObject(dc, OBJ_PEN);
    surface.fill(kBackground);
    for (UINT action : {ODA_DRAWENTIRE, ODA_SELECT, ODA_FOCUS}) {
        for (UINT state : {0u, UINT(ODS_SELECTED | ODS_FOCUS), UINT(ODS_DISABLED | ODS_FOCUS)}) {
            parentReceived.clear();
            DRAWITEMSTRUCT item = DrawItemFor(window.button(), dc, action, state);
            SendMessageA(window.parent(), WM_DRAWITEM, kButtonId, reinterpret_cast<LPARAM>(&item));
            EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), fontBefore);
            EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), penBefore);
            EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
            EXPECT_EQ(GetBkMode(dc), OPAQUE);
            EXPECT_EQ(GetBkColor(dc), RGB(4, 5, 6));
            POINT position = {};
            GetCurrentPositionEx(dc, &position);
            EXPECT_EQ(position.x, 7);
            EXPECT_EQ(position.y, 8);
            // The application's procedure got the same WM_DRAWITEM, once, after the paint.
            ASSERT_EQ(CountOf(parentReceived, WM_DRAWITEM), 1);
            EXPECT_EQ(parentReceived.back().lParam, reinterpret_cast<LPARAM>(&item));
            EXPECT_EQ(pixelAtDrawItem, surface.at(0, 0));
            EXPECT_NE(pixelAtDrawItem, kBackground); // the edge was already there
        }
    }
}

TEST_F(ButtonPaint, OtherItemsAndButtonsWithoutARecordAreLeftAlone)
{
    CTRL_STRUCT record = {};
    record.dwEdge = 1;
    Skin(record);
    auto before = surface.snapshot();
    // Not a button.
    DRAWITEMSTRUCT item = DrawItemFor(window.button(), surface.dc(), ODA_DRAWENTIRE, ODS_FOCUS);
    item.CtlType = ODT_MENU;
    EXPECT_EQ(SendMessageA(window.parent(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item)), TRUE);
    EXPECT_EQ(surface.snapshot(), before);
    // An owner-drawn button of the application on the same parent.
    HWND own = MakeButton(window.parent(), kButtonId + 1, "Own", BS_OWNERDRAW, 10, 50);
    item = DrawItemFor(own, surface.dc(), ODA_DRAWENTIRE, ODS_FOCUS);
    SendMessageA(window.parent(), WM_DRAWITEM, kButtonId + 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(surface.snapshot(), before);
    // A skinned button that was closed and lives on.
    keepButtonOnClose = true;
    SendMessageA(window.button(), WM_CLOSE, 0, 0);
    keepButtonOnClose = false;
    Paint(ODA_DRAWENTIRE, ODS_FOCUS);
    EXPECT_EQ(surface.snapshot(), before);
    // A null DRAWITEMSTRUCT pointer reaches the application untouched.
    parentReceived.clear();
    SendMessageA(window.parent(), WM_DRAWITEM, 0, 0);
    EXPECT_EQ(CountOf(parentReceived, WM_DRAWITEM), 1);
}

namespace {

double Luminance(COLORREF colour)
{
    return ContrastOf(colour, 0) * 0.05 - 0.05; // (L + 0.05) / 0.05 against black
}

} // namespace

// SetColorMode(1): the face, the band inside the edge and the edges in the dark palette,
// light edges above and left and dark ones below and right, the label readable on the face.
TEST_F(ButtonPaint, DarkModePaintsFaceEdgesAndLabelDark)
{
    CTRL_STRUCT record = {};
    record.dwEdge = 1;
    record.hFont = font;
    Skin(record);
    SetColorMode(VARNELLE_COLORS_DARK);
    DibSurface blank(kButtonWidth, kButtonHeight, kBackground);
    SetText("");
    Paint(ODA_DRAWENTIRE, 0);
    BitBlt(blank.dc(), 0, 0, kButtonWidth, kButtonHeight, surface.dc(), 0, 0, SRCCOPY);
    SetText("Dark");
    Paint(ODA_DRAWENTIRE, 0);
    SetColorMode(VARNELLE_COLORS_SYSTEM);

    const COLORREF face = blank.at(kButtonWidth / 2, kButtonHeight / 2);
    EXPECT_LT(Luminance(face), 0.2) << std::hex << face;
    EXPECT_EQ(blank.at(kButtonWidth / 2, 2), face) << "the band inside the edge";
    const int mid = kButtonWidth / 2;
    EXPECT_GT(Luminance(blank.at(mid, 1)), Luminance(face)) << "light inner edge above";
    EXPECT_LT(Luminance(blank.at(mid, kButtonHeight - 1)), Luminance(face)) << "dark outer edge below";
    int textPixels = 0;
    for (int y = 0; y < kButtonHeight; ++y)
        for (int x = 0; x < kButtonWidth; ++x)
            if (surface.at(x, y) != blank.at(x, y)) {
                ++textPixels;
                EXPECT_GE(ContrastOf(surface.at(x, y), blank.at(x, y)), 4.5) << x << ", " << y;
            }
    EXPECT_GT(textPixels, 20);

    Paint(ODA_DRAWENTIRE, 0);
    EXPECT_EQ(surface.at(kButtonWidth / 2, kButtonHeight - 4), kFace) << "the system colours again";
}
