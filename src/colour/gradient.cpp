// Two-colour linear gradients: Gradient_Fill through the system's GradientFill, and
// DrawGradient computed by the library: one colour per row or column, laid on the target
// by a pattern brush, or, where a brush would not give the same pixels, built whole in an
// off-screen 32-bit DIB section and blitted; row by row when neither can be made.
#include "../core/exports.h"
#include "../core/gdi_handles.h"
#include "drawing_geometry.h"
#include "gradient_math.h"

#include <cstdint>

using namespace varnelle;

namespace {

// A vertex with the colour's bytes in the high halves of the 16-bit channels.
TRIVERTEX Vertex(LONG x, LONG y, COLORREF colour)
{
    return {x, y, static_cast<COLOR16>(GetRValue(colour) << 8), static_cast<COLOR16>(GetGValue(colour) << 8),
            static_cast<COLOR16>(GetBValue(colour) << 8), 0};
}

// The whole picture, when it is built in an off-screen bitmap, is addressed with 32-bit
// byte counts; larger rectangles are refused whichever way they would be painted.
constexpr int64_t kLargestSectionBytes = INT32_MAX;

// Windows 95, 98 and Me take only 8 x 8 pixels of a pattern brush.
bool PatternBrushesTakeAnySize()
{
    return (GetVersion() & 0x80000000u) == 0;
}

// Bits per pixel of what the DC paints into: the selected bitmap of a memory DC, the
// device of any other.
int TargetBitsPerPixel(HDC dc, DWORD type)
{
    if (type == OBJ_MEMDC) {
        BITMAP bitmap = {};
        if (!GetObjectA(GetCurrentObject(dc, OBJ_BITMAP), sizeof bitmap, &bitmap))
            return 0;
        return bitmap.bmBitsPixel * bitmap.bmPlanes;
    }
    return GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
}

// A pattern brush puts the gradient on the target pixel for pixel as the blit of the
// whole picture does where the target is a raster display surface (a window, the screen
// or a bitmap) of 8 bits per pixel or more (a colour blit onto a monochrome bitmap goes by
// the background colour, a brush does not), and where the DC maps the rectangle onto as
// many device pixels the same way round: no scaling, rotation or mirroring, which would
// stretch the blit. Gives the rectangle's top-left corner in device pixels.
bool PatternBrushMatchesBlit(HDC dc, const RECT& rect, POINT& deviceTopLeft)
{
    const DWORD type = GetObjectType(dc);
    if (!PatternBrushesTakeAnySize() || (type != OBJ_DC && type != OBJ_MEMDC) ||
        GetDeviceCaps(dc, TECHNOLOGY) != DT_RASDISPLAY || TargetBitsPerPixel(dc, type) < 8)
        return false;
    if (GetGraphicsMode(dc) == GM_ADVANCED) {
        XFORM transform = {};
        if (!GetWorldTransform(dc, &transform) || transform.eM11 != 1.0f || transform.eM12 != 0.0f ||
            transform.eM21 != 0.0f || transform.eM22 != 1.0f)
            return false;
    }
    POINT corners[3] = {{rect.left, rect.top}, {rect.right, rect.top}, {rect.left, rect.bottom}};
    if (!LPtoDP(dc, corners, 3))
        return false;
    const bool unscaled = int64_t{corners[1].x} - corners[0].x == int64_t{rect.right} - rect.left &&
                          corners[1].y == corners[0].y && corners[2].x == corners[0].x &&
                          int64_t{corners[2].y} - corners[0].y == int64_t{rect.bottom} - rect.top;
    deviceTopLeft = corners[0];
    return unscaled;
}

// One strip: a pattern brush of the tile, its first pixel on the strip's top-left corner.
bool PaintStrip(HDC dc, const BITMAPINFOHEADER* tile, const RECT& strip, POINT deviceTopLeft)
{
    unique_hbrush brush(CreateDIBPatternBrushPt(tile, DIB_RGB_COLORS));
    if (!brush || !SetBrushOrgEx(dc, deviceTopLeft.x, deviceTopLeft.y, nullptr))
        return false;
    scoped_select selectBrush(dc, brush.get());
    if (!selectBrush.selected())
        return false;
    PatBlt(dc, strip.left, strip.top, strip.right - strip.left, strip.bottom - strip.top, PATCOPY);
    return true;
}

// One colour computation per row or column, laid on the target strip by strip through
// pattern brushes: no picture of the whole rectangle in memory. False when a tile or
// brush cannot be made; the strips painted so far stay.
BOOL PaintWithPatternBrushes(HDC dc, const RECT& rect, POINT deviceTopLeft, uint32_t start, uint32_t end,
                             bool vertical)
{
    const int32_t width = rect.right - rect.left;
    const int32_t height = rect.bottom - rect.top;
    const GradientTile full = GradientTileFor(width, height, vertical);
    // A packed DIB: the header, then the pixels (32 bits per pixel have no colour table).
    unique_global block(
        GlobalAlloc(GMEM_ZEROINIT, sizeof(BITMAPINFOHEADER) + SIZE_T{4} * static_cast<SIZE_T>(full.width) * full.height));
    if (!block)
        return FALSE;
    auto* header = static_cast<BITMAPINFOHEADER*>(block.get());
    auto* pixels = reinterpret_cast<uint32_t*>(header + 1);
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biPlanes = 1;
    header->biBitCount = 32;
    header->biCompression = BI_RGB;

    scoped_brush_origin keepOrigin(dc);
    if (!keepOrigin.saved())
        return FALSE;
    const int32_t steps = vertical ? height : width;
    const int32_t perStrip = vertical ? full.height : full.width;
    for (int32_t first = 0; first < steps; first += perStrip) {
        const int32_t count = steps - first < perStrip ? steps - first : perStrip;
        const GradientTile tile = vertical ? GradientTile{full.width, count} : GradientTile{count, 1};
        header->biWidth = tile.width;
        header->biHeight = tile.height; // bottom-up
        FillGradientTile(pixels, tile, first, steps, start, end, vertical);
        const RECT strip = vertical ? RECT{rect.left, rect.top + first, rect.right, rect.top + first + count}
                                    : RECT{rect.left + first, rect.top, rect.left + first + count, rect.bottom};
        const POINT corner = vertical ? POINT{deviceTopLeft.x, deviceTopLeft.y + first}
                                      : POINT{deviceTopLeft.x + first, deviceTopLeft.y};
        if (!PaintStrip(dc, header, strip, corner))
            return FALSE;
    }
    return TRUE;
}

// The whole picture in an off-screen 32-bit DIB section, copied with one BitBlt.
BOOL PaintThroughBitmap(HDC dc, const RECT& rect, uint32_t start, uint32_t end, bool vertical)
{
    const int32_t width = rect.right - rect.left;
    const int32_t height = rect.bottom - rect.top;
    unique_hdc memory(CreateCompatibleDC(dc));
    if (!memory)
        return FALSE;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // rows from the top down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    unique_hbitmap section(CreateDIBSection(memory.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!section || !bits)
        return FALSE;
    scoped_select selectSection(memory.get(), section.get());
    if (!selectSection.selected())
        return FALSE;

    FillGradient(static_cast<uint32_t*>(bits), width, height, start, end, vertical);
    BitBlt(dc, rect.left, rect.top, width, height, memory.get(), 0, 0, SRCCOPY);
    return TRUE;
}

COLORREF ToColorref(uint32_t pixel)
{
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

// Without objects of its own (the process has used up its GDI objects, or the memory for
// a tile or picture cannot be had), each row or column is filled on its own in its colour
// through ExtTextOut's opaque background, which needs no brush: the same pixels, one call
// per step. False when the DC takes no drawing.
BOOL PaintWithoutObjects(HDC dc, const RECT& rect, uint32_t start, uint32_t end, bool vertical)
{
    const int32_t steps = vertical ? rect.bottom - rect.top : rect.right - rect.left;
    const scoped_bk_color keepBackground(dc, GetBkColor(dc));
    for (int32_t step = 0; step < steps; ++step) {
        const RECT line = vertical ? RECT{rect.left, rect.top + step, rect.right, rect.top + step + 1}
                                   : RECT{rect.left + step, rect.top, rect.left + step + 1, rect.bottom};
        SetBkColor(dc, ToColorref(GradientStepPixel(start, end, step, steps)));
        if (!ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &line, "", 0, nullptr))
            return FALSE;
    }
    return TRUE;
}

} // namespace

// The result is 0 whatever GradientFill did; rectangles go to the system as they are.
extern "C" int WINAPI Gradient_Fill(HDC dc, const RECT* rect, COLORREF start, COLORREF end, int vertical) noexcept
{
    if (!dc || !rect)
        return 0;
    TRIVERTEX vertices[2] = {Vertex(rect->left, rect->top, start), Vertex(rect->right, rect->bottom, end)};
    GRADIENT_RECT gradient = {0, 1};
    GradientFill(dc, vertices, 2, &gradient, 1,
                 static_cast<uint8_t>(vertical) ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
    return 0;
}

// 0 when nothing was drawn: no DC or rectangle, an empty or inverted rectangle, a
// rectangle whose picture would not fit an off-screen bitmap, or a DC that takes no drawing.
extern "C" BOOL WINAPI DrawGradient(HDC dc, const RECT* rect, COLORREF start, COLORREF end, int vertical) noexcept
{
    if (!dc || !rect || !WithinGdiRange(rect->left, rect->top, rect->right, rect->bottom))
        return FALSE;
    const int32_t width = rect->right - rect->left;
    const int32_t height = rect->bottom - rect->top;
    if (width <= 0 || height <= 0 || int64_t{width} * height * 4 > kLargestSectionBytes)
        return FALSE;

    const bool down = static_cast<uint8_t>(vertical) != 0;
    POINT deviceTopLeft = {};
    const BOOL drawn = PatternBrushMatchesBlit(dc, *rect, deviceTopLeft)
                           ? PaintWithPatternBrushes(dc, *rect, deviceTopLeft, start, end, down)
                           : PaintThroughBitmap(dc, *rect, start, end, down);
    return drawn || PaintWithoutObjects(dc, *rect, start, end, down);
}
