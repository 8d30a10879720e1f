// The system colours the menu and button painters read, gathered in one record, so that a
// look can be painted from the system's colours of the moment or from the library's dark
// palette. Platform-free: no windows.h.
#pragma once
#include <cstdint>

namespace varnelle {

enum class PaletteColour : uint8_t {
    Menu,            // COLOR_MENU: popup surfaces
    Window,          // COLOR_WINDOW: the base of the text area and of the selection tint
    Highlight,       // COLOR_HIGHLIGHT: the accent of every selection
    HighlightText,   // COLOR_HIGHLIGHTTEXT
    MenuText,        // COLOR_MENUTEXT
    GrayText,        // COLOR_GRAYTEXT
    ButtonFace,      // COLOR_BTNFACE: buttons and the menu bar
    ButtonShadow,    // COLOR_BTNSHADOW
    ButtonHighlight, // COLOR_BTNHIGHLIGHT
    DarkShadow,      // COLOR_3DDKSHADOW
    Light,           // COLOR_3DLIGHT
    ButtonText,      // COLOR_BTNTEXT
    Count
};
inline constexpr int kPaletteColours = static_cast<int>(PaletteColour::Count);

struct Palette {
    uint32_t colours[kPaletteColours];
    uint32_t operator[](PaletteColour which) const { return colours[static_cast<int>(which)]; }
};

// The dark look (SetColorMode 1). Surfaces near the dark menus of current Windows, text
// near white rather than white (less glare), and a muted blue accent that keeps white text
// above 4.5:1. Menu and window share one colour, as the light schemes' white menus and
// windows do, so that style 2's icon column takes the accent's tint; the 3D colours keep
// their roles on a dark face: light edges above and left, dark ones below and right.
inline constexpr Palette kDarkPalette = {{
    0x262626, // menu: popup surface
    0x262626, // window
    0x8F5F2F, // highlight: RGB(0x2F, 0x5F, 0x8F), a muted blue
    0xFFFFFF, // highlight text
    0xF0F0F0, // menu text
    0x8C8C8C, // gray text: 4.5:1 on the menu, dimmer than the text
    0x333333, // button face and menu bar
    0x1C1C1C, // button shadow
    0x5A5A5A, // button highlight
    0x101010, // dark shadow
    0x444444, // light
    0xF0F0F0, // button text
}};

} // namespace varnelle
