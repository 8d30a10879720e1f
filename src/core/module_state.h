// The library's block of process-wide state. It is constant-initialised, so loading the
// module runs no code. What describes one menu loop or one hovered button is kept per GUI
// thread (thread_state.h).
#pragma once
#include <windows.h>
#include <cstdint>

namespace varnelle {

struct ModuleStateFields {
    uint32_t RandomSeed;
    uint8_t DisableSelect;
    int32_t DefaultCallbackWidth;
    // The class cursor a hover cursor replaced, and the button whose class wears the hover
    // cursor: a class is shared by the buttons of every thread.
    ULONG_PTR SavedClassCursor;
    HWND CursorButton;
    // Counts the changes of the look (colours, metrics, theme, DPI, colour mode): a menu
    // loop's cache or a button's paint cache made in an earlier generation is emptied at
    // its next use.
    LONG LookGeneration;
    // Counts the changes of the library's window properties (property_cache.h).
    LONG PropertyGeneration;
};

extern constinit ModuleStateFields ModuleState;

inline constexpr ModuleStateFields kInitialModuleState = {
    12345678u, // RandomSeed
    1,         // DisableSelect
    8,         // DefaultCallbackWidth
    0,         // SavedClassCursor
    nullptr,   // CursorButton
    1,         // LookGeneration
    1,         // PropertyGeneration
};

// The look may have changed: what was made for an earlier generation (a menu loop's fonts,
// a button's kept bitmaps) is dropped at its next use.
void CountLookChange();
[[nodiscard]] LONG CurrentLookGeneration();

inline constexpr char kMarlettFace[] = "Marlett";
inline constexpr char kOldWndProcProperty[] = "OLD_WND_PROC";
inline constexpr char kCtrlStructProperty[] = "CTRL_STRUCT";

} // namespace varnelle
