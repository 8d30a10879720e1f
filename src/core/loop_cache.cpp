#include "loop_cache.h"

namespace varnelle {

void EmptyLoopCache(LoopCacheFields& cache)
{
    const HFONT fonts[] = {cache.menuFont, cache.menuMarlett, cache.checkMarlett};
    for (HFONT font : fonts) {
        if (font)
            DeleteObject(font);
    }
    cache = LoopCacheFields{};
}

} // namespace varnelle
