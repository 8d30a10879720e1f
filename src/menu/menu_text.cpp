#include "menu_text.h"

#include "../core/text_core.h"

namespace varnelle {

MenuItemText::MenuItemText(HMENU menu, UINT command) : wide_(SystemTextIsWide())
{
    constexpr int capacity = static_cast<int>(kMenuTextBufferSize);
    if (wide_) {
        const int length = GetMenuStringW(menu, command, text_.wide, capacity, MF_BYCOMMAND);
        length_ = WholeCharacterLength(text_.wide, length < capacity ? length : capacity - 1, capacity);
    } else {
        const int length = GetMenuStringA(menu, command, text_.ansi, capacity, MF_BYCOMMAND);
        length_ = length <= 0 ? 0 : length < capacity ? length : capacity - 1;
    }
}

void MenuItemText::hideAccessKeys()
{
    length_ = wide_ ? WithoutMnemonicMarks(text_.wide, length_, text_.wide)
                    : WithoutMnemonicMarks(text_.ansi, length_, text_.ansi);
}

} // namespace varnelle
