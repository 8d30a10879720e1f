// libFuzzer target: the size arithmetic of menu items and of the icon cell, for any type,
// identifier, text and icon size, and a text buffer exactly as long as the text.
#include "core/text_core.h"
#include "fuzz_input.h"
#include "menu/menu_measure_core.h"

#include <vector>

using fuzz_input::Check;
using namespace varnelle;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz_input::Input input{data, size};
    const uint32_t type = input.take<uint32_t>();
    const uint32_t id = input.take<uint32_t>();
    const MeasureRule rule = RuleForItem(type, id);
    // Only a separator is sized as one; only an item without identifier as its bitmap or
    // left alone.
    Check((rule == MeasureRule::Separator) == ((type & (kTypeSeparator | kTypeBitmap)) == kTypeSeparator));
    if (rule == MeasureRule::ItemBitmap || rule == MeasureRule::LeaveAlone)
        Check(id == 0 && (type & kTypeBitmap));

    // Extents as GDI gives them: up to a few thousand pixels, though any value is allowed.
    TextItemInput item = {};
    const uint8_t shape = input.take<uint8_t>();
    const uint32_t range = (shape & 1) ? 0xFFFFFFFFu : 0xFFFFu;
    item.textWidth = input.take<uint32_t>() & range;
    item.textHeight = input.take<uint32_t>() & range;
    item.iconHeight = input.take<uint32_t>() & range;
    item.itemId = id;
    item.inPopup = (shape & 2) != 0;
    item.hasTab = (shape & 4) != 0;
    const uint32_t cell = IconCellSize(item.textHeight, item.iconHeight);
    const ItemSize itemSize = TextItemSize(item);
    if (range == 0xFFFFu) {
        Check(cell >= item.textHeight + 7 && cell >= item.iconHeight + 4);
        Check(cell == item.textHeight + 7 || cell == item.iconHeight + 4);
        Check(itemSize.height == (item.inPopup ? cell + 2 : cell));
        Check(itemSize.width >= item.textWidth + 8);
        Check(itemSize.width <= item.textWidth + cell + 10 + 35 + cell / 2 + 15);
    }

    const int32_t answer = input.take<int32_t>();
    const int32_t defaultWidth = 1 + (input.take<uint8_t>() & 63);
    const ItemSize separator = SeparatorSize(item.inPopup, (shape & 8) != 0, answer, defaultWidth);
    Check(separator.width > 0 && separator.height > 0);
    Check(static_cast<int32_t>(separator.width) > 0);

    const char glyph = SysMenuGlyphChar(static_cast<intptr_t>(input.take<int32_t>()));
    Check(glyph == 0 || glyph == 'r' || glyph == '0' || glyph == '1' || glyph == '2');

    // The rest is item text, as ANSI bytes and as UTF-16 units: nothing is read past its
    // length, and a cut text keeps all but at most its last unit.
    std::vector<char> text(input.data, input.data + input.size);
    int32_t firstTab = -1;
    for (size_t i = 0; i < text.size() && firstTab < 0; ++i)
        firstTab = text[i] == '\t' ? static_cast<int32_t>(i) : -1;
    Check(FindTab(text.data(), static_cast<int32_t>(text.size())) == firstTab);
    Check(FindTab(static_cast<const char*>(nullptr), 5) == -1);
    std::vector<char16_t> units(text.size() / 2);
    for (size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<char16_t>(static_cast<uint8_t>(text[2 * i]) | static_cast<uint8_t>(text[2 * i + 1]) << 8);
    const int32_t count = static_cast<int32_t>(units.size());
    const int32_t tab = FindTab(units.data(), count);
    Check(tab == -1 || (tab < count && units[static_cast<size_t>(tab)] == u'\t'));
    const int32_t whole = WholeCharacterLength(units.data(), count, count + 1);
    Check(whole == count || (whole == count - 1 && units.back() >= 0xD800 && units.back() <= 0xDBFF));
    Check(WholeCharacterLength(units.data(), count, count + 2) == count);
    return 0;
}
