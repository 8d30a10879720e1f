// The looks end to end through the system's own menu loop: a popup opened with
// TrackPopupMenu (and, on Windows 2000 and XP, the style 2 menu bar opened from the
// keyboard) is read back from the screen while it is open.
#include "common/test_support.h"
#include "menu/menu_font_scope.h"
#include "menu/menu_tree_testing.h"
#include "varnelle.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

using namespace testing_support;
using menu_testing::ScopedMenuFont;

namespace {

constexpr UINT_PTR kCaptureTimer = 9;

struct Drawn {
    RECT rect;
    UINT state;
};
// What the application saw of each item's WM_DRAWITEM: the last selected paint, or else
// the last one (the menu bar is painted again, unselected, when the loop ends).
std::map<UINT, Drawn> drawn;
std::unique_ptr<DibSurface> captures[2];
HWND captured = nullptr;

LRESULT CALLBACK ApplicationProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DRAWITEM && wParam == 0) {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (!(drawn[item->itemID].state & ODS_SELECTED))
            drawn[item->itemID] = {item->rcItem, item->itemState};
        return TRUE;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// What the screen shows of a window, in the window's own coordinates (those of the DC the
// system paints menu items in).
std::unique_ptr<DibSurface> CaptureWindow(HWND window)
{
    RECT frame;
    GetWindowRect(window, &frame);
    auto surface = std::make_unique<DibSurface>(frame.right - frame.left, frame.bottom - frame.top);
    HDC screen = GetDC(nullptr);
    BitBlt(surface->dc(), 0, 0, surface->width(), surface->height(), screen, frame.left, frame.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    return surface;
}

// Captures the open popup, or the menu bar twice around a repaint of the window's frame.
void CALLBACK CapturePopup(HWND hwnd, UINT, UINT_PTR id, DWORD)
{
    KillTimer(hwnd, id);
    captured = FindWindowA("#32768", nullptr);
    if (captured)
        captures[0] = CaptureWindow(captured);
    EndMenu();
}

void CALLBACK CaptureMenuBar(HWND hwnd, UINT, UINT_PTR id, DWORD)
{
    KillTimer(hwnd, id);
    captured = hwnd;
    captures[0] = CaptureWindow(hwnd);
    RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);

    captures[1] = CaptureWindow(hwnd);
    EndMenu();
}

COLORREF Hot()
{
    return MixedColor(GetXpHighlightColor(), GetSysColor(COLOR_HIGHLIGHT));
}

class MenuLoopLook : public ::testing::TestWithParam<int> {
protected:
    static void SetUpTestSuite()
    {
        window_ = new TestWindow(ApplicationProc, WS_OVERLAPPEDWINDOW, nullptr, "VarnelleMenuLoopLookWindow");
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
        drawn.clear();
        captures[0].reset();
        captures[1].reset();
        captured = nullptr;
    }
    static HWND hwnd() { return window_->hwnd(); }

    ScopedMenuFont font_{"Tahoma", -11};
    ScopedSysColors scheme_{{COLOR_WINDOW, 0xFFFFFF}, {COLOR_MENU, 0xFFFFFF}, {COLOR_HIGHLIGHT, 0xC56A31},
                            {COLOR_GRAYTEXT, 0x99A8AC}, {COLOR_BTNFACE, 0xD8E9EC}, {COLOR_BTNSHADOW, 0x99A8AC}};
    static TestWindow* window_;
};

TestWindow* MenuLoopLook::window_ = nullptr;

} // namespace

// The second item is selected from the keyboard; both are read back from the screen.
TEST_P(MenuLoopLook, OpenPopupShowsTheLook)
{
    const int style = GetParam();
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 100, "&First");
    AppendMenuA(popup, MF_STRING, 101, "&Second\tCtrl+S");
    AppendMenuA(popup, MF_STRING, 102, "&Third");
    ASSERT_EQ(RedrawMenu(hwnd(), popup, style), 1);

    PostMessageA(hwnd(), WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(hwnd(), WM_KEYDOWN, VK_DOWN, 0);
    SetTimer(hwnd(), kCaptureTimer, 400, CapturePopup);
    SetForegroundWindow(hwnd());
    TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN, 100, 100, 0, hwnd(), nullptr);
    PumpMessages();
    DestroyMenu(popup);

    ASSERT_TRUE(captures[0]) << "the popup did not open";
    ASSERT_EQ(drawn.count(100), 1u);
    ASSERT_EQ(drawn.count(101), 1u);
    ASSERT_TRUE(drawn[101].state & ODS_SELECTED);
    const RECT normal = drawn[100].rect;
    const RECT selected = drawn[101].rect;
    const DibSurface& screen = *captures[0];
    const COLORREF menu = GetSysColor(COLOR_MENU);
    switch (style) {
    case 1:
        EXPECT_EQ(screen.at(normal.left, normal.top), menu);
        EXPECT_EQ(screen.at(selected.left, selected.top + 1), GetSysColor(COLOR_HIGHLIGHT));
        break;
    case 2:
        EXPECT_EQ(screen.at(normal.left, normal.top), MixedColor(menu, GetSysColor(COLOR_HIGHLIGHT)));
        EXPECT_EQ(screen.at(selected.left, selected.top + 1), DarkenColor(128, Hot()));
        EXPECT_EQ(screen.at(selected.left + 1, selected.top + 2), LightenColor(64, Hot()));
        break;
    case 3:
        EXPECT_EQ(screen.at(normal.left, normal.top), 0xEFEFEFu);
        EXPECT_EQ(screen.at(selected.left, selected.top + 1), 0x746257u);
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(Styles1To3, MenuLoopLook, ::testing::Values(1, 2, 3));

// On Windows 2000 and XP the style 2 menu bar is the library's: the item whose popup is
// open is pushed, with a soft shadow right of its frame that a repaint does not deepen.
TEST_F(MenuLoopLook, Style2MenuBarItemIsPushedWithItsShadow)
{
    if (!menu_testing::RunningOnWindows2000OrXp())
        GTEST_SKIP() << "the menu bar is the system's on this Windows release";
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, 100, "&Open");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    AppendMenuA(bar, MF_STRING, 200, "&Help");
    SetMenu(hwnd(), bar);
    ASSERT_EQ(RedrawMenu(hwnd(), bar, 2), 1);

    SetForegroundWindow(hwnd());
    SetTimer(hwnd(), kCaptureTimer, 400, CaptureMenuBar);
    PostMessageA(hwnd(), WM_SYSCOMMAND, SC_KEYMENU, 'f');
    PumpMessages(1200);
    SetMenu(hwnd(), nullptr);
    DestroyMenu(bar);

    ASSERT_TRUE(captures[0] && captures[1]) << "the menu did not open";
    // The bar item holding the popup has its popup's handle as identifier.
    const UINT fileId = static_cast<UINT>(reinterpret_cast<UINT_PTR>(file));
    ASSERT_EQ(drawn.count(fileId), 1u);
    ASSERT_TRUE(drawn[fileId].state & ODS_SELECTED);
    const RECT item = drawn[fileId].rect;
    const DibSurface& screen = *captures[0];
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const int r = item.right, t = item.top;
    EXPECT_EQ(screen.at(item.left, t), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(screen.at(item.left + 1, t + 1), GetSysColor(COLOR_MENU));
    EXPECT_EQ(screen.at(r - 4, t + 4), DarkenColor(24, face));
    EXPECT_EQ(screen.at(r - 1, t + 7), DarkenColor(18, DarkenColor(6, face)));
    EXPECT_EQ(screen.at(r - 4, t + 8), DarkenColor(64, face));
    EXPECT_EQ(screen.at(r - 1, item.bottom - 1), DarkenColor(16, face));
    // Repainted while the popup is open, the bar keeps its look and the shadow its depth.
    EXPECT_TRUE(captures[0]->snapshot() == captures[1]->snapshot());
}
