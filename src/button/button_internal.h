// Routines shared inside the button subsystem.
#pragma once
#include "../core/exports.h"

namespace varnelle {

// The application's CTRL_STRUCT, copied into a block of library memory attached to the
// button as the property "CTRL_STRUCT".

// Attaches a copy of the record, replacing and freeing any earlier copy. False when the
// copy cannot be made or attached; the button then keeps what it had.
[[nodiscard]] bool AttachRecord(HWND button, const CTRL_STRUCT& record);
void FreeRecord(HWND button);
// Copies the attached record; false when the button has none.
[[nodiscard]] bool ReadRecord(HWND button, CTRL_STRUCT* copy);

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
