// Painting owner-drawn menu items: the painter of each style and the pieces they share.
#pragma once
#include <windows.h>

#include "../colour/drawing.h"
#include "../core/exports.h"
#include "menu_colours.h"
#include "menu_measure_core.h"
#include "menu_text.h"
#include "separator_callback.h"

namespace varnelle {

// What the painters paint an item as, from its type bits: bitmap items are left alone.
enum class PaintedKind { Text, Separator, Nothing };
struct PaintedItem;

// One painter per MenuStyle, 0 to 3. Each paints the whole item on every WM_DRAWITEM and
// leaves the DRAWITEMSTRUCT as it found it; DrawMenuItem saves and restores the DC around
// it and reads the item's facts for it.
using MenuPainter = void (*)(const DRAWITEMSTRUCT& item, const PaintedItem& facts);
inline constexpr int kMenuStyleCount = 4;

void DrawMenuItemStyle0(const DRAWITEMSTRUCT& item, const PaintedItem& facts);
void DrawMenuItemStyle1(const DRAWITEMSTRUCT& item, const PaintedItem& facts);
void DrawMenuItemStyle2(const DRAWITEMSTRUCT& item, const PaintedItem& facts);
void DrawMenuItemStyle3(const DRAWITEMSTRUCT& item, const PaintedItem& facts);

// The facts a painter reads about its item, by command identifier from the menu that holds
// it (DRAWITEMSTRUCT.hwndItem). A failed read comes out as a text item without icon or glyph.
struct PaintedItem {
    PaintedKind kind = PaintedKind::Text;
    UINT type = 0;
    ULONG_PTR data = 0;       // an ordinary item's icon, a separator's callback
    HBITMAP glyph = nullptr;  // hbmpItem: a window-menu picture code, or 0
    MenuItemText text;        // text items only
    IconImage iconImage;      // the icon, read once for the cell size and the drawing
    // DT_RTLREADING for an item read right to left, DT_NOPREFIX while the system hides
    // access-key underlines (ODS_NOACCEL; the marks are taken out of the text then): added
    // to every text the item draws.
    UINT textFormat = 0;
    // A right-to-left item on a DC that the system has not mirrored: DrawMenuItem mirrors
    // the item, so that the icon column stands on the reading side.
    bool mirrored = false;

    HICON icon() const { return kind == PaintedKind::Text ? reinterpret_cast<HICON>(data) : nullptr; }
    SeparatorCallback callback() const { return SeparatorCallbackOf(type, data); }
    BYTE radio() const { return (type & MFT_RADIOCHECK) ? 1 : 0; }
};
// `windowRightToLeft`: the hooked window is laid out right to left (WS_EX_LAYOUTRTL).
PaintedItem ReadPaintedItem(const DRAWITEMSTRUCT& item, bool windowRightToLeft = false);

// The icon cell of a text item, recomputed for the paint from its text and icon.
void CalcPaintedIconCell(const DRAWITEMSTRUCT& item, const PaintedItem& facts);

// The item's icon centred in the icon cell at the top-left of `cell` (DrawIcn's looks).
void DrawItemIcon(HDC dc, const RECT& cell, const PaintedItem& facts, BYTE mode, bool embossed);

// Bits per pixel of the screen, as NumColorBits gives them; read from the item's own DC
// when that is a DC of the display, which spares taking the screen DC.
int ScreenColourBits(HDC dc);

// The system colours of the moment and the selection tint for a screen of `colourBits`.
MenuScheme ReadMenuScheme(int colourBits);

// The item's state as the looks of every style read it.
ItemLook LookOf(const DRAWITEMSTRUCT& item);

// Draws the item text in `area`: split at its first TAB, the part after it right-aligned
// (the accelerator), the label left-aligned; a text without TAB is drawn whole with
// `wholeFormat`. "&" marks the mnemonic; the DC's font and text colour are used, and the
// item's reading order and access-key look.
void DrawItemText(HDC dc, const RECT& area, const PaintedItem& facts, UINT wholeFormat);
inline constexpr UINT kLabelFormat = DT_VCENTER | DT_SINGLELINE | DT_NOCLIP;
inline constexpr UINT kAcceleratorFormat = DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP;

// One character of Marlett (`marlett`, selected by the caller) centred in `area`, in the
// DC's text colour. Nothing when the font could not be made: the DC's own font would
// draw a letter instead of the mark.
void DrawGlyph(HDC dc, HFONT marlett, char glyph, const RECT& area);
inline constexpr char kCheckGlyph = 'b';
inline constexpr char kRadioGlyph = 'i';

// A window-menu picture (hbmpItem HBMMENU_POPUP_CLOSE, _RESTORE, _MAXIMIZE or _MINIMIZE)
// as a Marlett character in the icon cell of `item`. Any other code draws nothing and
// leaves the DC alone.
void DrawSysMenuGlyph(HDC dc, const RECT* item, HBITMAP code, BYTE mode);

// The check box of each style, at the left of the item rectangle, in the icon column.
void DrawCheckStyle1(HDC dc, const RECT* item, BYTE mode, BYTE isRadio);
void DrawCheckStyle2(HDC dc, const RECT* item, BYTE mode, BYTE isRadio);
void DrawCheckBoxStyle3(HDC dc, const RECT* item, BYTE mode);
void DrawCheckStyle3(HDC dc, const RECT* item, BYTE mode, BYTE isRadio);

// A box outlined one pixel wide and filled, as Rectangle draws it with a pen and a brush
// of the colours; when GDI cannot make them, the system colours named stand in (framed
// and filled with system brushes, when there is no pen).
void DrawBox(HDC dc, const RECT& box, const BoxColours& colours, int fallbackOutline, int fallbackFill);

// FillRect with a system colour brush, given as the colour index (never deleted).
inline void FillWithSysColour(HDC dc, const RECT& area, int colourIndex)
{
    FillRect(dc, &area, SystemBrush(colourIndex));
}

} // namespace varnelle
