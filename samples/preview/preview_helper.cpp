// varnelle-preview-helper.dll: loaded into a running program by varnelle-preview.exe.
// Its entry point does nothing; the launcher starts PreviewStart on a thread of its own,
// which loads Varnelle.dll and hooks the GUI thread, and the hook skins the main window's
// menu (and push buttons) on that thread, where the library expects to run. Every handle
// comes from a program we did not write, so each is checked before use.
#include <windows.h>

#include "varnelle.h"
#include "preview_button.h"
#include "preview_report.h"
#include "preview_request.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace preview {
namespace {

using RedrawMenuFunction = int(WINAPI*)(HWND, HMENU, int);
using RedrawButtonFunction = BOOL(WINAPI*)(HWND, const CTRL_STRUCT*);

// One preview per process: the launcher waits for PreviewStart before it ends, and a
// second preview of the same program finds these filled in and refuses.
Request g_request;
HHOOK g_hook;
UINT g_wakeMessage;
LONG g_started;
bool g_skinned;
RedrawMenuFunction g_redrawMenu;
RedrawButtonFunction g_redrawButton;

BOOL CALLBACK SkinButton(HWND child, LPARAM)
{
    if (!IsPushButton(ButtonTypeOf(child)))
        return TRUE;
    // Visible without any resource of the program: edges, flat until hovered, a hover colour.
    CTRL_STRUCT record = {};
    record.dwEdge = 1;
    record.dwFlat = 1;
    record.crTextHover = RGB(0, 0, 160);
    if (g_redrawButton(child, &record))
        ++g_request.buttonsSkinned;
    else
        ++g_request.buttonsRefused;
    return TRUE;
}

void Skin()
{
    const HWND window = g_request.window;
    const HMENU menu = GetMenu(window);
    if (menu && IsMenu(menu)) {
        g_request.hadMenu = TRUE;
        g_request.barItems = GetMenuItemCount(menu);
        g_request.menuResult = g_redrawMenu(window, menu, g_request.style);
    }
    if (g_request.buttons)
        EnumChildWindows(window, SkinButton, 0);
}

bool Reporting()
{
    return g_request.report[0] != L'\0';
}

LRESULT CALLBACK SentMessageHook(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent) {
        if (!g_skinned && sent->message == g_wakeMessage && sent->hwnd == g_request.window) {
            g_skinned = true;
            Skin();
            if (Reporting()) {
                StartReport(g_request);
            } else {
                UnhookWindowsHookEx(g_hook);
                g_hook = nullptr;
            }
        } else if (g_skinned && Reporting()) {
            ObserveMessage(*sent);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool LoadLibraryExports(const wchar_t* path)
{
    const HMODULE library = LoadLibraryW(path);
    if (!library)
        return false;
    g_redrawMenu = reinterpret_cast<RedrawMenuFunction>(reinterpret_cast<void*>(GetProcAddress(library, "RedrawMenu")));
    g_redrawButton =
        reinterpret_cast<RedrawButtonFunction>(reinterpret_cast<void*>(GetProcAddress(library, "RedrawButton")));
    return g_redrawMenu && g_redrawButton;
}

bool Terminated(const wchar_t* text, int capacity)
{
    for (int i = 0; i < capacity; ++i) {
        if (text[i] == L'\0')
            return true;
    }
    return false;
}

Outcome Start(Request* request)
{
    if (!request || request->size != sizeof(Request) ||
        !Terminated(request->library, MAX_PATH) || !Terminated(request->report, MAX_PATH) ||
        request->style < 0 || request->style > 3)
        return Outcome::BadRequest;
    if (InterlockedExchange(&g_started, 1) != 0)
        return Outcome::AlreadyPreviewed;
    g_request = *request;
    DWORD process = 0;
    const DWORD thread = IsWindow(g_request.window) ? GetWindowThreadProcessId(g_request.window, &process) : 0;
    if (!thread || process != GetCurrentProcessId())
        return Outcome::NotItsWindow;
    if (!LoadLibraryExports(g_request.library))
        return Outcome::NoLibrary;
    g_wakeMessage = RegisterWindowMessageW(kWakeMessageName);
    g_hook = SetWindowsHookExW(WH_CALLWNDPROC, SentMessageHook, reinterpret_cast<HINSTANCE>(&__ImageBase), thread);
    if (!g_wakeMessage || !g_hook)
        return Outcome::NoHook;
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutW(g_request.window, g_wakeMessage, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &ignored) ||
        !g_skinned) {
        // A hung program: take the hook away again, so that it never skins behind our back.
        if (g_hook && !g_skinned)
            UnhookWindowsHookEx(g_hook);
        return Outcome::NoAnswer;
    }
    return Outcome::Skinned;
}

} // namespace
} // namespace preview

// Runs on a thread the launcher created in this process; the block is the launcher's and
// gets the results back.
extern "C" DWORD WINAPI PreviewStart(void* parameter)
{
    auto* request = static_cast<preview::Request*>(parameter);
    const preview::Outcome outcome = preview::Start(request);
    if (outcome != preview::Outcome::BadRequest && outcome != preview::Outcome::AlreadyPreviewed) {
        request->hadMenu = preview::g_request.hadMenu;
        request->menuResult = preview::g_request.menuResult;
        request->barItems = preview::g_request.barItems;
        request->buttonsSkinned = preview::g_request.buttonsSkinned;
        request->buttonsRefused = preview::g_request.buttonsRefused;
    }
    return static_cast<DWORD>(outcome);
}
