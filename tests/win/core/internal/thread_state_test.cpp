// Each thread's menu-loop block: readers never allocate one, writers get their own, and a
// thread that cannot have one shares a single block with the others in that case.
#include "core/thread_state.h"

#include <gtest/gtest.h>

#include <thread>

using namespace varnelle;

namespace {

// The module entry frees a thread's block as the thread ends; linked into the test
// program, the thread does it itself.
template <typename Work>
void OnNewThread(Work work)
{
    std::thread([&work] {
        work();
        ReleaseThreadState();
    }).join();
}

HGLOBAL WINAPI FailingAllocator(UINT, SIZE_T)
{
    return nullptr;
}

class ThreadStateBlocks : public ::testing::Test {
protected:
    void TearDown() override { ThreadStateAllocatorOverride = nullptr; }
};

} // namespace

TEST_F(ThreadStateBlocks, AThreadThatWroteNothingReadsTheInitialValues)
{
    ThreadState().CurrentMenu = reinterpret_cast<HMENU>(0x1234);
    ThreadState().MenuLoopIdle = 0;
    OnNewThread([] {
        const ThreadStateFields& state = ReadThreadState();
        EXPECT_EQ(state.CurrentMenu, nullptr);
        EXPECT_EQ(state.MenuLoopIdle, 1);
        EXPECT_EQ(state.CurrentMenuIsPopup, 0);
        EXPECT_EQ(state.IconCellWidth, 0);
        EXPECT_EQ(state.HoverButton, nullptr);
        // Reading allocated nothing: the thread still reads the initial values.
        EXPECT_EQ(&ReadThreadState(), &state);
    });
    EXPECT_EQ(ReadThreadState().CurrentMenu, reinterpret_cast<HMENU>(0x1234));
    ThreadState() = kInitialThreadState;
}

TEST_F(ThreadStateBlocks, EachThreadWritesItsOwnBlock)
{
    ThreadState().IconCellWidth = 17;
    const ThreadStateFields* own = &ThreadState();
    const ThreadStateFields* others[2] = {};
    for (const ThreadStateFields*& other : others)
        OnNewThread([&other] {
            ThreadState().IconCellWidth = 40;
            other = &ReadThreadState();
            EXPECT_EQ(other, &ThreadState());
            EXPECT_EQ(ReadThreadState().IconCellWidth, 40);
        });
    EXPECT_NE(others[0], own);
    EXPECT_EQ(ReadThreadState().IconCellWidth, 17);
    ThreadState() = kInitialThreadState;
}

// Without memory for a block of their own, threads share one, as the threads of a
// library with a single block would: what one writes, the next reads.
TEST_F(ThreadStateBlocks, ThreadsWithoutABlockOfTheirOwnShareOne)
{
    ThreadStateAllocatorOverride = FailingAllocator;
    const ThreadStateFields* shared = nullptr;
    OnNewThread([&shared] {
        ThreadState().HoverButton = reinterpret_cast<HWND>(0x5678);
        shared = &ThreadState();
        EXPECT_EQ(&ReadThreadState(), shared);
    });
    OnNewThread([shared] {
        EXPECT_EQ(ReadThreadState().HoverButton, nullptr) << "nothing written here yet";
        EXPECT_EQ(&ThreadState(), shared);
        EXPECT_EQ(ReadThreadState().HoverButton, reinterpret_cast<HWND>(0x5678));
        ThreadState().HoverButton = nullptr;
    });
    // A thread that already has its block keeps it.
    EXPECT_NE(&ThreadState(), shared);
}
