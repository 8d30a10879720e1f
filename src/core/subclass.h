// Window-procedure hooks of the library's window procedures.
//
// A window hooked by one library procedure carries the property "OLD_WND_PROC" with the
// procedure it had before, and the library procedure passes every message on to it.
// A window may carry two library procedures (a window whose menu is skinned and which is
// also the parent of a skinned button). The first one keeps "OLD_WND_PROC"; each hook
// also leaves a private property named after its procedure, which marks it as installed
// and, for a hook stacked on top of another library hook, holds its own previous procedure.
// So no hook is installed twice and none ever passes messages on to itself.
#pragma once
#include <windows.h>

namespace varnelle {

// Only windows of this process can be subclassed; the hooks refuse any other window.
[[nodiscard]] bool IsOwnWindow(HWND window);

void SubclassWindow(HWND window, WNDPROC procedure);
void UnsubclassWindow(HWND window, WNDPROC procedure);

// The procedure a library window procedure passes its messages on to.
[[nodiscard]] WNDPROC PreviousWindowProc(HWND window, WNDPROC procedure);

// Takes the procedure out of the window's chain whether or not it is on top (a menu
// window unhooks itself on WM_DESTROY this way).
void RemoveWindowHook(HWND window, WNDPROC procedure);

// Passes a message on to the procedure's previous window procedure.
LRESULT PassOn(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace varnelle
