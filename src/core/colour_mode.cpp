#include "colour_mode.h"

namespace varnelle {
namespace {

constinit uint32_t colourMode = kSystemColours;
// Mode 2's answer, kept from the last reading of the user's setting.
constinit bool appsDark = false;

constexpr int kSystemIndexes[kPaletteColours] = {
    COLOR_MENU,       COLOR_WINDOW,     COLOR_HIGHLIGHT,    COLOR_HIGHLIGHTTEXT, COLOR_MENUTEXT, COLOR_GRAYTEXT,
    COLOR_BTNFACE,    COLOR_BTNSHADOW,  COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW,    COLOR_3DLIGHT,  COLOR_BTNTEXT,
};
static_assert(sizeof(kSystemIndexes) / sizeof(kSystemIndexes[0]) == kPaletteColours, "one index per colour");

using RegOpenKeyExWFunction = LONG(WINAPI*)(HKEY, LPCWSTR, DWORD, REGSAM, PHKEY);
using RegQueryValueExWFunction = LONG(WINAPI*)(HKEY, LPCWSTR, LPDWORD, LPDWORD, LPBYTE, LPDWORD);
using RegCloseKeyFunction = LONG(WINAPI*)(HKEY);

template <typename Function>
Function Kernel32Function(const char* name)
{
    const HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
    return kernel32 ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(kernel32, name))) : nullptr;
}

// The library imports nothing from ADVAPI32: the key is opened through KERNEL32's own
// exports, found at run time.
class PersonalizeKey {
public:
    PersonalizeKey()
        : open_(Kernel32Function<RegOpenKeyExWFunction>("RegOpenKeyExW")),
          query_(Kernel32Function<RegQueryValueExWFunction>("RegQueryValueExW")),
          close_(Kernel32Function<RegCloseKeyFunction>("RegCloseKey"))
    {
        if (!open_ || !query_ || !close_ ||
            open_(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize", 0,
                  KEY_QUERY_VALUE, &key_) != ERROR_SUCCESS)
            key_ = nullptr;
    }
    ~PersonalizeKey()
    {
        if (key_)
            close_(key_);
    }
    PersonalizeKey(const PersonalizeKey&) = delete;
    PersonalizeKey& operator=(const PersonalizeKey&) = delete;

    // A DWORD value, or false.
    bool read(const wchar_t* name, DWORD& value) const
    {
        DWORD type = 0;
        DWORD size = sizeof(value);
        return key_ && query_(key_, name, nullptr, &type, reinterpret_cast<LPBYTE>(&value), &size) == ERROR_SUCCESS &&
               type == REG_DWORD && size == sizeof(value);
    }

private:
    RegOpenKeyExWFunction open_;
    RegQueryValueExWFunction query_;
    RegCloseKeyFunction close_;
    HKEY key_ = nullptr;
};

template <typename Char>
bool SameText(const Char* text, const char* expected)
{
    for (; *expected; ++text, ++expected) {
        if (*text != static_cast<Char>(*expected))
            return false;
    }
    return *text == 0;
}

Palette SystemPalette()
{
    Palette palette = {};
    for (int i = 0; i < kPaletteColours; ++i)
        palette.colours[i] = GetSysColor(kSystemIndexes[i]);
    return palette;
}

} // namespace

uint32_t CurrentColourMode()
{
    return colourMode;
}

uint32_t StoreColourMode(uint32_t mode)
{
    const uint32_t previous = colourMode;
    if (mode > kFollowAppsTheme)
        return previous;
    colourMode = mode;
    if (mode == kFollowAppsTheme)
        appsDark = AppsUseDarkTheme();
    return previous;
}

bool DarkPaletteChosen()
{
    return colourMode == kDarkColours || (colourMode == kFollowAppsTheme && appsDark);
}

bool RereadAppsTheme()
{
    if (colourMode != kFollowAppsTheme)
        return false;
    const bool dark = AppsUseDarkTheme();
    const bool changed = dark != appsDark;
    appsDark = dark;
    return changed;
}

bool AppsUseDarkTheme()
{
    const PersonalizeKey key;
    DWORD light = 1;
    return key.read(L"AppsUseLightTheme", light) && light == 0;
}

bool IsColourSettingChange(bool wide, WPARAM wParam, LPARAM lParam)
{
    if (wParam == SPI_SETHIGHCONTRAST)
        return true;
    // The section name comes from whoever sent the message: a pointer that cannot be
    // read is no section.
    constexpr char kSection[] = "ImmersiveColorSet";
    constexpr UINT_PTR kLongest = sizeof(kSection);
    if (wide) {
        const auto* text = reinterpret_cast<const wchar_t*>(lParam);
        return text && !IsBadStringPtrW(text, kLongest) && SameText(text, kSection);
    }
    const auto* text = reinterpret_cast<const char*>(lParam);
    return text && !IsBadStringPtrA(text, kLongest) && SameText(text, kSection);
}

bool HighContrastOn()
{
    HIGHCONTRASTA highContrast = {};
    highContrast.cbSize = sizeof(highContrast);
    return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof(highContrast), &highContrast, 0) &&
           (highContrast.dwFlags & HCF_HIGHCONTRASTON);
}

PaintColours CurrentPaintColours()
{
    const bool highContrast = HighContrastOn();
    if (!highContrast && DarkPaletteChosen())
        return {kDarkPalette, false, false};
    return {SystemPalette(), true, highContrast};
}

bool DarkPaletteInUse()
{
    return DarkPaletteChosen() && !HighContrastOn();
}

int SystemColourIndex(PaletteColour colour)
{
    return kSystemIndexes[static_cast<int>(colour)];
}

} // namespace varnelle
