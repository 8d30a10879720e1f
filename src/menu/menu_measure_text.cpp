// Text extents in the menu font, icon heights and the icon cell.
#include "menu_measure.h"

#include "../colour/drawing.h"
#include "../core/thread_state.h"
#include "menu_loop_cache.h"
#include "menu_measure_core.h"

namespace varnelle {
namespace {

// NONCLIENTMETRICSA without iPaddedBorderWidth: what every Windows release accepts.
constexpr UINT kNonClientMetricsSize = 340;
static_assert(sizeof(NONCLIENTMETRICSA) >= kNonClientMetricsSize);

bool ReadSystemMenuLogFont(LOGFONTA* menuFont)
{
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = kNonClientMetricsSize;
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, &metrics, 0))
        return false;
    *menuFont = metrics.lfMenuFont;
    return true;
}

unique_hfont CreateMenuFont(const LOGFONTA* menuFont)
{
    return unique_hfont(menuFont ? CreateFontIndirectA(menuFont) : nullptr);
}

} // namespace

bool ReadMenuLogFont(LOGFONTA* menuFont)
{
    LoopCacheFields* cache = OpenLoopCache();
    if (!cache)
        return ReadSystemMenuLogFont(menuFont);
    if (!cache->menuLogFontRead) {
        cache->menuLogFontValid = ReadSystemMenuLogFont(&cache->menuLogFont) ? 1 : 0;
        cache->menuLogFontRead = 1;
    }
    if (cache->menuLogFontValid)
        *menuFont = cache->menuLogFont;
    return cache->menuLogFontValid != 0;
}

MenuTextFont::MenuTextFont()
    : font_(LoopFont(&LoopCacheFields::menuFont, [] {
          LOGFONTA menuFont = {};
          return CreateMenuFont(ReadMenuLogFont(&menuFont) ? &menuFont : nullptr);
      }))
{
}

MenuTextFont::MenuTextFont(const LOGFONTA* menuFont) : font_(CreateMenuFont(menuFont)) {}

HFONT MenuTextFont::get() const
{
    return font_ ? font_.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

TextExtent MeasureMenuText(const TextRun& text, HFONT font)
{
    unique_window_dc screen(nullptr);
    return MeasureMenuTextOn(screen.get(), text, font);
}

TextExtent MeasureMenuTextOn(HDC dc, const TextRun& text, HFONT font)
{
    scoped_select selection(dc, font);
    RECT extent = {0, 0, 0, 0};
    text.draw(dc, &extent, DT_CALCRECT);
    return {static_cast<uint32_t>(extent.right - extent.left), static_cast<uint32_t>(extent.bottom - extent.top)};
}

int32_t DisplayDpi(HDC dc)
{
    if (dc)
        return GetDeviceCaps(dc, LOGPIXELSY);
    unique_window_dc screen(nullptr);
    return screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : kBaseDpi;
}

uint32_t IconColourHeight(HICON icon)
{
    IconImage image;
    static_cast<void>(ReadItemIcon(icon, image));
    return static_cast<uint32_t>(image.colourHeight);
}

uint32_t CalcIconCell(const TextRun& text, HICON icon)
{
    return CalcIconCellOn(nullptr, text, IconColourHeight(icon));
}

uint32_t CalcIconCellOn(HDC dc, const TextRun& text, uint32_t iconHeight)
{
    TextExtent extent;
    {
        // Without a menu font of its own the item's DC measures in the one the system
        // selected into it for the paint, the menu font.
        MenuTextFont font;
        extent = dc ? MeasureMenuTextOn(dc, text, font.made() ? font.get() : nullptr)
                    : MeasureMenuText(text, font.get());
    }
    uint32_t cell = IconCellSize(extent.height, iconHeight, DisplayDpi(dc));
    ThreadStateFields& state = ThreadState();
    state.IconCellWidth = static_cast<int32_t>(cell);
    state.IconCellHeight = static_cast<int32_t>(cell);
    return cell;
}

} // namespace varnelle
