#include "separator_callback.h"

namespace varnelle {

SeparatorCallback SeparatorCallbackOf(UINT type, ULONG_PTR data)
{
    if (!(type & MFT_SEPARATOR) || data == 0)
        return nullptr;
    return reinterpret_cast<SeparatorCallback>(data);
}

void PaintCallbackSeparator(const DRAWITEMSTRUCT* item, SeparatorCallback callback)
{
    // A null DC would read as the measuring call to the application.
    RECT area = item->rcItem;
    if (!item->hDC || GetClipBox(item->hDC, &area) == ERROR)
        return;
    area.left = item->rcItem.left;
    area.right = item->rcItem.right;
    callback(reinterpret_cast<HMENU>(item->hwndItem), item->hDC, &area);
}

} // namespace varnelle
