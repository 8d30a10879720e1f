// Measurement of menu text and icons: the text extents and the icon cell that measurement
// and the painters share. MeasureMenuItem itself is declared with the other routing entry
// points in menu_internal.h.
#pragma once
#include <windows.h>

#include <cstdint>

#include "../core/gdi_handles.h"
#include "../core/system_text.h"
#include "menu_loop_cache.h"

namespace varnelle {

// The font menu items are measured and painted in: the system's menu font, or the stock
// DEFAULT_GUI_FONT (never deleted) when the non-client metrics cannot be read or GDI
// cannot make the font.
class MenuTextFont {
public:
    // The system's menu font; inside a menu loop the loop's own.
    MenuTextFont();
    // From a menu font already read; null takes the fallback.
    explicit MenuTextFont(const LOGFONTA* menuFont);
    HFONT get() const;
    // The menu font itself was made; otherwise get() is the stock stand-in.
    bool made() const { return static_cast<bool>(font_); }

private:
    PaintFont font_;
};

// lfMenuFont from SPI_GETNONCLIENTMETRICS (the 340-byte record of the 32-bit interface).
[[nodiscard]] bool ReadMenuLogFont(LOGFONTA* menuFont);

struct TextExtent {
    uint32_t width;
    uint32_t height;
};

// Extent of the text as DrawText(DT_CALCRECT) gives it on the screen DC: "&" markers are
// taken as menus take them, a tab counts as one ordinary character.
TextExtent MeasureMenuText(const TextRun& text, HFONT font);
// The same on a DC of the display other than the screen's (the same device, so the same
// extent), which spares taking the screen DC.
TextExtent MeasureMenuTextOn(HDC dc, const TextRun& text, HFONT font);

// The DPI menu items are laid out for: LOGPIXELSY of a DC of the display (null: the
// screen's own DC).
int32_t DisplayDpi(HDC dc);

// Height of an icon's colour bitmap; 0 without an icon or for a monochrome icon.
uint32_t IconColourHeight(HICON icon);

// Recomputes the icon cell for one text item and stores it in IconCellWidth and
// IconCellHeight. `icon` may be null.
uint32_t CalcIconCell(const TextRun& text, HICON icon);
// For a painter that has read the icon already: the text measured on `dc`, a DC of the
// display (null: the screen DC), with an icon of `iconHeight` (0: none or monochrome).
uint32_t CalcIconCellOn(HDC dc, const TextRun& text, uint32_t iconHeight);

} // namespace varnelle
