#include "module_lifetime.h"

#include <windows.h>

// The module's own base address, provided by the linker.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace varnelle {
namespace {

constinit volatile LONG pinned = 0;

HMODULE OwnModule()
{
    return reinterpret_cast<HMODULE>(&__ImageBase);
}

using GetModuleHandleExFunction = BOOL(WINAPI*)(DWORD, LPCWSTR, HMODULE*);

// GetModuleHandleEx pins the module against any number of FreeLibrary calls (Windows XP
// on); before it, a reference of its own that is never given back does nearly as well.
void Pin()
{
    auto getModuleHandleEx = reinterpret_cast<GetModuleHandleExFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetModuleHandleExW")));
    HMODULE module = nullptr;
    if (getModuleHandleEx &&
        getModuleHandleEx(GET_MODULE_HANDLE_EX_FLAG_PIN | GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                          reinterpret_cast<LPCWSTR>(&__ImageBase), &module))
        return;
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(OwnModule(), path, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        LoadLibraryA(path);
}

} // namespace

void KeepModuleLoaded()
{
    // Linked into the program itself the code cannot be unloaded.
    if (pinned || OwnModule() == GetModuleHandleA(nullptr))
        return;
    if (InterlockedExchange(&pinned, 1) == 0)
        Pin();
}

} // namespace varnelle
