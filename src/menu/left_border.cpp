// The left border band: a callback separator at the top of a popup that forms a column of
// its own, painted by the application over the whole height of the popup.
#include "../core/exports.h"
#include "menu_item.h"
#include "separator_callback.h"

using namespace varnelle;

extern "C" int WINAPI AddLeftBorder(HMENU menu, SeparatorCallback callback, int divider) noexcept
{
    // Without a callback the item would be a plain separator that RemoveLeftBorder
    // could never find again.
    if (!IsMenu(menu) || !callback)
        return 0;
    MENUITEMINFOA band = {};
    band.cbSize = MenuItemInfoSizeFor(MIIM_FTYPE | MIIM_DATA | MIIM_ID);
    band.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_ID;
    band.fType = MFT_SEPARATOR | MFT_OWNERDRAW;
    band.wID = 0;
    band.dwItemData = reinterpret_cast<ULONG_PTR>(callback);
    if (!InsertMenuItemA(menu, 0, TRUE, &band))
        return 0;

    // On an empty menu the band stays alone and there is no column to break: 0.
    MENUITEMINFOA next;
    if (!ReadMenuItem(menu, 1, ItemBy::Position, MIIM_FTYPE, &next))
        return 0;
    next.fType |= (divider & 0xFF) ? MFT_MENUBARBREAK : MFT_MENUBREAK;
    return WriteMenuItem(menu, 1, ItemBy::Position, next);
}

extern "C" int WINAPI RemoveLeftBorder(HMENU menu) noexcept
{
    if (!IsMenu(menu))
        return 0;
    MENUITEMINFOA first;
    // Any callback separator at the top is taken for the band, owner-drawn or not.
    if (!ReadMenuItem(menu, 0, ItemBy::Position, MIIM_FTYPE | MIIM_DATA, &first) ||
        !SeparatorCallbackOf(first.fType, first.dwItemData))
        return 0;
    if (!RemoveMenu(menu, 0, MF_BYPOSITION))
        return 0;

    // A band that stood alone leaves no column break behind; its removal still succeeded.
    MENUITEMINFOA next;
    if (!ReadMenuItem(menu, 0, ItemBy::Position, MIIM_FTYPE, &next))
        return 1;
    if (next.fType & MFT_MENUBARBREAK)
        next.fType &= ~static_cast<UINT>(MFT_MENUBARBREAK);
    else
        next.fType &= ~static_cast<UINT>(MFT_MENUBREAK);
    return WriteMenuItem(menu, 0, ItemBy::Position, next);
}
