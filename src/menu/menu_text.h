// The one reader of menu item texts: by command identifier into a buffer of 128
// characters, so at most 127 count, in the encoding the system keeps them in.
#pragma once
#include <windows.h>

#include "../core/system_text.h"
#include "menu_measure_core.h"

namespace varnelle {

class MenuItemText {
public:
    MenuItemText() = default;
    // Reads the item's label (with its "&" markers) and accelerator; a missing item or
    // one without text leaves the text empty.
    MenuItemText(HMENU menu, UINT command);

    TextRun run() const { return wide_ ? TextRun(text_.wide, length_) : TextRun(text_.ansi, length_); }
    int length() const { return length_; }
    // Drops the mnemonic marks, for drawing with DT_NOPREFIX while access keys are hidden.
    void hideAccessKeys();

private:
    union {
        wchar_t wide[kMenuTextBufferSize];
        char ansi[kMenuTextBufferSize];
    } text_ = {};
    bool wide_ = true;
    int length_ = 0;
};

} // namespace varnelle
