// Icons drawn normally, in a disabled look (a flat or embossed silhouette) or raised over
// a gray shadow; centred in the menu icon cell (DrawIcn) or in a rectangle (DrawIcnRect).
#include "../core/exports.h"
#include "../core/gdi_handles.h"
#include "../core/thread_state.h"
#include "drawing.h"
#include "drawing_geometry.h"

#include <cstdint>

using namespace varnelle;

namespace {

// PSDPxax: ((destination ^ pattern) & source) ^ pattern. With a monochrome source seen
// through black text and a white background, the brush lands where the source bit is 0
// and the destination stays where it is 1.
constexpr DWORD kSilhouetteRop = 0x00B8074A;

void DrawNormal(HDC dc, POINT at, HICON icon, const IconImage& image)
{
    DrawIconEx(dc, at.x, at.y, icon, image.width, image.height, 0, nullptr, DI_NORMAL);
}

// A 32-bit colour bitmap with any alpha is drawn blended by DrawIconEx; any other icon is
// its mask ANDed in and its colour XORed over it.
bool HasAlpha(HDC dc, const IconImage& image)
{
    BITMAP format = {};
    if (!image.colour || !GetObjectA(image.colour.get(), sizeof format, &format) || format.bmBitsPixel != 32)
        return false;
    const SIZE_T bytes = static_cast<SIZE_T>(image.width) * static_cast<SIZE_T>(image.height) * 4;
    unique_global pixels(GlobalAlloc(GMEM_FIXED, bytes));
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), image.width, -image.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    // Unreadable pixels count as alpha: DrawIconEx then draws the icon, as before.
    if (!pixels || GetDIBits(dc, image.colour.get(), 0, static_cast<UINT>(image.height), pixels.get(), &info,
                             DIB_RGB_COLORS) != image.height)
        return true;
    const auto* pixel = static_cast<const uint32_t*>(static_cast<void*>(pixels.get()));
    for (SIZE_T i = 0; i < bytes / 4; ++i) {
        if (pixel[i] >> 24)
            return true;
    }
    return false;
}

// Blits the monochrome silhouette with the brush selected for the blit.
void BlitSilhouette(HDC dc, POINT at, HBRUSH brush, HDC silhouette, const IconImage& image)
{
    scoped_select selectBrush(dc, brush);
    if (selectBrush.selected())
        BitBlt(dc, at.x, at.y, image.width, image.height, silhouette, 0, 0, kSilhouetteRop);
}

// The same in an ink colour: the system's brush of the colour index, or a brush of the
// painter's colour (the system's standing in when GDI cannot make one).
void BlitSilhouette(HDC dc, POINT at, const IconInk& ink, int systemIndex, COLORREF colour, HDC silhouette,
                    const IconImage& image)
{
    if (ink.system) {
        BlitSilhouette(dc, at, SystemBrush(systemIndex), silhouette, image);
        return;
    }
    const solid_brush brush(colour, systemIndex);
    BlitSilhouette(dc, at, brush.get(), silhouette, image);
}

// The disabled look: the icon rendered into a monochrome bitmap (the white background
// shows through its transparent area), then painted as a flat COLOR_GRAYTEXT silhouette,
// or embossed: a highlight copy with a shadow copy one pixel up and left over it. In the
// system's colours their own brushes need no object of the library's.
void DrawDisabled(HDC dc, POINT at, HICON icon, const IconImage& image, bool embossed, const IconInk& ink)
{
    unique_hdc memory(CreateCompatibleDC(dc));
    if (!memory)
        return;
    unique_hbitmap silhouette(CreateCompatibleBitmap(memory.get(), image.width, image.height));
    scoped_select selectSilhouette(memory.get(), silhouette.get());
    if (!selectSilhouette.selected())
        return;
    PatBlt(memory.get(), 0, 0, image.width, image.height, WHITENESS);
    DrawIconEx(memory.get(), 0, 0, icon, image.width, image.height, 0, nullptr, DI_NORMAL);

    scoped_text_color black(dc, RGB(0, 0, 0));
    scoped_bk_color white(dc, RGB(0xFF, 0xFF, 0xFF));
    if (embossed) {
        BlitSilhouette(dc, at, ink, COLOR_3DHILIGHT, ink.highlight, memory.get(), image);
        BlitSilhouette(dc, {at.x - 1, at.y - 1}, ink, COLOR_3DSHADOW, ink.shadow, memory.get(), image);
    } else {
        BlitSilhouette(dc, at, ink, COLOR_GRAYTEXT, ink.grayText, memory.get(), image);
    }
}

// The raised look: the icon's mask blitted as a COLOR_GRAYTEXT shadow one pixel right of
// and below the centred position, the icon one pixel up and left of it. The mask goes
// through the caller's text colour and a white background; the background colour stays
// white afterwards, which the menu painters rely on.
void DrawRaised(HDC dc, POINT at, HICON icon, const IconImage& image, const IconInk& ink)
{
    {
        // An image that holds only the icon's size (a menu loop keeps no bitmaps) reads
        // the mask now.
        IconImage read;
        HBITMAP mask = image.mask ? image.mask.get() : ReadIcon(icon, read) ? read.mask.get() : nullptr;
        unique_hdc memory(CreateCompatibleDC(dc));
        scoped_select selectMask(memory.get(), mask);
        SetBkColor(dc, RGB(0xFF, 0xFF, 0xFF));
        if (selectMask.selected())
            BlitSilhouette(dc, {at.x + 1, at.y + 1}, ink, COLOR_GRAYTEXT, ink.grayText, memory.get(), image);
    }
    DrawNormal(dc, {at.x - 1, at.y - 1}, icon, image);
}

enum class IconLook { Normal, Disabled, Raised };

void DrawIconLook(HDC dc, POINT at, HICON icon, const IconImage& image, IconLook look, bool embossed,
                  const IconInk& ink = kSystemIconInk)
{
    switch (look) {
    case IconLook::Disabled:
        DrawDisabled(dc, at, icon, image, embossed, ink);
        break;
    case IconLook::Raised:
        DrawRaised(dc, at, icon, image, ink);
        break;
    case IconLook::Normal:
        DrawNormal(dc, at, icon, image);
        break;
    }
}

IconLook CellIconLook(int mode)
{
    switch (static_cast<uint8_t>(mode) & 3) {
    case 1:
        return IconLook::Disabled;
    case 2:
        return IconLook::Raised;
    default:
        return IconLook::Normal;
    }
}

} // namespace

namespace varnelle {

bool ReadIcon(HICON icon, IconImage& image)
{
    ICONINFO info = {};
    if (!icon || !GetIconInfo(icon, &info))
        return false;
    image.mask.reset(info.hbmMask);
    image.colour.reset(info.hbmColor);
    BITMAP bitmap = {};
    HBITMAP measured = image.colour ? image.colour.get() : image.mask.get();
    if (!measured || !GetObjectA(measured, sizeof bitmap, &bitmap))
        return false;
    image.width = bitmap.bmWidth;
    image.height = image.colour ? bitmap.bmHeight : bitmap.bmHeight / 2;
    image.colourHeight = image.colour ? bitmap.bmHeight : 0;
    return image.width > 0 && image.height > 0 && image.mask;
}

bool KeepIcon(HDC dc, HICON icon, KeptIcon& kept)
{
    ReleaseKeptIcon(kept);
    IconImage image;
    if (!dc || !ReadIcon(icon, image) || HasAlpha(dc, image))
        return false;
    // DrawIconEx's own DC and selections, made once.
    unique_hdc maskDc(CreateCompatibleDC(dc));
    if (!maskDc || !SelectObject(maskDc.get(), image.mask.get()))
        return false;
    unique_hdc colourDc;
    if (image.colour) {
        colourDc.reset(CreateCompatibleDC(dc));
        if (!colourDc || !SelectObject(colourDc.get(), image.colour.get()))
            return false;
    }
    kept = {icon,           maskDc.release(), image.mask.release(), colourDc.release(), image.colour.release(),
            image.width,    image.height};
    return true;
}

void ReleaseKeptIcon(KeptIcon& kept)
{
    // The DCs go first, and with them the bitmaps' selections.
    const HDC dcs[] = {kept.maskDc, kept.colourDc};
    for (HDC dc : dcs) {
        if (dc)
            DeleteDC(dc);
    }
    const HBITMAP bitmaps[] = {kept.mask, kept.colour};
    for (HBITMAP bitmap : bitmaps) {
        if (bitmap)
            DeleteObject(bitmap);
    }
    kept = KeptIcon{};
}

void DrawKeptIcon(HDC dc, const RECT& rect, const KeptIcon& kept)
{
    if (!dc || !kept.maskDc || !WithinGdiRange(rect.left, rect.top, rect.right, rect.bottom) ||
        rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    const POINT at = {CentredPosition(rect.left, int64_t{rect.right} - rect.left, kept.width),
                      CentredPosition(rect.top, int64_t{rect.bottom} - rect.top, kept.height)};
    // DrawIconEx's blits: the monochrome mask through black text on white, then the colour
    // bitmap, or a monochrome icon's lower half, XORed over it.
    scoped_text_color black(dc, RGB(0, 0, 0));
    scoped_bk_color white(dc, RGB(0xFF, 0xFF, 0xFF));
    BitBlt(dc, at.x, at.y, kept.width, kept.height, kept.maskDc, 0, 0, SRCAND);
    if (kept.colourDc)
        BitBlt(dc, at.x, at.y, kept.width, kept.height, kept.colourDc, 0, 0, SRCINVERT);
    else
        BitBlt(dc, at.x, at.y, kept.width, kept.height, kept.maskDc, 0, kept.height, SRCINVERT);
}

void DrawCellIcon(HDC dc, const RECT& cell, HICON icon, const IconImage& image, int mode, bool embossed,
                  const IconInk& ink)
{
    if (!dc || !WithinGdiRange(cell.left) || !WithinGdiRange(cell.top) || image.width <= 0)
        return;
    // The cell is the one the last menu measurement left; 0 x 0 before any.
    POINT at = {CentredPosition(cell.left, ReadThreadState().IconCellWidth, image.width),
                CentredPosition(cell.top, ReadThreadState().IconCellHeight, image.height)};
    DrawIconLook(dc, at, icon, image, CellIconLook(mode), embossed, ink);
}

void DrawRectIcon(HDC dc, const RECT& rect, HICON icon, const IconImage& image, int mode, bool embossed,
                  const IconInk& ink)
{
    if (!dc || !WithinGdiRange(rect.left, rect.top, rect.right, rect.bottom) || rect.right <= rect.left ||
        rect.bottom <= rect.top || image.width <= 0)
        return;
    POINT at = {CentredPosition(rect.left, int64_t{rect.right} - rect.left, image.width),
                CentredPosition(rect.top, int64_t{rect.bottom} - rect.top, image.height)};
    IconLook look = (static_cast<uint8_t>(mode) & 1) ? IconLook::Disabled : IconLook::Normal;
    DrawIconLook(dc, at, icon, image, look, embossed, ink);
}

} // namespace varnelle

// Bad input (no DC, no rectangle, a handle that is not an icon, coordinates GDI cannot
// address) draws nothing; the result is nonzero in every case, as callers expect.
extern "C" BOOL WINAPI DrawIcn(HDC dc, const RECT* cell, HICON icon, int mode, int embossed) noexcept
{
    IconImage image;
    if (cell && ReadIcon(icon, image))
        DrawCellIcon(dc, *cell, icon, image, mode, static_cast<uint8_t>(embossed) != 0);
    return TRUE;
}

// As DrawIcn, centred in the rectangle, with the normal and disabled looks only. An empty
// or inverted rectangle has no centre to draw at and draws nothing.
extern "C" BOOL WINAPI DrawIcnRect(HDC dc, const RECT* rect, HICON icon, int mode, int embossed) noexcept
{
    IconImage image;
    if (rect && ReadIcon(icon, image))
        DrawRectIcon(dc, *rect, icon, image, mode, static_cast<uint8_t>(embossed) != 0);
    return TRUE;
}
