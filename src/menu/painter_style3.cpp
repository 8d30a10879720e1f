// Style 3, the gradient look: item backgrounds in a soft horizontal gradient of the menu
// colour, a vertical gradient selection bar with a dark frame, gradient check boxes, and
// separator lines fading into the menu colour. At 8 bits per pixel or less the same
// pieces are painted in solid colours. Popup and menu-bar items are painted alike.
#include "../core/gdi_handles.h"
#include "../core/module_state.h"
#include "../core/thread_state.h"
#include "marlett_font.h"
#include "menu_paint.h"

namespace varnelle {
namespace {

// Gradients only above 8 bits per pixel, and not in high contrast.
bool GradientLook(int colourBits, const MenuScheme& scheme)
{
    return colourBits > 8 && scheme.derivation != Derivation::HighContrast;
}

// The colours and brushes of one item. System brushes stand in for those GDI cannot make.
struct Style3Paint {
    explicit Style3Paint(int colourBits)
        : colours(ReadItemColours(colourBits)),
          scheme(colours.scheme),
          gradientLook(GradientLook(colourBits, scheme)),
          frame(gradientLook ? Style3Frame(scheme) : Style3Solid(scheme).frame, COLOR_HIGHLIGHT)
    {
        if (!gradientLook) {
            selection.reset(Style3Solid(scheme).selection, COLOR_WINDOW);
            menu.reset(scheme.menu, COLOR_MENU);
            grayText.reset(scheme.grayText, COLOR_GRAYTEXT);
        }
    }

    void fillBackground(HDC dc, const RECT& area) const
    {
        if (gradientLook) {
            const HorizontalRun run = Style3Background(scheme);
            Gradient_Fill(dc, &area, run.left, run.right, 0);
        } else {
            FillRect(dc, &area, menu.get());
        }
    }

    // What the text of an item in the look stands on: the selection, or the background.
    void setTextColour(HDC dc, const ItemLook& look) const
    {
        const uint32_t text = ItemTextColour(scheme, look, false);
        const double minimum = ItemTextMinimum(scheme, look);
        if (!gradientLook) {
            SetReadableTextColour(dc, text, {look.showsSelection() ? Style3Solid(scheme).selection : scheme.menu},
                                  minimum);
        } else if (look.showsSelection()) {
            const VerticalRun run = Style3Selection(scheme);
            SetReadableTextColour(dc, text, {run.top, run.bottom}, minimum);
        } else {
            const HorizontalRun run = Style3Background(scheme);
            SetReadableTextColour(dc, text, {run.left, run.right}, minimum);
        }
    }

    ItemColours colours;
    MenuScheme scheme;
    bool gradientLook;
    solid_brush frame;     // selection frame: dark tint, or the highlight colour
    solid_brush selection; // solid look only
    solid_brush menu;
    solid_brush grayText;
};

// A one-pixel line from 5 pixels right of the icon column (as the last text item left it)
// to the right edge.
void PaintPlainSeparator(HDC dc, const RECT& item, const PaintedItem& facts, const Style3Paint& paint)
{
    paint.fillBackground(dc, item);
    const int middle = item.top + (item.bottom - item.top) / 2;
    const RECT line = {item.left + ReadThreadState().IconCellWidth + facts.scaled(5), middle - 1, item.right, middle};
    if (paint.gradientLook) {
        const HorizontalRun run = Style3SeparatorLine(paint.scheme.grayText, paint.scheme.menu);
        Gradient_Fill(dc, &line, run.left, run.right, 0);
    } else {
        FillRect(dc, &line, paint.grayText.get());
    }
}

void PaintTextItem(const DRAWITEMSTRUCT& item, const PaintedItem& facts, const Style3Paint& paint)
{
    const HDC dc = item.hDC;
    const RECT& full = item.rcItem;
    const RECT working = {full.left, full.top + 1, full.right, full.bottom - 1};
    const ItemLook look = LookOf(item);
    const HICON icon = facts.icon();
    CalcPaintedIconCell(item, facts);
    paint.setTextColour(dc, look);

    // A selected item that may not show the selection (grayed, DisableSelect 0) keeps
    // whatever the menu showed there.
    if (look.showsSelection()) {
        if (paint.gradientLook) {
            const VerticalRun run = Style3Selection(paint.scheme);
            Gradient_Fill(dc, &working, run.top, run.bottom, 1);
        } else {
            FillRect(dc, &working, paint.selection.get());
        }
        FrameRect(dc, &working, paint.frame.get());
    } else if (!look.selected) {
        paint.fillBackground(dc, full);
    }
    const BYTE mode = look.drawMode();
    // Icons are never raised in this look; a check mark keeps the selected box.
    const BYTE iconMode = FlatIconMode(mode);

    if (look.checked && icon) {
        DrawCheckBoxStyle3(dc, &working, iconMode);
        DrawItemIcon(dc, working, facts, iconMode, false, paint.colours.paint);
    } else if (look.checked) {
        DrawCheckStyle3(dc, &working, mode, facts.radio());
    } else if (icon) {
        DrawItemIcon(dc, working, facts, iconMode, false, paint.colours.paint);
    } else if (facts.glyph) {
        DrawSysMenuGlyph(dc, &working, facts.glyph, iconMode);
    }

    const RECT text = {full.left + ReadThreadState().IconCellWidth + facts.scaled(4), full.top + 1,
                       full.right - facts.scaled(10), full.bottom - 1};
    DrawItemText(dc, text, facts, kLabelFormat);
}

} // namespace

void DrawMenuItemStyle3(const DRAWITEMSTRUCT& item, const PaintedItem& facts)
{
    const Style3Paint paint(ScreenColourBits(item.hDC));
    switch (facts.kind) {
    case PaintedKind::Separator:
        if (SeparatorCallback callback = facts.callback())
            PaintCallbackSeparator(&item, callback);
        else
            PaintPlainSeparator(item.hDC, item.rcItem, facts, paint);
        return;
    case PaintedKind::Text:
        PaintTextItem(item, facts, paint);
        return;
    case PaintedKind::Nothing:
        return;
    }
}

void DrawCheckBoxStyle3(HDC dc, const RECT* item, BYTE mode)
{
    const int bits = ScreenColourBits(dc);
    const MenuScheme scheme = ReadItemColours(bits).scheme;
    const bool gradientLook = GradientLook(bits, scheme);
    const BoxColours colours = Style3CheckBox(scheme, static_cast<DrawMode>(mode & 3), gradientLook);
    const RECT box = {item->left, item->top, item->left + ReadThreadState().IconCellWidth, item->bottom};
    if (gradientLook) {
        Gradient_Fill(dc, &box, colours.fill, colours.fillBottom, 1);
        const solid_brush frame(colours.outline, COLOR_HIGHLIGHT);
        FrameRect(dc, &box, frame.get());
        return;
    }
    DrawBox(dc, box, colours, COLOR_HIGHLIGHT, COLOR_WINDOW);
}

void DrawCheckStyle3(HDC dc, const RECT* item, BYTE mode, BYTE isRadio)
{
    const PaintFont font = CreateCheckMarlettFont(ItemDpi(dc));
    DrawCheckBoxStyle3(dc, item, mode);
    // The check mark sits one pixel lower than the bullet.
    RECT glyphArea = {item->left, item->top, item->left + ReadThreadState().IconCellWidth, item->bottom};
    if (!isRadio)
        glyphArea.top += 1;
    SetBkMode(dc, TRANSPARENT);
    const scoped_select selectFont(dc, font.get());
    DrawGlyph(dc, font.get(), isRadio ? kRadioGlyph : kCheckGlyph, glyphArea);
}

} // namespace varnelle
