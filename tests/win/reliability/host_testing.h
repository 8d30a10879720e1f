// A host application for the reliability tests: ANSI and Unicode top-level windows whose
// procedures let each test act on any message, the system's own menu loop closed as soon
// as it is idle (after its popups have been painted), and counts of what a leak would use up.
#pragma once
#include "common/test_support.h"

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace host_testing {

// Set by a test to act on the application's messages; a value is returned instead of the
// default handling.
using MessageHandler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;
inline MessageHandler onMessage;
inline int drawItemsSeen = 0;    // menu WM_DRAWITEM reaching the application
inline int measureItemsSeen = 0; // menu WM_MEASUREITEM reaching the application
inline int commandsSeen = 0;

inline std::optional<LRESULT> CommonHandling(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DRAWITEM && wParam == 0)
        ++drawItemsSeen;
    if (message == WM_MEASUREITEM && wParam == 0)
        ++measureItemsSeen;
    if (message == WM_COMMAND)
        ++commandsSeen;
    if (onMessage) {
        if (std::optional<LRESULT> result = onMessage(hwnd, message, wParam, lParam))
            return result;
    }
    // The loop has painted its popups and waits for input: it has done its work.
    if (message == WM_ENTERIDLE && wParam == MSGF_MENU)
        EndMenu();
    return std::nullopt;
}

inline LRESULT CALLBACK HostProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (std::optional<LRESULT> result = CommonHandling(hwnd, message, wParam, lParam))
        return *result;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

inline LRESULT CALLBACK HostProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (std::optional<LRESULT> result = CommonHandling(hwnd, message, wParam, lParam))
        return *result;
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// A top-level window of the host, ANSI or Unicode, visible or not.
inline HWND MakeHostWindow(bool unicode, bool visible = false, const wchar_t* title = L"Host")
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSA ansi = {};
        ansi.lpfnWndProc = HostProcA;
        ansi.hInstance = GetModuleHandleA(nullptr);
        ansi.hCursor = LoadCursor(nullptr, IDC_ARROW);
        ansi.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        ansi.lpszClassName = "VarnelleHostA";
        RegisterClassA(&ansi);
        WNDCLASSW wide = {};
        wide.lpfnWndProc = HostProcW;
        wide.hInstance = GetModuleHandleW(nullptr);
        wide.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wide.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wide.lpszClassName = L"VarnelleHostW";
        RegisterClassW(&wide);
        registered = true;
    }
    DWORD style = WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0);
    HWND hwnd = unicode ? CreateWindowExW(0, L"VarnelleHostW", title, style, 20, 20, 320, 240, nullptr, nullptr,
                                          GetModuleHandleW(nullptr), nullptr)
                        : CreateWindowExA(0, "VarnelleHostA", "Host", style, 20, 20, 320, 240, nullptr, nullptr,
                                          GetModuleHandleA(nullptr), nullptr);
    testing_support::PumpMessages(10);
    return hwnd;
}

// A menu bar "&File" {100 "&Open", 101 "&Save", separator, 102 "E&xit"}; the window it is
// set on destroys it.
struct FileBar {
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    FileBar()
    {
        AppendMenuA(file, MF_STRING, 100, "&Open");
        AppendMenuA(file, MF_STRING, 101, "&Save");
        AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(file, MF_STRING, 102, "E&xit");
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    }
};

// A push button of 90 x 30 pixels on the parent.
inline HWND MakePushButton(HWND parent, int id, int y = 10, const char* text = "OK")
{
    return CreateWindowExA(0, "BUTTON", text, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, y, 90, 30, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
}

// A menu item's WM_MEASUREITEM and WM_DRAWITEM (ODA_DRAWENTIRE, 180 x 24 pixels at the
// DC's origin) as the system sends them to the item's window.
inline void SendMenuItemMeasure(HWND hwnd, UINT id)
{
    MEASUREITEMSTRUCT measure = {};
    measure.CtlType = ODT_MENU;
    measure.itemID = id;
    SendMessageA(hwnd, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
}

inline void SendMenuItemDraw(HWND hwnd, HMENU menu, UINT id, UINT state, HDC dc)
{
    DRAWITEMSTRUCT draw = {};
    draw.CtlType = ODT_MENU;
    draw.itemID = id;
    draw.itemAction = ODA_DRAWENTIRE;
    draw.itemState = state;
    draw.hwndItem = reinterpret_cast<HWND>(menu);
    draw.hDC = dc;
    draw.rcItem = {0, 0, 180, 24};
    SendMessageA(hwnd, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
}

// Item sizes that reached the application with WM_MEASUREITEM, by identifier.
inline std::map<UINT, SIZE> measuredSizes;
inline std::optional<LRESULT> RecordMeasuredSizes(HWND, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_MEASUREITEM && wParam == 0) {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        measuredSizes[item->itemID] = {static_cast<LONG>(item->itemWidth), static_cast<LONG>(item->itemHeight)};
    }
    return std::nullopt;
}

inline void CALLBACK CloseStuckMenu(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    EndMenu();
}

// The system's own menu loop on `popup`, for `hwnd`: `keys` are posted first, so the loop
// moves through the items (opens submenus, picks a command) before it goes idle and is
// closed. A timer of the thread (the window may not live that long) closes a loop that
// never goes idle.
inline void TrackMenu(HWND hwnd, HMENU popup, std::initializer_list<WPARAM> keys = {})
{
    for (WPARAM key : keys)
        PostMessageA(hwnd, WM_KEYDOWN, key, 0);
    const UINT_PTR timer = SetTimer(nullptr, 0, 3000, CloseStuckMenu);
    SetForegroundWindow(hwnd);
    TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN, 60, 60, 0, hwnd, nullptr);
    KillTimer(nullptr, timer);
}

// USER objects that can still be created (menus until the system refuses one). Slow:
// tens of thousands of calls to the window server.
inline int CountFreeUserHandles()
{
    std::vector<HMENU> menus;
    menus.reserve(70000);
    while (menus.size() < 200000) {
        HMENU menu = CreateMenu();
        if (!menu)
            break;
        menus.push_back(menu);
    }
    for (HMENU menu : menus)
        DestroyMenu(menu);
    return static_cast<int>(menus.size());
}

// What a leak of GDI objects or memory would use up, compared before and after; quick
// enough to take around every case.
struct ResourceCounts {
    int freeGdiHandles;
    int heapBlocks;
    bool operator==(const ResourceCounts&) const = default;
};

inline ResourceCounts CountResources()
{
    return {testing_support::CountFreeGdiHandles(), testing_support::CountProcessHeapBlocks()};
}

inline std::string Describe(const ResourceCounts& counts)
{
    return "free GDI objects " + std::to_string(counts.freeGdiHandles) + ", heap blocks " +
           std::to_string(counts.heapBlocks);
}

// The library's properties left on a window once its last message has gone through the
// whole chain, seen by a procedure subclassed on top of everything.
inline std::vector<std::string> propertiesAfterLastMessage;
inline WNDPROC observedPrevious = nullptr;
inline LRESULT CALLBACK LastMessageObserver(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    bool wide = IsWindowUnicode(hwnd) != FALSE;
    LRESULT result = wide ? CallWindowProcW(observedPrevious, hwnd, message, wParam, lParam)
                          : CallWindowProcA(observedPrevious, hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY)
        propertiesAfterLastMessage = testing_support::LibraryPropertyNames(hwnd);
    return result;
}
inline void ObserveLastMessage(HWND hwnd)
{
    propertiesAfterLastMessage = {"never destroyed"};
    auto observer = reinterpret_cast<LONG_PTR>(LastMessageObserver);
    observedPrevious = reinterpret_cast<WNDPROC>(IsWindowUnicode(hwnd) ? SetWindowLongPtrW(hwnd, GWLP_WNDPROC, observer)
                                                                       : SetWindowLongPtrA(hwnd, GWLP_WNDPROC, observer));
}

} // namespace host_testing
