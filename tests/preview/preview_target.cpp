// A Windows program for the preview's refusals test, in the shapes a user may hand
// varnelle-preview that are not a window with a menu bar:
//   preview_target exit CODE     ends at once with that exit code, before any window
//   preview_target plain MS      a window without a menu bar, with one push button; it
//                                ends by itself (exit code 0) after MS milliseconds
#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {

constexpr UINT_PTR kLifetimeTimer = 1;

LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER:
        if (wParam == kLifetimeTimer)
            DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

int Plain(HINSTANCE instance, UINT lifetime)
{
    WNDCLASSW type = {};
    type.lpfnWndProc = PlainProc;
    type.hInstance = instance;
    type.hCursor = LoadCursor(nullptr, IDC_ARROW);
    type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    type.lpszClassName = L"VarnellePreviewTarget";
    if (!RegisterClassW(&type))
        return 1;
    HWND window = CreateWindowW(type.lpszClassName, L"Без меню", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 240, 120,
                                nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    CreateWindowW(L"Button", L"&Кнопка", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 20, 20, 100, 28, window, nullptr,
                  instance, nullptr);
    SetTimer(window, kLifetimeTimer, lifetime, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    if (__argc == 3 && std::strcmp(__argv[1], "exit") == 0)
        return std::atoi(__argv[2]);
    if (__argc == 3 && std::strcmp(__argv[1], "plain") == 0)
        return Plain(instance, static_cast<UINT>(std::atoi(__argv[2])));
    return 2;
}
