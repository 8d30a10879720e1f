// MenuHostProc and DrawMenuItem: the messages of a menu loop sent in the order the system
// sends them, so that the thread's loop state can be read at each step, and the system's own loop.
#include "common/test_support.h"
#include "core/exports.h"
#include "core/thread_state.h"
#include "core/subclass.h"
#include "menu/menu_internal.h"
#include "menu/menu_tree_testing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace menu_testing;
using namespace testing_support;
using namespace varnelle;

namespace {

// What the application's own window procedure saw, with the loop state at that moment.
struct Seen {
    UINT message;
    WPARAM wParam;
    HMENU currentMenu;
    uint8_t isPopup;
    uint8_t loopIdle;
    UINT width;  // WM_MEASUREITEM: the size the library gave
    UINT height;
    bool ownerDrawnAtInit; // WM_INITMENUPOPUP: first item of the popup owner-drawn
};
std::vector<Seen> seen;
HMENU appendOnInit = nullptr; // the application adds an item when this popup opens

LRESULT CALLBACK ApplicationProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Seen entry = {message, wParam, ThreadState().CurrentMenu, ThreadState().CurrentMenuIsPopup,
                  ThreadState().MenuLoopIdle, 0, 0, false};
    switch (message) {
    case WM_INITMENUPOPUP: {
        HMENU popup = reinterpret_cast<HMENU>(wParam);
        entry.ownerDrawnAtInit = ItemAt(popup, 0).ownerDrawn();
        if (popup == appendOnInit)
            AppendMenuA(popup, MF_STRING, 150, "Added while opening");
        break;
    }
    case WM_MEASUREITEM:
        if (auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)) {
            entry.width = measure->itemWidth;
            entry.height = measure->itemHeight;
        }
        break;
    case WM_ENTERMENULOOP:
    case WM_EXITMENULOOP:
    case WM_UNINITMENUPOPUP:
    case WM_DRAWITEM:
    case WM_DESTROY:
        break;
    case WM_TIMER:
        KillTimer(hwnd, wParam);
        EndMenu();
        break;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    seen.push_back(entry);
    return message == WM_TIMER ? 0 : DefWindowProcA(hwnd, message, wParam, lParam);
}

std::vector<Seen> SeenOf(UINT message)
{
    std::vector<Seen> found;
    for (const Seen& entry : seen)
        if (entry.message == message)
            found.push_back(entry);
    return found;
}

// The callback of a separator records the loop state at the moment it is asked.
struct CallbackCall {
    HMENU menu;
    bool painting;
    HMENU currentMenu;
    uint8_t isPopup;
    int bkMode;
    RECT rect;
};
std::vector<CallbackCall> callbackCalls;

int WINAPI RecordingCallback(HMENU menu, HDC dc, RECT* rect)
{
    callbackCalls.push_back({menu, dc != nullptr, ThreadState().CurrentMenu, ThreadState().CurrentMenuIsPopup,
                             dc ? GetBkMode(dc) : 0, rect ? *rect : RECT{}});
    if (dc && rect) {
        // Left selected on purpose: DrawMenuItem restores the device context.
        SelectObject(dc, GetStockObject(BLACK_BRUSH));
        SetTextColor(dc, RGB(1, 2, 3));
        PatBlt(dc, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, PATCOPY);
    }
    return 30;
}

MEASUREITEMSTRUCT MeasureRequest(UINT id)
{
    MEASUREITEMSTRUCT measure = {};
    measure.CtlType = ODT_MENU;
    measure.itemID = id;
    measure.itemWidth = 0xDEAD;
    measure.itemHeight = 0xBEEF;
    return measure;
}

DRAWITEMSTRUCT DrawRequest(HMENU menu, UINT id, HDC dc, RECT item)
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

class MenuRouting : public ::testing::Test {
protected:
    void SetUp() override
    {
        ThreadState().CurrentMenu = nullptr;
        ThreadState().MenuLoopIdle = 1;
        ThreadState().CurrentMenuIsPopup = 1;
        seen.clear();
        callbackCalls.clear();
        appendOnInit = nullptr;
        SetMenu(window.hwnd(), sample.bar);
    }

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return SendMessageA(window.hwnd(), message, wParam, lParam);
    }
    WPARAM Menu(HMENU menu) { return reinterpret_cast<WPARAM>(menu); }

    SampleBar sample;
    TestWindow window{ApplicationProc, WS_OVERLAPPEDWINDOW, nullptr, "VarnelleMenuRouting"};
};

} // namespace

TEST_F(MenuRouting, APopupOfTheLoopIsRecordedConvertedAndForgotten)
{
    ASSERT_EQ(RedrawMenu(window.hwnd(), sample.bar, 1), 1);
    AppendMenuA(sample.file, MF_STRING, 140, "Added after RedrawMenu");
    appendOnInit = sample.file;

    Send(WM_ENTERMENULOOP);
    EXPECT_EQ(ThreadState().MenuLoopIdle, 0);
    EXPECT_EQ(Send(WM_INITMENUPOPUP, Menu(sample.file), MAKELPARAM(0, FALSE)), 0);
    EXPECT_EQ(ThreadState().CurrentMenu, sample.file);
    EXPECT_EQ(ThreadState().CurrentMenuIsPopup, 1);
    // The application saw the message first, with nothing recorded yet.
    std::vector<Seen> init = SeenOf(WM_INITMENUPOPUP);
    ASSERT_EQ(init.size(), 1u);
    EXPECT_EQ(init[0].currentMenu, nullptr);
    EXPECT_EQ(init[0].loopIdle, 0);
    // Items added after RedrawMenu, even by the application's own handler, are converted.
    int count = GetMenuItemCount(sample.file);
    ASSERT_EQ(count, 6);
    for (int position = 0; position < count; ++position)
        EXPECT_TRUE(ItemAt(sample.file, position).ownerDrawn()) << position;

    // A submenu opened from the popup changes nothing.
    Send(WM_INITMENUPOPUP, Menu(sample.recent), MAKELPARAM(2, FALSE));
    EXPECT_EQ(ThreadState().CurrentMenu, sample.file);
    Send(WM_UNINITMENUPOPUP, Menu(sample.recent), 0);
    EXPECT_EQ(ThreadState().CurrentMenu, sample.file);

    Send(WM_UNINITMENUPOPUP, Menu(sample.file), 0);
    EXPECT_EQ(ThreadState().CurrentMenu, nullptr);
    EXPECT_EQ(SeenOf(WM_UNINITMENUPOPUP).back().currentMenu, nullptr);
    Send(WM_EXITMENULOOP);
    EXPECT_EQ(ThreadState().MenuLoopIdle, 1);
    EXPECT_EQ(SeenOf(WM_EXITMENULOOP).back().loopIdle, 1);
}

// A window destroyed while its popup is open never gets WM_EXITMENULOOP: the loop state
// goes with it, so another window's menu bar is painted as a menu bar again outside loops. A window that
// does not own the loop leaves the loop alone.
TEST_F(MenuRouting, TheLoopEndsWithTheWindowThatRunsIt)
{
    ASSERT_EQ(RedrawMenu(window.hwnd(), sample.bar, 2), 1);
    SampleBar otherMenu;
    HWND other = TestWindow(ApplicationProc, WS_OVERLAPPEDWINDOW, nullptr, "VarnelleMenuRouting").release();
    ASSERT_EQ(RedrawMenu(other, otherMenu.bar, 2), 1);
    HWND bystander = TestWindow(ApplicationProc, WS_OVERLAPPEDWINDOW, nullptr, "VarnelleMenuRouting").release();
    ASSERT_EQ(RedrawMenu(bystander, otherMenu.help, 2), 1);

    SendMessageA(other, WM_ENTERMENULOOP, 0, 0);
    SendMessageA(other, WM_INITMENUPOPUP, Menu(otherMenu.file), 0);
    ASSERT_EQ(ThreadState().CurrentMenu, otherMenu.file);
    DestroyWindow(bystander);
    EXPECT_EQ(ThreadState().CurrentMenu, otherMenu.file);
    EXPECT_EQ(ThreadState().MenuLoopIdle, 0);
    DestroyWindow(other);
    EXPECT_EQ(ThreadState().CurrentMenu, nullptr);
    EXPECT_EQ(ThreadState().MenuLoopIdle, 1);
}

TEST_F(MenuRouting, PopupsOutsideALoopAndPopupsOfStyle0AreNotTouched)
{
    ASSERT_EQ(RedrawMenu(window.hwnd(), sample.bar, 2), 1);
    AppendMenuA(sample.help, MF_STRING, 141, "Added");
    // Outside a menu loop nothing is recorded or converted.
    Send(WM_INITMENUPOPUP, Menu(sample.help), 0);
    EXPECT_EQ(ThreadState().CurrentMenu, nullptr);
    EXPECT_FALSE(ItemAt(sample.help, 1).ownerDrawn());

    ASSERT_EQ(RedrawMenu(window.hwnd(), sample.bar, 0), 1);
    AppendMenuA(sample.help, MF_STRING, 142, "Added in style 0");
    Send(WM_ENTERMENULOOP);
    Send(WM_INITMENUPOPUP, Menu(sample.help), 0);
    EXPECT_EQ(ThreadState().CurrentMenu, sample.help);
    EXPECT_FALSE(ItemAt(sample.help, 2).ownerDrawn());
    Send(WM_UNINITMENUPOPUP, Menu(sample.help), 0);
    Send(WM_EXITMENULOOP);
}

TEST_F(MenuRouting, ItemsAreLookedUpInTheTopPopupOrInTheMenuBar)
{
    AppendCallbackSeparator(sample.recent, RecordingCallback);
    ConvertToOwnerDraw(sample.bar);
    AppendMenuA(sample.bar, MF_SEPARATOR | MF_OWNERDRAW, 400, nullptr);
    ASSERT_EQ(RedrawMenu(window.hwnd(), sample.bar, 0), 1);
    UINT nestedBand = ItemAt(sample.recent, 2).id;
    UINT fileSeparator = ItemAt(sample.file, 1).id;

    // No popup open: a menu bar item, looked up in the window's menu.
    MEASUREITEMSTRUCT bar = MeasureRequest(400);
    Send(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&bar));
    EXPECT_EQ(bar.itemWidth, 8u);
    EXPECT_EQ(bar.itemHeight, 8u);
    EXPECT_EQ(ThreadState().CurrentMenu, nullptr);
    EXPECT_EQ(ThreadState().CurrentMenuIsPopup, 1);
    // The application sees the message after the library, with CurrentMenu put back.
    Seen barSeen = SeenOf(WM_MEASUREITEM).back();
    EXPECT_EQ(barSeen.width, 8u);
    EXPECT_EQ(barSeen.currentMenu, nullptr);

    Send(WM_ENTERMENULOOP);
    Send(WM_INITMENUPOPUP, Menu(sample.file), 0);
    MEASUREITEMSTRUCT separator = MeasureRequest(fileSeparator);
    Send(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&separator));
    EXPECT_EQ(separator.itemWidth, 8u);
    EXPECT_EQ(separator.itemHeight, 6u); // a popup separator
    // A band in a nested submenu is found through the top popup, which the callback gets.
    MEASUREITEMSTRUCT band = MeasureRequest(nestedBand);
    Send(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&band));
    EXPECT_EQ(band.itemWidth, 30u);
    EXPECT_EQ(band.itemHeight, 5u);
    ASSERT_EQ(callbackCalls.size(), 1u);
    EXPECT_EQ(callbackCalls[0].menu, sample.file);
    EXPECT_FALSE(callbackCalls[0].painting);
    EXPECT_EQ(callbackCalls[0].isPopup, 1);
    // The bar's item is not in the popup: it keeps the system's size.
    MEASUREITEMSTRUCT missing = MeasureRequest(400);
    Send(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&missing));
    EXPECT_EQ(missing.itemWidth, 0xDEADu);
    EXPECT_EQ(missing.itemHeight, 0xBEEFu);
    Send(WM_UNINITMENUPOPUP, Menu(sample.file), 0);
    Send(WM_EXITMENULOOP);
}

TEST_F(MenuRouting, DrawingTakesTheMenuBarOutsideLoopsAndTheTopPopupInside)
{
    AppendCallbackSeparator(sample.recent, RecordingCallback);
    AppendCallbackSeparator(sample.bar, RecordingCallback);
    ASSERT_EQ(RedrawMenu(window.hwnd(), sample.bar, 0), 1);
    ConvertToOwnerDraw(sample.bar); // gives the callback separators identifiers
    UINT barBand = ItemAt(sample.bar, 2).id;
    UINT nestedBand = ItemAt(sample.recent, 2).id;
    DibSurface surface(60, 40);

    DRAWITEMSTRUCT barItem = DrawRequest(sample.bar, barBand, surface.dc(), {0, 0, 8, 8});
    Send(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&barItem));
    ASSERT_EQ(callbackCalls.size(), 1u);
    EXPECT_EQ(callbackCalls[0].currentMenu, sample.bar);
    EXPECT_EQ(callbackCalls[0].isPopup, 0);
    EXPECT_EQ(ThreadState().CurrentMenu, nullptr);
    EXPECT_EQ(ThreadState().CurrentMenuIsPopup, 1);

    Send(WM_ENTERMENULOOP);
    Send(WM_INITMENUPOPUP, Menu(sample.file), 0);
    DRAWITEMSTRUCT nested = DrawRequest(sample.recent, nestedBand, surface.dc(), {0, 10, 30, 15});
    Send(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&nested));
    ASSERT_EQ(callbackCalls.size(), 2u);
    EXPECT_EQ(callbackCalls[1].menu, sample.recent); // painting gets the item's own menu
    EXPECT_EQ(callbackCalls[1].currentMenu, sample.file);
    EXPECT_EQ(callbackCalls[1].isPopup, 1);
    EXPECT_EQ(ThreadState().CurrentMenu, sample.file);
    Send(WM_UNINITMENUPOPUP, Menu(sample.file), 0);
    Send(WM_EXITMENULOOP);

    // After the loop, a popup still recorded by mistake does not hide the menu bar.
    ThreadState().CurrentMenu = sample.help;
    Send(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&barItem));
    ASSERT_EQ(callbackCalls.size(), 3u);
    EXPECT_EQ(callbackCalls[2].currentMenu, sample.bar);
    EXPECT_EQ(ThreadState().CurrentMenu, sample.help);
    ThreadState().CurrentMenu = nullptr;
}

TEST_F(MenuRouting, ControlsMessagesNullStructuresAndBadPopupsPassStraightOn)
{
    ConvertToOwnerDraw(sample.bar);
    ASSERT_EQ(RedrawMenu(window.hwnd(), sample.bar, 1), 1);
    MEASUREITEMSTRUCT control = MeasureRequest(100);
    control.CtlType = ODT_BUTTON;
    Send(WM_MEASUREITEM, 7, reinterpret_cast<LPARAM>(&control));
    EXPECT_EQ(control.itemWidth, 0xDEADu);
    ASSERT_FALSE(SeenOf(WM_MEASUREITEM).empty());
    EXPECT_EQ(SeenOf(WM_MEASUREITEM).back().wParam, 7u);
    Send(WM_MEASUREITEM, 0, 0);
    Send(WM_DRAWITEM, 0, 0);
    EXPECT_EQ(SeenOf(WM_MEASUREITEM).size(), 2u);
    EXPECT_EQ(SeenOf(WM_DRAWITEM).size(), 1u);

    // A popup handle that is no menu is recorded but never measured or painted through.
    HMENU destroyed = CreatePopupMenu();
    AppendMenuA(destroyed, MF_STRING, 100, "Gone");
    DestroyMenu(destroyed);
    for (HMENU popup : {destroyed, reinterpret_cast<HMENU>(0x2468)}) {
        Send(WM_ENTERMENULOOP);
        Send(WM_INITMENUPOPUP, Menu(popup), MAKELPARAM(0, TRUE)); // as the window menu
        EXPECT_EQ(ThreadState().CurrentMenu, popup);
        MEASUREITEMSTRUCT measure = MeasureRequest(100);
        Send(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
        EXPECT_EQ(measure.itemWidth, 0xDEADu);
        DibSurface surface(20, 20);
        DRAWITEMSTRUCT draw = DrawRequest(popup, 100, surface.dc(), {0, 0, 20, 20});
        Send(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
        EXPECT_EQ(surface.countNot({0, 0, 20, 20}, RGB(0x11, 0x22, 0x33)), 0);
        Send(WM_UNINITMENUPOPUP, Menu(popup), MAKELPARAM(0, MF_SYSMENU));
        Send(WM_EXITMENULOOP);
        EXPECT_EQ(ThreadState().CurrentMenu, nullptr);
    }
    EXPECT_EQ(SeenOf(WM_MEASUREITEM).size(), 4u);
    EXPECT_EQ(SeenOf(WM_DRAWITEM).size(), 3u);
}

TEST_F(MenuRouting, ALoopWithoutClosingMessagesLeavesNoPopupRecorded)
{
    // Systems before Windows 98 and 2000 send no WM_UNINITMENUPOPUP.
    ASSERT_EQ(RedrawMenu(window.hwnd(), sample.bar, 1), 1);
    Send(WM_ENTERMENULOOP);
    Send(WM_INITMENUPOPUP, Menu(sample.file), 0);
    Send(WM_EXITMENULOOP);
    EXPECT_EQ(ThreadState().CurrentMenu, nullptr);
    // So the next loop records its popup again.
    Send(WM_ENTERMENULOOP);
    Send(WM_INITMENUPOPUP, Menu(sample.help), 0);
    EXPECT_EQ(ThreadState().CurrentMenu, sample.help);
    Send(WM_UNINITMENUPOPUP, Menu(sample.help), 0);
    Send(WM_EXITMENULOOP);
}

TEST_F(MenuRouting, DrawMenuItemPaintsByStyleBetweenSaveDCAndRestoreDC)
{
    HMENU popup = CreatePopupMenu();
    AppendCallbackSeparator(popup, RecordingCallback);
    AppendMenuA(popup, MF_STRING, 500, "Text");
    ConvertToOwnerDraw(popup);
    UINT band = ItemAt(popup, 0).id;
    DibSurface surface(40, 30, RGB(255, 255, 255));
    HDC dc = surface.dc();
    HGDIOBJ brushBefore = GetCurrentObject(dc, OBJ_BRUSH);
    SetBkMode(dc, OPAQUE);
    SetTextColor(dc, RGB(9, 9, 9));
    IntersectClipRect(dc, 0, 4, 40, 24);
    ThreadState().CurrentMenu = popup;

    // Style 0: the callback paints with the clip box's height, in TRANSPARENT mode.
    StampMenuStyle(popup, 0);
    DRAWITEMSTRUCT item = DrawRequest(popup, band, dc, {2, 10, 12, 15});
    EXPECT_EQ(DrawMenuItem(&item), 1);
    ASSERT_EQ(callbackCalls.size(), 1u);
    EXPECT_EQ(callbackCalls[0].bkMode, TRANSPARENT);
    EXPECT_EQ(callbackCalls[0].rect.left, 2);
    EXPECT_EQ(callbackCalls[0].rect.right, 12);
    EXPECT_EQ(callbackCalls[0].rect.top, 4);
    EXPECT_EQ(callbackCalls[0].rect.bottom, 24);
    EXPECT_EQ(surface.at(5, 5), RGB(0, 0, 0));
    EXPECT_EQ(surface.at(5, 2), RGB(255, 255, 255));
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brushBefore);
    EXPECT_EQ(GetTextColor(dc), RGB(9, 9, 9));

    // A style without a painter, a control's item and an invalid CurrentMenu paint nothing.
    surface.fill(RGB(255, 255, 255));
    StampMenuStyle(popup, 4);
    EXPECT_EQ(DrawMenuItem(&item), 1);
    DRAWITEMSTRUCT control = item;
    control.CtlType = ODT_BUTTON;
    StampMenuStyle(popup, 0);
    EXPECT_EQ(DrawMenuItem(&control), 1);
    ThreadState().CurrentMenu = reinterpret_cast<HMENU>(0x4321);
    EXPECT_EQ(DrawMenuItem(&item), 1);
    DestroyMenu(popup);
    ThreadState().CurrentMenu = popup; // destroyed
    EXPECT_EQ(DrawMenuItem(&item), 1);
    ThreadState().CurrentMenu = nullptr;
    EXPECT_EQ(DrawMenuItem(nullptr), 1);
    EXPECT_EQ(callbackCalls.size(), 1u);
    EXPECT_EQ(surface.countNot({0, 0, 40, 30}, RGB(255, 255, 255)), 0);
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
}

namespace {

LRESULT CALLBACK OtherLibraryProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY)
        seen.push_back({WM_DESTROY, 1, nullptr, 0, 0, 0, 0, false});
    return PassOn(OtherLibraryProc, hwnd, message, wParam, lParam);
}

LRESULT CALLBACK DestroyWatchProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY)
        seen.push_back({WM_DESTROY, 0, nullptr, 0, 0, 0, 0, false});
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace

TEST(MenuHostProcDestroy, AnotherLibraryHookOnTheSameWindowStaysChained)
{
    for (bool menuFirst : {true, false}) {
        SampleBar sample;
        HWND hwnd = TestWindow(DestroyWatchProc, WS_OVERLAPPEDWINDOW, nullptr, "VarnelleMenuDestroyWatch").release();
        if (menuFirst) {
            ASSERT_EQ(RedrawMenu(hwnd, sample.bar, 1), 1);
            SubclassWindow(hwnd, OtherLibraryProc);
        } else {
            SubclassWindow(hwnd, OtherLibraryProc);
            ASSERT_EQ(RedrawMenu(hwnd, sample.bar, 1), 1);
        }
        seen.clear();
        DestroyWindow(hwnd);
        // Each procedure saw WM_DESTROY once and the application got it last.
        ASSERT_EQ(seen.size(), 2u) << menuFirst;
        EXPECT_EQ(seen[0].wParam, 1u);
        EXPECT_EQ(seen[1].wParam, 0u);
    }
}

namespace {

HMENU currentInLoop = nullptr;
uint8_t idleInLoop = 1;
void CALLBACK ClosePopup(HWND hwnd, UINT, UINT_PTR id, DWORD)
{
    currentInLoop = ThreadState().CurrentMenu;
    idleInLoop = ThreadState().MenuLoopIdle;
    KillTimer(hwnd, id);
    EndMenu();
}

} // namespace

TEST_F(MenuRouting, TheSystemsLoopSetsAndClearsCurrentMenu)
{
    ASSERT_EQ(RedrawMenu(window.hwnd(), sample.bar, 3), 1);
    ShowWindow(window.hwnd(), SW_SHOW);
    SetForegroundWindow(window.hwnd());
    PumpMessages();
    currentInLoop = nullptr;
    SetTimer(window.hwnd(), 1, 300, ClosePopup);
    TrackPopupMenu(sample.file, TPM_LEFTALIGN, 40, 40, 0, window.hwnd(), nullptr);
    PumpMessages();
    EXPECT_EQ(currentInLoop, sample.file);
    EXPECT_EQ(idleInLoop, 0);
    EXPECT_EQ(ThreadState().CurrentMenu, nullptr);
    EXPECT_EQ(ThreadState().MenuLoopIdle, 1);
    EXPECT_EQ(ThreadState().CurrentMenuIsPopup, 1);
    // The system's own messages reached the library before the application.
    std::vector<Seen> measured = SeenOf(WM_MEASUREITEM);
    ASSERT_FALSE(measured.empty());
    for (const Seen& entry : measured) {
        EXPECT_NE(entry.width, 0u);
        EXPECT_EQ(entry.currentMenu, sample.file);
        EXPECT_EQ(entry.loopIdle, 0);
    }
    EXPECT_FALSE(SeenOf(WM_DRAWITEM).empty());
}
