// The shape of painted text, for comparing what a painter drew with what DrawTextW draws
// of the same text in the same font: the set of inked pixels, placed at the top-left of
// their bounding box, so that the comparison does not re-code the painter's layout.
#pragma once
#include "common/test_support.h"

#include <windows.h>

#include <ostream>
#include <vector>

namespace testing_support {

struct InkShape {
    RECT bounds = {0, 0, 0, 0}; // where the ink lies on its surface; empty without ink
    int count = 0;
    std::vector<bool> ink;      // width x height of bounds, row by row

    int width() const { return bounds.right - bounds.left; }
    int height() const { return bounds.bottom - bounds.top; }
    bool operator==(const InkShape& other) const;
};
// The shape drawn as rows of '#' and '.', for failure messages.
std::ostream& operator<<(std::ostream& out, const InkShape& shape);

// The pixels in `area` that differ between two paints of the same thing (text drawn in
// another colour the second time).
InkShape InkBetween(const DibSurface& first, const DibSurface& second, const RECT& area);
// The pixels in `area` that are not `background`, and those that are `colour`.
InkShape InkOn(const DibSurface& surface, const RECT& area, COLORREF background);
InkShape PixelsOfColour(const DibSurface& surface, const RECT& area, COLORREF colour);
// The shape DrawTextW (DrawTextA) gives the text in the font, with the format
// (DT_SINGLELINE added).
InkShape DrawTextWShape(HFONT font, const wchar_t* text, UINT format = 0);
InkShape DrawTextAShape(HFONT font, const char* text, UINT format = 0);

// A font pinned for pixel comparisons: no anti-aliasing, so every pixel is ink or not.
HFONT CreatePinnedFont(const wchar_t* face, int height, int weight = FW_NORMAL);

} // namespace testing_support
