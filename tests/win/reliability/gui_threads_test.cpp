// An application with windows on two GUI threads: each thread's menu loop and hovered
// button are its own. Each thread has its own hooked window, menu style and skinned push
// button; the test's main thread drives them with messages that their threads handle, so
// that both popups are open through the system's menu loop at the same time, and both
// buttons hovered at the same time. Each popup and button must then look exactly as it
// looks when its thread is the only one at work.
#include "reliability/gui_thread_testing.h"

#include <gtest/gtest.h>

using namespace gui_thread_testing;
using namespace testing_support;

namespace {

HCURSOR ClassCursor(HWND window)
{
    return reinterpret_cast<HCURSOR>(GetClassLongPtrA(window, GCLP_HCURSOR));
}

class GuiThreads : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetCursorPos(1270, 1010); // away from every window of the test
        ASSERT_TRUE(first_.hooked() && second_.hooked());
    }
    GuiThread first_{2, 20, "Editor", RGB(200, 0, 0), IDC_HAND};
    GuiThread second_{3, 420, "Search", RGB(0, 0, 200), IDC_CROSS};
};

} // namespace

TEST_F(GuiThreads, TwoPopupsOpenAtOnceEachShowTheirThreadsLook)
{
    // Each alone first.
    Pixels alone[2];
    GuiThread* threads[2] = {&first_, &second_};
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(threads[i]->OpenMenu()) << "popup " << i << " did not open";
        alone[i] = threads[i]->CapturePopup();
        ASSERT_TRUE(threads[i]->EndMenu());
        ASSERT_FALSE(alone[i].empty());
    }
    EXPECT_NE(alone[0], alone[1]);

    // Both open: the second opens while the first thread's loop runs, then each is
    // repainted while the other's is open.
    ASSERT_TRUE(first_.OpenMenu());
    ASSERT_TRUE(second_.OpenMenu());
    const Pixels firstTogether = first_.CapturePopup();
    const Pixels secondTogether = second_.CapturePopup();
    const Pixels firstAgain = first_.CapturePopup();
    EXPECT_TRUE(first_.EndMenu());
    EXPECT_TRUE(second_.EndMenu());

    EXPECT_TRUE(firstTogether == alone[0]) << "the first thread's popup, the second one open";
    EXPECT_TRUE(secondTogether == alone[1]) << "the second thread's popup, the first one open";
    EXPECT_TRUE(firstAgain == alone[0]) << "the first thread's popup repainted";
}

TEST_F(GuiThreads, ButtonsOfTwoThreadsAreHoveredAtOnce)
{
    const HCURSOR original = ClassCursor(first_.button());
    const Pixels normal[2] = {first_.CaptureButton(), second_.CaptureButton()};
    Pixels hovered[2];
    GuiThread* threads[2] = {&first_, &second_};
    for (int i = 0; i < 2; ++i) {
        threads[i]->Hover();
        hovered[i] = threads[i]->CaptureButton();
        threads[i]->Leave();
        EXPECT_NE(hovered[i], normal[i]) << "button " << i << " has no hover look";
        EXPECT_EQ(ClassCursor(threads[i]->button()), original);
    }

    // The class cursor is shared: the latest hover shows its cursor, and the cursor the
    // class had comes back when the last hovered button is left.
    first_.Hover();
    EXPECT_EQ(ClassCursor(first_.button()), LoadCursor(nullptr, IDC_HAND));
    second_.Hover();
    EXPECT_EQ(ClassCursor(first_.button()), LoadCursor(nullptr, IDC_CROSS));
    EXPECT_TRUE(first_.CaptureButton() == hovered[0]) << "the first thread's button, the second one hovered";
    EXPECT_TRUE(second_.CaptureButton() == hovered[1]) << "the second thread's button, the first one hovered";
    first_.Leave();
    EXPECT_EQ(ClassCursor(first_.button()), LoadCursor(nullptr, IDC_CROSS));
    EXPECT_TRUE(first_.CaptureButton() == normal[0]);
    EXPECT_TRUE(second_.CaptureButton() == hovered[1]) << "left the other thread's button hovered";
    second_.Leave();
    EXPECT_EQ(ClassCursor(first_.button()), original);
    EXPECT_TRUE(second_.CaptureButton() == normal[1]);
}

// A thread's block is freed when the thread ends: GUI threads that come and go leave no
// memory behind.
TEST(GuiThreadsComingAndGoing, LeaveNoMemoryBehind)
{
    auto openOnce = [] {
        GuiThread thread(2, 20, "Passing", RGB(200, 0, 0), IDC_HAND);
        if (thread.OpenMenu())
            thread.EndMenu();
        thread.Hover();
        thread.Leave();
    };
    openOnce(); // the system's caches settle first
    openOnce();
    const int before = CountProcessHeapBlocks();
    for (int i = 0; i < 4; ++i)
        openOnce();
    EXPECT_EQ(CountProcessHeapBlocks(), before);
}
