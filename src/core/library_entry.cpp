// The library's entry point: no C runtime start-up runs at load, and nothing is done at
// load. A thread's menu-loop block is freed when the thread ends, and FreeLibrary gives
// the TLS slot back.
#include <windows.h>

#include "thread_state.h"

extern "C" BOOL WINAPI DllEntry(HINSTANCE, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_THREAD_DETACH)
        varnelle::ReleaseThreadState();
    // At the end of the process (reserved set) the system takes everything back itself.
    else if (reason == DLL_PROCESS_DETACH && !reserved)
        varnelle::ReleaseThreadStateSlot();
    return TRUE;
}
