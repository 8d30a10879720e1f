// On Windows XP three commands of the window menu carry shifted identifiers while the
// window menu is open and the library paints it.
#include "menu_internal.h"
#include "menu_walk.h"
#include "os_kind.h"
#include "window_menu_ids.h"

namespace varnelle {
namespace {

// Top level only; every identifier is written back, changed or not.
void MapIds(HMENU menu, uint32_t (*map)(uint32_t))
{
    if (GetOsKind() != kOsWindowsXp)
        return;
    MENUITEMINFOA info;
    for (UINT position = 0; ReadMenuItem(menu, position, ItemBy::Position, MIIM_ID, &info); ++position) {
        info.wID = map(info.wID);
        WriteMenuItem(menu, position, ItemBy::Position, info);
    }
}

} // namespace

void ShiftSysMenuIds(HWND, HMENU menu)
{
    MapIds(menu, ShiftedWindowMenuId);
}

void RestoreSysMenuIds(HWND, HMENU menu)
{
    MapIds(menu, RestoredWindowMenuId);
}

} // namespace varnelle
