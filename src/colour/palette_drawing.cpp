#include "palette_drawing.h"

#include "../core/gdi_handles.h"

namespace varnelle {
namespace {

void FillSolid(HDC dc, const RECT& area, COLORREF colour)
{
    const unique_hbrush brush(CreateSolidBrush(colour));
    if (brush)
        FillRect(dc, &area, brush.get());
}

// One border of an edge: the top and left lines in one colour, the bottom and right ones
// in another, drawn over the whole side as DrawEdge draws them.
void PaintBorder(HDC dc, const RECT& area, UINT flags, COLORREF topLeft, COLORREF bottomRight)
{
    if (flags & BF_TOP)
        FillSolid(dc, {area.left, area.top, area.right, area.top + 1}, topLeft);
    if (flags & BF_LEFT)
        FillSolid(dc, {area.left, area.top, area.left + 1, area.bottom}, topLeft);
    if (flags & BF_BOTTOM)
        FillSolid(dc, {area.left, area.bottom - 1, area.right, area.bottom}, bottomRight);
    if (flags & BF_RIGHT)
        FillSolid(dc, {area.right - 1, area.top, area.right, area.bottom}, bottomRight);
}

RECT InsetOnSides(const RECT& area, UINT flags)
{
    RECT inset = area;
    if (flags & BF_LEFT)
        ++inset.left;
    if (flags & BF_TOP)
        ++inset.top;
    if (flags & BF_RIGHT)
        --inset.right;
    if (flags & BF_BOTTOM)
        --inset.bottom;
    return inset;
}

} // namespace

void FillInColour(HDC dc, const RECT& area, const PaintColours& colours, PaletteColour colour)
{
    if (colours.system)
        FillRect(dc, &area, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(SystemColourIndex(colour) + 1)));
    else
        FillSolid(dc, area, colours.palette[colour]);
}

void FrameInColour(HDC dc, const RECT& area, const PaintColours& colours, PaletteColour colour)
{
    if (colours.system) {
        FrameRect(dc, &area, GetSysColorBrush(SystemColourIndex(colour)));
        return;
    }
    const unique_hbrush brush(CreateSolidBrush(colours.palette[colour]));
    if (brush)
        FrameRect(dc, &area, brush.get());
}

void PaintEdge(HDC dc, const RECT& area, UINT edge, UINT flags, const PaintColours& colours)
{
    if (colours.system) {
        RECT copy = area;
        DrawEdge(dc, &copy, edge, flags);
        return;
    }
    const Palette& p = colours.palette;
    RECT border = area;
    // The outer border, then the inner one inside it, in DrawEdge's colour roles.
    if (edge & BDR_RAISEDOUTER)
        PaintBorder(dc, border, flags, p[PaletteColour::Light], p[PaletteColour::DarkShadow]);
    else if (edge & BDR_SUNKENOUTER)
        PaintBorder(dc, border, flags, p[PaletteColour::ButtonShadow], p[PaletteColour::ButtonHighlight]);
    if (edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER))
        border = InsetOnSides(border, flags);
    if (edge & BDR_RAISEDINNER)
        PaintBorder(dc, border, flags, p[PaletteColour::ButtonHighlight], p[PaletteColour::ButtonShadow]);
    else if (edge & BDR_SUNKENINNER)
        PaintBorder(dc, border, flags, p[PaletteColour::DarkShadow], p[PaletteColour::Light]);
}

IconInk IconInkOf(const PaintColours& colours)
{
    if (colours.system)
        return kSystemIconInk;
    const Palette& p = colours.palette;
    return {false, p[PaletteColour::GrayText], p[PaletteColour::ButtonHighlight], p[PaletteColour::ButtonShadow]};
}

} // namespace varnelle
