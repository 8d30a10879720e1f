// Setting and clearing MFT_OWNERDRAW over a menu tree. Only that bit of an item's type is
// ever changed here; texts, other type bits and data words stay as they are.
#include "menu_internal.h"
#include "menu_walk.h"
#include "separator_callback.h"
#include "synthetic_id.h"

namespace varnelle {
namespace {

constexpr UINT kOwnerDraw = MFT_OWNERDRAW;

void ConvertLevel(HMENU menu, int depth)
{
    if (depth > kMaxMenuDepth)
        return;
    uint32_t previousId = kFirstItemPredecessor;
    MENUITEMINFOA info;
    const UINT mask = MIIM_FTYPE | MIIM_SUBMENU | MIIM_ID;
    for (UINT position = 0; ReadMenuItem(menu, position, ItemBy::Position, mask, &info); ++position) {
        if (!(info.fType & kOwnerDraw)) {
            info.fType |= kOwnerDraw;
            // Measurement and painting find items by identifier, so each needs one.
            if (info.wID == 0)
                info.wID = SyntheticItemId(previousId);
            WriteMenuItem(menu, position, ItemBy::Position, info);
        }
        if (info.hSubMenu)
            ConvertLevel(info.hSubMenu, depth + 1);
        previousId = info.wID;
    }
}

// Callback separators are the one kind of item that stays owner-drawn in style 0.
bool ApplySystemDrawRule(MENUITEMINFOA* info)
{
    bool wanted = SeparatorCallbackOf(info->fType, info->dwItemData) != nullptr;
    bool owned = (info->fType & kOwnerDraw) != 0;
    if (wanted == owned)
        return false;
    info->fType ^= kOwnerDraw;
    return true;
}

void RevertLevel(HMENU menu, int depth)
{
    if (depth > kMaxMenuDepth)
        return;
    MENUITEMINFOA info;
    const UINT mask = MIIM_FTYPE | MIIM_DATA | MIIM_SUBMENU | MIIM_ID;
    for (UINT position = 0; ReadMenuItem(menu, position, ItemBy::Position, mask, &info); ++position) {
        if (ApplySystemDrawRule(&info))
            WriteMenuItem(menu, position, ItemBy::Position, info);
        if (info.hSubMenu)
            RevertLevel(info.hSubMenu, depth + 1);
    }
}

} // namespace

void ConvertToOwnerDraw(HMENU menu)
{
    ConvertLevel(menu, 0);
}

void ConvertSubmenus(HMENU menu)
{
    UINT count = ItemCount(menu);
    for (UINT position = 0; position < count; ++position) {
        if (HMENU submenu = GetSubMenu(menu, static_cast<int>(position)))
            ConvertLevel(submenu, 1);
    }
}

void RevertToSystemDraw(HMENU menu)
{
    UINT count = ItemCount(menu);
    MENUITEMINFOA info;
    for (UINT position = 0; position < count; ++position) {
        HMENU submenu = GetSubMenu(menu, static_cast<int>(position));
        if (ReadMenuItem(menu, position, ItemBy::Position, MIIM_FTYPE | MIIM_DATA, &info) &&
            ApplySystemDrawRule(&info))
            WriteMenuItem(menu, position, ItemBy::Position, info);
        if (submenu)
            RevertLevel(submenu, 1);
    }
}

void ClearBarOwnerDraw(HMENU menu)
{
    UINT count = ItemCount(menu);
    MENUITEMINFOA info;
    for (UINT position = 0; position < count; ++position) {
        if (ReadMenuItem(menu, position, ItemBy::Position, MIIM_FTYPE, &info) && (info.fType & kOwnerDraw)) {
            info.fType &= ~kOwnerDraw;
            WriteMenuItem(menu, position, ItemBy::Position, info);
        }
    }
}

} // namespace varnelle
