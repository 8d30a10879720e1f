// Separators whose data word holds the application's own data, not a callback: they are
// plain separators, never called; real callbacks beside them still are.
#include "reliability/host_testing.h"
#include "varnelle.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

using namespace host_testing;
using namespace testing_support;

namespace {

constexpr int kCallbackWidth = 31;
int callbackMeasures = 0;
int callbackPaints = 0;

int WINAPI RealCallback(HMENU, HDC dc, RECT* rect)
{
    if (dc && rect)
        ++callbackPaints;
    else
        ++callbackMeasures;
    return kCallbackWidth;
}

int applicationRecord = 1234; // data of the application, in a writable data section

// A separator with the given data word, at the end of the menu.
void AppendSeparatorWithData(HMENU menu, ULONG_PTR data)
{
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    info.fType = MFT_SEPARATOR;
    info.dwItemData = data;
    InsertMenuItemA(menu, GetMenuItemCount(menu), TRUE, &info);
}

ULONG_PTR DataAt(HMENU menu, UINT position)
{
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_DATA | MIIM_FTYPE;
    GetMenuItemInfoA(menu, position, TRUE, &info);
    return info.dwItemData;
}

UINT TypeAt(HMENU menu, UINT position)
{
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoA(menu, position, TRUE, &info);
    return info.fType;
}

} // namespace

TEST(SeparatorData, DataThatIsNotCodeIsAPlainSeparatorInEveryStyle)
{
    void* heapBlock = HeapAlloc(GetProcessHeap(), 0, 64);
    void* page = VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    void* reserved = VirtualAlloc(nullptr, 65536, MEM_RESERVE, PAGE_EXECUTE_READWRITE);
    MEMORY_BASIC_INFORMATION heapRegion = {};
    VirtualQuery(heapBlock, &heapRegion, sizeof(heapRegion));
    const std::vector<ULONG_PTR> dataWords = {
        0x1234,
        reinterpret_cast<ULONG_PTR>(&applicationRecord),
        reinterpret_cast<ULONG_PTR>(page),
        reinterpret_cast<ULONG_PTR>(reserved), // reserved, never committed
        static_cast<ULONG_PTR>(-16),
        (heapRegion.Protect & (PAGE_EXECUTE | PAGE_EXECUTE_READ | PAGE_EXECUTE_READWRITE)) ? 0x5678
                                                                                           : reinterpret_cast<ULONG_PTR>(heapBlock),
    };
    HWND hwnd = MakeHostWindow(false);
    for (int style : {0, 1, 2, 3}) {
        SCOPED_TRACE(style);
        // The callback separator comes first among the items without an identifier: style 0
        // gives none, and items are found by identifier.
        HMENU popup = CreatePopupMenu();
        AppendMenuA(popup, MF_STRING, 100, "&Open");
        AppendSeparatorWithData(popup, reinterpret_cast<ULONG_PTR>(&RealCallback));
        for (ULONG_PTR data : dataWords)
            AppendSeparatorWithData(popup, data);
        AppendMenuA(popup, MF_STRING, 101, "E&xit");
        ASSERT_EQ(RedrawMenu(hwnd, popup, style), 1);

        const UINT callbackAt = 1;
        const UINT firstData = 2;
        // Style 0 leaves only callback separators owner-drawn.
        if (style == 0) {
            for (UINT i = 0; i < dataWords.size(); ++i)
                EXPECT_FALSE(TypeAt(popup, firstData + i) & MFT_OWNERDRAW) << i;
            EXPECT_TRUE(TypeAt(popup, callbackAt) & MFT_OWNERDRAW);
        }

        callbackMeasures = callbackPaints = 0;
        measuredSizes.clear();
        onMessage = RecordMeasuredSizes;
        TrackMenu(hwnd, popup);
        onMessage = nullptr;
        // Styles 1 to 3 made every item owner-drawn when the popup opened, giving each an
        // identifier.
        std::vector<UINT> ids;
        for (UINT position = 0; position < static_cast<UINT>(GetMenuItemCount(popup)); ++position)
            ids.push_back(GetMenuItemID(popup, static_cast<int>(position)));
        EXPECT_GE(callbackMeasures, 1);
        EXPECT_GE(callbackPaints, 1);
        ASSERT_EQ(measuredSizes.count(ids[callbackAt]), 1u);
        EXPECT_EQ(measuredSizes[ids[callbackAt]].cx, kCallbackWidth);
        if (style != 0) {
            for (UINT i = 0; i < dataWords.size(); ++i) {
                SIZE size = measuredSizes[ids[firstData + i]];
                EXPECT_EQ(size.cx, 8) << i;
                EXPECT_EQ(size.cy, 6) << i;
            }
        }
        // The application's data is left as it was.
        for (UINT i = 0; i < dataWords.size(); ++i)
            EXPECT_EQ(DataAt(popup, firstData + i), dataWords[i]) << i;
        DestroyMenu(popup);
    }
    DestroyWindow(hwnd);

    // A popup that starts with a data separator has no band to remove.
    HMENU popup = CreatePopupMenu();
    AppendSeparatorWithData(popup, reinterpret_cast<ULONG_PTR>(&applicationRecord));
    AppendMenuA(popup, MF_STRING | MF_MENUBREAK, 100, "&Open");
    EXPECT_EQ(RemoveLeftBorder(popup), 0);
    EXPECT_EQ(GetMenuItemCount(popup), 2);
    EXPECT_TRUE(TypeAt(popup, 1) & MFT_MENUBREAK);
    DestroyMenu(popup);

    HeapFree(GetProcessHeap(), 0, heapBlock);
    VirtualFree(page, 0, MEM_RELEASE);
    VirtualFree(reserved, 0, MEM_RELEASE);
}
