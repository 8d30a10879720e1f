// Painting single menu items as the system has them painted: a window hooked with
// RedrawMenu gets WM_MEASUREITEM and WM_DRAWITEM inside a menu loop of one of its popups
// (outside one for its menu bar) and paints into a 32-bit DIB section. Used by the tests
// of colour schemes, the colour mode and DPI.
#pragma once
#include "common/scheme_testing.h"
#include "common/test_support.h"

#include <map>
#include <memory>

namespace menu_testing {

// The item's size as WM_MEASUREITEM gives it.
inline SIZE MeasureItem(HWND window, HMENU popup, UINT id)
{
    SendMessageA(window, WM_ENTERMENULOOP, 0, 0);
    SendMessageA(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
    MEASUREITEMSTRUCT measure = {ODT_MENU, 0, id, 0, 0, 0};
    SendMessageA(window, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
    SendMessageA(window, WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
    SendMessageA(window, WM_EXITMENULOOP, 0, 0);
    return {static_cast<LONG>(measure.itemWidth), static_cast<LONG>(measure.itemHeight)};
}

// Paints the item into a new surface of its size, in the menu font (as the system's DC
// holds it); `menuBar`: as an item of the window's menu bar, outside a menu loop.
inline std::unique_ptr<testing_support::DibSurface> PaintItem(HWND window, HMENU menu, UINT id, UINT state,
                                                             SIZE size, bool menuBar = false,
                                                             COLORREF untouched = RGB(0x12, 0x34, 0x56))
{
    auto surface = std::make_unique<testing_support::DibSurface>(size.cx, size.cy, untouched);
    if (!menuBar) {
        SendMessageA(window, WM_ENTERMENULOOP, 0, 0);
        SendMessageA(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
        // Measured first, as the system does.
        MEASUREITEMSTRUCT measure = {ODT_MENU, 0, id, 0, 0, 0};
        SendMessageA(window, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
    }
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    HFONT font = CreateFontIndirectA(&metrics.lfMenuFont);
    HGDIOBJ previous = SelectObject(surface->dc(), font);
    SetTextColor(surface->dc(), GetSysColor(COLOR_MENUTEXT));
    DRAWITEMSTRUCT draw = {};
    draw.CtlType = ODT_MENU;
    draw.itemID = id;
    draw.itemAction = ODA_DRAWENTIRE;
    draw.itemState = state;
    draw.hwndItem = reinterpret_cast<HWND>(menu);
    draw.hDC = surface->dc();
    draw.rcItem = {0, 0, size.cx, size.cy};
    SendMessageA(window, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
    SelectObject(surface->dc(), previous);
    DeleteObject(font);
    if (!menuBar) {
        SendMessageA(window, WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
        SendMessageA(window, WM_EXITMENULOOP, 0, 0);
    }
    return surface;
}

// The text of an item, found as the pixels that differ between the item painted with its
// text and with a blank one: the colour most of them have (the ink; an embossed text's
// offset copy is the smaller part), the background most of them had, and the least
// contrast of the ink on what was behind it.
struct TextInk {
    int pixels = 0;
    COLORREF ink = 0;
    COLORREF background = 0;
    double contrast = 0;
};

inline TextInk TextOf(const testing_support::DibSurface& withText, const testing_support::DibSurface& blank)
{
    std::map<COLORREF, int> inks, backgrounds;
    for (int y = 0; y < withText.height(); ++y)
        for (int x = 0; x < withText.width(); ++x)
            if (withText.at(x, y) != blank.at(x, y)) {
                ++inks[withText.at(x, y)];
                ++backgrounds[blank.at(x, y)];
            }
    TextInk text;
    for (const auto& [colour, count] : inks)
        if (count > text.pixels) {
            text.pixels = count;
            text.ink = colour;
        }
    int most = 0;
    for (const auto& [colour, count] : backgrounds)
        if (count > most) {
            most = count;
            text.background = colour;
        }
    text.contrast = 21;
    for (int y = 0; y < withText.height(); ++y)
        for (int x = 0; x < withText.width(); ++x)
            if (withText.at(x, y) == text.ink && blank.at(x, y) != text.ink) {
                const double c = testing_support::ContrastOf(text.ink, blank.at(x, y));
                text.contrast = c < text.contrast ? c : text.contrast;
            }
    return text;
}

} // namespace menu_testing
