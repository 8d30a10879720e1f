// The per-thread cache of the library's window properties: what a thread read stays until
// any thread changes a library property, a thread without a block of its own keeps
// nothing, and hooks changed on another thread are followed at the next message.
#include "common/test_support.h"
#include "core/property_cache.h"
#include "core/subclass.h"
#include "core/thread_state.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

using namespace testing_support;
using namespace varnelle;

namespace {

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

const char kKey[] = "key";
const char kOtherKey[] = "other";
HWND const kWindow = reinterpret_cast<HWND>(0x1230);

std::vector<std::string> trace;
const UINT kProbe = WM_APP + 9;

LRESULT CALLBACK ApplicationProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kProbe) {
        trace.push_back("application");
        return 42;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK LowerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kProbe)
        trace.push_back("lower");
    return PassOn(LowerProc, hwnd, message, wParam, lParam);
}

LRESULT CALLBACK UpperProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kProbe)
        trace.push_back("upper");
    return PassOn(UpperProc, hwnd, message, wParam, lParam);
}

std::vector<std::string> Probe(HWND hwnd)
{
    trace.clear();
    EXPECT_EQ(SendMessageA(hwnd, kProbe, 0, 0), 42);
    return trace;
}

using Trace = std::vector<std::string>;

} // namespace

TEST(PropertyCache, WhatWasReadStaysUntilAPropertyChanges)
{
    const LONG generation = PropertyGeneration();
    CacheProperty(kWindow, kKey, generation, 77, 1);
    ULONG_PTR value = 0;
    uint8_t flag = 0;
    ASSERT_TRUE(FindCachedProperty(kWindow, kKey, generation, value, flag));
    EXPECT_EQ(value, 77u);
    EXPECT_EQ(flag, 1);
    EXPECT_FALSE(FindCachedProperty(kWindow, kOtherKey, generation, value, flag)) << "another key";
    EXPECT_FALSE(FindCachedProperty(reinterpret_cast<HWND>(0x4560), kKey, generation, value, flag))
        << "another window";
    PropertiesChanged();
    EXPECT_NE(PropertyGeneration(), generation);
    EXPECT_FALSE(FindCachedProperty(kWindow, kKey, PropertyGeneration(), value, flag));
}

TEST(PropertyCache, AThreadSharingTheFallbackBlockKeepsNothing)
{
    ThreadStateAllocatorOverride = FailingAllocator;
    OnNewThread([] {
        const LONG generation = PropertyGeneration();
        CacheProperty(kWindow, kKey, generation, 77, 0);
        ULONG_PTR value = 0;
        uint8_t flag = 0;
        EXPECT_EQ(OwnThreadState(), nullptr);
        EXPECT_FALSE(FindCachedProperty(kWindow, kKey, generation, value, flag));
    });
    ThreadStateAllocatorOverride = nullptr;
}

// The window's thread has read its hooks; another thread stacks a hook on the window and
// takes the lower one out from under it: each next message takes the chain as it is.
TEST(PropertyCache, HooksChangedOnAnotherThreadAreFollowed)
{
    TestWindow window(ApplicationProc);
    HWND hwnd = window.hwnd();
    SubclassWindow(hwnd, LowerProc);
    EXPECT_EQ(Probe(hwnd), (Trace{"lower", "application"}));
    OnNewThread([hwnd] { SubclassWindow(hwnd, UpperProc); });
    EXPECT_EQ(Probe(hwnd), (Trace{"upper", "lower", "application"}));
    OnNewThread([hwnd] { EXPECT_TRUE(RemoveWindowHook(hwnd, LowerProc)); });
    EXPECT_EQ(Probe(hwnd), (Trace{"upper", "application"}));
    OnNewThread([hwnd] { UnsubclassWindow(hwnd, UpperProc); });
    EXPECT_EQ(Probe(hwnd), (Trace{"application"}));
    EXPECT_TRUE(LibraryPropertyNames(hwnd).empty());
}

// A read before the hook exists finds no previous procedure; the hook's installation is a
// change like any other, and the next read finds the one it replaced.
TEST(PropertyCache, AHookInstalledAfterAReadIsSeen)
{
    TestWindow window(ApplicationProc);
    HWND hwnd = window.hwnd();
    EXPECT_EQ(PreviousWindowProc(hwnd, LowerProc).procedure, nullptr);
    SubclassWindow(hwnd, LowerProc);
    EXPECT_EQ(PreviousWindowProc(hwnd, LowerProc).procedure, ApplicationProc);
    EXPECT_EQ(Probe(hwnd), (Trace{"lower", "application"}));
    UnsubclassWindow(hwnd, LowerProc);
    EXPECT_EQ(PreviousWindowProc(hwnd, LowerProc).procedure, nullptr);
}
