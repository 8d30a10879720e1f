// Soak: 100,000 item paints over every menu style and item kind, 10,000 full menu loops
// through TrackPopupMenu, 10,000 fill bitmaps, 10,000 button hover cycles and 10,000
// rounds of a button's kept bitmaps made and freed again, with GDI objects and heap
// blocks flat after every case and USER objects flat over the whole soak.
// Beside them: menu loops open on two GUI threads at once and buttons of two threads
// hovered at once (2,000 each), RedrawButton refusing other windows (10,000), and 10,000
// paints of every painter with the GDI table full but for 0 to 14 objects.
//
// Counts, chosen by VARNELLE_SOAK:
//   full   the counts above;
//   suite  the same but 2,000 menu loops, hover cycles and rounds of kept bitmaps: under
//          Wine a loop costs 30 to 60 ms (it makes and maps a popup window each time) and
//          a hover cycle's two real repaints 10 ms, so the full counts would add over ten
//          minutes to every run of the 64-bit suite; the default there;
//   guest  ten to a few hundred per case, still enough that one object or block left per
//          call shows; the default of the 32-bit build, which runs in an emulated guest where
//          the same work takes tens of times longer.
#include "reliability/gdi_testing.h"
#include "reliability/gui_thread_testing.h"
#include "reliability/host_testing.h"
#include "varnelle.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

using namespace host_testing;
using namespace testing_support;

namespace {

// Adding a style to the soak is adding it here.
constexpr int kSoakStyles[] = {0, 1, 2, 3};

enum class Counts { Full, Suite, Guest };

Counts ChosenCounts()
{
    if (const char* chosen = std::getenv("VARNELLE_SOAK")) {
        if (std::strcmp(chosen, "full") == 0)
            return Counts::Full;
        if (std::strcmp(chosen, "guest") == 0)
            return Counts::Guest;
        if (std::strcmp(chosen, "suite") == 0)
            return Counts::Suite;
    }
    return sizeof(void*) == 4 ? Counts::Guest : Counts::Suite;
}

constexpr int kBandWidth = 20;
int WINAPI SoakBand(HMENU, HDC dc, RECT* rect)
{
    if (dc && rect) {
        HBRUSH brush = CreateSolidBrush(RGB(40, 60, 200));
        FillRect(dc, rect, brush);
        DeleteObject(brush);
    }
    return kBandWidth;
}
int WINAPI SoakSeparator(HMENU, HDC, RECT*)
{
    return 0;
}

// The application of the soak: one visible main window with a menu bar whose popup holds
// every kind of item, and a skinned push button.
class SoakHost {
public:
    SoakHost()
    {
        hwnd_ = MakeHostWindow(false, true);
        icon_ = MakeSolidIcon(16, RGB(200, 30, 30), 2);
        bitmap_ = CreateBitmap(12, 12, 1, 32, nullptr);
        font_ = CreateFontA(-13, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma");
        BuildMenu();
        button_ = CreateWindowExA(0, "BUTTON", "Hover me", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 90, 30,
                                  hwnd_, reinterpret_cast<HMENU>(9), GetModuleHandleA(nullptr), nullptr);
        CTRL_STRUCT record = {};
        record.hIcon = icon_;
        record.hIconHover = icon_;
        record.dwFlat = 1;
        record.dwEdge = 1;
        record.crTextHover = RGB(200, 0, 0);
        record.hFontHover = font_;
        record.hCursorHover = LoadCursor(nullptr, IDC_HAND);
        RedrawButton(button_, &record);
        classCursor_ = GetClassLongPtrA(button_, GCLP_HCURSOR);
    }
    ~SoakHost()
    {
        SetClassLongPtrA(button_, GCLP_HCURSOR, classCursor_);
        DestroyWindow(hwnd_);
        DestroyMenu(bar_);
        DestroyIcon(icon_);
        DeleteObject(bitmap_);
        DeleteObject(font_);
    }
    SoakHost(const SoakHost&) = delete;
    SoakHost& operator=(const SoakHost&) = delete;

    HWND hwnd() const { return hwnd_; }
    HWND button() const { return button_; }
    HMENU bar() const { return bar_; }
    HMENU popup() const { return popup_; }

    // Styles the tree and opens the popup once, so that every item has its identifier.
    void UseStyle(int style)
    {
        SetMenu(hwnd_, bar_);
        ASSERT_EQ(RedrawMenu(hwnd_, bar_, style), 1);
        TrackMenu(hwnd_, popup_);
        popupIds_.clear();
        for (int position = 0; position < GetMenuItemCount(popup_); ++position)
            popupIds_.push_back(GetMenuItemID(popup_, position));
        barIds_.clear();
        for (int position = 0; position < GetMenuItemCount(bar_); ++position)
            barIds_.push_back(GetMenuItemID(bar_, position));
    }
    const std::vector<UINT>& popupIds() const { return popupIds_; }
    const std::vector<UINT>& barIds() const { return barIds_; }

private:
    void BuildMenu()
    {
        bar_ = CreateMenu();
        popup_ = CreatePopupMenu();
        HMENU nested = CreatePopupMenu();
        AppendMenuA(nested, MF_STRING, 300, "&Nested");
        AppendMenuA(popup_, MF_STRING, 100, "&Plain");
        AppendMenuA(popup_, MF_STRING, 101, "&Accelerated\tCtrl+A");
        AppendMenuA(popup_, MF_STRING | MF_CHECKED, 102, "&Checked");
        AppendMenuA(popup_, MF_STRING, 103, "&Radio");
        CheckMenuRadioItem(popup_, 103, 103, 103, MF_BYCOMMAND);
        AppendMenuA(popup_, MF_STRING | MF_GRAYED, 104, "&Disabled");
        AppendMenuA(popup_, MF_STRING, 105, "&Default");
        SetMenuDefaultItem(popup_, 105, FALSE);
        AppendMenuA(popup_, MF_STRING, 106, "With &icon");
        AppendMenuA(popup_, MF_STRING | MF_GRAYED, 107, "Disabled with icon");
        SetMenuItemIcon(popup_, 106, icon_);
        SetMenuItemIcon(popup_, 107, icon_);
        AppendMenuA(popup_, MF_SEPARATOR, 0, nullptr);
        MENUITEMINFOA callback = {};
        callback.cbSize = sizeof(callback);
        callback.fMask = MIIM_FTYPE | MIIM_DATA;
        callback.fType = MFT_SEPARATOR;
        callback.dwItemData = reinterpret_cast<ULONG_PTR>(&SoakSeparator);
        InsertMenuItemA(popup_, GetMenuItemCount(popup_), TRUE, &callback);
        AppendMenuA(popup_, MF_POPUP, reinterpret_cast<UINT_PTR>(nested), "&Submenu");
        AppendMenuA(popup_, MF_STRING, SC_CLOSE, "&Close\tAlt+F4");
        AppendMenuA(popup_, MF_STRING, 108, std::string(200, 'L').c_str());
        AppendMenuA(popup_, MF_STRING, 109, "");
        AppendMenuA(popup_, MF_BITMAP, 0, reinterpret_cast<LPCSTR>(bitmap_));
        AddLeftBorder(popup_, SoakBand, 1);
        AppendMenuA(bar_, MF_POPUP, reinterpret_cast<UINT_PTR>(popup_), "&Everything");
        AppendMenuA(bar_, MF_STRING, 200, "&Bar item");
    }

    HWND hwnd_ = nullptr;
    HWND button_ = nullptr;
    HMENU bar_ = nullptr;
    HMENU popup_ = nullptr;
    HICON icon_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HFONT font_ = nullptr;
    ULONG_PTR classCursor_ = 0;
    std::vector<UINT> popupIds_;
    std::vector<UINT> barIds_;
};

SoakHost* host = nullptr;

const UINT kItemStates[] = {0, ODS_SELECTED, ODS_GRAYED, ODS_GRAYED | ODS_SELECTED, ODS_CHECKED,
                            ODS_CHECKED | ODS_SELECTED, ODS_DEFAULT, ODS_NOACCEL};

// One WM_DRAWITEM of an item, as the system sends it; each item is measured again once
// in every eight paints.
void Paint(HWND hwnd, HMENU menu, UINT id, UINT state, HDC dc)
{
    if (state == kItemStates[0])
        SendMenuItemMeasure(hwnd, id);
    SendMenuItemDraw(hwnd, menu, id, state, dc);
}

// `count` item paints in the style, cycling through every item and eight item states:
// seven in eight of the popup's items inside a real menu loop, the rest the menu bar's
// items outside it.
void PaintItems(int style, int count)
{
    host->UseStyle(style);
    DibSurface surface(180, 24);
    const std::vector<UINT> ids = host->popupIds();
    const std::vector<UINT> barIds = host->barIds();
    const int inLoop = count - count / 8;
    onMessage = [&](HWND hwnd, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (message != WM_ENTERIDLE || wParam != MSGF_MENU)
            return std::nullopt;
        for (int i = 0; i < inLoop; ++i)
            Paint(hwnd, host->popup(), ids[i % ids.size()], kItemStates[(i / ids.size()) % 8],
                            surface.dc());
        EndMenu();
        return 0;
    };
    TrackMenu(host->hwnd(), host->popup());
    onMessage = nullptr;
    for (int i = inLoop; i < count; ++i)
        Paint(host->hwnd(), host->bar(), barIds[i % barIds.size()], kItemStates[i % 8], surface.dc());
}

void RunMenuLoops(int style, int count)
{
    host->UseStyle(style);
    drawItemsSeen = 0;
    for (int i = 0; i < count; ++i)
        TrackMenu(host->hwnd(), host->popup());
    EXPECT_GE(drawItemsSeen, count) << "the loops painted nothing";
}

void MakeFillBitmaps(int count)
{
    const RECT rect = {0, 0, 40, 30};
    for (int i = 0; i < count; ++i) {
        unsigned __int64 pair = CreateFillBmp(i % 9, &rect, 24, 30, 20, RGB(0, 90, 200));
        ASSERT_NE(VarnelleFillBmpPlain(pair), nullptr);
        DeleteObject(VarnelleFillBmpPlain(pair));
        DeleteObject(VarnelleFillBmpHighlighted(pair));
    }
}

// Inside one real menu loop, the colour scheme switched back and forth (the system tells the
// window each time, which empties the loop's fonts), each switch followed by an item paint
// that makes them again.
void SwitchSchemesInLoop(int count)
{
    host->UseStyle(2);
    DibSurface surface(180, 24);
    const std::vector<UINT> ids = host->popupIds();
    const INT index = COLOR_MENU;
    const COLORREF original = GetSysColor(COLOR_MENU);
    onMessage = [&](HWND hwnd, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (message != WM_ENTERIDLE || wParam != MSGF_MENU)
            return std::nullopt;
        for (int i = 0; i < count; ++i) {
            const COLORREF colour = i % 2 ? original : RGB(40, 44, 52);
            SetSysColors(1, &index, &colour);
            Paint(hwnd, host->popup(), ids[i % ids.size()], kItemStates[i % 8], surface.dc());
        }
        EndMenu();
        return 0;
    };
    TrackMenu(host->hwnd(), host->popup());
    onMessage = nullptr;
    SetSysColors(1, &index, &original);
}

// Enter, paint hovered, leave, paint normal: the way the system drives a hovered button.
void HoverButton(int count)
{
    HWND button = host->button();
    for (int i = 0; i < count; ++i) {
        SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        UpdateWindow(button);
        SendMessageA(button, WM_MOUSELEAVE, 0, 0);
        UpdateWindow(button);
    }
}

// A skinned button's kept face copies and icons, made again after new records, colour
// scheme changes and colour mode switches, and freed with the record and the button:
// each run makes its button, bitmaps and icons and destroys them again.
void ButtonPaintCaches(int count)
{
    const int id = 10;
    HWND button = CreateWindowExA(0, "BUTTON", "&Kept", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 50, 90, 30,
                                  host->hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  GetModuleHandleA(nullptr), nullptr);
    HDC screen = GetDC(nullptr);
    HBITMAP faces[3];
    for (HBITMAP& face : faces)
        face = CreateCompatibleBitmap(screen, 90, 30);
    ReleaseDC(nullptr, screen);
    HICON icons[2] = {MakeSolidIcon(16, RGB(200, 30, 30), 2), MakeSolidIcon(20, RGB(30, 30, 200), 1)};
    CTRL_STRUCT records[2] = {};
    records[0].hIcon = icons[0];
    records[0].hIconHover = icons[1];
    records[0].hBmp = faces[0];
    records[0].hBmpHover = faces[1];
    records[0].hBmpPressed = faces[2];
    records[0].dwEdge = 1;
    records[1].hIcon = icons[1];
    records[1].hBmp = faces[1];
    records[1].hBmpHover = faces[0];
    records[1].dwEdge = 1;
    records[1].dwFlat = 1;
    DibSurface surface(90, 30);
    const UINT paints[][2] = {{ODA_DRAWENTIRE, 0}, {ODA_SELECT, ODS_SELECTED}, {ODA_SELECT, 0}, {ODA_DRAWENTIRE, ODS_DISABLED}};
    for (int i = 0; i < count; ++i) {
        const CTRL_STRUCT& record = records[(i / 4) % 2];
        switch (i % 4) {
        case 0:
            RedrawButton(button, &record);
            break;
        case 1:
            SendMessageA(host->hwnd(), WM_SYSCOLORCHANGE, 0, 0);
            break;
        case 2:
            SetColorMode(i % 8 == 2 ? VARNELLE_COLORS_DARK : VARNELLE_COLORS_SYSTEM);
            break;
        default:
            RedrawButton(button, nullptr);
            RedrawButton(button, &record);
            break;
        }
        if (i % 2)
            SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        for (const auto& paint : paints) {
            DRAWITEMSTRUCT item = {ODT_BUTTON, id, 0, paint[0], paint[1], button, surface.dc(), {0, 0, 90, 30}, 0};
            SendMessageA(host->hwnd(), WM_DRAWITEM, id, reinterpret_cast<LPARAM>(&item));
        }
        if (i % 2)
            SendMessageA(button, WM_MOUSELEAVE, 0, 0);
    }
    SetColorMode(VARNELLE_COLORS_SYSTEM);
    DestroyWindow(button);
    for (HBITMAP face : faces)
        DeleteObject(face);
    for (HICON icon : icons)
        DestroyIcon(icon);
}

// Two GUI threads with their own styles open their popups at the same time.
void TwoThreadMenuLoops(int count)
{
    gui_thread_testing::GuiThread first(2, 20, "Editor", RGB(200, 0, 0), IDC_HAND);
    gui_thread_testing::GuiThread second(3, 420, "Search", RGB(0, 0, 200), IDC_CROSS);
    for (int i = 0; i < count; ++i) {
        ASSERT_TRUE(first.OpenMenu() && second.OpenMenu()) << "round " << i;
        ASSERT_TRUE(first.EndMenu() && second.EndMenu()) << "round " << i;
    }
}

// Buttons of two threads hovered at once, each repainted hovered and after its leave.
void TwoThreadHovers(int count)
{
    gui_thread_testing::GuiThread first(2, 20, "Editor", RGB(200, 0, 0), IDC_HAND);
    gui_thread_testing::GuiThread second(3, 420, "Search", RGB(0, 0, 200), IDC_CROSS);
    const HCURSOR original = reinterpret_cast<HCURSOR>(GetClassLongPtrA(first.button(), GCLP_HCURSOR));
    for (int i = 0; i < count; ++i) {
        first.Hover();
        second.Hover();
        first.CaptureButton();
        second.CaptureButton();
        first.Leave();
        second.Leave();
    }
    EXPECT_EQ(reinterpret_cast<HCURSOR>(GetClassLongPtrA(first.button(), GCLP_HCURSOR)), original);
}

// RedrawButton on windows that are no buttons, with a record and without.
void RefuseOtherWindows(int count)
{
    const char* classes[] = {"STATIC", "EDIT", "LISTBOX"};
    HWND windows[3];
    for (int i = 0; i < 3; ++i)
        windows[i] = CreateWindowExA(0, classes[i], "", WS_CHILD, 0, 0, 50, 20, host->hwnd(), nullptr,
                                     GetModuleHandleA(nullptr), nullptr);
    CTRL_STRUCT record = {};
    record.dwEdge = 1;
    for (int i = 0; i < count; ++i)
        EXPECT_EQ(RedrawButton(windows[i % 3], (i / 3) % 2 ? nullptr : &record), FALSE);
    for (HWND window : windows)
        DestroyWindow(window);
}

// Every painter with the GDI table full but for 0 to 14 objects: menu items of every
// style and state, the button, DrawGradient, DrawIcn and CreateFillBmp in turn.
void ExhaustedPaints(int count)
{
    DibSurface surface(180, 30);
    const HICON icon = MakeSolidIcon(16, RGB(30, 160, 30), 2);
    const RECT area = {0, 0, 40, 30};
    for (int style = 1; style <= 3; ++style) {
        host->UseStyle(style);
        const std::vector<UINT> ids = host->popupIds();
        gdi_testing::GdiFill fill(0);
        for (int i = style - 1; i < count; i += 3) {
            fill.leaveFree(i % 15);
            switch (i % 5) {
            case 0:
                Paint(host->hwnd(), host->popup(), ids[i % ids.size()], kItemStates[i % 8], surface.dc());
                break;
            case 1: {
                DRAWITEMSTRUCT item = {ODT_BUTTON, 9, 0, ODA_DRAWENTIRE, static_cast<UINT>(i % 2 ? ODS_FOCUS : 0),
                                       host->button(), surface.dc(), {0, 0, 90, 30}, 0};
                SendMessageA(host->hwnd(), WM_DRAWITEM, 9, reinterpret_cast<LPARAM>(&item));
                break;
            }
            case 2:
                DrawGradient(surface.dc(), &area, RGB(250, 0, 0), RGB(0, 0, 250), i % 2);
                break;
            case 3:
                DrawIcn(surface.dc(), &area, icon, i % 4, i % 2);
                break;
            default: {
                const unsigned __int64 pair = CreateFillBmp(i % 9, &area, 10, 30, 0, 0);
                DeleteObject(VarnelleFillBmpPlain(pair));
                DeleteObject(VarnelleFillBmpHighlighted(pair));
                break;
            }
            }
        }
    }
    DestroyIcon(icon);
}

struct SoakCase {
    std::string name;
    int full;
    int suite;
    int guest;
    int warmUp; // calls that reach every item kind, state and pattern once first
    std::function<void(int)> run;

    int count() const
    {
        switch (ChosenCounts()) {
        case Counts::Full:
            return full;
        case Counts::Suite:
            return suite;
        case Counts::Guest:
            return guest;
        }
        return guest;
    }
};

void PrintTo(const SoakCase& soak, std::ostream* out)
{
    *out << soak.name;
}

std::vector<SoakCase> SoakCases()
{
    std::vector<SoakCase> cases;
    // 100,000 item paints and 10,000 menu loops in all, shared evenly by the styles.
    const int styles = static_cast<int>(sizeof(kSoakStyles) / sizeof(kSoakStyles[0]));
    for (int style : kSoakStyles)
        cases.push_back({"ItemPaintsStyle" + std::to_string(style), 100000 / styles, 100000 / styles, 2000 / styles,
                         400, [style](int count) { PaintItems(style, count); }});
    for (int style : kSoakStyles)
        cases.push_back({"MenuLoopsStyle" + std::to_string(style), 10000 / styles, 2000 / styles, 40 / styles, 2,
                         [style](int count) { RunMenuLoops(style, count); }});
    cases.push_back({"FillBitmaps", 10000, 10000, 500, 18, MakeFillBitmaps});
    cases.push_back({"SchemeSwitchesInLoop", 1000, 1000, 40, 16, SwitchSchemesInLoop});
    cases.push_back({"ButtonHoverCycles", 10000, 2000, 100, 3, HoverButton});
    cases.push_back({"ButtonPaintCaches", 10000, 2000, 100, 8, ButtonPaintCaches});
    cases.push_back({"TwoThreadMenuLoops", 2000, 200, 4, 1, TwoThreadMenuLoops});
    cases.push_back({"TwoThreadHoverCycles", 2000, 500, 20, 2, TwoThreadHovers});
    cases.push_back({"RedrawButtonRefusals", 10000, 10000, 300, 6, RefuseOtherWindows});
    cases.push_back({"ExhaustedPaints", 10000, 3000, 150, 150, ExhaustedPaints});
    return cases;
}

class Soak : public ::testing::TestWithParam<SoakCase> {
protected:
    static void SetUpTestSuite()
    {
        host = new SoakHost;
        // The system's shared cursors are made at their first load and stay.
        LoadCursor(nullptr, IDC_CROSS);
        freeUserHandles = CountFreeUserHandles();
    }
    static void TearDownTestSuite()
    {
        int after = CountFreeUserHandles();
        std::printf("soak: free USER objects %d before, %d after\n", freeUserHandles, after);
        // Only fewer free objects is a leak: the system may free objects of its own that the
        // process held before the soak (seen here: 15 more free afterwards, run after run).
        EXPECT_GE(after, freeUserHandles) << "USER objects left behind by the soak";
        delete host;
        host = nullptr;
    }
    static int freeUserHandles;
};

int Soak::freeUserHandles = 0;

} // namespace

TEST_P(Soak, LeavesNothingBehind)
{
    const SoakCase& soak = GetParam();
    const int count = soak.count();
    soak.run(soak.warmUp); // the system's caches settle first
    const ResourceCounts before = CountResources();
    const DWORD start = GetTickCount();
    soak.run(count);
    const DWORD took = GetTickCount() - start;
    const ResourceCounts after = CountResources();
    std::printf("soak %s: %d calls in %lu ms; free GDI objects %d -> %d, heap blocks %d -> %d\n", soak.name.c_str(),
                count, static_cast<unsigned long>(took), before.freeGdiHandles, after.freeGdiHandles,
                before.heapBlocks, after.heapBlocks);
    EXPECT_EQ(after, before) << "before: " << Describe(before) << "; after: " << Describe(after);
}

INSTANTIATE_TEST_SUITE_P(EveryCase, Soak, ::testing::ValuesIn(SoakCases()),
                         [](const ::testing::TestParamInfo<SoakCase>& info) { return info.param.name; });
