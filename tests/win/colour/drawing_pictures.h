// Expected pictures for the drawing tests: a test icon of known pixels, the silhouettes
// the disabled and raised looks paint from it, and the DC state a call must give back.
#pragma once
#include "common/test_support.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace drawing_pictures {

// A 16 x 16 icon with a transparent margin, a transparent hole and one opaque white
// pixel (white turns into background when the icon is rendered in monochrome).
inline constexpr int kIconSize = 16;
inline constexpr POINT kWhitePixel = {5, 9};

inline bool IconOpaque(int x, int y)
{
    bool hole = x >= 7 && x <= 8 && y >= 6 && y <= 8;
    return x >= 2 && x < 14 && y >= 1 && y < 15 && !hole;
}

inline COLORREF IconColour(int x, int y)
{
    if (x == kWhitePixel.x && y == kWhitePixel.y)
        return RGB(0xFF, 0xFF, 0xFF);
    return RGB(10 * x + 5, 10 * y + 5, 0x40);
}

inline HICON MakeTestIcon()
{
    return testing_support::MakeIcon(kIconSize, kIconSize, IconColour, IconOpaque);
}

// The pixels a surface is expected to hold, built up in painting order.
class Picture {
public:
    Picture(int width, int height, COLORREF background)
        : width_(width), height_(height), pixels_(width * height, background)
    {
    }

    void set(int x, int y, COLORREF colour)
    {
        if (x >= 0 && y >= 0 && x < width_ && y < height_)
            pixels_[y * width_ + x] = colour;
    }
    COLORREF at(int x, int y) const { return pixels_[y * width_ + x]; }

    // The test icon drawn normally with its top-left corner at (left, top).
    void icon(int left, int top)
    {
        for (int y = 0; y < kIconSize; ++y)
            for (int x = 0; x < kIconSize; ++x)
                if (IconOpaque(x, y))
                    set(left + x, top + y, IconColour(x, y));
    }

    // A brush silhouette: from the mask (every opaque pixel), or from the icon rendered in
    // monochrome (opaque pixels that are not white).
    void silhouette(int left, int top, COLORREF colour, bool fromMask)
    {
        for (int y = 0; y < kIconSize; ++y)
            for (int x = 0; x < kIconSize; ++x)
                if (IconOpaque(x, y) && (fromMask || IconColour(x, y) != RGB(0xFF, 0xFF, 0xFF)))
                    set(left + x, top + y, colour);
    }

    // Compares every pixel; reports the number of differences and the first few.
    ::testing::AssertionResult matches(const testing_support::DibSurface& surface) const
    {
        int differences = 0;
        std::string report;
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                COLORREF actual = surface.at(x, y);
                if (actual == at(x, y))
                    continue;
                if (++differences <= 5) {
                    char line[96];
                    wsprintfA(line, " (%d,%d) is %06lX, expected %06lX;", x, y, actual, at(x, y));
                    report += line;
                }
            }
        }
        if (differences == 0)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << differences << " pixels differ:" << report;
    }

private:
    int width_;
    int height_;
    std::vector<COLORREF> pixels_;
};

// What a drawing call must leave as it found in the caller's DC.
struct DcState {
    HGDIOBJ brush, pen, bitmap, font;
    COLORREF text, background;
    int backgroundMode, rop2, stretchMode;
    LONG brushOriginX, brushOriginY;

    static DcState Of(HDC dc)
    {
        POINT origin = {};
        GetBrushOrgEx(dc, &origin);
        return {GetCurrentObject(dc, OBJ_BRUSH), GetCurrentObject(dc, OBJ_PEN), GetCurrentObject(dc, OBJ_BITMAP),
                GetCurrentObject(dc, OBJ_FONT),  GetTextColor(dc),             GetBkColor(dc),
                GetBkMode(dc),                   GetROP2(dc),                  GetStretchBltMode(dc),
                origin.x,                        origin.y};
    }
    bool operator==(const DcState&) const = default;
};

} // namespace drawing_pictures
