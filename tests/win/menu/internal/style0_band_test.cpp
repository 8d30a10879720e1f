// The style 0 painter and the band's callbacks, with WM_MEASUREITEM and WM_DRAWITEM
// handled in the order the system sends them when a popup opens.
#include "common/test_support.h"
#include "core/thread_state.h"
#include "menu/menu_internal.h"
#include "menu/menu_paint.h"
#include "menu/separator_callback.h"

#include <gtest/gtest.h>

#include <vector>

using namespace testing_support;
using namespace varnelle;

namespace {

constexpr COLORREF kPaper = RGB(255, 255, 255);
constexpr COLORREF kBand = RGB(200, 30, 60);

struct BandCall {
    HMENU menu;
    HDC dc;
    bool hasRect;
    RECT rect;
};
std::vector<BandCall> calls;

int WINAPI PaintingBand(HMENU menu, HDC dc, RECT* rect)
{
    calls.push_back({menu, dc, rect != nullptr, rect ? *rect : RECT{}});
    if (dc && rect) {
        // The callback may leave objects selected: the painter's caller restores the DC.
        HBRUSH brush = CreateSolidBrush(kBand);
        FillRect(dc, rect, brush);
        DeleteObject(brush);
    }
    return 24;
}

DRAWITEMSTRUCT ItemToDraw(HMENU menu, UINT id, HDC dc, RECT item)
{
    DRAWITEMSTRUCT draw = {};
    draw.CtlType = ODT_MENU;
    draw.itemID = id;
    draw.itemAction = ODA_DRAWENTIRE;
    draw.hwndItem = reinterpret_cast<HWND>(menu);
    draw.hDC = dc;
    draw.rcItem = item;
    return draw;
}

bool Same(const RECT& a, const RECT& b)
{
    return EqualRect(&a, &b) != FALSE;
}

class Style0Band : public ::testing::Test {
protected:
    void SetUp() override
    {
        calls.clear();
        saved_ = ThreadState();
        popup_ = CreatePopupMenu();
        AppendMenuA(popup_, MF_STRING, 100, "One");
        AppendMenuA(popup_, MF_STRING | MF_OWNERDRAW, 101, nullptr);
        AppendMenuA(popup_, MF_SEPARATOR | MF_OWNERDRAW, 0, nullptr);
        AppendMenuA(popup_, MF_STRING, 102, "Three");
        ASSERT_TRUE(AddLeftBorder(popup_, PaintingBand, 1));
    }
    void TearDown() override
    {
        DestroyMenu(popup_);
        ThreadState() = saved_;
    }

    HMENU popup_ = nullptr;
    ThreadStateFields saved_ = {};
};

} // namespace

TEST_F(Style0Band, BandIsPaintedOverTheClipBoxHeight)
{
    DibSurface surface(120, 90, kPaper);
    HRGN clip = CreateRectRgn(0, 8, 120, 70);
    SelectClipRgn(surface.dc(), clip);
    DeleteObject(clip);

    DRAWITEMSTRUCT draw = ItemToDraw(popup_, 0, surface.dc(), {2, 10, 26, 15});
    DrawMenuItemStyle0(draw, ReadPaintedItem(draw));
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].menu, popup_);
    EXPECT_EQ(calls[0].dc, surface.dc());
    ASSERT_TRUE(calls[0].hasRect);
    EXPECT_TRUE(Same(calls[0].rect, {2, 8, 26, 70}));
    EXPECT_EQ(surface.countNot({2, 8, 26, 70}, kBand), 0);
    EXPECT_EQ(surface.countNot({26, 0, 120, 90}, kPaper), 0);
    EXPECT_EQ(surface.countNot({0, 70, 120, 90}, kPaper), 0);

    // Without a clip region the box is the whole surface.
    SelectClipRgn(surface.dc(), nullptr);
    calls.clear();
    DrawMenuItemStyle0(draw, ReadPaintedItem(draw));
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_TRUE(Same(calls[0].rect, {2, 0, 26, 90}));
}

TEST_F(Style0Band, OtherItemsArePaintedByNobody)
{
    DibSurface surface(120, 90, kPaper);
    for (UINT id : {100u, 101u, 102u}) {
        DRAWITEMSTRUCT draw = ItemToDraw(popup_, id, surface.dc(), {0, 0, 120, 20});
        DrawMenuItemStyle0(draw, ReadPaintedItem(draw));
    }
    // The plain owner-drawn separator: found by position here, it has no identifier.
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID;
    info.wID = 300;
    SetMenuItemInfoA(popup_, 3, TRUE, &info);
    DRAWITEMSTRUCT separator = ItemToDraw(popup_, 300, surface.dc(), {0, 0, 120, 6});
    DrawMenuItemStyle0(separator, ReadPaintedItem(separator));
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(surface.countNot({0, 0, 120, 90}, kPaper), 0);
}

TEST_F(Style0Band, BadInputPaintsNothing)
{
    DibSurface surface(40, 40, kPaper);
    DRAWITEMSTRUCT noDc = ItemToDraw(popup_, 0, nullptr, {0, 0, 24, 5});
    DrawMenuItemStyle0(noDc, ReadPaintedItem(noDc));
    DRAWITEMSTRUCT missing = ItemToDraw(popup_, 999, surface.dc(), {0, 0, 24, 5});
    DrawMenuItemStyle0(missing, ReadPaintedItem(missing));
    HMENU gone = CreatePopupMenu();
    AddLeftBorder(gone, PaintingBand, 0);
    DestroyMenu(gone);
    DRAWITEMSTRUCT destroyed = ItemToDraw(gone, 0, surface.dc(), {0, 0, 24, 5});
    DrawMenuItemStyle0(destroyed, ReadPaintedItem(destroyed));
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(surface.countNot({0, 0, 40, 40}, kPaper), 0);
}

// What the system sends for a popup that opens with a band in a nested submenu: the
// measuring call names the top popup of the loop, the painting call the band's own menu.
TEST_F(Style0Band, MessageOrderOfANestedBand)
{
    HMENU top = CreatePopupMenu();
    HMENU nested = CreatePopupMenu();
    AppendMenuA(top, MF_STRING, 10, "Open");
    AppendMenuA(top, MF_POPUP, reinterpret_cast<UINT_PTR>(nested), "More");
    AppendMenuA(nested, MF_STRING, 20, "Inner");
    ASSERT_TRUE(AddLeftBorder(nested, PaintingBand, 0));

    // WM_INITMENUPOPUP of the top popup, then WM_MEASUREITEM of the nested band.
    ThreadState().CurrentMenu = top;
    ThreadState().CurrentMenuIsPopup = 1;
    MEASUREITEMSTRUCT measure = {ODT_MENU, 0, 0, 0, 0, 0};
    MeasureMenuItem(&measure);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].menu, top);
    EXPECT_EQ(calls[0].dc, nullptr);
    EXPECT_FALSE(calls[0].hasRect);
    EXPECT_EQ(measure.itemWidth, 24u);
    EXPECT_EQ(measure.itemHeight, 5u);

    // WM_DRAWITEM on the nested popup's DC.
    DibSurface surface(100, 60, kPaper);
    DRAWITEMSTRUCT draw = ItemToDraw(nested, 0, surface.dc(), {0, 0, 24, 5});
    DrawMenuItemStyle0(draw, ReadPaintedItem(draw));
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].menu, nested);
    EXPECT_TRUE(Same(calls[1].rect, {0, 0, 24, 60}));
    EXPECT_EQ(surface.countNot({0, 0, 24, 60}, kBand), 0);
    DestroyMenu(top);
}
