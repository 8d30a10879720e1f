// RedrawButton skins windows of the system's button class and of classes built on it,
// and leaves every other window exactly as it is.
#include "button_fixture.h"
#include "varnelle.h"

#include <gtest/gtest.h>

#include <ostream>
#include <thread>

using namespace testing_support;
using namespace button_testing;

namespace {

WNDPROC systemButton = nullptr;

// A superclass with a procedure of its own that hands everything to the button's.
LRESULT CALLBACK SuperclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcA(systemButton, hwnd, message, wParam, lParam);
}

// Another party's subclass, installed before the library's, counting what reaches it.
int otherPartyMessages = 0;
WNDPROC belowOtherParty = nullptr;
LRESULT CALLBACK OtherPartyProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    ++otherPartyMessages;
    return CallWindowProcA(belowOtherParty, hwnd, message, wParam, lParam);
}

// "VarnelleAppButton": the superclass; "VarnelleButtonCopy": the button class registered
// again under another name with the button's own procedure; "VarnelleNotAButton": a
// control of the application's that knows nothing of buttons.
void RegisterClasses()
{
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSA button = {};
    ASSERT_TRUE(GetClassInfoA(nullptr, "Button", &button));
    systemButton = button.lpfnWndProc;
    button.hInstance = GetModuleHandleA(nullptr);
    button.style &= ~CS_GLOBALCLASS;
    button.lpszClassName = "VarnelleButtonCopy";
    ASSERT_TRUE(RegisterClassA(&button));
    button.lpfnWndProc = SuperclassProc;
    button.lpszClassName = "VarnelleAppButton";
    ASSERT_TRUE(RegisterClassA(&button));
    WNDCLASSA plain = {};
    plain.lpfnWndProc = DefWindowProcA;
    plain.hInstance = GetModuleHandleA(nullptr);
    plain.lpszClassName = "VarnelleNotAButton";
    ASSERT_TRUE(RegisterClassA(&plain));
    registered = true;
}

struct ClassCase {
    const char* name;
    const char* className;
    DWORD style;
    bool otherPartyFirst; // subclassed by another party before RedrawButton
    bool skinned;
};

void PrintTo(const ClassCase& c, std::ostream* out)
{
    *out << c.name;
}

const ClassCase kClassCases[] = {
    {"Static", "STATIC", SS_LEFT, false, false},
    {"SimpleStatic", "STATIC", SS_SIMPLE, false, false}, // the owner-draw type's bits
    {"Edit", "EDIT", ES_LEFT | WS_BORDER, false, false},
    {"ListBox", "LISTBOX", LBS_NOTIFY, false, false},
    {"ApplicationControl", "VarnelleNotAButton", 0, false, false},
    {"SubclassedStatic", "STATIC", SS_LEFT, true, false},
    {"Superclass", "VarnelleAppButton", BS_PUSHBUTTON, false, true},
    {"SameProcedure", "VarnelleButtonCopy", BS_DEFPUSHBUTTON, false, true},
    {"SubclassedButton", "BUTTON", BS_PUSHBUTTON, true, true},
};

class RedrawButtonClass : public ::testing::TestWithParam<ClassCase> {
protected:
    void SetUp() override
    {
        RegisterClasses();
        const ClassCase& c = GetParam();
        window_ = CreateWindowExA(0, c.className, "Label", WS_CHILD | WS_VISIBLE | c.style, 10, 10, kButtonWidth,
                                  kButtonHeight, parent_.hwnd(), reinterpret_cast<HMENU>(7), GetModuleHandleA(nullptr),
                                  nullptr);
        ASSERT_NE(window_, nullptr);
        if (c.otherPartyFirst)
            belowOtherParty = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OtherPartyProc)));
        otherPartyMessages = 0;
    }
    TestWindow parent_{ApplicationParentProc, WS_POPUP, nullptr, "VarnelleButtonParent"};
    HWND window_ = nullptr;
};

} // namespace

TEST_P(RedrawButtonClass, SkinsButtonsAndLeavesOtherWindowsAlone)
{
    const ClassCase& c = GetParam();
    const LONG style = GetWindowLongA(window_, GWL_STYLE);
    const WNDPROC procedure = ProcOf(window_);
    CTRL_STRUCT record = {};
    record.crText = RGB(1, 2, 3); // no edge: the whole face is filled
    if (!c.skinned) {
        EXPECT_EQ(RedrawButton(window_, &record), FALSE);
        EXPECT_EQ(RedrawButton(window_, nullptr), FALSE);
        EXPECT_EQ(GetWindowLongA(window_, GWL_STYLE), style);
        EXPECT_EQ(ProcOf(window_), procedure);
        EXPECT_EQ(ProcOf(parent_.hwnd()), ApplicationParentProc);
        EXPECT_TRUE(LibraryPropertyNames(window_).empty());
        return;
    }

    ASSERT_EQ(RedrawButton(window_, &record), TRUE);
    EXPECT_EQ(ButtonType(window_), BS_OWNERDRAW);
    EXPECT_NE(GetPropA(window_, "CTRL_STRUCT"), nullptr);
    // The parent's WM_DRAWITEM for it is painted by the library.
    DibSurface surface(kButtonWidth, kButtonHeight, RGB(255, 0, 255));
    DRAWITEMSTRUCT item = DrawItemFor(window_, surface.dc(), ODA_DRAWENTIRE, 0);
    SendMessageA(parent_.hwnd(), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(surface.at(1, 1), GetSysColor(COLOR_BTNFACE));
    // Another party's procedure below the library's still gets the button's messages.
    SendMessageA(window_, WM_GETTEXTLENGTH, 0, 0);
    EXPECT_EQ(otherPartyMessages > 0, c.otherPartyFirst);

    ASSERT_EQ(RedrawButton(window_, nullptr), TRUE);
    EXPECT_EQ(ButtonType(window_), BS_PUSHBUTTON);
    EXPECT_EQ(ProcOf(window_), procedure);
    EXPECT_EQ(GetPropA(window_, "CTRL_STRUCT"), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Classes, RedrawButtonClass, ::testing::ValuesIn(kClassCases),
                         [](const ::testing::TestParamInfo<ClassCase>& info) { return info.param.name; });

// A window of another thread of the application is not asked anything: a class that
// shares the button's procedure is a button, a superclass with a procedure of its own is
// not known to be one.
TEST(RedrawButtonClassOnAnotherThread, OnlyTheButtonsProcedureTells)
{
    RegisterClasses();
    struct Expected {
        const char* className;
        bool skinned;
    };
    for (const Expected& expected : {Expected{"BUTTON", true}, Expected{"VarnelleButtonCopy", true},
                                     Expected{"VarnelleAppButton", false}, Expected{"STATIC", false}}) {
        HANDLE created = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        HANDLE done = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        HWND control = nullptr;
        std::thread owner([&] {
            HWND parent = CreateWindowExA(0, "VarnelleNotAButton", "", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr,
                                          GetModuleHandleA(nullptr), nullptr);
            control = CreateWindowExA(0, expected.className, "Label", WS_CHILD | WS_VISIBLE, 10, 10, kButtonWidth,
                                      kButtonHeight, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
            SetEvent(created);
            while (MsgWaitForMultipleObjects(1, &done, FALSE, 5000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1)
                PumpMessages(0);
            DestroyWindow(parent);
        });
        WaitForSingleObject(created, 5000);
        const LONG style = GetWindowLongA(control, GWL_STYLE);
        CTRL_STRUCT record = {};
        record.dwEdge = 1;
        EXPECT_EQ(RedrawButton(control, &record), expected.skinned ? TRUE : FALSE) << expected.className;
        EXPECT_EQ(GetWindowLongA(control, GWL_STYLE), expected.skinned ? style | BS_OWNERDRAW : style);
        EXPECT_EQ(RedrawButton(control, nullptr), expected.skinned ? TRUE : FALSE) << expected.className;
        EXPECT_EQ(GetWindowLongA(control, GWL_STYLE), style) << expected.className;
        SetEvent(done);
        owner.join();
        CloseHandle(created);
        CloseHandle(done);
    }
}
