// Reading and writing menu items by position, for the routines that walk a menu tree.
#pragma once
#include "menu_internal.h"

namespace varnelle {

// Menus nest a few levels deep; a tree deeper than this is not walked further, so no walk
// can exhaust the stack.
inline constexpr int kMaxMenuDepth = 64;

// Reads the fields named by `mask` of the item at `position`; false when there is none.
[[nodiscard]] inline bool ReadItemAt(HMENU menu, UINT position, UINT mask, MENUITEMINFOA* info)
{
    *info = {};
    info->cbSize = kMenuItemInfoSize;
    info->fMask = mask;
    return GetMenuItemInfoA(menu, position, TRUE, info) != FALSE;
}

// Writes back an item read with ReadItemAt, with the same mask; an item the system
// refuses to change keeps its state.
inline void WriteItemAt(HMENU menu, UINT position, const MENUITEMINFOA& info)
{
    SetMenuItemInfoA(menu, position, TRUE, &info);
}

// GetMenuItemCount, with an invalid menu counting as empty.
inline UINT ItemCount(HMENU menu)
{
    int count = GetMenuItemCount(menu);
    return count > 0 ? static_cast<UINT>(count) : 0;
}

} // namespace varnelle
