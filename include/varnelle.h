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

/* Called to measure (dc and rect null: return the width in pixels, 0 for the default 8)
   and to paint a callback separator or a left border band. */
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
 */
typedef struct CTRL_STRUCT {
    HICON hIcon;
    HICON hIconHover;
    DWORD dwFlat;
    DWORD dwIconAlign; /* 0x100 left, 0x200 right, 0x400 top */
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
VARNELLE_API int WINAPI SetMenuItemIcon(HMENU menu, UINT commandId, HICON icon) VARNELLE_NOTHROW;
VARNELLE_API int WINAPI SetMenuIcon(HMENU menu, HIMAGELIST images, int count, const MenuIconEntry *entries) VARNELLE_NOTHROW;
VARNELLE_API int WINAPI AddLeftBorder(HMENU menu, SeparatorCallback callback, int divider) VARNELLE_NOTHROW;
VARNELLE_API int WINAPI RemoveLeftBorder(HMENU menu) VARNELLE_NOTHROW;

/* Buttons. A null record takes the skin off again. */
VARNELLE_API BOOL WINAPI RedrawButton(HWND button, const CTRL_STRUCT *record) VARNELLE_NOTHROW;

#ifdef __cplusplus
}
#endif

#endif /* VARNELLE_H */
