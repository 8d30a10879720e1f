// CreateFillBmp from several threads at once: the calls may take their random numbers
// in any order, but the generator's state only ever moves by whole calls along its
// sequence, and every call returns its bitmaps.
#include "core/exports.h"
#include "core/module_state.h"
#include "fillbmp/fill_pattern.h"
#include "fillbmp/fill_random.h"

#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <thread>
#include <vector>

using namespace varnelle;

TEST(FillBitmapThreads, TheRandomStateStaysOnTheSequence)
{
    const int kKind = 3;
    const RECT rect = {0, 0, 24, 16};
    const uint32_t perCall = FillRandomCount(kKind, 24, 16);
    ASSERT_GT(perCall, 0u);

    // One call moves the state by exactly its own numbers.
    const uint32_t start = 0x1234567u;
    ModuleState.RandomSeed = start;
    unsigned __int64 pair = CreateFillBmp(kKind, &rect, 30, 0, 0, 0);
    ASSERT_NE(pair, 0u);
    DeleteObject(VarnelleFillBmpPlain(pair));
    EXPECT_EQ(ModuleState.RandomSeed, LcgJumpBy(perCall).apply(start));

    const int kThreads = 4;
    const int kCallsPerThread = 60;
    ModuleState.RandomSeed = start;
    std::atomic<int> failedCalls{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < kCallsPerThread; ++i) {
                unsigned __int64 bitmaps = CreateFillBmp(kKind, &rect, 30, 20, 0, 0);
                if (!VarnelleFillBmpPlain(bitmaps) || !VarnelleFillBmpHighlighted(bitmaps))
                    ++failedCalls;
                DeleteObject(VarnelleFillBmpPlain(bitmaps));
                DeleteObject(VarnelleFillBmpHighlighted(bitmaps));
            }
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(failedCalls, 0);

    // Interleaved calls may repeat numbers, never leave the sequence between calls.
    std::set<uint32_t> wholeCalls;
    for (uint32_t calls = 1; calls <= kThreads * kCallsPerThread; ++calls)
        wholeCalls.insert(LcgJumpBy(calls * perCall).apply(start));
    EXPECT_EQ(wholeCalls.count(ModuleState.RandomSeed), 1u) << std::hex << ModuleState.RandomSeed;
}
