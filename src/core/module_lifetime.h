// The module stays loaded while any window carries one of its window procedures: an
// application that calls FreeLibrary while a window is still hooked must not leave the
// system calling into unmapped code.
//
// The first installed hook takes a reference on the module; when the last one is removed
// a short helper thread gives it back with FreeLibraryAndExitThread, once no thread runs
// library code: no library window procedure is active, and no thread that owns a hooked
// window has its instruction pointer inside the module. Where the system cannot tell that
// (no OpenThread, as on Windows 95 to NT 4), the reference is kept for the rest of the
// process. Loading and unloading still run no code of the library.
#pragma once
#include <windows.h>

namespace varnelle {

// Called before a hook is installed on `window` and after one is removed.
void HoldModuleForHook(HWND window);
void ReleaseModuleForHook();

// Marks a library window procedure as running for its whole call.
class [[nodiscard]] ActiveWindowProc {
public:
    ActiveWindowProc();
    ~ActiveWindowProc();
    ActiveWindowProc(const ActiveWindowProc&) = delete;
    ActiveWindowProc& operator=(const ActiveWindowProc&) = delete;
};

// Hooks installed and not yet removed, in the whole process (for tests).
[[nodiscard]] LONG InstalledHookCount();

} // namespace varnelle
