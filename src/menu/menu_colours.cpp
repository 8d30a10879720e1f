#include "menu_colours.h"

#include "../colour/colour_math.h"
#include "../colour/contrast.h"

namespace varnelle {
namespace {

uint32_t Invert(uint32_t colour)
{
    return ~colour & 0xFFFFFF;
}

// The scheme seen in negative: a dark surface becomes a light one, so that the blends
// made for light surfaces apply, and their results are inverted back.
MenuScheme Inverted(const MenuScheme& scheme)
{
    MenuScheme inverted = scheme;
    inverted.highlight = Invert(scheme.highlight);
    inverted.menu = Invert(scheme.menu);
    inverted.window = Invert(scheme.window);
    inverted.grayText = Invert(scheme.grayText);
    inverted.xp = Invert(scheme.xp);
    inverted.menuText = Invert(scheme.menuText);
    inverted.highlightText = Invert(scheme.highlightText);
    inverted.derivation = Derivation::Light;
    return inverted;
}

BoxColours Inverted(const BoxColours& box)
{
    return {Invert(box.fill), Invert(box.fillBottom), Invert(box.outline)};
}

bool IsDark(const MenuScheme& scheme)
{
    return scheme.derivation == Derivation::Dark;
}

bool IsHighContrast(const MenuScheme& scheme)
{
    return scheme.derivation == Derivation::HighContrast;
}

// The boxes of high contrast: outlined in the text colour of what they stand on.
BoxColours HighContrastBox(const MenuScheme& scheme, DrawMode mode)
{
    switch (mode) {
    case kDrawGrayed:
        return {scheme.menu, scheme.menu, scheme.grayText};
    case kDrawSelected:
        return {scheme.highlight, scheme.highlight, scheme.highlightText};
    default:
        return {scheme.menu, scheme.menu, scheme.menuText};
    }
}

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

Derivation DerivationFor(uint32_t menu, bool highContrast)
{
    if (highContrast)
        return Derivation::HighContrast;
    return IsDarkSurface(menu) ? Derivation::Dark : Derivation::Light;
}

Style2Colours Style2ColoursFor(const MenuScheme& scheme, bool lowColour)
{
    if (IsHighContrast(scheme)) {
        Style2Colours colours = {scheme.highlight, scheme.highlight, scheme.menuText,
                                 scheme.menu,      scheme.menu,      scheme.grayText};
        colours.edgedColumn = true;
        colours.columnEdge = scheme.menuText;
        return colours;
    }
    if (IsDark(scheme) && !lowColour) {
        const Style2Colours light = Style2ColoursFor(Inverted(scheme), false);
        return {Invert(light.hotFill),      Invert(light.selectionFill), Invert(light.selectionFrame),
                Invert(light.columnFill),   Invert(light.textAreaFill),  Invert(light.separatorLine)};
    }
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
    if (IsHighContrast(scheme))
        return HighContrastBox(scheme, mode);
    if (IsDark(scheme) && !lowColour)
        return Inverted(Style2CheckBox(Inverted(scheme), mode, false));
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

uint32_t Style1LightCell(const MenuScheme& scheme)
{
    if (IsHighContrast(scheme))
        return scheme.menu;
    return IsDark(scheme) ? Invert(Style1LightCell(Invert(scheme.menu))) : Style1LightCell(scheme.menu);
}

uint32_t Style1GlyphInk(const MenuScheme& scheme)
{
    if (IsHighContrast(scheme))
        return scheme.menuText;
    return IsDark(scheme) ? 0xFFFFFF : 0x000000;
}

uint32_t Style1SelectedGrayText(uint32_t grayText, uint32_t highlight)
{
    if (grayText != highlight)
        return grayText;
    uint32_t lighter = LightenColour(96, highlight);
    // A white highlight cannot be lightened: darken the grey text instead.
    return lighter != grayText ? lighter : DarkenColour(96, grayText);
}

uint32_t Style1SelectedGrayText(const MenuScheme& scheme)
{
    if (IsHighContrast(scheme))
        return scheme.grayText;
    if (IsDark(scheme))
        return Invert(Style1SelectedGrayText(Invert(scheme.grayText), Invert(scheme.highlight)));
    return Style1SelectedGrayText(scheme.grayText, scheme.highlight);
}

uint32_t Style3Frame(const MenuScheme& scheme)
{
    if (IsHighContrast(scheme))
        return scheme.menuText;
    if (IsDark(scheme))
        return Invert(Style3Frame(Inverted(scheme)));
    return DarkenColour(128, MixColours(scheme.xp, scheme.highlight));
}

HorizontalRun Style3Background(uint32_t menu)
{
    return {DarkenColour(16, menu), LightenColour(128, menu)};
}

HorizontalRun Style3Background(const MenuScheme& scheme)
{
    if (IsHighContrast(scheme))
        return {scheme.menu, scheme.menu};
    if (IsDark(scheme)) {
        const HorizontalRun light = Style3Background(Invert(scheme.menu));
        return {Invert(light.left), Invert(light.right)};
    }
    return Style3Background(scheme.menu);
}

VerticalRun Style3Selection(const MenuScheme& scheme)
{
    if (IsHighContrast(scheme))
        return {scheme.highlight, scheme.highlight};
    if (IsDark(scheme)) {
        const VerticalRun light = Style3Selection(Inverted(scheme));
        return {Invert(light.top), Invert(light.bottom)};
    }
    uint32_t tint = MidColours(scheme.xp, scheme.menu);
    return {DarkenColour(16, tint), LightenColour(128, tint)};
}

HorizontalRun Style3SeparatorLine(uint32_t grayText, uint32_t menu)
{
    return {grayText, menu};
}

BoxColours Style3CheckBox(const MenuScheme& scheme, DrawMode mode, bool gradientLook)
{
    if (IsHighContrast(scheme))
        return HighContrastBox(scheme, mode);
    if (IsDark(scheme) && gradientLook)
        return Inverted(Style3CheckBox(Inverted(scheme), mode, true));
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

Style3SolidColours Style3Solid(const MenuScheme& scheme)
{
    if (IsHighContrast(scheme))
        return {scheme.highlight, scheme.menuText};
    return {scheme.xp, scheme.highlight};
}

uint32_t SysMenuGlyphGrey(const MenuScheme& scheme)
{
    if (IsHighContrast(scheme))
        return scheme.grayText;
    return IsDark(scheme) ? Invert(DarkenColour(8, Invert(scheme.grayText))) : DarkenColour(8, scheme.grayText);
}

uint32_t ItemTextColour(const MenuScheme& scheme, const ItemLook& look, bool onHighlight)
{
    if (look.grayed)
        return scheme.grayText;
    // High contrast selects with the highlight colour in every look.
    if (look.showsSelection() && (onHighlight || IsHighContrast(scheme)))
        return scheme.highlightText;
    return scheme.menuText;
}

double ItemTextMinimum(const MenuScheme& scheme, const ItemLook& look)
{
    return look.grayed ? GrayedTextMinimum(scheme.grayText, scheme.menu) : kReadableContrast;
}

} // namespace varnelle
