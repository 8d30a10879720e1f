#include "subclass.h"

#include "module_lifetime.h"
#include "module_state.h"
#include "property_cache.h"

namespace varnelle {
namespace {

// Value of a hook's private property when its previous procedure is in "OLD_WND_PROC".
const HANDLE kPreviousInOldWndProc = reinterpret_cast<HANDLE>(1);
const HANDLE kMarked = reinterpret_cast<HANDLE>(1);

// A prefix followed by the procedure's address in hex.
struct HookPropertyName {
    char text[40];
    HookPropertyName(const char* prefix, WNDPROC procedure)
    {
        int length = 0;
        for (; prefix[length]; ++length)
            text[length] = prefix[length];
        auto address = reinterpret_cast<ULONG_PTR>(procedure);
        for (int shift = static_cast<int>(sizeof(address) * 8) - 4; shift >= 0; shift -= 4)
            text[length++] = "0123456789ABCDEF"[(address >> shift) & 0xF];
        text[length] = 0;
    }
};

// The hook's own property: its previous procedure, or kPreviousInOldWndProc.
struct HookName : HookPropertyName {
    explicit HookName(WNDPROC procedure) : HookPropertyName("VARNELLE_HOOK_", procedure) {}
};
// Present when the hook was installed through the wide functions.
struct WideName : HookPropertyName {
    explicit WideName(WNDPROC procedure) : HookPropertyName("VARNELLE_WIDE_", procedure) {}
};

// The procedure on top of the chain, read the way it was installed (read the other way
// the system hands out a translating stand-in instead of its address).
WNDPROC TopProcedure(HWND window)
{
    LONG_PTR top = IsWindowUnicode(window) ? GetWindowLongPtrW(window, GWLP_WNDPROC)
                                           : GetWindowLongPtrA(window, GWLP_WNDPROC);
    return reinterpret_cast<WNDPROC>(top);
}

WNDPROC SetProcedure(HWND window, WNDPROC procedure, bool wide)
{
    auto value = reinterpret_cast<LONG_PTR>(procedure);
    return reinterpret_cast<WNDPROC>(wide ? SetWindowLongPtrW(window, GWLP_WNDPROC, value)
                                          : SetWindowLongPtrA(window, GWLP_WNDPROC, value));
}

// Forgets the hook's bookkeeping, keeping "OLD_WND_PROC" when `keepOldWndProc` (a library
// hook above has taken it over); the window procedure itself is changed by the caller.
void ForgetHook(HWND window, WNDPROC procedure, bool keepOldWndProc = false)
{
    HookName name(procedure);
    HANDLE own = RemovePropA(window, name.text);
    RemovePropA(window, WideName(procedure).text);
    if (!keepOldWndProc && own == kPreviousInOldWndProc)
        RemovePropA(window, kOldWndProcProperty);
    PropertiesChanged();
}

// Library hooks above `procedure` are relinked past it: the one directly above takes over
// its previous procedure and the way it is called. False when another party's procedure
// lies above, or `procedure` is not found below the library hooks.
bool RelinkPast(HWND window, WNDPROC procedure)
{
    HANDLE own = GetPropA(window, HookName(procedure).text);
    if (!own)
        return false;
    bool wide = GetPropA(window, WideName(procedure).text) != nullptr;
    for (WNDPROC above = TopProcedure(window); above && above != procedure;) {
        HookName aboveName(above);
        HANDLE abovePrevious = GetPropA(window, aboveName.text);
        if (!abovePrevious || abovePrevious == kPreviousInOldWndProc)
            return false; // another party's procedure lies in between
        if (reinterpret_cast<WNDPROC>(abovePrevious) == procedure) {
            SetPropA(window, aboveName.text, own);
            WideName aboveWide(above);
            if (wide)
                SetPropA(window, aboveWide.text, kMarked);
            else
                RemovePropA(window, aboveWide.text);
            ForgetHook(window, procedure, true);
            return true;
        }
        above = reinterpret_cast<WNDPROC>(abovePrevious);
    }
    return false;
}

} // namespace

bool IsOwnWindow(HWND window)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process == GetCurrentProcessId();
}

bool IsHookInstalled(HWND window, WNDPROC procedure)
{
    return TopProcedure(window) == procedure || GetPropA(window, HookName(procedure).text);
}

void SubclassWindow(HWND window, WNDPROC procedure)
{
    if (IsHookInstalled(window, procedure))
        return;
    const bool wide = IsWindowUnicode(window) != FALSE;
    const bool stacked = GetPropA(window, kOldWndProcProperty) != nullptr;
    // Loaded for good before the window can call into it.
    KeepModuleLoaded();
    WNDPROC previous = SetProcedure(window, procedure, wide);
    if (!previous)
        return; // not a window that can be subclassed
    if (stacked) {
        SetPropA(window, HookName(procedure).text, reinterpret_cast<HANDLE>(previous));
    } else {
        SetPropA(window, kOldWndProcProperty, reinterpret_cast<HANDLE>(previous));
        SetPropA(window, HookName(procedure).text, kPreviousInOldWndProc);
    }
    if (wide)
        SetPropA(window, WideName(procedure).text, kMarked);
    PropertiesChanged();
}

PreviousProcedure PreviousWindowProc(HWND window, WNDPROC procedure)
{
    const LONG generation = PropertyGeneration();
    const void* key = reinterpret_cast<const void*>(procedure);
    ULONG_PTR cached = 0;
    uint8_t cachedWide = 0;
    if (FindCachedProperty(window, key, generation, cached, cachedWide))
        return {reinterpret_cast<WNDPROC>(cached), cachedWide != 0};
    PreviousProcedure previous = {nullptr, GetPropA(window, WideName(procedure).text) != nullptr};
    HANDLE own = GetPropA(window, HookName(procedure).text);
    previous.procedure = reinterpret_cast<WNDPROC>(own && own != kPreviousInOldWndProc
                                                       ? own
                                                       : GetPropA(window, kOldWndProcProperty));
    CacheProperty(window, key, generation, reinterpret_cast<ULONG_PTR>(previous.procedure), previous.wide);
    return previous;
}

LRESULT CallPrevious(const PreviousProcedure& previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!previous.procedure) {
        return previous.wide ? DefWindowProcW(window, message, wParam, lParam)
                             : DefWindowProcA(window, message, wParam, lParam);
    }
    return previous.wide ? CallWindowProcW(previous.procedure, window, message, wParam, lParam)
                         : CallWindowProcA(previous.procedure, window, message, wParam, lParam);
}

void UnsubclassWindow(HWND window, WNDPROC procedure)
{
    if (TopProcedure(window) != procedure)
        return;
    PreviousProcedure previous = PreviousWindowProc(window, procedure);
    if (!previous.procedure)
        return; // nothing saved to put back
    SetProcedure(window, previous.procedure, previous.wide);
    ForgetHook(window, procedure);
}

bool RemoveWindowHook(HWND window, WNDPROC procedure)
{
    if (TopProcedure(window) == procedure) {
        UnsubclassWindow(window, procedure);
        return true;
    }
    return RelinkPast(window, procedure);
}

LRESULT PassOn(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallPrevious(PreviousWindowProc(window, procedure), window, message, wParam, lParam);
}

LRESULT PassOnLastMessage(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Forgotten afterwards: messages the application sends itself while it handles its
    // last one still pass through the whole chain.
    LRESULT result = CallPrevious(PreviousWindowProc(window, procedure), window, message, wParam, lParam);
    ForgetHook(window, procedure);
    return result;
}

} // namespace varnelle
