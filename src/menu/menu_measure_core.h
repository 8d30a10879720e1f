// Size arithmetic of menu items and of the icon cell. Platform-free: no windows.h, so the
// rules are tested natively; the Win32 layer feeds in text extents and bitmap sizes.
#pragma once
#include <cstdint>

namespace varnelle {

// Item type bits the measurement looks at (MFT_BITMAP, MFT_SEPARATOR).
inline constexpr uint32_t kTypeBitmap = 0x4;
inline constexpr uint32_t kTypeSeparator = 0x800;

// Command identifiers of the window menu, the shifted ones included.
inline constexpr uint32_t kFirstWindowMenuCommand = 0xF000;
inline constexpr uint32_t kLastWindowMenuCommand = 0xF150;

// Item texts are read into a 128-character buffer, so at most 127 characters count.
inline constexpr uint32_t kMenuTextBufferSize = 128;

struct ItemSize {
    uint32_t width;
    uint32_t height;
};

// The lengths of menu items are those of a 96-DPI screen, scaled to the DPI of the DC the
// item is measured or painted on (MulDiv rounding): at 96 they are the lengths as given.
// One-pixel lines and frames stay one pixel wide.
inline constexpr int32_t kBaseDpi = 96;
int32_t ScaleToDpi(int32_t length, int32_t dpi);

// How an item is sized, from its type and command identifier.
enum class MeasureRule {
    Separator,    // fixed sizes, or the width a separator callback asks for
    ItemBitmap,   // the size of the item's bitmap (a bitmap item with identifier 0)
    LeaveAlone,   // a separator with the bitmap bit and identifier 0: no size is written
    Text,         // everything else is measured as text
};

MeasureRule RuleForItem(uint32_t type, uint32_t itemId);

// The square column at the left of an item: room for the text line or the icon.
// Compared as unsigned values, as the sizes are.
uint32_t IconCellSize(uint32_t textHeight, uint32_t iconHeight, int32_t dpi = kBaseDpi);

bool IsWindowMenuCommand(uint32_t itemId);

struct TextItemInput {
    uint32_t textWidth;
    uint32_t textHeight;
    uint32_t iconHeight;
    uint32_t itemId;
    bool inPopup;
    bool hasTab;
    int32_t dpi = kBaseDpi;
};

// Size of a text item; the icon cell is IconCellSize(textHeight, iconHeight).
ItemSize TextItemSize(const TextItemInput& input);

// Size of a separator. callbackWidth is what the separator's callback answered; it is
// only asked in a popup. An answer of 0 or less takes the default width.
inline constexpr uint32_t kCallbackSeparatorHeight = 5;
// The fixed sizes and the default width are those of 96 DPI, scaled; a callback's answer
// is its own.
ItemSize SeparatorSize(bool inPopup, bool hasCallback, int32_t callbackWidth, int32_t defaultWidth,
                       int32_t dpi = kBaseDpi);

// LOGFONT height of the check-mark font: a character height under 15 pixels (scaled to
// the DPI) is raised to it; cell heights (positive), 0 and larger characters stay.
inline int32_t CheckGlyphFontHeight(int32_t menuFontHeight, int32_t dpi = kBaseDpi)
{
    const int32_t least = ScaleToDpi(15, dpi);
    return menuFontHeight > -least && menuFontHeight <= -1 ? -least : menuFontHeight;
}

// Marlett character of a window-menu picture code (HBMMENU_POPUP_CLOSE 8 to
// HBMMENU_POPUP_MINIMIZE 11); 0 for any other code.
char SysMenuGlyphChar(intptr_t code);

} // namespace varnelle
