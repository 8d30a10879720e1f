// MenuHostProc follows the system's menu loop on a hooked window: it records the open
// popup, converts popups as they open, and hands owner-drawn menu items to measurement
// and to the painter of the menu's style. Every message reaches the previous procedure.
#include "../core/colour_mode.h"
#include "../core/exports.h"
#include "../core/thread_state.h"
#include "../core/subclass.h"
#include "menu_background.h"
#include "menu_internal.h"
#include "menu_loop_cache.h"

namespace varnelle {
namespace {

// Windows 8.1's message, not in the headers of older systems' targets.
constexpr UINT kDpiChanged = 0x02E0;

// The loop state of this thread: a window of another GUI thread runs a loop of its own.
// ShiftedWindowMenu is remembered because the closing message does not always say that
// the window menu closes (Wine sends WM_UNINITMENUPOPUP with a zero high word for it).
// LoopWindow, destroyed during its loop, never gets WM_EXITMENULOOP, which would leave the
// loop state of every other hooked window of the thread set.

void RestoreShiftedWindowMenu(HWND hwnd)
{
    ThreadStateFields& state = ThreadState();
    if (state.ShiftedWindowMenu) {
        RestoreSysMenuIds(hwnd, state.ShiftedWindowMenu);
        state.ShiftedWindowMenu = nullptr;
    }
}

// The open popup is forgotten when its loop ends even if its closing message never came
// (systems before Windows 98 and 2000 do not send WM_UNINITMENUPOPUP); otherwise no popup
// of a later loop would be recorded.
void ForgetOpenPopup(HWND hwnd)
{
    ThreadState().CurrentMenu = nullptr;
    RestoreShiftedWindowMenu(hwnd);
    EndLoopCache();
}

LRESULT OnInitMenuPopup(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    PassOn(MenuHostProc, hwnd, WM_INITMENUPOPUP, wParam, lParam);
    PreparePopupBackground(reinterpret_cast<HMENU>(wParam));
    // Submenus opened from the open popup, and popups outside a menu loop, change nothing.
    ThreadStateFields& state = ThreadState();
    if (state.CurrentMenu || state.MenuLoopIdle)
        return 0;
    HMENU popup = reinterpret_cast<HMENU>(wParam);
    state.CurrentMenu = popup;
    state.CurrentMenuIsPopup = 1;
    int style = GetStyleMenu(popup);
    // Items added since RedrawMenu become owner-drawn here.
    if (style >= 1 && style <= 3)
        ConvertToOwnerDraw(popup);
    if (HIWORD(lParam)) {
        ShiftSysMenuIds(hwnd, popup);
        state.ShiftedWindowMenu = popup;
    }
    return 0;
}

LRESULT OnUninitMenuPopup(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    HMENU closing = reinterpret_cast<HMENU>(wParam);
    const ThreadStateFields& current = ReadThreadState();
    if (closing && closing == current.CurrentMenu && !current.MenuLoopIdle) {
        ThreadStateFields& state = ThreadState();
        state.CurrentMenu = nullptr;
        // The identifiers are turned back before the previous procedure sees the message.
        if (HIWORD(lParam) == MF_SYSMENU || closing == state.ShiftedWindowMenu)
            RestoreSysMenuIds(hwnd, closing);
        if (closing == state.ShiftedWindowMenu)
            state.ShiftedWindowMenu = nullptr;
    }
    return PassOn(MenuHostProc, hwnd, WM_UNINITMENUPOPUP, wParam, lParam);
}

// Sets CurrentMenu to the menu the item is looked up in for one WM_MEASUREITEM or
// WM_DRAWITEM, and puts it back afterwards.
class ItemLookup {
public:
    ItemLookup(HWND hwnd, bool menuBarItem) : state_(ThreadState()), saved_(state_.CurrentMenu)
    {
        if (menuBarItem) {
            state_.CurrentMenu = GetMenu(hwnd);
            state_.CurrentMenuIsPopup = 0;
        } else {
            state_.CurrentMenuIsPopup = 1;
        }
    }
    ~ItemLookup()
    {
        state_.CurrentMenu = saved_;
        state_.CurrentMenuIsPopup = 1;
    }
    HMENU menu() const { return state_.CurrentMenu; }
    ItemLookup(const ItemLookup&) = delete;
    ItemLookup& operator=(const ItemLookup&) = delete;

private:
    ThreadStateFields& state_;
    HMENU saved_;
};

LRESULT OnMeasureItem(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    // A nonzero wParam is a control's message; a null structure is not the system's.
    if (wParam == 0 && item) {
        // While a popup of the loop is open every measured item is taken as a popup item.
        ItemLookup lookup(hwnd, ReadThreadState().CurrentMenu == nullptr);
        if (IsMenu(lookup.menu()))
            MeasureMenuItem(item);
    }
    return PassOn(MenuHostProc, hwnd, WM_MEASUREITEM, wParam, lParam);
}

LRESULT OnDrawItem(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (wParam == 0 && item) {
        // The menu bar is also repainted outside menu loops, and inside one whenever the
        // window's frame is repainted while a popup is open: an item of the window's own
        // menu is a menu-bar item whatever the loop is doing.
        const ThreadStateFields& state = ReadThreadState();
        const bool menuBarItem = state.CurrentMenu == nullptr || state.MenuLoopIdle ||
                                 (item->CtlType == ODT_MENU && reinterpret_cast<HMENU>(item->hwndItem) == GetMenu(hwnd));
        ItemLookup lookup(hwnd, menuBarItem);
        if (IsMenu(lookup.menu()))
            DrawMenuItem(item, (GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0);
    }
    return PassOn(MenuHostProc, hwnd, WM_DRAWITEM, wParam, lParam);
}

LRESULT OnDestroy(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    if (hwnd == ReadThreadState().LoopWindow) {
        ForgetOpenPopup(hwnd);
        ThreadStateFields& state = ThreadState();
        state.MenuLoopIdle = 1;
        state.LoopWindow = nullptr;
    }
    // Taken before the hook is removed, which forgets it. Under another party's procedure
    // the hook stays as a pass-through until WM_NCDESTROY.
    PreviousProcedure previous = PreviousWindowProc(hwnd, MenuHostProc);
    ForgetMenuBackground(hwnd);
    RemoveWindowHook(hwnd, MenuHostProc);
    return CallPrevious(previous, hwnd, WM_DESTROY, wParam, lParam);
}

// The user switched applications between light and dark, or high contrast: the colours
// are read again and the window follows them.
void OnSettingChange(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    if (!IsColourSettingChange(PreviousWindowProc(hwnd, MenuHostProc).wide, wParam, lParam))
        return;
    static_cast<void>(RereadAppsTheme());
    ApplyColourModeTo(hwnd);
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

} // namespace

LRESULT CALLBACK MenuHostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITMENUPOPUP:
        return OnInitMenuPopup(hwnd, wParam, lParam);
    case WM_UNINITMENUPOPUP:
        return OnUninitMenuPopup(hwnd, wParam, lParam);
    case WM_MEASUREITEM:
        return OnMeasureItem(hwnd, wParam, lParam);
    case WM_DRAWITEM:
        return OnDrawItem(hwnd, wParam, lParam);
    case WM_ENTERMENULOOP: {
        // No popup of an earlier loop can still be open.
        ForgetOpenPopup(hwnd);
        ThreadStateFields& state = ThreadState();
        state.MenuLoopIdle = 0;
        state.LoopWindow = hwnd;
        break;
    }
    case WM_EXITMENULOOP: {
        ThreadStateFields& state = ThreadState();
        state.MenuLoopIdle = 1;
        ForgetOpenPopup(hwnd);
        state.LoopWindow = nullptr;
        break;
    }
    case WM_SETTINGCHANGE:
        LookMayHaveChanged();
        OnSettingChange(hwnd, wParam, lParam);
        break;
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
    case kDpiChanged:
        LookMayHaveChanged();
        break;
    case WM_NCPAINT:
    case WM_NCACTIVATE: {
        // The frame (and with it the menu bar) is painted by the previous procedures.
        const LRESULT result = PassOn(MenuHostProc, hwnd, message, wParam, lParam);
        PaintDarkMenuBarRest(hwnd);
        return result;
    }
    case WM_DESTROY:
        return OnDestroy(hwnd, wParam, lParam);
    case WM_NCDESTROY:
        return PassOnLastMessage(MenuHostProc, hwnd, message, wParam, lParam);
    default:
        break;
    }
    return PassOn(MenuHostProc, hwnd, message, wParam, lParam);
}

} // namespace varnelle
