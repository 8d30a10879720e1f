// Text extents in the menu font, icon heights and the icon cell.
#include "menu_measure.h"

#include "../core/module_state.h"
#include "menu_measure_core.h"

namespace varnelle {
namespace {

// NONCLIENTMETRICSA without iPaddedBorderWidth: what every Windows release accepts.
constexpr UINT kNonClientMetricsSize = 340;
static_assert(sizeof(NONCLIENTMETRICSA) >= kNonClientMetricsSize);

} // namespace

bool ReadMenuLogFont(LOGFONTA* menuFont)
{
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = kNonClientMetricsSize;
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, &metrics, 0))
        return false;
    *menuFont = metrics.lfMenuFont;
    return true;
}

MenuTextFont::MenuTextFont()
{
    LOGFONTA menuFont = {};
    create(ReadMenuLogFont(&menuFont) ? &menuFont : nullptr);
}

MenuTextFont::MenuTextFont(const LOGFONTA* menuFont)
{
    create(menuFont);
}

void MenuTextFont::create(const LOGFONTA* menuFont)
{
    if (menuFont)
        created_.reset(CreateFontIndirectA(menuFont));
    font_ = created_ ? created_.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

TextExtent MeasureMenuText(const char* text, int length, HFONT font)
{
    if (!text || length < 0)
        length = 0;
    unique_window_dc screen(nullptr);
    scoped_select selection(screen.get(), font);
    RECT extent = {0, 0, 0, 0};
    DrawTextA(screen.get(), text ? text : "", length, &extent, DT_CALCRECT);
    return {static_cast<uint32_t>(extent.right - extent.left), static_cast<uint32_t>(extent.bottom - extent.top)};
}

uint32_t IconColourHeight(HICON icon)
{
    ICONINFO info = {};
    if (!icon || !GetIconInfo(icon, &info))
        return 0;
    // GetIconInfo hands out copies of both bitmaps.
    unique_hbitmap mask(info.hbmMask);
    unique_hbitmap colour(info.hbmColor);
    BITMAP bitmap = {};
    if (colour)
        GetObjectA(colour.get(), sizeof(bitmap), &bitmap);
    return static_cast<uint32_t>(bitmap.bmHeight);
}

uint32_t CalcIconCell(const char* text, int length, HICON icon)
{
    TextExtent extent;
    {
        MenuTextFont font;
        extent = MeasureMenuText(text, length, font.get());
    }
    uint32_t cell = IconCellSize(extent.height, IconColourHeight(icon));
    ModuleState.IconCellWidth = static_cast<int32_t>(cell);
    ModuleState.IconCellHeight = static_cast<int32_t>(cell);
    return cell;
}

} // namespace varnelle
