// What varnelle-preview.exe writes into the previewed program for its helper DLL, and what
// the helper writes back. Both are built from the same sources in the same width, so the
// block is a plain record; `size` still refuses a helper of another build.
#pragma once
#include <windows.h>

namespace preview {

constexpr wchar_t kHelperFileName[] = L"varnelle-preview-helper.dll";
constexpr wchar_t kLibraryFileName[] = L"Varnelle.dll";
// The helper's thread entry, started in the program by CreateRemoteThread.
constexpr char kStartExport[] = "PreviewStart";
// Sent to the program's main window: the helper's hook skins on the GUI thread when it
// passes by.
constexpr wchar_t kWakeMessageName[] = L"VarnellePreviewSkin";
constexpr DWORD kAnswerTimeoutMs = 10000;

// Why a preview did not happen, as the helper's thread exit code.
enum class Outcome : DWORD {
    Skinned = 0,
    BadRequest,    // the block is not one this helper understands
    AlreadyPreviewed, // an earlier preview of this process holds the helper
    NotItsWindow,  // the window is gone or belongs to another process
    NoLibrary,     // Varnelle.dll could not be loaded or lacks its exports
    NoHook,        // SetWindowsHookEx refused
    NoAnswer,      // the GUI thread did not take the wake-up message in time
};

struct Request {
    DWORD size;
    // In: what to do.
    int style;           // RedrawMenu's style, 0 to 3
    BOOL buttons;        // also RedrawButton on the window's push buttons
    HWND window;         // the program's main window
    wchar_t library[MAX_PATH];  // full path of Varnelle.dll
    wchar_t report[MAX_PATH];   // file for the menu report, or empty
    // Out: what was done.
    BOOL hadMenu;        // the window had a menu bar
    int menuResult;      // RedrawMenu's result
    int barItems;        // items on the menu bar
    int buttonsSkinned;  // push buttons RedrawButton took
    int buttonsRefused;  // push buttons RedrawButton refused
};

} // namespace preview
