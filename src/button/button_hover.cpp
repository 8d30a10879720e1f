// Hover state of skinned buttons: the button of each GUI thread under the mouse, its class
// cursor, its sound and the repaints of its hover look.
#include "button_internal.h"

#include "../core/module_state.h"
#include "../core/thread_state.h"

#include <mmsystem.h>

namespace varnelle {
namespace {

// Played from memory and synchronously; skipped at once while another sound plays or
// the device is busy.
constexpr DWORD kHoverSoundFlags = SND_MEMORY | SND_NOSTOP | SND_NOWAIT;
static_assert(kHoverSoundFlags == 0x2014);

// Without any of these the face looks the same hovered or not, so no repaint is needed.
bool HasHoverLook(const CTRL_STRUCT& record)
{
    return record.hIconHover || record.dwFlat || record.crTextHover || record.hFontHover || record.hBmpHover;
}

void TrackLeave(HWND button, DWORD flags)
{
    TRACKMOUSEEVENT tracking = {};
    tracking.cbSize = sizeof(tracking);
    tracking.dwFlags = flags;
    tracking.hwndTrack = button;
    tracking.dwHoverTime = HOVER_DEFAULT;
    TrackMouseEvent(&tracking);
}

// Buttons of several threads may share a class, and with it its cursor: the one hover
// cursor on show (ModuleState.CursorButton's) and the class cursor it replaced are
// process-wide and change under this lock.
constinit volatile LONG cursorLock = 0;

class [[nodiscard]] scoped_cursor_lock {
public:
    scoped_cursor_lock()
    {
        while (InterlockedExchange(&cursorLock, 1))
            Sleep(0);
    }
    ~scoped_cursor_lock() { InterlockedExchange(&cursorLock, 0); }
    scoped_cursor_lock(const scoped_cursor_lock&) = delete;
    scoped_cursor_lock& operator=(const scoped_cursor_lock&) = delete;
};

bool SameClass(HWND first, HWND second)
{
    return GetClassLongPtrA(first, GCW_ATOM) == GetClassLongPtrA(second, GCW_ATOM) &&
           GetClassLongPtrA(first, GCLP_HMODULE) == GetClassLongPtrA(second, GCLP_HMODULE);
}

// The saved cursor is cleared once put back, so a later button without a hover cursor
// (perhaps of another class, or after the application changed the cursor) never gets it.
void PutBackClassCursorLocked()
{
    if (ModuleState.CursorButton)
        SetClassLongPtrA(ModuleState.CursorButton, GCLP_HCURSOR, static_cast<LONG_PTR>(ModuleState.SavedClassCursor));
    ModuleState.SavedClassCursor = 0;
    ModuleState.CursorButton = nullptr;
}

// The latest hover shows its cursor. Over a button of the same class the class cursor
// saved first stays the one to put back; another class first gets its own cursor back.
void InstallHoverCursor(HWND button, HCURSOR cursor)
{
    scoped_cursor_lock lock;
    if (ModuleState.CursorButton && !SameClass(ModuleState.CursorButton, button))
        PutBackClassCursorLocked();
    const ULONG_PTR previous = SetClassLongPtrA(button, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(cursor));
    if (!ModuleState.CursorButton)
        ModuleState.SavedClassCursor = previous;
    ModuleState.CursorButton = button;
}

// Puts back the class cursor if this button's hover installed the one on show, and
// forgets the thread's hovered button.
void EndHover(HWND button)
{
    {
        scoped_cursor_lock lock;
        if (ModuleState.CursorButton == button)
            PutBackClassCursorLocked();
    }
    ThreadState().HoverButton = nullptr;
}

} // namespace

void EnterHover(HWND button)
{
    // One hovered button per thread: the next one waits until the first has been left.
    CTRL_STRUCT record;
    if (ReadThreadState().HoverButton || !ReadRecord(button, &record))
        return;
    if (record.hCursorHover)
        InstallHoverCursor(button, record.hCursorHover);
    ThreadState().HoverButton = button;
    if (HasHoverLook(record))
        InvalidateRect(button, nullptr, FALSE);
    // The repaint waits for the message loop, so the hover face shows after the sound.
    if (record.pSoundHover)
        PlaySoundA(static_cast<LPCSTR>(record.pSoundHover), nullptr, kHoverSoundFlags);
    TrackLeave(button, TME_LEAVE);
}

void LeaveHover(HWND button)
{
    // A leave notification the application asked for on another button must not end this
    // hover: the hovered button would be entered again and its hover cursor saved as the
    // cursor to put back.
    if (ReadThreadState().HoverButton != button)
        return;
    EndHover(button);
    CTRL_STRUCT record;
    if (ReadRecord(button, &record) && HasHoverLook(record))
        InvalidateRect(button, nullptr, FALSE);
    TrackLeave(button, TME_CANCEL);
}

void DropHover(HWND button, DWORD cancelFlags)
{
    TrackLeave(button, cancelFlags);
    if (ReadThreadState().HoverButton == button)
        EndHover(button);
}

} // namespace varnelle
