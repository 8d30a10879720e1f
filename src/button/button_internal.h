// Routines shared inside the button subsystem.
#pragma once
#include "../colour/drawing.h"
#include "../core/exports.h"

#include <cstdint>

namespace varnelle {

// The application's CTRL_STRUCT, copied into a block of library memory attached to the
// button as the property "CTRL_STRUCT".

// Beside the copy, the sizes of its two icons, read once when the record is attached:
// reading an icon's size copies both its bitmaps, which would cost every paint more than
// the rest of it. 0 x 0 for an icon that could not be read.
struct RecordIconSizes {
    int32_t iconWidth, iconHeight;
    int32_t hoverWidth, hoverHeight;
};

// Beside them, what the button's paints keep between them (button_paint.cpp): copies of
// its face bitmaps and its icons ready to blit, each made at the first paint that needs it
// and checked against the record's handles at every paint. Released with the record (on
// unhook, on WM_DESTROY and WM_CLOSE, when a new record replaces it) and at the first paint
// after a change of the look (ModuleState.LookGeneration), so that an application that
// draws its face bitmaps again for a new colour scheme or DPI shows them.
struct ButtonPaintCache {
    LONG generation; // the look generation the entries were made in; 0: empty
    KeptBitmap faces[3]; // by look: normal, hovered, pressed
    KeptIcon icons[2];   // hIcon, hIconHover
};
void ReleasePaintCache(ButtonPaintCache& cache);

// Attaches a copy of the record, replacing and freeing any earlier copy. False when the
// copy cannot be made or attached; the button then keeps what it had.
[[nodiscard]] bool AttachRecord(HWND button, const CTRL_STRUCT& record);
void FreeRecord(HWND button);
// Copies the attached record (and the sizes of its icons); false when the button has none.
[[nodiscard]] bool ReadRecord(HWND button, CTRL_STRUCT* copy, RecordIconSizes* iconSizes = nullptr);
// Whether the button carries a record.
[[nodiscard]] bool HasRecord(HWND button);
// The paint cache in the button's block, or null without a record. Valid until the button
// next handles a message: the block goes with its record.
[[nodiscard]] ButtonPaintCache* PaintCacheOf(HWND button);

// Allocates record copies; null means GlobalAlloc. Tests point it at a failing allocator
// to see what an exhausted heap does.
using RecordAllocator = HGLOBAL(WINAPI*)(UINT flags, SIZE_T bytes);
extern constinit RecordAllocator RecordAllocatorOverride;

// Hover state of the button of this thread under the mouse (ThreadState().HoverButton).
void EnterHover(HWND button);
void LeaveHover(HWND button);
// The button goes away or loses its skin: hover ends without a repaint.
void DropHover(HWND button, DWORD cancelFlags);

// Window procedures and the painter.
LRESULT CALLBACK ButtonParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam);
int PaintButton(const DRAWITEMSTRUCT* item);

} // namespace varnelle
