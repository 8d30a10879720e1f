#include "look.h"

#include <cstring>
#include <utility>

#include "varnelle.h"

namespace gallery {
namespace {

LOGFONTA PinnedLogFont(int height, int weight, const char* face = "Tahoma")
{
    LOGFONTA font = {};
    font.lfHeight = height;
    font.lfWeight = weight;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = NONANTIALIASED_QUALITY;
    std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    return font;
}

using Colours = std::initializer_list<std::pair<int, COLORREF>>;

// Windows Standard, the grey classic scheme.
const Colours kClassic = {
    {COLOR_BACKGROUND, RGB(58, 110, 165)},  {COLOR_MENU, RGB(212, 208, 200)},
    {COLOR_WINDOW, RGB(255, 255, 255)},     {COLOR_WINDOWFRAME, RGB(0, 0, 0)},
    {COLOR_MENUTEXT, RGB(0, 0, 0)},         {COLOR_WINDOWTEXT, RGB(0, 0, 0)},
    {COLOR_HIGHLIGHT, RGB(10, 36, 106)},    {COLOR_HIGHLIGHTTEXT, RGB(255, 255, 255)},
    {COLOR_BTNFACE, RGB(212, 208, 200)},    {COLOR_BTNSHADOW, RGB(128, 128, 128)},
    {COLOR_GRAYTEXT, RGB(128, 128, 128)},   {COLOR_BTNTEXT, RGB(0, 0, 0)},
    {COLOR_BTNHIGHLIGHT, RGB(255, 255, 255)}, {COLOR_3DDKSHADOW, RGB(64, 64, 64)},
    {COLOR_3DLIGHT, RGB(212, 208, 200)},    {COLOR_HOTLIGHT, RGB(0, 0, 128)},
    {COLOR_MENUHILIGHT, RGB(10, 36, 106)},  {COLOR_MENUBAR, RGB(212, 208, 200)},
};

// Windows XP's blue scheme: white window and menu, highlight 0xC56A31, grey text 0x99A8AC.
const Colours kXp = {
    {COLOR_BACKGROUND, RGB(0, 78, 152)},     {COLOR_MENU, 0xFFFFFF},
    {COLOR_WINDOW, 0xFFFFFF},                {COLOR_WINDOWFRAME, RGB(0, 0, 0)},
    {COLOR_MENUTEXT, RGB(0, 0, 0)},          {COLOR_WINDOWTEXT, RGB(0, 0, 0)},
    {COLOR_HIGHLIGHT, 0xC56A31},             {COLOR_HIGHLIGHTTEXT, RGB(255, 255, 255)},
    {COLOR_BTNFACE, RGB(236, 233, 216)},     {COLOR_BTNSHADOW, RGB(172, 168, 153)},
    {COLOR_GRAYTEXT, 0x99A8AC},              {COLOR_BTNTEXT, RGB(0, 0, 0)},
    {COLOR_BTNHIGHLIGHT, RGB(255, 255, 255)}, {COLOR_3DDKSHADOW, RGB(113, 111, 100)},
    {COLOR_3DLIGHT, RGB(241, 239, 226)},     {COLOR_HOTLIGHT, RGB(0, 0, 128)},
    {COLOR_MENUHILIGHT, 0xC56A31},           {COLOR_MENUBAR, RGB(236, 233, 216)},
};

// High contrast on black.
const Colours kDark = {
    {COLOR_BACKGROUND, RGB(0, 0, 0)},        {COLOR_MENU, RGB(0, 0, 0)},
    {COLOR_WINDOW, RGB(0, 0, 0)},            {COLOR_WINDOWFRAME, RGB(255, 255, 255)},
    {COLOR_MENUTEXT, RGB(255, 255, 255)},    {COLOR_WINDOWTEXT, RGB(255, 255, 255)},
    {COLOR_HIGHLIGHT, RGB(128, 0, 128)},     {COLOR_HIGHLIGHTTEXT, RGB(255, 255, 255)},
    {COLOR_BTNFACE, RGB(0, 0, 0)},           {COLOR_BTNSHADOW, RGB(128, 128, 128)},
    {COLOR_GRAYTEXT, RGB(0, 255, 0)},        {COLOR_BTNTEXT, RGB(255, 255, 255)},
    {COLOR_BTNHIGHLIGHT, RGB(255, 255, 255)}, {COLOR_3DDKSHADOW, RGB(128, 128, 128)},
    {COLOR_3DLIGHT, RGB(192, 192, 192)},     {COLOR_HOTLIGHT, RGB(128, 128, 255)},
    {COLOR_MENUHILIGHT, RGB(128, 0, 128)},   {COLOR_MENUBAR, RGB(0, 0, 0)},
};

// Windows 10's default colours: what a user who chooses dark applications still has as
// system colours.
const Colours kWindows10 = {
    {COLOR_BACKGROUND, RGB(0, 0, 0)},         {COLOR_MENU, RGB(240, 240, 240)},
    {COLOR_WINDOW, RGB(255, 255, 255)},       {COLOR_WINDOWFRAME, RGB(100, 100, 100)},
    {COLOR_MENUTEXT, RGB(0, 0, 0)},           {COLOR_WINDOWTEXT, RGB(0, 0, 0)},
    {COLOR_HIGHLIGHT, RGB(0, 120, 215)},      {COLOR_HIGHLIGHTTEXT, RGB(255, 255, 255)},
    {COLOR_BTNFACE, RGB(240, 240, 240)},      {COLOR_BTNSHADOW, RGB(160, 160, 160)},
    {COLOR_GRAYTEXT, RGB(109, 109, 109)},     {COLOR_BTNTEXT, RGB(0, 0, 0)},
    {COLOR_BTNHIGHLIGHT, RGB(255, 255, 255)}, {COLOR_3DDKSHADOW, RGB(105, 105, 105)},
    {COLOR_3DLIGHT, RGB(227, 227, 227)},      {COLOR_HOTLIGHT, RGB(0, 102, 204)},
    {COLOR_MENUHILIGHT, RGB(51, 153, 255)},   {COLOR_MENUBAR, RGB(240, 240, 240)},
};

const Colours& ColoursOf(Scheme scheme)
{
    switch (scheme) {
    case Scheme::Xp:
        return kXp;
    case Scheme::Dark:
        return kDark;
    case Scheme::DarkMode:
        return kWindows10;
    case Scheme::Classic:
        break;
    }
    return kClassic;
}

} // namespace

const char* SchemeName(Scheme scheme)
{
    switch (scheme) {
    case Scheme::Xp:
        return "xp";
    case Scheme::Dark:
        return "dark";
    case Scheme::DarkMode:
        return "darkmode";
    case Scheme::Classic:
        break;
    }
    return "classic";
}

const char* SchemeTitle(Scheme scheme)
{
    switch (scheme) {
    case Scheme::Xp:
        return "Windows XP colours";
    case Scheme::Dark:
        return "high contrast, dark";
    case Scheme::DarkMode:
        return "dark mode (SetColorMode 1)";
    case Scheme::Classic:
        break;
    }
    return "classic grey";
}

PinnedMenuLook::PinnedMenuLook(const char* face)
{
    saved_.cbSize = sizeof(saved_);
    saved_ok_ = SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(saved_), &saved_, 0) != FALSE;
    if (!saved_ok_)
        return;
    NONCLIENTMETRICSA pinned = saved_;
    // The sizes of 96 DPI scaled to the screen's, as the system scales its own.
    pinned.lfMenuFont = PinnedLogFont(-Scaled(11), FW_NORMAL, face);
    pinned.iMenuWidth = Scaled(18);
    pinned.iMenuHeight = Scaled(18);
    pinned_ = SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, sizeof(pinned), &pinned, 0) != FALSE;
}

PinnedMenuLook::~PinnedMenuLook()
{
    if (saved_ok_)
        SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, sizeof(saved_), &saved_, 0);
}

HFONT CreatePinnedFont(int height, int weight)
{
    LOGFONTA font = PinnedLogFont(height, weight);
    return CreateFontIndirectA(&font);
}

ScopedScheme::ScopedScheme(Scheme scheme)
{
    std::vector<COLORREF> colours;
    for (const auto& [index, colour] : ColoursOf(scheme)) {
        indexes_.push_back(index);
        previous_.push_back(GetSysColor(index));
        colours.push_back(colour);
    }
    SetSysColors(static_cast<int>(indexes_.size()), indexes_.data(), colours.data());
    darkMode_ = scheme == Scheme::DarkMode;
    if (darkMode_)
        previousMode_ = SetColorMode(VARNELLE_COLORS_DARK);
}

ScopedScheme::~ScopedScheme()
{
    if (darkMode_)
        SetColorMode(previousMode_);
    SetSysColors(static_cast<int>(indexes_.size()), indexes_.data(), previous_.data());
}

int ScreenDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

int Scaled(int length)
{
    return MulDiv(length, ScreenDpi(), 96);
}

} // namespace gallery
