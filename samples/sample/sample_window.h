// The sample application's main window: a menu bar skinned by Varnelle in the style chosen
// under View, a row of skinned push buttons and a background tiled from a fill bitmap.
#pragma once
#include <windows.h>

namespace sample {

enum Command : UINT {
    kFileNew = 100, kFileOpen, kFileSave, kFileSaveAs, kFileRecent1, kFileRecent2, kFileExit,
    kEditCut = 200, kEditCopy, kEditPaste, kEditSelectAll,
    kViewStyle0 = 300, kViewStyle1, kViewStyle2, kViewStyle3, // in order: kViewStyle0 + style
    kViewSelectGrayed = 310, kViewToolbar, kViewStatusBar,
    kBackgroundKind1 = 400,                                   // to kBackgroundKind1 + 8
    kBackgroundTintNone = 420, kBackgroundTintBlue, kBackgroundTintGreen,
    kBackgroundGrainFine = 430, kBackgroundGrainCoarse,
    kHelpAbout = 500,
    kDottedSeparator = 900,
    kFirstButton = 1000,
};

// Registers the window class; false when it cannot.
bool RegisterSampleClass(HINSTANCE instance);

// Creates the main window (menus, buttons and background included) and shows it.
HWND CreateSampleWindow(HINSTANCE instance, int show);

// The keyboard shortcuts written beside the menu items.
HACCEL CreateSampleAccelerators();

// The menu style the window shows now (0 to 3).
int SampleMenuStyle(HWND window);

} // namespace sample
