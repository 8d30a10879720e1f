// The button subsystem from inside: ModuleState's hover fields, an exhausted heap, buttons
// without a record, and a parent that also carries another library procedure.
#include "../button_fixture.h"
#include "button/button_internal.h"
#include "core/module_state.h"
#include "core/subclass.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace testing_support;
using namespace button_testing;
using namespace varnelle;

namespace {

CTRL_STRUCT CursorRecord(HCURSOR cursor)
{
    CTRL_STRUCT record = {};
    record.hCursorHover = cursor;
    record.dwEdge = 1;
    return record;
}

HGLOBAL WINAPI ExhaustedHeap(UINT, SIZE_T)
{
    return nullptr;
}

// Stands in for the menu window's procedure: passes everything on and takes itself out of
// the chain on WM_DESTROY, as the menu hook does.
std::vector<std::string> chain;
LRESULT CALLBACK MenuHostStandIn(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP + 9 || message == WM_DRAWITEM || message == WM_DESTROY || message == WM_NCDESTROY)
        chain.push_back("menu host");
    if (message == WM_DESTROY)
        RemoveWindowHook(window, MenuHostStandIn);
    return PassOn(MenuHostStandIn, window, message, wParam, lParam);
}

// Skins the window's button and hooks its parent with the stand-in, in either order.
void HookParentTwice(const ParentWithButton& window, bool menuFirst)
{
    CTRL_STRUCT record = CursorRecord(nullptr);
    if (menuFirst)
        SubclassWindow(window.parent(), MenuHostStandIn);
    ASSERT_TRUE(RedrawButton(window.button(), &record));
    if (!menuFirst)
        SubclassWindow(window.parent(), MenuHostStandIn);
}

// Sends the button's WM_DRAWITEM to its parent: true when the library painted it and the
// application received the message once.
bool PaintedAndPassedOn(const ParentWithButton& window)
{
    DibSurface surface(kButtonWidth, kButtonHeight, RGB(1, 2, 3));
    DRAWITEMSTRUCT item = DrawItemFor(window.button(), surface.dc(), ODA_DRAWENTIRE, 0);
    parentReceived.clear();
    SendMessageA(window.parent(), WM_DRAWITEM, kButtonId, reinterpret_cast<LPARAM>(&item));
    return CountOf(parentReceived, WM_DRAWITEM) == 1 && surface.at(45, 0) != RGB(1, 2, 3);
}

} // namespace

TEST(ButtonState, HoverFieldsFollowEnterAndLeave)
{
    ParentWithButton window;
    ButtonClassCursorGuard guard(window.button());
    HWND second = MakeButton(window.parent(), kButtonId + 1, "Second", BS_PUSHBUTTON, 10, 50);
    HCURSOR hand = LoadCursor(nullptr, IDC_HAND);
    CTRL_STRUCT withCursor = CursorRecord(hand);
    CTRL_STRUCT withoutCursor = CursorRecord(nullptr);
    ASSERT_TRUE(RedrawButton(window.button(), &withCursor));
    ASSERT_TRUE(RedrawButton(second, &withoutCursor));
    ASSERT_EQ(ModuleState.HoverButton, nullptr);

    SendMessageA(window.button(), WM_MOUSEMOVE, 0, 0);
    EXPECT_EQ(ModuleState.HoverButton, window.button());
    EXPECT_EQ(ModuleState.SavedClassCursor, reinterpret_cast<ULONG_PTR>(guard.original()));
    SendMessageA(second, WM_MOUSEMOVE, 0, 0);
    EXPECT_EQ(ModuleState.HoverButton, window.button());
    SendMessageA(second, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(ModuleState.HoverButton, window.button());
    SendMessageA(window.button(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(ModuleState.HoverButton, nullptr);
    EXPECT_EQ(ModuleState.SavedClassCursor, 0u); // put back, so nothing is left to put back

    // A button without a hover cursor saves none.
    SendMessageA(second, WM_MOUSEMOVE, 0, 0);
    EXPECT_EQ(ModuleState.HoverButton, second);
    EXPECT_EQ(ModuleState.SavedClassCursor, 0u);
    SendMessageA(second, WM_CLOSE, 0, 0); // the default procedure destroys the button
    EXPECT_FALSE(IsWindow(second));
    EXPECT_EQ(ModuleState.HoverButton, nullptr);
}

TEST(ButtonState, AnExhaustedHeapLeavesTheButtonAsItWas)
{
    ParentWithButton window;
    LONG style = GetWindowLongA(window.button(), GWL_STYLE);
    CTRL_STRUCT first = CursorRecord(nullptr);
    RecordAllocatorOverride = ExhaustedHeap;
    EXPECT_EQ(RedrawButton(window.button(), &first), FALSE);
    RecordAllocatorOverride = nullptr;
    EXPECT_EQ(GetWindowLongA(window.button(), GWL_STYLE), style);
    EXPECT_EQ(ProcOf(window.button()), ApplicationButtonProc);
    EXPECT_EQ(ProcOf(window.parent()), ApplicationParentProc);
    EXPECT_EQ(GetPropA(window.button(), "CTRL_STRUCT"), nullptr);
    EXPECT_EQ(GetPropA(window.button(), "OLD_WND_PROC"), nullptr);

    // A skinned button keeps its record when the replacement cannot be made.
    ASSERT_TRUE(RedrawButton(window.button(), &first));
    HANDLE copy = GetPropA(window.button(), "CTRL_STRUCT");
    CTRL_STRUCT second = CursorRecord(LoadCursor(nullptr, IDC_HAND));
    RecordAllocatorOverride = ExhaustedHeap;
    EXPECT_EQ(RedrawButton(window.button(), &second), FALSE);
    RecordAllocatorOverride = nullptr;
    EXPECT_EQ(GetPropA(window.button(), "CTRL_STRUCT"), copy);
    CTRL_STRUCT attached;
    ASSERT_TRUE(ReadRecord(window.button(), &attached));
    EXPECT_EQ(attached.hCursorHover, nullptr);
    EXPECT_EQ(attached.dwEdge, 1u);
}

TEST(ButtonState, ButtonProcPassesARecordlessButtonsMessagesOnUntouched)
{
    ParentWithButton window;
    SubclassWindow(window.button(), ButtonProc); // never given a record
    buttonReceived.clear();
    const UINT messages[] = {WM_MOUSEMOVE, WM_MOUSELEAVE, WM_LBUTTONDBLCLK, WM_APP + 1};
    for (UINT message : messages)
        SendMessageA(window.button(), message, 0x12, 0x345);
    ReleaseCapture();
    // The button class answers the double click with focus and capture messages of its own;
    // among the mouse messages there is no extra press.
    std::vector<Received> mouse;
    for (const Received& entry : buttonReceived)
        if (entry.message == WM_LBUTTONDOWN || std::find(std::begin(messages), std::end(messages), entry.message) != std::end(messages))
            mouse.push_back(entry);
    ASSERT_EQ(mouse.size(), std::size(messages));
    for (size_t i = 0; i < std::size(messages); ++i) {
        EXPECT_EQ(mouse[i].message, messages[i]);
        EXPECT_EQ(mouse[i].wParam, 0x12u);
        EXPECT_EQ(mouse[i].lParam, 0x345);
    }
    EXPECT_EQ(ModuleState.HoverButton, nullptr);
    EXPECT_EQ(PaintButton(nullptr), TRUE);
    UnsubclassWindow(window.button(), ButtonProc);
}

TEST(ButtonState, AParentWithAnotherLibraryProcedureChainsBothInEitherOrder)
{
    for (bool menuFirst : {true, false}) {
        SCOPED_TRACE(menuFirst ? "menu hook first" : "button hook first");
        ParentWithButton window;
        HWND parent = window.parent();
        HookParentTwice(window, menuFirst);
        EXPECT_EQ(reinterpret_cast<WNDPROC>(GetPropA(parent, "OLD_WND_PROC")), ApplicationParentProc);

        // Each procedure once, then the application's once.
        chain.clear();
        parentReceived.clear();
        SendMessageA(parent, WM_APP + 9, 0, 0);
        EXPECT_EQ(chain, std::vector<std::string>{"menu host"});
        EXPECT_EQ(CountOf(parentReceived, WM_APP + 9), 1);
        EXPECT_TRUE(PaintedAndPassedOn(window));

        // The menu hook leaves on WM_DESTROY; the rest of the destruction still reaches the
        // button hook and the application, once each, and nothing calls the stand-in again.
        chain.clear();
        parentReceived.clear();
        HWND button = window.button();
        DestroyWindow(parent);
        EXPECT_EQ(chain, std::vector<std::string>{"menu host"});
        EXPECT_EQ(CountOf(parentReceived, WM_DESTROY), 1);
        EXPECT_EQ(CountOf(parentReceived, WM_NCDESTROY), 1);
        EXPECT_FALSE(IsWindow(button));
    }
}

TEST(ButtonState, TheMenuHookLeavingFirstLeavesTheButtonHookWorking)
{
    for (bool menuFirst : {true, false}) {
        SCOPED_TRACE(menuFirst ? "menu hook first" : "button hook first");
        ParentWithButton window;
        HWND parent = window.parent();
        HookParentTwice(window, menuFirst);
        RemoveWindowHook(parent, MenuHostStandIn);

        chain.clear();
        EXPECT_TRUE(PaintedAndPassedOn(window));
        EXPECT_TRUE(chain.empty());
        EXPECT_EQ(reinterpret_cast<WNDPROC>(GetPropA(parent, "OLD_WND_PROC")), ApplicationParentProc);
        // A second button on the same parent does not hook it again.
        HWND second = MakeButton(parent, kButtonId + 1, "Second", BS_PUSHBUTTON, 10, 50);
        WNDPROC top = ProcOf(parent);
        CTRL_STRUCT record = CursorRecord(nullptr);
        ASSERT_TRUE(RedrawButton(second, &record));
        EXPECT_EQ(ProcOf(parent), top);
        parentReceived.clear();
        SendMessageA(parent, WM_APP + 9, 0, 0);
        EXPECT_EQ(CountOf(parentReceived, WM_APP + 9), 1);
    }
}
