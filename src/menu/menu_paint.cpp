// DrawMenuItem hands each owner-drawn menu item to the painter of its menu's style; the
// pieces every painter shares live here too.
#include "menu_paint.h"

#include "../colour/colour_math.h"
#include "../colour/contrast.h"
#include "../core/gdi_handles.h"
#include "../core/module_state.h"
#include "../core/thread_state.h"
#include "menu_background.h"
#include "menu_internal.h"
#include "menu_item.h"
#include "marlett_font.h"
#include "menu_loop_cache.h"
#include "menu_measure.h"

namespace varnelle {
namespace {

constexpr MenuPainter kMenuPainters[] = {
    DrawMenuItemStyle0, // the system draws; only callback separators are the library's
    DrawMenuItemStyle1, // 3D
    DrawMenuItemStyle2, // flat, with the menu bar on Windows 2000 and XP
    DrawMenuItemStyle3, // gradients
};
static_assert(sizeof(kMenuPainters) / sizeof(kMenuPainters[0]) == kMenuStyleCount, "one painter per style");

constexpr bool EveryStyleHasItsPainter()
{
    for (MenuPainter painter : kMenuPainters) {
        if (!painter)
            return false;
    }
    return true;
}
static_assert(EveryStyleHasItsPainter(), "every style has its painter");

// A DC of the display: a window's or a memory DC made from one, not a printer's.
bool IsDisplayDc(HDC dc)
{
    const DWORD type = GetObjectType(dc);
    return (type == OBJ_DC || type == OBJ_MEMDC) && GetDeviceCaps(dc, TECHNOLOGY) == DT_RASDISPLAY;
}

PaintedKind KindOfType(UINT type)
{
    switch (type & (MFT_SEPARATOR | MFT_BITMAP)) {
    case 0:
        return PaintedKind::Text;
    case MFT_SEPARATOR:
        return PaintedKind::Separator;
    default:
        return PaintedKind::Nothing;
    }
}

// Mirrors the DC for one item: the item's columns map onto themselves right to left, so a
// painter that lays out from the left edge puts the icon column at the right. Bitmaps and
// icons keep their orientation. DrawMenuItem's SaveDC/RestoreDC takes the layout, mapping
// mode and origin back.
void MirrorItem(HDC dc, const RECT& item)
{
    if (GetMapMode(dc) != MM_TEXT)
        return; // a scaled mapping is the application's: painted as it is
    const DWORD layout = GetLayout(dc);
    if (layout == GDI_ERROR)
        return;
    POINT origin;
    POINT leftColumn = {item.left, 0}; // the device column of the item's left edge
    if (!GetWindowOrgEx(dc, &origin) || !LPtoDP(dc, &leftColumn, 1))
        return;
    if (SetLayout(dc, layout | LAYOUT_RTL | LAYOUT_BITMAPORIENTATIONPRESERVED) == GDI_ERROR)
        return;
    // Mirrored, x runs leftwards from the DC's right edge, and a rectangle [left, right)
    // covers the pixels from its right edge's point to its left edge's. The window origin
    // is moved so that the item's right edge lands where its left edge was: the item then
    // covers its own pixels again. Which way a move of the origin shifts the drawing is
    // measured, not assumed.
    POINT rightEdge = {item.right, 0};
    POINT moved = rightEdge;
    LPtoDP(dc, &rightEdge, 1);
    SetWindowOrgEx(dc, origin.x + 1, origin.y, nullptr);
    LPtoDP(dc, &moved, 1);
    const int perStep = moved.x - rightEdge.x;
    if (perStep == 1 || perStep == -1)
        SetWindowOrgEx(dc, origin.x + (leftColumn.x - rightEdge.x) * perStep, origin.y, nullptr);
    else
        SetLayout(dc, layout); // a mapping that does not move by whole pixels: left as it was
}

// The system draws a submenu's arrow after WM_DRAWITEM, from a bitmap of one size at every
// DPI (black on white under Wine). Where the look's colours or size are not the ones that
// bitmap suits, the library draws the arrow itself.
bool DrawsOwnSubmenuArrow(int style, const PaintedItem& facts)
{
    if (style == 0 || !facts.submenu || !ReadThreadState().CurrentMenuIsPopup || (facts.textFormat & DT_RTLREADING))
        return false;
    if (facts.dpi != kBaseDpi)
        return true;
    const PaintColours colours = CurrentPaintColours();
    return !colours.system || colours.highContrast || IsDarkSurface(colours.palette[PaletteColour::Menu]);
}

// A Marlett arrow in the size of the check marks, in the item's text colour, at the right.
void DrawSubmenuArrow(HDC dc, const RECT& item, const PaintedItem& facts)
{
    const PaintFont font = CreateCheckMarlettFont(facts.dpi);
    SetBkMode(dc, TRANSPARENT);
    scoped_select selectFont(dc, font.get());
    if (!font)
        return; // the DC's own font would draw a letter
    RECT area = {item.right - ReadThreadState().IconCellWidth, item.top, item.right - facts.scaled(4), item.bottom};
    DrawTextA(dc, &kSubmenuArrowGlyph, 1, &area, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
}

// Where the system would paint its arrow: as wide as the icon cell, or its check-mark
// width, at the item's right edge.
RECT SystemArrowArea(const RECT& item)
{
    const int least = GetSystemMetrics(SM_CXMENUCHECK) + 2;
    const int cell = ReadThreadState().IconCellWidth;
    const int width = cell > least ? cell : least;
    return {item.right - width, item.top, item.right, item.bottom};
}

} // namespace

int DrawMenuItem(const DRAWITEMSTRUCT* item, bool windowRightToLeft)
{
    if (!item || !IsMenu(ReadThreadState().CurrentMenu) || item->CtlType != ODT_MENU)
        return 1;
    bool ownArrow = false;
    {
        scoped_saved_dc saved(item->hDC);
        SetBkMode(item->hDC, TRANSPARENT);
        // The style of the top popup (or of the menu bar), which RedrawMenu gave the whole
        // tree. Any other number paints nothing.
        const int style = GetStyleMenu(ReadThreadState().CurrentMenu);
        if (style < 0 || style >= kMenuStyleCount)
            return 1;
        const PaintedItem facts = ReadPaintedItem(*item, windowRightToLeft);
        if (facts.mirrored)
            MirrorItem(item->hDC, item->rcItem);
        // A dark menu bar is painted by style 2's bar painter in every style.
        const bool darkBarItem = !ReadThreadState().CurrentMenuIsPopup && style != 0 && PaintsDarkMenuBar();
        kMenuPainters[darkBarItem ? 2 : style](*item, facts);
        ownArrow = DrawsOwnSubmenuArrow(style, facts);
        if (ownArrow)
            DrawSubmenuArrow(item->hDC, item->rcItem, facts);
    }
    // Left in the DC the system paints its own arrow on next, which keeps that arrow off
    // the item; the DC is the system's, which drops the clipping with the paint.
    if (ownArrow) {
        const RECT area = SystemArrowArea(item->rcItem);
        ExcludeClipRect(item->hDC, area.left, area.top, area.right, area.bottom);
    }
    return 1;
}

PaintedItem ReadPaintedItem(const DRAWITEMSTRUCT& item, bool windowRightToLeft)
{
    PaintedItem facts;
    const HMENU menu = reinterpret_cast<HMENU>(item.hwndItem);
    MENUITEMINFOA info;
    // hbmpItem needs the full record; a failed read leaves the record cleared.
    static_cast<void>(
        ReadMenuItem(menu, item.itemID, ItemBy::Command, MIIM_FTYPE | MIIM_BITMAP | MIIM_DATA | MIIM_SUBMENU, &info));
    facts.type = info.fType;
    facts.submenu = info.hSubMenu != nullptr;
    facts.dpi = ItemDpi(item.hDC);
    facts.data = info.dwItemData;
    facts.glyph = info.hbmpItem;
    facts.kind = KindOfType(info.fType);
    if (facts.kind == PaintedKind::Text) {
        facts.text = MenuItemText(menu, item.itemID);
        static_cast<void>(ReadItemIcon(facts.icon(), facts.iconImage));
    }
    // A DC the system mirrored (the popup of a right-to-left window) is painted as it is;
    // any other right-to-left item is mirrored by DrawMenuItem.
    const DWORD layout = GetLayout(item.hDC);
    const bool mirroredDc = layout != GDI_ERROR && (layout & LAYOUT_RTL);
    const bool rightToLeft = (info.fType & MFT_RIGHTORDER) || windowRightToLeft || mirroredDc;
    facts.mirrored = rightToLeft && !mirroredDc;
    if (rightToLeft)
        facts.textFormat |= DT_RTLREADING;
    // Access keys hidden as DT_HIDEPREFIX hides them, on systems that ignore the flag too.
    if (item.itemState & ODS_NOACCEL) {
        facts.text.hideAccessKeys();
        facts.textFormat |= DT_NOPREFIX;
    }
    return facts;
}

void CalcPaintedIconCell(const DRAWITEMSTRUCT& item, const PaintedItem& facts)
{
    const HDC measuring = IsDisplayDc(item.hDC) && GetMapMode(item.hDC) == MM_TEXT ? item.hDC : nullptr;
    CalcIconCellOn(measuring, facts.text.run(), static_cast<uint32_t>(facts.iconImage.colourHeight));
}

void DrawItemIcon(HDC dc, const RECT& cell, const PaintedItem& facts, BYTE mode, bool embossed,
                  const PaintColours& colours)
{
    DrawCellIcon(dc, cell, facts.icon(), facts.iconImage, mode, embossed, IconInkOf(colours));
}

int32_t ItemDpi(HDC dc)
{
    return DisplayDpi(IsDisplayDc(dc) ? dc : nullptr);
}

int ScreenColourBits(HDC dc)
{
    if (GetObjectType(dc) != OBJ_DC || GetDeviceCaps(dc, TECHNOLOGY) != DT_RASDISPLAY) {
        LoopCacheFields* cache = OpenLoopCache();
        if (!cache)
            return NumColorBits();
        if (!cache->screenColourBits)
            cache->screenColourBits = NumColorBits();
        return cache->screenColourBits;
    }
    return ColourBitsFromDeviceCaps(GetDeviceCaps(dc, BITSPIXEL));
}

ItemColours ReadItemColours(int colourBits)
{
    ItemColours colours;
    colours.paint = CurrentPaintColours();
    const Palette& palette = colours.paint.palette;
    MenuScheme& scheme = colours.scheme;
    scheme.highlight = palette[PaletteColour::Highlight];
    scheme.menu = palette[PaletteColour::Menu];
    scheme.window = palette[PaletteColour::Window];
    scheme.grayText = palette[PaletteColour::GrayText];
    scheme.menuText = palette[PaletteColour::MenuText];
    scheme.highlightText = palette[PaletteColour::HighlightText];
    scheme.derivation = DerivationFor(scheme.menu, colours.paint.highContrast);
    // High contrast selects in the highlight colour itself.
    scheme.xp = scheme.derivation == Derivation::HighContrast
                    ? scheme.highlight
                    : XpHighlightColour(colourBits, scheme.window, scheme.highlight);
    return colours;
}

void SetReadableTextColour(HDC dc, uint32_t text, std::initializer_list<uint32_t> backgrounds, double minimum)
{
    SetTextColor(dc, ReadableTextColour(text, backgrounds.begin(), static_cast<int>(backgrounds.size()), minimum));
}

ItemLook LookOf(const DRAWITEMSTRUCT& item)
{
    return LookOfItem((item.itemState & ODS_SELECTED) != 0, (item.itemState & ODS_GRAYED) != 0,
                      (item.itemState & ODS_CHECKED) != 0, ModuleState.DisableSelect);
}

void DrawItemText(HDC dc, const RECT& area, const PaintedItem& facts, UINT wholeFormat)
{
    const TextRun text = facts.text.run();
    if (text.empty())
        return;
    RECT box = area;
    const int tab = text.findTab();
    if (tab < 0) {
        text.draw(dc, &box, wholeFormat | facts.textFormat);
        return;
    }
    // Later TABs belong to the accelerator and are drawn as they are.
    const TextRun accelerator = text.after(tab);
    if (!accelerator.empty())
        accelerator.draw(dc, &box, kAcceleratorFormat | facts.textFormat);
    const TextRun label = text.first(tab);
    if (!label.empty())
        label.draw(dc, &box, kLabelFormat | facts.textFormat);
}

void DrawGlyph(HDC dc, HFONT marlett, char glyph, const RECT& area)
{
    if (!marlett)
        return;
    RECT box = area;
    DrawTextA(dc, &glyph, 1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void DrawBox(HDC dc, const RECT& box, const BoxColours& colours, int fallbackOutline, int fallbackFill)
{
    const solid_brush fill(colours.fill, fallbackFill);
    if (unique_hpen pen{CreatePen(PS_SOLID, 1, colours.outline)}) {
        const scoped_select selectPen(dc, pen.get());
        const scoped_select selectFill(dc, fill.get());
        Rectangle(dc, box.left, box.top, box.right, box.bottom);
        return;
    }
    // Without a pen of its own, Rectangle would draw the outline with the DC's.
    const solid_brush outline(colours.outline, fallbackOutline);
    FillRect(dc, &box, fill.get());
    FrameRect(dc, &box, outline.get());
}

} // namespace varnelle
