#include "core/rounding.h"
#include "menu/menu_measure_core.h"

#include <gtest/gtest.h>

#include <string>

using namespace varnelle;

namespace {

TextItemInput Text(uint32_t width, uint32_t height, bool inPopup, bool hasTab, uint32_t itemId = 100,
                   uint32_t iconHeight = 0)
{
    return {width, height, iconHeight, itemId, inPopup, hasTab};
}

} // namespace

TEST(MenuMeasure, WorkedExamples)
{
    // "&Open\tCtrl+O", 80 x 13, no icon.
    ItemSize popup = TextItemSize(Text(80, 13, true, true));
    EXPECT_EQ(popup.width, 135u);
    EXPECT_EQ(popup.height, 22u);
    ItemSize bar = TextItemSize(Text(80, 13, false, true));
    EXPECT_EQ(bar.width, 113u);
    EXPECT_EQ(bar.height, 20u);
    // "&Close\tAlt+F4" of the window menu, standard and shifted identifier.
    EXPECT_EQ(TextItemSize(Text(90, 13, true, true, 0xF060)).width, 180u);
    EXPECT_EQ(TextItemSize(Text(90, 13, true, true, 0xF061)).width, 180u);
    // Icon 32 high beside 13-pixel text.
    EXPECT_EQ(IconCellSize(13, 32), 36u);
    ItemSize withIcon = TextItemSize(Text(50, 13, true, false, 100, 32));
    EXPECT_EQ(withIcon.height, 38u);
    EXPECT_EQ(withIcon.width, 50u + 36 + 10);
}

TEST(MenuMeasure, IconCellIsTheLargerOfTextAndIcon)
{
    EXPECT_EQ(IconCellSize(13, 0), 20u);
    EXPECT_EQ(IconCellSize(13, 16), 20u);
    EXPECT_EQ(IconCellSize(13, 17), 21u);
    EXPECT_EQ(IconCellSize(0, 0), 7u);
    // The tab allowance is half the cell, rounded down: cell 21 gives 10 + 15.
    EXPECT_EQ(TextItemSize(Text(40, 13, true, true, 100, 17)).width, 40u + 21 + 10 + 25);
}

TEST(MenuMeasure, WindowMenuRangeOnlyInPopups)
{
    for (uint32_t id : {0xF000u, 0xF020u, 0xF121u, 0xF150u})
        EXPECT_EQ(TextItemSize(Text(10, 13, true, false, id)).width, 10u + 20 + 10 + 35) << std::hex << id;
    for (uint32_t id : {0xEFFFu, 0xF151u, 0u, 0xFFFFFFE6u})
        EXPECT_EQ(TextItemSize(Text(10, 13, true, false, id)).width, 10u + 20 + 10) << std::hex << id;
    EXPECT_EQ(TextItemSize(Text(10, 13, false, false, 0xF060)).width, 18u);
}

TEST(MenuMeasure, TabCountsOnce)
{
    EXPECT_EQ(TextItemSize(Text(80, 13, true, true)).width, TextItemSize(Text(80, 13, true, false)).width + 25);
}

TEST(MenuMeasure, RuleByKindAndIdentifier)
{
    EXPECT_EQ(RuleForItem(0x800, 0), MeasureRule::Separator);
    EXPECT_EQ(RuleForItem(0x900, 0), MeasureRule::Separator);         // owner-drawn band
    EXPECT_EQ(RuleForItem(0x820, 0xFFFFFFE6), MeasureRule::Separator); // menubarbreak kept
    EXPECT_EQ(RuleForItem(0x004, 0), MeasureRule::ItemBitmap);
    EXPECT_EQ(RuleForItem(0x104, 0), MeasureRule::ItemBitmap);
    EXPECT_EQ(RuleForItem(0x804, 0), MeasureRule::LeaveAlone);
    EXPECT_EQ(RuleForItem(0x004, 7), MeasureRule::Text);
    EXPECT_EQ(RuleForItem(0x804, 7), MeasureRule::Text);
    EXPECT_EQ(RuleForItem(0x000, 0), MeasureRule::Text);
    EXPECT_EQ(RuleForItem(0x100, 42), MeasureRule::Text);
}

TEST(MenuMeasure, SeparatorSizes)
{
    auto expect = [](ItemSize size, uint32_t width, uint32_t height) {
        EXPECT_EQ(size.width, width);
        EXPECT_EQ(size.height, height);
    };
    expect(SeparatorSize(false, false, 0, 8), 8, 8);
    expect(SeparatorSize(false, true, 40, 8), 8, 8);
    expect(SeparatorSize(true, false, 0, 8), 8, 6);
    expect(SeparatorSize(true, true, 0, 8), 8, 5);
    expect(SeparatorSize(true, true, 33, 8), 33, 5);
    expect(SeparatorSize(true, true, -4, 8), 8, 5);
}

TEST(MenuMeasure, SysMenuGlyphCharacters)
{
    EXPECT_EQ(SysMenuGlyphChar(8), 'r');
    EXPECT_EQ(SysMenuGlyphChar(9), '2');
    EXPECT_EQ(SysMenuGlyphChar(10), '1');
    EXPECT_EQ(SysMenuGlyphChar(11), '0');
    for (intptr_t code : {intptr_t(0), intptr_t(7), intptr_t(12), intptr_t(-1), intptr_t(0x10008)})
        EXPECT_EQ(SysMenuGlyphChar(code), 0) << code;
}

// At other DPIs than 96 the lengths of 96 DPI are scaled (MulDiv rounding), the two
// one-pixel rows of a popup item are not; a DPI that cannot be read counts as 96.
TEST(MenuMeasure, LengthsScaleWithTheDpi)
{
    struct Row {
        int32_t dpi;
        uint32_t cell;       // text 13 pixels high at 96 DPI, scaled: the cell around it
        uint32_t popupWidth; // 80 pixels of text with an accelerator
        ItemSize separator, callback;
        int32_t checkFont; // of a menu font of -11 at 96 DPI, scaled
    };
    const Row rows[] = {
        {96, 13 + 7, 80 + 20 + 10 + 10 + 15, {8, 6}, {8, 5}, -15},
        {120, 16 + 9, 100 + 25 + 13 + 12 + 19, {10, 8}, {10, 6}, -19},
        {144, 20 + 11, 120 + 31 + 15 + 15 + 23, {12, 9}, {12, 8}, -23},
        {192, 26 + 14, 160 + 40 + 20 + 20 + 30, {16, 12}, {16, 10}, -30},
        {0, 13 + 7, 80 + 20 + 10 + 10 + 15, {8, 6}, {8, 5}, -15},
    };
    for (const Row& row : rows) {
        const int32_t dpi = row.dpi ? row.dpi : 96;
        const uint32_t text = static_cast<uint32_t>(MulDivKernel(13, dpi, 96));
        EXPECT_EQ(IconCellSize(text, 16, row.dpi), row.cell) << row.dpi;
        TextItemInput input = {static_cast<uint32_t>(MulDivKernel(80, dpi, 96)), text, 0, 100, true, true, row.dpi};
        EXPECT_EQ(TextItemSize(input).width, row.popupWidth) << row.dpi;
        EXPECT_EQ(TextItemSize(input).height, row.cell + 2) << row.dpi;
        EXPECT_EQ(SeparatorSize(true, false, 0, 8, row.dpi).height, row.separator.height) << row.dpi;
        EXPECT_EQ(SeparatorSize(true, true, 0, 8, row.dpi).width, row.callback.width) << row.dpi;
        EXPECT_EQ(SeparatorSize(true, true, 0, 8, row.dpi).height, row.callback.height) << row.dpi;
        EXPECT_EQ(SeparatorSize(true, true, 33, 8, row.dpi).width, 33u) << "the callback's own width";
        EXPECT_EQ(CheckGlyphFontHeight(-MulDivKernel(11, dpi, 96), row.dpi), row.checkFont) << row.dpi;
        EXPECT_EQ(CheckGlyphFontHeight(-40, row.dpi), -40);
    }
}
