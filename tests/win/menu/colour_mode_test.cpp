// SetColorMode: the system colours, the dark palette, or the user's choice for
// applications (AppsUseLightTheme, read again on WM_SETTINGCHANGE "ImmersiveColorSet"),
// seen in what the looks paint, in the menu bar's background and in skinned buttons.
#include "common/scheme_testing.h"
#include "common/test_support.h"
#include "menu/item_painting.h"
#include "menu/menu_font_scope.h"
#include "menu/menu_tree_testing.h"
#include "varnelle.h"

#include <gtest/gtest.h>

#include <optional>

using namespace testing_support;
using menu_testing::ItemAt;
using menu_testing::ScopedMenuFont;

namespace {

enum : UINT { kItem = 300, kBlank = 301, kOther = 302 };
constexpr wchar_t kPersonalize[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

// AppsUseLightTheme for the lifetime of the object (absent: no value), then as it was.
class ScopedAppsTheme {
public:
    explicit ScopedAppsTheme(std::optional<DWORD> light) : saved_(Read()) { Write(light); }
    ~ScopedAppsTheme() { Write(saved_); }
    ScopedAppsTheme(const ScopedAppsTheme&) = delete;
    ScopedAppsTheme& operator=(const ScopedAppsTheme&) = delete;

    static void Write(std::optional<DWORD> light)
    {
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, kPersonalize, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
            ERROR_SUCCESS)
            return;
        if (light)
            RegSetValueExW(key, L"AppsUseLightTheme", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&*light), sizeof(DWORD));
        else
            RegDeleteValueW(key, L"AppsUseLightTheme");
        RegCloseKey(key);
    }
    static std::optional<DWORD> Read()
    {
        DWORD value = 0, size = sizeof(value), type = 0;
        if (RegGetValueW(HKEY_CURRENT_USER, kPersonalize, L"AppsUseLightTheme", RRF_RT_REG_DWORD, &type, &value,
                         &size) != ERROR_SUCCESS)
            return std::nullopt;
        return value;
    }

private:
    std::optional<DWORD> saved_;
};

// Mode 0 after every test, whatever it left.
class ColourMode : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(font_.active());
        popup_ = CreatePopupMenu();
        AppendMenuA(popup_, MF_STRING, kItem, "Open the file");
        AppendMenuA(popup_, MF_STRING, kBlank, " ");
        bar_ = CreateMenu();
        AppendMenuA(bar_, MF_POPUP, reinterpret_cast<UINT_PTR>(popup_), "&File");
        AppendMenuA(bar_, MF_STRING, kOther, "&Help");
        SetMenu(window_.hwnd(), bar_);
    }
    void TearDown() override
    {
        SetColorMode(VARNELLE_COLORS_SYSTEM);
        SetMenu(window_.hwnd(), nullptr);
        DestroyMenu(bar_);
    }

    // The background behind the text of a popup item of `style`: dark or not.
    bool PaintsDark(int style)
    {
        EXPECT_EQ(RedrawMenu(window_.hwnd(), bar_, style), 1);
        const SIZE size = menu_testing::MeasureItem(window_.hwnd(), popup_, kItem);
        auto text = menu_testing::PaintItem(window_.hwnd(), popup_, kItem, 0, size);
        auto blank = menu_testing::PaintItem(window_.hwnd(), popup_, kBlank, 0, size);
        const menu_testing::TextInk ink = menu_testing::TextOf(*text, *blank);
        EXPECT_GE(ink.contrast, 4.5);
        return ContrastOf(ink.background, 0xFFFFFF) > ContrastOf(ink.background, 0);
    }

    HBRUSH BarBackground() const
    {
        MENUINFO info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIM_BACKGROUND;
        GetMenuInfo(bar_, &info);
        return info.hbrBack;
    }

    ScopedMenuFont font_{"Tahoma", -11, FW_NORMAL, NONANTIALIASED_QUALITY};
    ScopedSysColors colours_{{COLOR_MENU, RGB(240, 240, 240)}, {COLOR_WINDOW, 0xFFFFFF}, {COLOR_MENUTEXT, 0},
                             {COLOR_HIGHLIGHT, RGB(0, 120, 215)}, {COLOR_GRAYTEXT, RGB(109, 109, 109)},
                             {COLOR_BTNFACE, RGB(240, 240, 240)}, {COLOR_BTNTEXT, 0}};
    TestWindow window_{nullptr, WS_OVERLAPPEDWINDOW, nullptr, "VarnelleColourMode"};
    HMENU popup_ = nullptr;
    HMENU bar_ = nullptr;
};

TEST_F(ColourMode, ReturnsThePreviousModeAndRefusesAnyOther)
{
    struct Call {
        DWORD mode;
        DWORD returned;
    };
    const ScopedAppsTheme light(1);
    for (const Call& call : {Call{1, 0}, Call{2, 1}, Call{0, 2}, Call{3, 0}, Call{0xFFFFFFFF, 0}, Call{1, 0},
                             Call{7, 1}, Call{0x80000001, 1}, Call{0, 1}})
        EXPECT_EQ(SetColorMode(call.mode), call.returned) << call.mode;
    // A refused value changed nothing: still the system colours.
    SetColorMode(12345);
    EXPECT_FALSE(PaintsDark(2));
}

TEST_F(ColourMode, DarkPaletteInEveryStyleAndTheSystemColoursBack)
{
    for (int style = 1; style <= 3; ++style) {
        SetColorMode(VARNELLE_COLORS_DARK);
        EXPECT_TRUE(PaintsDark(style)) << style;
        SetColorMode(VARNELLE_COLORS_SYSTEM);
        EXPECT_FALSE(PaintsDark(style)) << style;
    }
}

TEST_F(ColourMode, FollowsTheUsersChoiceForApplications)
{
    struct Setting {
        std::optional<DWORD> light;
        bool dark;
    };
    for (const Setting& setting : {Setting{std::nullopt, false}, Setting{1, false}, Setting{0, true}}) {
        const ScopedAppsTheme theme(setting.light);
        SetColorMode(VARNELLE_COLORS_FOLLOW_APPS);
        EXPECT_EQ(PaintsDark(2), setting.dark) << (setting.light ? int(*setting.light) : -1);
        SetColorMode(VARNELLE_COLORS_SYSTEM);
    }
}

// The menu bar goes dark and light again with the user's setting, on the broadcast a
// hooked window receives; another section, or a section name that cannot be read, changes
// nothing.
TEST_F(ColourMode, SwitchesOnImmersiveColorSetWhileHooked)
{
    const ScopedAppsTheme theme(1);
    ASSERT_EQ(RedrawMenu(window_.hwnd(), bar_, 1), 1);
    SetColorMode(VARNELLE_COLORS_FOLLOW_APPS);
    EXPECT_EQ(BarBackground(), nullptr);
    EXPECT_FALSE(ItemAt(bar_, 0).ownerDrawn());

    ScopedAppsTheme::Write(0);
    SendMessageA(window_.hwnd(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("Policy"));
    SendMessageA(window_.hwnd(), WM_SETTINGCHANGE, 0, 1);
    SendMessageA(window_.hwnd(), WM_SETTINGCHANGE, 0, 0);
    EXPECT_EQ(BarBackground(), nullptr) << "not the colour setting";
    SendMessageA(window_.hwnd(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("ImmersiveColorSet"));
    const HBRUSH dark = BarBackground();
    ASSERT_NE(dark, nullptr);
    EXPECT_EQ(GetObjectType(dark), static_cast<DWORD>(OBJ_BRUSH));
    EXPECT_TRUE(ItemAt(bar_, 0).ownerDrawn()) << "the bar's items are the library's while dark";
    EXPECT_TRUE(PaintsDark(1));

    ScopedAppsTheme::Write(1);
    SendMessageA(window_.hwnd(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("ImmersiveColorSet"));
    EXPECT_EQ(BarBackground(), nullptr);
    EXPECT_FALSE(ItemAt(bar_, 0).ownerDrawn());
    EXPECT_FALSE(PaintsDark(1));
}

TEST_F(ColourMode, AUnicodeWindowHearsTheWideSectionName)
{
    const ScopedAppsTheme theme(1);
    WNDCLASSW type = {};
    type.lpfnWndProc = DefWindowProcW;
    type.hInstance = GetModuleHandleW(nullptr);
    type.lpszClassName = L"VarnelleColourModeWide";
    RegisterClassW(&type);
    HWND wide = CreateWindowExW(0, type.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                type.hInstance, nullptr);
    ASSERT_NE(wide, nullptr);
    SetMenu(window_.hwnd(), nullptr);
    SetMenu(wide, bar_);
    ASSERT_EQ(RedrawMenu(wide, bar_, 3), 1);
    SetColorMode(VARNELLE_COLORS_FOLLOW_APPS);
    ScopedAppsTheme::Write(0);
    SendMessageW(wide, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet"));
    const HBRUSH dark = BarBackground();
    ASSERT_NE(dark, nullptr);
    // Unhooked with the last hooked window, the brush goes (and the bar with its window).
    DestroyWindow(wide);
    bar_ = nullptr;
    EXPECT_EQ(GetObjectType(dark), 0u);
}

struct LoopSeen {
    HBRUSH background = nullptr;
    COLORREF margin = CLR_INVALID;  // inside the popup's frame, above the first item
    COLORREF surface = CLR_INVALID; // the first item, right of its text
};
LoopSeen loopSeen;
HMENU loopPopup = nullptr;

void CALLBACK LookAtOpenPopup(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    MENUINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIM_BACKGROUND;
    GetMenuInfo(loopPopup, &info);
    loopSeen.background = info.hbrBack;
    if (HWND popup = FindWindowA("#32768", nullptr)) {
        RECT frame, item;
        GetWindowRect(popup, &frame);
        GetMenuItemRect(nullptr, loopPopup, 0, &item);
        HDC screen = GetDC(nullptr);
        loopSeen.margin = GetPixel(screen, (item.left + item.right) / 2, item.top - 1);
        loopSeen.surface = GetPixel(screen, item.right - 4, (item.top + item.bottom) / 2);
        ReleaseDC(nullptr, screen);
    }
    EndMenu();
}

// Through the system's own menu loop: the open popup's margins and items are dark.
TEST_F(ColourMode, ThePopupOfTheSystemsMenuLoopIsDarkToItsMargins)
{
    ASSERT_EQ(RedrawMenu(window_.hwnd(), popup_, 2), 1);
    ShowWindow(window_.hwnd(), SW_SHOW);
    SetForegroundWindow(window_.hwnd());
    loopPopup = popup_;
    for (DWORD mode : {VARNELLE_COLORS_DARK, VARNELLE_COLORS_SYSTEM}) {
        SetColorMode(mode);
        loopSeen = {};
        SetTimer(nullptr, 0, 300, LookAtOpenPopup);
        TrackPopupMenu(popup_, TPM_LEFTALIGN, 60, 60, 0, window_.hwnd(), nullptr);
        PumpMessages();
        ASSERT_NE(loopSeen.margin, CLR_INVALID) << "the popup was not seen open";
        const bool dark = mode == VARNELLE_COLORS_DARK;
        EXPECT_EQ(loopSeen.background != nullptr, dark) << mode;
        EXPECT_EQ(ContrastOf(loopSeen.margin, 0xFFFFFF) > ContrastOf(loopSeen.margin, 0), dark)
            << std::hex << loopSeen.margin;
        EXPECT_EQ(ContrastOf(loopSeen.surface, 0xFFFFFF) > ContrastOf(loopSeen.surface, 0), dark)
            << std::hex << loopSeen.surface;
    }
}

// The brushes of the dark menus are the library's: made while needed, deleted when the
// mode goes back or the last hooked window goes.
TEST_F(ColourMode, GdiObjectsAreFlatOverAThousandSwitches)
{
    const ScopedAppsTheme theme(1);
    ASSERT_EQ(RedrawMenu(window_.hwnd(), bar_, 2), 1);
    const int before = CountFreeGdiHandles();
    for (int i = 0; i < 1000; ++i) {
        SetColorMode(i % 2 ? VARNELLE_COLORS_SYSTEM : VARNELLE_COLORS_DARK);
        SendMessageA(window_.hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup_), 0);
    }
    SetColorMode(VARNELLE_COLORS_FOLLOW_APPS);
    for (int i = 0; i < 200; ++i) {
        ScopedAppsTheme::Write(i % 2 ? 1 : 0);
        SendMessageA(window_.hwnd(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("ImmersiveColorSet"));
    }
    SetColorMode(VARNELLE_COLORS_SYSTEM);
    EXPECT_EQ(CountFreeGdiHandles(), before);

    // A window destroyed while dark takes the brushes with it.
    SetColorMode(VARNELLE_COLORS_DARK);
    {
        TestWindow other(nullptr, WS_OVERLAPPEDWINDOW, nullptr, "VarnelleColourModeOther");
        HMENU bar = CreateMenu();
        AppendMenuA(bar, MF_STRING, kOther, "&Tools");
        SetMenu(other.hwnd(), bar);
        SetMenu(window_.hwnd(), nullptr);
        DestroyWindow(window_.release());
        ASSERT_EQ(RedrawMenu(other.hwnd(), bar, 2), 1);
        EXPECT_LT(CountFreeGdiHandles(), before);
    }
    EXPECT_EQ(CountFreeGdiHandles(), before);
}

} // namespace
