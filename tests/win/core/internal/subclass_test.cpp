// Window-procedure hooks on real windows, including two library procedures on one window.
#include "common/test_support.h"
#include "core/module_state.h"
#include "core/thread_state.h"
#include "core/subclass.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace testing_support;
using namespace varnelle;

namespace {

std::vector<std::string> trace;
const UINT kProbe = WM_APP + 7;

LRESULT CALLBACK ApplicationProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kProbe) {
        trace.push_back("application");
        return 42;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK FirstLibraryProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kProbe)
        trace.push_back("first");
    return PassOn(FirstLibraryProc, hwnd, message, wParam, lParam);
}

LRESULT CALLBACK SecondLibraryProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kProbe)
        trace.push_back("second");
    return PassOn(SecondLibraryProc, hwnd, message, wParam, lParam);
}

WNDPROC thirdPartyPrevious = nullptr;
LRESULT CALLBACK ThirdPartyProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kProbe)
        trace.push_back("third party");
    return CallWindowProcA(thirdPartyPrevious, hwnd, message, wParam, lParam);
}

WNDPROC CurrentProc(HWND hwnd)
{
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
}

std::vector<std::string> Probe(HWND hwnd)
{
    trace.clear();
    EXPECT_EQ(SendMessageA(hwnd, kProbe, 0, 0), 42);
    return trace;
}

using Trace = std::vector<std::string>;

} // namespace

TEST(Subclass, TwiceThenUnsubclassOnceRestoresTheOriginal)
{
    TestWindow window(ApplicationProc);
    HWND hwnd = window.hwnd();
    SubclassWindow(hwnd, FirstLibraryProc);
    SubclassWindow(hwnd, FirstLibraryProc);
    EXPECT_EQ(CurrentProc(hwnd), FirstLibraryProc);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetPropA(hwnd, "OLD_WND_PROC")), ApplicationProc);
    EXPECT_EQ(Probe(hwnd), (Trace{"first", "application"}));
    UnsubclassWindow(hwnd, FirstLibraryProc);
    EXPECT_EQ(CurrentProc(hwnd), ApplicationProc);
    EXPECT_EQ(GetPropA(hwnd, "OLD_WND_PROC"), nullptr);
    EXPECT_EQ(Probe(hwnd), (Trace{"application"}));
}

TEST(Subclass, UnsubclassUnderAThirdPartyLeavesEverythingInPlace)
{
    TestWindow window(ApplicationProc);
    HWND hwnd = window.hwnd();
    SubclassWindow(hwnd, FirstLibraryProc);
    thirdPartyPrevious = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ThirdPartyProc)));
    UnsubclassWindow(hwnd, FirstLibraryProc);
    EXPECT_EQ(CurrentProc(hwnd), ThirdPartyProc);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetPropA(hwnd, "OLD_WND_PROC")), ApplicationProc);
    EXPECT_EQ(Probe(hwnd), (Trace{"third party", "first", "application"}));
}

TEST(Subclass, UnsubclassOfAWindowNeverHookedChangesNothing)
{
    TestWindow window(ApplicationProc);
    UnsubclassWindow(window.hwnd(), FirstLibraryProc);
    EXPECT_EQ(CurrentProc(window.hwnd()), ApplicationProc);
    EXPECT_EQ(Probe(window.hwnd()), (Trace{"application"}));
}

TEST(Subclass, TwoLibraryProceduresChainInEitherOrder)
{
    for (bool firstBelow : {true, false}) {
        TestWindow window(ApplicationProc);
        HWND hwnd = window.hwnd();
        WNDPROC lower = firstBelow ? FirstLibraryProc : SecondLibraryProc;
        WNDPROC upper = firstBelow ? SecondLibraryProc : FirstLibraryProc;
        std::string lowerName = firstBelow ? "first" : "second";
        std::string upperName = firstBelow ? "second" : "first";
        SubclassWindow(hwnd, lower);
        SubclassWindow(hwnd, upper);
        // Hooking either again, as a second button or a second RedrawMenu would, changes nothing.
        SubclassWindow(hwnd, lower);
        SubclassWindow(hwnd, upper);
        EXPECT_EQ(CurrentProc(hwnd), upper);
        EXPECT_EQ(reinterpret_cast<WNDPROC>(GetPropA(hwnd, "OLD_WND_PROC")), ApplicationProc);
        EXPECT_EQ(Probe(hwnd), (Trace{upperName, lowerName, "application"}));

        // The lower hook takes itself out (a menu window's WM_DESTROY): the upper one stays
        // and now passes straight to the application.
        RemoveWindowHook(hwnd, lower);
        EXPECT_EQ(CurrentProc(hwnd), upper);
        EXPECT_EQ(Probe(hwnd), (Trace{upperName, "application"}));
        EXPECT_EQ(reinterpret_cast<WNDPROC>(GetPropA(hwnd, "OLD_WND_PROC")), ApplicationProc);
        UnsubclassWindow(hwnd, upper);
        EXPECT_EQ(CurrentProc(hwnd), ApplicationProc);
        EXPECT_EQ(GetPropA(hwnd, "OLD_WND_PROC"), nullptr);
    }
}

TEST(Subclass, RemovingTheUpperHookLeavesTheLowerOne)
{
    TestWindow window(ApplicationProc);
    HWND hwnd = window.hwnd();
    SubclassWindow(hwnd, FirstLibraryProc);
    SubclassWindow(hwnd, SecondLibraryProc);
    RemoveWindowHook(hwnd, SecondLibraryProc);
    EXPECT_EQ(CurrentProc(hwnd), FirstLibraryProc);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetPropA(hwnd, "OLD_WND_PROC")), ApplicationProc);
    EXPECT_EQ(Probe(hwnd), (Trace{"first", "application"}));
    // And it can be hooked again on top.
    SubclassWindow(hwnd, SecondLibraryProc);
    EXPECT_EQ(Probe(hwnd), (Trace{"second", "first", "application"}));
}

TEST(Subclass, SecondHookAboveAThirdPartyIsNotInstalledTwice)
{
    TestWindow window(ApplicationProc);
    HWND hwnd = window.hwnd();
    SubclassWindow(hwnd, FirstLibraryProc);
    thirdPartyPrevious = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ThirdPartyProc)));
    SubclassWindow(hwnd, SecondLibraryProc);
    SubclassWindow(hwnd, FirstLibraryProc); // already installed below the third party
    EXPECT_EQ(Probe(hwnd), (Trace{"second", "third party", "first", "application"}));
}

TEST(Subclass, RemoveWindowHookWithoutOthersRestoresThePrevious)
{
    TestWindow window(ApplicationProc);
    HWND hwnd = window.hwnd();
    SubclassWindow(hwnd, FirstLibraryProc);
    RemoveWindowHook(hwnd, FirstLibraryProc);
    EXPECT_EQ(CurrentProc(hwnd), ApplicationProc);
    EXPECT_EQ(GetPropA(hwnd, "OLD_WND_PROC"), nullptr);
    SubclassWindow(hwnd, FirstLibraryProc);
    EXPECT_EQ(Probe(hwnd), (Trace{"first", "application"}));
}

namespace {

// The application's Unicode window procedure: keeps the text WM_SETTEXT brought.
std::wstring textSeen;
LRESULT CALLBACK UnicodeApplicationProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETTEXT && lParam)
        textSeen = reinterpret_cast<const wchar_t*>(lParam);
    if (message == kProbe) {
        trace.push_back("application");
        return 42;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND MakeUnicodeWindow()
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = UnicodeApplicationProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"VarnelleSubclassUnicode";
    RegisterClassW(&windowClass);
    return CreateWindowExW(0, L"VarnelleSubclassUnicode", L"\u0417\u0430\u0433 \u4E2D\u6587", WS_OVERLAPPEDWINDOW, 0,
                           0, 100, 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

} // namespace

// A Unicode window stays Unicode through both library hooks, in either order, and its
// texts never pass through the ANSI code page; an ANSI window stays ANSI.
TEST(Subclass, AUnicodeWindowStaysUnicodeThroughStackedHooks)
{
    const std::wstring title = L"\u041F\u0440\u0438\u0432\u0435\u0442 \u4E16\u754C \u00E9\u20AC ok";
    for (bool firstBelow : {true, false}) {
        HWND hwnd = MakeUnicodeWindow();
        ASSERT_TRUE(IsWindowUnicode(hwnd));
        WNDPROC lower = firstBelow ? FirstLibraryProc : SecondLibraryProc;
        WNDPROC upper = firstBelow ? SecondLibraryProc : FirstLibraryProc;
        SubclassWindow(hwnd, lower);
        SubclassWindow(hwnd, upper);
        EXPECT_TRUE(IsWindowUnicode(hwnd));
        EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)), upper);
        EXPECT_EQ(reinterpret_cast<WNDPROC>(GetPropA(hwnd, "OLD_WND_PROC")), UnicodeApplicationProc);
        EXPECT_EQ(Probe(hwnd), (Trace{firstBelow ? "second" : "first", firstBelow ? "first" : "second", "application"}));

        textSeen.clear();
        ASSERT_TRUE(SendMessageW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(title.c_str())));
        EXPECT_EQ(textSeen, title);
        wchar_t back[64] = {};
        GetWindowTextW(hwnd, back, 64);
        EXPECT_EQ(std::wstring(back), title);

        // Taking the lower one out relinks the upper one, still through the wide functions.
        EXPECT_TRUE(RemoveWindowHook(hwnd, lower));
        textSeen.clear();
        SendMessageW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(title.c_str()));
        EXPECT_EQ(textSeen, title);
        UnsubclassWindow(hwnd, upper);
        EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)), UnicodeApplicationProc);
        EXPECT_TRUE(IsWindowUnicode(hwnd));
        EXPECT_TRUE(LibraryPropertyNames(hwnd).empty());
        DestroyWindow(hwnd);
    }

    TestWindow ansi(ApplicationProc);
    SubclassWindow(ansi.hwnd(), FirstLibraryProc);
    EXPECT_FALSE(IsWindowUnicode(ansi.hwnd()));
    UnsubclassWindow(ansi.hwnd(), FirstLibraryProc);
    EXPECT_EQ(CurrentProc(ansi.hwnd()), ApplicationProc);
}

namespace {

// Another party's subclass that cleans up on WM_NCDESTROY, as well-behaved ones do.
// It notes the library's properties left once the window's last message has passed.
int thirdPartyNcDestroys = 0;
std::vector<std::string> propertiesAfterNcDestroy;
LRESULT CALLBACK CleaningThirdPartyProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = CallWindowProcA(thirdPartyPrevious, hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ++thirdPartyNcDestroys;
        propertiesAfterNcDestroy = LibraryPropertyNames(hwnd);
    }
    return result;
}

// Library procedures that forget their properties on WM_NCDESTROY, as the library's do.
template <int N>
LRESULT CALLBACK LastMessageLibraryProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCDESTROY)
        return PassOnLastMessage(LastMessageLibraryProc<N>, hwnd, message, wParam, lParam);
    if (message == kProbe)
        trace.push_back("library " + std::to_string(N));
    return PassOn(LastMessageLibraryProc<N>, hwnd, message, wParam, lParam);
}

} // namespace

// Under another party's procedure a hook is not taken out (that party would lose the
// window's last messages): it passes messages on until WM_NCDESTROY, when its properties go.
TEST(Subclass, UnderAnotherPartyAHookStaysAPassThroughUntilTheLastMessage)
{
    TestWindow window(ApplicationProc);
    HWND hwnd = window.hwnd();
    SubclassWindow(hwnd, LastMessageLibraryProc<1>);
    SubclassWindow(hwnd, LastMessageLibraryProc<2>);
    thirdPartyPrevious = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CleaningThirdPartyProc)));
    EXPECT_FALSE(RemoveWindowHook(hwnd, LastMessageLibraryProc<1>));
    EXPECT_FALSE(RemoveWindowHook(hwnd, LastMessageLibraryProc<2>));
    EXPECT_EQ(CurrentProc(hwnd), CleaningThirdPartyProc);
    trace.clear();
    SendMessageA(hwnd, kProbe, 0, 0);
    EXPECT_EQ(trace, (Trace{"library 2", "library 1", "application"}));

    thirdPartyNcDestroys = 0;
    propertiesAfterNcDestroy = {"not called"};
    DestroyWindow(window.release());
    EXPECT_EQ(thirdPartyNcDestroys, 1);
    EXPECT_TRUE(propertiesAfterNcDestroy.empty()) << propertiesAfterNcDestroy[0];
}

TEST(LibraryState, StartsWithTheInitialValues)
{
    EXPECT_EQ(ModuleState.RandomSeed, 12345678u);
    EXPECT_EQ(ModuleState.DisableSelect, 1);
    EXPECT_EQ(ReadThreadState().MenuLoopIdle, 1);
    EXPECT_EQ(ModuleState.DefaultCallbackWidth, 8);
    EXPECT_EQ(ReadThreadState().CurrentMenu, nullptr);
    EXPECT_EQ(ReadThreadState().IconCellWidth, 0);
    EXPECT_EQ(ReadThreadState().IconCellHeight, 0);
    EXPECT_EQ(ReadThreadState().CurrentMenuIsPopup, 0);
    EXPECT_EQ(ReadThreadState().HoverButton, nullptr);
    EXPECT_EQ(ModuleState.SavedClassCursor, 0u);
}
