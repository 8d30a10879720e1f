// DrawMenuItem hands each owner-drawn menu item to the painter of its menu's style; the
// pieces every painter shares live here too.
#include "menu_paint.h"

#include "../colour/colour_math.h"
#include "../core/gdi_handles.h"
#include "../core/module_state.h"
#include "menu_internal.h"
#include "menu_item.h"
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

} // namespace

int DrawMenuItem(const DRAWITEMSTRUCT* item)
{
    if (!item || !IsMenu(ModuleState.CurrentMenu) || item->CtlType != ODT_MENU)
        return 1;
    scoped_saved_dc saved(item->hDC);
    SetBkMode(item->hDC, TRANSPARENT);
    // The style of the top popup (or of the menu bar), which RedrawMenu gave the whole tree.
    // Any other number paints nothing.
    const int style = GetStyleMenu(ModuleState.CurrentMenu);
    if (style >= 0 && style < kMenuStyleCount)
        kMenuPainters[style](*item);
    return 1;
}

PaintedItem ReadPaintedItem(const DRAWITEMSTRUCT& item)
{
    PaintedItem facts;
    const HMENU menu = reinterpret_cast<HMENU>(item.hwndItem);
    MENUITEMINFOA info;
    // hbmpItem needs the full record; a failed read leaves the record cleared.
    static_cast<void>(ReadMenuItem(menu, item.itemID, ItemBy::Command, MIIM_FTYPE | MIIM_BITMAP | MIIM_DATA, &info));
    facts.type = info.fType;
    facts.data = info.dwItemData;
    facts.glyph = info.hbmpItem;
    facts.kind = KindOfType(info.fType);
    if (facts.kind == PaintedKind::Text) {
        int length = GetMenuStringA(menu, item.itemID, facts.text, kMenuTextBufferSize, MF_BYCOMMAND);
        facts.length = length > 0 ? length : 0;
        static_cast<void>(ReadIcon(facts.icon(), facts.iconImage));
    }
    return facts;
}

void CalcPaintedIconCell(const DRAWITEMSTRUCT& item, const PaintedItem& facts)
{
    const HDC measuring = IsDisplayDc(item.hDC) && GetMapMode(item.hDC) == MM_TEXT ? item.hDC : nullptr;
    CalcIconCellOn(measuring, facts.text, facts.length, static_cast<uint32_t>(facts.iconImage.colourHeight));
}

void DrawItemIcon(HDC dc, const RECT& cell, const PaintedItem& facts, BYTE mode, bool embossed)
{
    DrawCellIcon(dc, cell, facts.icon(), facts.iconImage, mode, embossed);
}

int ScreenColourBits(HDC dc)
{
    if (GetObjectType(dc) != OBJ_DC || GetDeviceCaps(dc, TECHNOLOGY) != DT_RASDISPLAY)
        return NumColorBits();
    return ColourBitsFromDeviceCaps(GetDeviceCaps(dc, BITSPIXEL));
}

MenuScheme ReadMenuScheme(int colourBits)
{
    MenuScheme scheme;
    scheme.highlight = GetSysColor(COLOR_HIGHLIGHT);
    scheme.menu = GetSysColor(COLOR_MENU);
    scheme.window = GetSysColor(COLOR_WINDOW);
    scheme.grayText = GetSysColor(COLOR_GRAYTEXT);
    scheme.xp = XpHighlightColour(colourBits, scheme.window, scheme.highlight);
    return scheme;
}

ItemLook LookOf(const DRAWITEMSTRUCT& item)
{
    return LookOfItem((item.itemState & ODS_SELECTED) != 0, (item.itemState & ODS_GRAYED) != 0,
                      (item.itemState & ODS_CHECKED) != 0, ModuleState.DisableSelect);
}

void DrawItemText(HDC dc, const RECT& area, const char* text, int length, UINT wholeFormat)
{
    if (length <= 0)
        return;
    RECT box = area;
    for (int tab = 0; tab < length; ++tab) {
        if (text[tab] != '\t')
            continue;
        // Later TABs belong to the accelerator and are drawn as they are.
        DrawTextA(dc, text + tab + 1, length - tab - 1, &box, kAcceleratorFormat);
        DrawTextA(dc, text, tab, &box, kLabelFormat);
        return;
    }
    DrawTextA(dc, text, length, &box, wholeFormat);
}

void DrawGlyph(HDC dc, char glyph, const RECT& area)
{
    RECT box = area;
    DrawTextA(dc, &glyph, 1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

} // namespace varnelle
