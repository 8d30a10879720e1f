// Varnelle sample: a program like any other that uses Varnelle.dll for its menus, buttons
// and background. Under Wine: scripts/demo --interactive.
#include "sample_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    if (!sample::RegisterSampleClass(instance))
        return 1;
    HWND window = sample::CreateSampleWindow(instance, show);
    if (!window)
        return 1;
    HACCEL accelerators = sample::CreateSampleAccelerators();
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (TranslateAcceleratorA(window, accelerators, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    DestroyAcceleratorTable(accelerators);
    return static_cast<int>(message.wParam);
}
