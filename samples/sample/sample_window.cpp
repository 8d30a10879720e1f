#include "sample_window.h"

#include <commctrl.h>
#include <mmsystem.h>

#include <cstdio>
#include <vector>

#include "common/art.h"
#include "varnelle.h"

namespace sample {
namespace {

using sample_art::Icon;

constexpr char kClassName[] = "VarnelleSample";
constexpr int kButtonCount = 6;
constexpr int kTile = 64; // side of the background tile

// Everything the window owns; freed in WM_DESTROY.
struct State {
    int style = 2;
    bool selectGrayed = true;
    int kind = 1; // flat grain tiles without seams
    COLORREF tint = 0; // 0: none
    int noise = 6;
    HBITMAP tile = nullptr;
    HBRUSH background = nullptr;
    HIMAGELIST images = nullptr;
    HICON icons[static_cast<int>(Icon::Count)] = {};
    HFONT font = nullptr;
    HFONT bold = nullptr;
    HBITMAP faces[3] = {};
    std::vector<unsigned char> click = sample_art::MakeClickSound();
    CTRL_STRUCT records[kButtonCount] = {};
    HWND buttons[kButtonCount] = {};
    char status[96] = "Choose a menu style under View.";
};

State* StateOf(HWND window)
{
    return reinterpret_cast<State*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

HICON IconOf(State& state, Icon icon)
{
    return state.icons[static_cast<int>(icon)];
}

void Append(HMENU menu, UINT id, const char* text, UINT flags = MF_STRING)
{
    AppendMenuA(menu, flags, id, text);
}

void AppendSubmenu(HMENU menu, HMENU submenu, const char* text)
{
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), text);
}

HMENU BuildMenuBar(State& state)
{
    HMENU file = CreatePopupMenu(), recent = CreatePopupMenu();
    Append(file, kFileNew, "&New\tCtrl+N");
    Append(file, kFileOpen, "&Open...\tCtrl+O");
    Append(file, kFileSave, "&Save\tCtrl+S", MF_STRING | MF_GRAYED);
    Append(file, kFileSaveAs, "Save &As...", MF_STRING | MF_GRAYED);
    sample_art::AppendPaintedSeparator(file, kDottedSeparator);
    Append(recent, kFileRecent1, "&1 notes.txt");
    Append(recent, kFileRecent2, "&2 letter.txt");
    AppendSubmenu(file, recent, "&Recent Files");
    Append(file, 0, nullptr, MF_SEPARATOR);
    Append(file, kFileExit, "E&xit\tAlt+F4");
    AddLeftBorder(file, sample_art::PaintBand, 1);

    HMENU edit = CreatePopupMenu();
    Append(edit, kEditCut, "Cu&t\tCtrl+X");
    Append(edit, kEditCopy, "&Copy\tCtrl+C");
    Append(edit, kEditPaste, "&Paste\tCtrl+V", MF_STRING | MF_GRAYED);
    Append(edit, 0, nullptr, MF_SEPARATOR);
    Append(edit, kEditSelectAll, "Select &All\tCtrl+A");

    HMENU view = CreatePopupMenu(), styles = CreatePopupMenu(), background = CreatePopupMenu();
    Append(styles, kViewStyle0, "Style &0 (drawn by the system)");
    Append(styles, kViewStyle1, "Style &1");
    Append(styles, kViewStyle2, "Style &2");
    Append(styles, kViewStyle3, "Style &3");
    AppendSubmenu(view, styles, "Menu &Style");
    Append(view, kViewSelectGrayed, "Select &Grayed Items");
    Append(view, 0, nullptr, MF_SEPARATOR);
    for (int kind = 1; kind <= 9; ++kind) {
        char text[32];
        std::snprintf(text, sizeof(text), "Pattern &%d", kind);
        Append(background, kBackgroundKind1 + kind - 1, text);
    }
    Append(background, 0, nullptr, MF_SEPARATOR);
    Append(background, kBackgroundTintNone, "&No Tint");
    Append(background, kBackgroundTintBlue, "&Blue Tint");
    Append(background, kBackgroundTintGreen, "&Green Tint");
    Append(background, 0, nullptr, MF_SEPARATOR);
    Append(background, kBackgroundGrainFine, "&Fine Grain");
    Append(background, kBackgroundGrainCoarse, "&Coarse Grain");
    AppendSubmenu(view, background, "&Background");
    Append(view, 0, nullptr, MF_SEPARATOR);
    Append(view, kViewToolbar, "&Toolbar", MF_STRING | MF_CHECKED);
    Append(view, kViewStatusBar, "Status &Bar", MF_STRING | MF_CHECKED);

    HMENU help = CreatePopupMenu();
    Append(help, kHelpAbout, "&About Varnelle Sample...");

    HMENU bar = CreateMenu();
    AppendSubmenu(bar, file, "&File");
    AppendSubmenu(bar, edit, "&Edit");
    AppendSubmenu(bar, view, "&View");
    AppendSubmenu(bar, help, "&Help");

    // Icons from the image list (new ones, the items' own) and from single icons (the
    // window's, shared).
    const MenuIconEntry fromList[] = {{kFileNew, static_cast<int>(Icon::Page)},
                                      {kEditCopy, static_cast<int>(Icon::Copy)},
                                      {kEditPaste, static_cast<int>(Icon::Paste)},
                                      {kViewToolbar, static_cast<int>(Icon::Toolbar)}};
    SetMenuIcon(bar, state.images, 4, fromList);
    SetMenuItemIcon(bar, kFileOpen, IconOf(state, Icon::Folder));
    SetMenuItemIcon(bar, kFileSave, IconOf(state, Icon::Disk));
    SetMenuItemIcon(bar, kEditCut, IconOf(state, Icon::Scissors));
    SetMenuItemIcon(bar, kHelpAbout, IconOf(state, Icon::Help));
    SetMenuItemIcon(bar, kBackgroundKind1, IconOf(state, Icon::Palette));
    return bar;
}

// The icons SetMenuIcon made belong to the menu items, that is to the application.
void DestroyListIcons(HMENU bar)
{
    for (UINT id : {kFileNew, kEditCopy, kEditPaste, kViewToolbar}) {
        MENUITEMINFOA item = {};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_DATA;
        if (GetMenuItemInfoA(bar, id, FALSE, &item) && item.dwItemData)
            DestroyIcon(reinterpret_cast<HICON>(item.dwItemData));
    }
}

void MakeBackground(HWND window, State& state)
{
    RECT size = {0, 0, kTile, kTile};
    HBITMAP tile = VarnelleFillBmpPlain(CreateFillBmp(state.kind, &size, state.noise, 0, state.tint ? 30 : 0, state.tint));
    HBRUSH brush = tile ? CreatePatternBrush(tile) : nullptr;
    if (!brush) {
        DeleteObject(tile);
        return; // keep the background there is
    }
    DeleteObject(state.background);
    DeleteObject(state.tile);
    state.tile = tile;
    state.background = brush;
    InvalidateRect(window, nullptr, TRUE);
}

void ApplyStyle(HWND window, State& state, int style)
{
    state.style = style;
    RedrawMenu(window, GetMenu(window), style);
    RedrawMenu(window, GetSystemMenu(window, FALSE), style);
    HMENU bar = GetMenu(window);
    CheckMenuRadioItem(bar, kViewStyle0, kViewStyle3, kViewStyle0 + style, MF_BYCOMMAND);
    std::snprintf(state.status, sizeof(state.status), "Menu style %d.", style);
    InvalidateRect(window, nullptr, TRUE);
}

void UpdateBackgroundChecks(HWND window, const State& state)
{
    HMENU bar = GetMenu(window);
    CheckMenuRadioItem(bar, kBackgroundKind1, kBackgroundKind1 + 8, kBackgroundKind1 + state.kind - 1, MF_BYCOMMAND);
    UINT tint = state.tint == 0 ? kBackgroundTintNone : state.tint == RGB(0, 90, 200) ? kBackgroundTintBlue : kBackgroundTintGreen;
    CheckMenuRadioItem(bar, kBackgroundTintNone, kBackgroundTintGreen, tint, MF_BYCOMMAND);
    CheckMenuRadioItem(bar, kBackgroundGrainFine, kBackgroundGrainCoarse,
                       state.noise > 10 ? kBackgroundGrainCoarse : kBackgroundGrainFine, MF_BYCOMMAND);
}

void CreateButtons(HWND window, State& state, HINSTANCE instance)
{
    struct Spec {
        const char* text;
        int width, height;
    };
    const Spec specs[kButtonCount] = {{"&Open", 96, 30}, {"&Next", 96, 30}, {"&Save", 80, 52},
                                      {"&Flat", 96, 30}, {"&Bitmap", 96, 30}, {"&Hand", 96, 30}};
    RECT faceSize = {0, 0, 96, 30};
    unsigned __int64 fill = CreateFillBmp(8, &faceSize, 8, 50, 0, 0);
    state.faces[0] = VarnelleFillBmpPlain(fill);
    state.faces[1] = VarnelleFillBmpHighlighted(fill);
    state.faces[2] = sample_art::MakeFaceBitmap(96, 30, RGB(0x90, 0xA8, 0xD0), RGB(0xE0, 0xE8, 0xF8));
    int x = 12;
    for (int i = 0; i < kButtonCount; ++i) {
        state.buttons[i] = CreateWindowExA(0, "BUTTON", specs[i].text, WS_CHILD | WS_VISIBLE | WS_TABSTOP, x, 12,
                                           specs[i].width, specs[i].height, window,
                                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstButton + i)), instance,
                                           nullptr);
        x += specs[i].width + 8;
        SendMessageA(state.buttons[i], WM_SETFONT, reinterpret_cast<WPARAM>(state.font), FALSE);
        CTRL_STRUCT& record = state.records[i];
        record.dwEdge = 1;
        record.hFont = state.font;
        record.pSoundHover = state.click.data();
        switch (i) {
        case 0: // icon left, with a hover icon, font and colours
            record.hIcon = IconOf(state, Icon::Folder);
            record.hIconHover = IconOf(state, Icon::Star);
            record.dwIconAlign = 0x100;
            record.hFontHover = state.bold;
            record.crTextHover = RGB(0, 0, 160);
            record.crTextPressed = RGB(160, 0, 0);
            break;
        case 1:
            record.hIcon = IconOf(state, Icon::Star);
            record.dwIconAlign = 0x200;
            break;
        case 2:
            record.hIcon = IconOf(state, Icon::Disk);
            record.dwIconAlign = 0x400;
            break;
        case 3: // flat until hovered
            record.dwFlat = 1;
            record.hIcon = IconOf(state, Icon::Help);
            record.crTextHover = RGB(0, 0, 160);
            break;
        case 4:
            record.hBmp = state.faces[0];
            record.hBmpHover = state.faces[1];
            record.hBmpPressed = state.faces[2];
            break;
        default: // a hover cursor
            record.hCursorHover = LoadCursor(nullptr, IDC_HAND);
            record.crTextHover = RGB(0, 120, 0);
            break;
        }
        RedrawButton(state.buttons[i], &record);
    }
}

bool OnCommand(HWND window, State& state, UINT id)
{
    if (id >= kViewStyle0 && id <= kViewStyle3) {
        ApplyStyle(window, state, static_cast<int>(id - kViewStyle0));
    } else if (id >= kBackgroundKind1 && id < kBackgroundKind1 + 9) {
        state.kind = static_cast<int>(id - kBackgroundKind1) + 1;
        MakeBackground(window, state);
    } else if (id >= kBackgroundTintNone && id <= kBackgroundTintGreen) {
        const COLORREF tints[] = {0, RGB(0, 90, 200), RGB(0, 150, 60)};
        state.tint = tints[id - kBackgroundTintNone];
        MakeBackground(window, state);
    } else if (id == kBackgroundGrainFine || id == kBackgroundGrainCoarse) {
        state.noise = id == kBackgroundGrainFine ? 6 : 24;
        MakeBackground(window, state);
    } else if (id == kViewSelectGrayed) {
        state.selectGrayed = !state.selectGrayed;
        SetDisableSelect(state.selectGrayed ? 1 : 0);
        CheckMenuItem(GetMenu(window), kViewSelectGrayed, MF_BYCOMMAND | (state.selectGrayed ? MF_CHECKED : MF_UNCHECKED));
    } else if (id == kViewToolbar || id == kViewStatusBar) {
        HMENU bar = GetMenu(window);
        bool checked = (GetMenuState(bar, id, MF_BYCOMMAND) & MF_CHECKED) != 0;
        CheckMenuItem(bar, id, MF_BYCOMMAND | (checked ? MF_UNCHECKED : MF_CHECKED));
    } else if (id == kFileExit) {
        PostMessageA(window, WM_CLOSE, 0, 0);
    } else if (id == kHelpAbout) {
        MessageBoxA(window, "Menus, buttons and background by Varnelle.dll.", "Varnelle Sample", MB_OK);
    } else if (id >= kFirstButton && id < kFirstButton + kButtonCount) {
        char text[32] = {};
        GetWindowTextA(state.buttons[id - kFirstButton], text, sizeof(text));
        std::snprintf(state.status, sizeof(state.status), "Clicked %s.", text);
        InvalidateRect(window, nullptr, TRUE);
    } else {
        return false;
    }
    if (id >= kBackgroundKind1 && id <= kBackgroundGrainCoarse)
        UpdateBackgroundChecks(window, state);
    return true;
}

void OnCreate(HWND window, State& state, HINSTANCE instance)
{
    for (int i = 0; i < static_cast<int>(Icon::Count); ++i)
        state.icons[i] = sample_art::MakeIcon(static_cast<Icon>(i));
    state.images = sample_art::MakeImageList();
    LOGFONTA font = {};
    font.lfHeight = -11;
    font.lfWeight = FW_NORMAL;
    lstrcpyA(font.lfFaceName, "Tahoma");
    state.font = CreateFontIndirectA(&font);
    font.lfWeight = FW_BOLD;
    state.bold = CreateFontIndirectA(&font);
    SetMenu(window, BuildMenuBar(state));
    CreateButtons(window, state, instance);
    MakeBackground(window, state);
    ApplyStyle(window, state, state.style);
    CheckMenuItem(GetMenu(window), kViewSelectGrayed, MF_BYCOMMAND | MF_CHECKED);
    SetDisableSelect(1);
    UpdateBackgroundChecks(window, state);
}

void OnDestroy(HWND window, State& state)
{
    for (HWND button : state.buttons)
        RedrawButton(button, nullptr);
    HMENU bar = GetMenu(window);
    DestroyListIcons(bar);
    SetMenu(window, nullptr);
    DestroyMenu(bar);
    DeleteObject(state.background);
    DeleteObject(state.tile);
    for (HBITMAP face : state.faces)
        DeleteObject(face);
    DeleteObject(state.font);
    DeleteObject(state.bold);
    for (HICON icon : state.icons)
        DestroyIcon(icon);
    ImageList_Destroy(state.images);
}

LRESULT CALLBACK SampleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    State* state = StateOf(window);
    switch (message) {
    case WM_CREATE: {
        state = new State;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
        OnCreate(window, *state, reinterpret_cast<CREATESTRUCTA*>(lParam)->hInstance);
        return 0;
    }
    case WM_COMMAND:
        if (state && OnCommand(window, *state, LOWORD(wParam)))
            return 0;
        break;
    case WM_ERASEBKGND:
        if (state && state->background) {
            RECT client;
            GetClientRect(window, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, state->background);
            return 1;
        }
        break;
    case WM_PAINT:
        if (state) {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            RECT client;
            GetClientRect(window, &client);
            client.top = client.bottom - 24;
            client.left += 12;
            HGDIOBJ previous = SelectObject(dc, state->font);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
            DrawTextA(dc, state->status, -1, &client, DT_SINGLELINE | DT_VCENTER);
            SelectObject(dc, previous);
            EndPaint(window, &paint);
            return 0;
        }
        break;
    case WM_DESTROY:
        if (state) {
            OnDestroy(window, *state);
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            delete state;
        }
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

bool RegisterSampleClass(HINSTANCE instance)
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSA windowClass = {};
    if (GetClassInfoA(instance, kClassName, &windowClass))
        return true;
    windowClass.lpfnWndProc = SampleProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    windowClass.lpszClassName = kClassName;
    return RegisterClassA(&windowClass) != 0;
}

HWND CreateSampleWindow(HINSTANCE instance, int show)
{
    HWND window = CreateWindowExA(0, kClassName, "Varnelle Sample", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 680, 420, nullptr, nullptr, instance, nullptr);
    if (window) {
        ShowWindow(window, show);
        UpdateWindow(window);
    }
    return window;
}

HACCEL CreateSampleAccelerators()
{
    ACCEL keys[] = {{FVIRTKEY | FCONTROL, 'N', kFileNew},       {FVIRTKEY | FCONTROL, 'O', kFileOpen},
                    {FVIRTKEY | FCONTROL, 'S', kFileSave},      {FVIRTKEY | FCONTROL, 'X', kEditCut},
                    {FVIRTKEY | FCONTROL, 'C', kEditCopy},      {FVIRTKEY | FCONTROL, 'V', kEditPaste},
                    {FVIRTKEY | FCONTROL, 'A', kEditSelectAll}};
    return CreateAcceleratorTableA(keys, static_cast<int>(sizeof(keys) / sizeof(keys[0])));
}

int SampleMenuStyle(HWND window)
{
    State* state = StateOf(window);
    return state ? state->style : -1;
}

} // namespace sample
