// The colour mode of SetColorMode and the colours it gives the painters: the system's
// colours of the moment, or the library's dark palette. Process-wide, like the rest of the
// library's state, and read by the painters of every hooked window.
#pragma once
#include <windows.h>

#include <cstdint>

#include "../colour/palette.h"

namespace varnelle {

enum ColourMode : uint32_t {
    kSystemColours = 0,   // the default
    kDarkColours = 1,     // the dark palette
    kFollowAppsTheme = 2, // the user's choice for applications
};

uint32_t CurrentColourMode();
// Stores a mode of 0 to 2 and returns the one before; mode 2 reads the user's setting
// now. Any other value changes nothing.
uint32_t StoreColourMode(uint32_t mode);

// Mode 1, or mode 2 while the user's applications are dark.
[[nodiscard]] bool DarkPaletteChosen();
// Under mode 2, reads the user's setting again; true when the answer changed.
[[nodiscard]] bool RereadAppsTheme();
// AppsUseLightTheme under HKCU\...\Themes\Personalize is 0. Read through the registry
// functions KERNEL32 exports (Windows 7 on, and Wine); without them, or without the
// value, applications are light.
[[nodiscard]] bool AppsUseDarkTheme();

// A WM_SETTINGCHANGE that can change the colours painted: the user's choice of light or
// dark applications ("ImmersiveColorSet"), or high contrast. `wide`: the message came
// through the wide functions, so its text is UTF-16.
[[nodiscard]] bool IsColourSettingChange(bool wide, WPARAM wParam, LPARAM lParam);

// SPI_GETHIGHCONTRAST says high contrast is on.
[[nodiscard]] bool HighContrastOn();

// What the painters paint with now. High contrast always takes the system's colours.
struct PaintColours {
    Palette palette;
    bool system;       // the system colours, which have system brushes of their own
    bool highContrast; // painted unblended
};
PaintColours CurrentPaintColours();
// The dark palette is what the painters read now.
[[nodiscard]] bool DarkPaletteInUse();

// The system colour index of a palette colour (COLOR_MENU ...).
int SystemColourIndex(PaletteColour colour);

} // namespace varnelle
