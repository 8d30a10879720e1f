// Exported colour functions: the arithmetic lives in colour_math, the system colours and
// the screen depth are read afresh at every call.
#include "../core/exports.h"
#include "colour_math.h"
#include "../core/gdi_handles.h"

using namespace varnelle;

extern "C" COLORREF WINAPI LightenColor(int amount, COLORREF colour) noexcept
{
    return LightenColour(amount, colour);
}

extern "C" COLORREF WINAPI DarkenColor(int amount, COLORREF colour) noexcept
{
    return DarkenColour(amount, colour);
}

extern "C" COLORREF WINAPI MixedColor(COLORREF first, COLORREF second) noexcept
{
    return MixColours(first, second);
}

extern "C" COLORREF WINAPI MidColor(COLORREF first, COLORREF second) noexcept
{
    return MidColours(first, second);
}

extern "C" int WINAPI GrayColor(COLORREF colour) noexcept
{
    return GrayLevel(colour);
}

extern "C" int WINAPI NumColorBits(void) noexcept
{
    unique_window_dc screen(nullptr);
    return ColourBitsFromDeviceCaps(GetDeviceCaps(screen.get(), BITSPIXEL));
}

extern "C" COLORREF WINAPI GetXpHighlightColor(void) noexcept
{
    return XpHighlightColour(NumColorBits(), GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_HIGHLIGHT));
}
