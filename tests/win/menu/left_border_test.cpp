// AddLeftBorder and RemoveLeftBorder through the DLL: the items they write.
#include "common/test_support.h"
#include "varnelle.h"

#include <gtest/gtest.h>

namespace {

int WINAPI Band(HMENU, HDC, RECT*)
{
    return 20;
}

struct Item {
    UINT type;
    UINT id;
    ULONG_PTR data;
};

Item At(HMENU menu, UINT position)
{
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA;
    EXPECT_TRUE(GetMenuItemInfoA(menu, position, TRUE, &info)) << position;
    return {info.fType, info.wID, info.dwItemData};
}

const ULONG_PTR kBandWord = reinterpret_cast<ULONG_PTR>(Band);

HMENU ThreeItems()
{
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 100, "&Open");
    AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(popup, MF_STRING, 101, "E&xit");
    return popup;
}

} // namespace

TEST(LeftBorder, BandStandsInAColumnOfItsOwn)
{
    for (int divider : {1, 0, 0x100, 0x7F01}) {
        HMENU popup = ThreeItems();
        UINT firstType = At(popup, 0).type;
        int result = AddLeftBorder(popup, Band, divider);
        EXPECT_NE(result, 0) << divider;
        ASSERT_EQ(GetMenuItemCount(popup), 4);
        Item band = At(popup, 0);
        EXPECT_EQ(band.type, static_cast<UINT>(MFT_SEPARATOR | MFT_OWNERDRAW));
        EXPECT_EQ(band.id, 0u);
        EXPECT_EQ(band.data, kBandWord);
        // Only the low byte of the divider counts.
        UINT columnBreak = (divider & 0xFF) ? MFT_MENUBARBREAK : MFT_MENUBREAK;
        EXPECT_EQ(At(popup, 1).type, firstType | columnBreak) << divider;
        EXPECT_EQ(At(popup, 2).type, static_cast<UINT>(MFT_SEPARATOR));

        EXPECT_NE(RemoveLeftBorder(popup), 0);
        ASSERT_EQ(GetMenuItemCount(popup), 3);
        EXPECT_EQ(At(popup, 0).type, firstType);
        EXPECT_EQ(At(popup, 0).id, 100u);
        DestroyMenu(popup);
    }
}

TEST(LeftBorder, EmptyMenuGetsABandWithoutAColumnBreak)
{
    HMENU popup = CreatePopupMenu();
    EXPECT_EQ(AddLeftBorder(popup, Band, 1), 0);
    ASSERT_EQ(GetMenuItemCount(popup), 1);
    EXPECT_EQ(At(popup, 0).data, kBandWord);
    // Removing the lone band succeeds and leaves the menu empty.
    EXPECT_NE(RemoveLeftBorder(popup), 0);
    EXPECT_EQ(GetMenuItemCount(popup), 0);
    EXPECT_EQ(RemoveLeftBorder(popup), 0);
    DestroyMenu(popup);
}

TEST(LeftBorder, TwoBandsComeOffOneAtATime)
{
    HMENU popup = ThreeItems();
    UINT firstType = At(popup, 0).type;
    EXPECT_NE(AddLeftBorder(popup, Band, 0), 0);
    EXPECT_NE(AddLeftBorder(popup, Band, 1), 0);
    ASSERT_EQ(GetMenuItemCount(popup), 5);
    EXPECT_EQ(At(popup, 1).type, static_cast<UINT>(MFT_SEPARATOR | MFT_OWNERDRAW | MFT_MENUBARBREAK));
    EXPECT_NE(RemoveLeftBorder(popup), 0);
    EXPECT_EQ(At(popup, 0).type, static_cast<UINT>(MFT_SEPARATOR | MFT_OWNERDRAW));
    EXPECT_EQ(At(popup, 1).type, firstType | MFT_MENUBREAK);
    EXPECT_NE(RemoveLeftBorder(popup), 0);
    EXPECT_EQ(At(popup, 0).type, firstType);
    EXPECT_EQ(GetMenuItemCount(popup), 3);
    DestroyMenu(popup);
}

TEST(LeftBorder, OnlyACallbackSeparatorAtTheTopIsTakenForABand)
{
    // A plain separator first: nothing is removed.
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(popup, MF_STRING | MF_MENUBARBREAK, 100, "&Open");
    EXPECT_EQ(RemoveLeftBorder(popup), 0);
    EXPECT_EQ(GetMenuItemCount(popup), 2);
    EXPECT_EQ(At(popup, 1).type, static_cast<UINT>(MFT_MENUBARBREAK));

    // A text item carrying a data word is no band either.
    HMENU text = ThreeItems();
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_DATA;
    info.dwItemData = kBandWord;
    SetMenuItemInfoA(text, 0, TRUE, &info);
    EXPECT_EQ(RemoveLeftBorder(text), 0);
    EXPECT_EQ(GetMenuItemCount(text), 3);

    // A callback separator that is not owner-drawn is.
    SetMenuItemInfoA(popup, 0, TRUE, &info);
    EXPECT_NE(RemoveLeftBorder(popup), 0);
    EXPECT_EQ(GetMenuItemCount(popup), 1);
    EXPECT_EQ(At(popup, 0).type, 0u);
    DestroyMenu(popup);
    DestroyMenu(text);
}

TEST(LeftBorder, NullCallbackInsertsNothing)
{
    HMENU popup = ThreeItems();
    EXPECT_EQ(AddLeftBorder(popup, nullptr, 1), 0);
    EXPECT_EQ(GetMenuItemCount(popup), 3);
    EXPECT_EQ(At(popup, 0).id, 100u);
    DestroyMenu(popup);
}
