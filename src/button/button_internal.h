// Routines shared inside the button subsystem.
#pragma once
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

// Attaches a copy of the record, replacing and freeing any earlier copy. False when the
// copy cannot be made or attached; the button then keeps what it had.
[[nodiscard]] bool AttachRecord(HWND button, const CTRL_STRUCT& record);
void FreeRecord(HWND button);
// Copies the attached record (and the sizes of its icons); false when the button has none.
[[nodiscard]] bool ReadRecord(HWND button, CTRL_STRUCT* copy, RecordIconSizes* iconSizes = nullptr);

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
