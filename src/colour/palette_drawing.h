// Fills, frames and 3D edges in the colours of the palette the painters read now: with
// the system's own brushes and DrawEdge while those are the system colours (the pixels
// the looks always had), with brushes made for the call otherwise.
#pragma once
#include <windows.h>

#include "../core/colour_mode.h"
#include "drawing.h"

namespace varnelle {

void FillInColour(HDC dc, const RECT& area, const PaintColours& colours, PaletteColour colour);
void FrameInColour(HDC dc, const RECT& area, const PaintColours& colours, PaletteColour colour);
// DrawEdge(dc, area, edge, flags) for BDR_* edges and BF_LEFT/TOP/RIGHT/BOTTOM sides.
void PaintEdge(HDC dc, const RECT& area, UINT edge, UINT flags, const PaintColours& colours);
// The ink of the disabled and raised icon looks.
IconInk IconInkOf(const PaintColours& colours);

} // namespace varnelle
