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
