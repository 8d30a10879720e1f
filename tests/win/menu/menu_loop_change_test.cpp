// A menu loop keeps its fonts, colour depth and icon sizes for its items; a change of the
// colour scheme or of the menu font while a popup is open still shows at the next
// repaint. Each case opens a real popup (TrackPopupMenu), reads it from the screen,
// makes the change as an application or the control panel does (the system tells the
// top-level windows), repaints the open popup and reads it again; a second loop opened
// after the change is what the repaint must show.
#include "common/test_support.h"
#include "menu/menu_font_scope.h"
#include "varnelle.h"

#include <gtest/gtest.h>

#include <memory>

using namespace testing_support;
using menu_testing::ScopedMenuFont;

namespace {

constexpr UINT_PTR kChangeTimer = 11;

enum class Change { Colours, MenuFont };

struct Captures {
    std::unique_ptr<DibSurface> before, repainted, nextLoop;
};
Captures captures;
Change change = Change::Colours;
bool changeMade = false;

std::unique_ptr<DibSurface> CapturePopupWindow()
{
    HWND popup = FindWindowA("#32768", nullptr);
    if (!popup)
        return nullptr;
    RECT frame;
    GetWindowRect(popup, &frame);
    auto surface = std::make_unique<DibSurface>(frame.right - frame.left, frame.bottom - frame.top);
    HDC screen = GetDC(nullptr);
    BitBlt(surface->dc(), 0, 0, surface->width(), surface->height(), screen, frame.left, frame.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    return surface;
}

// The changed look: a dark scheme, or a bold menu font of the same height.
const COLORREF kChangedMenu = RGB(40, 44, 52);
const COLORREF kChangedText = RGB(230, 230, 230);

void MakeChange()
{
    if (change == Change::Colours) {
        const INT indexes[] = {COLOR_MENU, COLOR_MENUTEXT, COLOR_WINDOW};
        const COLORREF colours[] = {kChangedMenu, kChangedText, kChangedMenu};
        changeMade = SetSysColors(3, indexes, colours) != FALSE; // sends WM_SYSCOLORCHANGE to the top-level windows
    } else {
        NONCLIENTMETRICSA metrics = {};
        metrics.cbSize = sizeof(metrics);
        changeMade = SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0) != FALSE;
        metrics.lfMenuFont.lfWeight = FW_BOLD;
        // In memory only, then the windows are told as the control panel tells them.
        changeMade = changeMade && SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
        SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0, SMTO_ABORTIFHUNG, 2000,
                            nullptr);
    }
}

void CALLBACK ChangeWhileOpen(HWND hwnd, UINT, UINT_PTR id, DWORD)
{
    KillTimer(hwnd, id);
    captures.before = CapturePopupWindow();
    MakeChange();
    if (HWND popup = FindWindowA("#32768", nullptr))
        RedrawWindow(popup, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    captures.repainted = CapturePopupWindow();
    EndMenu();
}

void CALLBACK CaptureNextLoop(HWND hwnd, UINT, UINT_PTR id, DWORD)
{
    KillTimer(hwnd, id);
    captures.nextLoop = CapturePopupWindow();
    EndMenu();
}

void OpenPopup(HWND hwnd, HMENU popup, TIMERPROC atTimer)
{
    SetTimer(hwnd, kChangeTimer, 400, atTimer);
    SetForegroundWindow(hwnd);
    TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN, 100, 100, 0, hwnd, nullptr);
    PumpMessages();
}

// Pixels of the two pictures that differ, inside the part both cover and left of `width`.
int Differing(const DibSurface& a, const DibSurface& b, int width)
{
    width = a.width() < width ? a.width() : width;
    width = b.width() < width ? b.width() : width;
    const int height = a.height() < b.height() ? a.height() : b.height();
    int differing = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            differing += a.at(x, y) != b.at(x, y);
    return differing;
}

class MenuLoopChange : public ::testing::TestWithParam<std::tuple<int, Change>> {};

} // namespace

TEST_P(MenuLoopChange, ShowsAtTheNextRepaintOfTheOpenPopup)
{
    const auto [style, what] = GetParam();
    change = what;
    ScopedMenuFont font("Tahoma", -11, FW_NORMAL, NONANTIALIASED_QUALITY);
    ASSERT_TRUE(font.active());
    // Put back after the test whatever the change set.
    ScopedSysColors scheme{{COLOR_MENU, 0xFFFFFF}, {COLOR_MENUTEXT, 0}, {COLOR_WINDOW, 0xFFFFFF},
                           {COLOR_HIGHLIGHT, 0xC56A31}, {COLOR_GRAYTEXT, 0x99A8AC}};
    TestWindow window(nullptr, WS_OVERLAPPEDWINDOW);
    ShowWindow(window.hwnd(), SW_SHOW);
    HICON icon = MakeSolidIcon(16, RGB(200, 40, 40), 2);
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 100, "&Open the file");
    AppendMenuA(popup, MF_STRING | MF_CHECKED, 101, "&Word wrap");
    AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(popup, MF_STRING, 102, "&Print");
    ASSERT_EQ(RedrawMenu(window.hwnd(), popup, style), 1);
    ASSERT_EQ(SetMenuItemIcon(popup, 102, icon), 1);

    captures = {};
    OpenPopup(window.hwnd(), popup, ChangeWhileOpen);
    OpenPopup(window.hwnd(), popup, CaptureNextLoop);
    DestroyMenu(popup);
    DestroyIcon(icon);

    ASSERT_TRUE(captures.before && captures.repainted && captures.nextLoop) << "the popup did not open";
    ASSERT_TRUE(changeMade);
    // The system keeps the font it selected into the popup's DC for the item texts; what the
    // library makes from the menu font are the Marlett marks of the icon column. A bolder
    // font also widens the next loop's popup, so only that column is compared then.
    const int width = what == Change::MenuFont ? 28 : 1 << 20;
    EXPECT_GT(Differing(*captures.before, *captures.repainted, width), 0) << "the change did not show";
    EXPECT_EQ(Differing(*captures.repainted, *captures.nextLoop, width), 0)
        << "the repaint inside the loop is not what a new loop shows";
}

// Style 3's icon column follows the popup's width, which the bolder font changes in the
// next loop: its font change has no second loop to compare with.
INSTANTIATE_TEST_SUITE_P(Colours, MenuLoopChange,
                         ::testing::Combine(::testing::Values(1, 2, 3), ::testing::Values(Change::Colours)));
INSTANTIATE_TEST_SUITE_P(MenuFont, MenuLoopChange,
                         ::testing::Combine(::testing::Values(1, 2), ::testing::Values(Change::MenuFont)));
