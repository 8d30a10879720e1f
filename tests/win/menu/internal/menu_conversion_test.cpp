// The four conversion routines and the style stamp on real menu trees.
#include "core/exports.h"
#include "menu/menu_internal.h"
#include "menu/menu_tree_testing.h"

#include <gtest/gtest.h>

using namespace menu_testing;
using namespace varnelle;

namespace {

int WINAPI Band(HMENU, HDC, RECT*)
{
    return 0;
}
const ULONG_PTR kBandWord = reinterpret_cast<ULONG_PTR>(Band);

// A submenu item inserted without an identifier.
void AppendIdlessSubmenu(HMENU menu, HMENU submenu, const char* text)
{
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_SUBMENU | MIIM_STRING;
    info.hSubMenu = submenu;
    info.dwTypeData = const_cast<char*>(text);
    InsertMenuItemA(menu, GetMenuItemCount(menu), TRUE, &info);
}

std::vector<bool> OwnerDrawn(HMENU menu)
{
    std::vector<bool> flags;
    for (const ItemState& item : Tree(menu))
        flags.push_back(item.ownerDrawn());
    return flags;
}

} // namespace

TEST(ConvertToOwnerDraw, SeparatorsAfterAnItemGetTheRunOfSyntheticIdentifiers)
{
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 100, "&Open\tCtrl+O");
    AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
    ConvertToOwnerDraw(popup);
    EXPECT_EQ(ItemAt(popup, 0).type, static_cast<UINT>(MFT_OWNERDRAW));
    EXPECT_EQ(ItemAt(popup, 0).id, 100u);
    EXPECT_EQ(ItemAt(popup, 0).text, "&Open\tCtrl+O");
    EXPECT_EQ(ItemAt(popup, 1).type, static_cast<UINT>(MFT_SEPARATOR | MFT_OWNERDRAW));
    EXPECT_EQ(ItemAt(popup, 1).id, 0xFFFFFFE6u);
    EXPECT_EQ(ItemAt(popup, 2).type, static_cast<UINT>(MFT_SEPARATOR | MFT_OWNERDRAW));
    EXPECT_EQ(ItemAt(popup, 2).id, 0xFFFFFF8Du);
    DestroyMenu(popup);
}

TEST(ConvertToOwnerDraw, OnlyTheOwnerDrawBitChanges)
{
    HMENU popup = CreatePopupMenu();
    HICON icon = LoadIcon(nullptr, IDI_APPLICATION);
    AppendMenuA(popup, MF_STRING | MF_CHECKED | MF_GRAYED, 200, "&Checked");
    MENUITEMINFOA radio = {};
    radio.cbSize = sizeof(radio);
    radio.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_DATA | MIIM_STATE;
    radio.fType = MFT_RADIOCHECK | MFT_MENUBARBREAK;
    radio.fState = MFS_CHECKED | MFS_DEFAULT;
    radio.wID = 201;
    radio.dwTypeData = const_cast<char*>("&Radio");
    radio.dwItemData = reinterpret_cast<ULONG_PTR>(icon);
    InsertMenuItemA(popup, 1, TRUE, &radio);
    AppendMenuA(popup, MF_STRING | MF_MENUBREAK, 202, "Next column");

    std::vector<ItemState> before = Tree(popup);
    ConvertToOwnerDraw(popup);
    std::vector<ItemState> after = Tree(popup);
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < after.size(); ++i) {
        ItemState expected = before[i];
        expected.type |= MFT_OWNERDRAW;
        EXPECT_EQ(after[i], expected) << i;
    }
    EXPECT_EQ(after[1].data, reinterpret_cast<ULONG_PTR>(icon));
    DestroyMenu(popup);
}

TEST(ConvertToOwnerDraw, WalksEveryDepthAndNumbersEachMenuOnItsOwn)
{
    HMENU top = CreatePopupMenu();
    HMENU middle = CreatePopupMenu();
    HMENU deep = CreatePopupMenu();
    AppendMenuA(deep, MF_SEPARATOR, 0, nullptr); // first item, id-less
    AppendMenuA(deep, MF_STRING, 300, "Deep");
    AppendMenuA(middle, MF_STRING, 1000, "Middle");
    AppendIdlessSubmenu(middle, deep, "Deeper");
    AppendMenuA(middle, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(top, MF_STRING, 75, "Top");
    AppendIdlessSubmenu(top, middle, "More");
    AppendMenuA(top, MF_SEPARATOR, 0, nullptr);

    ConvertToOwnerDraw(top);
    EXPECT_EQ(OwnerDrawn(top), std::vector<bool>(8, true));
    // An id-less item at position 0 follows the fixed predecessor 0.
    EXPECT_EQ(ItemAt(deep, 0).id, 0xFFFFFF59u);
    EXPECT_EQ(ItemAt(deep, 1).id, 300u);
    // A submenu item without an identifier gets one, and the next item follows it.
    EXPECT_EQ(ItemAt(middle, 1).id, 0xFFFFFC62u);          // after 1000
    EXPECT_EQ(ItemAt(middle, 1).submenu, deep);
    EXPECT_EQ(ItemAt(middle, 2).id, 0xFFFFFE8Eu);
    EXPECT_EQ(ItemAt(top, 1).id, 0xFFFFFFFFu);             // after 75
    EXPECT_EQ(ItemAt(top, 1).submenu, middle);
    EXPECT_EQ(ItemAt(top, 2).id, 0xFFFFFF5Bu);
    DestroyMenu(top);
}

TEST(ConvertToOwnerDraw, ItemsAlreadyOwnerDrawnAreNotWrittenAndKeepIdentifierZero)
{
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 100, "Item");
    AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
    ASSERT_EQ(AddLeftBorder(popup, Band, 1), TRUE);
    ConvertToOwnerDraw(popup);
    ItemState band = ItemAt(popup, 0);
    EXPECT_EQ(band.type, static_cast<UINT>(MFT_SEPARATOR | MFT_OWNERDRAW));
    EXPECT_EQ(band.id, 0u);
    EXPECT_EQ(band.data, kBandWord);
    EXPECT_EQ(ItemAt(popup, 1).type, static_cast<UINT>(MFT_OWNERDRAW | MFT_MENUBARBREAK));
    EXPECT_EQ(ItemAt(popup, 2).id, 0xFFFFFFE6u);
    DestroyMenu(popup);
}

TEST(ConvertToOwnerDraw, AfterIdentifier37TheStalledPredecessorGetsItsReplacement)
{
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 37, "Thirty-seven");
    AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
    ConvertToOwnerDraw(popup); // must return: the rule's own loop would never end here
    EXPECT_EQ(ItemAt(popup, 1).id, 0xFFFFFF0Fu);
    EXPECT_EQ(ItemAt(popup, 2).id, 0xFFFF8000u);
    EXPECT_EQ(ItemAt(popup, 3).id, 0xFFFF822Cu);
    DestroyMenu(popup);
}

TEST(ConvertToOwnerDraw, ConvertingTwiceChangesNothing)
{
    SampleBar sample;
    ConvertToOwnerDraw(sample.bar);
    std::vector<ItemState> once = Tree(sample.bar);
    ConvertToOwnerDraw(sample.bar);
    EXPECT_EQ(Tree(sample.bar), once);
    EXPECT_EQ(OwnerDrawn(sample.bar), std::vector<bool>(once.size(), true));
}

TEST(ConvertSubmenus, LeavesTheBarAndConvertsEveryPopupBelowIt)
{
    SampleBar sample;
    AppendMenuA(sample.bar, MF_SEPARATOR, 0, nullptr);
    std::vector<ItemState> bar = {ItemAt(sample.bar, 0), ItemAt(sample.bar, 1), ItemAt(sample.bar, 2)};
    ConvertSubmenus(sample.bar);
    for (UINT position = 0; position < 3; ++position)
        EXPECT_EQ(ItemAt(sample.bar, position), bar[position]) << position;
    for (HMENU popup : {sample.file, sample.recent, sample.help})
        for (int position = 0; position < GetMenuItemCount(popup); ++position)
            EXPECT_TRUE(ItemAt(popup, position).ownerDrawn()) << position;
    EXPECT_EQ(ItemAt(sample.file, 1).id, 0xFFFFFFE6u);
}

TEST(RevertToSystemDraw, OnlyCallbackSeparatorsStayOwnerDrawnAtEveryDepth)
{
    SampleBar sample;
    HICON icon = LoadIcon(nullptr, IDI_APPLICATION);
    MENUITEMINFOA withIcon = {};
    withIcon.cbSize = sizeof(withIcon);
    withIcon.fMask = MIIM_DATA;
    withIcon.dwItemData = reinterpret_cast<ULONG_PTR>(icon);
    SetMenuItemInfoA(sample.bar, 110, FALSE, &withIcon);
    AppendCallbackSeparator(sample.recent, Band);   // nested, not owner-drawn yet
    AppendCallbackSeparator(sample.bar, Band);      // in the bar itself
    ASSERT_TRUE(AddLeftBorder(sample.file, Band, 0));
    ConvertToOwnerDraw(sample.bar);
    ClearBarOwnerDraw(sample.bar);            // the bar's callback separator loses the bit
    ClearBarOwnerDraw(sample.recent);         // and so does the nested one
    ASSERT_FALSE(ItemAt(sample.recent, 2).ownerDrawn());
    std::vector<ItemState> converted = Tree(sample.bar);

    RevertToSystemDraw(sample.bar);
    std::vector<ItemState> reverted = Tree(sample.bar);
    ASSERT_EQ(reverted.size(), converted.size());
    for (size_t i = 0; i < reverted.size(); ++i) {
        const ItemState& item = reverted[i];
        bool callbackSeparator = (item.type & MFT_SEPARATOR) && item.data != 0;
        EXPECT_EQ(item.ownerDrawn(), callbackSeparator) << i;
        // Identifiers, icons, texts and the other bits stay.
        ItemState expected = converted[i];
        expected.type = (expected.type & ~static_cast<UINT>(MFT_OWNERDRAW)) | (item.type & MFT_OWNERDRAW);
        EXPECT_EQ(item, expected) << i;
    }
    EXPECT_TRUE(ItemAt(sample.file, 0).ownerDrawn());   // the band
    EXPECT_FALSE(ItemAt(sample.file, 2).ownerDrawn());  // a plain separator
    EXPECT_EQ(ItemAt(sample.file, 2).id, 0xFFFFFFE6u);  // keeps its synthetic identifier
    EXPECT_TRUE(ItemAt(sample.recent, 2).ownerDrawn());
    EXPECT_TRUE(ItemAt(sample.bar, 2).ownerDrawn());
    EXPECT_EQ(ItemAt(sample.recent, 0).data, reinterpret_cast<ULONG_PTR>(icon));
}

TEST(ClearBarOwnerDraw, ClearsTheBarItemsOnlyAndSparesNoCallbackSeparator)
{
    SampleBar sample;
    AppendCallbackSeparator(sample.bar, Band);
    ConvertToOwnerDraw(sample.bar);
    std::vector<ItemState> file = Tree(sample.file);
    ClearBarOwnerDraw(sample.bar);
    for (UINT position = 0; position < 3; ++position)
        EXPECT_FALSE(ItemAt(sample.bar, position).ownerDrawn()) << position;
    EXPECT_EQ(ItemAt(sample.bar, 2).data, kBandWord);
    EXPECT_EQ(Tree(sample.file), file);
}

TEST(Conversion, EmptyInvalidAndDestroyedMenusAreLeftAlone)
{
    HMENU empty = CreatePopupMenu();
    HMENU destroyed = CreatePopupMenu();
    AppendMenuA(destroyed, MF_STRING, 1, "x");
    DestroyMenu(destroyed);
    for (HMENU menu : {empty, destroyed, static_cast<HMENU>(nullptr), reinterpret_cast<HMENU>(0x12345)}) {
        ConvertToOwnerDraw(menu);
        ConvertSubmenus(menu);
        RevertToSystemDraw(menu);
        ClearBarOwnerDraw(menu);
        StampMenuStyle(menu, 2);
    }
    EXPECT_EQ(GetMenuItemCount(empty), 0);
    EXPECT_EQ(MenuData(empty), 2u); // the stamp reaches a valid menu, even an empty one
    DestroyMenu(empty);
}

TEST(StampMenuStyle, EveryMenuOfTheTreeCarriesTheStyle)
{
    SampleBar sample;
    SetMenuData(sample.recent, 0xABCD); // the application's own word is overwritten
    HMENU unrelated = CreatePopupMenu();
    StampMenuStyle(sample.bar, 3);
    for (HMENU menu : {sample.bar, sample.file, sample.recent, sample.help})
        EXPECT_EQ(GetStyleMenu(menu), 3);
    EXPECT_EQ(GetStyleMenu(unrelated), 0);
    StampMenuStyle(sample.file, 1); // a subtree only
    EXPECT_EQ(GetStyleMenu(sample.bar), 3);
    EXPECT_EQ(GetStyleMenu(sample.file), 1);
    EXPECT_EQ(GetStyleMenu(sample.recent), 1);
    EXPECT_EQ(GetStyleMenu(sample.help), 3);
    DestroyMenu(unrelated);
}
