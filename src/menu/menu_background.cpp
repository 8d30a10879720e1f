#include "menu_background.h"

#include "../core/colour_mode.h"
#include "../core/exports.h"
#include "../core/gdi_handles.h"
#include "../core/subclass.h"
#include "menu_internal.h"
#include "menu_loop_cache.h"
#include "menu_walk.h"
#include "os_kind.h"

namespace varnelle {
namespace {

// The menu bar in the button face of the palette, popups in its menu colour. A brush is
// made when a dark menu first needs it and deleted when no menu shows it any more; the
// handle of a deleted one is remembered (never used) to recognise a popup that still
// names it. Process-wide state with static initial values: no code runs at load, and
// nothing is left to a destructor at unload.
struct Background {
    HBRUSH brush;
    HBRUSH retired;
};
constinit Background barBackground = {nullptr, nullptr};
constinit Background popupBackground = {nullptr, nullptr};

HBRUSH BrushOf(Background& background, PaletteColour colour)
{
    if (!background.brush)
        background.brush = CreateSolidBrush(kDarkPalette[colour]);
    return background.brush;
}

void Retire(Background& background)
{
    if (!background.brush)
        return;
    DeleteObject(background.brush);
    background.retired = background.brush;
    background.brush = nullptr;
}

bool IsOurs(HBRUSH brush, const Background& background)
{
    return brush && (brush == background.brush || brush == background.retired);
}

bool IsStyledMenu(HMENU menu)
{
    const int style = GetStyleMenu(menu);
    return style >= 1 && style <= 3;
}

HBRUSH BackgroundOf(HMENU menu)
{
    MENUINFO info = {};
    info.cbSize = kMenuInfoSize;
    info.fMask = MIM_BACKGROUND;
    return GetMenuInfo(menu, &info) ? info.hbrBack : nullptr;
}

void SetBackground(HMENU menu, HBRUSH brush)
{
    MENUINFO info = {};
    info.cbSize = kMenuInfoSize;
    info.fMask = MIM_BACKGROUND;
    info.hbrBack = brush;
    SetMenuInfo(menu, &info);
}

// A background the application chose stays; only none, or one of the library's, changes.
void TakeBackground(HMENU menu, HBRUSH wanted, const Background& background)
{
    const HBRUSH current = BackgroundOf(menu);
    if (current != wanted && (!current || IsOurs(current, background)))
        SetBackground(menu, wanted);
}

void DropBackground(HMENU menu, const Background& background)
{
    if (IsOurs(BackgroundOf(menu), background))
        SetBackground(menu, nullptr);
}

void ForEachSubmenu(HMENU menu, int depth, void (*visit)(HMENU))
{
    if (depth > kMaxMenuDepth)
        return;
    const UINT count = ItemCount(menu);
    for (UINT position = 0; position < count; ++position) {
        if (HMENU submenu = GetSubMenu(menu, static_cast<int>(position))) {
            visit(submenu);
            ForEachSubmenu(submenu, depth + 1, visit);
        }
    }
}

bool DarkMenus()
{
    return DarkPaletteInUse();
}

void DarkenBar(HMENU bar)
{
    TakeBackground(bar, BrushOf(barBackground, PaletteColour::ButtonFace), barBackground);
    ForEachSubmenu(bar, 1, [](HMENU submenu) {
        TakeBackground(submenu, BrushOf(popupBackground, PaletteColour::Menu), popupBackground);
    });
    // Painted by the library, as style 2 paints it on Windows 2000 and XP.
    ConvertToOwnerDraw(bar);
}

void LightenBar(HMENU bar)
{
    const bool darkened = IsOurs(BackgroundOf(bar), barBackground);
    DropBackground(bar, barBackground);
    ForEachSubmenu(bar, 1, [](HMENU submenu) { DropBackground(submenu, popupBackground); });
    if (!darkened || !IsStyledMenu(bar))
        return;
    // The bar's items go back to the system, except style 2's on Windows 2000 and XP.
    if (GetStyleMenu(bar) != 2 || !PaintsStyle2MenuBar(GetOsKind()))
        ClearBarOwnerDraw(bar);
}

struct HookedWindows {
    HWND skip;
    bool any;
};

BOOL CALLBACK FindHookedWindow(HWND window, LPARAM context)
{
    auto* found = reinterpret_cast<HookedWindows*>(context);
    if (window != found->skip && IsOwnWindow(window) && IsHookInstalled(window, MenuHostProc)) {
        found->any = true;
        return FALSE;
    }
    return TRUE;
}

bool OtherHookedWindows(HWND except)
{
    HookedWindows found = {except, false};
    EnumWindows(FindHookedWindow, reinterpret_cast<LPARAM>(&found));
    return found.any;
}

BOOL CALLBACK ApplyAndRepaint(HWND window, LPARAM)
{
    if (!IsOwnWindow(window))
        return TRUE;
    if (IsHookInstalled(window, MenuHostProc))
        ApplyColourModeTo(window);
    // Skinned buttons and everything else the colours reach are repainted too.
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return TRUE;
}

} // namespace

void ApplyColourModeTo(HWND window)
{
    const HMENU bar = GetMenu(window);
    if (!IsMenu(bar))
        return;
    if (DarkMenus() && IsStyledMenu(bar))
        DarkenBar(bar);
    else
        LightenBar(bar);
    DrawMenuBar(window);
}

void PreparePopupBackground(HMENU popup)
{
    if (!IsMenu(popup))
        return;
    if (DarkMenus() && IsStyledMenu(popup))
        TakeBackground(popup, BrushOf(popupBackground, PaletteColour::Menu), popupBackground);
    else
        DropBackground(popup, popupBackground);
}

void ForgetMenuBackground(HWND window)
{
    const HMENU bar = GetMenu(window);
    if (IsMenu(bar)) {
        DropBackground(bar, barBackground);
        ForEachSubmenu(bar, 1, [](HMENU submenu) { DropBackground(submenu, popupBackground); });
    }
    if (!OtherHookedWindows(window)) {
        Retire(barBackground);
        Retire(popupBackground);
    }
}

void ApplyColourModeToHookedWindows()
{
    EnumWindows(ApplyAndRepaint, 0);
    if (!DarkMenus()) {
        Retire(barBackground);
        Retire(popupBackground);
    }
}

void PaintDarkMenuBarRest(HWND window)
{
    const HMENU bar = GetMenu(window);
    if (!DarkMenus() || !IsMenu(bar) || !barBackground.brush || BackgroundOf(bar) != barBackground.brush ||
        (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_LAYOUTRTL))
        return;
    MENUBARINFO info = {};
    info.cbSize = sizeof(info);
    RECT frame;
    if (!GetMenuBarInfo(window, OBJID_MENU, 0, &info) || !GetWindowRect(window, &frame))
        return;
    RECT area = info.rcBar;
    ++area.bottom; // the line under the bar
    OffsetRect(&area, -frame.left, -frame.top);
    unique_hrgn rest(CreateRectRgnIndirect(&area));
    const UINT count = ItemCount(bar);
    for (UINT position = 0; rest && position < count; ++position) {
        RECT item;
        if (!GetMenuItemRect(window, bar, position, &item))
            continue;
        OffsetRect(&item, -frame.left, -frame.top);
        unique_hrgn itemRegion(CreateRectRgnIndirect(&item));
        if (itemRegion)
            CombineRgn(rest.get(), rest.get(), itemRegion.get(), RGN_DIFF);
    }
    const HDC dc = GetWindowDC(window);
    if (!dc)
        return;
    if (rest)
        FillRgn(dc, rest.get(), barBackground.brush);
    ReleaseDC(window, dc);
}

bool PaintsDarkMenuBar()
{
    return DarkMenus();
}

} // namespace varnelle

// The previous mode comes back; a mode outside 0 to 2 changes nothing.
extern "C" DWORD WINAPI SetColorMode(DWORD mode) noexcept
{
    const uint32_t previous = varnelle::StoreColourMode(mode);
    if (mode <= varnelle::kFollowAppsTheme) {
        varnelle::LookMayHaveChanged();
        varnelle::ApplyColourModeToHookedWindows();
    }
    return previous;
}
