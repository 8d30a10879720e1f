// The module stays loaded once it has hooked a window: an application that calls
// FreeLibrary while a window still carries one of the library's window procedures must not
// leave the system calling into unmapped code.
//
// The module is pinned for the rest of the process at its first hook. Giving a reference
// back when the last hook goes cannot be made safe: the thread that removes the last hook
// is still running the library's code, and a helper thread could only tell when it has
// left by stopping it and reading its instruction pointer, which corrupts Wine's own heap
// when the stopped thread is inside the system. Loading still runs no code of the library.
#pragma once

namespace varnelle {

// Called before any hook is installed; only the first call does anything.
void KeepModuleLoaded();

} // namespace varnelle
