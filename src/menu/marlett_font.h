// The Marlett symbol font in the size of the menu font: window-menu pictures, check marks
// and radio bullets are characters of it.
#pragma once
#include <windows.h>

#include <cstdint>

#include "../core/gdi_handles.h"
#include "menu_loop_cache.h"

namespace varnelle {

// Marlett in the size and weight of the menu font; null takes the default size (only the
// face and the character set are known then).
[[nodiscard]] unique_hfont CreateMarlettFont(const LOGFONTA* menuFont);
// The same from the system's menu font of the moment; inside a menu loop the loop's own.
[[nodiscard]] PaintFont CreateMenuMarlettFont();
// Check marks and radio bullets: as CreateMenuMarlettFont, but never smaller than 15
// pixels (at 96 DPI; scaled to the DC's), so a small menu font still gives a readable mark.
[[nodiscard]] PaintFont CreateCheckMarlettFont(int32_t dpi);

} // namespace varnelle
