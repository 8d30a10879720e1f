#include "menu_colours.h"

#include "../colour/colour_math.h"

namespace varnelle {
namespace {

// Light surfaces are lifted to white; near-white ones (grey level 216 and up) take a hint
// of the second colour instead, so the column still stands out from the text area.
uint32_t LiftedSurface(uint32_t colour, uint32_t tint)
{
    int32_t gray = GrayLevel(colour);
    return gray <= 215 ? LightenColour(255 - gray, colour) : MixColours(colour, tint);
}

// The check box of the low-colour looks: menu colours only, outlined.
BoxColours PlainCheckBox(const MenuScheme& scheme, DrawMode mode)
{
    switch (mode) {
    case kDrawGrayed:
        return {scheme.menu, scheme.menu, scheme.grayText};
    case kDrawSelected:
        return {scheme.xp, scheme.xp, scheme.highlight};
    default:
        return {scheme.menu, scheme.menu, scheme.xp};
    }
}

} // namespace

ItemLook LookOfItem(bool selected, bool grayed, bool checked, uint8_t disableSelect)
{
    return {selected, grayed, checked, !grayed || disableSelect != 0};
}

Style2Colours Style2ColoursFor(const MenuScheme& scheme, bool lowColour)
{
    if (lowColour)
        return {scheme.xp, scheme.xp, scheme.highlight, scheme.menu, scheme.window, scheme.grayText};
    const uint32_t hot = MixColours(scheme.xp, scheme.highlight);
    return {hot,
            LightenColour(64, hot),
            DarkenColour(128, hot),
            LiftedSurface(scheme.menu, scheme.highlight),
            LiftedSurface(scheme.window, scheme.menu),
            scheme.grayText};
}

BoxColours Style2CheckBox(const MenuScheme& scheme, DrawMode mode, bool lowColour)
{
    const uint32_t hot = MixColours(scheme.xp, scheme.highlight);
    if (lowColour)
        return PlainCheckBox(scheme, mode);
    switch (mode) {
    case kDrawGrayed: {
        uint32_t fill = LightenColour(128, scheme.grayText);
        return {fill, fill, DarkenColour(8, scheme.grayText)};
    }
    case kDrawSelected:
        return {hot, hot, DarkenColour(128, hot)};
    default: {
        uint32_t fill = LightenColour(128, hot);
        return {fill, fill, DarkenColour(128, hot)};
    }
    }
}

uint32_t Style1LightCell(uint32_t menu)
{
    return LightenColour(96, menu);
}

uint32_t Style1SelectedGrayText(uint32_t grayText, uint32_t highlight)
{
    if (grayText != highlight)
        return grayText;
    uint32_t lighter = LightenColour(96, highlight);
    // A white highlight cannot be lightened: darken the grey text instead.
    return lighter != grayText ? lighter : DarkenColour(96, grayText);
}

uint32_t Style3Frame(const MenuScheme& scheme)
{
    return DarkenColour(128, MixColours(scheme.xp, scheme.highlight));
}

HorizontalRun Style3Background(uint32_t menu)
{
    return {DarkenColour(16, menu), LightenColour(128, menu)};
}

VerticalRun Style3Selection(const MenuScheme& scheme)
{
    uint32_t tint = MidColours(scheme.xp, scheme.menu);
    return {DarkenColour(16, tint), LightenColour(128, tint)};
}

HorizontalRun Style3SeparatorLine(uint32_t grayText, uint32_t menu)
{
    return {grayText, menu};
}

BoxColours Style3CheckBox(const MenuScheme& scheme, DrawMode mode, bool gradientLook)
{
    const uint32_t hot = MixColours(scheme.xp, scheme.highlight);
    if (!gradientLook)
        return PlainCheckBox(scheme, mode);
    switch (mode) {
    case kDrawGrayed:
        return {DarkenColour(24, scheme.xp), LightenColour(128, hot), DarkenColour(128, hot)};
    case kDrawSelected:
        return {DarkenColour(48, scheme.xp), LightenColour(128, scheme.xp), DarkenColour(160, hot)};
    default:
        return {DarkenColour(24, scheme.xp), LightenColour(200, scheme.xp), DarkenColour(128, hot)};
    }
}

} // namespace varnelle
