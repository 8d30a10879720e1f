// libFuzzer target: the layout of a skinned button's icon and text for any rectangle a
// WM_DRAWITEM can carry, any alignment and both kinds of press. No overflow anywhere
// (UBSan); for rectangles of real buttons the parts stay inside the button.
#include "button/button_layout.h"
#include "fuzz_input.h"

using fuzz_input::Check;
using namespace varnelle;

namespace {

bool Inside(const ButtonRect& part, const ButtonRect& item)
{
    return part.left >= item.left && part.top >= item.top && part.right <= item.right && part.bottom <= item.bottom;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz_input::Input input{data, size};
    const uint8_t shape = input.take<uint8_t>();
    ButtonRect item = {input.take<int32_t>(), input.take<int32_t>(), input.take<int32_t>(), input.take<int32_t>()};
    const bool real = (shape & 1) != 0;
    if (real) { // a button's client rectangle: origin 0, sides up to 32767
        item = {0, 0, static_cast<int32_t>(input.take<uint16_t>() & 0x7FFF),
                static_cast<int32_t>(input.take<uint16_t>() & 0x7FFF)};
    }
    const uint32_t aligns[] = {kIconAlignLeft, kIconAlignRight, kIconAlignTop, 0, 0x300, input.take<uint32_t>()};
    const uint32_t align = aligns[input.take<uint8_t>() % 6];
    const bool pressed = (shape & 2) != 0;
    const bool beside = (shape & 4) != 0;
    const ButtonLayout layout = LayOutButton(item, align, pressed, beside);
    if (!beside) {
        Check(layout.text == item);
    }
    if (real) {
        Check(Inside(layout.text, item));
        // A press without edges pulls the icon's rectangle 4 pixels in, which on a very
        // narrow button can pass its left edge.
        if (!pressed)
            Check(Inside(layout.icon, item));
        if (!pressed && !beside)
            Check(layout.icon == item);
    }
    return 0;
}
