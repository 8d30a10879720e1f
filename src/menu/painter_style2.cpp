// Style 2, the flat look: a tinted icon column, a light text area, a framed selection box,
// and on Windows 2000 and XP the menu bar, with a soft shadow beside the pushed item.
#include "../colour/drawing.h"
#include "../core/gdi_handles.h"
#include "../core/module_state.h"
#include "../core/thread_state.h"
#include "marlett_font.h"
#include "menu_paint.h"

namespace varnelle {
namespace {

// The six brushes of the look, made afresh from the colours of the moment for every item.
// Those GDI cannot make are stood in for by the system colours the low-colour look takes,
// the window colour for the selection tint.
struct Style2Brushes {
    explicit Style2Brushes(const Style2Colours& colours)
        : colours(colours),
          hotFill(colours.hotFill, COLOR_WINDOW),
          selectionFill(colours.selectionFill, COLOR_WINDOW),
          selectionFrame(colours.selectionFrame, COLOR_HIGHLIGHT),
          columnFill(colours.columnFill, COLOR_MENU),
          textAreaFill(colours.textAreaFill, COLOR_WINDOW),
          separatorLine(colours.separatorLine, COLOR_GRAYTEXT)
    {
        if (colours.edgedColumn)
            columnEdge.reset(colours.columnEdge, COLOR_MENUTEXT);
    }
    Style2Colours colours;
    solid_brush hotFill;
    solid_brush selectionFill;
    solid_brush selectionFrame;
    solid_brush columnFill;
    solid_brush textAreaFill;
    solid_brush separatorLine;
    solid_brush columnEdge; // high contrast only
};

// The icon column in the column fill, the rest of the item in the text-area fill.
void PaintColumnAndTextArea(HDC dc, const RECT& item, const Style2Brushes& brushes)
{
    FillRect(dc, &item, brushes.columnFill.get());
    const RECT textArea = {item.left + ReadThreadState().IconCellWidth, item.top, item.right, item.bottom};
    FillRect(dc, &textArea, brushes.textAreaFill.get());
    if (brushes.colours.edgedColumn) {
        const RECT edge = {textArea.left - 1, item.top, textArea.left, item.bottom};
        FillRect(dc, &edge, brushes.columnEdge.get());
    }
}

// A one-pixel line from 5 pixels right of the icon column to the right edge. A separator
// keeps the column width of the last text item measured or painted.
void PaintPlainSeparator(HDC dc, const RECT& item, const PaintedItem& facts, const Style2Brushes& brushes)
{
    PaintColumnAndTextArea(dc, item, brushes);
    const int middle = item.top + (item.bottom - item.top) / 2;
    const RECT line = {item.left + ReadThreadState().IconCellWidth + facts.scaled(5), middle - 1, item.right, middle};
    FillRect(dc, &line, brushes.separatorLine.get());
}

void PaintPopupItem(const DRAWITEMSTRUCT& item, const PaintedItem& facts, const ItemColours& colours,
                    const Style2Brushes& brushes)
{
    const HDC dc = item.hDC;
    const RECT& full = item.rcItem;
    const RECT narrowed = {full.left, full.top + 1, full.right, full.bottom - 1};
    const ItemLook look = LookOf(item);
    const HICON icon = facts.icon();
    // The text stands on the selection fill, or on the text area (also where a selection
    // may not be shown and what was there stays).
    const MenuScheme& scheme = colours.scheme;
    SetReadableTextColour(dc, ItemTextColour(scheme, look, false),
                          {look.showsSelection() ? brushes.colours.selectionFill : brushes.colours.textAreaFill},
                          ItemTextMinimum(scheme, look));

    // A selected item that may not show the selection (grayed, DisableSelect 0) keeps
    // whatever it showed before.
    if (look.showsSelection()) {
        FillRect(dc, &narrowed, brushes.selectionFill.get());
        FrameRect(dc, &narrowed, brushes.selectionFrame.get());
    } else if (!look.selected) {
        PaintColumnAndTextArea(dc, full, brushes);
    }
    BYTE mode = look.drawMode();

    const int cell = ReadThreadState().IconCellWidth;
    if (look.checked && icon) {
        // A selected checked icon is drawn flat, without the sunken frame.
        if (mode == kDrawSelected) {
            mode = kDrawNormal;
        } else {
            RECT frame = {narrowed.left, narrowed.top, narrowed.left + cell, narrowed.bottom};
            InflateRect(&frame, -1, -1);
            PaintEdge(dc, frame, BDR_SUNKENOUTER, BF_RECT, colours.paint);
        }
        DrawItemIcon(dc, narrowed, facts, mode, false, colours.paint);
    } else if (look.checked) {
        DrawCheckStyle2(dc, &narrowed, mode, facts.radio());
    } else if (icon) {
        DrawItemIcon(dc, narrowed, facts, mode, false, colours.paint); // raised when selected
    } else if (facts.glyph) {
        DrawSysMenuGlyph(dc, &narrowed, facts.glyph, mode);
    }

    const RECT text = {full.left + cell + facts.scaled(4), full.top + 1, full.right - facts.scaled(10), full.bottom - 1};
    DrawItemText(dc, text, facts, kLabelFormat);
}

// Darkens the pixels already there in the 4 columns right of the pushed item's frame: a
// soft corner from row 4 to row 7, then a band that fades outwards.
void PaintPushedShadow(HDC dc, const RECT& item)
{
    const int strip = item.right - 4;
    const RECT corner = {strip, item.top + 4, item.right, item.top + 8 < item.bottom ? item.top + 8 : item.bottom};
    ShadePixels(dc, &corner, 1, 2, 6, 6);
    const RECT body = {strip, item.top + 8, item.right, item.bottom};
    ShadePixels(dc, &body, 1, 0, 16, 0);
}

void PaintMenuBarItem(const DRAWITEMSTRUCT& item, const PaintedItem& facts, const ItemColours& colours,
                      const Style2Brushes& brushes)
{
    const HDC dc = item.hDC;
    const RECT& full = item.rcItem;
    const ItemLook look = LookOf(item);
    const MenuScheme& scheme = colours.scheme;
    BYTE mode;
    if (item.itemState & ODS_HOTLIGHT) {
        // The text keeps the colour the DC holds, where the system's colours give it one
        // that reads on the hot fill.
        const RECT lit = {full.left, full.top, full.right - 4, full.bottom};
        FillRect(dc, &lit, brushes.hotFill.get());
        FrameRect(dc, &lit, brushes.selectionFrame.get());
        const uint32_t text = scheme.derivation == Derivation::HighContrast ? scheme.highlightText
                              : colours.paint.system                         ? GetTextColor(dc)
                                                                             : scheme.menuText;
        SetReadableTextColour(dc, text, {brushes.colours.hotFill}, ItemTextMinimum(scheme, look));
        mode = look.grayed ? kDrawGrayed : kDrawSelected;
    } else {
        const bool pushed = look.showsSelection();
        SetReadableTextColour(dc, ItemTextColour(scheme, look, false),
                              {colours[pushed ? PaletteColour::Menu : PaletteColour::ButtonFace]},
                              ItemTextMinimum(scheme, look));
        if (pushed) {
            // The shadow darkens what is on the screen: the strip first gets the bar's own
            // look back, so that every repaint of the pushed item gives the same pixels.
            const RECT strip = {full.right - 4, full.top, full.right, full.bottom + 1};
            FillInColour(dc, strip, colours.paint, PaletteColour::ButtonFace);
            const RECT face = {full.left, full.top, full.right - 4, full.bottom + 1};
            FillInColour(dc, face, colours.paint, PaletteColour::Menu);
            FrameInColour(dc, face, colours.paint, PaletteColour::ButtonShadow);
            // High contrast keeps its colours unblended: no shadow.
            if (scheme.derivation != Derivation::HighContrast)
                PaintPushedShadow(dc, full);
        } else if (!look.selected) {
            const RECT face = {full.left, full.top, full.right, full.bottom + 1};
            FillInColour(dc, face, colours.paint, PaletteColour::ButtonFace);
        }
        mode = look.drawMode();
    }

    // A checked bar item shows its check box, not its icon.
    RECT text = full;
    const HICON icon = facts.icon();
    if (look.checked)
        DrawCheckStyle2(dc, &full, mode, facts.radio());
    else if (icon)
        DrawItemIcon(dc, full, facts, mode, false, colours.paint);
    else if (facts.glyph)
        DrawSysMenuGlyph(dc, &full, facts.glyph, mode);
    if (look.checked || icon || facts.glyph)
        text.left += ReadThreadState().IconCellWidth;
    text.right -= 4;
    DrawItemText(dc, text, facts, kLabelFormat | DT_CENTER);
}

} // namespace

void DrawMenuItemStyle2(const DRAWITEMSTRUCT& item, const PaintedItem& facts)
{
    // Screens below 8 bits per pixel take the unblended colours.
    const int bits = ScreenColourBits(item.hDC);
    const ItemColours colours = ReadItemColours(bits);
    const Style2Brushes brushes(Style2ColoursFor(colours.scheme, bits < 8));
    switch (facts.kind) {
    case PaintedKind::Separator:
        if (SeparatorCallback callback = facts.callback())
            PaintCallbackSeparator(&item, callback);
        else
            PaintPlainSeparator(item.hDC, item.rcItem, facts, brushes);
        return;
    case PaintedKind::Text:
        CalcPaintedIconCell(item, facts);
        if (ReadThreadState().CurrentMenuIsPopup)
            PaintPopupItem(item, facts, colours, brushes);
        else
            PaintMenuBarItem(item, facts, colours, brushes);
        return;
    case PaintedKind::Nothing:
        return;
    }
}

void DrawCheckStyle2(HDC dc, const RECT* item, BYTE mode, BYTE isRadio)
{
    const int bits = ScreenColourBits(dc);
    const BoxColours colours =
        Style2CheckBox(ReadItemColours(bits).scheme, static_cast<DrawMode>(mode & 3), bits < 8);
    const int32_t dpi = ItemDpi(dc);
    const PaintFont font = CreateCheckMarlettFont(dpi);
    const int cell = ReadThreadState().IconCellWidth;
    const int inset = ScaleToDpi(2, dpi);
    const RECT box = {item->left + inset, item->top + inset, item->left + cell - inset, item->bottom - inset};
    DrawBox(dc, box, colours, COLOR_HIGHLIGHT, COLOR_WINDOW);
    SetBkMode(dc, TRANSPARENT);
    scoped_select selectFont(dc, font.get());
    // The check mark sits one pixel lower than the bullet.
    RECT glyphArea = box;
    if (!isRadio)
        glyphArea.top += 1;
    DrawGlyph(dc, font.get(), isRadio ? kRadioGlyph : kCheckGlyph, glyphArea);
}

} // namespace varnelle
