#include "property_cache.h"

#include "module_state.h"
#include "thread_state.h"

namespace varnelle {
namespace {

int SlotOf(HWND window, const void* key)
{
    const auto mixed = (reinterpret_cast<ULONG_PTR>(window) >> 1) ^ (reinterpret_cast<ULONG_PTR>(key) >> 3);
    return static_cast<int>((mixed * 0x9E3779B1u) >> 7) & (kPropertyCacheEntries - 1);
}
static_assert((kPropertyCacheEntries & (kPropertyCacheEntries - 1)) == 0, "a power of two");

} // namespace

LONG PropertyGeneration()
{
    return *static_cast<volatile LONG*>(&ModuleState.PropertyGeneration);
}

void PropertiesChanged()
{
    InterlockedIncrement(&ModuleState.PropertyGeneration);
}

bool FindCachedProperty(HWND window, const void* key, LONG generation, ULONG_PTR& value, uint8_t& flag)
{
    const PropertyCacheFields& cache = ReadThreadState().PropertyCache;
    if (!window || cache.generation != generation)
        return false;
    const PropertyCacheEntry& entry = cache.entries[SlotOf(window, key)];
    if (entry.window != window || entry.key != key)
        return false;
    value = entry.value;
    flag = entry.flag;
    return true;
}

void CacheProperty(HWND window, const void* key, LONG generation, ULONG_PTR value, uint8_t flag)
{
    ThreadStateFields* state = window ? OwnThreadState() : nullptr;
    if (!state)
        return;
    PropertyCacheFields& cache = state->PropertyCache;
    if (cache.generation != generation)
        cache = PropertyCacheFields{generation, {}};
    cache.entries[SlotOf(window, key)] = {window, key, value, flag};
}

} // namespace varnelle
