// RedrawButton and the window procedures of skinned buttons and their parents.
#include "button_internal.h"

#include "../core/colour_mode.h"
#include "../core/module_state.h"
#include "../core/subclass.h"

using namespace varnelle;

namespace {

constexpr UINT kDpiChanged = 0x02E0;
constexpr UINT kDpiChangedAfterParent = 0x02E3;

// BS_OWNERDRAW is the whole type field, so these bits both set and recognise it.
constexpr LONG kOwnerDrawType = BS_OWNERDRAW;
static_assert(kOwnerDrawType == 0xB);

BOOL HookButton(HWND button, const CTRL_STRUCT& record)
{
    // The copy comes first: when it cannot be made the button is left exactly as it was.
    if (!AttachRecord(button, record))
        return FALSE;
    // A push or default push button becomes owner-drawn; its former type is not kept.
    SetWindowLongA(button, GWL_STYLE, GetWindowLongA(button, GWL_STYLE) | kOwnerDrawType);
    if (HWND parent = GetParent(button))
        SubclassWindow(parent, ButtonParentProc);
    SubclassWindow(button, ButtonProc);
    return TRUE;
}

void UnhookButton(HWND button)
{
    // Only an owner-drawn type turns back into a push button: a button that was never
    // skinned keeps its type (a default push button must not become a push box).
    LONG style = GetWindowLongA(button, GWL_STYLE);
    if ((style & BS_TYPEMASK) == kOwnerDrawType)
        SetWindowLongA(button, GWL_STYLE, style & ~BS_TYPEMASK);
    UnsubclassWindow(button, ButtonProc);
    FreeRecord(button);
    // Without ButtonProc the button would never see its leave notification, and no other
    // button could be hovered again; the parent stays hooked for other buttons on it.
    DropHover(button, TME_CANCEL | TME_LEAVE);
}

// A class's window procedure, read both ways: a class registered through the other
// character set is handed out through a translating stand-in.
struct ClassProcedures {
    WNDPROC ansi = nullptr;
    WNDPROC wide = nullptr;
};

ClassProcedures ProceduresOf(HINSTANCE instance, const char* name, const wchar_t* wideName)
{
    ClassProcedures procedures;
    WNDCLASSA ansi = {};
    WNDCLASSW wide = {};
    if (GetClassInfoA(instance, name, &ansi))
        procedures.ansi = ansi.lpfnWndProc;
    if (GetClassInfoW(instance, wideName, &wide))
        procedures.wide = wide.lpfnWndProc;
    return procedures;
}

// The system's button class, or a class built on it: one registered with the button's
// own window procedure, or a superclass whose procedure calls the button's and so answers
// WM_GETDLGCODE as a button does (asked of windows of this thread only, so that no other
// thread is made to answer). Anything else (a static, an edit, a list box) is no button.
bool IsButtonClass(HWND window)
{
    char name[256];
    wchar_t wideName[256] = {};
    if (GetClassNameA(window, name, sizeof name) <= 0)
        return false;
    if (lstrcmpiA(name, "Button") == 0)
        return true;
    GetClassNameW(window, wideName, sizeof wideName / sizeof wideName[0]);
    const ClassProcedures button = ProceduresOf(nullptr, "Button", L"Button");
    const ClassProcedures own =
        ProceduresOf(reinterpret_cast<HINSTANCE>(GetClassLongPtrA(window, GCLP_HMODULE)), name, wideName);
    if ((own.ansi && own.ansi == button.ansi) || (own.wide && own.wide == button.wide))
        return true;
    if (GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId())
        return false;
    return (SendMessageA(window, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON) != 0;
}

// Only push buttons are skinned, and buttons the library made owner-drawn itself: OR-ing
// the owner-draw type into a check box, radio button, group box or split button would
// give it a type it never had, and an application's own owner-drawn button is its own.
bool IsSkinnablePushButton(HWND button)
{
    switch (GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
        return true;
    case kOwnerDrawType:
        return IsHookInstalled(button, ButtonProc);
    default:
        return false;
    }
}

} // namespace

// Another process's button cannot be subclassed: made owner-drawn, nobody would paint it.
// A window of another class keeps its style: the button types mean other things there.
extern "C" BOOL WINAPI RedrawButton(HWND button, const CTRL_STRUCT* record) noexcept
{
    if (!IsWindow(button) || !IsOwnWindow(button) || !IsButtonClass(button) || !IsSkinnablePushButton(button))
        return FALSE;
    if (record)
        return HookButton(button, *record);
    UnhookButton(button);
    return TRUE;
}

namespace varnelle {

LRESULT CALLBACK ButtonParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCDESTROY)
        return PassOnLastMessage(ButtonParentProc, window, message, wParam, lParam);
    // The application's own WM_DRAWITEM handling still runs after the library painted.
    if (message == WM_DRAWITEM && lParam)
        PaintButton(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    // The user switched applications between light and dark: the buttons follow.
    if (message == WM_SETTINGCHANGE &&
        IsColourSettingChange(PreviousWindowProc(window, ButtonParentProc).wide, wParam, lParam)) {
        static_cast<void>(RereadAppsTheme());
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    const LRESULT result = PassOn(ButtonParentProc, window, message, wParam, lParam);
    switch (message) {
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
    case kDpiChanged:
    case kDpiChangedAfterParent:
        // Counted once the application has handled it: the buttons' kept bitmaps are made
        // again at their next paints, from the face bitmaps it may have drawn again.
        CountLookChange();
        break;
    default:
        break;
    }
    return result;
}

LRESULT CALLBACK ButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Read before anything runs: the application may take the skin off while it handles
    // the press sent below, and the double click must still reach the button's procedure.
    PreviousProcedure previous = PreviousWindowProc(button, ButtonProc);
    switch (message) {
    case WM_MOUSEMOVE:
        EnterHover(button);
        break;
    case WM_MOUSELEAVE:
        LeaveHover(button);
        break;
    case WM_LBUTTONDBLCLK:
        // The second click of a fast double click presses the button again.
        if (HasRecord(button)) {
            SendMessageA(button, WM_LBUTTONDOWN, wParam, lParam);
            if (!IsWindow(button))
                return 0;
        }
        break;
    case WM_DESTROY:
    case WM_CLOSE:
        DropHover(button, TME_CANCEL);
        FreeRecord(button);
        break;
    case WM_NCDESTROY:
        return PassOnLastMessage(ButtonProc, button, message, wParam, lParam);
    default:
        break;
    }
    return CallPrevious(previous, button, message, wParam, lParam);
}

} // namespace varnelle
