// Two-colour linear gradients: Gradient_Fill through the system's GradientFill, and
// DrawGradient computed by the library in an off-screen 32-bit DIB section.
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

// The off-screen bitmap's pixel words are addressed with 32-bit byte counts.
constexpr int64_t kLargestSectionBytes = INT32_MAX;

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

// 0 when nothing was drawn: no DC or rectangle, an empty or inverted rectangle, or an
// off-screen bitmap that cannot be made.
extern "C" BOOL WINAPI DrawGradient(HDC dc, const RECT* rect, COLORREF start, COLORREF end, int vertical) noexcept
{
    if (!dc || !rect || !WithinGdiRange(rect->left, rect->top, rect->right, rect->bottom))
        return FALSE;
    const int32_t width = rect->right - rect->left;
    const int32_t height = rect->bottom - rect->top;
    if (width <= 0 || height <= 0 || int64_t{width} * height * 4 > kLargestSectionBytes)
        return FALSE;

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

    FillGradient(static_cast<uint32_t*>(bits), width, height, start, end, static_cast<uint8_t>(vertical) != 0);
    BitBlt(dc, rect->left, rect->top, width, height, memory.get(), 0, 0, SRCCOPY);
    return TRUE;
}
