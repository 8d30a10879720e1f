// When the application has used up nearly all of the process's GDI objects, every painter
// draws what it can (a system brush for a brush it cannot make) or nothing, leaves the DC
// as it found it and keeps no object. Each call is made with 0, 1, 2 ... objects still
// free, so that each of the objects it creates is the one missing once; past the last,
// it draws exactly what it draws with objects to spare.
#include "button/button_fixture.h"
#include "reliability/gdi_testing.h"
#include "reliability/host_testing.h"
#include "varnelle.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

using namespace gdi_testing;
using namespace testing_support;

namespace {

constexpr COLORREF kUntouched = RGB(255, 0, 255);
constexpr uint32_t kUntouchedPixel = 0xFF00FF; // as DibSurface::snapshot gives it
// More than any one call creates.
constexpr int kMostFree = 14;

using Pixels = std::vector<uint32_t>;

enum class Expect {
    Exact,          // the same picture whatever is missing
    PartsOrNothing, // each pixel as with objects to spare, or untouched
    Covered,        // every pixel of the item painted, in whatever stands in
    Anything,       // a look that leaves some pixels to what is there (a selection)
};

struct PaintCase {
    std::string name;
    int width;
    int height;
    Expect expect;
    std::function<void(HDC)> paint;
};

[[maybe_unused]] void PrintTo(const PaintCase& paintCase, std::ostream* out)
{
    *out << paintCase.name;
}

HICON TestIcon()
{
    static HICON icon = MakeIcon(
        16, 16, [](int x, int y) { return RGB(40 + x * 10, 200 - y * 10, 90); },
        [](int x, int y) { return (x - 8) * (x - 8) + (y - 8) * (y - 8) < 49; });
    return icon;
}

HBITMAP TestBitmap()
{
    static HBITMAP bitmap = [] {
        HDC screen = GetDC(nullptr);
        HBITMAP made = CreateCompatibleBitmap(screen, 30, 20);
        ReleaseDC(nullptr, screen);
        DibSurface source(30, 20, RGB(10, 120, 230));
        HDC memory = CreateCompatibleDC(nullptr);
        HGDIOBJ previous = SelectObject(memory, made);
        BitBlt(memory, 0, 0, 30, 20, source.dc(), 0, 0, SRCCOPY);
        SelectObject(memory, previous);
        DeleteDC(memory);
        return made;
    }();
    return bitmap;
}

const RECT kArea = {2, 3, 46, 27};

// A DC whose mapping scales: the gradient is built off-screen and stretched.
void Scaled(HDC dc, const std::function<void(HDC)>& paint)
{
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, 1, 1, nullptr);
    SetViewportExtEx(dc, 2, 1, nullptr);
    paint(dc);
    SetMapMode(dc, MM_TEXT);
}

const PaintCase kPrimitiveCases[] = {
    {"GradientVertical", 48, 30, Expect::Exact,
     [](HDC dc) { DrawGradient(dc, &kArea, RGB(250, 10, 10), RGB(10, 10, 250), 1); }},
    {"GradientHorizontal", 48, 30, Expect::Exact,
     [](HDC dc) { DrawGradient(dc, &kArea, RGB(250, 200, 10), RGB(10, 90, 250), 0); }},
    {"GradientScaled", 96, 30, Expect::Exact,
     [](HDC dc) {
         Scaled(dc, [](HDC scaled) { DrawGradient(scaled, &kArea, RGB(0, 0, 0), RGB(255, 255, 255), 0); });
     }},
    {"IconNormal", 30, 30, Expect::PartsOrNothing, [](HDC dc) { DrawIcn(dc, &kArea, TestIcon(), 3, 0); }},
    {"IconDisabled", 30, 30, Expect::PartsOrNothing, [](HDC dc) { DrawIcn(dc, &kArea, TestIcon(), 1, 0); }},
    {"IconEmbossed", 30, 30, Expect::PartsOrNothing, [](HDC dc) { DrawIcn(dc, &kArea, TestIcon(), 1, 1); }},
    {"IconRaised", 30, 30, Expect::PartsOrNothing, [](HDC dc) { DrawIcn(dc, &kArea, TestIcon(), 2, 0); }},
    {"IconInRectDisabled", 48, 30, Expect::PartsOrNothing, [](HDC dc) { DrawIcnRect(dc, &kArea, TestIcon(), 1, 0); }},
    {"Bitmap", 48, 30, Expect::PartsOrNothing, [](HDC dc) { DrawDDB(dc, &kArea, TestBitmap()); }},
};

// Paints the case with 0, 1, 2 ... objects free: the DC's state, the objects free after
// the call and the picture are checked at each step.
void Sweep(const PaintCase& paintCase)
{
    TestIcon();
    TestBitmap();
    DibSurface surface(paintCase.width, paintCase.height, kUntouched);
    ApplicationDcState application(surface.dc());
    paintCase.paint(surface.dc());
    const Pixels spare = surface.snapshot();
    const DcState state = ReadDcState(surface.dc());
    const int freeBefore = CountFreeGdiHandles();
    {
        GdiFill fill(0);
        for (int free = CountFreeGdiHandles(); free <= kMostFree; ++free, fill.freeOne()) {
            SCOPED_TRACE("objects free: " + std::to_string(free));
            surface.fill(kUntouched);
            paintCase.paint(surface.dc());
            const DcState after = ReadDcState(surface.dc());
            EXPECT_TRUE(after == state) << DcChanges(state, after);
            EXPECT_EQ(CountFreeGdiHandles(), free) << "objects kept";
            const Pixels painted = surface.snapshot();
            int wrong = 0;
            int application = 0;
            for (size_t i = 0; i < painted.size(); ++i) {
                const bool untouched = painted[i] == kUntouchedPixel;
                application += painted[i] != spare[i] && ApplicationDcState::IsOwnColour(painted[i]);
                switch (paintCase.expect) {
                case Expect::Exact:
                    wrong += painted[i] != spare[i];
                    break;
                case Expect::PartsOrNothing:
                    wrong += painted[i] != spare[i] && !untouched;
                    break;
                case Expect::Covered:
                    wrong += untouched;
                    break;
                case Expect::Anything:
                    break;
                }
            }
            EXPECT_EQ(wrong, 0) << "pixels not drawn as they should be";
            EXPECT_EQ(application, 0) << "pixels drawn with the application's pen, brush or colours";
            if (free == kMostFree)
                EXPECT_TRUE(painted == spare) << "not all drawn with " << free << " objects free";
        }
    }
    EXPECT_EQ(CountFreeGdiHandles(), freeBefore) << "objects left behind";
}

class ExhaustedPrimitive : public ::testing::TestWithParam<PaintCase> {};

} // namespace

TEST_P(ExhaustedPrimitive, DrawsWhatItCanAndLeavesTheDcAsItWas)
{
    Sweep(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Primitives, ExhaustedPrimitive, ::testing::ValuesIn(kPrimitiveCases),
                         [](const ::testing::TestParamInfo<PaintCase>& info) { return info.param.name; });

// CreateFillBmp gives both bitmaps or none, with the pixels it gives with objects to spare.
TEST(ExhaustedFillBitmap, GivesItsBitmapsOrNone)
{
    const RECT rect = {0, 0, 24, 16};
    auto pixelsOf = [](HBITMAP bitmap) {
        DibSurface surface(24, 16);
        HDC memory = CreateCompatibleDC(nullptr);
        HGDIOBJ previous = SelectObject(memory, bitmap);
        BitBlt(surface.dc(), 0, 0, 24, 16, memory, 0, 0, SRCCOPY);
        SelectObject(memory, previous);
        DeleteDC(memory);
        return surface.snapshot();
    };
    // Kind 1 without noise draws no random numbers: every call gives the same pixels.
    auto make = [&rect] { return CreateFillBmp(1, &rect, 0, 40, 30, RGB(0, 90, 200)); };
    unsigned __int64 reference = make();
    ASSERT_NE(VarnelleFillBmpPlain(reference), nullptr);
    const Pixels plain = pixelsOf(VarnelleFillBmpPlain(reference));
    const Pixels highlighted = pixelsOf(VarnelleFillBmpHighlighted(reference));
    DeleteObject(VarnelleFillBmpPlain(reference));
    DeleteObject(VarnelleFillBmpHighlighted(reference));

    const int freeBefore = CountFreeGdiHandles();
    std::vector<unsigned __int64> made;
    {
        GdiFill fill(0);
        for (int free = CountFreeGdiHandles(); free <= kMostFree; ++free, fill.freeOne()) {
            const unsigned __int64 pair = make();
            const bool both = VarnelleFillBmpPlain(pair) && VarnelleFillBmpHighlighted(pair);
            EXPECT_TRUE(both || pair == 0) << free << " objects free";
            EXPECT_EQ(CountFreeGdiHandles(), free - (both ? 2 : 0)) << free << " objects free";
            if (both) {
                made.push_back(pair);
                fill.freeOne(); // what the bitmaps took
                fill.freeOne();
            }
        }
    }
    EXPECT_FALSE(made.empty());
    for (unsigned __int64 pair : made) {
        EXPECT_TRUE(pixelsOf(VarnelleFillBmpPlain(pair)) == plain);
        EXPECT_TRUE(pixelsOf(VarnelleFillBmpHighlighted(pair)) == highlighted);
        DeleteObject(VarnelleFillBmpPlain(pair));
        DeleteObject(VarnelleFillBmpHighlighted(pair));
    }
    EXPECT_EQ(CountFreeGdiHandles(), freeBefore);
}

namespace {

constexpr int kItemWidth = 180; // as host_testing::SendMenuItemDraw paints them
constexpr int kItemHeight = 24;

// The menu of the sweeps: every kind of item a painter draws differently. No access keys:
// the system's DrawText draws their underline with the DC's pen when it cannot make one.
struct ExhaustedMenu {
    HMENU bar = CreateMenu();
    HMENU popup = CreatePopupMenu();
    ExhaustedMenu()
    {
        AppendMenuA(popup, MF_STRING, 100, "Plain\tCtrl+P");
        AppendMenuA(popup, MF_STRING | MF_CHECKED, 101, "Checked");
        AppendMenuA(popup, MF_STRING, 102, "Radio");
        CheckMenuRadioItem(popup, 102, 102, 102, MF_BYCOMMAND);
        AppendMenuA(popup, MF_STRING, 103, "With icon");
        AppendMenuA(popup, MF_STRING | MF_GRAYED, 104, "Grayed icon");
        SetMenuItemIcon(popup, 103, TestIcon());
        SetMenuItemIcon(popup, 104, TestIcon());
        MENUITEMINFOA close = {};
        close.cbSize = sizeof(close);
        close.fMask = MIIM_ID | MIIM_STRING | MIIM_BITMAP;
        close.wID = SC_CLOSE;
        close.dwTypeData = const_cast<char*>("Close");
        close.hbmpItem = HBMMENU_POPUP_CLOSE;
        InsertMenuItemA(popup, GetMenuItemCount(popup), TRUE, &close);
        AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "File");
        AppendMenuA(bar, MF_STRING, 200, "Help");
    }
};

// One WM_DRAWITEM of the item as the system sends it, measured first.
void PaintItem(HWND hwnd, HMENU menu, UINT id, UINT state, HDC dc)
{
    host_testing::SendMenuItemMeasure(hwnd, id);
    host_testing::SendMenuItemDraw(hwnd, menu, id, state, dc);
}

std::vector<UINT> IdsOf(HMENU menu)
{
    std::vector<UINT> ids;
    for (int position = 0; position < GetMenuItemCount(menu); ++position)
        ids.push_back(GetMenuItemID(menu, position));
    return ids;
}

std::vector<PaintCase> MenuItemCases(HWND hwnd, const ExhaustedMenu& menu, int style)
{
    std::vector<PaintCase> cases;
    for (UINT id : IdsOf(menu.popup)) {
        // The states the system gives the items.
        const UINT own = id == 101 || id == 102 ? ODS_CHECKED : id == 104 ? ODS_GRAYED : 0;
        for (UINT state : {own, own | ODS_SELECTED}) {
            // A selection leaves some pixels to what the menu shows (the system's background).
            const Expect expect = (state & ODS_SELECTED) ? Expect::Anything : Expect::Covered;
            cases.push_back({"popup item " + std::to_string(id) + " state " + std::to_string(state), kItemWidth,
                             kItemHeight, expect,
                             [hwnd, &menu, id, state](HDC dc) { PaintItem(hwnd, menu.popup, id, state, dc); }});
        }
    }
    if (style == 2) {
        for (UINT id : IdsOf(menu.bar)) {
            for (UINT state : {0u, static_cast<UINT>(ODS_HOTLIGHT), static_cast<UINT>(ODS_SELECTED)}) {
                const Expect expect = state == ODS_HOTLIGHT ? Expect::Anything : Expect::Covered;
                cases.push_back({"bar item " + std::to_string(id) + " state " + std::to_string(state), kItemWidth,
                                 kItemHeight, expect,
                                 [hwnd, &menu, id, state](HDC dc) { PaintItem(hwnd, menu.bar, id, state, dc); }});
            }
        }
    }
    return cases;
}

class ExhaustedMenuStyle : public ::testing::TestWithParam<int> {};

} // namespace

// Every item of every kind, painted inside the system's menu loop while the popup is open.
TEST_P(ExhaustedMenuStyle, ItemsAreDrawnWithWhatIsLeft)
{
    const int style = GetParam();
    TestIcon();
    ExhaustedMenu menu;
    host_testing::onMessage = nullptr;
    HWND hwnd = host_testing::MakeHostWindow(false);
    SetMenu(hwnd, menu.bar);
    ASSERT_EQ(RedrawMenu(hwnd, menu.bar, style), 1);
    host_testing::TrackMenu(hwnd, menu.popup); // every item gets its identifier
    const std::vector<PaintCase> cases = MenuItemCases(hwnd, menu, style);
    int swept = 0;
    host_testing::onMessage = [&](HWND, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (message != WM_ENTERIDLE || wParam != MSGF_MENU || swept)
            return std::nullopt;
        for (const PaintCase& paintCase : cases) {
            SCOPED_TRACE(paintCase.name);
            Sweep(paintCase);
            ++swept;
        }
        EndMenu();
        return 0;
    };
    host_testing::TrackMenu(hwnd, menu.popup);
    host_testing::onMessage = nullptr;
    EXPECT_EQ(swept, static_cast<int>(cases.size()));
    DestroyWindow(hwnd);
}

INSTANTIATE_TEST_SUITE_P(Styles1To3, ExhaustedMenuStyle, ::testing::Values(1, 2, 3));

namespace {

using button_testing::kButtonHeight;
using button_testing::kButtonWidth;

// A hidden parent with skinned push buttons: one with an icon and no edges (the whole
// face filled), one with edges and a hover look, one with a face bitmap.
class ButtonHost {
public:
    ButtonHost()
    {
        font_ = CreateFontA(-13, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma");
        CTRL_STRUCT filled = {};
        filled.hIcon = TestIcon();
        filled.crText = RGB(0, 0, 160);
        filled.hFont = font_;
        CTRL_STRUCT hovered = {};
        hovered.dwEdge = 1;
        hovered.dwFlat = 1;
        hovered.hIconHover = TestIcon();
        hovered.crTextHover = RGB(160, 0, 0);
        hovered.hFontHover = font_;
        CTRL_STRUCT bitmap = {};
        bitmap.dwEdge = 1;
        bitmap.hBmp = TestBitmap();
        const CTRL_STRUCT records[] = {filled, hovered, bitmap};
        for (int i = 0; i < 3; ++i) {
            buttons_[i] = CreateWindowExA(0, "BUTTON", "Button", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10,
                                          10 + 40 * i, kButtonWidth, kButtonHeight, parent_.hwnd(),
                                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(20 + i)),
                                          GetModuleHandleA(nullptr), nullptr);
            RedrawButton(buttons_[i], &records[i]);
        }
    }
    ~ButtonHost() { DeleteObject(font_); }
    ButtonHost(const ButtonHost&) = delete;
    ButtonHost& operator=(const ButtonHost&) = delete;

    HWND parent() const { return parent_.hwnd(); }
    HWND button(int i) const { return buttons_[i]; }

    PaintCase Case(const char* name, int button, UINT action, UINT state, Expect expect) const
    {
        const HWND parent = parent_.hwnd();
        const HWND hwnd = buttons_[button];
        return {name, kButtonWidth, kButtonHeight, expect, [parent, hwnd, action, state](HDC dc) {
                    DRAWITEMSTRUCT item = button_testing::DrawItemFor(hwnd, dc, action, state);
                    SendMessageA(parent, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
                }};
    }

private:
    TestWindow parent_{nullptr, WS_POPUP, nullptr, "VarnelleExhaustedButtons"};
    HWND buttons_[3] = {};
    HFONT font_ = nullptr;
};

} // namespace

TEST(ExhaustedButton, IsDrawnWithWhatIsLeft)
{
    TestIcon();
    TestBitmap();
    SetCursorPos(1270, 1010); // the pointer over none of the buttons
    ButtonHost host;
    // The second button hovered: the system's leave notification waits in the queue.
    SendMessageA(host.button(1), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    const PaintCase cases[] = {
        host.Case("normal", 0, ODA_DRAWENTIRE, 0, Expect::Covered),
        host.Case("focused", 0, ODA_DRAWENTIRE, ODS_FOCUS, Expect::Covered),
        host.Case("pressed", 0, ODA_SELECT, ODS_SELECTED | ODS_FOCUS, Expect::Covered),
        host.Case("disabled", 0, ODA_DRAWENTIRE, ODS_DISABLED, Expect::Covered),
        host.Case("hovered", 1, ODA_DRAWENTIRE, ODS_FOCUS, Expect::Anything),
        host.Case("released", 1, ODA_SELECT, 0, Expect::Anything),
        host.Case("face bitmap", 2, ODA_DRAWENTIRE, ODS_FOCUS, Expect::Anything),
    };
    for (const PaintCase& paintCase : cases) {
        SCOPED_TRACE(paintCase.name);
        Sweep(paintCase);
    }
    SendMessageA(host.button(1), WM_MOUSELEAVE, 0, 0);
}

namespace {

// Another party's subclass on top of the library's hook, reading the DC the system hands
// over before and after the library's painting.
int probedPaints = 0;
int changedDcs = 0;
std::string lastChange;
WNDPROC belowProbe = nullptr;
LRESULT CALLBACK DcProbe(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_DRAWITEM || !lParam)
        return CallWindowProcA(belowProbe, hwnd, message, wParam, lParam);
    const HDC dc = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hDC;
    const DcState before = ReadDcState(dc);
    const LRESULT result = CallWindowProcA(belowProbe, hwnd, message, wParam, lParam);
    const DcState after = ReadDcState(dc);
    ++probedPaints;
    if (!(after == before)) {
        ++changedDcs;
        lastChange = DcChanges(before, after);
    }
    return result;
}

void Probe(HWND hwnd)
{
    probedPaints = changedDcs = 0;
    belowProbe = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DcProbe)));
}

void Unprobe(HWND hwnd)
{
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(belowProbe));
}

// Objects left free for the system's own needs: it makes the popup window and its DC.
const int kFreeForTheLoop[] = {0, 4, 12};

class ExhaustedMenuLoop : public ::testing::TestWithParam<int> {};

} // namespace

// The popup opened through the system's loop while the process has used up its objects
// but `free`: the loop runs, the items are painted on the system's DC and the DC comes
// back as the system gave it.
TEST_P(ExhaustedMenuLoop, OpensAndPaintsWithWhatIsLeft)
{
    const int style = GetParam();
    TestIcon();
    ExhaustedMenu menu;
    host_testing::onMessage = nullptr;
    HWND hwnd = host_testing::MakeHostWindow(false);
    ASSERT_EQ(RedrawMenu(hwnd, menu.popup, style), 1);
    host_testing::TrackMenu(hwnd, menu.popup); // the system's caches settle
    Probe(hwnd);
    const int freeBefore = CountFreeGdiHandles();
    for (int free : kFreeForTheLoop) {
        SCOPED_TRACE("objects free: " + std::to_string(free));
        probedPaints = changedDcs = 0;
        host_testing::drawItemsSeen = 0;
        {
            GdiFill fill(free);
            host_testing::onMessage = [&fill](HWND, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
                if (message == WM_ENTERIDLE && wParam == MSGF_MENU)
                    fill.release(); // the loop has painted; the default handling closes it
                return std::nullopt;
            };
            host_testing::TrackMenu(hwnd, menu.popup);
            host_testing::onMessage = nullptr;
        }
        EXPECT_EQ(changedDcs, 0) << lastChange;
        EXPECT_EQ(host_testing::drawItemsSeen, probedPaints);
        // With nothing free the system cannot paint the popup itself (Wine shows it black).
        if (free >= 4)
            EXPECT_GT(probedPaints, 0) << "the popup was not painted";
        EXPECT_EQ(CountFreeGdiHandles(), freeBefore) << "objects left behind";
    }
    Unprobe(hwnd);
    DestroyWindow(hwnd);
}

INSTANTIATE_TEST_SUITE_P(Styles1To3, ExhaustedMenuLoop, ::testing::Values(1, 2, 3));

// A skinned button repainted by the system while the process has used up its objects.
TEST(ExhaustedButtonPaint, LeavesTheSystemsDcAsItWas)
{
    TestIcon();
    ButtonHost host;
    SetWindowPos(host.parent(), HWND_TOP, 400, 300, 120, 140, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    Probe(host.parent());
    // The system makes the buttons' DCs at their first paint.
    for (int i = 0; i < 3; ++i)
        RedrawWindow(host.button(i), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    const int freeBefore = CountFreeGdiHandles();
    for (int free : kFreeForTheLoop) {
        SCOPED_TRACE("objects free: " + std::to_string(free));
        probedPaints = changedDcs = 0;
        {
            GdiFill fill(free);
            for (int i = 0; i < 3; ++i)
                RedrawWindow(host.button(i), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        }
        EXPECT_EQ(changedDcs, 0) << lastChange;
        EXPECT_EQ(probedPaints, 3);
        EXPECT_EQ(CountFreeGdiHandles(), freeBefore) << "objects left behind";
    }
    Unprobe(host.parent());
}
