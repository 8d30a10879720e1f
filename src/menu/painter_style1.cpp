// Style 1, the 3D look in the system's button colours: menu-coloured items, the highlight
// right of the icon column, raised and sunken icon cells, embossed grey text and an etched
// separator. Popup and menu-bar items are painted alike.
#include "../core/gdi_handles.h"
#include "../core/thread_state.h"
#include "marlett_font.h"
#include "menu_paint.h"

namespace varnelle {
namespace {

// Two rows indented by half the icon column from both ends: dark above light, the last
// pixel of the dark row light.
void PaintEtchedSeparator(HDC dc, const RECT& item)
{
    FillWithSysColour(dc, item, COLOR_MENU);
    const int indent = ReadThreadState().IconCellWidth / 2 + 1;
    const int middle = item.top + (item.bottom - item.top) / 2;
    const RECT light = {item.left + indent, middle - 1, item.right - indent, middle + 1};
    FillWithSysColour(dc, light, COLOR_BTNHIGHLIGHT);
    const RECT dark = {item.left + indent, middle - 1, item.right - indent - 1, middle};
    FillWithSysColour(dc, dark, COLOR_BTNSHADOW);
}

COLORREF TextColourOf(const ItemLook& look)
{
    if (!look.grayed)
        return GetSysColor(COLOR_MENUTEXT);
    if (look.showsSelection())
        return Style1SelectedGrayText(GetSysColor(COLOR_GRAYTEXT), GetSysColor(COLOR_HIGHLIGHT));
    return GetSysColor(COLOR_GRAYTEXT);
}

// The sunken cell behind a check mark or a checked icon, by draw mode: a grayed one only
// framed, a selected one menu-coloured and framed on the left and top only.
void PaintSunkenCell(HDC dc, const RECT& cell, BYTE mode, HBRUSH lightCell)
{
    RECT inner = cell;
    InflateRect(&inner, -1, -1);
    RECT frame = cell;
    switch (mode) {
    case kDrawGrayed:
        DrawEdge(dc, &frame, BDR_SUNKENOUTER, BF_RECT);
        break;
    case kDrawSelected:
        FillWithSysColour(dc, inner, COLOR_MENU);
        DrawEdge(dc, &frame, BDR_SUNKENINNER, BF_LEFT | BF_TOP);
        break;
    default:
        FillRect(dc, &inner, lightCell);
        DrawEdge(dc, &frame, BDR_SUNKENOUTER, BF_RECT);
        break;
    }
}

void PaintTextItem(const DRAWITEMSTRUCT& item, const PaintedItem& facts, HBRUSH lightCell)
{
    const HDC dc = item.hDC;
    const RECT& full = item.rcItem;
    const RECT narrowed = {full.left, full.top + 1, full.right, full.bottom - 1};
    const ItemLook look = LookOf(item);
    const HICON icon = facts.icon();
    CalcPaintedIconCell(item, facts);
    const int cell = ReadThreadState().IconCellWidth;
    SetTextColor(dc, TextColourOf(look));

    if (look.showsSelection()) {
        // An icon or a check keeps its column, and one pixel after it, out of the highlight.
        RECT highlight = narrowed;
        if (icon || look.checked)
            highlight.left += cell + 1;
        FillWithSysColour(dc, highlight, COLOR_HIGHLIGHT);
        if (!look.grayed)
            SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    } else if (!look.selected) {
        FillWithSysColour(dc, full, COLOR_MENU);
    }
    BYTE mode = look.drawMode();

    // Icons are drawn normally or in the embossed disabled look, never raised.
    RECT iconCell = {full.left, full.top + 1, full.left + cell, full.bottom - 1};
    if (look.checked && icon) {
        PaintSunkenCell(dc, iconCell, mode, lightCell);
        DrawItemIcon(dc, narrowed, facts, FlatIconMode(mode), true);
    } else if (look.checked) {
        DrawCheckStyle1(dc, &narrowed, mode, facts.radio());
    } else if (icon) {
        if (look.showsSelection())
            DrawEdge(dc, &iconCell, BDR_RAISEDINNER, BF_RECT);
        DrawItemIcon(dc, narrowed, facts, FlatIconMode(mode), true);
    } else if (facts.glyph) {
        DrawSysMenuGlyph(dc, &narrowed, facts.glyph, mode);
    }

    // The accelerator ends half an icon column (and 5 pixels) inside the right edge.
    RECT text = {full.left + cell + 6, full.top + 1, full.right - (cell / 2 + 5), full.bottom - 1};
    if (look.grayed && !look.selected) {
        // Embossed: a light copy one pixel down and right under the shadow-coloured text.
        SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        RECT light = text;
        OffsetRect(&light, 1, 1);
        DrawItemText(dc, light, facts, kLabelFormat);
        SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    }
    DrawItemText(dc, text, facts, kLabelFormat);
}

} // namespace

void DrawMenuItemStyle1(const DRAWITEMSTRUCT& item, const PaintedItem& facts)
{
    const solid_brush lightCell(Style1LightCell(GetSysColor(COLOR_MENU)), COLOR_3DHILIGHT);
    switch (facts.kind) {
    case PaintedKind::Separator:
        if (SeparatorCallback callback = facts.callback())
            PaintCallbackSeparator(&item, callback);
        else
            PaintEtchedSeparator(item.hDC, item.rcItem);
        return;
    case PaintedKind::Text:
        PaintTextItem(item, facts, lightCell.get());
        return;
    case PaintedKind::Nothing:
        return;
    }
}

void DrawCheckStyle1(HDC dc, const RECT* item, BYTE mode, BYTE isRadio)
{
    const COLORREF menu = GetSysColor(COLOR_MENU);
    const solid_brush lightCell(ScreenColourBits(dc) >= 8 ? Style1LightCell(menu) : menu, COLOR_3DHILIGHT);
    const PaintFont font = CreateCheckMarlettFont();
    const RECT cell = {item->left, item->top, item->left + ReadThreadState().IconCellWidth, item->bottom};
    PaintSunkenCell(dc, cell, mode, lightCell.get());
    const COLORREF glyphColour = mode == kDrawGrayed ? GetSysColor(COLOR_GRAYTEXT) : RGB(0, 0, 0);
    const scoped_text_color glyphText(dc, glyphColour);
    SetBkMode(dc, TRANSPARENT);
    const scoped_select selectFont(dc, font.get());
    DrawGlyph(dc, font.get(), isRadio ? kRadioGlyph : kCheckGlyph, cell);
}

} // namespace varnelle
