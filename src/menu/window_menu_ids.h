// The three window-menu commands that are shifted by one while the window menu is open on
// Windows XP. The system ignores the low four bits of SC_ commands, so a shifted command
// still does what it did. Platform-free: no windows.h.
#pragma once
#include <cstdint>

namespace varnelle {

inline constexpr uint32_t kScMinimize = 0xF020; // SC_MINIMIZE
inline constexpr uint32_t kScClose = 0xF060;    // SC_CLOSE
inline constexpr uint32_t kScRestore = 0xF120;  // SC_RESTORE

// SC_MAXIMIZE and every other identifier stay as they are.
inline uint32_t ShiftedWindowMenuId(uint32_t id)
{
    return (id == kScRestore || id == kScClose || id == kScMinimize) ? id + 1 : id;
}

inline uint32_t RestoredWindowMenuId(uint32_t id)
{
    return (id == kScRestore + 1 || id == kScClose + 1 || id == kScMinimize + 1) ? id - 1 : id;
}

} // namespace varnelle
