#include "button/button_layout.h"

#include <gtest/gtest.h>

#include <climits>

using namespace varnelle;

namespace {
const ButtonRect kButton = {0, 0, 90, 30};
}

TEST(ButtonLayout, IconBesideTextOnANinetyByThirtyButton)
{
    ButtonLayout top = LayOutButton(kButton, kIconAlignTop, false, true);
    EXPECT_EQ(top.icon, (ButtonRect{0, 0, 90, 20}));
    EXPECT_EQ(top.text, (ButtonRect{0, 15, 90, 30}));

    ButtonLayout left = LayOutButton(kButton, kIconAlignLeft, false, true);
    EXPECT_EQ(left.icon, (ButtonRect{0, 0, 30, 30}));
    EXPECT_EQ(left.text, (ButtonRect{22, 0, 90, 30}));

    ButtonLayout right = LayOutButton(kButton, kIconAlignRight, false, true);
    EXPECT_EQ(right.icon, (ButtonRect{60, 0, 90, 30}));
    EXPECT_EQ(right.text, (ButtonRect{0, 0, 68, 30}));
}

TEST(ButtonLayout, UnknownAlignmentsAreLeft)
{
    ButtonLayout left = LayOutButton(kButton, kIconAlignLeft, false, true);
    for (uint32_t align : {0u, 0x300u, 0x600u, 0x101u, 0xFFFFFFFFu}) {
        ButtonLayout other = LayOutButton(kButton, align, false, true);
        EXPECT_EQ(other.icon, left.icon) << align;
        EXPECT_EQ(other.text, left.text) << align;
    }
}

TEST(ButtonLayout, IconOrTextAloneIsCentredOnTheWholeButton)
{
    for (uint32_t align : {kIconAlignLeft, kIconAlignRight, kIconAlignTop}) {
        ButtonLayout alone = LayOutButton(kButton, align, false, false);
        EXPECT_EQ(alone.icon, kButton);
        EXPECT_EQ(alone.text, kButton);
    }
}

TEST(ButtonLayout, PressWithoutEdgesPullsTheIconRectangleIn)
{
    ButtonLayout alone = LayOutButton(kButton, kIconAlignTop, true, false);
    EXPECT_EQ(alone.icon, (ButtonRect{0, 0, 86, 28}));
    EXPECT_EQ(alone.text, kButton);
    // The right alignment measures from the pulled-in edge; the top one moves the pulled-in
    // bottom; the left one sets the right edge afresh.
    EXPECT_EQ(LayOutButton(kButton, kIconAlignRight, true, true).icon, (ButtonRect{56, 0, 86, 28}));
    EXPECT_EQ(LayOutButton(kButton, kIconAlignTop, true, true).icon, (ButtonRect{0, 0, 86, 18}));
    EXPECT_EQ(LayOutButton(kButton, kIconAlignLeft, true, true).icon, (ButtonRect{0, 0, 30, 28}));
}

TEST(ButtonLayout, ThirdsRoundToNearestQuartersAndHalvesRoundDown)
{
    // 100 / 3 = 33.3 -> 33; 101 / 3 = 33.7 -> 34; 103 / 4 = 25; 31 / 2 = 15; 45 / 3 = 15.
    EXPECT_EQ(LayOutButton({0, 0, 100, 45}, kIconAlignLeft, false, true).icon.right, 33);
    EXPECT_EQ(LayOutButton({0, 0, 101, 45}, kIconAlignLeft, false, true).icon.right, 34);
    EXPECT_EQ(LayOutButton({0, 0, 103, 45}, kIconAlignLeft, false, true).text.left, 25);
    EXPECT_EQ(LayOutButton({0, 0, 103, 31}, kIconAlignTop, false, true).text.top, 15);
    EXPECT_EQ(LayOutButton({0, 0, 103, 45}, kIconAlignTop, false, true).icon.bottom, 30);
}

TEST(ButtonLayout, RectanglesOffTheOriginKeepTheirOffsets)
{
    ButtonLayout left = LayOutButton({10, 20, 100, 50}, kIconAlignLeft, false, true);
    EXPECT_EQ(left.icon, (ButtonRect{10, 20, 40, 50}));
    EXPECT_EQ(left.text, (ButtonRect{32, 20, 100, 50}));
    ButtonLayout top = LayOutButton({10, 20, 100, 50}, kIconAlignTop, false, true);
    EXPECT_EQ(top.icon, (ButtonRect{10, 20, 100, 40}));
    EXPECT_EQ(top.text, (ButtonRect{10, 35, 100, 50}));
}

TEST(ButtonLayout, AbsurdRectanglesDoNotOverflow)
{
    for (uint32_t align : {kIconAlignLeft, kIconAlignRight, kIconAlignTop}) {
        ButtonLayout huge = LayOutButton({INT_MIN, INT_MIN, INT_MAX, INT_MAX}, align, true, true);
        EXPECT_LE(huge.icon.left, huge.icon.right);
        ButtonLayout inverted = LayOutButton({50, 50, -50, -50}, align, true, true);
        EXPECT_EQ(inverted.text.bottom, -50);
        ButtonLayout edge = LayOutButton({INT_MIN, INT_MIN, INT_MIN, INT_MIN}, align, true, true);
        EXPECT_EQ(edge.icon.bottom, INT_MIN);
    }
}
