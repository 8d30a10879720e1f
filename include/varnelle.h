/*
 * Varnelle.dll: owner-drawn menus and push buttons, colour arithmetic, gradients,
 * icon drawing and textured fill bitmaps for Win32 applications.
 *
 * Every export uses the standard Win32 calling convention (WINAPI) and is exported by
 * its undecorated name. Byte-sized flags are passed as int; only the low byte is read.
 * The 32-bit DLL is the reference ABI; the 64-bit DLL exports the same names with
 * pointer-sized handles (see CTRL_STRUCT and CreateFillBmp below).
 */
#ifndef VARNELLE_H
#define VARNELLE_H

#include <windows.h>
#include <commctrl.h>

#ifdef __cplusplus
extern "C" {
#endif

#ifndef VARNELLE_API
#define VARNELLE_API __declspec(dllimport)
#endif

/* The exports never throw. */
#if defined(__cplusplus)
#define VARNELLE_NOTHROW noexcept
#else
#define VARNELLE_NOTHROW
#endif

/* Styles of RedrawMenu: 0 leaves the items to the system (callback separators stay
   owner-drawn), 1 to 3 are the library's looks. */
#define VARNELLE_MENU_SYSTEM 0
#define VARNELLE_MENU_STYLE1 1
#define VARNELLE_MENU_STYLE2 2
#define VARNELLE_MENU_STYLE3 3

/* Draw modes of DrawIcn (0 also draws normally). */
#define VARNELLE_DRAW_GRAYED 1
#define VARNELLE_DRAW_SELECTED 2
#define VARNELLE_DRAW_NORMAL 3

/* CTRL_STRUCT.dwIconAlign: where the icon goes when the button also has text. */
#define VARNELLE_ICON_LEFT 0x100
#define VARNELLE_ICON_RIGHT 0x200
#define VARNELLE_ICON_TOP 0x400

/* Called to measure (dc and rect null: return the width in pixels, 0 or less for the
   default 8; the height is 5) and to paint a callback separator or a left border band (rect
   as wide as the item and as tall as the DC's clip box). */
typedef int (WINAPI *SeparatorCallback)(HMENU menu, HDC dc, RECT *rect);

/* One element of the array SetMenuIcon reads: 8 bytes in both widths. */
typedef struct MenuIconEntry {
    UINT commandId;
    int imageIndex;
} MenuIconEntry;

/*
 * Button configuration record. A zero field is "not set" (so black cannot be chosen as
 * a text colour). In the 32-bit DLL it is exactly 60 bytes, fifteen 32-bit words; in the
 * 64-bit DLL the same fields in the same order, handles and the sound pointer 8 bytes
 * wide: hIcon 0, hIconHover 8, dwFlat 16, dwIconAlign 20, dwEdge 24, crTextHover 28,
 * crTextPressed 32, crText 36, hFont 40, hFontHover 48, hCursorHover 56, pSoundHover 64,
 * hBmp 72, hBmpHover 80, hBmpPressed 88; 96 bytes, no padding.
 * The icons, fonts, cursor and bitmaps stay the caller's. For its paints a skinned button
 * keeps copies of its face bitmaps of 24 and 32 bits and of its icons' bitmaps; they are
 * made again after RedrawButton sets a record, after SetColorMode, and after the button's
 * parent handled WM_SYSCOLORCHANGE, WM_SETTINGCHANGE, WM_THEMECHANGED or a DPI change. An
 * application that draws into a face bitmap at another time calls RedrawButton again.
 */
typedef struct CTRL_STRUCT {
    HICON hIcon;
    HICON hIconHover;
    DWORD dwFlat;
    DWORD dwIconAlign; /* VARNELLE_ICON_LEFT, _RIGHT or _TOP */
    DWORD dwEdge;
    COLORREF crTextHover;
    COLORREF crTextPressed;
    COLORREF crText;
    HFONT hFont;
    HFONT hFontHover;
    HCURSOR hCursorHover;
    const void *pSoundHover; /* a whole WAVE file image in the caller's memory */
    HBITMAP hBmp;
    HBITMAP hBmpHover;
    HBITMAP hBmpPressed;
} CTRL_STRUCT;

/* Colour arithmetic. Amounts run 0..255; colours are 0x00BBGGRR. */
VARNELLE_API COLORREF WINAPI LightenColor(int amount, COLORREF colour) VARNELLE_NOTHROW;
VARNELLE_API COLORREF WINAPI DarkenColor(int amount, COLORREF colour) VARNELLE_NOTHROW;
VARNELLE_API COLORREF WINAPI MixedColor(COLORREF first, COLORREF second) VARNELLE_NOTHROW; /* 86 % / 14 % */
VARNELLE_API COLORREF WINAPI MidColor(COLORREF first, COLORREF second) VARNELLE_NOTHROW; /* 70 % / 30 % */
VARNELLE_API COLORREF WINAPI GetXpHighlightColor(void) VARNELLE_NOTHROW;
VARNELLE_API int WINAPI GrayColor(COLORREF colour) VARNELLE_NOTHROW;
VARNELLE_API int WINAPI NumColorBits(void) VARNELLE_NOTHROW;

/* Gradients. vertical nonzero: start at the top edge, end at the bottom edge. */
VARNELLE_API int WINAPI Gradient_Fill(HDC dc, const RECT *rect, COLORREF start, COLORREF end, int vertical) VARNELLE_NOTHROW;
VARNELLE_API BOOL WINAPI DrawGradient(HDC dc, const RECT *rect, COLORREF start, COLORREF end, int vertical) VARNELLE_NOTHROW;

/* Icons and bitmaps. */
VARNELLE_API BOOL WINAPI DrawIcn(HDC dc, const RECT *cell, HICON icon, int mode, int embossed) VARNELLE_NOTHROW;
VARNELLE_API BOOL WINAPI DrawIcnRect(HDC dc, const RECT *rect, HICON icon, int mode, int embossed) VARNELLE_NOTHROW;
VARNELLE_API BOOL WINAPI DrawDDB(HDC dc, const RECT *rect, HBITMAP bitmap) VARNELLE_NOTHROW;

/*
 * Textured fill bitmaps. The result holds two bitmap handles: the plain bitmap in the low
 * 32 bits and the highlighted one (or 0) in the high 32 bits. In the 32-bit DLL this is a
 * 64-bit value returned in EDX:EAX. In the 64-bit DLL each half holds the low 32 bits of a
 * GDI handle, which is all a GDI handle uses on 64-bit Windows; unpack the halves with
 * VarnelleFillBmpPlain and VarnelleFillBmpHighlighted, which sign-extend them back.
 * kind 1..9 picks the pattern (any other kind gives bitmaps of palette entry 0 only);
 * noise is the grain amplitude; highlight and tint are percentages in the low byte, above
 * 100 counting as 100, highlight 0 meaning no second bitmap. Only rect's size is used.
 * Both halves are 0, and nothing is made, when rect is null, a side is below 1 or above
 * 32767, kind 8 is one line high, or memory or a bitmap cannot be had. The caller deletes
 * both bitmaps with DeleteObject.
 */
VARNELLE_API unsigned __int64 WINAPI CreateFillBmp(int kind, const RECT *rect, int noise,
                                                   int highlight, int tint, COLORREF tintColor) VARNELLE_NOTHROW;

static __inline HBITMAP VarnelleFillBmpPlain(unsigned __int64 pair)
{
    return (HBITMAP)(LONG_PTR)(LONG)(DWORD)(pair & 0xFFFFFFFFu);
}

static __inline HBITMAP VarnelleFillBmpHighlighted(unsigned __int64 pair)
{
    return (HBITMAP)(LONG_PTR)(LONG)(DWORD)(pair >> 32);
}

/* Menus. */
VARNELLE_API int WINAPI RedrawMenu(HWND window, HMENU menu, int type) VARNELLE_NOTHROW;
VARNELLE_API int WINAPI GetStyleMenu(HMENU menu) VARNELLE_NOTHROW;
VARNELLE_API int WINAPI SetDisableSelect(int flag) VARNELLE_NOTHROW;
/* Stores an icon (0: none) in the item with that command identifier, in the menu or any
   submenu; the item shows it the next time the menu opens. The icon stays the caller's.
   Returns 0 when the menu is not a menu, the identifier is not found, or the item is a
   separator and the icon is not 0 (a separator's data word is its SeparatorCallback). */
VARNELLE_API int WINAPI SetMenuItemIcon(HMENU menu, UINT commandId, HICON icon) VARNELLE_NOTHROW;
/* For each of `count` entries, a new icon from the image list (ILD_NORMAL) stored with
   SetMenuItemIcon; a stored icon belongs to the application, one that no item took is
   destroyed again. A failing image index stores a null icon. Returns the result for the
   last entry, and 0 without storing anything when count is 0 or less, entries is null or
   the menu is not a menu. */
VARNELLE_API int WINAPI SetMenuIcon(HMENU menu, HIMAGELIST images, int count, const MenuIconEntry *entries) VARNELLE_NOTHROW;
/* Puts a band painted by the callback in front of the popup's items, in a column of its
   own: divider nonzero separates the next column with a vertical line. Returns 0 when the
   menu is not a menu or the callback is null (nothing inserted), and on an empty menu
   (the band is inserted, but there is no item to start the next column); otherwise the
   result of writing the column break. */
VARNELLE_API int WINAPI AddLeftBorder(HMENU menu, SeparatorCallback callback, int divider) VARNELLE_NOTHROW;
/* Removes a band (any separator with a callback) from the top of the menu and the column
   break after it. Returns 0 when the menu is not a menu or does not start with one;
   otherwise the result of writing the next item's type back (1 when the band was the
   menu's only item). */
VARNELLE_API int WINAPI RemoveLeftBorder(HMENU menu) VARNELLE_NOTHROW;

/* Buttons. A null record takes the skin off again. Push buttons of the system's button
   class, or of a class built on it, are skinned; any other window returns 0 unchanged. */
VARNELLE_API BOOL WINAPI RedrawButton(HWND button, const CTRL_STRUCT *record) VARNELLE_NOTHROW;

/* Colour modes of SetColorMode. */
#define VARNELLE_COLORS_SYSTEM 0      /* the system colours, as the looks always were (the default) */
#define VARNELLE_COLORS_DARK 1        /* the library's dark palette */
#define VARNELLE_COLORS_FOLLOW_APPS 2 /* dark while the user has chosen dark applications */

/* The colours the menu looks (styles 1 to 3, with the menu bar) and skinned buttons paint
   with, for the whole process. In dark mode the menu bar and the popups' margins are dark
   too (the library sets their MIM_BACKGROUND with brushes of its own). Mode 2 reads
   AppsUseLightTheme under HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize
   (absent: light) and again when a hooked window gets WM_SETTINGCHANGE "ImmersiveColorSet".
   High contrast, when on, always paints with the system colours. Hooked windows are
   repainted. Returns the previous mode; any other value changes nothing and returns the
   current mode. */
VARNELLE_API DWORD WINAPI SetColorMode(DWORD mode) VARNELLE_NOTHROW;

#ifdef __cplusplus
}
#endif

#endif /* VARNELLE_H */
