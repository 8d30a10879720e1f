#include "thread_state.h"

namespace varnelle {

constinit ThreadStateAllocator ThreadStateAllocatorOverride = nullptr;

namespace {

// The TLS slot: 0 before the first write of any thread, the index + 1 once allocated,
// kNoSlot when TlsAlloc failed and every thread uses the shared block.
constexpr LONG kNoSlotYet = 0;
constexpr LONG kNoSlot = -1;
constinit volatile LONG slot = kNoSlotYet;

constinit ThreadStateFields sharedBlock = kInitialThreadState;
constinit const ThreadStateFields initialBlock = kInitialThreadState;

// TlsGetValue clears the thread's last error; the application's must survive a message
// that the library handles on the way.
void* SlotValue(DWORD index)
{
    const DWORD lastError = GetLastError();
    void* value = TlsGetValue(index);
    SetLastError(lastError);
    return value;
}

// The slot's index, allocated at the first call of any thread; TLS_OUT_OF_INDEXES when
// none can be had.
DWORD SlotIndex()
{
    const LONG known = slot;
    if (known != kNoSlotYet)
        return known > 0 ? static_cast<DWORD>(known - 1) : TLS_OUT_OF_INDEXES;
    const DWORD index = TlsAlloc();
    const LONG wanted = index == TLS_OUT_OF_INDEXES ? kNoSlot : static_cast<LONG>(index + 1);
    const LONG earlier = InterlockedCompareExchange(&slot, wanted, kNoSlotYet);
    if (earlier == kNoSlotYet)
        return index;
    // Another thread was first.
    if (index != TLS_OUT_OF_INDEXES)
        TlsFree(index);
    return earlier > 0 ? static_cast<DWORD>(earlier - 1) : TLS_OUT_OF_INDEXES;
}

} // namespace

const ThreadStateFields& ReadThreadState()
{
    const LONG known = slot;
    if (known == kNoSlot)
        return sharedBlock;
    if (known > 0) {
        if (void* block = SlotValue(static_cast<DWORD>(known - 1)))
            return *static_cast<const ThreadStateFields*>(block);
    }
    return initialBlock;
}

ThreadStateFields& ThreadState()
{
    const DWORD index = SlotIndex();
    if (index == TLS_OUT_OF_INDEXES)
        return sharedBlock;
    if (void* block = SlotValue(index))
        return *static_cast<ThreadStateFields*>(block);
    const ThreadStateAllocator allocate = ThreadStateAllocatorOverride ? ThreadStateAllocatorOverride : GlobalAlloc;
    auto* block = static_cast<ThreadStateFields*>(allocate(GMEM_FIXED, sizeof(ThreadStateFields)));
    // Without a block of its own the thread shares one, and its readers find it there.
    if (!block || !TlsSetValue(index, block)) {
        if (block)
            GlobalFree(block);
        TlsSetValue(index, &sharedBlock);
        return sharedBlock;
    }
    *block = kInitialThreadState;
    return *block;
}

ThreadStateFields* OwnThreadState()
{
    ThreadStateFields& state = ThreadState();
    return &state == &sharedBlock ? nullptr : &state;
}

void ReleaseThreadState()
{
    const LONG known = slot;
    if (known <= 0)
        return;
    const auto index = static_cast<DWORD>(known - 1);
    void* block = SlotValue(index);
    if (block && block != &sharedBlock) {
        EmptyLoopCache(static_cast<ThreadStateFields*>(block)->LoopCache);
        GlobalFree(block);
    }
    TlsSetValue(index, nullptr);
}

void ReleaseThreadStateSlot()
{
    ReleaseThreadState();
    const LONG known = InterlockedExchange(&slot, kNoSlotYet);
    if (known > 0)
        TlsFree(static_cast<DWORD>(known - 1));
}

} // namespace varnelle
