#include "subclass.h"

#include "module_state.h"

namespace varnelle {
namespace {

// Value of a hook's private property when its previous procedure is in "OLD_WND_PROC".
const HANDLE kPreviousInOldWndProc = reinterpret_cast<HANDLE>(1);

// "VARNELLE_HOOK_" followed by the procedure's address in hex.
struct HookPropertyName {
    char text[40];
    explicit HookPropertyName(WNDPROC procedure)
    {
        static const char prefix[] = "VARNELLE_HOOK_";
        int length = 0;
        for (; prefix[length]; ++length)
            text[length] = prefix[length];
        auto address = reinterpret_cast<ULONG_PTR>(procedure);
        for (int shift = static_cast<int>(sizeof(address) * 8) - 4; shift >= 0; shift -= 4)
            text[length++] = "0123456789ABCDEF"[(address >> shift) & 0xF];
        text[length] = 0;
    }
};

WNDPROC CurrentWindowProc(HWND window)
{
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
}

bool IsInstalled(HWND window, WNDPROC procedure)
{
    return CurrentWindowProc(window) == procedure || GetPropA(window, HookPropertyName(procedure).text);
}

// Forgets the hook's bookkeeping; the window procedure itself is changed by the caller.
void ForgetHook(HWND window, WNDPROC procedure)
{
    HookPropertyName name(procedure);
    HANDLE own = GetPropA(window, name.text);
    RemovePropA(window, name.text);
    if (!own || own == kPreviousInOldWndProc)
        RemovePropA(window, kOldWndProcProperty);
}

} // namespace

bool IsOwnWindow(HWND window)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process == GetCurrentProcessId();
}

void SubclassWindow(HWND window, WNDPROC procedure)
{
    if (IsInstalled(window, procedure))
        return;
    bool stacked = GetPropA(window, kOldWndProcProperty) != nullptr;
    auto previous = SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
    if (stacked) {
        SetPropA(window, HookPropertyName(procedure).text, reinterpret_cast<HANDLE>(previous));
    } else {
        SetPropA(window, kOldWndProcProperty, reinterpret_cast<HANDLE>(previous));
        SetPropA(window, HookPropertyName(procedure).text, kPreviousInOldWndProc);
    }
}

WNDPROC PreviousWindowProc(HWND window, WNDPROC procedure)
{
    HANDLE own = GetPropA(window, HookPropertyName(procedure).text);
    if (own && own != kPreviousInOldWndProc)
        return reinterpret_cast<WNDPROC>(own);
    return reinterpret_cast<WNDPROC>(GetPropA(window, kOldWndProcProperty));
}

void UnsubclassWindow(HWND window, WNDPROC procedure)
{
    if (CurrentWindowProc(window) != procedure)
        return;
    WNDPROC previous = PreviousWindowProc(window, procedure);
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    ForgetHook(window, procedure);
}

void RemoveWindowHook(HWND window, WNDPROC procedure)
{
    HookPropertyName ownName(procedure);
    bool ownsOldWndProc = GetPropA(window, ownName.text) == kPreviousInOldWndProc;
    WNDPROC previous = PreviousWindowProc(window, procedure);

    // Walk down the library hooks stacked above this one; the one directly above is
    // relinked past it, so it stays installed and never calls a removed procedure.
    WNDPROC above = CurrentWindowProc(window);
    while (above && above != procedure) {
        HookPropertyName aboveName(above);
        HANDLE abovePrevious = GetPropA(window, aboveName.text);
        if (!abovePrevious || abovePrevious == kPreviousInOldWndProc)
            break; // another party's procedure lies in between
        if (reinterpret_cast<WNDPROC>(abovePrevious) == procedure) {
            SetPropA(window, aboveName.text,
                     ownsOldWndProc ? kPreviousInOldWndProc : reinterpret_cast<HANDLE>(previous));
            RemovePropA(window, ownName.text);
            return;
        }
        above = reinterpret_cast<WNDPROC>(abovePrevious);
    }

    // On top, or under another party's procedure: put the previous procedure back
    // unconditionally; library hooks above it are no longer installed either.
    for (WNDPROC top = CurrentWindowProc(window); top && top != procedure;) {
        HookPropertyName topName(top);
        HANDLE topPrevious = GetPropA(window, topName.text);
        if (!topPrevious || topPrevious == kPreviousInOldWndProc)
            break;
        RemovePropA(window, topName.text);
        top = reinterpret_cast<WNDPROC>(topPrevious);
    }
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    ForgetHook(window, procedure);
}

LRESULT PassOn(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC previous = PreviousWindowProc(window, procedure);
    if (!previous)
        return DefWindowProcA(window, message, wParam, lParam);
    return CallWindowProcA(previous, window, message, wParam, lParam);
}

} // namespace varnelle
