#include "common/ink_shape.h"

#include <cstring>
#include <cwchar>

namespace testing_support {
namespace {

template <typename IsInk>
InkShape ShapeOf(const RECT& area, IsInk isInk)
{
    InkShape shape;
    RECT bounds = {area.right, area.bottom, area.left, area.top};
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (!isInk(x, y))
                continue;
            bounds.left = x < bounds.left ? x : bounds.left;
            bounds.top = y < bounds.top ? y : bounds.top;
            bounds.right = x + 1 > bounds.right ? x + 1 : bounds.right;
            bounds.bottom = y + 1 > bounds.bottom ? y + 1 : bounds.bottom;
            ++shape.count;
        }
    }
    if (!shape.count)
        return shape;
    shape.bounds = bounds;
    shape.ink.assign(static_cast<size_t>(shape.width() * shape.height()), false);
    for (int y = bounds.top; y < bounds.bottom; ++y) {
        for (int x = bounds.left; x < bounds.right; ++x)
            shape.ink[static_cast<size_t>((y - bounds.top) * shape.width() + (x - bounds.left))] = isInk(x, y);
    }
    return shape;
}

} // namespace

bool InkShape::operator==(const InkShape& other) const
{
    return count == other.count && width() == other.width() && height() == other.height() && ink == other.ink;
}

std::ostream& operator<<(std::ostream& out, const InkShape& shape)
{
    out << shape.count << " pixels in " << shape.width() << " x " << shape.height() << " at (" << shape.bounds.left
        << ", " << shape.bounds.top << ")\n";
    for (int y = 0; y < shape.height(); ++y) {
        for (int x = 0; x < shape.width(); ++x)
            out << (shape.ink[static_cast<size_t>(y * shape.width() + x)] ? '#' : '.');
        out << '\n';
    }
    return out;
}

InkShape InkBetween(const DibSurface& first, const DibSurface& second, const RECT& area)
{
    return ShapeOf(area, [&](int x, int y) { return first.at(x, y) != second.at(x, y); });
}

InkShape InkOn(const DibSurface& surface, const RECT& area, COLORREF background)
{
    return ShapeOf(area, [&](int x, int y) { return surface.at(x, y) != background; });
}

InkShape PixelsOfColour(const DibSurface& surface, const RECT& area, COLORREF colour)
{
    return ShapeOf(area, [&](int x, int y) { return surface.at(x, y) == colour; });
}

// Draws with DrawTextW or DrawTextA.
template <typename Char, typename Draw>
InkShape ShapeDrawnBy(HFONT font, const Char* text, int length, UINT format, Draw draw)
{
    constexpr COLORREF kPaper = RGB(0, 0, 0);
    RECT extent = {0, 0, 0, 0};
    {
        DibSurface measuring(1, 1);
        HGDIOBJ previous = SelectObject(measuring.dc(), font);
        draw(measuring.dc(), text, length, &extent, DT_CALCRECT | DT_SINGLELINE | format);
        SelectObject(measuring.dc(), previous);
    }
    // Room around the text for overhangs and the underline.
    DibSurface surface(extent.right + 40, extent.bottom + 20, kPaper);
    HGDIOBJ previous = SelectObject(surface.dc(), font);
    SetTextColor(surface.dc(), RGB(255, 255, 255));
    SetBkMode(surface.dc(), TRANSPARENT);
    RECT box = {20, 10, 20 + extent.right, 10 + extent.bottom};
    draw(surface.dc(), text, length, &box, DT_SINGLELINE | DT_NOCLIP | format);
    SelectObject(surface.dc(), previous);
    return InkOn(surface, {0, 0, surface.width(), surface.height()}, kPaper);
}

InkShape DrawTextWShape(HFONT font, const wchar_t* text, UINT format)
{
    return ShapeDrawnBy(font, text, static_cast<int>(wcslen(text)), format,
                        [](HDC dc, const wchar_t* t, int n, RECT* r, UINT f) { return DrawTextW(dc, t, n, r, f); });
}

InkShape DrawTextAShape(HFONT font, const char* text, UINT format)
{
    return ShapeDrawnBy(font, text, static_cast<int>(strlen(text)), format,
                        [](HDC dc, const char* t, int n, RECT* r, UINT f) { return DrawTextA(dc, t, n, r, f); });
}

HFONT CreatePinnedFont(const wchar_t* face, int height, int weight)
{
    LOGFONTW font = {};
    font.lfHeight = height;
    font.lfWeight = weight;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = NONANTIALIASED_QUALITY;
    wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirectW(&font);
}

} // namespace testing_support
