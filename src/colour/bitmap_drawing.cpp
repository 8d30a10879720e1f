// DrawDDB: a bitmap copied unscaled from its top-left corner into a rectangle inset by 2;
// and the same from a copy a painter keeps (KeptBitmap).
#include "../core/exports.h"
#include "../core/gdi_handles.h"
#include "drawing.h"
#include "drawing_geometry.h"

using namespace varnelle;

namespace {

// The rectangle inset by 2 that DrawDDB fills; false when there is none to fill.
bool DdbTarget(const RECT& rect, RECT& inset)
{
    if (!WithinGdiRange(rect.left, rect.top, rect.right, rect.bottom))
        return false;
    inset = rect;
    InflateRect(&inset, -2, -2);
    return inset.right > inset.left && inset.bottom > inset.top;
}

int32_t Smaller(int32_t a, int32_t b)
{
    return a < b ? a : b;
}

} // namespace

namespace varnelle {

bool HoldsBitmapFor(const KeptBitmap& kept, const RECT& rect, HBITMAP bitmap)
{
    RECT inset;
    if (!kept.dc || kept.source != bitmap || !DdbTarget(rect, inset))
        return false;
    // A bitmap the application deleted draws nothing, as DrawDDB draws it.
    return kept.width >= Smaller(kept.sourceWidth, inset.right - inset.left) &&
           kept.height >= Smaller(kept.sourceHeight, inset.bottom - inset.top) && GetObjectType(bitmap) == OBJ_BITMAP;
}

bool KeepBitmap(HDC dc, const RECT& rect, HBITMAP bitmap, KeptBitmap& kept)
{
    ReleaseKeptBitmap(kept);
    RECT inset;
    DIBSECTION format = {};
    if (!dc || GetObjectType(bitmap) != OBJ_BITMAP || !DdbTarget(rect, inset))
        return false;
    // Only 24 and 32 bits of plain RGB: a copy of those is the same pixels whatever the
    // target's format, and the blit from it converts them as the blit from the original
    // would. Palettes, colour masks and monochrome bitmaps are drawn by DrawDDB.
    const int described = GetObjectA(bitmap, sizeof format, &format);
    const int bits = format.dsBm.bmBitsPixel;
    if (described < static_cast<int>(sizeof(BITMAP)) || (bits != 24 && bits != 32) ||
        (described == static_cast<int>(sizeof(DIBSECTION)) && format.dsBmih.biCompression != BI_RGB))
        return false;
    const int32_t width = Smaller(format.dsBm.bmWidth, inset.right - inset.left);
    const int32_t height = Smaller(format.dsBm.bmHeight, inset.bottom - inset.top);
    if (width <= 0 || height <= 0)
        return false;
    unique_hdc from(CreateCompatibleDC(dc));
    scoped_select selectSource(from.get(), bitmap);
    if (!selectSource.selected())
        return false; // selected in another DC: DrawDDB draws nothing either
    // Compatible with the DC that holds the bitmap: the copy has the bitmap's format.
    unique_hbitmap copy(CreateCompatibleBitmap(from.get(), width, height));
    BITMAP copyFormat = {};
    if (!copy || !GetObjectA(copy.get(), sizeof copyFormat, &copyFormat) || copyFormat.bmBitsPixel != bits)
        return false;
    unique_hdc to(CreateCompatibleDC(dc));
    if (!to || !SelectObject(to.get(), copy.get()) ||
        !BitBlt(to.get(), 0, 0, width, height, from.get(), 0, 0, SRCCOPY))
        return false;
    kept = {bitmap, to.release(), copy.release(), width, height, format.dsBm.bmWidth, format.dsBm.bmHeight};
    return true;
}

void DrawKeptBitmap(HDC dc, const RECT& rect, const KeptBitmap& kept)
{
    RECT inset;
    if (dc && kept.dc && DdbTarget(rect, inset))
        BitBlt(dc, inset.left, inset.top, inset.right - inset.left, inset.bottom - inset.top, kept.dc, 0, 0, SRCCOPY);
}

void ReleaseKeptBitmap(KeptBitmap& kept)
{
    // The DC goes first, and with it the copy's selection.
    if (kept.dc)
        DeleteDC(kept.dc);
    if (kept.copy)
        DeleteObject(kept.copy);
    kept = KeptBitmap{};
}

} // namespace varnelle

// Bad input (no DC, rectangle or bitmap, a bitmap that cannot be selected because it is
// not a bitmap or is selected elsewhere, an inset with no area) draws nothing; the result
// is nonzero in every case, as callers expect. The rectangle and the bitmap stay the caller's.
extern "C" BOOL WINAPI DrawDDB(HDC dc, const RECT* rect, HBITMAP bitmap) noexcept
{
    // SelectObject would take another kind of object too, and the copy would come from
    // the memory DC's stock bitmap.
    RECT inset;
    if (!dc || !rect || GetObjectType(bitmap) != OBJ_BITMAP || !DdbTarget(*rect, inset))
        return TRUE;
    unique_hdc memory(CreateCompatibleDC(dc));
    scoped_select selectBitmap(memory.get(), bitmap);
    if (!selectBitmap.selected())
        return TRUE;
    BitBlt(dc, inset.left, inset.top, inset.right - inset.left, inset.bottom - inset.top, memory.get(), 0, 0,
           SRCCOPY);
    return TRUE;
}
