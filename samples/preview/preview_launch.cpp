#include "preview_launch.h"

#include <tlhelp32.h>

#include <cstddef>
#include <vector>

namespace preview {
namespace {

constexpr DWORD kWindowTimeoutMs = 20000;
// After the first visible window, how long a menu bar may take to appear on it.
constexpr DWORD kMenuGraceMs = 2000;
constexpr DWORD kPollMs = 100;
constexpr DWORD kThreadTimeoutMs = 30000;

#ifdef _WIN64
constexpr int kOwnWidth = 64;
constexpr WORD kOwnMachine = IMAGE_FILE_MACHINE_AMD64;
#else
constexpr int kOwnWidth = 32;
constexpr WORD kOwnMachine = IMAGE_FILE_MACHINE_I386;
#endif

std::wstring SystemMessage(DWORD error)
{
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = length && text ? std::wstring(text, length) : L"error " + std::to_wstring(error);
    LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L'.'))
        message.pop_back();
    return message;
}

bool Fail(Failure& failure, const std::wstring& reason)
{
    failure.failed = true;
    failure.reason = reason;
    return false;
}

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle()
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

bool ReadAt(HANDLE file, LONG offset, void* data, DWORD size)
{
    DWORD read = 0;
    return SetFilePointer(file, offset, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER &&
           ReadFile(file, data, size, &read, nullptr) && read == size;
}

struct Executable {
    WORD subsystem = 0; // 0: not a PE executable
    WORD machine = 0;
};

Executable ReadExecutable(const std::wstring& path)
{
    Executable executable;
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE)
        return executable;
    IMAGE_DOS_HEADER dos = {};
    if (!ReadAt(file.get(), 0, &dos, sizeof(dos)) || dos.e_magic != IMAGE_DOS_SIGNATURE || dos.e_lfanew <= 0)
        return executable;
    DWORD signature = 0;
    IMAGE_FILE_HEADER header = {};
    WORD magic = 0;
    const LONG at = dos.e_lfanew;
    if (!ReadAt(file.get(), at, &signature, sizeof(signature)) || signature != IMAGE_NT_SIGNATURE ||
        !ReadAt(file.get(), at + 4, &header, sizeof(header)) || (header.Characteristics & IMAGE_FILE_DLL) ||
        !ReadAt(file.get(), at + 4 + sizeof(header), &magic, sizeof(magic)))
        return executable;
    // The subsystem sits at the same offset in both optional header formats.
    WORD subsystem = 0;
    const LONG optional = at + 4 + sizeof(header);
    if ((magic != IMAGE_NT_OPTIONAL_HDR32_MAGIC && magic != IMAGE_NT_OPTIONAL_HDR64_MAGIC) ||
        !ReadAt(file.get(), optional + offsetof(IMAGE_OPTIONAL_HEADER32, Subsystem), &subsystem, sizeof(subsystem)))
        return executable;
    executable.subsystem = subsystem;
    executable.machine = header.Machine;
    return executable;
}

std::wstring OtherWidth(const std::wstring& path)
{
    return path + L" is not a " + std::to_wstring(kOwnWidth) +
           L"-bit program; preview it with the varnelle-preview.exe of its width (the win32 or win64 archive)";
}

bool SameWidth(HANDLE process)
{
    BOOL otherWow64 = FALSE, ownWow64 = FALSE;
    if (!IsWow64Process(process, &otherWow64) || !IsWow64Process(GetCurrentProcess(), &ownWow64))
        return true; // a system without WOW64 runs one width only
    return otherWow64 == ownWow64;
}

struct WindowSearch {
    DWORD process;
    HWND withMenu;
    HWND visible;
};

// A menu handle is only checked inside the program: Wine keeps menus per process.
BOOL CALLBACK ConsiderWindow(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->process || !IsWindowVisible(window) || GetWindow(window, GW_OWNER))
        return TRUE;
    if (!search->visible)
        search->visible = window;
    if (!search->withMenu && GetMenu(window))
        search->withMenu = window;
    return TRUE;
}

// Where the module of that path sits in the process.
BYTE* ModuleBase(DWORD process, const std::wstring& path)
{
    // A process that is loading or unloading modules at that moment gives ERROR_BAD_LENGTH:
    // asked again, it answers.
    HANDLE snapshot = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 50 && snapshot == INVALID_HANDLE_VALUE; ++attempt) {
        snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, process);
        if (snapshot == INVALID_HANDLE_VALUE && GetLastError() != ERROR_BAD_LENGTH)
            return nullptr;
        if (snapshot == INVALID_HANDLE_VALUE)
            Sleep(20);
    }
    if (snapshot == INVALID_HANDLE_VALUE)
        return nullptr;
    BYTE* base = nullptr;
    MODULEENTRY32W module = {};
    module.dwSize = sizeof(module);
    for (BOOL more = Module32FirstW(snapshot, &module); more && !base; more = Module32NextW(snapshot, &module)) {
        if (lstrcmpiW(module.szExePath, path.c_str()) == 0)
            base = module.modBaseAddr;
    }
    CloseHandle(snapshot);
    return base;
}

// PreviewStart's distance from the helper's base, read from a copy mapped here without
// running anything of it.
LONG_PTR StartOffset(const std::wstring& helper)
{
    HMODULE local = LoadLibraryExW(helper.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    if (!local)
        return 0;
    FARPROC start = GetProcAddress(local, kStartExport);
    const LONG_PTR offset = start ? reinterpret_cast<BYTE*>(start) - reinterpret_cast<BYTE*>(local) : 0;
    FreeLibrary(local);
    return offset;
}

// Memory in the other process, freed when this goes out of scope.
class RemoteBlock {
public:
    RemoteBlock(HANDLE process, SIZE_T size)
        : process_(process),
          address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE))
    {
    }
    ~RemoteBlock()
    {
        if (address_)
            VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;
    void* get() const { return address_; }

private:
    HANDLE process_;
    void* address_;
};

// Runs start(parameter) on a new thread of the process and gives the thread's exit code.
bool RunRemote(HANDLE process, LPTHREAD_START_ROUTINE start, void* parameter, DWORD& exitCode, Failure& failure,
               const wchar_t* what)
{
    HANDLE thread = CreateRemoteThread(process, nullptr, 0, start, parameter, 0, nullptr);
    if (!thread)
        return Fail(failure, std::wstring(L"could not start a thread in the program to ") + what + L": " +
                                 SystemMessage(GetLastError()));
    const DWORD waited = WaitForSingleObject(thread, kThreadTimeoutMs);
    const bool ended = waited == WAIT_OBJECT_0 && GetExitCodeThread(thread, &exitCode);
    CloseHandle(thread);
    if (!ended)
        return Fail(failure, std::wstring(L"the program's thread did not finish to ") + what);
    return true;
}

const wchar_t* OutcomeText(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Skinned: return L"skinned";
    case Outcome::BadRequest: return L"the helper does not belong to this varnelle-preview (rebuild both)";
    case Outcome::AlreadyPreviewed: return L"the program is already being previewed";
    case Outcome::NotItsWindow: return L"the main window closed before it could be skinned";
    case Outcome::NoLibrary: return L"the program could not load Varnelle.dll from the tool's folder";
    case Outcome::NoHook: return L"the program's GUI thread could not be hooked";
    case Outcome::NoAnswer: return L"the program's GUI thread did not answer within 10 s";
    }
    return L"the helper failed";
}

} // namespace

std::wstring OwnFolder()
{
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return L"";
        if (length < path.size()) {
            std::wstring full(path.data(), length);
            return full.substr(0, full.find_last_of(L"\\/") + 1);
        }
        path.resize(path.size() * 2);
    }
}

std::wstring FindProgram(const std::wstring& program, Failure& failure)
{
    std::vector<wchar_t> path(MAX_PATH);
    DWORD length = SearchPathW(nullptr, program.c_str(), L".exe", static_cast<DWORD>(path.size()), path.data(), nullptr);
    if (length >= path.size()) {
        path.resize(length + 1);
        length = SearchPathW(nullptr, program.c_str(), L".exe", static_cast<DWORD>(path.size()), path.data(), nullptr);
    }
    if (length == 0 || length >= path.size()) {
        Fail(failure, L"cannot find the program " + program);
        return L"";
    }
    std::wstring found(path.data(), length);
    if (GetFileAttributesW(found.c_str()) & FILE_ATTRIBUTE_DIRECTORY) {
        Fail(failure, found + L" is a folder, not a program");
        return L"";
    }
    switch (ReadExecutable(found).subsystem) {
    case IMAGE_SUBSYSTEM_WINDOWS_GUI:
        return found;
    case IMAGE_SUBSYSTEM_WINDOWS_CUI:
        Fail(failure, found + L" is a console program: it has no window with a menu to skin");
        return L"";
    case 0:
        Fail(failure, found + L" is not a Windows program");
        return L"";
    default:
        Fail(failure, found + L" is not a Windows GUI program");
        return L"";
    }
}

Program::~Program()
{
    if (thread_)
        CloseHandle(thread_);
    if (process_)
        CloseHandle(process_);
}

bool Program::Start(const std::wstring& path, const std::wstring& commandLine, Failure& failure)
{
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started = {};
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');
    // Suspended until its width is known: a program of the other width never runs.
    if (!CreateProcessW(path.c_str(), line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                        &startup, &started)) {
        const DWORD error = GetLastError();
        // A system of one width only (Wine without its other half) cannot start the other.
        if (ReadExecutable(path).machine != kOwnMachine)
            return Fail(failure, OtherWidth(path));
        return Fail(failure, L"cannot start " + path + L": " + SystemMessage(error));
    }
    process_ = started.hProcess;
    thread_ = started.hThread;
    id_ = started.dwProcessId;
    if (!SameWidth(process_)) {
        TerminateProcess(process_, 1);
        return Fail(failure, OtherWidth(path));
    }
    ResumeThread(thread_);
    return true;
}

HWND Program::WaitForMainWindow(Failure& failure)
{
    WaitForInputIdle(process_, kWindowTimeoutMs);
    const DWORD start = GetTickCount();
    DWORD firstSeen = 0;
    for (;;) {
        WindowSearch search = {id_, nullptr, nullptr};
        EnumWindows(ConsiderWindow, reinterpret_cast<LPARAM>(&search));
        if (search.withMenu)
            return search.withMenu;
        const DWORD now = GetTickCount();
        if (search.visible && !firstSeen)
            firstSeen = now;
        if (search.visible && now - firstSeen >= kMenuGraceMs)
            return search.visible;
        if (Ended()) {
            Fail(failure, L"the program ended (exit code " + std::to_wstring(ExitCode()) +
                              L") before it showed a window");
            return nullptr;
        }
        if (now - start >= kWindowTimeoutMs) {
            Fail(failure, L"the program showed no window within " + std::to_wstring(kWindowTimeoutMs / 1000) +
                              L" s; it is left running");
            return nullptr;
        }
        Sleep(kPollMs);
    }
}

bool Program::Inject(const std::wstring& helper, Request& request, Failure& failure)
{
    const LONG_PTR offset = StartOffset(helper);
    if (!offset)
        return Fail(failure, L"cannot read the helper " + helper);
    const SIZE_T pathBytes = (helper.size() + 1) * sizeof(wchar_t);
    RemoteBlock path(process_, pathBytes);
    RemoteBlock block(process_, sizeof(Request));
    if (!path.get() || !block.get() || !WriteProcessMemory(process_, path.get(), helper.c_str(), pathBytes, nullptr) ||
        !WriteProcessMemory(process_, block.get(), &request, sizeof(Request), nullptr))
        return Fail(failure, L"cannot write into the program's memory: " + SystemMessage(GetLastError()));

    // KERNEL32 lies at the same address in every process of one width.
    auto* loadLibrary = reinterpret_cast<LPTHREAD_START_ROUTINE>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "LoadLibraryW")));
    DWORD loaded = 0;
    if (!RunRemote(process_, loadLibrary, path.get(), loaded, failure, L"load the helper"))
        return false;
    // The thread's exit code is only the low half of a 64-bit module handle, which may be 0:
    // the helper's base in the program's module list is what tells.
    BYTE* base = ModuleBase(id_, helper);
    if (!base)
        return Fail(failure, L"the program could not load the helper " + helper +
                                 (loaded ? L" (it is not in the program's module list)" : L""));

    DWORD outcome = 0;
    auto* start = reinterpret_cast<LPTHREAD_START_ROUTINE>(reinterpret_cast<void*>(base + offset));
    if (!RunRemote(process_, start, block.get(), outcome, failure, L"skin its window"))
        return false;
    if (!ReadProcessMemory(process_, block.get(), &request, sizeof(Request), nullptr))
        return Fail(failure, L"cannot read the helper's results: " + SystemMessage(GetLastError()));
    if (static_cast<Outcome>(outcome) != Outcome::Skinned)
        return Fail(failure, OutcomeText(static_cast<Outcome>(outcome)));
    return true;
}

bool Program::Ended() const
{
    return WaitForSingleObject(process_, 0) == WAIT_OBJECT_0;
}

DWORD Program::ExitCode() const
{
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return code;
}

DWORD Program::WaitForExit()
{
    WaitForSingleObject(process_, INFINITE);
    return ExitCode();
}

} // namespace preview
