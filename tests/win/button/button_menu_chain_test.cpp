// A window whose menu is skinned and which is also the parent of a skinned button carries
// two library procedures; both must run, once each, in either order of hooking, and the
// menu hook's own removal on WM_DESTROY must leave the chain whole.
#include "button_fixture.h"
#include "varnelle.h"

#include <gtest/gtest.h>

using namespace testing_support;
using namespace button_testing;

namespace {

const UINT kProbe = WM_APP + 21;
int probes = 0;
int probesDuringNcDestroy = 0;
int menuItemsMeasured = 0; // by the library, as the application's procedure finds them

// The application's window procedure: counts probes, and on WM_NCDESTROY (after the menu
// hook has taken itself out) sends itself one more through whatever chain is left.
LRESULT CALLBACK ApplicationWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kProbe) {
        ++probes;
        return 42;
    }
    if (message == WM_MEASUREITEM) {
        auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
        menuItemsMeasured += item->CtlType == ODT_MENU && item->itemWidth > 0 && item->itemHeight > 0;
    }
    if (message == WM_NCDESTROY) {
        int before = probes;
        EXPECT_EQ(SendMessageA(hwnd, kProbe, 0, 0), 42);
        probesDuringNcDestroy = probes - before;
    }
    return ApplicationParentProc(hwnd, message, wParam, lParam);
}

HMENU MakeMenuBar()
{
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, 1001, "&Open");
    AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(file, MF_STRING, 1002, "E&xit");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    return bar;
}

void CALLBACK CloseMenu(HWND hwnd, UINT, UINT_PTR id, DWORD)
{
    KillTimer(hwnd, id);
    EndMenu();
}

// The system's own menu loop on the window's popup, closed by a timer.
void RunMenuLoop(HWND hwnd, HMENU popup)
{
    SetTimer(hwnd, 1, 400, CloseMenu);
    SetForegroundWindow(hwnd);
    TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN, 100, 100, 0, hwnd, nullptr);
    PumpMessages();
}

bool ButtonPainted(HWND parent, HWND button)
{
    DibSurface surface(kButtonWidth, kButtonHeight, RGB(1, 2, 3));
    DRAWITEMSTRUCT item = DrawItemFor(button, surface.dc(), ODA_DRAWENTIRE, 0);
    parentReceived.clear();
    SendMessageA(parent, WM_DRAWITEM, kButtonId, reinterpret_cast<LPARAM>(&item));
    return CountOf(parentReceived, WM_DRAWITEM) == 1 && surface.at(kButtonWidth / 2, 0) != RGB(1, 2, 3);
}

} // namespace

TEST(ButtonAndMenuOnOneWindow, BothHooksChainInEitherOrder)
{
    for (bool menuFirst : {true, false}) {
        SCOPED_TRACE(menuFirst ? "RedrawMenu first" : "RedrawButton first");
        TestWindow window(ApplicationWindowProc, WS_OVERLAPPEDWINDOW, nullptr, nullptr);
        HWND parent = window.hwnd();
        HMENU menu = MakeMenuBar();
        ASSERT_TRUE(SetMenu(parent, menu));
        HWND button = MakeButton(parent, kButtonId);
        CTRL_STRUCT record = {};
        record.dwEdge = 1;
        for (int round = 0; round < 2; ++round) { // hooking each again changes nothing
            if (menuFirst)
                ASSERT_EQ(RedrawMenu(parent, menu, 2), 1);
            ASSERT_TRUE(RedrawButton(button, &record));
            if (!menuFirst)
                ASSERT_EQ(RedrawMenu(parent, menu, 2), 1);
        }
        EXPECT_EQ(reinterpret_cast<WNDPROC>(GetPropA(parent, "OLD_WND_PROC")), ApplicationWindowProc);
        EXPECT_EQ(GetStyleMenu(menu), 2);

        probes = 0;
        EXPECT_EQ(SendMessageA(parent, kProbe, 0, 0), 42);
        EXPECT_EQ(probes, 1);
        EXPECT_TRUE(ButtonPainted(parent, button));

        // The menu loop's messages pass the button hook and reach the menu hook, which
        // measures the owner-drawn items, and then the application, once each.
        parentReceived.clear();
        menuItemsMeasured = 0;
        RunMenuLoop(parent, GetSubMenu(menu, 0));
        EXPECT_EQ(CountOf(parentReceived, WM_INITMENUPOPUP), 1);
        EXPECT_EQ(CountOf(parentReceived, WM_ENTERMENULOOP), 1);
        EXPECT_GE(menuItemsMeasured, 3);
        EXPECT_EQ(menuItemsMeasured, CountOf(parentReceived, WM_MEASUREITEM));

        // Destroying the window: the menu hook leaves on WM_DESTROY, the rest of the
        // destruction reaches the application once, through the button hook.
        parentReceived.clear();
        probesDuringNcDestroy = -1;
        DestroyWindow(window.release());
        EXPECT_EQ(CountOf(parentReceived, WM_DESTROY), 1);
        EXPECT_EQ(CountOf(parentReceived, WM_NCDESTROY), 1);
        EXPECT_EQ(probesDuringNcDestroy, 1);
        EXPECT_FALSE(IsWindow(button));
    }
}
