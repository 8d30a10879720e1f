// The library's own window properties (the hooks' "OLD_WND_PROC" and private ones, a
// button's "CTRL_STRUCT") as its window procedures read them, kept per GUI thread. Under
// Wine every GetProp is a round trip to the window server, and each message that passes a
// library hook reads two or three of them: a skinned button's paint alone passed twenty.
//
// Only the library writes these properties, and every write counts a process-wide
// generation (PropertiesChanged, after the write). A reader takes the generation before it
// reads the properties and stores what it read under it; a thread's entries of an earlier
// generation are dropped at its next read. A thread that shares the fallback state block
// (thread_state.h) keeps nothing.
#pragma once
#include <windows.h>

#include <cstdint>

namespace varnelle {

struct PropertyCacheEntry {
    HWND window;     // null: empty
    const void* key; // what was read: a hook's procedure, or a property's name
    ULONG_PTR value;
    uint8_t flag;
};
// Direct-mapped: a dialog's buttons and their parent each keep their slots.
inline constexpr int kPropertyCacheEntries = 64;

struct PropertyCacheFields {
    LONG generation; // the generation of the entries; 0: empty
    PropertyCacheEntry entries[kPropertyCacheEntries];
};

// The generation to read the properties under; take it before reading them.
[[nodiscard]] LONG PropertyGeneration();
// Counts a change of a library property; call after the change.
void PropertiesChanged();

// What this thread read for (window, key) in the generation, if anything.
[[nodiscard]] bool FindCachedProperty(HWND window, const void* key, LONG generation, ULONG_PTR& value, uint8_t& flag);
// Keeps what was read in the generation for this thread's next reads.
void CacheProperty(HWND window, const void* key, LONG generation, ULONG_PTR value, uint8_t flag);

} // namespace varnelle
