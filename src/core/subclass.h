// Window-procedure hooks of the library's window procedures.
//
// A window hooked by one library procedure carries the property "OLD_WND_PROC" with the
// procedure it had before, and the library procedure passes every message on to it.
// A window may carry two library procedures (a window whose menu is skinned and which is
// also the parent of a skinned button). The first one keeps "OLD_WND_PROC"; each hook
// also leaves a private property named after its procedure, which marks it as installed
// and, for a hook stacked on top of another library hook, holds its own previous procedure.
// So no hook is installed twice and none ever passes messages on to itself.
//
// A window that is Unicode when it is hooked is hooked and called through the wide
// functions, so it stays Unicode and its texts never pass through the ANSI code page; a
// third private property marks such a hook. ANSI windows are hooked through the ANSI ones.
//
// The first hook keeps the module loaded for the rest of the process (module_lifetime.h).
#pragma once
#include <windows.h>

namespace varnelle {

// Only windows of this process can be subclassed; the hooks refuse any other window.
[[nodiscard]] bool IsOwnWindow(HWND window);

void SubclassWindow(HWND window, WNDPROC procedure);
void UnsubclassWindow(HWND window, WNDPROC procedure);

// Whether the procedure is in the window's chain (on top, or below other procedures).
[[nodiscard]] bool IsHookInstalled(HWND window, WNDPROC procedure);

// The procedure a library window procedure passes its messages on to, and whether it is
// called through the wide functions.
struct PreviousProcedure {
    WNDPROC procedure;
    bool wide;
};
[[nodiscard]] PreviousProcedure PreviousWindowProc(HWND window, WNDPROC procedure);

// Calls the previous procedure (the default one when there is none) the way it was saved.
LRESULT CallPrevious(const PreviousProcedure& previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Takes the procedure out of the window's chain when only library hooks lie above it (a
// menu window unhooks itself on WM_DESTROY this way). Under another party's procedure it
// stays in the chain as a pass-through: rewriting the window procedure would cut that
// party off from the window's last messages. True when it was taken out.
bool RemoveWindowHook(HWND window, WNDPROC procedure);

// Passes a message on to the procedure's previous window procedure.
LRESULT PassOn(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// WM_NCDESTROY, the window's last message: passes it on, then forgets the hook's properties.
LRESULT PassOnLastMessage(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace varnelle
