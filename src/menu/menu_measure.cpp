// WM_MEASUREITEM for menu items: sizes from the item's text in the menu font, its icon
// and its kind. The item is looked up in CurrentMenu by command identifier.
#include "menu_internal.h"
#include "menu_item.h"

#include "../core/module_state.h"
#include "../core/thread_state.h"
#include "menu_measure.h"
#include "menu_measure_core.h"
#include "menu_text.h"
#include "separator_callback.h"

namespace varnelle {
namespace {

void MeasureSeparator(MEASUREITEMSTRUCT* item, HMENU menu, bool inPopup, SeparatorCallback callback)
{
    // Only a popup asks the callback; the menu argument is the top popup of the loop.
    int32_t answer = 0;
    if (inPopup && callback)
        answer = callback(menu, nullptr, nullptr);
    ItemSize size =
        SeparatorSize(inPopup, callback != nullptr, answer, ModuleState.DefaultCallbackWidth, DisplayDpi(nullptr));
    item->itemWidth = size.width;
    item->itemHeight = size.height;
}

void MeasureBitmapItem(MEASUREITEMSTRUCT* item, HBITMAP bitmap)
{
    BITMAP picture = {};
    if (!GetObjectA(bitmap, sizeof(picture), &picture))
        return; // not a bitmap: the item keeps the size the system gave it
    item->itemWidth = static_cast<UINT>(picture.bmWidth);
    item->itemHeight = static_cast<UINT>(picture.bmHeight);
}

void MeasureTextItem(MEASUREITEMSTRUCT* item, HMENU menu, bool inPopup, HICON icon)
{
    const MenuItemText text(menu, item->itemID);
    TextExtent extent;
    {
        MenuTextFont font;
        extent = MeasureMenuText(text.run(), font.get());
    }
    TextItemInput input = {};
    input.textWidth = extent.width;
    input.textHeight = extent.height;
    input.iconHeight = IconColourHeight(icon);
    input.itemId = item->itemID;
    input.inPopup = inPopup;
    input.hasTab = text.run().findTab() >= 0;
    input.dpi = DisplayDpi(nullptr);

    uint32_t cell = IconCellSize(input.textHeight, input.iconHeight, input.dpi);
    ThreadStateFields& state = ThreadState();
    state.IconCellWidth = static_cast<int32_t>(cell);
    state.IconCellHeight = static_cast<int32_t>(cell);
    ItemSize size = TextItemSize(input);
    item->itemWidth = size.width;
    item->itemHeight = size.height;
}

} // namespace

void MeasureMenuItem(MEASUREITEMSTRUCT* item)
{
    if (!item || item->CtlType != ODT_MENU)
        return;
    const ThreadStateFields& state = ReadThreadState();
    HMENU menu = state.CurrentMenu;
    bool inPopup = state.CurrentMenuIsPopup != 0;

    MENUITEMINFOA info;
    // An item that is not in CurrentMenu keeps the size the system gave it.
    if (!ReadMenuItem(menu, item->itemID, ItemBy::Command, MIIM_STATE | MIIM_TYPE | MIIM_DATA, &info))
        return;

    switch (RuleForItem(info.fType, item->itemID)) {
    case MeasureRule::Separator:
        MeasureSeparator(item, menu, inPopup, SeparatorCallbackOf(info.fType, info.dwItemData));
        return;
    case MeasureRule::ItemBitmap:
        MeasureBitmapItem(item, reinterpret_cast<HBITMAP>(info.dwTypeData));
        return;
    case MeasureRule::LeaveAlone:
        return;
    case MeasureRule::Text:
        MeasureTextItem(item, menu, inPopup, reinterpret_cast<HICON>(info.dwItemData));
        return;
    }
}

} // namespace varnelle
