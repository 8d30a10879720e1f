#include "menu_loop_cache.h"

#include "../core/module_state.h"
#include "../core/thread_state.h"

namespace varnelle {

LoopCacheFields* OpenLoopCache()
{
    if (ReadThreadState().MenuLoopIdle)
        return nullptr;
    LoopCacheFields& cache = ThreadState().LoopCache;
    const LONG generation = CurrentLookGeneration();
    if (cache.generation != generation) {
        EmptyLoopCache(cache);
        cache.generation = generation;
    }
    return &cache;
}

void EndLoopCache()
{
    if (ReadThreadState().LoopCache.generation != 0)
        EmptyLoopCache(ThreadState().LoopCache);
}

void LookMayHaveChanged()
{
    CountLookChange();
    EndLoopCache();
}

bool ReadItemIcon(HICON icon, IconImage& image)
{
    LoopCacheFields* cache = icon ? OpenLoopCache() : nullptr;
    if (!cache)
        return ReadIcon(icon, image);
    for (int i = 0; i < cache->iconCount; ++i) {
        const CachedIconSize& known = cache->icons[i];
        if (known.icon == icon) {
            image.width = known.width;
            image.height = known.height;
            image.colourHeight = known.colourHeight;
            return true;
        }
    }
    if (!ReadIcon(icon, image))
        return false;
    if (cache->iconCount < kCachedIconCount)
        cache->icons[cache->iconCount++] = {icon, image.width, image.height, image.colourHeight};
    return true;
}

} // namespace varnelle
