// The painters of menu styles 1, 2 and 3, reached as an application reaches them: a window
// hooked with RedrawMenu receives WM_DRAWITEM inside a menu loop (or, for menu-bar items,
// outside one) and paints into a 32-bit DIB section. Each case names points of the item
// and the colour the look puts there, from the system colours and the colour functions.
#include "common/scheme_testing.h"
#include "common/test_support.h"
#include "menu/menu_font_scope.h"
#include "varnelle.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

using namespace testing_support;
using menu_testing::ScopedMenuFont;

namespace {

constexpr COLORREF kUntouched = RGB(0x12, 0x34, 0x56); // what the DIB holds before a paint
constexpr int kWidth = 160;
constexpr int kSurfaceHeight = 140;

enum ItemId : UINT {
    kText = 100,      // "&Normal item\tCtrl+N"
    kRadio = 101,     // radio check
    kIcon = 102,      // an item with a 16 x 16 icon
    kSeparator = 103, // plain separator
    kCallback = 104,  // separator painted by a callback
    kBitmap = 105,    // bitmap item
    kClose = SC_CLOSE // window-menu picture HBMMENU_POPUP_CLOSE
};

enum class Scheme { Xp, Classic, GrayIsHighlight };

std::vector<std::pair<int, COLORREF>> SchemeColours(Scheme scheme)
{
    switch (scheme) {
    case Scheme::Xp:
        return {{COLOR_WINDOW, 0xFFFFFF}, {COLOR_MENU, 0xFFFFFF}, {COLOR_HIGHLIGHT, 0xC56A31},
                {COLOR_GRAYTEXT, 0x99A8AC}, {COLOR_MENUTEXT, 0x000000}, {COLOR_BTNFACE, 0xD8E9EC},
                {COLOR_BTNSHADOW, 0x99A8AC}, {COLOR_BTNHIGHLIGHT, 0xFFFFFF}, {COLOR_HIGHLIGHTTEXT, 0xFFFFFF}};
    case Scheme::Classic:
        return {{COLOR_WINDOW, 0xFFFFFF}, {COLOR_MENU, 0xC8D0D4}, {COLOR_HIGHLIGHT, 0x6A240A},
                {COLOR_GRAYTEXT, 0x808080}, {COLOR_MENUTEXT, 0x000000}, {COLOR_BTNFACE, 0xC8D0D4},
                {COLOR_BTNSHADOW, 0x808080}, {COLOR_BTNHIGHLIGHT, 0xFFFFFF}, {COLOR_HIGHLIGHTTEXT, 0xFFFFFF},
                {COLOR_3DDKSHADOW, 0x404040}};
    case Scheme::GrayIsHighlight:
        return {{COLOR_MENU, 0xC8D0D4}, {COLOR_HIGHLIGHT, 0x808080}, {COLOR_GRAYTEXT, 0x808080}};
    }
    return {};
}

// The geometry of the painted item and the colours of the moment.
struct Item {
    int left, top, right, bottom;
    int cell; // the icon column, as measurement gives it
    bool lowColour;    // fewer than 8 bits per pixel
    bool gradientLook; // more than 8 bits per pixel
    int midY() const { return (top + bottom) / 2; }
};
COLORREF Sys(int index) { return GetSysColor(index); }
COLORREF Hot() { return MixedColor(GetXpHighlightColor(), Sys(COLOR_HIGHLIGHT)); }

// The system's own GradientFill over the same rectangle: the reference for gradient pixels.
COLORREF GradientAt(const RECT& area, COLORREF start, COLORREF end, bool vertical, int x, int y)
{
    DibSurface reference(kWidth, kSurfaceHeight);
    TRIVERTEX vertices[2] = {
        {area.left, area.top, static_cast<COLOR16>(GetRValue(start) << 8), static_cast<COLOR16>(GetGValue(start) << 8),
         static_cast<COLOR16>(GetBValue(start) << 8), 0},
        {area.right, area.bottom, static_cast<COLOR16>(GetRValue(end) << 8), static_cast<COLOR16>(GetGValue(end) << 8),
         static_cast<COLOR16>(GetBValue(end) << 8), 0}};
    GRADIENT_RECT rect = {0, 1};
    GradientFill(reference.dc(), vertices, 2, &rect, 1, vertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
    return reference.at(x, y);
}

struct Probe {
    int x;
    int y;
    COLORREF colour;
    const char* what;
};

// Ink of one colour inside a rectangle: its leftmost and rightmost columns, -1 without.
struct Ink {
    int count = 0;
    int left = -1;
    int right = -1;
    int top = -1;
    int bottom = -1;
    bool operator==(const Ink&) const = default;
};
Ink InkOf(const DibSurface& surface, const RECT& area, COLORREF colour)
{
    Ink ink;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (surface.at(x, y) != colour)
                continue;
            ++ink.count;
            ink.left = ink.left < 0 || x < ink.left ? x : ink.left;
            ink.right = x > ink.right ? x : ink.right;
            ink.top = ink.top < 0 ? y : ink.top;
            ink.bottom = y;
        }
    }
    return ink;
}

struct PaintCase {
    const char* name;
    int style;
    Scheme scheme;
    UINT id;
    UINT state;
    bool menuBar;
    int top;
    int height; // 0: the measured height of a text item (cell + 2)
    uint8_t disableSelect;
    std::function<std::vector<Probe>(const Item&)> probes;
    std::function<void(const DibSurface&, const Item&)> check; // for what points cannot say
};

void PrintTo(const PaintCase& c, std::ostream* os)
{
    *os << c.name;
}

std::string CaseName(const ::testing::TestParamInfo<PaintCase>& info)
{
    return info.param.name;
}

struct SeparatorCall {
    HMENU menu;
    RECT rect;
};
std::vector<SeparatorCall> separatorCalls;

int WINAPI RecordingSeparator(HMENU menu, HDC dc, RECT* rect)
{
    if (dc && rect)
        separatorCalls.push_back({menu, *rect});
    return 0;
}

class MenuPaintFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        printf("menu looks painted on a screen of %d bits per pixel\n", NumColorBits());
        window_ = new TestWindow(nullptr, WS_OVERLAPPEDWINDOW, nullptr, "VarnelleMenuPaintWindow");
        icon_ = MakeSolidIcon(16, RGB(0, 160, 0));
        bitmap_ = CreateBitmap(8, 8, 1, 32, nullptr);
        popup_ = CreatePopupMenu();
        AppendMenuA(popup_, MF_STRING, kText, "&Normal item\tCtrl+N");
        AppendMenuA(popup_, MF_STRING, kRadio, "&Radio");
        AppendMenuA(popup_, MF_STRING, kIcon, "&Icon");
        AppendMenuA(popup_, MF_SEPARATOR, kSeparator, nullptr);
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_ID;
        info.fType = MFT_SEPARATOR;
        info.wID = kCallback;
        info.dwItemData = reinterpret_cast<ULONG_PTR>(RecordingSeparator);
        InsertMenuItemA(popup_, GetMenuItemCount(popup_), TRUE, &info);
        AppendMenuA(popup_, MF_BITMAP, kBitmap, reinterpret_cast<const char*>(bitmap_));
        AppendMenuA(popup_, MF_STRING, kClose, "&Close\tAlt+F4");
        info.fMask = MIIM_FTYPE;
        GetMenuItemInfoA(popup_, kRadio, FALSE, &info);
        info.fType |= MFT_RADIOCHECK;
        SetMenuItemInfoA(popup_, kRadio, FALSE, &info);
        info.fMask = MIIM_BITMAP;
        info.hbmpItem = HBMMENU_POPUP_CLOSE;
        SetMenuItemInfoA(popup_, kClose, FALSE, &info);
        SetMenuItemIcon(popup_, kIcon, icon_);
        // The same items in a menu bar of the window.
        bar_ = CreateMenu();
        AppendMenuA(bar_, MF_POPUP, reinterpret_cast<UINT_PTR>(popup_), "&File");
        AppendMenuA(bar_, MF_STRING, kText + 50, "&Help\tF1");
        SetMenu(window_->hwnd(), bar_);
    }
    static void TearDownTestSuite()
    {
        SetMenu(window_->hwnd(), nullptr);
        DestroyMenu(bar_);
        DestroyIcon(icon_);
        DeleteObject(bitmap_);
        delete window_;
    }

    void SetUp() override
    {
        ASSERT_TRUE(font_.active());
        separatorCalls.clear();
    }

    // Paints the item through the hooked window and checks what every paint must leave.
    void Paint(const PaintCase& c, DibSurface& surface, Item& item)
    {
        HWND hwnd = window_->hwnd();
        ASSERT_EQ(RedrawMenu(hwnd, bar_, c.style), 1);
        if (!c.menuBar) {
            SendMessageA(hwnd, WM_ENTERMENULOOP, 0, 0);
            SendMessageA(hwnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup_), 0);
        }
        const HDC dc = surface.dc();
        HFONT font = CreateFontIndirectA(&font_.font());
        HGDIOBJ previousFont = SelectObject(dc, font);
        SetTextColor(dc, RGB(1, 2, 3));
        SetBkMode(dc, OPAQUE);
        const HGDIOBJ brush = GetCurrentObject(dc, OBJ_BRUSH);
        const HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN);

        DRAWITEMSTRUCT draw = {};
        draw.CtlType = ODT_MENU;
        draw.itemID = c.id;
        draw.itemAction = ODA_DRAWENTIRE;
        draw.itemState = c.state;
        draw.hwndItem = reinterpret_cast<HWND>(c.menuBar ? bar_ : popup_);
        draw.hDC = dc;
        draw.rcItem = {item.left, item.top, item.right, item.bottom};
        const RECT given = draw.rcItem;
        SendMessageA(hwnd, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));

        EXPECT_TRUE(EqualRect(&draw.rcItem, &given));
        EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
        EXPECT_EQ(GetBkMode(dc), OPAQUE);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
        SelectObject(dc, previousFont);
        DeleteObject(font);
        if (!c.menuBar) {
            SendMessageA(hwnd, WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(popup_), 0);
            SendMessageA(hwnd, WM_EXITMENULOOP, 0, 0);
        }
    }

    Item Geometry(const PaintCase& c) const
    {
        // The cell of a text item: the menu font's line height + 7 (the icon is smaller).
        SIZE line = menu_testing::ExtentIn(font_.font(), "&Normal item\tCtrl+N");
        Item item = {};
        item.cell = line.cy + 7;
        item.left = 0;
        item.top = c.top;
        item.right = kWidth;
        item.bottom = c.top + (c.height ? c.height : c.menuBar ? item.cell : item.cell + 2);
        item.lowColour = NumColorBits() < 8;
        item.gradientLook = NumColorBits() > 8;
        return item;
    }

    ScopedMenuFont font_{"Tahoma", -11};
    static TestWindow* window_;
    static HMENU popup_;
    static HMENU bar_;
    static HICON icon_;
    static HBITMAP bitmap_;
};

TestWindow* MenuPaintFixture::window_ = nullptr;
HMENU MenuPaintFixture::popup_ = nullptr;
HMENU MenuPaintFixture::bar_ = nullptr;
HICON MenuPaintFixture::icon_ = nullptr;
HBITMAP MenuPaintFixture::bitmap_ = nullptr;

class MenuPaint : public MenuPaintFixture, public ::testing::WithParamInterface<PaintCase> {
protected:
    void SetUp() override
    {
        MenuPaintFixture::SetUp();
        previousDisableSelect_ = SetDisableSelect(GetParam().disableSelect);
    }
    void TearDown() override { SetDisableSelect(previousDisableSelect_); }
    int previousDisableSelect_ = 1;
};

TEST_P(MenuPaint, ColoursAtNamedPoints)
{
    const PaintCase& c = GetParam();
    ScopedSysColors scheme(SchemeColours(c.scheme));
    // Measured first, as the system does, so that separators find the icon column.
    DibSurface surface(kWidth, kSurfaceHeight, kUntouched);
    Item item = Geometry(c);
    {
        DibSurface measuring(kWidth, kSurfaceHeight);
        PaintCase text = c;
        text.id = kText;
        Item textItem = item;
        Paint(text, measuring, textItem);
    }
    Paint(c, surface, item);
    if (c.probes) {
        for (const Probe& probe : c.probes(item)) {
            EXPECT_EQ(surface.at(probe.x, probe.y), probe.colour)
                << probe.what << " at (" << probe.x << ", " << probe.y << ")" << std::hex;
        }
    }
    if (c.check)
        c.check(surface, item);
}

// The pushed menu-bar item darkens what is on the screen; a second paint must not darken
// it further.
TEST_P(MenuPaint, RepaintGivesTheSamePixels)
{
    const PaintCase& c = GetParam();
    ScopedSysColors scheme(SchemeColours(c.scheme));
    DibSurface surface(kWidth, kSurfaceHeight, kUntouched);
    Item item = Geometry(c);
    Paint(c, surface, item);
    std::vector<uint32_t> first = surface.snapshot();
    Paint(c, surface, item);
    EXPECT_TRUE(first == surface.snapshot());
}

constexpr UINT kSelected = ODS_SELECTED;
constexpr UINT kGrayed = ODS_GRAYED;
constexpr UINT kChecked = ODS_CHECKED;
constexpr int T = 20; // top of the item in most cases

// Style 2: column, text area, selection box, check box.
std::vector<Probe> Style2Surfaces(const Item& i)
{
    COLORREF column = i.lowColour ? Sys(COLOR_MENU) : MixedColor(Sys(COLOR_MENU), Sys(COLOR_HIGHLIGHT));
    COLORREF textArea = i.lowColour ? Sys(COLOR_WINDOW) : MixedColor(Sys(COLOR_WINDOW), Sys(COLOR_MENU));
    return {{i.cell - 1, i.top, column, "icon column"},
            {i.cell, i.top, textArea, "text area"},
            {i.right - 1, i.bottom - 1, textArea, "text area, last pixel"}};
}
std::vector<Probe> Style2Selection(const Item& i)
{
    COLORREF fill = i.lowColour ? GetXpHighlightColor() : LightenColor(64, Hot());
    COLORREF frame = i.lowColour ? Sys(COLOR_HIGHLIGHT) : DarkenColor(128, Hot());
    return {{0, i.top, kUntouched, "row above the box"},
            {0, i.top + 1, frame, "frame"},
            {i.right - 1, i.bottom - 2, frame, "frame"},
            {1, i.top + 2, fill, "fill"},
            {0, i.bottom - 1, kUntouched, "row below the box"}};
}
// The box 2 pixels inside the icon column, 3 inside the popup item's top and bottom.
std::vector<Probe> Style2CheckBox(const Item& i, int mode)
{
    COLORREF xp = GetXpHighlightColor();
    COLORREF fill, outline;
    if (i.lowColour) {
        fill = mode == 2 ? xp : Sys(COLOR_MENU);
        outline = mode == 1 ? Sys(COLOR_GRAYTEXT) : mode == 2 ? Sys(COLOR_HIGHLIGHT) : xp;
    } else if (mode == 1) {
        fill = LightenColor(128, Sys(COLOR_GRAYTEXT));
        outline = DarkenColor(8, Sys(COLOR_GRAYTEXT));
    } else {
        fill = mode == 2 ? Hot() : LightenColor(128, Hot());
        outline = DarkenColor(128, Hot());
    }
    return {{2, i.top + 3, outline, "box corner"},
            {i.cell - 3, i.bottom - 4, outline, "box corner"},
            {3, i.top + 4, fill, "box fill"},
            {1, i.midY(), mode == 2 ? (i.lowColour ? xp : LightenColor(64, Hot())) : (i.lowColour ? Sys(COLOR_MENU) : MixedColor(Sys(COLOR_MENU), Sys(COLOR_HIGHLIGHT))), "outside the box"}};
}

// Style 3: gradient or solid background, framed selection bar, check boxes.
std::vector<Probe> Style3Background(const Item& i)
{
    const RECT full = {i.left, i.top, i.right, i.bottom};
    if (!i.gradientLook)
        return {{0, i.top, Sys(COLOR_MENU), "background"}, {i.right - 1, i.bottom - 1, Sys(COLOR_MENU), "background"}};
    COLORREF left = DarkenColor(16, Sys(COLOR_MENU));
    COLORREF right = LightenColor(128, Sys(COLOR_MENU));
    return {{0, i.top, left, "background, first column"},
            {i.right - 1, i.bottom - 1, GradientAt(full, left, right, false, i.right - 1, i.bottom - 1), "background"},
            {i.cell + 2, i.top, GradientAt(full, left, right, false, i.cell + 2, i.top), "background"}};
}
std::vector<Probe> Style3Selection(const Item& i)
{
    const RECT bar = {i.left, i.top + 1, i.right, i.bottom - 1};
    COLORREF frame = i.gradientLook ? DarkenColor(128, Hot()) : Sys(COLOR_HIGHLIGHT);
    COLORREF top = DarkenColor(16, MidColor(GetXpHighlightColor(), Sys(COLOR_MENU)));
    COLORREF bottom = LightenColor(128, MidColor(GetXpHighlightColor(), Sys(COLOR_MENU)));
    COLORREF inside = i.gradientLook ? GradientAt(bar, top, bottom, true, 1, i.top + 2) : GetXpHighlightColor();
    return {{0, i.top, kUntouched, "row above the bar"},
            {0, i.top + 1, frame, "frame"},
            {i.right - 1, i.bottom - 2, frame, "frame"},
            {1, i.top + 2, inside, "bar"},
            {i.right / 2, i.bottom - 1, kUntouched, "row below the bar"}};
}
std::vector<Probe> Style3CheckBox(const Item& i, int mode)
{
    const RECT box = {i.left, i.top + 1, i.left + i.cell, i.bottom - 1};
    COLORREF xp = GetXpHighlightColor();
    if (!i.gradientLook) {
        COLORREF fill = mode == 2 ? xp : Sys(COLOR_MENU);
        COLORREF outline = mode == 1 ? Sys(COLOR_GRAYTEXT) : mode == 2 ? Sys(COLOR_HIGHLIGHT) : xp;
        return {{0, i.midY(), outline, "box outline"}, {1, i.top + 2, fill, "box fill"}};
    }
    COLORREF top = DarkenColor(mode == 2 ? 48 : 24, xp);
    COLORREF bottom = mode == 1 ? LightenColor(128, Hot()) : LightenColor(mode == 2 ? 128 : 200, xp);
    COLORREF frame = DarkenColor(mode == 2 ? 160 : 128, Hot());
    return {{0, i.midY(), frame, "box frame"},
            {i.cell - 1, i.top + 1, frame, "box frame"},
            {1, i.top + 2, GradientAt(box, top, bottom, true, 1, i.top + 2), "box gradient"},
            {i.cell - 2, i.bottom - 3, GradientAt(box, top, bottom, true, i.cell - 2, i.bottom - 3), "box gradient"}};
}

// Style 1: the system's button colours.
std::vector<Probe> Style1Normal(const Item& i)
{
    return {{0, i.top, Sys(COLOR_MENU), "menu colour"}, {i.right - 1, i.bottom - 1, Sys(COLOR_MENU), "menu colour"}};
}
std::vector<Probe> Style1SunkenCell(const Item& i, int mode)
{
    const int l = i.left, t = i.top + 1, r = i.left + i.cell, b = i.bottom - 1;
    if (mode == 2)
        return {{l, t, Sys(COLOR_3DDKSHADOW), "dark edge, left and top"},
                {l + 1, t + 1, Sys(COLOR_MENU), "inner cell"},
                {r - 1, b - 1, kUntouched, "no edge right and bottom"}};
    std::vector<Probe> probes = {{l, t, Sys(COLOR_BTNSHADOW), "sunken edge"},
                                 {r - 1, b - 1, Sys(COLOR_BTNHIGHLIGHT), "sunken edge"}};
    // A grayed cell is only framed; the others are filled inside the frame.
    if (mode == 3)
        probes.push_back({l + 1, t + 1, i.lowColour ? Sys(COLOR_MENU) : LightenColor(96, Sys(COLOR_MENU)), "inner cell"});
    return probes;
}

// Where the text sits: the label from `labelGap` right of the icon column, the accelerator
// right-aligned `rightGap` inside the item's right edge. Expected: the ink of the system
// drawing the two parts in those places, in the same font and colour.
std::function<void(const DibSurface&, const Item&)> TextPlacement(COLORREF (*colour)(), int labelGap,
                                                                 std::function<int(const Item&)> rightGap)
{
    return [=](const DibSurface& surface, const Item& i) {
        DibSurface reference(kWidth, kSurfaceHeight, kUntouched);
        LOGFONTA tahoma = {};
        tahoma.lfHeight = -11;
        lstrcpyA(tahoma.lfFaceName, "Tahoma");
        HFONT font = CreateFontIndirectA(&tahoma);
        HGDIOBJ previous = SelectObject(reference.dc(), font);
        SetBkMode(reference.dc(), TRANSPARENT);
        SetTextColor(reference.dc(), colour());
        RECT text = {i.left + i.cell + labelGap, i.top + 1, i.right - rightGap(i), i.bottom - 1};
        DrawTextA(reference.dc(), "Ctrl+N", -1, &text, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
        DrawTextA(reference.dc(), "&Normal item", -1, &text, DT_VCENTER | DT_SINGLELINE);
        SelectObject(reference.dc(), previous);
        DeleteObject(font);
        const RECT area = {i.left, i.top, i.right, i.bottom};
        Ink expected = InkOf(reference, area, colour());
        ASSERT_GT(expected.count, 0);
        Ink painted = InkOf(surface, area, colour());
        EXPECT_EQ(painted.left, expected.left);
        EXPECT_EQ(painted.right, expected.right);
        EXPECT_EQ(painted.top, expected.top);
        EXPECT_EQ(painted.count, expected.count);
    };
}
// The same where the text colour is the grey text made readable on what is behind it: the
// text is in one colour, in the place of the grey text, and reads 2:1 on `behind`.
std::function<void(const DibSurface&, const Item&)> ReadableGreyPlacement(int labelGap, int rightGap,
                                                                         COLORREF (*behind)(const Item&))
{
    return [=](const DibSurface& surface, const Item& i) {
        DibSurface reference(kWidth, kSurfaceHeight, kUntouched);
        LOGFONTA tahoma = {};
        tahoma.lfHeight = -11;
        lstrcpyA(tahoma.lfFaceName, "Tahoma");
        HFONT font = CreateFontIndirectA(&tahoma);
        HGDIOBJ previous = SelectObject(reference.dc(), font);
        SetBkMode(reference.dc(), TRANSPARENT);
        SetTextColor(reference.dc(), 0);
        RECT text = {i.left + i.cell + labelGap, i.top + 1, i.right - rightGap, i.bottom - 1};
        DrawTextA(reference.dc(), "Ctrl+N", -1, &text, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
        DrawTextA(reference.dc(), "&Normal item", -1, &text, DT_VCENTER | DT_SINGLELINE);
        SelectObject(reference.dc(), previous);
        DeleteObject(font);
        const RECT area = {i.left, i.top, i.right, i.bottom};
        Ink expected = InkOf(reference, area, 0);
        ASSERT_GT(expected.count, 0);
        const COLORREF ink = surface.at(expected.left, [&] {
            for (int y = expected.top; y <= expected.bottom; ++y)
                if (reference.at(expected.left, y) == 0)
                    return y;
            return expected.top;
        }());
        Ink painted = InkOf(surface, area, ink);
        EXPECT_EQ(painted.left, expected.left);
        EXPECT_EQ(painted.right, expected.right);
        EXPECT_EQ(painted.top, expected.top);
        EXPECT_EQ(painted.count, expected.count);
        EXPECT_GE(ContrastOf(ink, behind(i)), 2.0) << std::hex << ink << " on " << behind(i);
    };
}
COLORREF MenuText() { return Sys(COLOR_MENUTEXT); }
COLORREF HighlightText() { return Sys(COLOR_HIGHLIGHTTEXT); }

// Probes of a glyph: "b" (check) stands one pixel lower in its box than "i" (radio); both
// are centred in the same box, so their ink tops differ by the nudge plus their shapes.
void CheckInkWithin(const DibSurface& surface, const Item& i, COLORREF colour)
{
    const RECT cell = {i.left, i.top, i.left + i.cell, i.bottom};
    Ink ink = InkOf(surface, cell, colour);
    EXPECT_GT(ink.count, 3) << "no glyph in the icon column";
}

std::vector<PaintCase> Cases()
{
    auto nothing = [](const Item& i) {
        return std::vector<Probe>{{0, i.top, kUntouched, "untouched"}, {i.right / 2, i.midY(), kUntouched, "untouched"},
                                  {i.right - 1, i.bottom - 1, kUntouched, "untouched"}};
    };
    auto separatorCall = [](const DibSurface& surface, const Item& i) {
        // As wide as the item and as tall as the DC's clip box (the whole surface here).
        ASSERT_EQ(separatorCalls.size(), 1u);
        EXPECT_EQ(separatorCalls[0].rect.left, i.left);
        EXPECT_EQ(separatorCalls[0].rect.right, i.right);
        EXPECT_EQ(separatorCalls[0].rect.top, 0);
        EXPECT_EQ(separatorCalls[0].rect.bottom, kSurfaceHeight);
        EXPECT_EQ(surface.countNot({0, 0, kWidth, kSurfaceHeight}, kUntouched), 0);
    };
    return {
        // Style 2, popup items.
        {"Style2Normal", 2, Scheme::Xp, kText, 0, false, T, 0, 1, Style2Surfaces,
         TextPlacement(MenuText, 4, [](const Item&) { return 10; })},
        {"Style2Selected", 2, Scheme::Xp, kText, kSelected, false, T, 0, 1, Style2Selection, nullptr},
        {"Style2GrayedSelectedShowsSelection", 2, Scheme::Xp, kText, kSelected | kGrayed, false, T, 0, 1,
         Style2Selection,
         ReadableGreyPlacement(4, 10, [](const Item&) { return LightenColor(64, Hot()); })},
        {"Style2GrayedSelectedKeepsWhatWasThere", 2, Scheme::Xp, kText, kSelected | kGrayed, false, T, 0, 0, nothing,
         nullptr},
        {"Style2Checked", 2, Scheme::Xp, kText, kChecked, false, T, 0, 1,
         [](const Item& i) { return Style2CheckBox(i, 3); }, nullptr},
        {"Style2CheckedSelected", 2, Scheme::Xp, kText, kChecked | kSelected, false, T, 0, 1,
         [](const Item& i) { return Style2CheckBox(i, 2); }, nullptr},
        {"Style2CheckedGrayed", 2, Scheme::Xp, kRadio, kChecked | kGrayed, false, T, 0, 1,
         [](const Item& i) { return Style2CheckBox(i, 1); }, nullptr},
        {"Style2CheckedIconIsSunken", 2, Scheme::Xp, kIcon, kChecked, false, T, 0, 1,
         [](const Item& i) {
             return std::vector<Probe>{{1, i.top + 2, Sys(COLOR_BTNSHADOW), "sunken frame"},
                                       {i.cell - 2, i.bottom - 3, Sys(COLOR_BTNHIGHLIGHT), "sunken frame"},
                                       {i.cell / 2, i.midY(), RGB(0, 160, 0), "icon"}};
         },
         nullptr},
        {"Style2SelectedCheckedIconIsFlat", 2, Scheme::Xp, kIcon, kChecked | kSelected, false, T, 0, 1,
         [](const Item& i) {
             COLORREF fill = i.lowColour ? GetXpHighlightColor() : LightenColor(64, Hot());
             return std::vector<Probe>{{1, i.top + 2, fill, "no frame"}, {i.cell / 2, i.midY(), RGB(0, 160, 0), "icon"}};
         },
         nullptr},
        {"Style2SeparatorRow104", 2, Scheme::Xp, kSeparator, 0, false, 100, 10, 1,
         [](const Item& i) {
             COLORREF textArea = i.lowColour ? Sys(COLOR_WINDOW) : MixedColor(Sys(COLOR_WINDOW), Sys(COLOR_MENU));
             return std::vector<Probe>{{i.cell + 5, 104, Sys(COLOR_GRAYTEXT), "line start"},
                                       {i.right - 1, 104, Sys(COLOR_GRAYTEXT), "line end"},
                                       {i.cell + 4, 104, textArea, "before the line"},
                                       {i.cell + 5, 103, textArea, "above the line"},
                                       {i.cell + 5, 105, textArea, "below the line"}};
         },
         nullptr},
        {"Style2CallbackSeparator", 2, Scheme::Xp, kCallback, 0, false, T, 5, 1, nullptr, separatorCall},
        {"Style2BitmapItem", 2, Scheme::Xp, kBitmap, kSelected, false, T, 0, 1, nothing, nullptr},
        {"Style2WindowMenuGlyph", 2, Scheme::Xp, kClose, 0, false, T, 0, 1, nullptr,
         [](const DibSurface& s, const Item& i) { CheckInkWithin(s, i, Sys(COLOR_MENUTEXT)); }},
        // Style 2, menu-bar items (outside a menu loop the bar is painted).
        {"Style2BarNormal", 2, Scheme::Xp, kText, 0, true, T, 0, 1,
         [](const Item& i) {
             return std::vector<Probe>{{0, i.top, Sys(COLOR_BTNFACE), "face"},
                                       {i.right - 1, i.bottom, Sys(COLOR_BTNFACE), "face, one row below"}};
         },
         nullptr},
        {"Style2BarHotLit", 2, Scheme::Xp, kText, ODS_HOTLIGHT, true, T, 0, 1,
         [](const Item& i) {
             COLORREF fill = i.lowColour ? GetXpHighlightColor() : Hot();
             COLORREF frame = i.lowColour ? Sys(COLOR_HIGHLIGHT) : DarkenColor(128, Hot());
             return std::vector<Probe>{{0, i.top, frame, "frame"},
                                       {i.right - 5, i.bottom - 1, frame, "frame"},
                                       {1, i.top + 1, fill, "hot fill"},
                                       {i.right - 4, i.top + 1, kUntouched, "right 4 columns"}};
         },
         nullptr},
        {"Style2BarPushedWithShadow", 2, Scheme::Xp, kText, kSelected, true, T, 0, 1,
         [](const Item& i) {
             COLORREF face = Sys(COLOR_BTNFACE);
             const int r = i.right, t = i.top;
             return std::vector<Probe>{{0, t, Sys(COLOR_BTNSHADOW), "frame"},
                                       {r - 5, i.bottom, Sys(COLOR_BTNSHADOW), "frame, one row below"},
                                       {1, t + 1, Sys(COLOR_MENU), "menu colour"},
                                       {r - 4, t + 3, face, "strip above the shadow"},
                                       {r - 4, t + 4, DarkenColor(24, face), "corner"},
                                       {r - 1, t + 4, DarkenColor(6, face), "corner"},
                                       {r - 4, t + 7, DarkenColor(18, DarkenColor(24, face)), "corner"},
                                       {r - 1, t + 7, DarkenColor(18, DarkenColor(6, face)), "corner"},
                                       {r - 4, t + 8, DarkenColor(64, face), "body"},
                                       {r - 3, i.bottom - 1, DarkenColor(48, face), "body"},
                                       {r - 2, t + 8, DarkenColor(32, face), "body"},
                                       {r - 1, i.bottom - 1, DarkenColor(16, face), "body"}};
         },
         nullptr},
        {"Style2BarAcceleratorEnds4Inside", 2, Scheme::Xp, kText, 0, true, T, 0, 1, nullptr,
         [](const DibSurface& s, const Item& i) {
             // No icon on the bar: the label starts at the item's left edge.
             Item bar = i;
             bar.cell = 0;
             TextPlacement(MenuText, 0, [](const Item&) { return 4; })(s, bar);
         }},
        // Style 3.
        {"Style3Normal", 3, Scheme::Xp, kText, 0, false, T, 0, 1, Style3Background,
         TextPlacement(MenuText, 4, [](const Item&) { return 10; })},
        {"Style3Selected", 3, Scheme::Xp, kText, kSelected, false, T, 0, 1, Style3Selection, nullptr},
        {"Style3GrayedSelectedShowsSelection", 3, Scheme::Xp, kText, kSelected | kGrayed, false, T, 0, 1,
         Style3Selection, ReadableGreyPlacement(4, 10, [](const Item&) {
             // The darker end of the selection bar.
             return DarkenColor(16, MidColor(GetXpHighlightColor(), Sys(COLOR_MENU)));
         })},
        {"Style3GrayedSelectedKeepsWhatWasThere", 3, Scheme::Xp, kText, kSelected | kGrayed, false, T, 0, 0, nothing,
         nullptr},
        {"Style3Checked", 3, Scheme::Xp, kText, kChecked, false, T, 0, 1,
         [](const Item& i) { return Style3CheckBox(i, 3); }, nullptr},
        {"Style3CheckedSelected", 3, Scheme::Xp, kText, kChecked | kSelected, false, T, 0, 1,
         [](const Item& i) { return Style3CheckBox(i, 2); }, nullptr},
        {"Style3CheckedGrayed", 3, Scheme::Xp, kRadio, kChecked | kGrayed, false, T, 0, 1,
         [](const Item& i) { return Style3CheckBox(i, 1); }, nullptr},
        {"Style3SelectedCheckedIconGetsTheNormalBox", 3, Scheme::Xp, kIcon, kChecked | kSelected, false, T, 0, 1,
         [](const Item& i) {
             auto probes = Style3CheckBox(i, 3);
             probes.push_back({i.cell / 2, i.midY(), RGB(0, 160, 0), "icon"});
             return probes;
         },
         nullptr},
        {"Style3SeparatorRowTPlus3", 3, Scheme::Xp, kSeparator, 0, false, 50, 9, 1,
         [](const Item& i) {
             const RECT full = {i.left, i.top, i.right, i.bottom};
             COLORREF left = DarkenColor(16, Sys(COLOR_MENU)), right = LightenColor(128, Sys(COLOR_MENU));
             COLORREF line = Sys(COLOR_GRAYTEXT);
             COLORREF before = i.gradientLook ? GradientAt(full, left, right, false, i.cell + 4, 53) : Sys(COLOR_MENU);
             COLORREF above = i.gradientLook ? GradientAt(full, left, right, false, i.cell + 5, 52) : Sys(COLOR_MENU);
             return std::vector<Probe>{{i.cell + 5, 53, line, "line start"},
                                       {i.cell + 4, 53, before, "before the line"},
                                       {i.cell + 5, 52, above, "above the line"},
                                       {0, 50, i.gradientLook ? left : Sys(COLOR_MENU), "background"}};
         },
         nullptr},
        {"Style3CallbackSeparator", 3, Scheme::Xp, kCallback, 0, false, T, 5, 1, nullptr, separatorCall},
        {"Style3BitmapItem", 3, Scheme::Xp, kBitmap, 0, false, T, 0, 1, nothing, nullptr},
        // Style 1.
        {"Style1Normal", 1, Scheme::Classic, kText, 0, false, T, 0, 1, Style1Normal,
         TextPlacement(MenuText, 6, [](const Item& i) { return i.cell / 2 + 5; })},
        {"Style1SelectedFullWidth", 1, Scheme::Classic, kText, kSelected, false, T, 0, 1,
         [](const Item& i) {
             return std::vector<Probe>{{0, i.top, kUntouched, "row above"},
                                       {0, i.top + 1, Sys(COLOR_HIGHLIGHT), "highlight from the left edge"},
                                       {i.right - 1, i.bottom - 2, Sys(COLOR_HIGHLIGHT), "highlight"}};
         },
         TextPlacement(HighlightText, 6, [](const Item& i) { return i.cell / 2 + 5; })},
        {"Style1SelectedIconIsRaised", 1, Scheme::Classic, kIcon, kSelected, false, T, 0, 1,
         [](const Item& i) {
             return std::vector<Probe>{{i.cell, i.top + 1, kUntouched, "one pixel after the column"},
                                       {i.cell + 1, i.top + 1, Sys(COLOR_HIGHLIGHT), "highlight"},
                                       {0, i.top + 1, Sys(COLOR_BTNHIGHLIGHT), "raised edge"},
                                       {i.cell - 1, i.bottom - 2, Sys(COLOR_BTNSHADOW), "raised edge"},
                                       {i.cell / 2, i.midY(), RGB(0, 160, 0), "icon, not raised"}};
         },
         nullptr},
        {"Style1Checked", 1, Scheme::Classic, kText, kChecked, false, T, 0, 1,
         [](const Item& i) { return Style1SunkenCell(i, 3); },
         [](const DibSurface& s, const Item& i) { CheckInkWithin(s, i, RGB(0, 0, 0)); }},
        {"Style1CheckedSelected", 1, Scheme::Classic, kText, kChecked | kSelected, false, T, 0, 1,
         [](const Item& i) {
             auto probes = Style1SunkenCell(i, 2);
             probes.push_back({i.cell + 1, i.top + 1, Sys(COLOR_HIGHLIGHT), "highlight after the cell"});
             return probes;
         },
         nullptr},
        {"Style1CheckedIconGrayed", 1, Scheme::Classic, kIcon, kChecked | kGrayed, false, T, 0, 1,
         [](const Item& i) { return Style1SunkenCell(i, 1); }, nullptr},
        {"Style1GrayedTextIsEmbossed", 1, Scheme::Classic, kText, kGrayed, false, T, 0, 1, Style1Normal,
         [](const DibSurface& s, const Item& i) {
             const RECT area = {i.left, i.top, i.right, i.bottom};
             Ink light = InkOf(s, area, Sys(COLOR_BTNHIGHLIGHT));
             Ink dark = InkOf(s, area, Sys(COLOR_BTNSHADOW));
             ASSERT_GT(dark.count, 0);
             ASSERT_GT(light.count, 0);
             EXPECT_EQ(light.right, dark.right + 1); // the light copy one pixel right
         }},
        {"Style1GrayedHoveredWithoutSelectionIsNotEmbossed", 1, Scheme::Classic, kText, kGrayed | kSelected, false, T,
         0, 0, nullptr,
         [](const DibSurface& s, const Item& i) {
             const RECT area = {i.left, i.top, i.right, i.bottom};
             EXPECT_GT(InkOf(s, area, Sys(COLOR_GRAYTEXT)).count, 0);
             EXPECT_EQ(InkOf(s, area, Sys(COLOR_BTNHIGHLIGHT)).count, 0);
             EXPECT_EQ(s.at(i.right - 1, i.top + 1), kUntouched);
         }},
        // LightenColor(96, HL) would read 1.8:1 on the highlight: lightened on until it reads.
        {"Style1GrayTextEqualToHighlightIsLightenedUntilItReads", 1, Scheme::GrayIsHighlight, kText,
         kGrayed | kSelected, false, T, 0, 1, nullptr,
         [](const DibSurface& s, const Item& i) {
             const RECT area = {i.left, i.top + 1, i.right, i.bottom - 1};
             COLORREF ink = kUntouched;
             for (int y = area.top; y < area.bottom && ink == kUntouched; ++y)
                 for (int x = area.left; x < area.right && ink == kUntouched; ++x)
                     if (s.at(x, y) != Sys(COLOR_HIGHLIGHT))
                         ink = s.at(x, y);
             ASSERT_NE(ink, kUntouched) << "no text";
             EXPECT_EQ(s.countNot(area, Sys(COLOR_HIGHLIGHT)), InkOf(s, area, ink).count) << "one text colour";
             EXPECT_GT(GrayColor(ink), GrayColor(LightenColor(96, Sys(COLOR_HIGHLIGHT))));
             EXPECT_GE(ContrastOf(ink, Sys(COLOR_HIGHLIGHT)), 2.0);
         }},
        {"Style1EtchedSeparator", 1, Scheme::Classic, kSeparator, 0, false, 50, 9, 1,
         [](const Item& i) {
             const int d = i.cell / 2 + 1, r = i.right;
             COLORREF dark = Sys(COLOR_BTNSHADOW), light = Sys(COLOR_BTNHIGHLIGHT), menu = Sys(COLOR_MENU);
             return std::vector<Probe>{{d, 53, dark, "dark row start"},      {r - d - 2, 53, dark, "dark row end"},
                                       {r - d - 1, 53, light, "last pixel light"}, {d, 54, light, "light row start"},
                                       {r - d - 1, 54, light, "light row end"},  {d - 1, 53, menu, "indent"},
                                       {r - d, 54, menu, "indent"},              {d, 52, menu, "above"},
                                       {d, 55, menu, "below"}};
         },
         nullptr},
        {"Style1CallbackSeparator", 1, Scheme::Classic, kCallback, 0, false, T, 5, 1, nullptr, separatorCall},
        {"Style1BitmapItem", 1, Scheme::Classic, kBitmap, 0, false, T, 0, 1, nothing, nullptr},
    };
}

INSTANTIATE_TEST_SUITE_P(EveryLook, MenuPaint, ::testing::ValuesIn(Cases()), CaseName);

// Check marks and bullets are Marlett characters of at least 15 pixels, centred in the box
// of the look; in styles 2 and 3 the check mark's box starts one pixel lower than the
// bullet's. Expected: the system drawing the character in the box the look describes.
TEST_F(MenuPaintFixture, CheckMarkAndBulletStandWhereTheLookPutsThem)
{
    ScopedSysColors scheme(SchemeColours(Scheme::Xp));
    LOGFONTA marlett = font_.font();
    marlett.lfHeight = -15; // the menu font's -11, raised
    lstrcpyA(marlett.lfFaceName, "Marlett");
    HFONT font = CreateFontIndirectA(&marlett);
    for (int style : {1, 2, 3}) {
        for (UINT id : {UINT{kText}, UINT{kRadio}}) {
            const bool check = id == kText;
            PaintCase c = {"", style, Scheme::Xp, id, kChecked, false, T, 0, 1, nullptr, nullptr};
            Item item = Geometry(c);
            DibSurface painted(kWidth, kSurfaceHeight, kUntouched);
            Paint(c, painted, item);

            RECT box = {0, item.top + 1, item.cell, item.bottom - 1};
            if (style == 2)
                InflateRect(&box, -2, -2);
            if (check && style != 1)
                box.top += 1;
            DibSurface reference(kWidth, kSurfaceHeight, kUntouched);
            HGDIOBJ previous = SelectObject(reference.dc(), font);
            SetBkMode(reference.dc(), TRANSPARENT);
            SetTextColor(reference.dc(), RGB(0, 0, 0));
            DrawTextA(reference.dc(), check ? "b" : "i", 1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            SelectObject(reference.dc(), previous);

            const RECT column = {0, item.top, item.cell, item.bottom};
            Ink expected = InkOf(reference, column, RGB(0, 0, 0));
            ASSERT_GT(expected.count, 0);
            EXPECT_TRUE(InkOf(painted, column, RGB(0, 0, 0)) == expected) << "style " << style << (check ? " b" : " i");
        }
    }
    DeleteObject(font);
}

} // namespace
