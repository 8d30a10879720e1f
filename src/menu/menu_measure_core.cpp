#include "menu_measure_core.h"

namespace varnelle {

MeasureRule RuleForItem(uint32_t type, uint32_t itemId)
{
    uint32_t kind = type & (kTypeSeparator | kTypeBitmap);
    if (kind == kTypeSeparator)
        return MeasureRule::Separator;
    // A bitmap item with an identifier of its own is sized by its text like any other.
    if (itemId == 0 && kind == kTypeBitmap)
        return MeasureRule::ItemBitmap;
    if (itemId == 0 && kind == (kTypeSeparator | kTypeBitmap))
        return MeasureRule::LeaveAlone;
    return MeasureRule::Text;
}

uint32_t IconCellSize(uint32_t textHeight, uint32_t iconHeight)
{
    uint32_t forText = textHeight + 7;
    uint32_t forIcon = iconHeight + 4;
    return forText > forIcon ? forText : forIcon;
}

bool IsWindowMenuCommand(uint32_t itemId)
{
    return itemId >= kFirstWindowMenuCommand && itemId <= kLastWindowMenuCommand;
}

ItemSize TextItemSize(const TextItemInput& input)
{
    uint32_t cell = IconCellSize(input.textHeight, input.iconHeight);
    ItemSize size;
    if (input.inPopup) {
        size.height = cell + 2;
        size.width = input.textWidth + cell + 10;
        // Room for the window-menu glyph drawn beside the text.
        if (IsWindowMenuCommand(input.itemId))
            size.width += 35;
    } else {
        size.height = cell;
        size.width = input.textWidth + 8;
    }
    if (input.hasTab)
        size.width += cell / 2 + 15;
    return size;
}

ItemSize SeparatorSize(bool inPopup, bool hasCallback, int32_t callbackWidth, int32_t defaultWidth)
{
    if (!inPopup)
        return {8, 8};
    if (!hasCallback)
        return {8, 6};
    // A negative width cannot be laid out; it is taken like 0, the request for the default.
    int32_t width = callbackWidth > 0 ? callbackWidth : defaultWidth;
    return {static_cast<uint32_t>(width), kCallbackSeparatorHeight};
}

char SysMenuGlyphChar(intptr_t code)
{
    switch (code) {
    case 8:
        return 'r'; // close
    case 9:
        return '2'; // restore
    case 10:
        return '1'; // maximize
    case 11:
        return '0'; // minimize
    default:
        return 0;
    }
}

} // namespace varnelle
