// Loads Varnelle.dll as an application would and prints what its colour functions make
// of the current system colours.
#include <windows.h>

#include <cstdio>

#include "varnelle.h"

namespace {

struct NamedColour {
    const char* name;
    int index;
};

const NamedColour kColours[] = {
    {"COLOR_BTNFACE", COLOR_BTNFACE},     {"COLOR_BTNSHADOW", COLOR_BTNSHADOW},
    {"COLOR_BTNHIGHLIGHT", COLOR_BTNHIGHLIGHT}, {"COLOR_BTNTEXT", COLOR_BTNTEXT},
    {"COLOR_WINDOW", COLOR_WINDOW},       {"COLOR_HIGHLIGHT", COLOR_HIGHLIGHT},
    {"COLOR_MENU", COLOR_MENU},           {"COLOR_MENUTEXT", COLOR_MENUTEXT},
    {"COLOR_GRAYTEXT", COLOR_GRAYTEXT},
};

} // namespace

int main()
{
    std::printf("Varnelle colour functions on this system's colours (0x00BBGGRR), screen %d bits per pixel\n\n",
                NumColorBits());
    std::printf("%-20s %-9s %-13s %-12s %-14s %-14s %s\n", "system colour", "value", "Lighten(64)", "Darken(64)",
                "Mixed(,white)", "Mid(,black)", "gray");
    for (const NamedColour& colour : kColours) {
        COLORREF value = GetSysColor(colour.index);
        std::printf("%-20s 0x%06lX  0x%06lX      0x%06lX     0x%06lX       0x%06lX       %d\n", colour.name,
                    static_cast<unsigned long>(value), static_cast<unsigned long>(LightenColor(64, value)),
                    static_cast<unsigned long>(DarkenColor(64, value)),
                    static_cast<unsigned long>(MixedColor(value, 0xFFFFFF)),
                    static_cast<unsigned long>(MidColor(value, 0x000000)), GrayColor(value));
    }
    std::printf("\nselection colour of the skins (GetXpHighlightColor): 0x%06lX\n",
                static_cast<unsigned long>(GetXpHighlightColor()));
    return 0;
}
