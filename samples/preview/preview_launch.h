// The steps of varnelle-preview.exe: find and check the program, start it, wait for its
// main window, put the helper DLL into it. Each step says what went wrong in words.
#pragma once
#include <windows.h>

#include <string>

#include "preview_request.h"

namespace preview {

struct Failure {
    bool failed = false;
    std::wstring reason;
};

// The program's full path (searched like a command: the current folder, then PATH), or a
// failure: not found, not a Windows program, a console program.
std::wstring FindProgram(const std::wstring& program, Failure& failure);

// The folder of this executable, with a trailing backslash.
std::wstring OwnFolder();

class Program {
public:
    Program() = default;
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Starts the program with the given command line (which names the program first).
    // Refuses, and leaves nothing running, when the program is of the other width.
    bool Start(const std::wstring& path, const std::wstring& commandLine, Failure& failure);
    // Waits until the program shows a top-level window, preferring one with a menu bar.
    HWND WaitForMainWindow(Failure& failure);
    // Loads the helper into the program and runs its PreviewStart with the request; the
    // request comes back with the helper's results.
    bool Inject(const std::wstring& helper, Request& request, Failure& failure);
    // Waits for the program to end and gives its exit code.
    DWORD WaitForExit();
    bool Ended() const;
    DWORD ExitCode() const;

private:
    HANDLE process_ = nullptr;
    HANDLE thread_ = nullptr;
    DWORD id_ = 0;
};

} // namespace preview
