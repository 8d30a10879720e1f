// varnelle-preview.exe: a development tool that shows an existing program with its menus
// (and push buttons) skinned by Varnelle.dll, without changing the program. Under Wine:
// scripts/demo --preview PROGRAM.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "preview_launch.h"

namespace {

constexpr wchar_t kUsage[] =
    L"usage: varnelle-preview PROGRAM.exe [--style N] [--buttons] [--report FILE] [-- PROGRAM ARGUMENTS]\n"
    L"\n"
    L"A development tool: it starts PROGRAM, loads a small helper DLL into it, and skins the\n"
    L"menu bar of its main window with Varnelle.dll in style N (0 to 3, default 2), and with\n"
    L"--buttons also its push buttons, so that you can see your own application skinned\n"
    L"without changing it. It is not meant to ship inside applications: an application uses\n"
    L"the library by calling RedrawMenu and RedrawButton itself.\n"
    L"\n"
    L"Varnelle.dll and varnelle-preview-helper.dll must sit beside this program, of the same\n"
    L"width as PROGRAM (use the win32 archive for 32-bit programs). The preview lasts until\n"
    L"PROGRAM ends; varnelle-preview then exits with PROGRAM's exit code.\n"
    L"\n"
    L"  --style N      the menu style: 0 leaves the items to the system, 1 to 3 are the library's\n"
    L"  --buttons      also skin the push buttons of the main window\n"
    L"  --report FILE  the helper writes the menus' labels and places on the screen to FILE\n"
    L"                 (after the skinning and whenever an open menu goes idle), for tests\n";

// A console shows UTF-16 as it is; a file or pipe gets UTF-8.
void Print(FILE* stream, const std::wstring& text)
{
    std::fflush(stream);
    const HANDLE handle = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (GetConsoleMode(handle, &mode)) {
        DWORD written = 0;
        WriteConsoleW(handle, text.c_str(), static_cast<DWORD>(text.size()), &written, nullptr);
        return;
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string bytes(size > 0 ? size : 0, '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), size, nullptr,
                            nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
    std::fflush(stream);
}

int Refuse(const std::wstring& reason, int code)
{
    Print(stderr, L"varnelle-preview: " + reason + L"\n");
    return code;
}

struct Options {
    std::wstring program;
    std::wstring arguments; // as typed after "--", quoted again
    int style = 2;
    bool buttons = false;
    std::wstring report;
    bool help = false;
    std::wstring error;
};

std::wstring Quoted(const std::wstring& argument)
{
    if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos)
        return argument;
    std::wstring quoted = L"\"";
    int backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    return quoted + L"\"";
}

Options ParseArguments(int count, wchar_t** arguments)
{
    Options options;
    for (int i = 1; i < count; ++i) {
        const std::wstring argument = arguments[i];
        if (argument == L"--") {
            for (++i; i < count; ++i)
                options.arguments += L" " + Quoted(arguments[i]);
            break;
        }
        if (argument == L"--help" || argument == L"-h" || argument == L"/?") {
            options.help = true;
        } else if (argument == L"--buttons") {
            options.buttons = true;
        } else if (argument == L"--style" || argument == L"--report") {
            if (i + 1 >= count) {
                options.error = argument + L" needs a value";
                break;
            }
            const std::wstring value = arguments[++i];
            if (argument == L"--report") {
                options.report = value;
                continue;
            }
            if (value.size() != 1 || value[0] < L'0' || value[0] > L'3') {
                options.error = L"the style is a number from 0 to 3, not " + value;
                break;
            }
            options.style = value[0] - L'0';
        } else if (argument.size() > 1 && argument[0] == L'-') {
            options.error = L"unknown option " + argument;
            break;
        } else if (options.program.empty()) {
            options.program = argument;
        } else {
            options.error = L"one program at a time (its own arguments go after --)";
            break;
        }
    }
    if (options.error.empty() && !options.help && options.program.empty())
        options.error = L"no program given";
    return options;
}

std::wstring WindowTitle(HWND window)
{
    wchar_t title[256] = {};
    GetWindowTextW(window, title, 256);
    return title;
}

std::wstring FullPath(const std::wstring& path)
{
    wchar_t full[MAX_PATH] = {};
    const DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
    return length && length < MAX_PATH ? std::wstring(full, length) : path;
}

} // namespace

int wmain(int count, wchar_t** arguments)
{
    using namespace preview;
    const Options options = ParseArguments(count, arguments);
    if (options.help) {
        Print(stdout, kUsage);
        return 0;
    }
    if (!options.error.empty()) {
        Print(stderr, L"varnelle-preview: " + options.error + L"\n\n" + kUsage);
        return 2;
    }
    const std::wstring folder = OwnFolder();
    const std::wstring helper = folder + kHelperFileName;
    const std::wstring library = folder + kLibraryFileName;
    for (const std::wstring& file : {helper, library}) {
        if (GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES)
            return Refuse(L"missing " + file + L" (it belongs beside varnelle-preview.exe)", 2);
    }
    if (helper.size() >= MAX_PATH || library.size() >= MAX_PATH)
        return Refuse(L"the tool's folder path is too long: " + folder, 2);
    const std::wstring report = options.report.empty() ? L"" : FullPath(options.report);
    if (report.size() >= MAX_PATH)
        return Refuse(L"the report's path is too long: " + report, 2);

    Failure failure;
    const std::wstring path = FindProgram(options.program, failure);
    if (failure.failed)
        return Refuse(failure.reason, 2);
    Program program;
    if (!program.Start(path, Quoted(path) + options.arguments, failure))
        return Refuse(failure.reason, 2);
    const HWND window = program.WaitForMainWindow(failure);
    if (!window)
        return Refuse(failure.reason, 3);
    const std::wstring title = L"\"" + WindowTitle(window) + L"\"";
    if (!GetMenu(window) && !options.buttons)
        return Refuse(L"the window " + title + L" has no menu bar, so there is nothing to skin (try --buttons "
                      L"for its push buttons); the program is left running",
                      3);

    Request request = {};
    request.size = sizeof(Request);
    request.style = options.style;
    request.buttons = options.buttons;
    request.window = window;
    lstrcpynW(request.library, library.c_str(), MAX_PATH);
    lstrcpynW(request.report, report.c_str(), MAX_PATH);
    if (!program.Inject(helper, request, failure))
        return Refuse(failure.reason + L"; the program is left running unskinned", 4);

    std::wstring done = L"varnelle-preview: " + path + L", window " + title + L": ";
    if (request.hadMenu && request.menuResult)
        done += L"menu bar of " + std::to_wstring(request.barItems) + L" items skinned in style " +
                std::to_wstring(request.style);
    else if (request.hadMenu)
        done += L"RedrawMenu refused the menu bar";
    else
        done += L"no menu bar";
    if (options.buttons) {
        done += L", " + std::to_wstring(request.buttonsSkinned) +
                (request.buttonsSkinned == 1 ? L" push button" : L" push buttons") + L" skinned";
        if (request.buttonsRefused)
            done += L" (" + std::to_wstring(request.buttonsRefused) + L" refused)";
    }
    if (!report.empty())
        done += L"; report in " + report;
    Print(stdout, done + L".\nvarnelle-preview: the preview lasts until the program ends.\n");
    const DWORD exitCode = program.WaitForExit();
    Print(stdout, L"varnelle-preview: the program ended with exit code " + std::to_wstring(exitCode) + L".\n");
    return static_cast<int>(exitCode);
}
