// The window-menu pictures (close, restore, maximize, minimize) as Marlett characters in
// the icon cell of an item.
#include "../colour/colour_math.h"
#include "../core/gdi_handles.h"
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
    const COLORREF grey = DarkenColour(8, GetSysColor(COLOR_GRAYTEXT));
    switch (mode & 3) {
    case kDrawGrayed:
        SetTextColor(dc, grey);
        DrawGlyph(dc, font.get(), glyph, cell);
        break;
    case kDrawSelected:
        // A grey copy down and to the right, the item's text colour up and to the left.
        SetTextColor(dc, grey);
        OffsetRect(&cell, 1, 1);
        DrawGlyph(dc, font.get(), glyph, cell);
        SetTextColor(dc, textColour);
        OffsetRect(&cell, -2, -2);
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
