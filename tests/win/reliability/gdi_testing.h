// For the tests of what the library does when the process has used up its GDI objects:
// a filler of the process's GDI table, and the state of a device context, read without
// creating anything.
#pragma once
#include "common/test_support.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace gdi_testing {

// Creates objects until only `leaveFree` more can be created; gives them back one at a
// time, or all when it goes.
class GdiFill {
public:
    explicit GdiFill(int free)
    {
        fillers_.reserve(static_cast<size_t>(testing_support::CountFreeGdiHandles()));
        leaveFree(free);
    }
    // Creates or gives back objects until `free` more can be created.
    void leaveFree(int free)
    {
        for (int more = testing_support::CountFreeGdiHandles() - free; more > 0; --more) {
            HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
            if (!brush)
                break;
            fillers_.push_back(brush);
        }
        for (int fewer = free - testing_support::CountFreeGdiHandles(); fewer > 0 && !fillers_.empty(); --fewer)
            freeOne();
    }
    ~GdiFill() { release(); }
    GdiFill(const GdiFill&) = delete;
    GdiFill& operator=(const GdiFill&) = delete;

    void freeOne()
    {
        if (!fillers_.empty()) {
            DeleteObject(fillers_.back());
            fillers_.pop_back();
        }
    }
    void release()
    {
        for (HBRUSH brush : fillers_)
            DeleteObject(brush);
        fillers_.clear();
    }

private:
    std::vector<HBRUSH> fillers_;
};

// Everything a painter could leave changed in a DC, by name.
using DcState = std::vector<std::pair<const char*, intptr_t>>;

inline DcState ReadDcState(HDC dc)
{
    POINT brushOrigin = {}, position = {}, windowOrigin = {}, viewportOrigin = {};
    SIZE windowExtent = {}, viewportExtent = {};
    RECT clip = {};
    GetBrushOrgEx(dc, &brushOrigin);
    GetCurrentPositionEx(dc, &position);
    GetWindowOrgEx(dc, &windowOrigin);
    GetViewportOrgEx(dc, &viewportOrigin);
    GetWindowExtEx(dc, &windowExtent);
    GetViewportExtEx(dc, &viewportExtent);
    const int clipKind = GetClipBox(dc, &clip);
    auto handle = [](HGDIOBJ object) { return reinterpret_cast<intptr_t>(object); };
    return {{"pen", handle(GetCurrentObject(dc, OBJ_PEN))},
            {"brush", handle(GetCurrentObject(dc, OBJ_BRUSH))},
            {"font", handle(GetCurrentObject(dc, OBJ_FONT))},
            {"bitmap", handle(GetCurrentObject(dc, OBJ_BITMAP))},
            {"palette", handle(GetCurrentObject(dc, OBJ_PAL))},
            {"text colour", static_cast<intptr_t>(GetTextColor(dc))},
            {"background colour", static_cast<intptr_t>(GetBkColor(dc))},
            {"background mode", GetBkMode(dc)},
            {"text alignment", static_cast<intptr_t>(GetTextAlign(dc))},
            {"raster operation", GetROP2(dc)},
            {"fill mode", GetPolyFillMode(dc)},
            {"stretch mode", GetStretchBltMode(dc)},
            {"mapping mode", GetMapMode(dc)},
            {"graphics mode", GetGraphicsMode(dc)},
            {"layout", static_cast<intptr_t>(GetLayout(dc))},
            {"brush origin x", brushOrigin.x},
            {"brush origin y", brushOrigin.y},
            {"position x", position.x},
            {"position y", position.y},
            {"window origin x", windowOrigin.x},
            {"window origin y", windowOrigin.y},
            {"viewport origin x", viewportOrigin.x},
            {"viewport origin y", viewportOrigin.y},
            {"window extent x", windowExtent.cx},
            {"viewport extent x", viewportExtent.cx},
            {"clip kind", clipKind},
            {"clip left", clip.left},
            {"clip top", clip.top},
            {"clip right", clip.right},
            {"clip bottom", clip.bottom}};
}

// The fields that differ, for a failure message.
inline std::string DcChanges(const DcState& before, const DcState& after)
{
    std::string changes;
    for (size_t i = 0; i < before.size() && i < after.size(); ++i) {
        if (before[i].second != after[i].second)
            changes += std::string(before[i].first) + " " + std::to_string(before[i].second) + " -> " +
                       std::to_string(after[i].second) + "; ";
    }
    return changes;
}

// A DC as an application hands it over: objects and colours of its own selected, which a
// painter must leave in place.
class ApplicationDcState {
public:
    explicit ApplicationDcState(HDC dc) : dc_(dc)
    {
        font_ = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Liberation Serif");
        brush_ = CreateHatchBrush(HS_DIAGCROSS, RGB(0, 128, 0));
        pen_ = CreatePen(PS_DASH, 1, RGB(128, 0, 0));
        previousFont_ = SelectObject(dc, font_);
        previousBrush_ = SelectObject(dc, brush_);
        previousPen_ = SelectObject(dc, pen_);
        SetTextColor(dc, RGB(1, 2, 3));
        SetBkColor(dc, RGB(4, 5, 6));
        SetBkMode(dc, OPAQUE);
        SetBrushOrgEx(dc, 3, 2, nullptr);
        MoveToEx(dc, 7, 5, nullptr);
    }
    ~ApplicationDcState()
    {
        SelectObject(dc_, previousFont_);
        SelectObject(dc_, previousBrush_);
        SelectObject(dc_, previousPen_);
        DeleteObject(font_);
        DeleteObject(brush_);
        DeleteObject(pen_);
    }
    ApplicationDcState(const ApplicationDcState&) = delete;
    ApplicationDcState& operator=(const ApplicationDcState&) = delete;

    // A pixel (0x00RRGGBB, as DibSurface gives it) in a colour of the application's pen,
    // brush, text or background: drawn with the application's objects.
    static bool IsOwnColour(uint32_t pixel)
    {
        return pixel == 0x008000 || pixel == 0x800000 || pixel == 0x010203 || pixel == 0x040506;
    }

private:
    HDC dc_;
    HFONT font_;
    HBRUSH brush_;
    HPEN pen_;
    HGDIOBJ previousFont_;
    HGDIOBJ previousBrush_;
    HGDIOBJ previousPen_;
};

} // namespace gdi_testing
