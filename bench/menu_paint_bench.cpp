// Menu paint cost. One popup of 20 items (labels with accelerators, icons, check marks and
// a radio mark, a grayed item, separators) is opened with TrackPopupMenu in each style;
// while it is open the system's popup window paints it into a DIB of its own size
// (WM_PRINTCLIENT, as for any repaint): in style 0 the system draws every item, in styles
// 1 to 3 it sends each item's WM_DRAWITEM to the window hooked by RedrawMenu. Each style
// is compared with style 0 in the same run. The library's share alone is timed too: every
// item's WM_DRAWITEM sent straight to the hooked window into a DIB of the popup's size.
// Then the cost of each system call a painted item makes, alone, to show where an item's
// time goes. Prints figures; not a test.
//   menu_paint_bench.exe [folder]        with a folder, each style's popup is saved there as a BMP
//   menu_paint_bench.exe --items STYLE   paints only the items of that style, for about 10 s
//                                        (for a profiler)
#include <windows.h>

#include "bench_report.h"
#include "varnelle.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kStyles = 4;
constexpr UINT kFirstId = 100;

struct ItemSpec {
    const char* label; // nullptr: a separator
    bool icon;
    UINT state;        // MFS_CHECKED, MFS_GRAYED
    bool radio;
};

// 17 labelled items and 3 separators.
const ItemSpec kItems[] = {
    {"&New\tCtrl+N", true, 0, false},         {"&Open...\tCtrl+O", true, 0, false},
    {"&Save\tCtrl+S", true, 0, false},        {"Save &As...\tCtrl+Shift+S", false, 0, false},
    {nullptr, false, 0, false},               {"&Print...\tCtrl+P", true, 0, false},
    {"Print Pre&view", false, MFS_GRAYED, false}, {"Page Set&up...", false, 0, false},
    {nullptr, false, 0, false},               {"&Toolbar", false, MFS_CHECKED, false},
    {"&Status Bar", true, MFS_CHECKED, false}, {"&Word Wrap\tCtrl+W", false, 0, false},
    {"Small Icons", false, MFS_CHECKED, true}, {"Large Icons", false, 0, true},
    {nullptr, false, 0, false},               {"&Find...\tCtrl+F", true, 0, false},
    {"Find &Next\tF3", false, 0, false},      {"&Replace...\tCtrl+H", true, 0, false},
    {"&Go To...\tCtrl+G", false, 0, false},   {"E&xit\tAlt+F4", true, 0, false},
};
static_assert(sizeof(kItems) / sizeof(kItems[0]) == 20, "a popup of 20 items");

// An icon, and the same square on the menu's colour as a bitmap for the system's own
// drawing (style 0 shows hbmpItem bitmaps, not the library's icons).
struct TestIcon {
    HICON icon = nullptr;
    HBITMAP bitmap = nullptr;

    explicit TestIcon(COLORREF colour) : icon(bench::MakeSquareIcon(colour))
    {
        HDC screen = GetDC(nullptr);
        bitmap = CreateCompatibleBitmap(screen, 16, 16);
        HDC dc = CreateCompatibleDC(screen);
        HGDIOBJ previous = SelectObject(dc, bitmap);
        const RECT all = {0, 0, 16, 16}, body = {2, 2, 14, 14};
        FillRect(dc, &all, GetSysColorBrush(COLOR_MENU));
        HBRUSH fill = CreateSolidBrush(colour);
        FillRect(dc, &body, fill);
        DeleteObject(fill);
        SelectObject(dc, previous);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
    }
    ~TestIcon()
    {
        DestroyIcon(icon);
        DeleteObject(bitmap);
    }
};

struct Run {
    int style = 0;
    double profileSeconds = 0; // only the items, for this long
    int profiledPopups = 0;
    HMENU popup = nullptr;
    std::string saveFolder;
    double popupSeconds = 0;  // the system's popup window painting the whole popup
    double windowSeconds = 0; // the same as a repaint on the popup window's own DC
    double itemsSeconds = 0;  // every item's WM_DRAWITEM straight to the hooked window
    SIZE size = {};
    bool measured = false;
};
Run* g_run = nullptr;

DRAWITEMSTRUCT ItemToDraw(HMENU popup, int index, HDC dc, const RECT& rect)
{
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_STATE | MIIM_DATA;
    GetMenuItemInfoA(popup, index, TRUE, &info);
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_MENU;
    item.itemID = info.wID;
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = ((info.fState & MFS_CHECKED) ? ODS_CHECKED : 0) |
                     ((info.fState & MFS_GRAYED) ? ODS_GRAYED | ODS_DISABLED : 0);
    item.hwndItem = reinterpret_cast<HWND>(popup);
    item.hDC = dc;
    item.rcItem = rect;
    item.itemData = info.dwItemData;
    return item;
}

// Runs while the popup is open.
void Measure(HWND owner, HWND popupWindow)
{
    Run& run = *g_run;
    RECT client = {};
    GetClientRect(popupWindow, &client);
    run.size = {client.right, client.bottom};
    bench::Canvas canvas(client.right, client.bottom);
    run.popupSeconds = bench::FastestCall(
        [&] { SendMessageA(popupWindow, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT); }, 40);
    // A real repaint: the items reach the painters with a DC of the display.
    run.windowSeconds = bench::FastestCall(
        [&] { RedrawWindow(popupWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW); }, 40);
    if (!run.saveFolder.empty())
        canvas.save(run.saveFolder + "\\popup_style" + std::to_string(run.style) + ".bmp");

    if (run.style != 0 || run.profileSeconds > 0) {
        // Where the system placed each item, in the popup's client coordinates.
        std::vector<DRAWITEMSTRUCT> items;
        for (int i = 0; i < GetMenuItemCount(run.popup); ++i) {
            RECT rect = {};
            GetMenuItemRect(owner, run.popup, i, &rect);
            MapWindowPoints(nullptr, popupWindow, reinterpret_cast<POINT*>(&rect), 2);
            items.push_back(ItemToDraw(run.popup, i, canvas.dc(), rect));
        }
        auto paintItems = [&] {
            for (DRAWITEMSTRUCT& item : items)
                SendMessageA(owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
        };
        for (double start = bench::Seconds(); bench::Seconds() - start < run.profileSeconds; ++run.profiledPopups)
            paintItems();
        run.itemsSeconds = bench::FastestCall(paintItems, 40);
    }
    run.measured = true;
}

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ENTERIDLE && wParam == MSGF_MENU && g_run && !g_run->measured) {
        Measure(hwnd, reinterpret_cast<HWND>(lParam));
        EndMenu();
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void PaintStyle(Run& run, const std::vector<TestIcon*>& icons)
{
    HWND owner = CreateWindowExA(0, "VarnelleMenuBench", "menu bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 500,
                                 700, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    HMENU bar = CreateMenu();
    run.popup = CreatePopupMenu();
    int iconIndex = 0;
    for (int i = 0; i < 20; ++i) {
        const ItemSpec& spec = kItems[i];
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | (spec.label ? MIIM_STRING : 0);
        info.fType = spec.label ? (spec.radio ? MFT_RADIOCHECK : MFT_STRING) : MFT_SEPARATOR;
        info.fState = spec.state;
        info.wID = kFirstId + i;
        info.dwTypeData = const_cast<char*>(spec.label);
        if (spec.icon && run.style == 0) {
            info.fMask |= MIIM_BITMAP;
            info.hbmpItem = icons[iconIndex % icons.size()]->bitmap;
        }
        InsertMenuItemA(run.popup, i, TRUE, &info);
        if (spec.icon && run.style != 0)
            SetMenuItemIcon(run.popup, kFirstId + i, icons[iconIndex % icons.size()]->icon);
        iconIndex += spec.icon;
    }
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(run.popup), "&File");
    SetMenu(owner, bar);
    RedrawMenu(owner, bar, run.style);
    SetForegroundWindow(owner);
    g_run = &run;
    TrackPopupMenu(run.popup, TPM_LEFTALIGN | TPM_TOPALIGN, 40, 40, 0, owner, nullptr);
    g_run = nullptr;
    DestroyWindow(owner);
    DestroyMenu(bar);
}

// The system calls a painted item makes, each timed alone (microseconds per call).
void ReportItemCalls(HMENU popup, HICON icon)
{
    bench::Canvas canvas(200, 20);
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    HFONT menuFont = CreateFontIndirectA(&metrics.lfMenuFont);
    LOGFONTA marlett = metrics.lfMenuFont;
    lstrcpyA(marlett.lfFaceName, "Marlett");
    const char label[] = "&Open...\tCtrl+O";
    HGDIOBJ previousFont = SelectObject(canvas.dc(), menuFont);
    struct Step {
        const char* what;
        double seconds;
    } steps[] = {
        {"NumColorBits (GetDC of the screen, GetDeviceCaps, ReleaseDC)",
         bench::FastestCall([] { NumColorBits(); }, 200)},
        {"SystemParametersInfoA(SPI_GETNONCLIENTMETRICS)", bench::FastestCall([&] {
             NONCLIENTMETRICSA m = {};
             m.cbSize = sizeof m;
             SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0);
         }, 200)},
        {"CreateFontIndirectA(menu font), select, DeleteObject", bench::FastestCall([&] {
             HFONT font = CreateFontIndirectA(&metrics.lfMenuFont);
             HGDIOBJ previous = SelectObject(canvas.dc(), font);
             SelectObject(canvas.dc(), previous);
             DeleteObject(font);
         }, 200)},
        {"the same with Marlett, and one glyph drawn", bench::FastestCall([&] {
             HFONT font = CreateFontIndirectA(&marlett);
             HGDIOBJ previous = SelectObject(canvas.dc(), font);
             RECT box = {0, 0, 16, 16};
             DrawTextA(canvas.dc(), "a", 1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
             SelectObject(canvas.dc(), previous);
             DeleteObject(font);
         }, 200)},
        {"DrawTextA of a label, DT_CALCRECT, on the screen's DC", bench::FastestCall([&] {
             HDC screen = GetDC(nullptr);
             HGDIOBJ previous = SelectObject(screen, menuFont);
             RECT extent = {0, 0, 0, 0};
             DrawTextA(screen, label, 7, &extent, DT_CALCRECT);
             SelectObject(screen, previous);
             ReleaseDC(nullptr, screen);
         }, 200)},
        {"DrawTextA of a label and of its accelerator", bench::FastestCall([&] {
             RECT box = {20, 0, 190, 20};
             DrawTextA(canvas.dc(), label + 9, 6, &box, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
             DrawTextA(canvas.dc(), label, 7, &box, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
         }, 200)},
        {"CreateSolidBrush, FillRect, DeleteObject", bench::FastestCall([&] {
             HBRUSH brush = CreateSolidBrush(RGB(200, 210, 220));
             RECT box = {0, 0, 200, 20};
             FillRect(canvas.dc(), &box, brush);
             DeleteObject(brush);
         }, 200)},
        {"GetIconInfo and deleting its two bitmaps", bench::FastestCall([&] {
             ICONINFO info = {};
             GetIconInfo(icon, &info);
             DeleteObject(info.hbmMask);
             DeleteObject(info.hbmColor);
         }, 200)},
        {"DrawIcn, normal look", bench::FastestCall([&] {
             RECT cell = {0, 0, 20, 20};
             DrawIcn(canvas.dc(), &cell, icon, 3, 0);
         }, 200)},
        {"GetMenuItemInfoA and GetMenuStringA", bench::FastestCall([&] {
             MENUITEMINFOA info = {};
             info.cbSize = sizeof info;
             info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_BITMAP;
             GetMenuItemInfoA(popup, kFirstId + 1, FALSE, &info);
             char text[64];
             GetMenuStringA(popup, kFirstId + 1, text, sizeof text, MF_BYCOMMAND);
         }, 200)},
    };
    SelectObject(canvas.dc(), previousFont);
    DeleteObject(menuFont);
    std::printf("\nsystem calls a painted item makes, each alone\n");
    for (const Step& step : steps)
        std::printf("%9.1f us  %s\n", step.seconds * 1e6, step.what);
}

} // namespace

int main(int argc, char** argv)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = OwnerProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "VarnelleMenuBench";
    RegisterClassA(&windowClass);
    TestIcon red(RGB(200, 40, 40)), green(RGB(40, 160, 60)), blue(RGB(40, 80, 200));
    const std::vector<TestIcon*> icons = {&red, &green, &blue};

    if (argc > 2 && lstrcmpA(argv[1], "--items") == 0) {
        Run run;
        run.style = std::atoi(argv[2]);
        run.profileSeconds = 10;
        PaintStyle(run, icons);
        std::printf("style %d: %d popups of items painted, then %.1f us per item at best\n", run.style,
                    run.profiledPopups, run.itemsSeconds * 1e6 / 20);
        return 0;
    }

    Run runs[kStyles];
    for (int style = 0; style < kStyles; ++style) {
        runs[style].style = style;
        if (argc > 1)
            runs[style].saveFolder = argv[1];
        // Two rounds: the better of each, so that load elsewhere falls on every style alike.
        PaintStyle(runs[style], icons);
    }
    for (int round = 1; round < 3; ++round)
        for (int style = 0; style < kStyles; ++style) {
            Run again;
            again.style = style;
            PaintStyle(again, icons);
            if (again.measured && again.popupSeconds < runs[style].popupSeconds)
                runs[style].popupSeconds = again.popupSeconds;
            if (again.measured && again.itemsSeconds < runs[style].itemsSeconds)
                runs[style].itemsSeconds = again.itemsSeconds;
            if (again.measured && again.windowSeconds < runs[style].windowSeconds)
                runs[style].windowSeconds = again.windowSeconds;
        }

    std::printf("popup of 20 items (17 labelled, 3 separators), painted into a DIB of its size\n");
    std::printf("style  size      whole popup   ratio to 0   window repaint   ratio to 0   items alone (WM_DRAWITEM)   per item\n");
    for (const Run& run : runs) {
        if (!run.measured) {
            std::printf("%5d  the popup never opened\n", run.style);
            continue;
        }
        std::printf("%5d  %3ldx%-4ld  %8.3f ms  %10.2f  %12.3f ms  %10.2f", run.style, run.size.cx, run.size.cy,
                    run.popupSeconds * 1e3, run.popupSeconds / runs[0].popupSeconds, run.windowSeconds * 1e3,
                    run.windowSeconds / runs[0].windowSeconds);
        if (run.style != 0)
            std::printf("   %14.3f ms  %17.1f us", run.itemsSeconds * 1e3, run.itemsSeconds * 1e6 / 20);
        std::printf("\n");
    }
    {
        HMENU popup = CreatePopupMenu();
        AppendMenuA(popup, MF_STRING, kFirstId + 1, "&Open...\tCtrl+O");
        ReportItemCalls(popup, red.icon);
        DestroyMenu(popup);
    }
    for (int style = 1; style < kStyles; ++style)
        if (runs[style].measured && runs[0].measured) {
            char what[64];
            std::snprintf(what, sizeof what, "menu popup of 20 items, style %d", style);
            bench::PrintRatio(what, runs[style].popupSeconds, runs[0].popupSeconds);
            std::snprintf(what, sizeof what, "menu popup of 20 items, style %d, repainted on screen", style);
            bench::PrintRatio(what, runs[style].windowSeconds, runs[0].windowSeconds);
        }
    return 0;
}
