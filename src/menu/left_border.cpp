// The left border band: a callback separator at the top of a popup that forms a column of
// its own, painted by the application over the whole height of the popup.
#include "../core/exports.h"
#include "menu_internal.h"
#include "separator_callback.h"

using namespace varnelle;

namespace {

[[nodiscard]] bool ReadType(HMENU menu, UINT position, MENUITEMINFOA* info)
{
    *info = {};
    info->cbSize = kMenuItemInfoSize;
    info->fMask = MIIM_FTYPE;
    return GetMenuItemInfoA(menu, position, TRUE, info) != FALSE;
}

} // namespace

extern "C" int WINAPI AddLeftBorder(HMENU menu, SeparatorCallback callback, int divider) noexcept
{
    // Without a callback the item would be a plain separator that RemoveLeftBorder
    // could never find again.
    if (!IsMenu(menu) || !callback)
        return 0;
    MENUITEMINFOA band = {};
    band.cbSize = kMenuItemInfoSize;
    band.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_ID;
    band.fType = MFT_SEPARATOR | MFT_OWNERDRAW;
    band.wID = 0;
    band.dwItemData = reinterpret_cast<ULONG_PTR>(callback);
    if (!InsertMenuItemA(menu, 0, TRUE, &band))
        return 0;

    // On an empty menu the band stays alone and there is no column to break: 0.
    MENUITEMINFOA next;
    if (!ReadType(menu, 1, &next))
        return 0;
    next.fType |= (divider & 0xFF) ? MFT_MENUBARBREAK : MFT_MENUBREAK;
    return SetMenuItemInfoA(menu, 1, TRUE, &next);
}

extern "C" int WINAPI RemoveLeftBorder(HMENU menu) noexcept
{
    if (!IsMenu(menu))
        return 0;
    MENUITEMINFOA first = {};
    first.cbSize = kMenuItemInfoSize;
    first.fMask = MIIM_FTYPE | MIIM_DATA;
    // Any callback separator at the top is taken for the band, owner-drawn or not.
    if (!GetMenuItemInfoA(menu, 0, TRUE, &first) || !SeparatorCallbackOf(first.fType, first.dwItemData))
        return 0;
    if (!RemoveMenu(menu, 0, MF_BYPOSITION))
        return 0;

    // A band that stood alone leaves no column break behind; its removal still succeeded.
    MENUITEMINFOA next;
    if (!ReadType(menu, 0, &next))
        return 1;
    if (next.fType & MFT_MENUBARBREAK)
        next.fType &= ~static_cast<UINT>(MFT_MENUBARBREAK);
    else
        next.fType &= ~static_cast<UINT>(MFT_MENUBREAK);
    return SetMenuItemInfoA(menu, 0, TRUE, &next);
}
