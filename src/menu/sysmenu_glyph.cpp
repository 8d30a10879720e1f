// The window-menu pictures (close, restore, maximize, minimize) as Marlett characters in
// the icon cell of an item.
#include "menu_measure.h"

#include "../colour/colour_math.h"
#include "../core/module_state.h"
#include "menu_measure_core.h"

namespace varnelle {
namespace {

void DrawGlyphAt(HDC dc, const char* glyph, RECT cell, int dx, int dy)
{
    OffsetRect(&cell, dx, dy);
    DrawTextA(dc, glyph, 1, &cell, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

} // namespace

void DrawSysMenuGlyph(HDC dc, const RECT* item, HBITMAP code, BYTE mode)
{
    const char glyph[2] = {SysMenuGlyphChar(reinterpret_cast<intptr_t>(code)), 0};
    if (!glyph[0] || !dc || !item)
        return;

    unique_hfont font = CreateMenuMarlettFont();
    const COLORREF textColour = GetTextColor(dc);
    scoped_text_color keepTextColour(dc, textColour);
    SetBkMode(dc, TRANSPARENT);
    scoped_select selection(dc, font.get());

    const RECT cell = {item->left, item->top, item->left + ModuleState.IconCellWidth, item->bottom};
    const COLORREF grey = DarkenColour(8, GetSysColor(COLOR_GRAYTEXT));
    switch (mode & 3) {
    case 1:
        SetTextColor(dc, grey);
        DrawGlyphAt(dc, glyph, cell, 0, 0);
        break;
    case 2:
        // A grey copy down and to the right, the item's text colour up and to the left.
        SetTextColor(dc, grey);
        DrawGlyphAt(dc, glyph, cell, 1, 1);
        SetTextColor(dc, textColour);
        DrawGlyphAt(dc, glyph, cell, -1, -1);
        break;
    case 3:
        DrawGlyphAt(dc, glyph, cell, 0, 0);
        break;
    default:
        break;
    }
}

} // namespace varnelle
