// Test helpers for the menu hook: reading items back, whole-tree snapshots, the Windows
// release the test runs under, and driving the system's own menu loop.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace menu_testing {

struct ItemState {
    UINT type = 0;
    UINT state = 0;
    UINT id = 0;
    HMENU submenu = nullptr;
    ULONG_PTR data = 0;
    std::string text;

    bool ownerDrawn() const { return (type & MFT_OWNERDRAW) != 0; }
    bool operator==(const ItemState&) const = default;
};

inline ItemState ItemAt(HMENU menu, UINT position)
{
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA;
    ItemState item;
    if (!GetMenuItemInfoA(menu, position, TRUE, &info))
        return item;
    item.type = info.fType;
    item.state = info.fState;
    item.id = info.wID;
    item.submenu = info.hSubMenu;
    item.data = info.dwItemData;
    char text[256] = {};
    int length = GetMenuStringA(menu, position, text, sizeof(text), MF_BYPOSITION);
    item.text.assign(text, length > 0 ? length : 0);
    return item;
}

// Every item of the tree, depth first, each submenu after the item that holds it.
inline void CollectTree(HMENU menu, std::vector<ItemState>* items)
{
    int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        items->push_back(ItemAt(menu, static_cast<UINT>(position)));
        if (HMENU submenu = items->back().submenu)
            CollectTree(submenu, items);
    }
}

inline std::vector<ItemState> Tree(HMENU menu)
{
    std::vector<ItemState> items;
    CollectTree(menu, &items);
    return items;
}

inline ULONG_PTR MenuData(HMENU menu)
{
    MENUINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIM_MENUDATA;
    GetMenuInfo(menu, &info);
    return info.dwMenuData;
}

inline void SetMenuData(HMENU menu, ULONG_PTR data)
{
    MENUINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIM_MENUDATA;
    info.dwMenuData = data;
    SetMenuInfo(menu, &info);
}

// A separator whose data word holds a callback, without MFT_OWNERDRAW.
inline void AppendCallbackSeparator(HMENU menu, int(WINAPI* callback)(HMENU, HDC, RECT*))
{
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    info.fType = MFT_SEPARATOR;
    info.dwItemData = reinterpret_cast<ULONG_PTR>(callback);
    InsertMenuItemA(menu, GetMenuItemCount(menu), TRUE, &info);
}

// The release as the system reports it to this executable (Wine's per-application version).
inline bool RunningOnWindows2000OrXp()
{
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    GetVersionExA(&info);
    return !(GetVersion() & 0x80000000u) && info.dwMajorVersion == 5 && info.dwMinorVersion <= 1;
}

inline bool RunningOnWindowsXp()
{
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    GetVersionExA(&info);
    return !(GetVersion() & 0x80000000u) && info.dwMajorVersion == 5 && info.dwMinorVersion == 1;
}

// A menu bar: "&File" {100 "&Open\tCtrl+O", separator, "&Recent" {110 "One", 111 "Two"},
// 101 "E&xit"} and "&Help" {120 "&About"}.
struct SampleBar {
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    HMENU recent = CreatePopupMenu();
    HMENU help = CreatePopupMenu();

    SampleBar()
    {
        AppendMenuA(recent, MF_STRING, 110, "One");
        AppendMenuA(recent, MF_STRING, 111, "Two");
        AppendMenuA(file, MF_STRING, 100, "&Open\tCtrl+O");
        AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(file, MF_POPUP, reinterpret_cast<UINT_PTR>(recent), "&Recent");
        AppendMenuA(file, MF_STRING, 101, "E&xit");
        AppendMenuA(help, MF_STRING, 120, "&About");
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), "&Help");
    }
    ~SampleBar()
    {
        if (IsMenu(bar))
            DestroyMenu(bar);
    }
    SampleBar(const SampleBar&) = delete;
    SampleBar& operator=(const SampleBar&) = delete;
};

} // namespace menu_testing
