// The colours of the menu looks, derived from the system colours of the moment. Platform-
// free: no windows.h, so every table is tested natively with worked values; the painters
// read the system colours and the screen depth and turn these colours into brushes.
#pragma once
#include <cstdint>

namespace varnelle {

// How a look turns the scheme's colours into its own.
enum class Derivation : uint8_t {
    Light,        // the blends the looks were drawn with, for light surfaces
    Dark,         // the same blends on a dark surface: worked out on the inverted colours
                  // and inverted back, so that lightening and darkening trade places
    HighContrast, // the scheme's colours unblended: high contrast is on
};

// The colours every look starts from (the system's, or the dark palette), read afresh
// for each item painted.
struct MenuScheme {
    uint32_t highlight; // COLOR_HIGHLIGHT
    uint32_t menu;      // COLOR_MENU
    uint32_t window;    // COLOR_WINDOW
    uint32_t grayText;  // COLOR_GRAYTEXT
    uint32_t xp;        // GetXpHighlightColor: the pale selection tint
    uint32_t menuText = 0x000000;      // COLOR_MENUTEXT
    uint32_t highlightText = 0xFFFFFF; // COLOR_HIGHLIGHTTEXT
    Derivation derivation = Derivation::Light;
};

// High contrast when it is on, the dark derivation on a dark menu colour, else the light one.
Derivation DerivationFor(uint32_t menu, bool highContrast);

// Draw modes of the icon, glyph and box painters: the numbers DrawIcn takes.
enum DrawMode : uint8_t {
    kDrawGrayed = 1,
    kDrawSelected = 2,
    kDrawNormal = 3,
};

// Icons drawn flat: the selected mode (raised) becomes the normal one.
inline uint8_t FlatIconMode(uint8_t mode)
{
    return mode == kDrawSelected ? static_cast<uint8_t>(kDrawNormal) : mode;
}

// How an item's state decides its look in every style.
struct ItemLook {
    bool selected;
    bool grayed;
    bool checked;
    // A grayed item shows the selection look only while DisableSelect is set.
    bool selectable;

    bool showsSelection() const { return selected && selectable; }
    // Grayed always wins; otherwise the selection look gives the selected mode.
    DrawMode drawMode() const { return grayed ? kDrawGrayed : showsSelection() ? kDrawSelected : kDrawNormal; }
};

ItemLook LookOfItem(bool selected, bool grayed, bool checked, uint8_t disableSelect);

// A box drawn with an outline and a fill (Rectangle with a pen and a brush), or with a
// vertical gradient from `fill` at the top to `fillBottom` and a one-pixel frame.
struct BoxColours {
    uint32_t fill;
    uint32_t fillBottom;
    uint32_t outline;
};

// Style 2, the flat look. Low colour is a screen of fewer than 8 bits per pixel.
struct Style2Colours {
    uint32_t hotFill;        // hot-lit menu-bar item
    uint32_t selectionFill;  // selected popup item
    uint32_t selectionFrame; // frame of a selected popup item and of a hot-lit bar item
    uint32_t columnFill;     // icon column
    uint32_t textAreaFill;   // right of the icon column
    uint32_t separatorLine;
    // High contrast paints column and text area alike: a line keeps the column's edge.
    bool edgedColumn = false;
    uint32_t columnEdge = 0;
};
Style2Colours Style2ColoursFor(const MenuScheme& scheme, bool lowColour);
BoxColours Style2CheckBox(const MenuScheme& scheme, DrawMode mode, bool lowColour);

// Style 1, the 3D look: the cell behind the check mark and the checked icon.
uint32_t Style1LightCell(uint32_t menu);
uint32_t Style1LightCell(const MenuScheme& scheme);
// Grey text on the highlight fill; when the two colours agree the text would vanish.
uint32_t Style1SelectedGrayText(uint32_t grayText, uint32_t highlight);
uint32_t Style1SelectedGrayText(const MenuScheme& scheme);
// The check mark and bullet in the light cell: black on a light surface.
uint32_t Style1GlyphInk(const MenuScheme& scheme);

// Style 3, the gradient look (more than 8 bits per pixel) and its solid variant.
struct HorizontalRun {
    uint32_t left;
    uint32_t right;
};
struct VerticalRun {
    uint32_t top;
    uint32_t bottom;
};
uint32_t Style3Frame(const MenuScheme& scheme);
HorizontalRun Style3Background(uint32_t menu);
HorizontalRun Style3Background(const MenuScheme& scheme);
VerticalRun Style3Selection(const MenuScheme& scheme);
HorizontalRun Style3SeparatorLine(uint32_t grayText, uint32_t menu);
// Gradient look: fill (top) to fillBottom framed in outline; solid look: Rectangle.
BoxColours Style3CheckBox(const MenuScheme& scheme, DrawMode mode, bool gradientLook);
// The solid look (8 bits per pixel or less, and high contrast).
struct Style3SolidColours {
    uint32_t selection;
    uint32_t frame;
};
Style3SolidColours Style3Solid(const MenuScheme& scheme);

// The grey of a window-menu glyph that is grayed, or the shadow copy of a selected one.
uint32_t SysMenuGlyphGrey(const MenuScheme& scheme);

// The text colour of an item before it is made readable: grey when grayed, the highlight
// text on a selection painted in the highlight colour, otherwise the menu text.
uint32_t ItemTextColour(const MenuScheme& scheme, const ItemLook& look, bool onHighlight);
// The contrast the item's text keeps against what is behind it.
double ItemTextMinimum(const MenuScheme& scheme, const ItemLook& look);

} // namespace varnelle
