// The calling thread's menu loop cache (core/loop_cache.h) as the painters and measurement
// use it. Outside a loop every call makes what it needs afresh, as each paint did before.
#pragma once
#include <windows.h>

#include <cstdint>

#include "../colour/drawing.h"
#include "../core/gdi_handles.h"
#include "../core/loop_cache.h"

namespace varnelle {

// The thread's cache while a menu loop is open on it, emptied first when the look changed
// since it was filled; null outside a loop.
[[nodiscard]] LoopCacheFields* OpenLoopCache();

// The loop of this thread ended, or its window went: the cache is emptied.
void EndLoopCache();

// The colours, metrics, theme, DPI or colour mode may have changed: this thread's cache is
// emptied now, every other thread's at its next use.
void LookMayHaveChanged();

// A font for one paint: the loop's own, which the cache deletes, or one made for this
// paint alone, deleted with this object.
class PaintFont {
public:
    PaintFont() = default;
    explicit PaintFont(unique_hfont made) : made_(static_cast<unique_hfont&&>(made)), font_(made_.get()) {}
    static PaintFont Borrowed(HFONT font)
    {
        PaintFont borrowed;
        borrowed.font_ = font;
        return borrowed;
    }
    HFONT get() const { return font_; }
    explicit operator bool() const { return font_ != nullptr; }

private:
    unique_hfont made_;
    HFONT font_ = nullptr;
};

// A font of the loop, made once by `make` into `slot`; outside a loop, or when it cannot
// be made, one for this paint alone.
template <typename Make>
PaintFont LoopFont(HFONT LoopCacheFields::*slot, Make&& make)
{
    LoopCacheFields* cache = OpenLoopCache();
    if (!cache)
        return PaintFont(make());
    if (!(cache->*slot))
        cache->*slot = make().release();
    return cache->*slot ? PaintFont::Borrowed(cache->*slot) : PaintFont(make());
}

// ReadIcon for a menu item: inside a loop an icon is read once and its size kept; the
// image then holds the size alone, and a look that needs the mask reads it itself.
[[nodiscard]] bool ReadItemIcon(HICON icon, IconImage& image);

} // namespace varnelle
