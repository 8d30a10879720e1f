// Where a skinned button's icon and text go. Platform-free: no windows.h.
#pragma once
#include <cstdint>

namespace varnelle {

struct ButtonRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
    friend bool operator==(const ButtonRect&, const ButtonRect&) = default;
};

// CTRL_STRUCT.dwIconAlign: the icon's side when the button also has text. Any other
// value counts as left.
inline constexpr uint32_t kIconAlignLeft = 0x100;
inline constexpr uint32_t kIconAlignRight = 0x200;
inline constexpr uint32_t kIconAlignTop = 0x400;

struct ButtonLayout {
    ButtonRect icon; // the icon is centred in it
    ButtonRect text; // the text is centred in it on one line
};

// item: the button's client rectangle. pressedWithoutEdge: a press drawn without 3D
// edges pulls the icon rectangle's right edge 4 and its bottom edge 2 pixels in, so a
// centred icon moves 2 pixels left and 1 up as if pushed. iconBesideText: an icon is
// drawn and the text is not empty; otherwise both stay centred on the whole button.
ButtonLayout LayOutButton(const ButtonRect& item, uint32_t iconAlign, bool pressedWithoutEdge,
                          bool iconBesideText);

} // namespace varnelle
