#include "separator_callback.h"

namespace varnelle {

namespace {

constexpr DWORD kExecuteProtections = PAGE_EXECUTE | PAGE_EXECUTE_READ | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;

// Applications keep their own data in separators too: only a word that points into
// committed executable memory of the process can be a callback.
bool PointsToCode(ULONG_PTR address)
{
    MEMORY_BASIC_INFORMATION region = {};
    if (VirtualQuery(reinterpret_cast<const void*>(address), &region, sizeof(region)) != sizeof(region))
        return false;
    return region.State == MEM_COMMIT && (region.Protect & kExecuteProtections) &&
           !(region.Protect & (PAGE_GUARD | PAGE_NOACCESS));
}

} // namespace

SeparatorCallback SeparatorCallbackOf(UINT type, ULONG_PTR data)
{
    if (!(type & MFT_SEPARATOR) || data == 0 || !PointsToCode(data))
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
