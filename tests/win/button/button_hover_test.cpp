// Hover behaviour of skinned buttons through the DLL: class cursor, repaint requests,
// sound, and the system's own leave notification.
#include "button_fixture.h"
#include "varnelle.h"

#include <gtest/gtest.h>

using namespace testing_support;
using namespace button_testing;

namespace {

HCURSOR Hand()
{
    return LoadCursor(nullptr, IDC_HAND);
}

HCURSOR Cross()
{
    return LoadCursor(nullptr, IDC_CROSS);
}

CTRL_STRUCT CursorRecord(HCURSOR cursor)
{
    CTRL_STRUCT record = {};
    record.hCursorHover = cursor;
    record.dwEdge = 1;
    return record;
}

void Move(HWND button)
{
    SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
}

void Leave(HWND button)
{
    SendMessageA(button, WM_MOUSELEAVE, 0, 0);
}

bool HasUpdateRegion(HWND hwnd)
{
    RECT update;
    return GetUpdateRect(hwnd, &update, FALSE) != 0;
}

// Keeps the real pointer away from the test windows, so that only the messages a test
// sends itself hover a button. (Windows answers a leave request for a window the pointer
// is not over at once, Wine 8 did not for these hidden windows: so the tests pump no
// messages between a hover and its leave, and behave alike on both.)
void ParkPointer()
{
    SetCursorPos(1270, 1010);
}

// Two buttons on one hidden parent, the pointer parked away from them.
class ButtonHoverPair : public ::testing::Test {
protected:
    void SetUp() override { ParkPointer(); }
    ParentWithButton window;
    ButtonClassCursorGuard guard{window.button()};
    HWND second = MakeButton(window.parent(), kButtonId + 1, "Second", BS_PUSHBUTTON, 10, 50);
};

} // namespace

TEST_F(ButtonHoverPair, TheHoverCursorIsTheClassCursorWhileHovered)
{
    HWND sibling = second; // not skinned
    CTRL_STRUCT record = CursorRecord(Hand());
    ASSERT_TRUE(RedrawButton(window.button(), &record));

    Move(window.button());
    EXPECT_EQ(ClassCursor(window.button()), Hand());
    EXPECT_EQ(ClassCursor(sibling), Hand()); // a class cursor: every button shows it
    Move(window.button());                    // moving on changes nothing
    Leave(window.button());
    EXPECT_EQ(ClassCursor(window.button()), guard.original());
    EXPECT_EQ(ClassCursor(sibling), guard.original());
}

TEST_F(ButtonHoverPair, ASecondButtonWaitsUntilTheFirstIsLeft)
{
    CTRL_STRUCT first = CursorRecord(Hand());
    CTRL_STRUCT other = CursorRecord(Cross());
    ASSERT_TRUE(RedrawButton(window.button(), &first));
    ASSERT_TRUE(RedrawButton(second, &other));

    Move(window.button());
    Move(second);
    EXPECT_EQ(ClassCursor(second), Hand());
    // A leave notification of a button that is not the hovered one ends nothing.
    Leave(second);
    EXPECT_EQ(ClassCursor(second), Hand());
    Move(second);
    EXPECT_EQ(ClassCursor(second), Hand());
    Leave(window.button());
    EXPECT_EQ(ClassCursor(second), guard.original());
    Move(second);
    EXPECT_EQ(ClassCursor(second), Cross());
    Leave(second);
    EXPECT_EQ(ClassCursor(second), guard.original());
}

TEST_F(ButtonHoverPair, TheSavedCursorIsPutBackOnceOnly)
{
    CTRL_STRUCT withCursor = CursorRecord(Hand());
    CTRL_STRUCT withoutCursor = CursorRecord(nullptr);
    ASSERT_TRUE(RedrawButton(window.button(), &withCursor));
    ASSERT_TRUE(RedrawButton(second, &withoutCursor));
    Move(window.button());
    Leave(window.button());
    // The application changes its buttons' cursor; hovering a button without a hover
    // cursor must not bring back the one saved earlier.
    HCURSOR beam = LoadCursor(nullptr, IDC_IBEAM);
    SetClassLongPtrA(second, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(beam));
    Move(second);
    Leave(second);
    EXPECT_EQ(ClassCursor(second), beam);
}

TEST(ButtonHover, OnlyAHoverLookAsksForARepaint)
{
    ParkPointer();
    ParentWithButton window("OK", true, 300, 300);
    ButtonClassCursorGuard guard(window.button());
    const auto wave = MakeWave(20);
    CTRL_STRUCT plain = CursorRecord(Hand());
    plain.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    plain.crText = RGB(1, 2, 3);
    plain.crTextPressed = RGB(1, 2, 3);
    plain.pSoundHover = wave.data();
    ASSERT_TRUE(RedrawButton(window.button(), &plain));
    UpdateWindow(window.button());
    ASSERT_FALSE(HasUpdateRegion(window.button()));
    Move(window.button());
    EXPECT_EQ(ClassCursor(window.button()), Hand()); // cursor and sound still apply
    EXPECT_FALSE(HasUpdateRegion(window.button()));
    Leave(window.button());
    EXPECT_FALSE(HasUpdateRegion(window.button()));

    // Each of the five hover-look fields alone asks for a repaint on enter and on leave.
    HBITMAP bitmap = CreateBitmap(8, 8, 1, 32, nullptr);
    for (int field = 0; field < 5; ++field) {
        CTRL_STRUCT record = plain;
        switch (field) {
        case 0: record.hIconHover = LoadIcon(nullptr, IDI_APPLICATION); break;
        case 1: record.dwFlat = 2; break;
        case 2: record.crTextHover = RGB(1, 2, 3); break;
        case 3: record.hFontHover = static_cast<HFONT>(GetStockObject(SYSTEM_FONT)); break;
        case 4: record.hBmpHover = bitmap; break;
        }
        ASSERT_TRUE(RedrawButton(window.button(), &record));
        UpdateWindow(window.button());
        Move(window.button());
        EXPECT_TRUE(HasUpdateRegion(window.button())) << field;
        ValidateRect(window.button(), nullptr);
        Leave(window.button());
        EXPECT_TRUE(HasUpdateRegion(window.button())) << field;
        EXPECT_EQ(ClassCursor(window.button()), guard.original());
    }
    ASSERT_TRUE(RedrawButton(window.button(), nullptr));
    DeleteObject(bitmap);
}

TEST_F(ButtonHoverPair, TheHoverSoundPlaysFromMemoryWithoutBlockingOrBreakingAnything)
{
    for (bool valid : {true, false}) {
        // A 50 ms WAVE image, or bytes that are no WAVE at all (skipped silently).
        std::vector<unsigned char> sound = valid ? MakeWave(50) : std::vector<unsigned char>(64, 0x5A);
        CTRL_STRUCT record = CursorRecord(Hand());
        record.pSoundHover = sound.data();
        ASSERT_TRUE(RedrawButton(window.button(), &record));
        DWORD start = GetTickCount();
        Move(window.button());
        // Played synchronously: with no device it returns at once, with one after 50 ms.
        // The bound only catches a hang.
        EXPECT_LT(GetTickCount() - start, 5000u);
        EXPECT_EQ(ClassCursor(window.button()), Hand()) << valid;
        Leave(window.button());
        EXPECT_EQ(ClassCursor(window.button()), guard.original());
    }
}

TEST_F(ButtonHoverPair, DestroyingOrUnskinningTheHoveredButtonEndsTheHover)
{
    CTRL_STRUCT hand = CursorRecord(Hand());
    CTRL_STRUCT cross = CursorRecord(Cross());
    ASSERT_TRUE(RedrawButton(second, &cross));

    // Destroyed while hovered: the class cursor comes back and the other button can hover.
    HWND doomed = MakeButton(window.parent(), kButtonId + 2, "Doomed", BS_PUSHBUTTON, 10, 90);
    ASSERT_TRUE(RedrawButton(doomed, &hand));
    Move(doomed);
    EXPECT_EQ(ClassCursor(second), Hand());
    DestroyWindow(doomed);
    EXPECT_EQ(ClassCursor(second), guard.original());
    Move(second);
    EXPECT_EQ(ClassCursor(second), Cross());
    Leave(second);

    // The skin taken off while hovered: the same.
    ASSERT_TRUE(RedrawButton(window.button(), &hand));
    Move(window.button());
    EXPECT_EQ(ClassCursor(second), Hand());
    ASSERT_TRUE(RedrawButton(window.button(), nullptr));
    EXPECT_EQ(ClassCursor(second), guard.original());
    Move(second);
    EXPECT_EQ(ClassCursor(second), Cross());
    Leave(second);

    // A button destroyed while another is hovered leaves that hover alone.
    HWND bystander = MakeButton(window.parent(), kButtonId + 3, "Bystander", BS_PUSHBUTTON, 10, 130);
    ASSERT_TRUE(RedrawButton(bystander, &hand));
    Move(second);
    DestroyWindow(bystander);
    EXPECT_EQ(ClassCursor(second), Cross());
    Move(second); // still hovered: not entered again, so the cursor saved stays the original
    Leave(second);
    EXPECT_EQ(ClassCursor(second), guard.original());
}

TEST(ButtonHover, RealPointerInputEntersAndTrackMouseEventReportsTheLeave)
{
    ParkPointer();
    PumpMessages(50);
    ParentWithButton window("OK", true, 200, 200);
    ButtonClassCursorGuard guard(window.button());
    CTRL_STRUCT record = CursorRecord(Hand());
    record.crTextHover = RGB(200, 0, 0);
    ASSERT_TRUE(RedrawButton(window.button(), &record));
    PumpMessages(50);
    buttonReceived.clear();

    // Onto the middle of the button with SendInput, as a real mouse would move.
    POINT centre = {kButtonWidth / 2, kButtonHeight / 2};
    ClientToScreen(window.button(), &centre);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(centre.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(centre.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ASSERT_EQ(SendInput(1, &input, sizeof(input)), 1u);
    DWORD start = GetTickCount();
    while (ClassCursor(window.button()) != Hand() && GetTickCount() - start < 3000)
        PumpMessages(20);
    EXPECT_GE(CountOf(buttonReceived, WM_MOUSEMOVE), 1);
    EXPECT_EQ(ClassCursor(window.button()), Hand());
    PumpMessages(300); // still over the button: no leave
    EXPECT_EQ(CountOf(buttonReceived, WM_MOUSELEAVE), 0);
    EXPECT_EQ(ClassCursor(window.button()), Hand());

    // Away with SetCursorPos: the system notices through the tracking request.
    ParkPointer();
    start = GetTickCount();
    while (CountOf(buttonReceived, WM_MOUSELEAVE) == 0 && GetTickCount() - start < 3000)
        PumpMessages(20);
    EXPECT_EQ(CountOf(buttonReceived, WM_MOUSELEAVE), 1);
    EXPECT_EQ(ClassCursor(window.button()), guard.original());
}
