// Style 0: the system draws the items; the library only hands callback separators (the
// left border band among them) to the application's callback.
#include "menu_internal.h"
#include "separator_callback.h"

namespace varnelle {

void DrawMenuItemStyle0(const DRAWITEMSTRUCT* item)
{
    if (!item)
        return;
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_BITMAP | MIIM_DATA;
    if (!GetMenuItemInfoA(reinterpret_cast<HMENU>(item->hwndItem), item->itemID, FALSE, &info))
        return;
    if (SeparatorCallback callback = SeparatorCallbackOf(info.fType, info.dwItemData))
        PaintCallbackSeparator(item, callback);
}

} // namespace varnelle
