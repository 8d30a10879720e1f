#include "menu/menu_colours.h"
#include "menu/menu_measure_core.h"

#include <gtest/gtest.h>

using namespace varnelle;

namespace {

// The XP scheme: window and menu white, highlight 0xC56A31, grey text 0x99A8AC, on a screen
// of more than 8 bits per pixel (the selection tint is then 70 % window, 30 % highlight).
constexpr MenuScheme kXp = {0xC56A31, 0xFFFFFF, 0xFFFFFF, 0x99A8AC, 0xEED3C2};

} // namespace

TEST(MenuColours, Style3WorkedValuesOfTheXpScheme)
{
    EXPECT_EQ(Style3Selection(kXp).top, 0xE5D3C8u);
    EXPECT_EQ(Style3Selection(kXp).bottom, 0xFAF0EAu);
    EXPECT_EQ(Style3Frame(kXp), 0x746257u);
    EXPECT_EQ(Style3Background(kXp.menu).left, 0xEFEFEFu);
    EXPECT_EQ(Style3Background(kXp.menu).right, 0xFFFFFFu);
    EXPECT_EQ(Style3SeparatorLine(kXp.grayText, kXp.menu).left, 0x99A8ACu);
    EXPECT_EQ(Style3SeparatorLine(kXp.grayText, kXp.menu).right, 0xFFFFFFu);

    struct Box {
        DrawMode mode;
        uint32_t top, bottom, frame;
    };
    for (const Box& box : {Box{kDrawNormal, 0xD8BFB0, 0xFBF6F2, 0x746257}, Box{kDrawSelected, 0xC1AB9D, 0xF7E9E1, 0x574941},
                           Box{kDrawGrayed, 0xD8BFB0, 0xF4E2D7, 0x746257}}) {
        BoxColours colours = Style3CheckBox(kXp, box.mode, true);
        EXPECT_EQ(colours.fill, box.top) << int(box.mode);
        EXPECT_EQ(colours.fillBottom, box.bottom) << int(box.mode);
        EXPECT_EQ(colours.outline, box.frame) << int(box.mode);
    }
}

// Below the blending depths both looks fall back to the system colours themselves.
TEST(MenuColours, LowColourLooksUseThePlainColours)
{
    const MenuScheme low = {0xC56A31, 0xD4D0C8, 0xFFFFFF, 0x808080, 0xFFFFFF};
    Style2Colours style2 = Style2ColoursFor(low, true);
    EXPECT_EQ(style2.hotFill, low.xp);
    EXPECT_EQ(style2.selectionFill, low.xp);
    EXPECT_EQ(style2.selectionFrame, low.highlight);
    EXPECT_EQ(style2.columnFill, low.menu);
    EXPECT_EQ(style2.textAreaFill, low.window);
    EXPECT_EQ(style2.separatorLine, low.grayText);
    for (bool style3 : {false, true}) {
        auto box = [&](DrawMode mode) { return style3 ? Style3CheckBox(low, mode, false) : Style2CheckBox(low, mode, true); };
        EXPECT_EQ(box(kDrawGrayed).fill, low.menu);
        EXPECT_EQ(box(kDrawGrayed).outline, low.grayText);
        EXPECT_EQ(box(kDrawSelected).fill, low.xp);
        EXPECT_EQ(box(kDrawSelected).outline, low.highlight);
        EXPECT_EQ(box(kDrawNormal).fill, low.menu);
        EXPECT_EQ(box(kDrawNormal).outline, low.xp);
    }
}

// Surfaces up to grey level 215 are lightened by their distance from white; near-white
// ones (216 and up) are tinted with the second colour.
TEST(MenuColours, Style2SurfacesAroundTheGreyLevelThreshold)
{
    MenuScheme grey = kXp;
    grey.menu = 0xD7D7D7; // grey level 215
    grey.window = 0xD8D8D8; // 216
    Style2Colours colours = Style2ColoursFor(grey, false);
    EXPECT_EQ(colours.columnFill, 0xDDDDDDu);   // 215 + 40 x 40 / 255
    EXPECT_EQ(colours.textAreaFill, 0xD8D8D8u); // 186 + 30: 86 % of 216 and 14 % of 215
    EXPECT_EQ(Style2ColoursFor(kXp, false).columnFill, 0xF7EAE2u);
}

TEST(MenuColours, Style1GreyTextOnTheHighlight)
{
    EXPECT_EQ(Style1SelectedGrayText(0x808080, 0x6A240A), 0x808080u);
    // Equal to the highlight: lightened, or darkened when the highlight is white.
    EXPECT_EQ(Style1SelectedGrayText(0x808080, 0x808080), 0xB0B0B0u); // 128 + 127 x 96 / 255
    EXPECT_EQ(Style1SelectedGrayText(0xFFFFFF, 0xFFFFFF), 0x9F9F9Fu);
}

TEST(MenuColours, DrawModeOfEveryItemState)
{
    struct Case {
        bool selected, grayed;
        uint8_t disableSelect;
        bool showsSelection;
        DrawMode mode;
    };
    for (const Case& c : {Case{false, false, 1, false, kDrawNormal}, Case{true, false, 0, true, kDrawSelected},
                          Case{true, true, 1, true, kDrawGrayed}, Case{true, true, 0, false, kDrawGrayed},
                          Case{false, true, 1, false, kDrawGrayed}, Case{true, true, 0x80, true, kDrawGrayed}}) {
        ItemLook look = LookOfItem(c.selected, c.grayed, false, c.disableSelect);
        EXPECT_EQ(look.showsSelection(), c.showsSelection);
        EXPECT_EQ(look.drawMode(), c.mode);
    }
    EXPECT_EQ(FlatIconMode(kDrawSelected), kDrawNormal);
    EXPECT_EQ(FlatIconMode(kDrawGrayed), kDrawGrayed);
}

TEST(MenuColours, CheckMarkFontIsAtLeast15Pixels)
{
    EXPECT_EQ(CheckGlyphFontHeight(-1), -15);
    EXPECT_EQ(CheckGlyphFontHeight(-14), -15);
    EXPECT_EQ(CheckGlyphFontHeight(-15), -15);
    EXPECT_EQ(CheckGlyphFontHeight(-20), -20);
    EXPECT_EQ(CheckGlyphFontHeight(0), 0);
    EXPECT_EQ(CheckGlyphFontHeight(11), 11);
}
