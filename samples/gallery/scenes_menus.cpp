// Menus opened through the system's own menu loop, with the owner window hooked by
// RedrawMenu. When the loop goes idle the owner gets WM_ENTERIDLE; a moment later a timer,
// still inside the loop, copies the open popup's pixels from the screen and ends the menu.
#include <windows.h>

#include <string>
#include <vector>

#include "../common/art.h"
#include "look.h"
#include "scenes.h"
#include "varnelle.h"

namespace gallery {
namespace {

enum : UINT { kNew = 100, kOpen, kSave, kSaveAs, kWrap, kToolbar, kSmall, kLarge, kRecent1, kRecent2, kExit, kDottedSeparator };

constexpr POINT kPopupAt = {60, 80};
constexpr UINT_PTR kCaptureTimer = 41, kGiveUpTimer = 42;

struct LoopCapture {
    bool withMenuBar = false;
    bool armed = false;
    HWND menuWindow = nullptr;
    Picture picture;
    bool finished = false;
};
LoopCapture* activeCapture = nullptr;

void CALLBACK TakePicture(HWND owner, UINT, UINT_PTR id, DWORD)
{
    KillTimer(owner, id);
    KillTimer(owner, kGiveUpTimer);
    if (activeCapture) {
        HWND popup = activeCapture->menuWindow ? activeCapture->menuWindow : FindWindowA("#32768", nullptr);
        RECT area = {};
        if (popup)
            GetWindowRect(popup, &area);
        if (activeCapture->withMenuBar) {
            MENUBARINFO bar = {};
            bar.cbSize = sizeof(bar);
            if (GetMenuBarInfo(owner, OBJID_MENU, 0, &bar)) {
                RECT barArea = bar.rcBar;
                barArea.bottom += 1; // the pushed item's frame reaches one row below the bar
                UnionRect(&area, &area, &barArea);
            }
        }
        activeCapture->picture = CaptureScreen(area);
        activeCapture->finished = true;
    }
    EndMenu();
}

void CALLBACK GiveUp(HWND owner, UINT, UINT_PTR id, DWORD)
{
    KillTimer(owner, id);
    KillTimer(owner, kCaptureTimer);
    if (activeCapture)
        activeCapture->finished = true;
    EndMenu();
}

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ENTERIDLE && wParam == MSGF_MENU && activeCapture && !activeCapture->armed) {
        activeCapture->armed = true;
        activeCapture->menuWindow = reinterpret_cast<HWND>(lParam);
        SetTimer(hwnd, kCaptureTimer, 80, TakePicture);
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// Runs one menu loop, started by `open`, and returns the picture taken inside it.
template <typename Open>
Picture CaptureMenuLoop(HWND owner, bool withMenuBar, Open open)
{
    LoopCapture capture;
    capture.withMenuBar = withMenuBar;
    activeCapture = &capture;
    SetTimer(owner, kGiveUpTimer, 10000, GiveUp);
    SetForegroundWindow(owner);
    open();
    for (int i = 0; i < 200 && !capture.finished; ++i)
        LetScreenSettle(50);
    activeCapture = nullptr;
    LetScreenSettle(100); // the popup disappears
    return std::move(capture.picture);
}

void AppendItem(HMENU menu, UINT id, const char* text, HBITMAP glyph = nullptr)
{
    MENUITEMINFOA item = {};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_ID | MIIM_STRING | (glyph ? MIIM_BITMAP : 0);
    item.wID = id;
    item.dwTypeData = const_cast<char*>(text);
    item.hbmpItem = glyph;
    InsertMenuItemA(menu, GetMenuItemCount(menu), TRUE, &item);
}

// The showcase popup: every kind of item the painters know, icons from an image list and
// from single icons, a band and a separator painted by the application.
struct Showcase {
    HMENU popup = nullptr;
    HIMAGELIST images = nullptr;
    HICON folder = nullptr;

    Showcase()
    {
        using sample_art::Icon;
        popup = CreatePopupMenu();
        HMENU recent = CreatePopupMenu();
        AppendItem(popup, kNew, "&New\tCtrl+N");
        AppendItem(popup, kOpen, "&Open...\tCtrl+O");
        AppendItem(popup, kSave, "&Save\tCtrl+S");
        AppendItem(popup, kSaveAs, "Save &As...");
        AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
        AppendItem(popup, kWrap, "&Word Wrap");
        AppendItem(popup, kToolbar, "&Toolbar");
        AppendItem(popup, kSmall, "S&mall Icons");
        AppendItem(popup, kLarge, "&Large Icons");
        sample_art::AppendPaintedSeparator(popup, kDottedSeparator);
        AppendItem(recent, kRecent1, "&1 notes.txt");
        AppendItem(recent, kRecent2, "&2 letter.txt");
        AppendMenuA(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(recent), "&Recent Files");
        AppendItem(popup, SC_RESTORE, "&Restore", HBMMENU_POPUP_RESTORE);
        AppendItem(popup, SC_MINIMIZE, "Mi&nimize", HBMMENU_POPUP_MINIMIZE);
        AppendItem(popup, SC_CLOSE, "&Close\tAlt+F4", HBMMENU_POPUP_CLOSE);
        AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
        AppendItem(popup, kExit, "E&xit");

        EnableMenuItem(popup, kSave, MF_BYCOMMAND | MF_GRAYED);
        EnableMenuItem(popup, kSaveAs, MF_BYCOMMAND | MF_GRAYED);
        CheckMenuItem(popup, kWrap, MF_BYCOMMAND | MF_CHECKED);
        CheckMenuItem(popup, kToolbar, MF_BYCOMMAND | MF_CHECKED);
        CheckMenuRadioItem(popup, kSmall, kLarge, kSmall, MF_BYCOMMAND);

        images = sample_art::MakeImageList();
        const MenuIconEntry entries[] = {{kNew, static_cast<int>(Icon::Page)},
                                         {kSave, static_cast<int>(Icon::Disk)},
                                         {kToolbar, static_cast<int>(Icon::Toolbar)}};
        SetMenuIcon(popup, images, 3, entries);
        folder = sample_art::MakeIcon(Icon::Folder);
        SetMenuItemIcon(popup, kOpen, folder);
        AddLeftBorder(popup, sample_art::PaintBand, 1);
    }
    ~Showcase()
    {
        // SetMenuIcon's icons belong to the application: take them back before the menu goes.
        for (UINT id : {kNew, kSave, kToolbar}) {
            MENUITEMINFOA item = {};
            item.cbSize = sizeof(item);
            item.fMask = MIIM_DATA;
            if (GetMenuItemInfoA(popup, id, FALSE, &item) && item.dwItemData)
                DestroyIcon(reinterpret_cast<HICON>(item.dwItemData));
        }
        DestroyMenu(popup);
        DestroyIcon(folder);
        ImageList_Destroy(images);
    }
    Showcase(const Showcase&) = delete;
    Showcase& operator=(const Showcase&) = delete;
};

struct Variant {
    const char* name;
    int downs; // VK_DOWN presses: the band is skipped, the first press selects New
    int disableSelect;
    const char* row;
};
const Variant kVariants[] = {
    {"open", 2, 1, "Open... selected (icon from SetMenuItemIcon)"},
    {"checked", 5, 1, "Word Wrap selected (checked, no icon)"},
    {"grayed", 3, 1, "Save selected: grayed, SetDisableSelect(1)"},
    {"grayed-ds0", 3, 0, "Save selected: grayed, SetDisableSelect(0)"},
};

// Windows XP lights the menu-bar item under the mouse by sending WM_DRAWITEM with
// ODS_HOTLIGHT to the window; Wine's menu bar never hot-tracks, so the gallery sends that
// message itself as XP does: the window's DC with the menu font and the menu text colour
// in it, and the item's place.
void HotLightMenuBarItem(HWND owner, HMENU bar, int position)
{
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_DATA;
    GetMenuItemInfoA(bar, position, TRUE, &info);
    RECT item, window;
    GetMenuItemRect(owner, bar, position, &item);
    GetWindowRect(owner, &window);
    OffsetRect(&item, -window.left, -window.top);
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    HFONT menuFont = CreateFontIndirectA(&metrics.lfMenuFont);
    HDC dc = GetWindowDC(owner);
    HGDIOBJ previousFont = SelectObject(dc, menuFont);
    SetTextColor(dc, GetSysColor(COLOR_MENUTEXT));
    DRAWITEMSTRUCT draw = {ODT_MENU, 0, info.wID, ODA_DRAWENTIRE, ODS_HOTLIGHT, reinterpret_cast<HWND>(bar), dc,
                           item, info.dwItemData};
    SendMessageA(owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
    SelectObject(dc, previousFont);
    ReleaseDC(owner, dc);
    DeleteObject(menuFont);
}

} // namespace

namespace {

// The popup of each style in the variants and schemes given, named with `prefix` first.
bool RenderPopups(HINSTANCE instance, const PictureSink& sink, std::string& error, const std::string& prefix,
                  std::initializer_list<int> styles, std::initializer_list<Variant> variants,
                  std::initializer_list<Scheme> schemes, const std::string& group)
{
    HWND owner = CreateStage(instance, "VarnelleGalleryMenuOwner", OwnerProc, {20, 20, 420, 320});
    if (!owner) {
        error = "could not create the menu owner window";
        return false;
    }
    for (int style : styles) {
        Showcase showcase;
        RedrawMenu(owner, showcase.popup, style);
        for (const Variant& variant : variants) {
            if (style == 0 && variant.disableSelect == 0)
                continue; // the system draws style 0: SetDisableSelect changes nothing
            for (Scheme scheme : schemes) {
                ScopedScheme colours(scheme);
                SetDisableSelect(variant.disableSelect);
                Picture picture = CaptureMenuLoop(owner, false, [&] {
                    for (int i = 0; i < variant.downs; ++i)
                        PostMessageA(owner, WM_KEYDOWN, VK_DOWN, 0);
                    TrackPopupMenu(showcase.popup, TPM_LEFTALIGN | TPM_TOPALIGN, kPopupAt.x, kPopupAt.y, 0, owner,
                                   nullptr);
                });
                SetDisableSelect(1);
                if (picture.empty()) {
                    error = "the popup of style " + std::to_string(style) + " could not be captured";
                    DestroyWindow(owner);
                    return false;
                }
                picture.name = prefix + "menu-style" + std::to_string(style) + "-" + variant.name + "-" +
                               SchemeName(scheme);
                picture.group = group;
                picture.row = "style " + std::to_string(style) + ": " + variant.row;
                picture.column = SchemeTitle(scheme);
                picture.caption = "RedrawMenu(window, popup, " + std::to_string(style) +
                                  "); band by AddLeftBorder, dotted separator by a callback";
                sink(std::move(picture));
            }
        }
    }
    DestroyWindow(owner);
    return true;
}

} // namespace

bool RenderMenus(HINSTANCE instance, const PictureSink& sink, std::string& error)
{
    return RenderPopups(instance, sink, error, "", {0, 1, 2, 3}, {kVariants[0], kVariants[1], kVariants[2], kVariants[3]},
                        {Scheme::Classic, Scheme::Xp, Scheme::Dark, Scheme::DarkMode},
                        "Menus: a popup opened with TrackPopupMenu, keyboard selection");
}

bool RenderDpiPopups(HINSTANCE instance, const PictureSink& sink, std::string& error)
{
    const std::string dpi = std::to_string(ScreenDpi());
    return RenderPopups(instance, sink, error, "dpi" + dpi + "-", {0, 1, 2, 3}, {kVariants[0], kVariants[1]},
                        {Scheme::Xp, Scheme::DarkMode},
                        "Menus at " + dpi + " DPI: glyphs, check marks and arrows scale with the items");
}

bool RenderMenuBarXp(HINSTANCE instance, const PictureSink& sink, std::string& error)
{
    Showcase showcase;
    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(showcase.popup), "&File");
    const char* const others[] = {"&Edit", "&View", "&Help"};
    HMENU popups[3];
    for (int i = 0; i < 3; ++i) {
        popups[i] = CreatePopupMenu();
        AppendItem(popups[i], 300 + i, "&About");
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popups[i]), others[i]);
    }
    HWND owner = CreateStage(instance, "VarnelleGalleryMenuBar", OwnerProc, {20, 20, 420, 440}, bar);
    if (!owner) {
        error = "could not create the menu bar window";
        return false;
    }
    RedrawMenu(owner, bar, 2);
    MENUBARINFO barInfo = {};
    barInfo.cbSize = sizeof(barInfo);
    for (Scheme scheme : kSchemes) {
        ScopedScheme colours(scheme);
        DrawMenuBar(owner);
        LetScreenSettle(150);
        GetMenuBarInfo(owner, OBJID_MENU, 0, &barInfo);
        RECT barArea = barInfo.rcBar;
        barArea.bottom += 1;
        Picture rest = CaptureScreen(barArea);

        HotLightMenuBarItem(owner, bar, 1);
        LetScreenSettle();
        Picture hot = CaptureScreen(barArea);
        DrawMenuBar(owner);
        LetScreenSettle();

        Picture pushed = CaptureMenuLoop(owner, true, [&] { PostMessageA(owner, WM_SYSCOMMAND, SC_KEYMENU, 'f'); });
        if (rest.empty() || hot.empty() || pushed.empty()) {
            error = "the menu bar could not be captured";
            DestroyWindow(owner);
            return false;
        }
        const char* column = SchemeTitle(scheme);
        rest.name = std::string("menubar-style2-") + SchemeName(scheme);
        rest.row = "style 2 menu bar at rest";
        hot.name = std::string("menubar-style2-hot-") + SchemeName(scheme);
        hot.row = "style 2 menu bar, Edit hot-lit (the WM_DRAWITEM Windows XP sends for the item under the mouse)";
        pushed.name = std::string("menubar-style2-pushed-") + SchemeName(scheme);
        pushed.row = "style 2 menu bar, File pushed (opened with Alt+F)";
        for (Picture* picture : {&rest, &hot, &pushed}) {
            picture->group = "Menu bar of style 2 (Windows XP)";
            picture->column = column;
            picture->caption = "RedrawMenu(window, GetMenu(window), 2) seen as Windows XP";
            sink(std::move(*picture));
        }
    }
    // The showcase popup is destroyed by its own object, the rest of the bar here.
    SetMenu(owner, nullptr);
    RemoveMenu(bar, 0, MF_BYPOSITION);
    DestroyMenu(bar);
    DestroyWindow(owner);
    return true;
}

bool RenderDarkMenuBar(HINSTANCE instance, const PictureSink& sink, std::string& error)
{
    Showcase showcase;
    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(showcase.popup), "&File");
    const char* const others[] = {"&Edit", "&View", "&Help"};
    for (int i = 0; i < 3; ++i) {
        HMENU popup = CreatePopupMenu();
        AppendItem(popup, 300 + i, "&About");
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), others[i]);
    }
    HWND owner = CreateStage(instance, "VarnelleGalleryDarkMenuBar", OwnerProc, {20, 20, 420, 440}, bar);
    if (!owner) {
        error = "could not create the menu bar window";
        return false;
    }
    ScopedScheme colours(Scheme::DarkMode);
    MENUBARINFO barInfo = {};
    barInfo.cbSize = sizeof(barInfo);
    bool captured = true;
    for (int style = 1; style <= 3 && captured; ++style) {
        RedrawMenu(owner, bar, style);
        LetScreenSettle(150);
        GetMenuBarInfo(owner, OBJID_MENU, 0, &barInfo);
        RECT barArea = barInfo.rcBar;
        barArea.bottom += 1;
        std::vector<Picture> pictures;
        if (style == 2) {
            Picture rest = CaptureScreen(barArea);
            rest.name = "menubar-style2-darkmode";
            rest.row = "menu bar at rest";
            HotLightMenuBarItem(owner, bar, 1);
            LetScreenSettle();
            Picture hot = CaptureScreen(barArea);
            hot.name = "menubar-style2-hot-darkmode";
            hot.row = "menu bar, Edit hot-lit (WM_DRAWITEM with ODS_HOTLIGHT)";
            DrawMenuBar(owner);
            LetScreenSettle();
            pictures.push_back(std::move(rest));
            pictures.push_back(std::move(hot));
        }
        Picture pushed = CaptureMenuLoop(owner, true, [&] { PostMessageA(owner, WM_SYSCOMMAND, SC_KEYMENU, 'f'); });
        pushed.name = "menubar-style" + std::to_string(style) + "-pushed-darkmode";
        pushed.row = "style " + std::to_string(style) + ": File pushed (opened with Alt+F), its popup open";
        pictures.push_back(std::move(pushed));
        for (Picture& picture : pictures) {
            if (picture.empty()) {
                captured = false;
                break;
            }
            picture.group = "Menu bar in dark mode (every Windows version)";
            picture.column = SchemeTitle(Scheme::DarkMode);
            picture.caption = "SetColorMode(1); RedrawMenu(window, GetMenu(window), style)";
            sink(std::move(picture));
        }
    }
    // Back to the system colours before the window goes: the library's brushes go too.
    SetMenu(owner, nullptr);
    RemoveMenu(bar, 0, MF_BYPOSITION);
    DestroyMenu(bar);
    DestroyWindow(owner);
    if (!captured)
        error = "the dark menu bar could not be captured";
    return captured;
}

namespace {

// A localised application's File menu, its texts as it wrote them (UTF-16): Russian,
// Greek, and Hebrew in a window laid out right to left (WS_EX_LAYOUTRTL).
struct Localised {
    const char* name;
    const char* row;
    int style;
    Scheme scheme;
    bool rightToLeft;
    const wchar_t* items[5];
};
const Localised kLocalised[] = {
    {"russian", "Russian: \"File\" of a localised program, Open... selected", 2, Scheme::Xp, false,
     {L"&\u0421\u043E\u0437\u0434\u0430\u0442\u044C\tCtrl+N", L"&\u041E\u0442\u043A\u0440\u044B\u0442\u044C...\tCtrl+O",
      L"&\u0421\u043E\u0445\u0440\u0430\u043D\u0438\u0442\u044C\tCtrl+S",
      L"\u0421\u043E\u0445\u0440\u0430\u043D\u0438\u0442\u044C &\u043A\u0430\u043A...",
      L"&\u0412\u044B\u0445\u043E\u0434"}},
    {"greek", "Greek: the same menu, style 3", 3, Scheme::Classic, false,
     {L"&\u039D\u03AD\u03BF\tCtrl+N", L"&\u0386\u03BD\u03BF\u03B9\u03B3\u03BC\u03B1...\tCtrl+O",
      L"&\u0391\u03C0\u03BF\u03B8\u03AE\u03BA\u03B5\u03C5\u03C3\u03B7\tCtrl+S",
      L"\u0391\u03C0\u03BF\u03B8\u03AE\u03BA\u03B5\u03C5\u03C3\u03B7 &\u03C9\u03C2...",
      L"\u0388&\u03BE\u03BF\u03B4\u03BF\u03C2"}},
    {"hebrew-rtl", "Hebrew in a right-to-left window, style 2", 2, Scheme::Xp, true,
     {L"&\u05D7\u05D3\u05E9\tCtrl+N", L"&\u05E4\u05EA\u05D7...\tCtrl+O", L"&\u05E9\u05DE\u05D5\u05E8\tCtrl+S",
      L"\u05E9\u05DE\u05D5\u05E8 &\u05D1\u05E9\u05DD...", L"&\u05D9\u05E6\u05D9\u05D0\u05D4"}},
};

} // namespace

bool RenderLocalisedMenus(HINSTANCE instance, const PictureSink& sink, std::string& error)
{
    HWND owner = CreateStage(instance, "VarnelleGalleryLocalisedOwner", OwnerProc, {20, 20, 420, 320});
    if (!owner) {
        error = "could not create the menu owner window";
        return false;
    }
    for (const Localised& menu : kLocalised) {
        // Wine takes MFT_RIGHTORDER (the value of MF_SYSMENU) for a window-menu item and
        // draws the window's icon in its place: the right-to-left menu belongs to a
        // right-to-left window instead.
        const LONG_PTR exStyle = GetWindowLongPtrA(owner, GWL_EXSTYLE);
        SetWindowLongPtrA(owner, GWL_EXSTYLE, menu.rightToLeft ? exStyle | WS_EX_LAYOUTRTL : exStyle & ~WS_EX_LAYOUTRTL);
        HMENU popup = CreatePopupMenu();
        for (int i = 0; i < 5; ++i) {
            if (i == 4)
                AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
            MENUITEMINFOW item = {};
            item.cbSize = sizeof(item);
            item.fMask = MIIM_ID | MIIM_STRING;
            item.wID = kNew + static_cast<UINT>(i);
            item.dwTypeData = const_cast<wchar_t*>(menu.items[i]);
            InsertMenuItemW(popup, GetMenuItemCount(popup), TRUE, &item);
        }
        HICON folder = sample_art::MakeIcon(sample_art::Icon::Folder);
        HICON page = sample_art::MakeIcon(sample_art::Icon::Page);
        SetMenuItemIcon(popup, kNew, page);
        SetMenuItemIcon(popup, kOpen, folder);
        EnableMenuItem(popup, kSave, MF_BYCOMMAND | MF_GRAYED);
        RedrawMenu(owner, popup, menu.style);
        ScopedScheme colours(menu.scheme);
        Picture picture = CaptureMenuLoop(owner, false, [&] {
            PostMessageA(owner, WM_KEYDOWN, VK_DOWN, 0);
            PostMessageA(owner, WM_KEYDOWN, VK_DOWN, 0);
            TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN, kPopupAt.x, kPopupAt.y, 0, owner, nullptr);
        });
        DestroyMenu(popup);
        DestroyIcon(folder);
        DestroyIcon(page);
        if (picture.empty()) {
            error = std::string("the ") + menu.name + " popup could not be captured";
            DestroyWindow(owner);
            return false;
        }
        picture.name = "language-style" + std::to_string(menu.style) + "-" + menu.name + "-" + SchemeName(menu.scheme);
        picture.group = "Menus of localised programs: item texts as UTF-16";
        picture.row = menu.row;
        picture.column = SchemeTitle(menu.scheme);
        picture.caption = "InsertMenuItemW texts, RedrawMenu(window, popup, " + std::to_string(menu.style) +
                          "); menu font DejaVu Sans";
        sink(std::move(picture));
    }
    DestroyWindow(owner);
    return true;
}

} // namespace gallery
