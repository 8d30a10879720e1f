// The library's copy of a button's CTRL_STRUCT.
#include "button_internal.h"
#include "button_layout.h"

#include "../colour/drawing.h"
#include "../core/gdi_handles.h"
#include "../core/memory_routines.h"
#include "../core/module_state.h"
#include "../core/property_cache.h"

#include <cstddef>

// The record's layout is the library's interface: 32-bit words in the 32-bit DLL,
// pointer-sized handles in the 64-bit one (see include/varnelle.h).
#if defined(_WIN64)
static_assert(offsetof(CTRL_STRUCT, hIcon) == 0);
static_assert(offsetof(CTRL_STRUCT, hIconHover) == 8);
static_assert(offsetof(CTRL_STRUCT, dwFlat) == 16);
static_assert(offsetof(CTRL_STRUCT, dwIconAlign) == 20);
static_assert(offsetof(CTRL_STRUCT, dwEdge) == 24);
static_assert(offsetof(CTRL_STRUCT, crTextHover) == 28);
static_assert(offsetof(CTRL_STRUCT, crTextPressed) == 32);
static_assert(offsetof(CTRL_STRUCT, crText) == 36);
static_assert(offsetof(CTRL_STRUCT, hFont) == 40);
static_assert(offsetof(CTRL_STRUCT, hFontHover) == 48);
static_assert(offsetof(CTRL_STRUCT, hCursorHover) == 56);
static_assert(offsetof(CTRL_STRUCT, pSoundHover) == 64);
static_assert(offsetof(CTRL_STRUCT, hBmp) == 72);
static_assert(offsetof(CTRL_STRUCT, hBmpHover) == 80);
static_assert(offsetof(CTRL_STRUCT, hBmpPressed) == 88);
static_assert(sizeof(CTRL_STRUCT) == 96);
#else
static_assert(offsetof(CTRL_STRUCT, hIcon) == 0);
static_assert(offsetof(CTRL_STRUCT, hIconHover) == 4);
static_assert(offsetof(CTRL_STRUCT, dwFlat) == 8);
static_assert(offsetof(CTRL_STRUCT, dwIconAlign) == 12);
static_assert(offsetof(CTRL_STRUCT, dwEdge) == 16);
static_assert(offsetof(CTRL_STRUCT, crTextHover) == 20);
static_assert(offsetof(CTRL_STRUCT, crTextPressed) == 24);
static_assert(offsetof(CTRL_STRUCT, crText) == 28);
static_assert(offsetof(CTRL_STRUCT, hFont) == 32);
static_assert(offsetof(CTRL_STRUCT, hFontHover) == 36);
static_assert(offsetof(CTRL_STRUCT, hCursorHover) == 40);
static_assert(offsetof(CTRL_STRUCT, pSoundHover) == 44);
static_assert(offsetof(CTRL_STRUCT, hBmp) == 48);
static_assert(offsetof(CTRL_STRUCT, hBmpHover) == 52);
static_assert(offsetof(CTRL_STRUCT, hBmpPressed) == 56);
static_assert(sizeof(CTRL_STRUCT) == 60);
#endif
static_assert(varnelle::kIconAlignLeft == VARNELLE_ICON_LEFT && varnelle::kIconAlignRight == VARNELLE_ICON_RIGHT &&
              varnelle::kIconAlignTop == VARNELLE_ICON_TOP);

namespace varnelle {

constinit RecordAllocator RecordAllocatorOverride = nullptr;

namespace {

constexpr uint32_t kRecordSize = sizeof(CTRL_STRUCT);

// The property's block: the record as the application gave it, then the icons' sizes and
// the paint cache.
struct StoredRecord {
    CTRL_STRUCT record;
    RecordIconSizes iconSizes;
    ButtonPaintCache paintCache;
};
static_assert(offsetof(StoredRecord, record) == 0);

void ReadIconSize(HICON icon, int32_t& width, int32_t& height)
{
    IconImage image;
    if (icon && ReadIcon(icon, image)) {
        width = image.width;
        height = image.height;
    }
}

// GMEM_ZEROINIT without GMEM_MOVEABLE: fixed memory, whose handle is its address.
void* BlockAddress(HANDLE block)
{
    return static_cast<void*>(block);
}

// The button's block, read through the thread's property cache: a paint reads it once
// more after the messages it sends.
StoredRecord* FindStoredRecord(HWND button)
{
    const LONG generation = PropertyGeneration();
    ULONG_PTR block = 0;
    uint8_t unused = 0;
    if (!FindCachedProperty(button, kCtrlStructProperty, generation, block, unused)) {
        block = reinterpret_cast<ULONG_PTR>(GetPropA(button, kCtrlStructProperty));
        CacheProperty(button, kCtrlStructProperty, generation, block, 0);
    }
    return static_cast<StoredRecord*>(BlockAddress(reinterpret_cast<HANDLE>(block)));
}

void FreeStoredRecord(HANDLE block)
{
    if (!block)
        return;
    ReleasePaintCache(static_cast<StoredRecord*>(BlockAddress(block))->paintCache);
    GlobalFree(static_cast<HGLOBAL>(block));
}

} // namespace

void ReleasePaintCache(ButtonPaintCache& cache)
{
    for (KeptBitmap& face : cache.faces)
        ReleaseKeptBitmap(face);
    for (KeptIcon& icon : cache.icons)
        ReleaseKeptIcon(icon);
    cache.generation = 0;
}

bool AttachRecord(HWND button, const CTRL_STRUCT& record)
{
    unique_global copy(RecordAllocatorOverride ? RecordAllocatorOverride(GMEM_ZEROINIT, sizeof(StoredRecord))
                                               : GlobalAlloc(GMEM_ZEROINIT, sizeof(StoredRecord)));
    if (!copy)
        return false;
    auto* stored = static_cast<StoredRecord*>(BlockAddress(copy.get()));
    CopyBytes(&record, &stored->record, kRecordSize);
    ReadIconSize(record.hIcon, stored->iconSizes.iconWidth, stored->iconSizes.iconHeight);
    ReadIconSize(record.hIconHover, stored->iconSizes.hoverWidth, stored->iconSizes.hoverHeight);
    HANDLE earlier = GetPropA(button, kCtrlStructProperty);
    const bool attached = SetPropA(button, kCtrlStructProperty, copy.get()) != FALSE;
    PropertiesChanged();
    if (!attached)
        return false; // the earlier copy is still attached
    (void)copy.release(); // now owned by the property
    FreeStoredRecord(earlier);
    return true;
}

void FreeRecord(HWND button)
{
    HANDLE block = RemovePropA(button, kCtrlStructProperty);
    PropertiesChanged();
    FreeStoredRecord(block);
}

bool ReadRecord(HWND button, CTRL_STRUCT* copy, RecordIconSizes* iconSizes)
{
    const StoredRecord* stored = FindStoredRecord(button);
    if (!stored)
        return false;
    CopyBytes(&stored->record, copy, kRecordSize);
    if (iconSizes)
        *iconSizes = stored->iconSizes;
    return true;
}

bool HasRecord(HWND button)
{
    return FindStoredRecord(button) != nullptr;
}

ButtonPaintCache* PaintCacheOf(HWND button)
{
    StoredRecord* stored = FindStoredRecord(button);
    return stored ? &stored->paintCache : nullptr;
}

} // namespace varnelle
