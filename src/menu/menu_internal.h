// Routines shared inside the menu subsystem.
#pragma once
#include <windows.h>

#include <cstddef>

namespace varnelle {

// Menu items are read and written with the MENUITEMINFOA layout that ends with cch
// (44 bytes in the 32-bit build); only readers that need hbmpItem use the full record.
inline constexpr UINT kMenuItemInfoSize = static_cast<UINT>(offsetof(MENUITEMINFOA, hbmpItem));
inline constexpr UINT kMenuInfoSize = static_cast<UINT>(sizeof(MENUINFO));
#if !defined(_WIN64)
static_assert(kMenuItemInfoSize == 44, "MENUITEMINFOA up to cch is 44 bytes on 32-bit Windows");
static_assert(kMenuInfoSize == 28, "MENUINFO is 28 bytes on 32-bit Windows");
#endif

// Hook and routing.
LRESULT CALLBACK MenuHostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Paints one owner-drawn menu item with the painter of CurrentMenu's style; always 1.
// `windowRightToLeft`: the hooked window is laid out right to left (WS_EX_LAYOUTRTL).
int DrawMenuItem(const DRAWITEMSTRUCT* item, bool windowRightToLeft = false);
void StampMenuStyle(HMENU menu, int style);
int GetOsKind();
void ShiftSysMenuIds(HWND window, HMENU menu);
void RestoreSysMenuIds(HWND window, HMENU menu);

// Conversion to owner-draw and back.
void ConvertToOwnerDraw(HMENU menu);
void ConvertSubmenus(HMENU menu);
void RevertToSystemDraw(HMENU menu);
void ClearBarOwnerDraw(HMENU menu);

// Measurement.
void MeasureMenuItem(MEASUREITEMSTRUCT* item);

} // namespace varnelle
