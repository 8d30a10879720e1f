// The window-menu pictures (close, restore, maximize, minimize) as Marlett characters in
// the icon cell of an item.
#include "../core/gdi_handles.h"
#include "../core/module_state.h"
#include "../core/thread_state.h"
#include "marlett_font.h"
#include "menu_paint.h"

namespace varnelle {

void DrawSysMenuGlyph(HDC dc, const RECT* item, HBITMAP code, BYTE mode)
{
    const char glyph = SysMenuGlyphChar(reinterpret_cast<intptr_t>(code));
    if (!glyph || !dc || !item)
        return;

    // Without Marlett the DC's font would draw a letter: the picture is left out.
    const PaintFont font = CreateMenuMarlettFont();
    if (!font)
        return;
    const COLORREF textColour = GetTextColor(dc);
    scoped_text_color keepTextColour(dc, textColour);
    SetBkMode(dc, TRANSPARENT);
    scoped_select selection(dc, font.get());

    RECT cell = {item->left, item->top, item->left + ReadThreadState().IconCellWidth, item->bottom};
    // The two copies of a selected glyph stand a pixel apart at 96 DPI, more at higher ones.
    const int shift = ScaleToDpi(1, ItemDpi(dc));
    const COLORREF grey = SysMenuGlyphGrey(ReadItemColours(ScreenColourBits(dc)).scheme);
    switch (mode & 3) {
    case kDrawGrayed:
        SetTextColor(dc, grey);
        DrawGlyph(dc, font.get(), glyph, cell);
        break;
    case kDrawSelected:
        // A grey copy down and to the right, the item's text colour up and to the left.
        SetTextColor(dc, grey);
        OffsetRect(&cell, shift, shift);
        DrawGlyph(dc, font.get(), glyph, cell);
        SetTextColor(dc, textColour);
        OffsetRect(&cell, -2 * shift, -2 * shift);
        DrawGlyph(dc, font.get(), glyph, cell);
        break;
    case kDrawNormal:
        DrawGlyph(dc, font.get(), glyph, cell);
        break;
    default:
        break;
    }
}

} // namespace varnelle
