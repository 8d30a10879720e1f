// Contrast of colours as WCAG 2 measures it (relative luminance of sRGB), and the smallest
// move of a text colour that makes it readable on what is painted behind it. Platform-free:
// no windows.h.
#pragma once
#include <cstdint>

namespace varnelle {

// WCAG AA for text, and the least a grayed text keeps.
inline constexpr double kReadableContrast = 4.5;
inline constexpr double kGrayedContrast = 2.0;

// 0 for black to 1 for white.
double RelativeLuminance(uint32_t colour);
// (lighter + 0.05) / (darker + 0.05): 1 for equal colours, 21 for black on white.
double ContrastRatio(uint32_t first, uint32_t second);

// A surface on which light text reads better than dark text.
bool IsDarkSurface(uint32_t colour);

// The contrast grayed text must keep: 2:1, or less where the scheme's own grey text on
// its menu colour has less (the scheme chose it; the library only must not lose more).
double GrayedTextMinimum(uint32_t grayText, uint32_t menu);

// The text colour unchanged when it keeps `minimum` against every background (a solid
// fill has one, a gradient its two ends); otherwise the colour lightened or darkened, with
// LightenColour/DarkenColour, by the smallest amount that reaches it (the way that needs
// less); where neither way reaches it, the best that either gives.
uint32_t ReadableTextColour(uint32_t text, const uint32_t* backgrounds, int count, double minimum);
inline uint32_t ReadableTextColour(uint32_t text, uint32_t background, double minimum)
{
    return ReadableTextColour(text, &background, 1, minimum);
}

} // namespace varnelle
