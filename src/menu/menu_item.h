// The one reader and writer of MENUITEMINFOA records: every routine of the menu subsystem
// that looks at or changes an item goes through these.
#pragma once
#include "menu_internal.h"

namespace varnelle {

enum class ItemBy : bool { Command = false, Position = true };

// Items are read with the record that ends with cch; only masks that ask for hbmpItem
// need the full record.
inline UINT MenuItemInfoSizeFor(UINT mask)
{
    return (mask & MIIM_BITMAP) ? static_cast<UINT>(sizeof(MENUITEMINFOA)) : kMenuItemInfoSize;
}

// Reads the fields named by `mask`. The record is cleared first, so a failed read leaves a
// text item without icon, glyph or submenu, never stale data.
[[nodiscard]] inline bool ReadMenuItem(HMENU menu, UINT item, ItemBy by, UINT mask, MENUITEMINFOA* info)
{
    *info = {};
    info->cbSize = MenuItemInfoSizeFor(mask);
    info->fMask = mask;
    return GetMenuItemInfoA(menu, item, static_cast<BOOL>(by), info) != FALSE;
}

// Writes the fields named by the record's own mask: a record read with ReadMenuItem goes
// back with the fields that were read.
inline BOOL WriteMenuItem(HMENU menu, UINT item, ItemBy by, const MENUITEMINFOA& info)
{
    return SetMenuItemInfoA(menu, item, static_cast<BOOL>(by), &info);
}

} // namespace varnelle
