#include "scenes.h"

#include "look.h"

namespace gallery {

Part PartOfThisProcess()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    if (GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion == 5 &&
        version.dwMinorVersion <= 1)
        return Part::MenuBarXp;
    return Part::Main;
}

const char* PartName(Part part)
{
    return part == Part::MenuBarXp ? "winxp" : "main";
}

HWND CreateStage(HINSTANCE instance, const char* className, WNDPROC procedure, const RECT& place, HMENU menu)
{
    WNDCLASSA windowClass = {};
    if (!GetClassInfoA(instance, className, &windowClass)) {
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = className;
        RegisterClassA(&windowClass);
    }
    HWND window = CreateWindowExA(0, className, className, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, place.left,
                                  place.top, place.right - place.left, place.bottom - place.top, nullptr, menu,
                                  instance, nullptr);
    if (window) {
        ShowWindow(window, SW_SHOW);
        SetForegroundWindow(window);
        UpdateWindow(window);
        LetScreenSettle(200);
    }
    return window;
}

bool RenderGallery(HINSTANCE instance, Part part, const PictureSink& sink, std::string& error)
{
    PinnedMenuLook look;
    if (!look.active()) {
        error = "the menu font could not be pinned (SPI_SETNONCLIENTMETRICS failed)";
        return false;
    }
    if (part == Part::MenuBarXp)
        return RenderMenuBarXp(instance, sink, error);
    return RenderFillBitmaps(sink, error) && RenderGradients(sink, error) && RenderMenus(instance, sink, error) &&
           RenderIconModes(sink, error) && RenderButtons(instance, sink, error);
}

} // namespace gallery
