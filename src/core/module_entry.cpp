// The DLL's own entry point: no C runtime start-up runs at load, and nothing is done
// for any reason, so loading and unloading the library cost nothing.
#include <windows.h>

extern "C" BOOL WINAPI DllEntry(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
