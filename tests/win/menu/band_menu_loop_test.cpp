// The left border band and measured item sizes end to end, through the system's own
// menu loop: TrackPopupMenu on a window hooked with RedrawMenu, closed by a timer.
#include "common/test_support.h"
#include "menu/menu_font_scope.h"
#include "varnelle.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

using namespace testing_support;
using menu_testing::ExtentIn;
using menu_testing::ScopedMenuFont;

namespace {

constexpr int kBandWidth = 26;
constexpr UINT_PTR kCloseTimer = 7;

struct BandCall {
    HMENU menu;
    bool measuring;
    RECT rect;
    RECT clipBox;  // of the DC, as the callback finds it
    RECT lastItem; // the menu's last item, in the coordinates of the DC's window
};
std::vector<BandCall> bandCalls;
std::map<UINT, SIZE> measured; // item identifier -> size the application's procedure saw

int WINAPI LoopBand(HMENU menu, HDC dc, RECT* rect)
{
    BandCall call = {menu, dc == nullptr && rect == nullptr, {}, {}, {}};
    if (dc && rect) {
        call.rect = *rect;
        GetClipBox(dc, &call.clipBox);
        GetMenuItemRect(nullptr, menu, GetMenuItemCount(menu) - 1, &call.lastItem);
        MapWindowPoints(nullptr, WindowFromDC(dc), reinterpret_cast<POINT*>(&call.lastItem), 2);
    }
    bandCalls.push_back(call);
    return kBandWidth;
}

// The application's own procedure: it sees WM_MEASUREITEM after the library sized the item.
LRESULT CALLBACK ApplicationProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_MEASUREITEM && wParam == 0) {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        measured[item->itemID] = {static_cast<LONG>(item->itemWidth), static_cast<LONG>(item->itemHeight)};
        return TRUE;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// The band's identifier as it stands after the loop: 0, unless a restyle took the band's
// owner-draw flag away and the conversion at WM_INITMENUPOPUP gave it an identifier.
UINT BandId(HMENU menu)
{
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID;
    GetMenuItemInfoA(menu, 0, TRUE, &info);
    return info.wID;
}

void CALLBACK CloseMenu(HWND hwnd, UINT, UINT_PTR id, DWORD)
{
    KillTimer(hwnd, id);
    EndMenu();
}

// Opens the popup with the system's menu loop; `keys` are posted first, so the loop
// itself moves through the items (and opens submenus) before the timer closes it.
void RunMenuLoop(HWND hwnd, HMENU popup, std::initializer_list<WPARAM> keys)
{
    bandCalls.clear();
    measured.clear();
    for (WPARAM key : keys)
        PostMessageA(hwnd, WM_KEYDOWN, key, 0);
    SetTimer(hwnd, kCloseTimer, 250, CloseMenu);
    SetForegroundWindow(hwnd);
    TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN, 100, 100, 0, hwnd, nullptr);
    PumpMessages();
}

// One shown window for the whole suite: showing and destroying a window costs Wine about
// a second each time.
class BandMenuLoop : public ::testing::TestWithParam<int> {
protected:
    static void SetUpTestSuite()
    {
        window_ = new TestWindow(ApplicationProc, WS_OVERLAPPEDWINDOW, nullptr, "VarnelleBandLoopWindow");
        ShowWindow(window_->hwnd(), SW_SHOW);
    }
    static void TearDownTestSuite()
    {
        delete window_;
        window_ = nullptr;
    }
    void SetUp() override
    {
        ASSERT_TRUE(font_.active());
        ASSERT_NE(window_->hwnd(), nullptr);
    }
    static HWND hwnd() { return window_->hwnd(); }

    ScopedMenuFont font_{"Tahoma", -13};
    static TestWindow* window_;
};

TestWindow* BandMenuLoop::window_ = nullptr;

} // namespace

TEST_P(BandMenuLoop, BandOfTheOpenedPopupIsMeasuredThenPaintedOverItsHeight)
{
    const int style = GetParam();
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 100, "&Open\tCtrl+O");
    AppendMenuA(popup, MF_STRING, 101, "&Save");
    AppendMenuA(popup, MF_STRING, 102, "E&xit");
    AppendMenuA(popup, MF_STRING, SC_CLOSE, "&Close\tAlt+F4");
    ASSERT_NE(AddLeftBorder(popup, LoopBand, 1), 0);
    ASSERT_EQ(RedrawMenu(hwnd(), popup, style), 1);

    RunMenuLoop(hwnd(), popup, {});
    ASSERT_FALSE(bandCalls.empty()) << "style " << style;
    EXPECT_TRUE(bandCalls[0].measuring);
    EXPECT_EQ(bandCalls[0].menu, popup);
    ASSERT_EQ(measured.count(BandId(popup)), 1u);
    EXPECT_EQ(measured[BandId(popup)].cx, kBandWidth);
    EXPECT_EQ(measured[BandId(popup)].cy, 5);

    if (style == 0) {
        // Style 0 leaves the text items to the system and paints only the band.
        EXPECT_EQ(measured.size(), 1u);
        bool painted = false;
        for (const BandCall& call : bandCalls) {
            if (call.measuring)
                continue;
            painted = true;
            EXPECT_EQ(call.menu, popup);
            // The system adds room for a check mark to the measured width.
            EXPECT_GE(call.rect.right - call.rect.left, kBandWidth);
            // As tall as the DC's clip box, which covers the whole popup, not the 5-pixel item.
            EXPECT_EQ(call.rect.top, call.clipBox.top);
            EXPECT_EQ(call.rect.bottom, call.clipBox.bottom);
            EXPECT_LE(call.rect.top, 5);
            EXPECT_GE(call.rect.bottom, call.lastItem.bottom);
            EXPECT_GT(call.lastItem.bottom, 40);
        }
        EXPECT_TRUE(painted);
    } else {
        // The text items are the library's: sized from the menu font, with room for the
        // window-menu glyph beside a window-menu command.
        SIZE open = ExtentIn(font_.font(), "&Open\tCtrl+O");
        LONG cell = open.cy + 7;
        ASSERT_EQ(measured.count(100), 1u);
        EXPECT_EQ(measured[100].cx, open.cx + cell + 10 + cell / 2 + 15);
        EXPECT_EQ(measured[100].cy, cell + 2);
        SIZE close = ExtentIn(font_.font(), "&Close\tAlt+F4");
        ASSERT_EQ(measured.count(SC_CLOSE), 1u);
        LONG closeCell = close.cy + 7;
        EXPECT_EQ(measured[SC_CLOSE].cx, close.cx + closeCell + 10 + 35 + closeCell / 2 + 15);
    }
    DestroyMenu(popup);
}

TEST_P(BandMenuLoop, BandOfANestedSubmenuIsMeasuredWithTheTopPopup)
{
    const int style = GetParam();
    HMENU top = CreatePopupMenu();
    HMENU nested = CreatePopupMenu();
    AppendMenuA(top, MF_STRING, 100, "&Open");
    AppendMenuA(top, MF_POPUP, reinterpret_cast<UINT_PTR>(nested), "&More");
    AppendMenuA(nested, MF_STRING, 200, "&Inner");
    AppendMenuA(nested, MF_STRING, 201, "In&ner too");
    ASSERT_NE(AddLeftBorder(nested, LoopBand, 0), 0);
    ASSERT_EQ(RedrawMenu(hwnd(), top, style), 1);

    RunMenuLoop(hwnd(), top, {VK_DOWN, VK_DOWN, VK_RIGHT});
    ASSERT_FALSE(bandCalls.empty()) << "the submenu did not open (style " << style << ")";
    EXPECT_TRUE(bandCalls[0].measuring);
    EXPECT_EQ(bandCalls[0].menu, top);
    ASSERT_EQ(measured.count(BandId(nested)), 1u);
    EXPECT_EQ(measured[BandId(nested)].cx, kBandWidth);
    if (style == 0) {
        bool painted = false;
        for (const BandCall& call : bandCalls) {
            if (call.measuring)
                continue;
            painted = true;
            // Painting names the band's own menu.
            EXPECT_EQ(call.menu, nested);
            EXPECT_EQ(call.rect.top, call.clipBox.top);
            EXPECT_EQ(call.rect.bottom, call.clipBox.bottom);
            EXPECT_GE(call.rect.bottom, call.lastItem.bottom);
            EXPECT_GT(call.lastItem.bottom, 30);
        }
        EXPECT_TRUE(painted);
    }
    DestroyMenu(top);
}

INSTANTIATE_TEST_SUITE_P(EveryStyle, BandMenuLoop, ::testing::Values(0, 1, 2, 3));

// Without RedrawMenu the band is still owner-drawn, but only the application sees its
// messages: the library neither asks the callback nor sizes the item.
TEST(BandWithoutHook, MessagesReachOnlyTheApplication)
{
    TestWindow window(ApplicationProc, WS_OVERLAPPEDWINDOW, nullptr, "VarnelleUnhookedBandWindow");
    ShowWindow(window.hwnd(), SW_SHOW);
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 100, "&Open");
    ASSERT_NE(AddLeftBorder(popup, LoopBand, 1), 0);
    RunMenuLoop(window.hwnd(), popup, {});
    EXPECT_TRUE(bandCalls.empty());
    ASSERT_EQ(measured.count(0), 1u);
    EXPECT_NE(measured[0].cx, kBandWidth);
    DestroyMenu(popup);
}
