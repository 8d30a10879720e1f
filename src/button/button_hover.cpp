// Hover state of skinned buttons: the one button under the mouse, its class cursor,
// its sound and the repaints of its hover look.
#include "button_internal.h"

#include "../core/module_state.h"

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

// Puts back the class cursor a hover installed and forgets the hovered button. The saved
// cursor is cleared once put back, so a later button without a hover cursor (perhaps of
// another class, or after the application changed the cursor) never gets it again.
void EndHover(HWND button)
{
    if (ModuleState.SavedClassCursor) {
        SetClassLongPtrA(button, GCLP_HCURSOR, static_cast<LONG_PTR>(ModuleState.SavedClassCursor));
        ModuleState.SavedClassCursor = 0;
    }
    ModuleState.HoverButton = nullptr;
}

} // namespace

void EnterHover(HWND button)
{
    // One hovered button at a time: the next one waits until the first has been left.
    CTRL_STRUCT record;
    if (ModuleState.HoverButton || !ReadRecord(button, &record))
        return;
    if (record.hCursorHover) {
        ModuleState.SavedClassCursor = static_cast<ULONG_PTR>(
            SetClassLongPtrA(button, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(record.hCursorHover)));
    }
    ModuleState.HoverButton = button;
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
    if (ModuleState.HoverButton != button)
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
    if (ModuleState.HoverButton == button)
        EndHover(button);
}

} // namespace varnelle
