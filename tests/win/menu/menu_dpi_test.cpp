// The looks at the DPI of the screen (96 here; 120, 144 and 192 in Wine prefixes of that
// DPI, see scripts/at-dpi): the menu font is the system's scaled by the DPI, and the check
// mark, radio bullet, submenu arrow and window-menu glyphs grow with the items, the icon
// cell, the band and the separators keep their proportions. What is measured are painted
// pixels and the sizes WM_MEASUREITEM gives, against the line height of the menu font.
#include "common/scheme_testing.h"
#include "common/test_support.h"
#include "menu/item_painting.h"
#include "menu/menu_font_scope.h"
#include "varnelle.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

using namespace testing_support;
using menu_testing::ScopedMenuFont;

namespace {

enum : UINT { kCheck = 400, kRadio, kClose, kSubmenu, kSeparator, kBand, kInner };

int ScreenDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

int WINAPI DefaultWidthBand(HMENU, HDC, RECT*)
{
    return 0;
}

// The bounding box of the pixels that pass `ink` inside `area`.
struct Box {
    int count = 0, left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    int height() const { return count ? bottom - top + 1 : 0; }
};
Box InkBox(const DibSurface& surface, const RECT& area, const std::function<bool(COLORREF)>& ink)
{
    Box box;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (ink(surface.at(x, y))) {
                ++box.count;
                box.left = x < box.left ? x : box.left;
                box.right = x > box.right ? x : box.right;
                box.top = y < box.top ? y : box.top;
                box.bottom = y > box.bottom ? y : box.bottom;
            }
    return box;
}

class MenuDpi : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(font_.active());
        popup_ = CreatePopupMenu();
        AppendMenuA(popup_, MF_STRING | MF_CHECKED, kCheck, "&Word Wrap");
        AppendMenuA(popup_, MF_STRING, kRadio, "&Small Icons");
        CheckMenuRadioItem(popup_, kRadio, kRadio, kRadio, MF_BYCOMMAND);
        MENUITEMINFOA close = {};
        close.cbSize = sizeof(close);
        close.fMask = MIIM_ID | MIIM_STRING | MIIM_BITMAP;
        close.wID = kClose;
        close.dwTypeData = const_cast<char*>("&Close");
        close.hbmpItem = HBMMENU_POPUP_CLOSE;
        InsertMenuItemA(popup_, GetMenuItemCount(popup_), TRUE, &close);
        HMENU inner = CreatePopupMenu();
        AppendMenuA(inner, MF_STRING, kInner, "&Inner");
        MENUITEMINFOA sub = {};
        sub.cbSize = sizeof(sub);
        sub.fMask = MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
        sub.wID = kSubmenu;
        sub.hSubMenu = inner;
        sub.dwTypeData = const_cast<char*>("&Recent Files");
        InsertMenuItemA(popup_, GetMenuItemCount(popup_), TRUE, &sub);
        AppendMenuA(popup_, MF_SEPARATOR, kSeparator, nullptr);
        MENUITEMINFOA band = {};
        band.cbSize = sizeof(band);
        band.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA;
        band.fType = MFT_SEPARATOR;
        band.wID = kBand;
        band.dwItemData = reinterpret_cast<ULONG_PTR>(DefaultWidthBand);
        InsertMenuItemA(popup_, GetMenuItemCount(popup_), TRUE, &band);
        ASSERT_EQ(RedrawMenu(window_.hwnd(), popup_, GetParam()), 1);
        lineHeight_ = menu_testing::ExtentIn(font_.font(), "&Word Wrap").cy;
        cell_ = menu_testing::MeasureItem(window_.hwnd(), popup_, kCheck).cy - 2;
    }
    void TearDown() override { DestroyMenu(popup_); }

    std::unique_ptr<DibSurface> Paint(UINT id, UINT state = 0)
    {
        const SIZE size = {cell_ * 8, cell_ + 2};
        return menu_testing::PaintItem(window_.hwnd(), popup_, id, state, size, false, RGB(0x12, 0x34, 0x56));
    }
    // The ink of a black glyph in the icon column (the boxes around it are of other colours).
    Box GlyphIn(const DibSurface& surface) const
    {
        return InkBox(surface, {0, 0, cell_, cell_ + 2}, [](COLORREF c) { return c == 0; });
    }
    void Report(const char* what, double value) const
    {
        printf("  %d DPI, style %d: %s %.3f\n", dpi_, GetParam(), what, value);
    }

    const int dpi_ = ScreenDpi();
    // The menu font the system gives at this DPI: Tahoma 11 pixels at 96, scaled.
    ScopedMenuFont font_{"Tahoma", -MulDiv(11, ScreenDpi(), 96), FW_NORMAL, NONANTIALIASED_QUALITY};
    ScopedSysColors colours_{{COLOR_MENU, 0xFFFFFF}, {COLOR_WINDOW, 0xFFFFFF}, {COLOR_MENUTEXT, 0},
                             {COLOR_HIGHLIGHT, 0xC56A31}, {COLOR_GRAYTEXT, 0x99A8AC}, {COLOR_BTNFACE, 0xD8E9EC},
                             {COLOR_BTNSHADOW, 0x99A8AC}, {COLOR_3DDKSHADOW, 0x646F71},
                             {COLOR_BTNHIGHLIGHT, 0xFFFFFF}, {COLOR_HIGHLIGHTTEXT, 0xFFFFFF}};
    TestWindow window_{nullptr, WS_OVERLAPPEDWINDOW, nullptr, "VarnelleMenuDpi"};
    HMENU popup_ = nullptr;
    int lineHeight_ = 0;
    int cell_ = 0;
};

TEST_P(MenuDpi, IconCellSeparatorsAndBandKeepTheirProportions)
{
    printf("%d DPI: menu font line %d pixels, icon cell %d\n", dpi_, lineHeight_, cell_);
    const double cell = static_cast<double>(cell_) / lineHeight_;
    const double separator = static_cast<double>(menu_testing::MeasureItem(window_.hwnd(), popup_, kSeparator).cy) / cell_;
    const double band = static_cast<double>(menu_testing::MeasureItem(window_.hwnd(), popup_, kBand).cx) / cell_;
    Report("icon cell / line", cell);
    Report("separator height / cell", separator);
    Report("band width / cell", band);
    // At 96 DPI: 20 / 13, 6 / 20 and 8 / 20. Lengths of 96 DPI kept unscaled would give
    // 1.33, 0.21 and 0.29 at 144 DPI.
    EXPECT_NEAR(cell, 1.53, 0.05);
    EXPECT_NEAR(separator, 0.30, 0.035);
    EXPECT_NEAR(band, 0.39, 0.03);
}

TEST_P(MenuDpi, CheckMarkBulletAndWindowMenuGlyphGrowWithTheItem)
{
    const double check = static_cast<double>(GlyphIn(*Paint(kCheck, ODS_CHECKED)).height()) / cell_;
    const double bullet = static_cast<double>(GlyphIn(*Paint(kRadio, ODS_CHECKED)).height()) / cell_;
    const double close = static_cast<double>(GlyphIn(*Paint(kClose)).height()) / cell_;
    Report("check mark / cell", check);
    Report("radio bullet / cell", bullet);
    Report("close glyph / cell", close);
    // 0.30, 0.25 and 0.35 at 96 DPI; glyphs of the 96-DPI size in the grown cell would be
    // about 0.25 and 0.20 at 144 DPI.
    EXPECT_NEAR(check, 0.32, 0.035);
    EXPECT_NEAR(bullet, 0.27, 0.035);
    EXPECT_NEAR(close, 0.36, 0.05);
}

// The library's own arrow (dark mode) and, at another DPI than 96, in every scheme: at
// the right of the item, as tall in proportion at every DPI.
TEST_P(MenuDpi, SubmenuArrowGrowsWithTheItem)
{
    SetColorMode(VARNELLE_COLORS_DARK);
    auto item = Paint(kSubmenu);
    SetColorMode(VARNELLE_COLORS_SYSTEM);
    const int width = item->width();
    const Box arrow = InkBox(*item, {width - cell_, 0, width, cell_ + 2}, [](COLORREF c) {
        return ContrastOf(c, 0) > ContrastOf(c, 0xFFFFFF); // light on the dark item
    });
    const double height = static_cast<double>(arrow.height()) / cell_;
    Report("submenu arrow / cell", height);
    EXPECT_NEAR(height, 0.41, 0.05); // 0.40 at 96 DPI
    EXPECT_GE(arrow.left, width - cell_);
}

INSTANTIATE_TEST_SUITE_P(EveryStyle, MenuDpi, ::testing::Values(1, 2, 3));

} // namespace
