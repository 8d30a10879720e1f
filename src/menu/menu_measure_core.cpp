#include "menu_measure_core.h"

#include "../core/rounding.h"

namespace varnelle {

int32_t ScaleToDpi(int32_t length, int32_t dpi)
{
    // An unreadable DPI counts as 96.
    if (dpi <= 0 || dpi == kBaseDpi)
        return length;
    return MulDivKernel(length, dpi, kBaseDpi);
}

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

uint32_t IconCellSize(uint32_t textHeight, uint32_t iconHeight, int32_t dpi)
{
    uint32_t forText = textHeight + static_cast<uint32_t>(ScaleToDpi(7, dpi));
    uint32_t forIcon = iconHeight + static_cast<uint32_t>(ScaleToDpi(4, dpi));
    return forText > forIcon ? forText : forIcon;
}

bool IsWindowMenuCommand(uint32_t itemId)
{
    return itemId >= kFirstWindowMenuCommand && itemId <= kLastWindowMenuCommand;
}

ItemSize TextItemSize(const TextItemInput& input)
{
    const int32_t dpi = input.dpi;
    auto scaled = [dpi](int32_t length) { return static_cast<uint32_t>(ScaleToDpi(length, dpi)); };
    uint32_t cell = IconCellSize(input.textHeight, input.iconHeight, dpi);
    ItemSize size;
    if (input.inPopup) {
        // The two rows above and below the cell are one-pixel lines at every DPI.
        size.height = cell + 2;
        size.width = input.textWidth + cell + scaled(10);
        // Room for the window-menu glyph drawn beside the text.
        if (IsWindowMenuCommand(input.itemId))
            size.width += scaled(35);
    } else {
        size.height = cell;
        size.width = input.textWidth + scaled(8);
    }
    if (input.hasTab)
        size.width += cell / 2 + scaled(15);
    return size;
}

ItemSize SeparatorSize(bool inPopup, bool hasCallback, int32_t callbackWidth, int32_t defaultWidth, int32_t dpi)
{
    auto scaled = [dpi](int32_t length) { return static_cast<uint32_t>(ScaleToDpi(length, dpi)); };
    if (!inPopup)
        return {scaled(8), scaled(8)};
    if (!hasCallback)
        return {scaled(8), scaled(6)};
    // A negative width cannot be laid out; it is taken like 0, the request for the default.
    int32_t width = callbackWidth > 0 ? callbackWidth : ScaleToDpi(defaultWidth, dpi);
    return {static_cast<uint32_t>(width), scaled(static_cast<int32_t>(kCallbackSeparatorHeight))};
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
