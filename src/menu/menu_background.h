// Dark menus where the system paints: the background of the menu bar and of the popups
// (MIM_BACKGROUND, with brushes the library owns) and the menu bar's items owner-drawn,
// while the dark palette is painted.
#pragma once
#include <windows.h>

namespace varnelle {

// The hooked window's menu bar and its submenus follow the colour mode: dark, they get the
// library's backgrounds and the bar's items are owner-drawn; otherwise the library's
// backgrounds are taken off again and the bar is drawn as its style draws it.
void ApplyColourModeTo(HWND window);
// A popup about to open takes the dark background, or loses one the library gave it.
void PreparePopupBackground(HMENU popup);
// The window is unhooked: its menus lose the library's backgrounds; the brushes go with
// the last window that used them.
void ForgetMenuBackground(HWND window);
// Every hooked window of the process follows the colour mode, and is repainted.
void ApplyColourModeToHookedWindows();
// After the system painted the window's frame: the part of a dark menu bar that holds no
// item, and the line under it, in the bar's dark background. Systems that fill the bar
// with the menu colour whatever its MIM_BACKGROUND (Wine) leave them light otherwise.
void PaintDarkMenuBarRest(HWND window);
// While the dark palette is painted, the menu-bar items of styles 1 and 3 are painted
// like those of style 2.
[[nodiscard]] bool PaintsDarkMenuBar();

} // namespace varnelle
