#include "button_layout.h"

#include "../core/rounding.h"

namespace varnelle {
namespace {

// Rectangles come from WM_DRAWITEM, which any sender can fill: work in 64 bits and
// saturate, so an absurd rectangle gives an absurd layout rather than an overflow.
int32_t Saturate(int64_t value)
{
    if (value > INT32_MAX)
        return INT32_MAX;
    if (value < INT32_MIN)
        return INT32_MIN;
    return static_cast<int32_t>(value);
}

int32_t Extent(int32_t from, int32_t to)
{
    return Saturate(static_cast<int64_t>(to) - from);
}

int32_t Offset(int32_t edge, int32_t by)
{
    return Saturate(static_cast<int64_t>(edge) + by);
}

} // namespace

ButtonLayout LayOutButton(const ButtonRect& item, uint32_t iconAlign, bool pressedWithoutEdge,
                          bool iconBesideText)
{
    ButtonLayout layout = {item, item};
    if (pressedWithoutEdge) {
        layout.icon.right = Offset(layout.icon.right, -4);
        layout.icon.bottom = Offset(layout.icon.bottom, -2);
    }
    if (!iconBesideText)
        return layout;

    // The icon takes a third of the button (rounded, halves to even); the text gives up
    // a quarter on the icon's side (rounded down), so the two overlap a little.
    int32_t width = Extent(item.left, item.right);
    int32_t height = Extent(item.top, item.bottom);
    switch (iconAlign) {
    case kIconAlignRight:
        layout.icon.left = Offset(layout.icon.right, -DivRound(width, 3));
        layout.text.right = Offset(layout.text.right, -(width / 4));
        break;
    case kIconAlignTop:
        layout.icon.bottom = Offset(layout.icon.bottom, -DivRound(height, 3));
        layout.text.top = Offset(item.top, height / 2);
        break;
    default:
        layout.icon.right = Offset(item.left, DivRound(width, 3));
        layout.text.left = Offset(layout.text.left, width / 4);
        break;
    }
    return layout;
}

} // namespace varnelle
