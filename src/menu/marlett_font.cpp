#include "marlett_font.h"

#include "../core/memory_routines.h"
#include "../core/module_state.h"
#include "menu_measure.h"
#include "menu_measure_core.h"

namespace varnelle {

unique_hfont CreateMarlettFont(const LOGFONTA* menuFont)
{
    LOGFONTA font = menuFont ? *menuFont : LOGFONTA{};
    font.lfCharSet = DEFAULT_CHARSET;
    for (char& c : font.lfFaceName)
        c = 0;
    CopyString(kMarlettFace, font.lfFaceName);
    return unique_hfont(CreateFontIndirectA(&font));
}

PaintFont CreateMenuMarlettFont()
{
    return LoopFont(&LoopCacheFields::menuMarlett, [] {
        LOGFONTA menuFont = {};
        return CreateMarlettFont(ReadMenuLogFont(&menuFont) ? &menuFont : nullptr);
    });
}

PaintFont CreateCheckMarlettFont(int32_t dpi)
{
    // The loop keeps the font of the DPI it was made for: items on a DC of another are
    // painted with one made for theirs.
    if (LoopCacheFields* cache = OpenLoopCache()) {
        if (cache->checkMarlett && cache->checkMarlettDpi != dpi) {
            DeleteObject(cache->checkMarlett);
            cache->checkMarlett = nullptr;
        }
        cache->checkMarlettDpi = dpi;
    }
    return LoopFont(&LoopCacheFields::checkMarlett, [dpi] {
        LOGFONTA menuFont = {};
        if (!ReadMenuLogFont(&menuFont))
            return CreateMarlettFont(nullptr);
        menuFont.lfHeight = CheckGlyphFontHeight(menuFont.lfHeight, dpi);
        return CreateMarlettFont(&menuFont);
    });
}

} // namespace varnelle
