// Walking a menu tree by position.
#pragma once
#include "menu_item.h"

namespace varnelle {

// Menus nest a few levels deep; a tree deeper than this is not walked further, so no walk
// can exhaust the stack.
inline constexpr int kMaxMenuDepth = 64;

// GetMenuItemCount, with an invalid menu counting as empty.
inline UINT ItemCount(HMENU menu)
{
    int count = GetMenuItemCount(menu);
    return count > 0 ? static_cast<UINT>(count) : 0;
}

} // namespace varnelle
