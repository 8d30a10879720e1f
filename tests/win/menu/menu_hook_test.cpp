// RedrawMenu, GetStyleMenu and SetDisableSelect through the DLL, and the system's own menu
// loop on a hooked window. This executable also runs as test_menu_winxp, _win2k, _win98 and
// _win10, so the expectations that depend on the release are read from the system; those
// copies run only the suites named *AcrossVersions.
#include "common/test_support.h"
#include "menu/menu_tree_testing.h"
#include "varnelle.h"

#include <gtest/gtest.h>

#include <vector>

using namespace menu_testing;
using namespace testing_support;

namespace {

// Read before any test has run: the DLL's initial DisableSelect.
const int initialDisableSelect = SetDisableSelect(1);

// What the application's own window procedure saw during a menu loop.
struct Event {
    UINT message;
    HMENU menu;        // WM_INITMENUPOPUP / WM_UNINITMENUPOPUP: the popup; WM_DRAWITEM: hwndItem
    bool windowMenu;   // WM_INITMENUPOPUP: HIWORD(lParam)
    std::vector<UINT> ids; // the popup's identifiers when the application saw the message
    UINT itemId;
    UINT width;
    RECT itemRect;
};
std::vector<Event> events;

std::vector<UINT> IdsOf(HMENU menu)
{
    std::vector<UINT> ids;
    for (int position = 0; position < GetMenuItemCount(menu); ++position)
        ids.push_back(ItemAt(menu, position).id);
    return ids;
}

LRESULT CALLBACK ApplicationProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Event event = {message, nullptr, false, {}, 0, 0, {}};
    switch (message) {
    case WM_INITMENUPOPUP:
    case WM_UNINITMENUPOPUP:
        event.menu = reinterpret_cast<HMENU>(wParam);
        event.windowMenu = message == WM_INITMENUPOPUP && HIWORD(lParam) != 0;
        event.ids = IdsOf(event.menu);
        break;
    case WM_MEASUREITEM:
        if (wParam == 0) {
            auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            event.itemId = measure->itemID;
            event.width = measure->itemWidth;
        }
        break;
    case WM_DRAWITEM:
        if (wParam == 0) {
            auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            event.menu = reinterpret_cast<HMENU>(draw->hwndItem);
            event.itemId = draw->itemID;
            event.itemRect = draw->rcItem;
        }
        break;
    case WM_ENTERMENULOOP:
    case WM_EXITMENULOOP:
    case WM_APP:
        break;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    events.push_back(event);
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

std::vector<Event> EventsOf(UINT message)
{
    std::vector<Event> found;
    for (const Event& event : events)
        if (event.message == message)
            found.push_back(event);
    return found;
}

bool Measured(UINT id)
{
    for (const Event& event : EventsOf(WM_MEASUREITEM))
        if (event.itemId == id)
            return true;
    return false;
}

bool DrawnIn(HMENU menu)
{
    for (const Event& event : EventsOf(WM_DRAWITEM))
        if (event.menu == menu)
            return true;
    return false;
}

WNDPROC ProcOf(HWND hwnd)
{
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
}

// The window menu's popup as the application saw it open, and its identifiers meanwhile.
HMENU openWindowMenu = nullptr;
std::vector<UINT> idsWhileOpen;

void CALLBACK CloseMenu(HWND hwnd, UINT, UINT_PTR id, DWORD)
{
    KillTimer(hwnd, id);
    for (const Event& event : EventsOf(WM_INITMENUPOPUP))
        if (event.windowMenu)
            openWindowMenu = event.menu;
    if (openWindowMenu)
        idsWhileOpen = IdsOf(openWindowMenu);
    EndMenu();
}

void CALLBACK PressDown(HWND hwnd, UINT, UINT_PTR id, DWORD)
{
    KillTimer(hwnd, id);
    PostMessageA(hwnd, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(hwnd, WM_KEYUP, VK_DOWN, 0xC0000001);
}

class MenuWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        events.clear();
        openWindowMenu = nullptr;
        idsWhileOpen.clear();
        SetMenu(hwnd(), sample.bar);
        ShowWindow(hwnd(), SW_SHOW);
        SetForegroundWindow(hwnd());
        PumpMessages();
    }
    HWND hwnd() const { return window.hwnd(); }

    // Runs the system's menu loop on a popup of the window until a timer ends it.
    void TrackPopup(HMENU popup)
    {
        SetTimer(hwnd(), 1, 400, CloseMenu);
        TrackPopupMenu(popup, TPM_LEFTALIGN, 40, 40, 0, hwnd(), nullptr);
        PumpMessages();
    }

    // Opens the menu bar by keyboard, as Alt and a mnemonic (or the arrow keys) do.
    void OpenMenuBar(LPARAM key, bool pressDown)
    {
        if (pressDown)
            SetTimer(hwnd(), 2, 200, PressDown);
        SetTimer(hwnd(), 1, 700, CloseMenu);
        PostMessageA(hwnd(), WM_SYSCOMMAND, SC_KEYMENU, key);
        PumpMessages(1200);
    }

    SampleBar sample;
    TestWindow window{ApplicationProc, WS_OVERLAPPEDWINDOW, nullptr, "VarnelleMenuHookApp"};
};

// The menu bar in style 2 and the window menu's identifiers: what changes with the release.
class MenuWindowAcrossVersions : public MenuWindow {};

struct BandCall {
    HMENU menu;
    bool painting;
    RECT rect;
};
std::vector<BandCall> bandCalls;

int WINAPI Band(HMENU menu, HDC dc, RECT* rect)
{
    bandCalls.push_back({menu, dc != nullptr && rect != nullptr, rect ? *rect : RECT{}});
    return 0;
}

std::vector<bool> OwnerDrawnItems(HMENU menu)
{
    std::vector<bool> flags;
    for (int position = 0; position < GetMenuItemCount(menu); ++position)
        flags.push_back(ItemAt(menu, position).ownerDrawn());
    return flags;
}

} // namespace

TEST(SetDisableSelect, StoresTheLowByteAndReturnsThePreviousOne)
{
    EXPECT_EQ(initialDisableSelect, 1);
    EXPECT_EQ(SetDisableSelect(0x1FF), 1);
    EXPECT_EQ(SetDisableSelect(0x100), 0xFF);
    EXPECT_EQ(SetDisableSelect(-1), 0);
    EXPECT_EQ(SetDisableSelect(1), 0xFF);
}

TEST(GetStyleMenu, ReadsTheMenuDataWordOrZero)
{
    HMENU menu = CreatePopupMenu();
    EXPECT_EQ(GetStyleMenu(menu), 0);
    SetMenuData(menu, 7); // a menu the application keeps its own word in
    EXPECT_EQ(GetStyleMenu(menu), 7);
    DestroyMenu(menu);
    EXPECT_EQ(GetStyleMenu(menu), 0);
    EXPECT_EQ(GetStyleMenu(nullptr), 0);
    EXPECT_EQ(GetStyleMenu(reinterpret_cast<HMENU>(0x12345)), 0);
}

TEST(RedrawMenu, RefusesInvalidWindowsAndMenusAndChangesNothing)
{
    SampleBar sample;
    TestWindow window(ApplicationProc, WS_OVERLAPPEDWINDOW, nullptr, "VarnelleMenuHookApp");
    HWND destroyedWindow = TestWindow(ApplicationProc, WS_OVERLAPPEDWINDOW, nullptr, "VarnelleMenuHookApp").release();
    DestroyWindow(destroyedWindow);
    HMENU destroyedMenu = CreatePopupMenu();
    DestroyMenu(destroyedMenu);
    // A window of another process (the desktop belongs to Wine's explorer) cannot be hooked.
    HWND foreign = GetDesktopWindow();
    DWORD foreignProcess = 0;
    GetWindowThreadProcessId(foreign, &foreignProcess);
    ASSERT_NE(foreignProcess, GetCurrentProcessId());

    std::vector<ItemState> tree = Tree(sample.bar);
    auto* garbageWindow = reinterpret_cast<HWND>(0x7654);
    auto* garbageMenu = reinterpret_cast<HMENU>(0x7654);
    for (HWND hwnd : {static_cast<HWND>(nullptr), garbageWindow, destroyedWindow, foreign})
        for (int type : {0, 1, 2, 3})
            EXPECT_EQ(RedrawMenu(hwnd, sample.bar, type), 0);
    for (HMENU menu : {static_cast<HMENU>(nullptr), garbageMenu, destroyedMenu})
        EXPECT_EQ(RedrawMenu(window.hwnd(), menu, 2), 0);
    EXPECT_EQ(RedrawMenu(nullptr, nullptr, 1), 0);
    EXPECT_EQ(Tree(sample.bar), tree);
    EXPECT_EQ(MenuData(sample.bar), 0u);
    EXPECT_EQ(ProcOf(window.hwnd()), ApplicationProc);
    EXPECT_EQ(GetPropA(window.hwnd(), "OLD_WND_PROC"), nullptr);
}

TEST_F(MenuWindowAcrossVersions, EachStyleConvertsTheTreeItsWay)
{
    AppendCallbackSeparator(sample.help, Band);
    bool barPainted = RunningOnWindows2000OrXp();
    auto expectPopupsOwnerDrawn = [&](bool ownerDrawn) {
        EXPECT_EQ(OwnerDrawnItems(sample.file), std::vector<bool>(4, ownerDrawn));
        EXPECT_EQ(OwnerDrawnItems(sample.recent), std::vector<bool>(2, ownerDrawn));
        EXPECT_EQ(OwnerDrawnItems(sample.help), (std::vector<bool>{ownerDrawn, true}));
    };
    auto expectStyle = [&](int style) {
        for (HMENU menu : {sample.bar, sample.file, sample.recent, sample.help})
            EXPECT_EQ(GetStyleMenu(menu), style);
    };

    ASSERT_EQ(RedrawMenu(hwnd(), sample.bar, 2), 1);
    EXPECT_EQ(OwnerDrawnItems(sample.bar), std::vector<bool>(2, barPainted));
    expectPopupsOwnerDrawn(true);
    expectStyle(2);
    // The menu bar is painted by the library on Windows 2000 and XP only.
    PumpMessages(200);
    EXPECT_EQ(DrawnIn(sample.bar), barPainted);

    ASSERT_EQ(RedrawMenu(hwnd(), sample.bar, 1), 1);
    EXPECT_EQ(OwnerDrawnItems(sample.bar), std::vector<bool>(2, false));
    expectPopupsOwnerDrawn(true);
    expectStyle(1);

    ASSERT_EQ(RedrawMenu(hwnd(), sample.bar, 0), 1);
    EXPECT_EQ(OwnerDrawnItems(sample.bar), std::vector<bool>(2, false));
    expectPopupsOwnerDrawn(false);
    expectStyle(0);

    // Elsewhere style 2 leaves bar items that the application made owner-drawn as they are.
    MENUITEMINFOA help = {};
    help.cbSize = sizeof(help);
    help.fMask = MIIM_FTYPE;
    GetMenuItemInfoA(sample.bar, 1, TRUE, &help);
    help.fType |= MFT_OWNERDRAW;
    SetMenuItemInfoA(sample.bar, 1, TRUE, &help);
    ASSERT_EQ(RedrawMenu(hwnd(), sample.bar, 2), 1);
    EXPECT_EQ(OwnerDrawnItems(sample.bar), (std::vector<bool>{barPainted, true}));

    ASSERT_EQ(RedrawMenu(hwnd(), sample.bar, 3), 1);
    EXPECT_EQ(OwnerDrawnItems(sample.bar), std::vector<bool>(2, false));
    expectPopupsOwnerDrawn(true);
    expectStyle(3);
    EXPECT_NE(ProcOf(hwnd()), ApplicationProc);
}

TEST_F(MenuWindow, AnUnknownStyleConvertsNothingButIsStoredAndHooks)
{
    std::vector<ItemState> tree = Tree(sample.bar);
    ASSERT_EQ(RedrawMenu(hwnd(), sample.bar, 4), 1);
    EXPECT_EQ(Tree(sample.bar), tree);
    EXPECT_EQ(GetStyleMenu(sample.recent), 4);
    EXPECT_NE(ProcOf(hwnd()), ApplicationProc);
}

TEST_F(MenuWindow, TheWindowIsHookedOnceAndUnhookedOnDestroy)
{
    HMENU context = CreatePopupMenu();
    AppendMenuA(context, MF_STRING, 700, "Context");
    ASSERT_EQ(RedrawMenu(hwnd(), sample.bar, 1), 1);
    WNDPROC hook = ProcOf(hwnd());
    EXPECT_NE(hook, ApplicationProc);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetPropA(hwnd(), "OLD_WND_PROC")), ApplicationProc);
    // A second call, with a menu that is not the window's, hooks nothing more. The menu's
    // own items stay system-drawn in style 3 until it opens as a popup.
    ASSERT_EQ(RedrawMenu(hwnd(), context, 3), 1);
    EXPECT_EQ(ProcOf(hwnd()), hook);
    EXPECT_EQ(GetStyleMenu(context), 3);
    EXPECT_FALSE(ItemAt(context, 0).ownerDrawn());
    TrackPopup(context);
    EXPECT_TRUE(ItemAt(context, 0).ownerDrawn());
    EXPECT_TRUE(Measured(700));
    EXPECT_EQ(GetStyleMenu(sample.bar), 1);
    events.clear();
    SendMessageA(hwnd(), WM_APP, 0, 0);
    EXPECT_EQ(EventsOf(WM_APP).size(), 1u);

    SendMessageA(hwnd(), WM_DESTROY, 0, 0); // as DestroyWindow sends it
    EXPECT_EQ(ProcOf(hwnd()), ApplicationProc);
    EXPECT_EQ(GetPropA(hwnd(), "OLD_WND_PROC"), nullptr);
    DestroyMenu(context);
}

TEST_F(MenuWindow, APopupOfTheSystemsLoopIsConvertedMeasuredAndDrawnThroughTheLibrary)
{
    for (int style : {1, 2, 3}) {
        ASSERT_EQ(RedrawMenu(hwnd(), sample.bar, style), 1);
        UINT added = 140 + style;
        AppendMenuA(sample.file, MF_STRING, added, "Added after RedrawMenu");
        ASSERT_FALSE(ItemAt(sample.file, GetMenuItemCount(sample.file) - 1).ownerDrawn());
        events.clear();
        TrackPopup(sample.file);

        std::vector<Event> init = EventsOf(WM_INITMENUPOPUP);
        ASSERT_FALSE(init.empty()) << style;
        EXPECT_EQ(init[0].menu, sample.file);
        EXPECT_TRUE(ItemAt(sample.file, GetMenuItemCount(sample.file) - 1).ownerDrawn()) << style;
        // The library measured every item before the application saw the message.
        EXPECT_TRUE(Measured(100));
        EXPECT_TRUE(Measured(added)) << style;
        for (const Event& event : EventsOf(WM_MEASUREITEM))
            EXPECT_GT(event.width, 0u) << event.itemId;
        EXPECT_TRUE(DrawnIn(sample.file)) << style;
        ASSERT_FALSE(EventsOf(WM_EXITMENULOOP).empty());
    }
}

TEST_F(MenuWindow, InStyle0OnlyCallbackSeparatorsReachTheLibrary)
{
    ASSERT_TRUE(AddLeftBorder(sample.file, Band, 1));
    ASSERT_EQ(RedrawMenu(hwnd(), sample.bar, 0), 1);
    events.clear();
    bandCalls.clear();
    TrackPopup(sample.file);
    ASSERT_FALSE(EventsOf(WM_INITMENUPOPUP).empty());
    std::vector<Event> measured = EventsOf(WM_MEASUREITEM);
    ASSERT_EQ(measured.size(), 1u);
    EXPECT_EQ(measured[0].itemId, 0u); // the band keeps identifier 0
    EXPECT_EQ(measured[0].width, 8u);  // its callback answered 0
    EXPECT_FALSE(Measured(100));

    // Asked for its width with neither DC nor rectangle, then to paint the popup's height.
    ASSERT_GE(bandCalls.size(), 2u);
    EXPECT_EQ(bandCalls[0].menu, sample.file);
    EXPECT_FALSE(bandCalls[0].painting);
    std::vector<Event> drawn = EventsOf(WM_DRAWITEM);
    ASSERT_FALSE(drawn.empty());
    const RECT& item = drawn[0].itemRect;
    const BandCall& paint = bandCalls[1];
    EXPECT_TRUE(paint.painting);
    EXPECT_EQ(paint.menu, sample.file);
    EXPECT_EQ(paint.rect.left, item.left);
    EXPECT_EQ(paint.rect.right, item.right);
    EXPECT_LE(paint.rect.top, item.top);
    EXPECT_GT(paint.rect.bottom - paint.rect.top, 4 * (item.bottom - item.top)); // the whole column
}

TEST_F(MenuWindowAcrossVersions, TheMenuBarOpenedByKeyboard)
{
    ASSERT_EQ(RedrawMenu(hwnd(), sample.bar, 1), 1);
    OpenMenuBar('f', false);
    std::vector<Event> init = EventsOf(WM_INITMENUPOPUP);
    ASSERT_FALSE(init.empty());
    EXPECT_EQ(init[0].menu, sample.file);
    EXPECT_TRUE(Measured(101));
    EXPECT_TRUE(DrawnIn(sample.file));
    EXPECT_FALSE(DrawnIn(sample.bar));

    // Style 2: on Windows 2000 and XP the bar's own items come to the library too.
    ASSERT_EQ(RedrawMenu(hwnd(), sample.bar, 2), 1);
    events.clear();
    OpenMenuBar(0, true);
    init = EventsOf(WM_INITMENUPOPUP);
    ASSERT_FALSE(init.empty());
    EXPECT_EQ(init[0].menu, sample.file);
    EXPECT_TRUE(DrawnIn(sample.file));
    EXPECT_EQ(DrawnIn(sample.bar), RunningOnWindows2000OrXp());
}

TEST_F(MenuWindowAcrossVersions, WindowMenuIdentifiersAreShiftedWhileOpenOnXpOnly)
{
    ASSERT_EQ(RedrawMenu(hwnd(), sample.bar, 2), 1);
    OpenMenuBar(' ', false);
    ASSERT_NE(openWindowMenu, nullptr);
    std::vector<UINT> standard = IdsOf(openWindowMenu);
    auto has = [](const std::vector<UINT>& ids, UINT id) {
        for (UINT each : ids)
            if (each == id)
                return true;
        return false;
    };
    for (UINT id : {SC_RESTORE, SC_CLOSE, SC_MINIMIZE, SC_MAXIMIZE})
        EXPECT_TRUE(has(standard, id)) << id;
    // The application sees the standard identifiers when the menu opens and closes.
    std::vector<Event> init = EventsOf(WM_INITMENUPOPUP);
    std::vector<Event> uninit = EventsOf(WM_UNINITMENUPOPUP);
    ASSERT_FALSE(init.empty());
    ASSERT_FALSE(uninit.empty());
    EXPECT_EQ(init[0].ids, standard);
    EXPECT_EQ(uninit.back().ids, standard);

    std::vector<UINT> expected = standard;
    if (RunningOnWindowsXp()) {
        for (UINT& id : expected)
            if (id == SC_RESTORE || id == SC_CLOSE || id == SC_MINIMIZE)
                ++id;
    }
    EXPECT_EQ(idsWhileOpen, expected);
    EXPECT_TRUE(has(idsWhileOpen, SC_MAXIMIZE));
}
