// The entry point of a DLL without the C runtime that needs none of its own: nothing is
// done for any reason, so loading and unloading it cost nothing.
#include <windows.h>

extern "C" BOOL WINAPI DllEntry(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
