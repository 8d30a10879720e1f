// SetMenuItemIcon and SetMenuIcon through the DLL, on real menus and image lists.
#include "common/test_support.h"
#include "varnelle.h"

#include <gtest/gtest.h>

#include <vector>

using namespace testing_support;

namespace {

int WINAPI KeepBand(HMENU, HDC, RECT*)
{
    return 0;
}

ULONG_PTR DataOf(HMENU menu, UINT id)
{
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_DATA;
    EXPECT_TRUE(GetMenuItemInfoA(menu, id, FALSE, &info)) << id;
    return info.dwItemData;
}

HICON IconOf(HMENU menu, UINT id)
{
    return reinterpret_cast<HICON>(DataOf(menu, id));
}

void InsertSeparator(HMENU menu, UINT id, ULONG_PTR data)
{
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA;
    info.fType = MFT_SEPARATOR;
    info.wID = id;
    info.dwItemData = data;
    InsertMenuItemA(menu, GetMenuItemCount(menu), TRUE, &info);
}

COLORREF CentreOf(HICON icon)
{
    DibSurface surface(16, 16, RGB(1, 2, 3));
    DrawIconEx(surface.dc(), 0, 0, icon, 16, 16, 0, nullptr, DI_NORMAL);
    return surface.at(8, 8);
}

// A menu bar with File (New, Recent > one.txt, a separator 77) and Edit (Copy).
struct MenuTree {
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    HMENU recent = CreatePopupMenu();
    HMENU edit = CreatePopupMenu();
    MenuTree()
    {
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), "&Edit");
        AppendMenuA(file, MF_STRING, 10, "&New");
        AppendMenuA(file, MF_POPUP, reinterpret_cast<UINT_PTR>(recent), "&Recent");
        AppendMenuA(recent, MF_STRING, 20, "one.txt");
        InsertSeparator(file, 77, 0);
        AppendMenuA(edit, MF_STRING, 30, "&Copy");
    }
    ~MenuTree() { DestroyMenu(bar); }
};

class ImageStrip {
public:
    explicit ImageStrip(std::initializer_list<COLORREF> colours)
        : list_(ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 4, 0))
    {
        for (COLORREF colour : colours) {
            HICON icon = MakeSolidIcon(16, colour);
            ImageList_AddIcon(list_, icon);
            DestroyIcon(icon);
        }
    }
    ~ImageStrip() { ImageList_Destroy(list_); }
    HIMAGELIST get() const { return list_; }

private:
    HIMAGELIST list_;
};

const COLORREF kRed = RGB(220, 0, 0);
const COLORREF kGreen = RGB(0, 200, 0);
const COLORREF kBlue = RGB(0, 0, 210);

} // namespace

TEST(MenuIcons, AnItemInAnySubmenuIsReachedByItsCommandIdentifier)
{
    MenuTree tree;
    HICON icon = MakeSolidIcon(16, kRed);
    EXPECT_NE(SetMenuItemIcon(tree.bar, 20, icon), 0);
    EXPECT_EQ(IconOf(tree.recent, 20), icon);
    EXPECT_NE(SetMenuItemIcon(tree.bar, 30, icon), 0);
    EXPECT_EQ(IconOf(tree.edit, 30), icon);
    EXPECT_NE(SetMenuItemIcon(tree.file, 10, icon), 0);
    EXPECT_EQ(IconOf(tree.file, 10), icon);
    EXPECT_NE(SetMenuItemIcon(tree.bar, 20, nullptr), 0);
    EXPECT_EQ(IconOf(tree.recent, 20), nullptr);
    EXPECT_EQ(SetMenuItemIcon(tree.bar, 999, icon), 0);
    DestroyMenu(tree.bar);
    tree.bar = nullptr;
    // The icon stays the application's: destroying the menu leaves it alive.
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
}

TEST(MenuIcons, SeparatorsKeepTheirCallbackWord)
{
    MenuTree tree;
    InsertSeparator(tree.edit, 78, reinterpret_cast<ULONG_PTR>(KeepBand));
    HICON icon = MakeSolidIcon(16, kRed);
    EXPECT_EQ(SetMenuItemIcon(tree.bar, 77, icon), 0);
    EXPECT_EQ(DataOf(tree.file, 77), 0u);
    EXPECT_EQ(SetMenuItemIcon(tree.bar, 78, icon), 0);
    EXPECT_EQ(DataOf(tree.edit, 78), reinterpret_cast<ULONG_PTR>(KeepBand));
    // Clearing a separator's word is harmless and allowed.
    EXPECT_NE(SetMenuItemIcon(tree.bar, 78, nullptr), 0);
    EXPECT_EQ(DataOf(tree.edit, 78), 0u);
    DestroyIcon(icon);
}

TEST(MenuIcons, SetMenuIconStoresANewIconPerEntry)
{
    MenuTree tree;
    ImageStrip images({kRed, kGreen, kBlue});
    const MenuIconEntry entries[] = {{10, 0}, {20, 1}, {30, 2}};
    EXPECT_NE(SetMenuIcon(tree.bar, images.get(), 3, entries), 0);
    HICON first[3] = {IconOf(tree.file, 10), IconOf(tree.recent, 20), IconOf(tree.edit, 30)};
    EXPECT_EQ(CentreOf(first[0]), kRed);
    EXPECT_EQ(CentreOf(first[1]), kGreen);
    EXPECT_EQ(CentreOf(first[2]), kBlue);
    EXPECT_NE(first[0], first[1]);
    EXPECT_NE(first[1], first[2]);

    // A second call makes new icons and leaves the earlier ones to the application.
    EXPECT_NE(SetMenuIcon(tree.bar, images.get(), 3, entries), 0);
    for (int i = 0; i < 3; ++i) {
        HICON now = IconOf(i == 0 ? tree.file : i == 1 ? tree.recent : tree.edit, entries[i].commandId);
        EXPECT_NE(now, first[i]);
        EXPECT_EQ(CentreOf(first[i]), CentreOf(now));
        DestroyIcon(first[i]);
        DestroyIcon(now);
    }
}

TEST(MenuIcons, SetMenuIconReturnsTheResultForTheLastEntry)
{
    MenuTree tree;
    ImageStrip images({kRed, kGreen});
    const MenuIconEntry lastMissing[] = {{10, 0}, {20, 1}, {999, 0}};
    EXPECT_EQ(SetMenuIcon(tree.bar, images.get(), 3, lastMissing), 0);
    EXPECT_EQ(CentreOf(IconOf(tree.file, 10)), kRed);
    EXPECT_EQ(CentreOf(IconOf(tree.recent, 20)), kGreen);
    DestroyIcon(IconOf(tree.file, 10));
    DestroyIcon(IconOf(tree.recent, 20));

    // A failing image index stores no icon, and the item's earlier icon is dropped.
    HICON earlier = MakeSolidIcon(16, kBlue);
    SetMenuItemIcon(tree.bar, 30, earlier);
    const MenuIconEntry badIndex[] = {{30, 99}};
    EXPECT_NE(SetMenuIcon(tree.bar, images.get(), 1, badIndex), 0);
    EXPECT_EQ(IconOf(tree.edit, 30), nullptr);
    SetMenuItemIcon(tree.bar, 30, earlier);
    EXPECT_NE(SetMenuIcon(tree.bar, nullptr, 1, badIndex), 0);
    EXPECT_EQ(IconOf(tree.edit, 30), nullptr);

    // An entry naming a separator is refused like SetMenuItemIcon refuses it.
    const MenuIconEntry separator[] = {{77, 0}};
    EXPECT_EQ(SetMenuIcon(tree.bar, images.get(), 1, separator), 0);
    EXPECT_EQ(DataOf(tree.file, 77), 0u);
    DestroyIcon(earlier);
}

TEST(MenuIcons, SetMenuIconWithNothingToStoreReturnsZero)
{
    MenuTree tree;
    ImageStrip images({kRed});
    HICON earlier = MakeSolidIcon(16, kBlue);
    SetMenuItemIcon(tree.bar, 10, earlier);
    const MenuIconEntry entries[] = {{10, 0}};
    EXPECT_EQ(SetMenuIcon(tree.bar, images.get(), 0, entries), 0);
    EXPECT_EQ(SetMenuIcon(tree.bar, images.get(), -1, entries), 0);
    EXPECT_EQ(SetMenuIcon(tree.bar, images.get(), 2, nullptr), 0);
    EXPECT_EQ(IconOf(tree.file, 10), earlier);
    DestroyIcon(earlier);
}

TEST(MenuIcons, IconsThatNoItemTakesAreNotLeaked)
{
    MenuTree tree;
    ImageStrip images({kRed});
    const MenuIconEntry missing[] = {{999, 0}, {77, 0}};
    SetMenuIcon(tree.bar, images.get(), 2, missing);
    int before = CountFreeGdiHandles();
    for (int i = 0; i < 300; ++i)
        EXPECT_EQ(SetMenuIcon(tree.bar, images.get(), 2, missing), 0);
    EXPECT_EQ(CountFreeGdiHandles(), before);
}

TEST(MenuIcons, InvalidAndDestroyedMenusAreRefused)
{
    ImageStrip images({kRed});
    HICON icon = MakeSolidIcon(16, kRed);
    const MenuIconEntry entries[] = {{10, 0}};
    HMENU destroyed = CreatePopupMenu();
    AppendMenuA(destroyed, MF_STRING, 10, "Gone");
    DestroyMenu(destroyed);
    TestWindow window;
    std::vector<HMENU> bad = {nullptr, destroyed, reinterpret_cast<HMENU>(window.hwnd()),
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(0x12345))};
    for (HMENU menu : bad) {
        EXPECT_EQ(SetMenuItemIcon(menu, 10, icon), 0);
        EXPECT_EQ(SetMenuIcon(menu, images.get(), 1, entries), 0);
        EXPECT_EQ(AddLeftBorder(menu, KeepBand, 1), 0);
        EXPECT_EQ(RemoveLeftBorder(menu), 0);
    }
    DestroyIcon(icon);
}
