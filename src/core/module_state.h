// The library's one block of process-wide state. It is constant-initialised, so loading
// the module runs no code; it is used from the one GUI thread that owns the hooked windows.
#pragma once
#include <windows.h>
#include <cstdint>

namespace varnelle {

struct ModuleStateFields {
    uint32_t RandomSeed;
    uint8_t DisableSelect;
    uint8_t MenuLoopIdle;
    int32_t DefaultCallbackWidth;
    HMENU CurrentMenu;
    int32_t IconCellWidth;
    int32_t IconCellHeight;
    uint8_t CurrentMenuIsPopup;
    HWND HoverButton;
    ULONG_PTR SavedClassCursor;
};

extern constinit ModuleStateFields ModuleState;

inline constexpr ModuleStateFields kInitialModuleState = {
    12345678u, // RandomSeed
    1,         // DisableSelect
    1,         // MenuLoopIdle
    8,         // DefaultCallbackWidth
    nullptr,   // CurrentMenu
    0,         // IconCellWidth
    0,         // IconCellHeight
    0,         // CurrentMenuIsPopup
    nullptr,   // HoverButton
    0,         // SavedClassCursor
};

inline constexpr char kMarlettFace[] = "Marlett";
inline constexpr char kOldWndProcProperty[] = "OLD_WND_PROC";
inline constexpr char kCtrlStructProperty[] = "CTRL_STRUCT";

} // namespace varnelle
