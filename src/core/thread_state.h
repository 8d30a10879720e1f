// The state of one GUI thread's menu loop and hovered button. An application may run
// windows on several GUI threads (a search or progress window of its own), and two menu
// loops may then be open at once: each thread keeps its own block.
//
// The blocks live in a TLS slot (TlsAlloc), allocated at a thread's first write and freed
// when the thread ends; compiler thread-locals are not used, as they do not work in a DLL
// loaded with LoadLibrary on Windows XP. When no slot or block can be had, the threads
// share one block, as a single GUI thread would.
#pragma once
#include <windows.h>

#include <cstdint>

#include "loop_cache.h"
#include "property_cache.h"

namespace varnelle {

struct ThreadStateFields {
    HMENU CurrentMenu;          // the first popup opened in the loop, or the menu an item is looked up in
    uint8_t CurrentMenuIsPopup; // 0 only while an item of the window's menu bar is measured or drawn
    uint8_t MenuLoopIdle;       // 0 between WM_ENTERMENULOOP and WM_EXITMENULOOP
    int32_t IconCellWidth;      // the icon cell the last measurement or paint left
    int32_t IconCellHeight;
    HMENU ShiftedWindowMenu;    // the window menu whose identifiers are shifted, until turned back
    HWND LoopWindow;            // the window whose menu loop runs
    HWND HoverButton;           // the button of this thread under the mouse
    LoopCacheFields LoopCache;  // what the items of the open loop share
    PropertyCacheFields PropertyCache; // the library's window properties as last read
};

inline constexpr ThreadStateFields kInitialThreadState = {
    nullptr, // CurrentMenu
    0,       // CurrentMenuIsPopup
    1,       // MenuLoopIdle
    0,       // IconCellWidth
    0,       // IconCellHeight
    nullptr, // ShiftedWindowMenu
    nullptr, // LoopWindow
    nullptr, // HoverButton
    {},      // LoopCache
    {},      // PropertyCache
};

// The calling thread's block for reading; never allocates: a thread that has written
// nothing reads the initial values.
[[nodiscard]] const ThreadStateFields& ReadThreadState();
// The calling thread's block for writing, allocated at the first call.
[[nodiscard]] ThreadStateFields& ThreadState();
// The calling thread's own block for writing, allocated at the first call; null when the
// thread shares the fallback block, which no cache may write: other threads write it too.
[[nodiscard]] ThreadStateFields* OwnThreadState();

// From the module entry: a thread ends (its block is freed), or FreeLibrary unloads the
// module (the calling thread's block and the TLS slot are given back).
void ReleaseThreadState();
void ReleaseThreadStateSlot();

// Allocates the blocks; null means GlobalAlloc. Tests point it at a failing allocator to
// see what an exhausted heap does.
using ThreadStateAllocator = HGLOBAL(WINAPI*)(UINT flags, SIZE_T bytes);
extern constinit ThreadStateAllocator ThreadStateAllocatorOverride;

} // namespace varnelle
