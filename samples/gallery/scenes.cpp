#include "scenes.h"

#include "look.h"

#include <string>

namespace gallery {

Part PartOfThisProcess()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string name = path;
    const std::string languages = "_languages.exe";
    if (name.size() > languages.size() &&
        _stricmp(name.c_str() + name.size() - languages.size(), languages.c_str()) == 0)
        return Part::Languages;
    if (ScreenDpi() != 96)
        return Part::Dpi;
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    if (GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion == 5 &&
        version.dwMinorVersion <= 1)
        return Part::MenuBarXp;
    return Part::Main;
}

const char* PartName(Part part)
{
    switch (part) {
    case Part::MenuBarXp:
        return "winxp";
    case Part::Languages:
        return "languages";
    case Part::Dpi:
        return "dpi";
    case Part::Main:
        break;
    }
    return "main";
}

Part PartOfPicture(const std::string& name)
{
    const std::string darkMode = "-darkmode";
    if (name.rfind("menubar-", 0) == 0 &&
        !(name.size() > darkMode.size() && name.compare(name.size() - darkMode.size(), darkMode.size(), darkMode) == 0))
        return Part::MenuBarXp;
    if (name.rfind("dpi", 0) == 0)
        return Part::Dpi;
    if (name.rfind("language-", 0) == 0)
        return Part::Languages;
    return Part::Main;
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
    // Wine's Tahoma has no Greek or Hebrew letters; the localised menus show in DejaVu Sans,
    // as a Greek or Hebrew system shows them in a menu font of its own.
    PinnedMenuLook look(part == Part::Languages ? "DejaVu Sans" : "Tahoma");
    if (!look.active()) {
        error = "the menu font could not be pinned (SPI_SETNONCLIENTMETRICS failed)";
        return false;
    }
    switch (part) {
    case Part::MenuBarXp:
        return RenderMenuBarXp(instance, sink, error);
    case Part::Languages:
        return RenderLocalisedMenus(instance, sink, error);
    case Part::Dpi:
        return RenderDpiPopups(instance, sink, error);
    case Part::Main:
        break;
    }
    return RenderFillBitmaps(sink, error) && RenderGradients(sink, error) && RenderMenus(instance, sink, error) &&
           RenderIconModes(sink, error) && RenderButtons(instance, sink, error) && RenderDarkMenuBar(instance, sink, error);
}

} // namespace gallery
