// DrawDDB: a bitmap copied unscaled from its top-left corner into a rectangle inset by 2.
#include "../core/exports.h"
#include "../core/gdi_handles.h"
#include "drawing_geometry.h"

using namespace varnelle;

// Bad input (no DC, rectangle or bitmap, a bitmap that cannot be selected because it is
// not a bitmap or is selected elsewhere, an inset with no area) draws nothing; the result
// is nonzero in every case, as callers expect. The rectangle and the bitmap stay the caller's.
extern "C" BOOL WINAPI DrawDDB(HDC dc, const RECT* rect, HBITMAP bitmap) noexcept
{
    // SelectObject would take another kind of object too, and the copy would come from
    // the memory DC's stock bitmap.
    if (!dc || !rect || GetObjectType(bitmap) != OBJ_BITMAP ||
        !WithinGdiRange(rect->left, rect->top, rect->right, rect->bottom))
        return TRUE;
    RECT inset = *rect;
    InflateRect(&inset, -2, -2);
    if (inset.right <= inset.left || inset.bottom <= inset.top)
        return TRUE;
    unique_hdc memory(CreateCompatibleDC(dc));
    scoped_select selectBitmap(memory.get(), bitmap);
    if (!selectBitmap.selected())
        return TRUE;
    BitBlt(dc, inset.left, inset.top, inset.right - inset.left, inset.bottom - inset.top, memory.get(), 0, 0,
           SRCCOPY);
    return TRUE;
}
