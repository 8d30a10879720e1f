// The button subsystem from inside: the hover fields, an exhausted heap and
// buttons without a record.
#include "../button_fixture.h"
#include "button/button_internal.h"
#include "core/module_state.h"
#include "core/thread_state.h"
#include "core/subclass.h"

#include <gtest/gtest.h>

#include <algorithm>
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
    ASSERT_EQ(ThreadState().HoverButton, nullptr);

    SendMessageA(window.button(), WM_MOUSEMOVE, 0, 0);
    EXPECT_EQ(ThreadState().HoverButton, window.button());
    EXPECT_EQ(ModuleState.SavedClassCursor, reinterpret_cast<ULONG_PTR>(guard.original()));
    SendMessageA(second, WM_MOUSEMOVE, 0, 0);
    EXPECT_EQ(ThreadState().HoverButton, window.button());
    SendMessageA(second, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(ThreadState().HoverButton, window.button());
    SendMessageA(window.button(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(ThreadState().HoverButton, nullptr);
    EXPECT_EQ(ModuleState.SavedClassCursor, 0u); // put back, so nothing is left to put back

    // A button without a hover cursor saves none.
    SendMessageA(second, WM_MOUSEMOVE, 0, 0);
    EXPECT_EQ(ThreadState().HoverButton, second);
    EXPECT_EQ(ModuleState.SavedClassCursor, 0u);
    SendMessageA(second, WM_CLOSE, 0, 0); // the default procedure destroys the button
    EXPECT_FALSE(IsWindow(second));
    EXPECT_EQ(ThreadState().HoverButton, nullptr);
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
    EXPECT_EQ(ThreadState().HoverButton, nullptr);
    EXPECT_EQ(PaintButton(nullptr), TRUE);
    UnsubclassWindow(window.button(), ButtonProc);
}
