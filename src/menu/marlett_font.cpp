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

PaintFont CreateCheckMarlettFont()
{
    return LoopFont(&LoopCacheFields::checkMarlett, [] {
        LOGFONTA menuFont = {};
        if (!ReadMenuLogFont(&menuFont))
            return CreateMarlettFont(nullptr);
        menuFont.lfHeight = CheckGlyphFontHeight(menuFont.lfHeight);
        return CreateMarlettFont(&menuFont);
    });
}

} // namespace varnelle
