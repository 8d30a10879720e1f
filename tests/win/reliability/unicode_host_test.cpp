// Unicode applications: windows, a dialog and buttons that are Unicode stay Unicode when
// the library hooks them, so texts outside the ANSI code page come back unchanged.
#include "reliability/host_testing.h"
#include "varnelle.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace host_testing;
using namespace testing_support;

namespace {

// Cyrillic, Chinese and a euro sign: none survives a trip through code page 1252.
const std::wstring kTitle = L"\u0417\u0430\u0433\u043E\u043B\u043E\u0432\u043E\u043A \u4E2D\u6587 \u20AC ok";
const std::wstring kNewTitle = L"\u041D\u043E\u0432\u044B\u0439 \u65B0\u7684";
const std::wstring kItemText = L"\u041E\u0442\u043A\u0440\u044B\u0442\u044C \u6253\u5F00\tCtrl+O";
const std::wstring kButtonText = L"\u041A\u043D\u043E\u043F\u043A\u0430 \u6309\u94AE";

std::wstring TextOf(HWND hwnd)
{
    wchar_t text[128] = {};
    GetWindowTextW(hwnd, text, 128);
    return text;
}

std::wstring MenuText(HMENU menu, UINT id)
{
    wchar_t text[128] = {};
    GetMenuStringW(menu, id, text, 128, MF_BYCOMMAND);
    return text;
}

// What reached the application's procedure with WM_SETTEXT.
std::wstring settextSeen;
std::optional<LRESULT> RecordSetText(HWND, UINT message, WPARAM, LPARAM lParam)
{
    if (message == WM_SETTEXT && lParam)
        settextSeen = reinterpret_cast<const wchar_t*>(lParam);
    return std::nullopt;
}

// WM_SETTEXT through the window's chain reaches the application unchanged and reads back.
void ExpectTextRoundTrip(HWND hwnd, const std::wstring& text)
{
    settextSeen.clear();
    ASSERT_TRUE(SendMessageW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())));
    EXPECT_EQ(TextOf(hwnd), text);
}

struct MenuBar {
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    MenuBar()
    {
        AppendMenuW(file, MF_STRING, 100, kItemText.c_str());
        AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(file, MF_STRING, 101, L"\u0412\u044B\u0445\u043E\u0434");
        AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"\u0424\u0430\u0439\u043B");
    }
};

// A button painted through its hooked parent draws into the surface.
bool ButtonPaints(HWND parent, HWND button)
{
    DibSurface surface(60, 20, RGB(1, 2, 3));
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_BUTTON;
    item.CtlID = static_cast<UINT>(GetDlgCtrlID(button));
    item.itemAction = ODA_DRAWENTIRE;
    item.hwndItem = button;
    item.hDC = surface.dc();
    item.rcItem = {0, 0, 60, 20};
    SendMessageW(parent, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
    return surface.at(30, 0) != RGB(1, 2, 3);
}

} // namespace

TEST(UnicodeHost, AMenuWindowStaysUnicodeInEveryStyle)
{
    for (int style : {0, 1, 2, 3}) {
        SCOPED_TRACE(style);
        HWND hwnd = MakeHostWindow(true, false, kTitle.c_str());
        MenuBar menu;
        SetMenu(hwnd, menu.bar);
        ASSERT_EQ(RedrawMenu(hwnd, menu.bar, style), 1);
        EXPECT_TRUE(IsWindowUnicode(hwnd));
        EXPECT_EQ(TextOf(hwnd), kTitle);
        onMessage = RecordSetText;
        ExpectTextRoundTrip(hwnd, kNewTitle);
        EXPECT_EQ(settextSeen, kNewTitle);

        measureItemsSeen = 0;
        TrackMenu(hwnd, menu.file);
        if (style != 0)
            EXPECT_GE(measureItemsSeen, 3);
        EXPECT_EQ(MenuText(menu.bar, 100), kItemText);
        EXPECT_EQ(MenuText(menu.bar, 101), L"\u0412\u044B\u0445\u043E\u0434");
        ExpectTextRoundTrip(hwnd, kTitle);
        EXPECT_EQ(settextSeen, kTitle);
        onMessage = nullptr;
        DestroyWindow(hwnd);
    }
}

// An ANSI window keeps the ANSI path: it stays ANSI and its text reads back.
TEST(UnicodeHost, AnAnsiWindowStaysAnsi)
{
    HWND hwnd = MakeHostWindow(false);
    MenuBar menu;
    SetMenu(hwnd, menu.bar);
    ASSERT_EQ(RedrawMenu(hwnd, menu.bar, 2), 1);
    EXPECT_FALSE(IsWindowUnicode(hwnd));
    SetWindowTextA(hwnd, "Plain title");
    char text[32] = {};
    GetWindowTextA(hwnd, text, 32);
    EXPECT_STREQ(text, "Plain title");
    DestroyWindow(hwnd);
}

namespace {

// A dialog template in memory: a Unicode dialog with one push button.
std::vector<WORD> DialogTemplate(const std::wstring& title, const std::wstring& buttonText, WORD buttonId)
{
    std::vector<WORD> words;
    auto add32 = [&words](DWORD value) {
        words.push_back(LOWORD(value));
        words.push_back(HIWORD(value));
    };
    auto addWords = [&words](std::initializer_list<WORD> values) {
        for (WORD value : values)
            words.push_back(value);
    };
    auto addString = [&words](const std::wstring& text) {
        for (wchar_t c : text)
            words.push_back(static_cast<WORD>(c));
        words.push_back(0);
    };
    add32(WS_POPUP | WS_CAPTION | DS_SETFONT); // style, hidden
    add32(0);                                              // extended style
    words.push_back(1);                                    // one item
    addWords({10, 10, 160, 80});          // x, y, cx, cy
    words.push_back(0);                                    // no menu
    words.push_back(0);                                    // the dialog class
    addString(title);
    words.push_back(8);
    addString(L"MS Shell Dlg");
    if (words.size() % 2)
        words.push_back(0); // items start on a DWORD boundary
    add32(WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON);
    add32(0);
    addWords({10, 10, 80, 20, buttonId});
    addWords({0xFFFF, 0x0080}); // the button class
    addString(buttonText);
    words.push_back(0); // no creation data
    return words;
}

INT_PTR CALLBACK DialogProc(HWND, UINT message, WPARAM, LPARAM lParam)
{
    if (message == WM_SETTEXT && lParam)
        settextSeen = reinterpret_cast<const wchar_t*>(lParam);
    return message == WM_INITDIALOG;
}

} // namespace

TEST(UnicodeHost, AButtonOfAUnicodeDialogAndTheDialogStayUnicode)
{
    const WORD kId = 300;
    std::vector<WORD> words = DialogTemplate(kTitle, kButtonText, kId);
    HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(words.data()),
                                             nullptr, DialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    HWND button = GetDlgItem(dialog, kId);
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(IsWindowUnicode(dialog) && IsWindowUnicode(button));

    CTRL_STRUCT record = {};
    record.dwEdge = 1;
    record.crTextHover = RGB(200, 0, 0);
    ASSERT_TRUE(RedrawButton(button, &record));
    EXPECT_TRUE(IsWindowUnicode(dialog));
    EXPECT_TRUE(IsWindowUnicode(button));
    EXPECT_EQ(TextOf(dialog), kTitle);
    EXPECT_EQ(TextOf(button), kButtonText);
    ExpectTextRoundTrip(dialog, kNewTitle);
    EXPECT_EQ(settextSeen, kNewTitle);
    ExpectTextRoundTrip(button, kNewTitle);
    EXPECT_TRUE(ButtonPaints(dialog, button));

    // Hover and skin removal keep it Unicode too.
    SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    SendMessageW(button, WM_MOUSELEAVE, 0, 0);
    ASSERT_TRUE(RedrawButton(button, nullptr));
    EXPECT_TRUE(IsWindowUnicode(button));
    ExpectTextRoundTrip(button, kButtonText);
    DestroyWindow(dialog);
}

// A Unicode window with a skinned menu that parents a skinned button carries both hooks,
// in either order; both windows stay Unicode and the hooks still do their work.
TEST(UnicodeHost, BothHooksStackedInEitherOrder)
{
    for (bool menuFirst : {true, false}) {
        SCOPED_TRACE(menuFirst ? "menu first" : "button first");
        HWND hwnd = MakeHostWindow(true, false, kTitle.c_str());
        MenuBar menu;
        SetMenu(hwnd, menu.bar);
        HWND button = CreateWindowExW(0, L"BUTTON", kButtonText.c_str(), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10,
                                      10, 90, 30, hwnd, reinterpret_cast<HMENU>(7), GetModuleHandleW(nullptr), nullptr);
        CTRL_STRUCT record = {};
        record.dwEdge = 1;
        if (menuFirst)
            ASSERT_EQ(RedrawMenu(hwnd, menu.bar, 3), 1);
        ASSERT_TRUE(RedrawButton(button, &record));
        if (!menuFirst)
            ASSERT_EQ(RedrawMenu(hwnd, menu.bar, 3), 1);
        EXPECT_TRUE(IsWindowUnicode(hwnd));
        EXPECT_TRUE(IsWindowUnicode(button));

        onMessage = RecordSetText;
        ExpectTextRoundTrip(hwnd, kNewTitle);
        EXPECT_EQ(settextSeen, kNewTitle);
        ExpectTextRoundTrip(button, kNewTitle);
        EXPECT_TRUE(ButtonPaints(hwnd, button));
        measureItemsSeen = 0;
        TrackMenu(hwnd, menu.file);
        EXPECT_GE(measureItemsSeen, 3);
        EXPECT_EQ(MenuText(menu.bar, 100), kItemText);

        // Every library property is gone once the window's last message has passed.
        onMessage = nullptr;
        ObserveLastMessage(hwnd);
        DestroyWindow(hwnd);
        EXPECT_TRUE(propertiesAfterLastMessage.empty()) << propertiesAfterLastMessage[0];
    }
}
