// Item texts as the application wrote them. A Unicode application's labels in any script
// are measured and painted by styles 1 to 3 with the shape DrawTextW gives them in the same
// font; access-key underlines follow the system's keyboard cues; right-to-left items are
// painted with their icon column on the reading side; hostile texts are measured and
// painted without harm. The text of each paint is found as the pixels that change when
// only the text colour changes.
#include "common/ink_shape.h"
#include "common/script_labels.h"
#include "common/test_support.h"
#include "menu/menu_font_scope.h"
#include "varnelle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

using namespace testing_support;
using menu_testing::ScopedMenuFont;

namespace {

constexpr UINT kItem = 100;
constexpr UINT kOther = 101;
constexpr int kWidth = 260;
constexpr int kHeight = 40;
constexpr COLORREF kTextColours[2] = {RGB(0, 0, 0), RGB(0xC0, 0x10, 0x20)};

bool SystemTextIsWide()
{
    return (GetVersion() & 0x80000000u) == 0;
}

LRESULT CALLBACK UnicodeHostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND MakeUnicodeHost(DWORD exStyle = 0)
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wide = {};
        wide.lpfnWndProc = UnicodeHostProc;
        wide.hInstance = GetModuleHandleW(nullptr);
        wide.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wide.lpszClassName = L"VarnelleMenuTextHost";
        RegisterClassW(&wide);
        registered = true;
    }
    return CreateWindowExW(exStyle, L"VarnelleMenuTextHost", L"\u0422\u0435\u043A\u0441\u0442",
                           WS_OVERLAPPEDWINDOW, 40, 40, 360, 240, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

void SetItem(HMENU menu, UINT id, const std::wstring& text, UINT type = MFT_STRING)
{
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STRING;
    info.fType = type;
    info.dwTypeData = const_cast<wchar_t*>(text.c_str());
    SetMenuItemInfoW(menu, id, FALSE, &info);
}

// A Unicode window hooked with RedrawMenu, its popup holding the item under test, and the
// font the system would select into the item's DC (the menu font, pinned).
class UnicodeMenu {
public:
    UnicodeMenu(const wchar_t* face, DWORD exStyle = 0)
        : window_(MakeUnicodeHost(exStyle)), popup_(CreatePopupMenu()), bar_(CreateMenu()),
          font_(CreatePinnedFont(face, -13))
    {
        AppendMenuW(popup_, MF_STRING, kItem, L"x");
        AppendMenuW(popup_, MF_STRING, kOther, L"&Other");
        AppendMenuW(bar_, MF_POPUP, reinterpret_cast<UINT_PTR>(popup_), L"&\u0424\u0430\u0439\u043B");
        SetMenu(window_, bar_);
    }
    ~UnicodeMenu()
    {
        DestroyWindow(window_); // destroys the menus with it
        DeleteObject(font_);
    }
    UnicodeMenu(const UnicodeMenu&) = delete;
    UnicodeMenu& operator=(const UnicodeMenu&) = delete;

    HWND window() const { return window_; }
    HMENU popup() const { return popup_; }
    HFONT font() const { return font_; }

    // What WM_MEASUREITEM gives the item inside a menu loop.
    SIZE measure(int style, UINT id = kItem)
    {
        RedrawMenu(window_, bar_, style);
        SendMessageW(window_, WM_ENTERMENULOOP, 0, 0);
        SendMessageW(window_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup_), 0);
        MEASUREITEMSTRUCT item = {ODT_MENU, 0, id, 0, 0, 0};
        SendMessageW(window_, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&item));
        SendMessageW(window_, WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(popup_), 0);
        SendMessageW(window_, WM_EXITMENULOOP, 0, 0);
        return {static_cast<LONG>(item.itemWidth), static_cast<LONG>(item.itemHeight)};
    }

    // The item painted inside a menu loop into a fresh surface, on a DC that is mirrored
    // first when asked.
    std::unique_ptr<DibSurface> paint(int style, UINT state, const RECT& rect, bool mirroredDc = false)
    {
        RedrawMenu(window_, bar_, style);
        auto surface = std::make_unique<DibSurface>(kWidth, kHeight, RGB(0x12, 0x34, 0x56));
        const HDC dc = surface->dc();
        if (mirroredDc)
            SetLayout(dc, LAYOUT_RTL);
        HGDIOBJ previous = SelectObject(dc, font_);
        SendMessageW(window_, WM_ENTERMENULOOP, 0, 0);
        SendMessageW(window_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup_), 0);
        DRAWITEMSTRUCT draw = {};
        draw.CtlType = ODT_MENU;
        draw.itemID = kItem;
        draw.itemAction = ODA_DRAWENTIRE;
        draw.itemState = state;
        draw.hwndItem = reinterpret_cast<HWND>(popup_);
        draw.hDC = dc;
        draw.rcItem = rect;
        SendMessageW(window_, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
        SendMessageW(window_, WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(popup_), 0);
        SendMessageW(window_, WM_EXITMENULOOP, 0, 0);
        SelectObject(dc, previous);
        if (mirroredDc)
            SetLayout(dc, 0);
        return surface;
    }

    // The item painted twice, its text in two colours: the pixels that differ are the text.
    struct Painted {
        std::unique_ptr<DibSurface> paints[2];
        InkShape inkIn(const RECT& area) const { return InkBetween(*paints[0], *paints[1], area); }
    };
    Painted paintText(int style, UINT state, const RECT& rect, bool mirroredDc = false)
    {
        Painted painted;
        for (int i = 0; i < 2; ++i) {
            ScopedSysColors text({{COLOR_MENUTEXT, kTextColours[i]}, {COLOR_HIGHLIGHTTEXT, kTextColours[i]}});
            painted.paints[i] = paint(style, state, rect, mirroredDc);
        }
        return painted;
    }

private:
    HWND window_;
    HMENU popup_;
    HMENU bar_;
    HFONT font_;
};

// The menu's own font for measurement and for the system's DCs, pinned without
// anti-aliasing; 13 pixels high like the pinned DC font.
struct PinnedMenuFont {
    explicit PinnedMenuFont(const char* face) : font(face, -13, FW_NORMAL, NONANTIALIASED_QUALITY) {}
    ScopedMenuFont font;
};

struct ScriptParam {
    ScriptLabel script;
    int style;
    UINT state;
};

std::vector<ScriptParam> ScriptParams()
{
    std::vector<ScriptParam> params;
    for (const ScriptLabel& script : kScriptLabels) {
        for (int style = 1; style <= 3; ++style) {
            params.push_back({script, style, 0});
            params.push_back({script, style, ODS_SELECTED});
        }
    }
    return params;
}

std::string ScriptName(const ::testing::TestParamInfo<ScriptParam>& info)
{
    return std::string(info.param.script.name) + "Style" + std::to_string(info.param.style) +
           (info.param.state ? "Selected" : "Normal");
}

void PrintTo(const ScriptParam& p, std::ostream* os)
{
    *os << p.script.name << ", style " << p.style << ", state " << p.state;
}

class MenuTextScripts : public ::testing::TestWithParam<ScriptParam> {};

SIZE ExtentW(HFONT font, const wchar_t* text, int length);

// The cell of a text item in the pinned font: the height of its line + 7.
int CellOf(HFONT font)
{
    return ExtentW(font, L"X", 1).cy + 7;
}

SIZE ExtentW(HFONT font, const wchar_t* text, int length)
{
    HDC screen = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(screen, font);
    RECT extent = {0, 0, 0, 0};
    DrawTextW(screen, text, length, &extent, DT_CALCRECT);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    return {extent.right - extent.left, extent.bottom - extent.top};
}

} // namespace

// The label reaches the item with the shape DrawTextW gives it, left of nothing but the
// icon column; its width is what WM_MEASUREITEM made room for.
TEST_P(MenuTextScripts, LabelHasTheShapeOfDrawTextW)
{
    if (!SystemTextIsWide())
        GTEST_SKIP() << "Windows 9x keeps its ANSI texts";
    const ScriptParam& p = GetParam();
    PinnedMenuFont menuFont(p.script.face);
    ASSERT_TRUE(menuFont.font.active());
    UnicodeMenu menu(p.script.wideFace);
    SetItem(menu.popup(), kItem, p.script.label);

    const SIZE measured = menu.measure(p.style);
    const SIZE extent = ExtentW(menu.font(), p.script.label, static_cast<int>(wcslen(p.script.label)));
    const int cell = CellOf(menu.font());
    EXPECT_EQ(measured.cx, extent.cx + cell + 10);
    EXPECT_EQ(measured.cy, cell + 2);

    const RECT rect = {0, 4, kWidth, 4 + measured.cy};
    const InkShape painted = menu.paintText(p.style, p.state, rect).inkIn(rect);
    const InkShape expected = DrawTextWShape(menu.font(), p.script.label);
    ASSERT_GT(expected.count, 0);
    EXPECT_EQ(painted, expected) << "painted:\n" << painted << "DrawTextW:\n" << expected;
    EXPECT_GE(painted.bounds.left, rect.left + cell);
}

INSTANTIATE_TEST_SUITE_P(EveryScript, MenuTextScripts, ::testing::ValuesIn(ScriptParams()), ScriptName);

namespace {

struct CueParam {
    int style;
    bool hidden;
    const wchar_t* label;
    const wchar_t* withoutMarks; // what the label shows while access keys are hidden
};

void PrintTo(const CueParam& p, std::ostream* os)
{
    *os << "style " << p.style << (p.hidden ? ", access keys hidden" : ", access keys shown");
}

class MenuKeyboardCues : public ::testing::TestWithParam<CueParam> {};

std::vector<CueParam> CueParams()
{
    const std::pair<const wchar_t*, const wchar_t*> labels[] = {
        {L"&Open", L"Open"}, {L"Save &&As", L"Save &As"}, {L"&\u0424\u0430\u0439\u043B", L"\u0424\u0430\u0439\u043B"}};
    std::vector<CueParam> params;
    for (int style = 1; style <= 3; ++style) {
        for (const auto& label : labels) {
            params.push_back({style, false, label.first, label.second});
            params.push_back({style, true, label.first, label.second});
        }
    }
    return params;
}

} // namespace

// While the system hides access-key underlines (ODS_NOACCEL) the label shows as
// DT_HIDEPREFIX shows it: without the marks and without underline; otherwise the mnemonic
// is underlined as DrawTextW underlines it.
TEST_P(MenuKeyboardCues, AccessKeyUnderlineFollowsOdsNoAccel)
{
    const CueParam& p = GetParam();
    PinnedMenuFont menuFont("DejaVu Sans");
    ASSERT_TRUE(menuFont.font.active());
    UnicodeMenu menu(L"DejaVu Sans");
    SetItem(menu.popup(), kItem, p.label);
    const RECT rect = {0, 4, kWidth, 4 + menu.measure(p.style).cy};
    const InkShape painted = menu.paintText(p.style, p.hidden ? ODS_NOACCEL : 0, rect).inkIn(rect);
    const InkShape expected =
        p.hidden ? DrawTextWShape(menu.font(), p.withoutMarks, DT_NOPREFIX) : DrawTextWShape(menu.font(), p.label);
    EXPECT_EQ(painted, expected) << "painted:\n" << painted << "expected:\n" << expected;
    if (wcschr(p.label, L'&') && !wcsstr(p.label, L"&&"))
        EXPECT_NE(DrawTextWShape(menu.font(), p.withoutMarks, DT_NOPREFIX), DrawTextWShape(menu.font(), p.label))
            << "the underline shows only while access keys are shown";
}

INSTANTIATE_TEST_SUITE_P(Styles, MenuKeyboardCues, ::testing::ValuesIn(CueParams()),
                         [](const ::testing::TestParamInfo<CueParam>& info) {
                             return "Style" + std::to_string(info.param.style) + (info.param.hidden ? "Hidden" : "Shown") +
                                    std::to_string(info.index);
                         });

namespace {

// Colours within 2 in each channel: a gradient laid right to left rounds its steps at the
// other end.
bool Close(COLORREF a, COLORREF b)
{
    auto near2 = [](int x, int y) { return x - y <= 2 && y - x <= 2; };
    return near2(GetRValue(a), GetRValue(b)) && near2(GetGValue(a), GetGValue(b)) && near2(GetBValue(a), GetBValue(b));
}

// Whether the right-to-left paint is the mirror image of the left-to-right one outside
// their texts. A pixel may match its mirrored neighbour: in a mirrored DC the system
// places outlines drawn with a pen (Rectangle) one pixel off the mirrored fills.
bool MirroredOutsideText(const DibSurface& leftToRight, const InkShape& textLtr, const DibSurface& rightToLeft,
                         const InkShape& textRtl, const RECT& rect, std::string* firstDifference)
{
    auto inText = [](const InkShape& text, int x, int y) {
        if (x < text.bounds.left || x >= text.bounds.right || y < text.bounds.top || y >= text.bounds.bottom)
            return false;
        return static_cast<bool>(
            text.ink[static_cast<size_t>((y - text.bounds.top) * text.width() + (x - text.bounds.left))]);
    };
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            const int mirrored = rect.left + rect.right - 1 - x;
            if (inText(textLtr, x, y) || inText(textRtl, mirrored, y))
                continue;
            const COLORREF colour = rightToLeft.at(mirrored, y);
            bool matches = false;
            for (int dx = -1; dx <= 1 && !matches; ++dx) {
                const int neighbour = x + dx;
                matches = neighbour >= rect.left && neighbour < rect.right && Close(leftToRight.at(neighbour, y), colour);
            }
            if (!matches) {
                char text[120];
                snprintf(text, sizeof(text), "(%d, %d) is %06lx left to right, (%d, %d) is %06lx right to left", x, y,
                         leftToRight.at(x, y), mirrored, y, colour);
                *firstDifference = text;
                return false;
            }
        }
    }
    return true;
}

struct RtlParam {
    int style;
    UINT state;
    bool icon;
};

void PrintTo(const RtlParam& p, std::ostream* os)
{
    *os << "style " << p.style << ", state " << p.state << (p.icon ? ", with icon" : "");
}

class MenuRightToLeft : public ::testing::TestWithParam<RtlParam> {
protected:
    void SetUp() override { ASSERT_TRUE(menuFont_.font.active()); }
    PinnedMenuFont menuFont_{"DejaVu Sans"};
};

constexpr wchar_t kHebrewLabel[] = L"\u05E4\u05EA\u05D7 \u05E7\u05D5\u05D1\u05E5 2";

} // namespace

// An item with MFT_RIGHTORDER is the mirror image of the same item read left to right,
// its icon column and check box at the right; only its text is not mirrored: it reads
// right to left, ending at the icon column.
TEST_P(MenuRightToLeft, RightOrderItemIsTheMirrorImage)
{
    const RtlParam& p = GetParam();
    UnicodeMenu menu(L"DejaVu Sans");
    HICON icon = p.icon ? MakeSolidIcon(16, RGB(0, 160, 0), 2) : nullptr;
    if (icon)
        SetMenuItemIcon(menu.popup(), kItem, icon);
    SetItem(menu.popup(), kItem, kHebrewLabel);
    const RECT rect = {0, 4, kWidth, 4 + menu.measure(p.style).cy};
    const UnicodeMenu::Painted leftToRight = menu.paintText(p.style, p.state, rect);
    SetItem(menu.popup(), kItem, kHebrewLabel, MFT_STRING | MFT_RIGHTORDER);
    const UnicodeMenu::Painted rightToLeft = menu.paintText(p.style, p.state, rect);

    const InkShape textLtr = leftToRight.inkIn(rect);
    const InkShape textRtl = rightToLeft.inkIn(rect);
    std::string difference;
    EXPECT_TRUE(MirroredOutsideText(*leftToRight.paints[0], textLtr, *rightToLeft.paints[0], textRtl, rect, &difference))
        << difference;
    // The label right of (left to right) or left of (right to left) the icon column, where
    // a check mark in the text colour is not.
    const int cell = CellOf(menu.font());
    const InkShape labelLtr = leftToRight.inkIn({rect.left + cell, rect.top, rect.right, rect.bottom});
    const InkShape labelRtl = rightToLeft.inkIn({rect.left, rect.top, rect.right - cell, rect.bottom});
    const InkShape expected = DrawTextWShape(menu.font(), kHebrewLabel, DT_RTLREADING);
    EXPECT_EQ(labelRtl, expected) << "painted:\n" << labelRtl << "DrawTextW:\n" << expected;
    // Read from the right: the label ends where the left-to-right one starts, mirrored
    // (but for the bearings of the glyphs at its two ends).
    EXPECT_NEAR(labelRtl.bounds.right, rect.left + rect.right - labelLtr.bounds.left, 3);
    EXPECT_GT(labelRtl.bounds.left, (rect.left + rect.right) / 2);
    if (icon)
        DestroyIcon(icon);
}

// A DC the system mirrored already (a right-to-left window's popup) is not mirrored back.
TEST_P(MenuRightToLeft, MirroredDcIsPaintedAsItIs)
{
    const RtlParam& p = GetParam();
    UnicodeMenu menu(L"DejaVu Sans");
    SetItem(menu.popup(), kItem, kHebrewLabel, MFT_STRING | MFT_RIGHTORDER);
    const RECT rect = {0, 4, kWidth, 4 + menu.measure(p.style).cy};
    const UnicodeMenu::Painted onMirroredDc = menu.paintText(p.style, p.state, rect, true);
    SetItem(menu.popup(), kItem, kHebrewLabel);
    const UnicodeMenu::Painted leftToRightOnMirroredDc = menu.paintText(p.style, p.state, rect, true);
    // The same pixels but for the text's reading order: the item is not mirrored back.
    const InkShape text = onMirroredDc.inkIn(rect);
    const InkShape otherText = leftToRightOnMirroredDc.inkIn(rect);
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            const bool inText = (x >= text.bounds.left && x < text.bounds.right && y >= text.bounds.top &&
                                 y < text.bounds.bottom) ||
                                (x >= otherText.bounds.left && x < otherText.bounds.right &&
                                 y >= otherText.bounds.top && y < otherText.bounds.bottom);
            if (!inText)
                ASSERT_EQ(onMirroredDc.paints[0]->at(x, y), leftToRightOnMirroredDc.paints[0]->at(x, y))
                    << "at (" << x << ", " << y << ")";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Styles, MenuRightToLeft,
                         ::testing::Values(RtlParam{1, 0, true}, RtlParam{1, ODS_SELECTED, true},
                                           RtlParam{2, 0, true}, RtlParam{2, ODS_SELECTED | ODS_CHECKED, false},
                                           RtlParam{2, ODS_CHECKED, true}, RtlParam{3, 0, true},
                                           RtlParam{3, ODS_SELECTED | ODS_CHECKED, false}),
                         [](const ::testing::TestParamInfo<RtlParam>& info) {
                             return "Style" + std::to_string(info.param.style) + "State" +
                                    std::to_string(info.param.state) + (info.param.icon ? "Icon" : "");
                         });

namespace {

struct HostileText {
    const char* name;
    std::wstring label;
};

std::vector<HostileText> HostileTexts()
{
    std::wstring longLabel;
    for (int i = 0; i < 4000; ++i)
        longLabel += static_cast<wchar_t>(0x0410 + i % 32);
    std::wstring cutPair(126, L'x');
    cutPair += L"\U0001F600"; // the pair's first half is the 127th character
    return {
        {"UnpairedSurrogates", L"a\xD800 b\xDC00 \xDBFF"},
        {"CombiningMarks", L"e\u0301\u0302\u0303\u0304\u0305 &o\u0308"},
        {"ZeroWidth", L"\u200B\u200C\u200D\uFEFF&x\u2060"},
        {"RightToLeftMarks", L"\u202E&abc\u202C \u05D0\u200F\t\u0661\u0662"},
        {"FourThousandCharacters", longLabel},
        {"PairCutByTheBuffer", cutPair},
        {"OnlyAmpersandsAndTabs", L"&&&\t\t&\t"},
        {"OnlyATab", L"\t"},
        {"OnlyAnAmpersand", L"&"},
    };
}

} // namespace

// Measured and painted in every style and state without a crash, a read past the buffer
// or a leak; what is measured is the text's first 127 characters, a pair cut by the buffer
// without its lone first half.
TEST(MenuHostileText, MeasuredAndPaintedWithoutHarm)
{
    if (!SystemTextIsWide())
        GTEST_SKIP() << "Windows 9x keeps its ANSI texts";
    PinnedMenuFont menuFont("DejaVu Sans");
    ASSERT_TRUE(menuFont.font.active());
    UnicodeMenu menu(L"DejaVu Sans");
    const int cell = CellOf(menu.font());
    // Twice: the first round lets the system make what it keeps for new characters (fonts
    // linked for scripts the pinned font lacks), the second must leave nothing behind.
    int freeBefore = 0;
    for (int round = 0; round < 2; ++round) {
        freeBefore = CountFreeGdiHandles();
        for (const HostileText& text : HostileTexts()) {
            SCOPED_TRACE(text.name);
            SetItem(menu.popup(), kItem, text.label);
            wchar_t read[128] = {};
            const int length = GetMenuStringW(menu.popup(), kItem, read, 128, MF_BYCOMMAND);
            int measuredLength = length;
            if (length == 127 && read[126] >= 0xD800 && read[126] <= 0xDBFF)
                measuredLength = 126;
            const bool hasTab = std::wstring(read, measuredLength).find(L'\t') != std::wstring::npos;
            for (int style = 1; style <= 3; ++style) {
                const SIZE measured = menu.measure(style);
                EXPECT_EQ(measured.cx,
                          ExtentW(menu.font(), read, measuredLength).cx + cell + 10 + (hasTab ? cell / 2 + 15 : 0))
                    << "style " << style;
                for (UINT state : {0u, UINT(ODS_SELECTED), UINT(ODS_GRAYED), UINT(ODS_CHECKED | ODS_NOACCEL)})
                    menu.paint(style, state, {0, 4, kWidth, 4 + measured.cy});
            }
        }
    }
    EXPECT_EQ(CountFreeGdiHandles(), freeBefore);
}

namespace {

// What the system's own menu loop painted of the popup, copied from the screen while it
// was open, and where the system asked for each item.
RECT drawnItem = {};
DWORD drawnLayout = 0;   // the layout of the DC the system painted the item in
LOGFONTW drawnFont = {};  // the font the system selected into it: Wine keeps the first
                          // menu font a process shows, whatever the settings say later
std::unique_ptr<DibSurface> capturedPopup;
WNDPROC hostProc = nullptr;

LRESULT CALLBACK RecordingHostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DRAWITEM && wParam == 0) {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (item->itemID == kItem) {
            drawnItem = item->rcItem;
            drawnLayout = GetLayout(item->hDC);
            GetObjectW(GetCurrentObject(item->hDC, OBJ_FONT), sizeof(drawnFont), &drawnFont);
        }
    }
    if (message == WM_ENTERIDLE && wParam == MSGF_MENU && !capturedPopup) {
        PumpMessages(30);
        if (HWND popup = FindWindowA("#32768", nullptr)) {
            RECT frame;
            GetWindowRect(popup, &frame);
            capturedPopup = std::make_unique<DibSurface>(frame.right - frame.left, frame.bottom - frame.top);
            HDC screen = GetDC(nullptr);
            BitBlt(capturedPopup->dc(), 0, 0, capturedPopup->width(), capturedPopup->height(), screen, frame.left,
                   frame.top, SRCCOPY);
            ReleaseDC(nullptr, screen);
        }
        EndMenu();
    }
    return CallWindowProcW(hostProc, hwnd, message, wParam, lParam);
}

// DrawTextW of the text in the font the system painted the item with.
InkShape DrawnLikeTheSystem(const wchar_t* text, UINT format = 0)
{
    LOGFONTW font = drawnFont;
    font.lfQuality = NONANTIALIASED_QUALITY;
    HFONT created = CreateFontIndirectW(&font);
    InkShape shape = DrawTextWShape(created, text, format);
    DeleteObject(created);
    return shape;
}

std::unique_ptr<DibSurface> OpenAndCapture(HWND window, HMENU popup)
{
    capturedPopup.reset();
    drawnItem = {};
    SetForegroundWindow(window);
    TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN, 80, 80, 0, window, nullptr);
    PumpMessages(30);
    return std::move(capturedPopup);
}

class MenuTextInTheMenuLoop : public ::testing::TestWithParam<int> {};

} // namespace

// End to end: a Russian popup opened with TrackPopupMenu on a Unicode window shows its
// label as DrawTextW draws it in the menu font.
TEST_P(MenuTextInTheMenuLoop, RussianLabelOnTheScreen)
{
    if (!SystemTextIsWide())
        GTEST_SKIP() << "Windows 9x keeps its ANSI texts";
    const int style = GetParam();
    PinnedMenuFont menuFont("DejaVu Sans");
    ASSERT_TRUE(menuFont.font.active());
    UnicodeMenu menu(L"DejaVu Sans");
    const wchar_t* label = L"&\u041E\u0442\u043A\u0440\u044B\u0442\u044C...";
    SetItem(menu.popup(), kItem, label);
    ASSERT_EQ(RedrawMenu(menu.window(), GetMenu(menu.window()), style), 1);
    ShowWindow(menu.window(), SW_SHOW);
    hostProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(menu.window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingHostProc)));

    std::unique_ptr<DibSurface> screens[2];
    for (int i = 0; i < 2; ++i) {
        ScopedSysColors text({{COLOR_MENUTEXT, kTextColours[i]}});
        screens[i] = OpenAndCapture(menu.window(), menu.popup());
        ASSERT_TRUE(screens[i]) << "the popup was not found on the screen";
    }
    // The item, where the system asked for it (the popup's window coordinates).
    ASSERT_GT(drawnItem.bottom, drawnItem.top) << "the item was painted by the loop";
    const InkShape painted = InkBetween(*screens[0], *screens[1], drawnItem);
    const InkShape expected = DrawnLikeTheSystem(label);
    EXPECT_EQ(painted, expected) << "on the screen:\n" << painted << "DrawTextW:\n" << expected;
    SetWindowLongPtrW(menu.window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hostProc));
}

INSTANTIATE_TEST_SUITE_P(Styles, MenuTextInTheMenuLoop, ::testing::Values(1, 2, 3));

// A window laid out right to left (WS_EX_LAYOUTRTL): through the system's own loop its
// popup shows the icon column at the right and the label left of it, whether or not the
// system mirrors the popup's DC itself. (Items with MFT_RIGHTORDER are painted through
// WM_DRAWITEM above only: Wine takes that bit, the value of MF_SYSMENU, for a window-menu
// item and draws the window's icon in its place.)
TEST(MenuRightToLeftWindow, PopupShowsTheIconColumnOnTheReadingSide)
{
    PinnedMenuFont menuFont("DejaVu Sans");
    ASSERT_TRUE(menuFont.font.active());
    UnicodeMenu menu(L"DejaVu Sans", WS_EX_LAYOUTRTL);
    DeleteMenu(menu.popup(), kOther, MF_BYCOMMAND);
    constexpr COLORREF kIconColour = RGB(0, 160, 0);
    HICON icon = MakeSolidIcon(16, kIconColour);
    SetMenuItemIcon(menu.popup(), kItem, icon);
    SetItem(menu.popup(), kItem, kHebrewLabel);
    ASSERT_EQ(RedrawMenu(menu.window(), GetMenu(menu.window()), 2), 1);
    ShowWindow(menu.window(), SW_SHOW);
    hostProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(menu.window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingHostProc)));
    std::unique_ptr<DibSurface> screens[2];
    for (int i = 0; i < 2; ++i) {
        ScopedSysColors text({{COLOR_MENUTEXT, kTextColours[i]}});
        screens[i] = OpenAndCapture(menu.window(), menu.popup());
        ASSERT_TRUE(screens[i]) << "the popup was not found on the screen";
    }
    SetWindowLongPtrW(menu.window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hostProc));
    printf("the system painted the right-to-left window's popup on a DC %s\n",
           (drawnLayout & LAYOUT_RTL) ? "it mirrored itself" : "that it did not mirror");
    const RECT whole = {0, 0, screens[0]->width(), screens[0]->height()};
    const InkShape iconPixels = PixelsOfColour(*screens[0], whole, kIconColour);
    const InkShape label = InkBetween(*screens[0], *screens[1], whole);
    ASSERT_GT(label.count, 0);
    ASSERT_GT(iconPixels.count, 0) << "the icon is on the screen";
    EXPECT_GT(iconPixels.bounds.left, screens[0]->width() / 2) << "the icon column stands at the right";
    EXPECT_LT(label.bounds.right, iconPixels.bounds.left) << "the label reads from the right, left of the icon";
    EXPECT_EQ(label, DrawnLikeTheSystem(kHebrewLabel, DT_RTLREADING));
    DestroyIcon(icon);
}

namespace {

// Run by every Windows-version copy: Windows 9x reads and draws item texts through the
// ANSI functions, NT through the wide ones.
class MenuTextAcrossVersions : public ::testing::TestWithParam<int> {};

} // namespace

TEST_P(MenuTextAcrossVersions, TextIsDrawnInTheSystemsEncoding)
{
    const int style = GetParam();
    PinnedMenuFont menuFont("DejaVu Sans");
    ASSERT_TRUE(menuFont.font.active());
    UnicodeMenu menu(L"DejaVu Sans");
    const wchar_t* label = L"&\u0421\u043E\u0445\u0440\u0430\u043D\u0438\u0442\u044C as \u00E9t\u00E9";
    SetItem(menu.popup(), kItem, label);
    const RECT rect = {0, 4, kWidth, 4 + menu.measure(style).cy};
    const InkShape painted = menu.paintText(style, 0, rect).inkIn(rect);
    InkShape expected;
    if (SystemTextIsWide()) {
        expected = DrawTextWShape(menu.font(), label);
    } else {
        // What the ANSI functions make of the text.
        char ansi[128] = {};
        GetMenuStringA(menu.popup(), kItem, ansi, 128, MF_BYCOMMAND);
        expected = DrawTextAShape(menu.font(), ansi);
    }
    EXPECT_EQ(painted, expected) << "painted:\n" << painted << "expected:\n" << expected;
}

INSTANTIATE_TEST_SUITE_P(Styles, MenuTextAcrossVersions, ::testing::Values(1, 2, 3));
