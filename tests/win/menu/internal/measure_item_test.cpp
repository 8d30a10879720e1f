// MeasureMenuItem and CalcIconCell on real menus, against text extents measured in the
// test with the same DrawTextA call and a known menu font.
#include "common/test_support.h"
#include "core/thread_state.h"
#include "menu/menu_font_scope.h"
#include "menu/menu_internal.h"
#include "menu/menu_measure.h"
#include "menu/separator_callback.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace testing_support;
using namespace varnelle;
using menu_testing::ExtentIn;
using menu_testing::ScopedMenuFont;

namespace {

constexpr UINT kUntouched = 0xABCD;

struct CallbackCall {
    HMENU menu;
    HDC dc;
    RECT* rect;
};
std::vector<CallbackCall> calls;
int callbackAnswer = 0;

int WINAPI RecordingSeparator(HMENU menu, HDC dc, RECT* rect)
{
    calls.push_back({menu, dc, rect});
    return callbackAnswer;
}

void AppendCallbackSeparator(HMENU menu, UINT id, SeparatorCallback callback)
{
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_ID;
    info.fType = MFT_SEPARATOR | MFT_OWNERDRAW;
    info.wID = id;
    info.dwItemData = reinterpret_cast<ULONG_PTR>(callback);
    InsertMenuItemA(menu, GetMenuItemCount(menu), TRUE, &info);
}

void SetItemData(HMENU menu, UINT id, ULONG_PTR data)
{
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_DATA;
    info.dwItemData = data;
    ASSERT_TRUE(SetMenuItemInfoA(menu, id, FALSE, &info));
}

class MeasureItem : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(font_.active());
        calls.clear();
        callbackAnswer = 0;
        saved_ = ThreadState();
    }
    void TearDown() override { ThreadState() = saved_; }

    MEASUREITEMSTRUCT Measure(HMENU current, bool popup, UINT id)
    {
        ThreadState().CurrentMenu = current;
        ThreadState().CurrentMenuIsPopup = popup ? 1 : 0;
        MEASUREITEMSTRUCT item = {ODT_MENU, 0, id, kUntouched, kUntouched, 0};
        MeasureMenuItem(&item);
        return item;
    }

    SIZE Extent(const char* text) { return ExtentIn(font_.font(), text); }

    ScopedMenuFont font_{"Tahoma", -13};
    ThreadStateFields saved_ = {};
};

} // namespace

TEST_F(MeasureItem, TextItemInPopupAndBarFollowsTheTextExtent)
{
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 100, "&Open\tCtrl+O");
    AppendMenuA(popup, MF_STRING, 101, "&Save");
    SIZE open = Extent("&Open\tCtrl+O");
    SIZE save = Extent("&Save");
    ASSERT_GT(open.cx, save.cx);

    MEASUREITEMSTRUCT item = Measure(popup, true, 100);
    LONG cell = open.cy + 7;
    EXPECT_EQ(item.itemHeight, static_cast<UINT>(cell + 2));
    EXPECT_EQ(item.itemWidth, static_cast<UINT>(open.cx + cell + 10 + cell / 2 + 15));
    EXPECT_EQ(ThreadState().IconCellWidth, cell);
    EXPECT_EQ(ThreadState().IconCellHeight, cell);

    item = Measure(popup, false, 100);
    EXPECT_EQ(item.itemHeight, static_cast<UINT>(cell));
    EXPECT_EQ(item.itemWidth, static_cast<UINT>(open.cx + 8 + cell / 2 + 15));

    item = Measure(popup, true, 101);
    EXPECT_EQ(item.itemWidth, static_cast<UINT>(save.cx + save.cy + 7 + 10));
    DestroyMenu(popup);
}

TEST_F(MeasureItem, TheSystemMenuFontIsWhatCounts)
{
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 100, "Large &text");
    SIZE small = Extent("Large &text");
    UINT smallHeight = Measure(popup, true, 100).itemHeight;
    {
        ScopedMenuFont large("Tahoma", -30, FW_BOLD);
        ASSERT_TRUE(large.active());
        SIZE big = ExtentIn(large.font(), "Large &text");
        ASSERT_GT(big.cy, small.cy);
        MEASUREITEMSTRUCT item = Measure(popup, true, 100);
        EXPECT_EQ(item.itemHeight, static_cast<UINT>(big.cy + 9));
        EXPECT_EQ(item.itemWidth, static_cast<UINT>(big.cx + big.cy + 7 + 10));
    }
    EXPECT_EQ(Measure(popup, true, 100).itemHeight, smallHeight);
    DestroyMenu(popup);
}

TEST_F(MeasureItem, WindowMenuCommandsGetRoomForTheirGlyphInPopupsOnly)
{
    HMENU popup = CreatePopupMenu();
    for (UINT id : {0xF060u, 0xF061u, 0xF150u, 0xF151u, 0xEFFFu})
        AppendMenuA(popup, MF_STRING, id, "&Close\tAlt+F4");
    SIZE close = Extent("&Close\tAlt+F4");
    LONG cell = close.cy + 7;
    UINT plain = static_cast<UINT>(close.cx + cell + 10 + cell / 2 + 15);
    EXPECT_EQ(Measure(popup, true, 0xF060).itemWidth, plain + 35);
    EXPECT_EQ(Measure(popup, true, 0xF061).itemWidth, plain + 35);
    EXPECT_EQ(Measure(popup, true, 0xF150).itemWidth, plain + 35);
    EXPECT_EQ(Measure(popup, true, 0xF151).itemWidth, plain);
    EXPECT_EQ(Measure(popup, true, 0xEFFF).itemWidth, plain);
    EXPECT_EQ(Measure(popup, false, 0xF060).itemWidth, static_cast<UINT>(close.cx + 8 + cell / 2 + 15));
    DestroyMenu(popup);
}

TEST_F(MeasureItem, IconsWidenTheCellAndMonochromeIconsCountAsNoIcon)
{
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 100, "Icon");
    AppendMenuA(popup, MF_STRING, 101, "Mono");
    AppendMenuA(popup, MF_STRING, 102, "Junk");
    HICON colour = MakeSolidIcon(32, RGB(200, 0, 0));
    BYTE andBits[32 * 4] = {};
    BYTE xorBits[32 * 4] = {};
    HICON mono = CreateIcon(GetModuleHandleA(nullptr), 32, 32, 1, 1, andBits, xorBits);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(mono, &info));
    ASSERT_EQ(info.hbmColor, nullptr) << "the test needs an icon without a colour bitmap";
    DeleteObject(info.hbmMask);
    SetItemData(popup, 100, reinterpret_cast<ULONG_PTR>(colour));
    SetItemData(popup, 101, reinterpret_cast<ULONG_PTR>(mono));
    SetItemData(popup, 102, 0x12345); // not an icon: counts as none

    SIZE text = Extent("Icon");
    ASSERT_LT(text.cy + 7, 36);
    MEASUREITEMSTRUCT item = Measure(popup, true, 100);
    EXPECT_EQ(item.itemHeight, 38u);
    EXPECT_EQ(item.itemWidth, static_cast<UINT>(text.cx + 36 + 10));
    EXPECT_EQ(ThreadState().IconCellWidth, 36);
    EXPECT_EQ(Measure(popup, false, 100).itemHeight, 36u);

    EXPECT_EQ(Measure(popup, true, 101).itemHeight, static_cast<UINT>(Extent("Mono").cy + 9));
    EXPECT_EQ(Measure(popup, true, 102).itemHeight, static_cast<UINT>(Extent("Junk").cy + 9));
    EXPECT_EQ(ThreadState().IconCellHeight, Extent("Junk").cy + 7);
    DestroyMenu(popup);
    DestroyIcon(colour);
    DestroyIcon(mono);
}

TEST_F(MeasureItem, LongTextsAreMeasuredOnTheirFirst127Characters)
{
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += static_cast<char>('a' + i % 26);
    text[150] = '\t'; // beyond the buffer: no accelerator allowance
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 100, text.c_str());
    SIZE first = ExtentIn(font_.font(), text.c_str(), 127);
    ASSERT_LT(first.cx, Extent(text.c_str()).cx);
    MEASUREITEMSTRUCT item = Measure(popup, true, 100);
    EXPECT_EQ(item.itemWidth, static_cast<UINT>(first.cx + first.cy + 7 + 10));
    DestroyMenu(popup);
}

TEST_F(MeasureItem, TwoTabsAddTheAcceleratorAllowanceOnce)
{
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 100, "A\tB\tC");
    SIZE text = Extent("A\tB\tC");
    LONG cell = text.cy + 7;
    EXPECT_EQ(Measure(popup, true, 100).itemWidth, static_cast<UINT>(text.cx + cell + 10 + cell / 2 + 15));
    DestroyMenu(popup);
}

TEST_F(MeasureItem, SeparatorsInBarAndPopupLeaveTheIconCellAlone)
{
    HMENU popup = CreatePopupMenu();
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_ID;
    info.fType = MFT_SEPARATOR | MFT_OWNERDRAW;
    info.wID = 300;
    InsertMenuItemA(popup, 0, TRUE, &info);
    AppendCallbackSeparator(popup, 301, RecordingSeparator);
    ThreadState().IconCellWidth = ThreadState().IconCellHeight = 77;

    MEASUREITEMSTRUCT item = Measure(popup, true, 300);
    EXPECT_EQ(item.itemWidth, 8u);
    EXPECT_EQ(item.itemHeight, 6u);
    item = Measure(popup, false, 300);
    EXPECT_EQ(item.itemWidth, 8u);
    EXPECT_EQ(item.itemHeight, 8u);

    // In the menu bar the callback is not asked.
    item = Measure(popup, false, 301);
    EXPECT_EQ(item.itemWidth, 8u);
    EXPECT_EQ(item.itemHeight, 8u);
    EXPECT_TRUE(calls.empty());

    callbackAnswer = 0;
    item = Measure(popup, true, 301);
    EXPECT_EQ(item.itemWidth, 8u);
    EXPECT_EQ(item.itemHeight, 5u);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].menu, popup);
    EXPECT_EQ(calls[0].dc, nullptr);
    EXPECT_EQ(calls[0].rect, nullptr);

    callbackAnswer = 33;
    EXPECT_EQ(Measure(popup, true, 301).itemWidth, 33u);
    callbackAnswer = -5; // no width can be negative: the default
    EXPECT_EQ(Measure(popup, true, 301).itemWidth, 8u);
    EXPECT_EQ(ThreadState().IconCellWidth, 77);
    EXPECT_EQ(ThreadState().IconCellHeight, 77);
    DestroyMenu(popup);
}

TEST_F(MeasureItem, CallbackOfANestedSeparatorIsAskedWithTheTopPopup)
{
    HMENU top = CreatePopupMenu();
    HMENU nested = CreatePopupMenu();
    AppendMenuA(top, MF_STRING, 100, "Top");
    AppendMenuA(top, MF_POPUP, reinterpret_cast<UINT_PTR>(nested), "More");
    AppendMenuA(nested, MF_STRING, 200, "Inner");
    AppendCallbackSeparator(nested, 201, RecordingSeparator);
    callbackAnswer = 12;
    MEASUREITEMSTRUCT item = Measure(top, true, 201);
    EXPECT_EQ(item.itemWidth, 12u);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].menu, top);
    // A text item of the nested menu is found through the top popup as well.
    EXPECT_EQ(Measure(top, true, 200).itemWidth, static_cast<UINT>(Extent("Inner").cx + Extent("Inner").cy + 17));
    DestroyMenu(top);
}

TEST_F(MeasureItem, BitmapItems)
{
    HMENU popup = CreatePopupMenu();
    HBITMAP picture = CreateBitmap(23, 17, 1, 32, nullptr);
    AppendMenuA(popup, MF_BITMAP, 0, reinterpret_cast<const char*>(picture));
    AppendMenuA(popup, MF_BITMAP, 55, reinterpret_cast<const char*>(picture));
    MEASUREITEMSTRUCT item = Measure(popup, true, 0);
    EXPECT_EQ(item.itemWidth, 23u);
    EXPECT_EQ(item.itemHeight, 17u);
    // With an identifier the item is measured as (empty) text.
    SIZE empty = ExtentIn(font_.font(), "", 0);
    item = Measure(popup, true, 55);
    EXPECT_EQ(item.itemHeight, static_cast<UINT>(empty.cy + 9));
    EXPECT_EQ(item.itemWidth, static_cast<UINT>(empty.cx + empty.cy + 7 + 10));
    DestroyMenu(popup);
    DeleteObject(picture);
}

TEST_F(MeasureItem, ItemsThatCannotBeFoundKeepTheSystemsSize)
{
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 100, "Here");
    ThreadState().IconCellWidth = 41;
    MEASUREITEMSTRUCT item = Measure(popup, true, 999);
    EXPECT_EQ(item.itemWidth, kUntouched);
    EXPECT_EQ(item.itemHeight, kUntouched);
    item = Measure(nullptr, true, 100);
    EXPECT_EQ(item.itemWidth, kUntouched);
    HMENU destroyed = CreatePopupMenu();
    AppendMenuA(destroyed, MF_STRING, 100, "Gone");
    DestroyMenu(destroyed);
    item = Measure(destroyed, true, 100);
    EXPECT_EQ(item.itemWidth, kUntouched);
    EXPECT_EQ(ThreadState().IconCellWidth, 41);

    // Not a menu item, or no structure at all.
    ThreadState().CurrentMenu = popup;
    MEASUREITEMSTRUCT control = {ODT_BUTTON, 7, 100, kUntouched, kUntouched, 0};
    MeasureMenuItem(&control);
    EXPECT_EQ(control.itemWidth, kUntouched);
    MeasureMenuItem(nullptr);
    DestroyMenu(popup);
}

TEST_F(MeasureItem, CalcIconCellAgreesWithMeasurement)
{
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 100, "&Print\tCtrl+P");
    HICON icon = MakeSolidIcon(24, RGB(0, 0, 200));
    SetItemData(popup, 100, reinterpret_cast<ULONG_PTR>(icon));
    Measure(popup, true, 100);
    int measured = ThreadState().IconCellWidth;
    ThreadState().IconCellWidth = ThreadState().IconCellHeight = 0;
    const char text[] = "&Print\tCtrl+P";
    EXPECT_EQ(CalcIconCell(TextRun(text, sizeof(text) - 1), icon), static_cast<uint32_t>(measured));
    EXPECT_EQ(ThreadState().IconCellWidth, measured);
    EXPECT_EQ(ThreadState().IconCellHeight, measured);
    EXPECT_EQ(measured, 28);
    EXPECT_EQ(CalcIconCell(TextRun(text, sizeof(text) - 1), nullptr), static_cast<uint32_t>(Extent(text).cy + 7));
    EXPECT_EQ(CalcIconCell(TextRun(static_cast<const char*>(nullptr), 5), nullptr), static_cast<uint32_t>(ExtentIn(font_.font(), "", 0).cy + 7));
    DestroyMenu(popup);
    DestroyIcon(icon);
}

TEST_F(MeasureItem, WithoutTheMenuFontTheDefaultGuiFontIsUsedAndKept)
{
    HFONT stock = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    {
        MenuTextFont fallback(nullptr);
        EXPECT_EQ(fallback.get(), stock);
        TextExtent extent = MeasureMenuText(TextRun("&Fallback", 9), fallback.get());
        SIZE expected = ExtentIn(stock, "&Fallback", 9);
        EXPECT_EQ(extent.width, static_cast<uint32_t>(expected.cx));
        EXPECT_EQ(extent.height, static_cast<uint32_t>(expected.cy));
    }
    LOGFONTA stillThere = {};
    EXPECT_EQ(GetObjectA(stock, sizeof(stillThere), &stillThere), static_cast<int>(sizeof(stillThere)));
    MenuTextFont menuFont;
    EXPECT_NE(menuFont.get(), stock);
    LOGFONTA chosen = {};
    GetObjectA(menuFont.get(), sizeof(chosen), &chosen);
    EXPECT_STREQ(chosen.lfFaceName, "Tahoma");
    EXPECT_EQ(chosen.lfHeight, -13);
}

TEST_F(MeasureItem, RepeatedMeasurementReleasesEveryObject)
{
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 100, "&Open\tCtrl+O");
    HICON icon = MakeSolidIcon(16, RGB(0, 200, 0));
    SetItemData(popup, 100, reinterpret_cast<ULONG_PTR>(icon));
    Measure(popup, true, 100);
    int before = CountFreeGdiHandles();
    for (int i = 0; i < 300; ++i) {
        Measure(popup, i % 2 == 0, 100);
        CalcIconCell(TextRun("&Open", 5), icon);
    }
    EXPECT_EQ(CountFreeGdiHandles(), before);
    DestroyMenu(popup);
    DestroyIcon(icon);
}
