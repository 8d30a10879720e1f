// Style 1, the 3D look in the system's button colours: menu-coloured items, the highlight
// right of the icon column, raised and sunken icon cells, embossed grey text and an etched
// separator. Popup and menu-bar items are painted alike.
#include "../colour/contrast.h"
#include "../core/gdi_handles.h"
#include "../core/module_state.h"
#include "../core/thread_state.h"
#include "marlett_font.h"
#include "menu_paint.h"

namespace varnelle {
namespace {

// Two rows indented by half the icon column from both ends: dark above light, the last
// pixel of the dark row light.
void PaintEtchedSeparator(HDC dc, const RECT& item, const ItemColours& colours)
{
    FillInColour(dc, item, colours.paint, PaletteColour::Menu);
    const int indent = ReadThreadState().IconCellWidth / 2 + 1;
    const int middle = item.top + (item.bottom - item.top) / 2;
    const RECT light = {item.left + indent, middle - 1, item.right - indent, middle + 1};
    FillInColour(dc, light, colours.paint, PaletteColour::ButtonHighlight);
    const RECT dark = {item.left + indent, middle - 1, item.right - indent - 1, middle};
    FillInColour(dc, dark, colours.paint, PaletteColour::ButtonShadow);
}

uint32_t TextColourOf(const ItemLook& look, const MenuScheme& scheme)
{
    if (look.grayed && look.showsSelection())
        return Style1SelectedGrayText(scheme);
    return ItemTextColour(scheme, look, true);
}

// The sunken cell behind a check mark or a checked icon, by draw mode: a grayed one only
// framed, a selected one menu-coloured and framed on the left and top only.
void PaintSunkenCell(HDC dc, const RECT& cell, BYTE mode, HBRUSH lightCell, const ItemColours& colours)
{
    RECT inner = cell;
    InflateRect(&inner, -1, -1);
    switch (mode) {
    case kDrawGrayed:
        PaintEdge(dc, cell, BDR_SUNKENOUTER, BF_RECT, colours.paint);
        break;
    case kDrawSelected:
        FillInColour(dc, inner, colours.paint, PaletteColour::Menu);
        PaintEdge(dc, cell, BDR_SUNKENINNER, BF_LEFT | BF_TOP, colours.paint);
        break;
    default:
        FillRect(dc, &inner, lightCell);
        PaintEdge(dc, cell, BDR_SUNKENOUTER, BF_RECT, colours.paint);
        break;
    }
}

// Embossed grey text: a light copy one pixel down and right under the text in the shadow
// colour. On a dark surface the shadow colour is darker than the menu, so the text takes
// the grey text colour over a copy in the shadow colour; high contrast draws it once.
void DrawGrayedText(HDC dc, const RECT& text, const PaintedItem& facts, const ItemColours& colours)
{
    const MenuScheme& scheme = colours.scheme;
    const double minimum = GrayedTextMinimum(scheme.grayText, scheme.menu);
    const uint32_t menu = colours[PaletteColour::Menu];
    if (scheme.derivation != Derivation::HighContrast) {
        const bool dark = scheme.derivation == Derivation::Dark;
        SetTextColor(dc, colours[dark ? PaletteColour::ButtonShadow : PaletteColour::ButtonHighlight]);
        RECT offset = text;
        OffsetRect(&offset, 1, 1);
        DrawItemText(dc, offset, facts, kLabelFormat);
        SetReadableTextColour(dc, colours[dark ? PaletteColour::GrayText : PaletteColour::ButtonShadow], {menu},
                              minimum);
    } else {
        SetReadableTextColour(dc, scheme.grayText, {menu}, minimum);
    }
    DrawItemText(dc, text, facts, kLabelFormat);
}

void PaintTextItem(const DRAWITEMSTRUCT& item, const PaintedItem& facts, const ItemColours& colours,
                   HBRUSH lightCell)
{
    const HDC dc = item.hDC;
    const RECT& full = item.rcItem;
    const RECT narrowed = {full.left, full.top + 1, full.right, full.bottom - 1};
    const ItemLook look = LookOf(item);
    const HICON icon = facts.icon();
    CalcPaintedIconCell(item, facts);
    const int cell = ReadThreadState().IconCellWidth;
    // Selected, the text stands on the highlight; otherwise on the menu colour (also where
    // a selection may not be shown and what was there stays).
    const uint32_t behindText = colours[look.showsSelection() ? PaletteColour::Highlight : PaletteColour::Menu];
    SetReadableTextColour(dc, TextColourOf(look, colours.scheme), {behindText}, ItemTextMinimum(colours.scheme, look));

    if (look.showsSelection()) {
        // An icon or a check keeps its column, and one pixel after it, out of the highlight.
        RECT highlight = narrowed;
        if (icon || look.checked)
            highlight.left += cell + 1;
        FillInColour(dc, highlight, colours.paint, PaletteColour::Highlight);
    } else if (!look.selected) {
        FillInColour(dc, full, colours.paint, PaletteColour::Menu);
    }
    BYTE mode = look.drawMode();

    // Icons are drawn normally or in the embossed disabled look, never raised.
    RECT iconCell = {full.left, full.top + 1, full.left + cell, full.bottom - 1};
    if (look.checked && icon) {
        PaintSunkenCell(dc, iconCell, mode, lightCell, colours);
        DrawItemIcon(dc, narrowed, facts, FlatIconMode(mode), true, colours.paint);
    } else if (look.checked) {
        DrawCheckStyle1(dc, &narrowed, mode, facts.radio());
    } else if (icon) {
        if (look.showsSelection())
            PaintEdge(dc, iconCell, BDR_RAISEDINNER, BF_RECT, colours.paint);
        DrawItemIcon(dc, narrowed, facts, FlatIconMode(mode), true, colours.paint);
    } else if (facts.glyph) {
        DrawSysMenuGlyph(dc, &narrowed, facts.glyph, mode);
    }

    // The accelerator ends half an icon column (and 5 pixels) inside the right edge.
    RECT text = {full.left + cell + facts.scaled(6), full.top + 1, full.right - (cell / 2 + facts.scaled(5)),
                 full.bottom - 1};
    if (look.grayed && !look.selected)
        DrawGrayedText(dc, text, facts, colours);
    else
        DrawItemText(dc, text, facts, kLabelFormat);
}

} // namespace

void DrawMenuItemStyle1(const DRAWITEMSTRUCT& item, const PaintedItem& facts)
{
    const ItemColours colours = ReadItemColours(ScreenColourBits(item.hDC));
    const solid_brush lightCell(Style1LightCell(colours.scheme), COLOR_3DHILIGHT);
    switch (facts.kind) {
    case PaintedKind::Separator:
        if (SeparatorCallback callback = facts.callback())
            PaintCallbackSeparator(&item, callback);
        else
            PaintEtchedSeparator(item.hDC, item.rcItem, colours);
        return;
    case PaintedKind::Text:
        PaintTextItem(item, facts, colours, lightCell.get());
        return;
    case PaintedKind::Nothing:
        return;
    }
}

void DrawCheckStyle1(HDC dc, const RECT* item, BYTE mode, BYTE isRadio)
{
    const ItemColours colours = ReadItemColours(ScreenColourBits(dc));
    const MenuScheme& scheme = colours.scheme;
    const solid_brush lightCell(ScreenColourBits(dc) >= 8 ? Style1LightCell(scheme) : scheme.menu, COLOR_3DHILIGHT);
    const PaintFont font = CreateCheckMarlettFont(ItemDpi(dc));
    const RECT cell = {item->left, item->top, item->left + ReadThreadState().IconCellWidth, item->bottom};
    PaintSunkenCell(dc, cell, mode, lightCell.get(), colours);
    const COLORREF glyphColour = mode == kDrawGrayed ? scheme.grayText : Style1GlyphInk(scheme);
    const scoped_text_color glyphText(dc, glyphColour);
    SetBkMode(dc, TRANSPARENT);
    const scoped_select selectFont(dc, font.get());
    DrawGlyph(dc, font.get(), isRadio ? kRadioGlyph : kCheckGlyph, cell);
}

} // namespace varnelle
