// Style 2, the flat look: a tinted icon column, a light text area, a framed selection box,
// and on Windows 2000 and XP the menu bar, with a soft shadow beside the pushed item.
#include "../colour/drawing.h"
#include "../core/gdi_handles.h"
#include "../core/thread_state.h"
#include "marlett_font.h"
#include "menu_paint.h"

namespace varnelle {
namespace {

// The six brushes of the look, made afresh from the system colours for every item. Those
// GDI cannot make are stood in for by the system colours the low-colour look takes, the
// window colour for the selection tint.
struct Style2Brushes {
    explicit Style2Brushes(const Style2Colours& colours)
        : hotFill(colours.hotFill, COLOR_WINDOW),
          selectionFill(colours.selectionFill, COLOR_WINDOW),
          selectionFrame(colours.selectionFrame, COLOR_HIGHLIGHT),
          columnFill(colours.columnFill, COLOR_MENU),
          textAreaFill(colours.textAreaFill, COLOR_WINDOW),
          separatorLine(colours.separatorLine, COLOR_GRAYTEXT)
    {
    }
    solid_brush hotFill;
    solid_brush selectionFill;
    solid_brush selectionFrame;
    solid_brush columnFill;
    solid_brush textAreaFill;
    solid_brush separatorLine;
};

// The icon column in the column fill, the rest of the item in the text-area fill.
void PaintColumnAndTextArea(HDC dc, const RECT& item, const Style2Brushes& brushes)
{
    FillRect(dc, &item, brushes.columnFill.get());
    const RECT textArea = {item.left + ReadThreadState().IconCellWidth, item.top, item.right, item.bottom};
    FillRect(dc, &textArea, brushes.textAreaFill.get());
}

// A one-pixel line from 5 pixels right of the icon column to the right edge. A separator
// keeps the column width of the last text item measured or painted.
void PaintPlainSeparator(HDC dc, const RECT& item, const Style2Brushes& brushes)
{
    PaintColumnAndTextArea(dc, item, brushes);
    const int middle = item.top + (item.bottom - item.top) / 2;
    const RECT line = {item.left + ReadThreadState().IconCellWidth + 5, middle - 1, item.right, middle};
    FillRect(dc, &line, brushes.separatorLine.get());
}

void PaintPopupItem(const DRAWITEMSTRUCT& item, const PaintedItem& facts, const Style2Brushes& brushes)
{
    const HDC dc = item.hDC;
    const RECT& full = item.rcItem;
    const RECT narrowed = {full.left, full.top + 1, full.right, full.bottom - 1};
    const ItemLook look = LookOf(item);
    const HICON icon = facts.icon();
    SetTextColor(dc, GetSysColor(look.grayed ? COLOR_GRAYTEXT : COLOR_MENUTEXT));

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
            DrawEdge(dc, &frame, BDR_SUNKENOUTER, BF_RECT);
        }
        DrawItemIcon(dc, narrowed, facts, mode, false);
    } else if (look.checked) {
        DrawCheckStyle2(dc, &narrowed, mode, facts.radio());
    } else if (icon) {
        DrawItemIcon(dc, narrowed, facts, mode, false); // raised when selected
    } else if (facts.glyph) {
        DrawSysMenuGlyph(dc, &narrowed, facts.glyph, mode);
    }

    const RECT text = {full.left + cell + 4, full.top + 1, full.right - 10, full.bottom - 1};
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

void PaintMenuBarItem(const DRAWITEMSTRUCT& item, const PaintedItem& facts, const Style2Brushes& brushes)
{
    const HDC dc = item.hDC;
    const RECT& full = item.rcItem;
    const ItemLook look = LookOf(item);
    BYTE mode;
    if (item.itemState & ODS_HOTLIGHT) {
        // The text keeps the colour the DC holds.
        const RECT lit = {full.left, full.top, full.right - 4, full.bottom};
        FillRect(dc, &lit, brushes.hotFill.get());
        FrameRect(dc, &lit, brushes.selectionFrame.get());
        mode = look.grayed ? kDrawGrayed : kDrawSelected;
    } else {
        SetTextColor(dc, GetSysColor(look.grayed ? COLOR_GRAYTEXT : COLOR_MENUTEXT));
        if (look.showsSelection()) {
            // The shadow darkens what is on the screen: the strip first gets the bar's own
            // look back, so that every repaint of the pushed item gives the same pixels.
            const RECT strip = {full.right - 4, full.top, full.right, full.bottom + 1};
            FillWithSysColour(dc, strip, COLOR_BTNFACE);
            const RECT pushed = {full.left, full.top, full.right - 4, full.bottom + 1};
            FillWithSysColour(dc, pushed, COLOR_MENU);
            FrameRect(dc, &pushed, SystemBrush(COLOR_BTNSHADOW));
            PaintPushedShadow(dc, full);
        } else if (!look.selected) {
            const RECT face = {full.left, full.top, full.right, full.bottom + 1};
            FillWithSysColour(dc, face, COLOR_BTNFACE);
        }
        mode = look.drawMode();
    }

    // A checked bar item shows its check box, not its icon.
    RECT text = full;
    const HICON icon = facts.icon();
    if (look.checked)
        DrawCheckStyle2(dc, &full, mode, facts.radio());
    else if (icon)
        DrawItemIcon(dc, full, facts, mode, false);
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
    const Style2Brushes brushes(Style2ColoursFor(ReadMenuScheme(bits), bits < 8));
    switch (facts.kind) {
    case PaintedKind::Separator:
        if (SeparatorCallback callback = facts.callback())
            PaintCallbackSeparator(&item, callback);
        else
            PaintPlainSeparator(item.hDC, item.rcItem, brushes);
        return;
    case PaintedKind::Text:
        CalcPaintedIconCell(item, facts);
        if (ReadThreadState().CurrentMenuIsPopup)
            PaintPopupItem(item, facts, brushes);
        else
            PaintMenuBarItem(item, facts, brushes);
        return;
    case PaintedKind::Nothing:
        return;
    }
}

void DrawCheckStyle2(HDC dc, const RECT* item, BYTE mode, BYTE isRadio)
{
    const int bits = ScreenColourBits(dc);
    const BoxColours colours = Style2CheckBox(ReadMenuScheme(bits), static_cast<DrawMode>(mode & 3), bits < 8);
    const PaintFont font = CreateCheckMarlettFont();
    const int cell = ReadThreadState().IconCellWidth;
    const RECT box = {item->left + 2, item->top + 2, item->left + cell - 2, item->bottom - 2};
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
