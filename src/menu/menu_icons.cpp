// Icons kept in the data words of menu items and shown in their icon cells.
#include "../core/exports.h"
#include "../core/gdi_handles.h"
#include "menu_item.h"

using namespace varnelle;

extern "C" int WINAPI SetMenuItemIcon(HMENU menu, UINT commandId, HICON icon) noexcept
{
    if (!IsMenu(menu))
        return 0;
    MENUITEMINFOA info;
    if (!ReadMenuItem(menu, commandId, ItemBy::Command, MIIM_FTYPE, &info))
        return 0;
    // A separator's data word is a callback the library calls: an icon must not land there.
    if (icon && (info.fType & MFT_SEPARATOR))
        return 0;
    info.fMask = MIIM_DATA;
    info.dwItemData = reinterpret_cast<ULONG_PTR>(icon);
    return WriteMenuItem(menu, commandId, ItemBy::Command, info);
}

extern "C" int WINAPI SetMenuIcon(HMENU menu, HIMAGELIST images, int count, const MenuIconEntry* entries) noexcept
{
    // Checked first, so that no icon is made for a menu that cannot take it.
    if (!IsMenu(menu) || !entries || count <= 0)
        return 0;
    int result = 0;
    for (int i = 0; i < count; ++i) {
        unique_hicon icon(ImageList_GetIcon(images, entries[i].imageIndex, ILD_NORMAL));
        result = SetMenuItemIcon(menu, entries[i].commandId, icon.get());
        // A stored icon belongs to the item from now on; one that no item took is destroyed.
        if (result)
            static_cast<void>(icon.release());
    }
    return result;
}
