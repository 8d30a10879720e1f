// Window-procedure hooks on real windows, including two library procedures on one window.
#include "common/test_support.h"
#include "core/module_state.h"
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

TEST(ModuleStateFields, StartWithTheirInitialValues)
{
    EXPECT_EQ(ModuleState.RandomSeed, 12345678u);
    EXPECT_EQ(ModuleState.DisableSelect, 1);
    EXPECT_EQ(ModuleState.MenuLoopIdle, 1);
    EXPECT_EQ(ModuleState.DefaultCallbackWidth, 8);
    EXPECT_EQ(ModuleState.CurrentMenu, nullptr);
    EXPECT_EQ(ModuleState.IconCellWidth, 0);
    EXPECT_EQ(ModuleState.IconCellHeight, 0);
    EXPECT_EQ(ModuleState.CurrentMenuIsPopup, 0);
    EXPECT_EQ(ModuleState.HoverButton, nullptr);
    EXPECT_EQ(ModuleState.SavedClassCursor, 0u);
}
