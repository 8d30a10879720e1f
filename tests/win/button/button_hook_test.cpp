// RedrawButton's hook and unhook through the DLL, on real buttons and parents.
#include "button_fixture.h"
#include "varnelle.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace testing_support;
using namespace button_testing;

namespace {

CTRL_STRUCT RecordWithText(COLORREF colour)
{
    CTRL_STRUCT record = {};
    record.crText = colour;
    record.dwEdge = 1;
    return record;
}

// The library's copy, read the way an application could.
bool AttachedRecordEquals(HWND button, const CTRL_STRUCT& expected)
{
    HANDLE block = GetPropA(button, "CTRL_STRUCT");
    return block && std::memcmp(block, &expected, sizeof(CTRL_STRUCT)) == 0;
}

} // namespace

TEST(RedrawButtonHook, HookMakesOwnerDrawSubclassesBothAndCopiesTheRecord)
{
    ParentWithButton window;
    LONG styleBefore = GetWindowLongA(window.button(), GWL_STYLE);
    CTRL_STRUCT record = RecordWithText(RGB(1, 2, 3));
    EXPECT_EQ(RedrawButton(window.button(), &record), TRUE);

    EXPECT_EQ(GetWindowLongA(window.button(), GWL_STYLE), styleBefore | BS_OWNERDRAW);
    EXPECT_NE(ProcOf(window.button()), ApplicationButtonProc);
    EXPECT_NE(ProcOf(window.parent()), ApplicationParentProc);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetPropA(window.button(), "OLD_WND_PROC")), ApplicationButtonProc);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetPropA(window.parent(), "OLD_WND_PROC")), ApplicationParentProc);
    // A private copy: changing the caller's record afterwards changes nothing.
    EXPECT_NE(GetPropA(window.button(), "CTRL_STRUCT"), static_cast<HANDLE>(&record));
    EXPECT_TRUE(AttachedRecordEquals(window.button(), record));
    CTRL_STRUCT original = record;
    record.crText = RGB(9, 9, 9);
    EXPECT_TRUE(AttachedRecordEquals(window.button(), original));

    // Every message still reaches the application's procedures, exactly once.
    buttonReceived.clear();
    parentReceived.clear();
    SendMessageA(window.button(), WM_APP + 3, 7, 8);
    SendMessageA(window.parent(), WM_APP + 4, 9, 10);
    EXPECT_EQ(CountOf(buttonReceived, WM_APP + 3), 1);
    EXPECT_EQ(CountOf(parentReceived, WM_APP + 4), 1);
}

TEST(RedrawButtonHook, DefaultPushButtonBecomesOwnerDrawAndAPushButtonAfterwards)
{
    ParentWithButton window;
    SetWindowLongA(window.button(), GWL_STYLE, GetWindowLongA(window.button(), GWL_STYLE) | BS_DEFPUSHBUTTON);
    LONG otherBits = GetWindowLongA(window.button(), GWL_STYLE) & ~BS_TYPEMASK;
    CTRL_STRUCT record = RecordWithText(0);
    ASSERT_TRUE(RedrawButton(window.button(), &record));
    EXPECT_EQ(ButtonType(window.button()), BS_OWNERDRAW);
    ASSERT_TRUE(RedrawButton(window.button(), nullptr));
    EXPECT_EQ(GetWindowLongA(window.button(), GWL_STYLE), otherBits | BS_PUSHBUTTON);
}

TEST(RedrawButtonHook, UnhookRestoresProcedureStyleAndFreesTheRecord)
{
    ParentWithButton window;
    LONG styleBefore = GetWindowLongA(window.button(), GWL_STYLE);
    CTRL_STRUCT record = RecordWithText(RGB(1, 2, 3));
    ASSERT_TRUE(RedrawButton(window.button(), &record));
    WNDPROC parentHook = ProcOf(window.parent());
    EXPECT_EQ(RedrawButton(window.button(), nullptr), TRUE);

    EXPECT_EQ(GetWindowLongA(window.button(), GWL_STYLE), styleBefore);
    EXPECT_EQ(ProcOf(window.button()), ApplicationButtonProc);
    EXPECT_EQ(GetPropA(window.button(), "OLD_WND_PROC"), nullptr);
    EXPECT_EQ(GetPropA(window.button(), "CTRL_STRUCT"), nullptr);
    // The parent stays hooked for other buttons.
    EXPECT_EQ(ProcOf(window.parent()), parentHook);

    // And the button can be skinned again.
    ASSERT_TRUE(RedrawButton(window.button(), &record));
    EXPECT_TRUE(AttachedRecordEquals(window.button(), record));
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetPropA(window.button(), "OLD_WND_PROC")), ApplicationButtonProc);
}

TEST(RedrawButtonHook, TwoButtonsOnOneParentSubclassItOnce)
{
    ParentWithButton window;
    HWND second = MakeButton(window.parent(), kButtonId + 1, "Second", BS_PUSHBUTTON, 10, 50);
    CTRL_STRUCT record = RecordWithText(RGB(1, 2, 3));
    ASSERT_TRUE(RedrawButton(window.button(), &record));
    WNDPROC parentHook = ProcOf(window.parent());
    ASSERT_TRUE(RedrawButton(second, &record));
    EXPECT_EQ(ProcOf(window.parent()), parentHook);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetPropA(window.parent(), "OLD_WND_PROC")), ApplicationParentProc);
    EXPECT_EQ(ProcOf(second), ProcOf(window.button())); // the same library procedure

    parentReceived.clear();
    SendMessageA(window.parent(), WM_APP + 5, 0, 0);
    EXPECT_EQ(CountOf(parentReceived, WM_APP + 5), 1);

    // Unhooking one leaves the other as it is.
    ASSERT_TRUE(RedrawButton(window.button(), nullptr));
    EXPECT_EQ(ButtonType(second), BS_OWNERDRAW);
    EXPECT_TRUE(AttachedRecordEquals(second, record));
}

TEST(RedrawButtonHook, HookingTwiceKeepsOneRecordHoldingTheSecond)
{
    ParentWithButton window;
    CTRL_STRUCT first = RecordWithText(RGB(1, 2, 3));
    CTRL_STRUCT second = RecordWithText(RGB(4, 5, 6));
    second.dwIconAlign = 0x200;
    ASSERT_TRUE(RedrawButton(window.button(), &first));
    int blocks = CountProcessHeapBlocks();
    ASSERT_TRUE(RedrawButton(window.button(), &second));
    EXPECT_TRUE(AttachedRecordEquals(window.button(), second));
    EXPECT_EQ(CountProcessHeapBlocks(), blocks); // the first copy was freed
    // Still subclassed once: the button's previous procedure is the application's.
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetPropA(window.button(), "OLD_WND_PROC")), ApplicationButtonProc);
    buttonReceived.clear();
    SendMessageA(window.button(), WM_APP + 6, 0, 0);
    EXPECT_EQ(CountOf(buttonReceived, WM_APP + 6), 1);
    ASSERT_TRUE(RedrawButton(window.button(), nullptr));
    EXPECT_EQ(CountProcessHeapBlocks(), blocks - 1);
}

TEST(RedrawButtonHook, BadHandlesAndNeverHookedButtons)
{
    CTRL_STRUCT record = RecordWithText(RGB(1, 2, 3));
    EXPECT_EQ(RedrawButton(nullptr, &record), FALSE);
    EXPECT_EQ(RedrawButton(nullptr, nullptr), FALSE);
    EXPECT_EQ(RedrawButton(reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234567)), &record), FALSE);
    HWND destroyed;
    {
        ParentWithButton window;
        destroyed = window.button();
    }
    EXPECT_EQ(RedrawButton(destroyed, &record), FALSE);
    // A window of another process (the desktop belongs to Wine's explorer) is left alone.
    HWND desktop = GetDesktopWindow();
    DWORD process = 0;
    GetWindowThreadProcessId(desktop, &process);
    if (process != GetCurrentProcessId()) {
        LONG style = GetWindowLongA(desktop, GWL_STYLE);
        EXPECT_EQ(RedrawButton(desktop, &record), FALSE);
        EXPECT_EQ(RedrawButton(desktop, nullptr), FALSE);
        EXPECT_EQ(GetWindowLongA(desktop, GWL_STYLE), style);
        EXPECT_EQ(GetPropA(desktop, "CTRL_STRUCT"), nullptr);
    } else {
        ADD_FAILURE() << "no window of another process to try";
    }

    // Taking the skin off a button that never had one changes nothing, whatever its type;
    // only a push button reports success.
    ParentWithButton window;
    for (LONG type : {BS_PUSHBUTTON, BS_DEFPUSHBUTTON, BS_CHECKBOX, BS_AUTORADIOBUTTON, BS_OWNERDRAW}) {
        LONG style = (GetWindowLongA(window.button(), GWL_STYLE) & ~BS_TYPEMASK) | type;
        SetWindowLongA(window.button(), GWL_STYLE, style);
        EXPECT_EQ(RedrawButton(window.button(), nullptr), type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
        EXPECT_EQ(GetWindowLongA(window.button(), GWL_STYLE), style) << type;
        EXPECT_EQ(ProcOf(window.button()), ApplicationButtonProc);
    }
}

// Check boxes, radio buttons, group boxes, split buttons and the application's own
// owner-drawn buttons are not push buttons: RedrawButton returns 0 and changes nothing.
TEST(RedrawButtonHook, ButtonsOfOtherKindsAreRefused)
{
    ParentWithButton window;
    CTRL_STRUCT record = RecordWithText(RGB(1, 2, 3));
    for (LONG type : {BS_CHECKBOX, BS_AUTOCHECKBOX, BS_RADIOBUTTON, BS_3STATE, BS_GROUPBOX, BS_USERBUTTON,
                      BS_AUTORADIOBUTTON, BS_PUSHBOX, BS_OWNERDRAW, 0xCL /* split button */}) {
        LONG style = (GetWindowLongA(window.button(), GWL_STYLE) & ~BS_TYPEMASK) | type;
        SetWindowLongA(window.button(), GWL_STYLE, style);
        EXPECT_EQ(RedrawButton(window.button(), &record), FALSE) << type;
        EXPECT_EQ(GetWindowLongA(window.button(), GWL_STYLE), style) << type;
        EXPECT_EQ(ProcOf(window.button()), ApplicationButtonProc) << type;
        EXPECT_EQ(ProcOf(window.parent()), ApplicationParentProc) << type;
        EXPECT_EQ(GetPropA(window.button(), "CTRL_STRUCT"), nullptr) << type;
    }
    // The library's own owner-drawn button takes a new record, and its skin off.
    SetWindowLongA(window.button(), GWL_STYLE, GetWindowLongA(window.button(), GWL_STYLE) & ~BS_TYPEMASK);
    ASSERT_TRUE(RedrawButton(window.button(), &record));
    EXPECT_EQ(ButtonType(window.button()), BS_OWNERDRAW);
    record.crText = RGB(4, 5, 6);
    ASSERT_TRUE(RedrawButton(window.button(), &record));
    EXPECT_TRUE(AttachedRecordEquals(window.button(), record));
    ASSERT_TRUE(RedrawButton(window.button(), nullptr));
    EXPECT_EQ(ButtonType(window.button()), BS_PUSHBUTTON);
}

TEST(RedrawButtonHook, CloseFreesTheRecordAndKeepsTheProcedure)
{
    ParentWithButton window;
    CTRL_STRUCT record = RecordWithText(RGB(1, 2, 3));
    int blocks = CountProcessHeapBlocks();
    ASSERT_TRUE(RedrawButton(window.button(), &record));
    WNDPROC hook = ProcOf(window.button());

    keepButtonOnClose = true;
    recordAtCloseOrDestroy = INVALID_HANDLE_VALUE;
    SendMessageA(window.button(), WM_CLOSE, 0, 0);
    keepButtonOnClose = false;
    ASSERT_TRUE(IsWindow(window.button()));
    EXPECT_EQ(recordAtCloseOrDestroy, nullptr); // freed before the message was passed on
    EXPECT_EQ(GetPropA(window.button(), "CTRL_STRUCT"), nullptr);
    EXPECT_EQ(CountProcessHeapBlocks(), blocks);
    EXPECT_EQ(ProcOf(window.button()), hook);
    EXPECT_EQ(ButtonType(window.button()), BS_OWNERDRAW);

    // Without its record the button's messages pass on untouched, the double click too.
    buttonReceived.clear();
    SendMessageA(window.button(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    ASSERT_EQ(buttonReceived.size(), 1u);
    EXPECT_EQ(buttonReceived[0].message, static_cast<UINT>(WM_LBUTTONDBLCLK));
    ReleaseCapture();

    // A new record skins it again; taking the skin off restores the procedure.
    ASSERT_TRUE(RedrawButton(window.button(), &record));
    EXPECT_EQ(ProcOf(window.button()), hook);
    ASSERT_TRUE(RedrawButton(window.button(), nullptr));
    EXPECT_EQ(ProcOf(window.button()), ApplicationButtonProc);
    EXPECT_EQ(CountProcessHeapBlocks(), blocks);
}

TEST(RedrawButtonHook, DestroyFreesTheRecord)
{
    ParentWithButton window;
    CTRL_STRUCT record = RecordWithText(RGB(1, 2, 3));
    int blocks = CountProcessHeapBlocks();
    ASSERT_TRUE(RedrawButton(window.button(), &record));
    recordAtCloseOrDestroy = INVALID_HANDLE_VALUE;
    DestroyWindow(window.button());
    EXPECT_EQ(recordAtCloseOrDestroy, nullptr);
    EXPECT_EQ(CountProcessHeapBlocks(), blocks);
}

TEST(RedrawButtonHook, DoubleClickPressesAgainBeforeItIsPassedOn)
{
    ParentWithButton window;
    CTRL_STRUCT record = RecordWithText(RGB(1, 2, 3));
    ASSERT_TRUE(RedrawButton(window.button(), &record));
    buttonReceived.clear();
    SendMessageA(window.button(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(7, 9));
    ReleaseCapture();
    std::vector<UINT> mouse;
    for (const Received& entry : buttonReceived) {
        if (entry.message == WM_LBUTTONDOWN || entry.message == WM_LBUTTONDBLCLK) {
            mouse.push_back(entry.message);
            EXPECT_EQ(entry.wParam, static_cast<WPARAM>(MK_LBUTTON));
            EXPECT_EQ(entry.lParam, MAKELPARAM(7, 9));
        }
    }
    EXPECT_EQ(mouse, (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}));
}
