// What every item of one menu loop paints with and would otherwise make afresh for each
// item: the menu font and its Marlett companions, the screen's colour depth and the size
// of each icon. Filled at the loop's first paint, emptied when the loop ends, when the
// hooked window goes, and as soon as the look may have changed (colours, metrics, theme,
// DPI, colour mode), so that the next repaint shows the change. Nothing is kept outside a
// loop. Part of each thread's state (thread_state.h).
#pragma once
#include <windows.h>

#include <cstdint>

namespace varnelle {

struct CachedIconSize {
    HICON icon;
    int32_t width;
    int32_t height;
    int32_t colourHeight;
};
inline constexpr int kCachedIconCount = 32;

struct LoopCacheFields {
    LONG generation;        // the look generation the entries were made in; 0: empty
    uint8_t menuLogFontRead;
    uint8_t menuLogFontValid;
    LOGFONTA menuLogFont;
    HFONT menuFont;         // the fonts are the cache's, deleted when it is emptied
    HFONT menuMarlett;
    HFONT checkMarlett;
    int32_t checkMarlettDpi;
    int32_t screenColourBits; // 0 until asked
    int32_t iconCount;
    CachedIconSize icons[kCachedIconCount];
};

// Deletes the cache's fonts and empties it.
void EmptyLoopCache(LoopCacheFields& cache);

} // namespace varnelle
