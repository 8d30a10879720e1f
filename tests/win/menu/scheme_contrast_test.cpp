// Every look stays readable in every colour scheme: the text of a normal or selected item
// keeps 4.5:1 against what is painted behind it, grayed text 2:1 or the scheme's own grey
// text on its menu colour where that is less; in high contrast the looks paint with the
// scheme's colours unblended. Measured from the painted pixels: an item painted with its
// text and with a blank one; the pixels that differ are the text.
#include "common/scheme_testing.h"
#include "common/test_support.h"
#include "menu/item_painting.h"
#include "menu/menu_font_scope.h"
#include "varnelle.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

using namespace testing_support;
using menu_testing::ScopedMenuFont;

namespace {

enum : UINT { kWords = 200, kBlank = 201 };

using Colours = std::vector<std::pair<int, COLORREF>>;

struct Scheme {
    const char* name;
    Colours colours;
    bool highContrast;
    DWORD colorMode;
};

Colours Full(COLORREF menu, COLORREF window, COLORREF text, COLORREF highlight, COLORREF highlightText,
             COLORREF gray, COLORREF face, COLORREF shadow, COLORREF light, COLORREF dark, COLORREF faceLight)
{
    return {{COLOR_MENU, menu},         {COLOR_WINDOW, window},         {COLOR_MENUTEXT, text},
            {COLOR_HIGHLIGHT, highlight}, {COLOR_HIGHLIGHTTEXT, highlightText}, {COLOR_GRAYTEXT, gray},
            {COLOR_BTNFACE, face},      {COLOR_BTNSHADOW, shadow},      {COLOR_BTNHIGHLIGHT, light},
            {COLOR_3DDKSHADOW, dark},   {COLOR_3DLIGHT, faceLight},     {COLOR_BTNTEXT, text}};
}

// The six schemes, and the library's dark mode over Windows 10's colours.
const Scheme kSchemes[] = {
    {"Classic",
     Full(RGB(212, 208, 200), RGB(255, 255, 255), 0, RGB(10, 36, 106), RGB(255, 255, 255), RGB(128, 128, 128),
          RGB(212, 208, 200), RGB(128, 128, 128), RGB(255, 255, 255), RGB(64, 64, 64), RGB(212, 208, 200)),
     false, 0},
    {"WindowsXp",
     Full(0xFFFFFF, 0xFFFFFF, 0, 0xC56A31, 0xFFFFFF, 0x99A8AC, RGB(236, 233, 216), RGB(172, 168, 153),
          RGB(255, 255, 255), RGB(113, 111, 100), RGB(241, 239, 226)),
     false, 0},
    {"Windows10",
     Full(RGB(240, 240, 240), RGB(255, 255, 255), 0, RGB(0, 120, 215), RGB(255, 255, 255), RGB(109, 109, 109),
          RGB(240, 240, 240), RGB(160, 160, 160), RGB(255, 255, 255), RGB(105, 105, 105), RGB(227, 227, 227)),
     false, 0},
    {"HighContrastBlack",
     Full(0, 0, RGB(255, 255, 255), RGB(26, 235, 255), 0, RGB(63, 242, 63), 0, RGB(255, 255, 255),
          RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)),
     true, 0},
    {"HighContrastWhite",
     Full(RGB(255, 255, 255), RGB(255, 255, 255), 0, RGB(55, 0, 110), RGB(255, 255, 255), RGB(96, 0, 0),
          RGB(255, 255, 255), 0, 0, 0, 0),
     true, 0},
    // Windows XP's High Contrast Black: a purple selection and green grey text.
    {"HighContrastBlackXp",
     Full(0, 0, RGB(255, 255, 255), RGB(128, 0, 128), RGB(255, 255, 255), RGB(0, 255, 0), 0, RGB(128, 128, 128),
          RGB(255, 255, 255), RGB(128, 128, 128), RGB(192, 192, 192)),
     true, 0},
    {"DarkMode",
     Full(RGB(240, 240, 240), RGB(255, 255, 255), 0, RGB(0, 120, 215), RGB(255, 255, 255), RGB(109, 109, 109),
          RGB(240, 240, 240), RGB(160, 160, 160), RGB(255, 255, 255), RGB(105, 105, 105), RGB(227, 227, 227)),
     false, 1},
};

struct State {
    const char* name;
    UINT flags;
};
const State kStates[] = {{"Normal", 0},
                         {"Selected", ODS_SELECTED},
                         {"Grayed", ODS_GRAYED},
                         {"GrayedSelected", ODS_GRAYED | ODS_SELECTED}};

struct Case {
    const Scheme* scheme;
    int style;
    const State* state;
};

std::vector<Case> Cases()
{
    std::vector<Case> cases;
    for (const Scheme& scheme : kSchemes)
        for (int style = 1; style <= 3; ++style)
            for (const State& state : kStates)
                cases.push_back({&scheme, style, &state});
    return cases;
}

std::string CaseName(const ::testing::TestParamInfo<Case>& info)
{
    return std::string(info.param.scheme->name) + "Style" + std::to_string(info.param.style) + info.param.state->name;
}

COLORREF Sys(int index)
{
    return GetSysColor(index);
}

class SchemeContrast : public ::testing::TestWithParam<Case> {
protected:
    static void SetUpTestSuite()
    {
        window_ = new TestWindow(nullptr, WS_OVERLAPPEDWINDOW, nullptr, "VarnelleSchemeContrast");
        popup_ = CreatePopupMenu();
        AppendMenuA(popup_, MF_STRING, kWords, "Open the file");
        AppendMenuA(popup_, MF_STRING, kBlank, " ");
    }
    static void TearDownTestSuite()
    {
        DestroyMenu(popup_);
        delete window_;
    }

    ScopedMenuFont font_{"Tahoma", -11, FW_NORMAL, NONANTIALIASED_QUALITY};
    static TestWindow* window_;
    static HMENU popup_;
};
TestWindow* SchemeContrast::window_ = nullptr;
HMENU SchemeContrast::popup_ = nullptr;

TEST_P(SchemeContrast, TextReadsOnWhatIsBehindIt)
{
    const Case& c = GetParam();
    ASSERT_TRUE(font_.active());
    ScopedSysColors colours(c.scheme->colours);
    ScopedHighContrast highContrast(c.scheme->highContrast ? GetModuleHandleA("Varnelle.dll") : nullptr);
    ASSERT_EQ(highContrast.active(), c.scheme->highContrast);
    const DWORD previousMode = SetColorMode(c.scheme->colorMode);
    const HWND hwnd = window_->hwnd();
    ASSERT_EQ(RedrawMenu(hwnd, popup_, c.style), 1);
    const SIZE size = menu_testing::MeasureItem(hwnd, popup_, kWords);
    const UINT state = c.state->flags;
    auto withText = menu_testing::PaintItem(hwnd, popup_, kWords, state, size);
    auto blank = menu_testing::PaintItem(hwnd, popup_, kBlank, state, size);
    SetColorMode(previousMode);

    const menu_testing::TextInk text = menu_testing::TextOf(*withText, *blank);
    ASSERT_GT(text.pixels, 20) << "no text painted";
    const bool grayed = (state & ODS_GRAYED) != 0;
    double minimum = 4.5;
    if (grayed) {
        // The scheme's own grey on its menu colour; the dark palette's reads 4.5:1.
        const double own = c.scheme->colorMode ? 4.5 : ContrastOf(Sys(COLOR_GRAYTEXT), Sys(COLOR_MENU));
        minimum = own < 2.0 ? own : 2.0;
    }
    EXPECT_GE(text.contrast, minimum) << std::hex << "ink 0x" << text.ink << " on 0x" << text.background;

    if (c.scheme->colorMode) {
        // Dark: every style keeps a dark surface.
        const COLORREF surface = blank->at(size.cx - 2, size.cy / 2);
        EXPECT_LT(ContrastOf(surface, 0), ContrastOf(surface, 0xFFFFFF)) << std::hex << surface;
    }
    if (!c.scheme->highContrast)
        return;
    // High contrast: the scheme's colours, unblended.
    // (A selection leaves the rows above and below it as the popup's background showed them.)
    std::set<COLORREF> schemeColours = {RGB(0x12, 0x34, 0x56)};
    for (const auto& [index, colour] : c.scheme->colours)
        schemeColours.insert(colour);
    for (int y = 0; y < blank->height(); ++y)
        for (int x = 0; x < blank->width(); ++x)
            ASSERT_EQ(schemeColours.count(blank->at(x, y)), 1u)
                << std::hex << "0x" << blank->at(x, y) << " at (" << std::dec << x << ", " << y << ")";
    if (state == ODS_SELECTED) {
        EXPECT_EQ(text.background, Sys(COLOR_HIGHLIGHT));
        EXPECT_EQ(text.ink, Sys(COLOR_HIGHLIGHTTEXT));
    } else if (state == ODS_GRAYED) {
        EXPECT_EQ(text.background, Sys(COLOR_MENU));
        EXPECT_EQ(text.ink, Sys(COLOR_GRAYTEXT));
    } else if (state == 0) {
        EXPECT_EQ(text.background, Sys(COLOR_MENU));
        EXPECT_EQ(text.ink, Sys(COLOR_MENUTEXT));
    }
}

INSTANTIATE_TEST_SUITE_P(EverySchemeStyleAndState, SchemeContrast, ::testing::ValuesIn(Cases()), CaseName);

} // namespace
