#include "palette_drawing.h"

#include "../core/gdi_handles.h"

namespace varnelle {
namespace {

// A brush of the palette's colour; when GDI cannot make one, the system's brush of the
// colour's role stands in.
void FillSolid(HDC dc, const RECT& area, COLORREF colour, int fallbackIndex)
{
    const solid_brush brush(colour, fallbackIndex);
    FillRect(dc, &area, brush.get());
}

// One border of an edge: the top and left lines in one colour, the bottom and right ones
// in another, drawn over the whole side as DrawEdge draws them.
void PaintBorder(HDC dc, const RECT& area, UINT flags, const Palette& palette, PaletteColour topLeft,
                 PaletteColour bottomRight)
{
    const solid_brush first(palette[topLeft], SystemColourIndex(topLeft));
    const solid_brush second(palette[bottomRight], SystemColourIndex(bottomRight));
    const RECT top = {area.left, area.top, area.right, area.top + 1};
    const RECT left = {area.left, area.top, area.left + 1, area.bottom};
    const RECT bottom = {area.left, area.bottom - 1, area.right, area.bottom};
    const RECT right = {area.right - 1, area.top, area.right, area.bottom};
    if (flags & BF_TOP)
        FillRect(dc, &top, first.get());
    if (flags & BF_LEFT)
        FillRect(dc, &left, first.get());
    if (flags & BF_BOTTOM)
        FillRect(dc, &bottom, second.get());
    if (flags & BF_RIGHT)
        FillRect(dc, &right, second.get());
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
        FillRect(dc, &area, SystemBrush(SystemColourIndex(colour)));
    else
        FillSolid(dc, area, colours.palette[colour], SystemColourIndex(colour));
}

void FrameInColour(HDC dc, const RECT& area, const PaintColours& colours, PaletteColour colour)
{
    if (colours.system) {
        FrameRect(dc, &area, SystemBrush(SystemColourIndex(colour)));
        return;
    }
    const solid_brush brush(colours.palette[colour], SystemColourIndex(colour));
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
        PaintBorder(dc, border, flags, p, PaletteColour::Light, PaletteColour::DarkShadow);
    else if (edge & BDR_SUNKENOUTER)
        PaintBorder(dc, border, flags, p, PaletteColour::ButtonShadow, PaletteColour::ButtonHighlight);
    if (edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER))
        border = InsetOnSides(border, flags);
    if (edge & BDR_RAISEDINNER)
        PaintBorder(dc, border, flags, p, PaletteColour::ButtonHighlight, PaletteColour::ButtonShadow);
    else if (edge & BDR_SUNKENINNER)
        PaintBorder(dc, border, flags, p, PaletteColour::DarkShadow, PaletteColour::Light);
}

IconInk IconInkOf(const PaintColours& colours)
{
    if (colours.system)
        return kSystemIconInk;
    const Palette& p = colours.palette;
    return {false, p[PaletteColour::GrayText], p[PaletteColour::ButtonHighlight], p[PaletteColour::ButtonShadow]};
}

} // namespace varnelle
