// A Unicode application's button labels as it wrote them: painted by the skin with the
// shape DrawTextW gives them in the record's font, access-key underlines as the button's
// UI state and the DRAWITEMSTRUCT say, hostile labels without harm. The label of a paint
// is found as the pixels that change when only the record's text colour changes.
#include "common/ink_shape.h"
#include "common/script_labels.h"
#include "common/test_support.h"
#include "varnelle.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace testing_support;

namespace {

constexpr int kId = 301;
constexpr int kWidth = 260;
constexpr int kHeight = 32;
constexpr COLORREF kTextColours[2] = {RGB(0, 0, 1), RGB(0xC0, 0x10, 0x20)};

LRESULT CALLBACK ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// A Unicode parent with a Unicode push button, the button skinned with a record whose font
// is pinned; destroyed with the object.
class UnicodeButton {
public:
    explicit UnicodeButton(const wchar_t* face) : font_(CreatePinnedFont(face, -13))
    {
        static bool registered = false;
        if (!registered) {
            WNDCLASSW wide = {};
            wide.lpfnWndProc = ParentProc;
            wide.hInstance = GetModuleHandleW(nullptr);
            wide.lpszClassName = L"VarnelleButtonTextParent";
            RegisterClassW(&wide);
            registered = true;
        }
        parent_ = CreateWindowExW(0, L"VarnelleButtonTextParent", L"", WS_POPUP, 0, 0, 300, 100, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        button_ = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, kWidth, kHeight,
                                  parent_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kId)),
                                  GetModuleHandleW(nullptr), nullptr);
    }
    ~UnicodeButton()
    {
        DestroyWindow(parent_);
        DeleteObject(font_);
    }
    UnicodeButton(const UnicodeButton&) = delete;
    UnicodeButton& operator=(const UnicodeButton&) = delete;

    HWND button() const { return button_; }
    HWND parent() const { return parent_; }
    HFONT font() const { return font_; }

    // A full draw of the normal look with the label in `colour`.
    std::unique_ptr<DibSurface> paint(COLORREF colour, UINT state = 0)
    {
        CTRL_STRUCT record = {};
        record.dwEdge = 1;
        record.crText = colour;
        record.hFont = font_;
        EXPECT_TRUE(RedrawButton(button_, &record));
        auto surface = std::make_unique<DibSurface>(kWidth, kHeight, RGB(0x12, 0x34, 0x56));
        DRAWITEMSTRUCT item = {};
        item.CtlType = ODT_BUTTON;
        item.CtlID = kId;
        item.itemAction = ODA_DRAWENTIRE;
        item.itemState = state;
        item.hwndItem = button_;
        item.hDC = surface->dc();
        item.rcItem = {0, 0, kWidth, kHeight};
        SendMessageW(parent_, WM_DRAWITEM, kId, reinterpret_cast<LPARAM>(&item));
        return surface;
    }

    InkShape label(UINT state = 0)
    {
        const std::unique_ptr<DibSurface> first = paint(kTextColours[0], state);
        const std::unique_ptr<DibSurface> second = paint(kTextColours[1], state);
        return InkBetween(*first, *second, {0, 0, kWidth, kHeight});
    }

private:
    HFONT font_;
    HWND parent_ = nullptr;
    HWND button_ = nullptr;
};

bool SystemTextIsWide()
{
    return (GetVersion() & 0x80000000u) == 0;
}

class ButtonTextScripts : public ::testing::TestWithParam<ScriptLabel> {};

} // namespace

TEST_P(ButtonTextScripts, LabelHasTheShapeOfDrawTextW)
{
    if (!SystemTextIsWide())
        GTEST_SKIP() << "Windows 9x keeps its ANSI texts";
    const ScriptLabel& script = GetParam();
    UnicodeButton button(script.wideFace);
    SetWindowTextW(button.button(), script.label);
    const InkShape painted = button.label();
    const InkShape expected = DrawTextWShape(button.font(), script.label);
    ASSERT_GT(expected.count, 0);
    EXPECT_EQ(painted, expected) << "painted:\n" << painted << "DrawTextW:\n" << expected;
}

INSTANTIATE_TEST_SUITE_P(EveryScript, ButtonTextScripts, ::testing::ValuesIn(kScriptLabels),
                         [](const ::testing::TestParamInfo<ScriptLabel>& info) { return std::string(info.param.name); });

namespace {

// The UI state the application's own subclass of the button reports. Wine keeps no UI
// state (WM_QUERYUISTATE answers 0 whatever WM_CHANGEUISTATE said), so the test answers
// for it, as a framework that tracks keyboard cues itself does.
LRESULT reportedUiState = 0;
WNDPROC systemButtonProc = nullptr;
LRESULT CALLBACK UiStateButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_QUERYUISTATE)
        return reportedUiState;
    return CallWindowProcW(systemButtonProc, hwnd, message, wParam, lParam);
}

} // namespace

// Access-key underlines are hidden while the DRAWITEMSTRUCT carries ODS_NOACCEL or the
// button's UI state hides them (UISF_HIDEACCEL), and shown otherwise.
TEST(ButtonKeyboardCues, AccessKeyUnderlineFollowsTheUiState)
{
    UnicodeButton button(L"DejaVu Sans");
    const wchar_t* label = L"&\u0421\u043E\u0445\u0440\u0430\u043D\u0438\u0442\u044C && \u0432\u044B\u0439\u0442\u0438";
    SetWindowTextW(button.button(), label);
    systemButtonProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(button.button(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(UiStateButtonProc)));
    const InkShape shown = DrawTextWShape(button.font(), label);
    const InkShape hidden = DrawTextWShape(
        button.font(), L"\u0421\u043E\u0445\u0440\u0430\u043D\u0438\u0442\u044C & \u0432\u044B\u0439\u0442\u0438", DT_NOPREFIX);
    ASSERT_NE(shown, hidden);

    reportedUiState = 0;
    EXPECT_EQ(button.label(), shown);
    EXPECT_EQ(button.label(ODS_NOACCEL), hidden);
    reportedUiState = UISF_HIDEACCEL | UISF_HIDEFOCUS;
    EXPECT_EQ(button.label(), hidden);
    reportedUiState = UISF_HIDEFOCUS;
    EXPECT_EQ(button.label(), shown);
}

// Labels no font and no buffer was made for: painted without a crash, a read past the
// text or a leak, long ones whole.
TEST(ButtonHostileText, PaintedWithoutHarm)
{
    UnicodeButton button(L"DejaVu Sans");
    std::wstring longLabel;
    for (int i = 0; i < 4000; ++i)
        longLabel += static_cast<wchar_t>(0x0410 + i % 32);
    const std::wstring labels[] = {
        L"a\xD800 b\xDC00 \xDBFF", L"e\u0301\u0302\u0303 &o\u0308", L"\u200B\u200D\uFEFF&x",
        L"\u202E&abc\u202C \u05D0\u200F", longLabel, L"&&&\t\t&\t", L"&", L"\t",
    };
    int freeBefore = 0;
    for (int round = 0; round < 2; ++round) {
        // The first round lets the system make what it keeps for new characters.
        freeBefore = CountFreeGdiHandles();
        for (const std::wstring& label : labels) {
            SetWindowTextW(button.button(), label.c_str());
            for (UINT state : {0u, UINT(ODS_NOACCEL), UINT(ODS_DISABLED | ODS_FOCUS)})
                button.paint(kTextColours[0], state);
        }
    }
    EXPECT_EQ(CountFreeGdiHandles(), freeBefore);
    // The long label is drawn whole, centred: wider than the button, it fills it.
    SetWindowTextW(button.button(), longLabel.c_str());
    EXPECT_GE(button.label().width(), kWidth - 4);
}
