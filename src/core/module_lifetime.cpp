#include "module_lifetime.h"

// The module's own base address, provided by the linker.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace varnelle {
namespace {

constexpr int kMaxHookThreads = 32;
constexpr DWORD kReleasePollMs = 20;

constinit volatile LONG installedHooks = 0;
constinit volatile LONG activeWindowProcs = 0;
// References taken by the first hook and not yet handed to a helper thread.
constinit volatile LONG heldReferences = 0;

// Threads that own hooked windows, so run the library's window procedures. Never shrinks:
// an identifier of a thread that has ended is simply not found any more.
constinit volatile LONG threadListLock = 0;
constinit DWORD hookThreads[kMaxHookThreads] = {};
constinit int hookThreadCount = 0;
constinit bool tooManyThreads = false;

HMODULE OwnModule()
{
    return reinterpret_cast<HMODULE>(&__ImageBase);
}

class ThreadListLock {
public:
    ThreadListLock()
    {
        while (InterlockedExchange(&threadListLock, 1) != 0)
            Sleep(0);
    }
    ~ThreadListLock() { InterlockedExchange(&threadListLock, 0); }
    ThreadListLock(const ThreadListLock&) = delete;
    ThreadListLock& operator=(const ThreadListLock&) = delete;
};

void RememberThread(DWORD thread)
{
    ThreadListLock lock;
    for (int i = 0; i < hookThreadCount; ++i) {
        if (hookThreads[i] == thread)
            return;
    }
    if (hookThreadCount == kMaxHookThreads)
        tooManyThreads = true;
    else
        hookThreads[hookThreadCount++] = thread;
}

// A reference of our own, as LoadLibrary on the module's file gives it. Linked into the
// program itself the code cannot be unloaded, and needs none.
bool TakeModuleReference()
{
    if (OwnModule() == GetModuleHandleW(nullptr))
        return false;
    WCHAR wide[MAX_PATH];
    DWORD length = GetModuleFileNameW(OwnModule(), wide, MAX_PATH);
    if (length > 0 && length < MAX_PATH && LoadLibraryW(wide) == OwnModule())
        return true;
    // Systems without the wide functions.
    char narrow[MAX_PATH];
    length = GetModuleFileNameA(OwnModule(), narrow, MAX_PATH);
    return length > 0 && length < MAX_PATH && LoadLibraryA(narrow) == OwnModule();
}

bool InsideModule(ULONG_PTR address)
{
    auto base = reinterpret_cast<ULONG_PTR>(OwnModule());
    auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + __ImageBase.e_lfanew);
    return address >= base && address - base < headers->OptionalHeader.SizeOfImage;
}

ULONG_PTR InstructionPointer(const CONTEXT& context)
{
#if defined(_M_X64) || defined(__x86_64__)
    return context.Rip;
#elif defined(_M_IX86) || defined(__i386__)
    return context.Eip;
#else
#error "instruction pointer of this processor"
#endif
}

using OpenThreadFunction = HANDLE(WINAPI*)(DWORD, BOOL, DWORD);

// True when no library window procedure runs and every thread owning a hooked window,
// stopped for a moment, is outside the module: none can be in the last instructions of a
// library procedure, and none can enter one, since no hook is left to call.
bool NoThreadInsideModule()
{
    if (activeWindowProcs != 0)
        return false;
    auto openThread = reinterpret_cast<OpenThreadFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "OpenThread")));
    ThreadListLock lock;
    if (!openThread || tooManyThreads)
        return false;
    HANDLE stopped[kMaxHookThreads];
    int count = 0;
    bool outside = true;
    for (int i = 0; i < hookThreadCount && outside; ++i) {
        if (hookThreads[i] == GetCurrentThreadId())
            continue;
        HANDLE thread = openThread(THREAD_SUSPEND_RESUME | THREAD_GET_CONTEXT, FALSE, hookThreads[i]);
        if (!thread)
            continue; // ended
        if (SuspendThread(thread) == static_cast<DWORD>(-1)) {
            outside = false;
            CloseHandle(thread);
            break;
        }
        stopped[count++] = thread;
        alignas(16) CONTEXT context = {};
        context.ContextFlags = CONTEXT_CONTROL;
        if (!GetThreadContext(thread, &context) || InsideModule(InstructionPointer(context)))
            outside = false;
    }
    outside = outside && activeWindowProcs == 0;
    for (int i = 0; i < count; ++i) {
        ResumeThread(stopped[i]);
        CloseHandle(stopped[i]);
    }
    return outside;
}

DWORD WINAPI GiveBackWhenIdle(void*)
{
    while (!NoThreadInsideModule())
        Sleep(kReleasePollMs);
    FreeLibraryAndExitThread(OwnModule(), 0);
}

} // namespace

void HoldModuleForHook(HWND window)
{
    RememberThread(GetWindowThreadProcessId(window, nullptr));
    if (InterlockedIncrement(&installedHooks) == 1 && TakeModuleReference())
        InterlockedIncrement(&heldReferences);
}

void ReleaseModuleForHook()
{
    if (InterlockedDecrement(&installedHooks) != 0)
        return;
    if (InterlockedDecrement(&heldReferences) < 0) {
        InterlockedIncrement(&heldReferences); // none was taken
        return;
    }
    // Without a helper thread the reference stays: the module is then kept for good.
    DWORD id = 0;
    if (HANDLE helper = CreateThread(nullptr, 0, GiveBackWhenIdle, nullptr, 0, &id))
        CloseHandle(helper);
}

ActiveWindowProc::ActiveWindowProc()
{
    InterlockedIncrement(&activeWindowProcs);
}

ActiveWindowProc::~ActiveWindowProc()
{
    InterlockedDecrement(&activeWindowProcs);
}

LONG InstalledHookCount()
{
    return installedHooks;
}

} // namespace varnelle
