// RedrawMenu, the style stamp on a menu tree, and the two small exports of the menu hook.
#include "../core/exports.h"
#include "../core/module_state.h"
#include "../core/subclass.h"
#include "menu_background.h"
#include "menu_internal.h"
#include "menu_walk.h"
#include "os_kind.h"

using namespace varnelle;

namespace {

bool WriteMenuStyle(HMENU menu, int style)
{
    MENUINFO info = {};
    info.cbSize = kMenuInfoSize;
    info.fMask = MIM_MENUDATA;
    info.dwMenuData = static_cast<ULONG_PTR>(static_cast<LONG_PTR>(style));
    return SetMenuInfo(menu, &info) != FALSE;
}

void StampIfDifferent(HMENU menu, int style)
{
    if (GetStyleMenu(menu) != style)
        WriteMenuStyle(menu, style);
}

// Below the top level submenus are reached through the items' hSubMenu, depth first.
void StampSubmenu(HMENU menu, int style, int depth)
{
    if (depth > kMaxMenuDepth)
        return;
    StampIfDifferent(menu, style);
    MENUITEMINFOA info;
    const UINT mask = MIIM_ID | MIIM_SUBMENU;
    for (UINT position = 0; ReadMenuItem(menu, position, ItemBy::Position, mask, &info); ++position) {
        if (info.hSubMenu)
            StampSubmenu(info.hSubMenu, style, depth + 1);
    }
}

void ConvertForStyle(HMENU menu, int type)
{
    switch (type) {
    case 0:
        RevertToSystemDraw(menu);
        break;
    case 1:
    case 3:
        ClearBarOwnerDraw(menu);
        ConvertSubmenus(menu);
        break;
    case 2:
        // The menu's own items (the menu bar) are painted by the library on Windows 2000
        // and XP only; elsewhere they are left as they are.
        if (PaintsStyle2MenuBar(GetOsKind()))
            ConvertToOwnerDraw(menu);
        else
            ConvertSubmenus(menu);
        break;
    default:
        break;
    }
}

} // namespace

namespace varnelle {

void StampMenuStyle(HMENU menu, int style)
{
    StampIfDifferent(menu, style);
    UINT count = ItemCount(menu);
    for (UINT position = 0; position < count; ++position) {
        if (HMENU submenu = GetSubMenu(menu, static_cast<int>(position)))
            StampSubmenu(submenu, style, 1);
    }
}

} // namespace varnelle

// A window of another process cannot be hooked: its menu would be left owner-drawn with
// nobody to paint it.
extern "C" int WINAPI RedrawMenu(HWND hwnd, HMENU menu, int type) noexcept
{
    if (!IsWindow(hwnd) || !IsMenu(menu) || !IsOwnWindow(hwnd))
        return 0;
    ConvertForStyle(menu, type);
    SubclassWindow(hwnd, MenuHostProc);
    StampMenuStyle(menu, type);
    // Follows the colour mode and redraws the bar.
    if (GetMenu(hwnd) == menu)
        ApplyColourModeTo(hwnd);
    return 1;
}

extern "C" int WINAPI GetStyleMenu(HMENU menu) noexcept
{
    MENUINFO info = {};
    info.cbSize = kMenuInfoSize;
    info.fMask = MIM_MENUDATA;
    if (!GetMenuInfo(menu, &info))
        return 0;
    return static_cast<int>(info.dwMenuData);
}

extern "C" int WINAPI SetDisableSelect(int flag) noexcept
{
    uint8_t previous = ModuleState.DisableSelect;
    ModuleState.DisableSelect = static_cast<uint8_t>(flag & 0xFF);
    return previous;
}
