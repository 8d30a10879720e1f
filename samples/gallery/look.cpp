#include "look.h"

#include <cstring>
#include <utility>

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

const Colours& ColoursOf(Scheme scheme)
{
    switch (scheme) {
    case Scheme::Xp:
        return kXp;
    case Scheme::Dark:
        return kDark;
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
    pinned.lfMenuFont = PinnedLogFont(-11, FW_NORMAL, face);
    pinned.iMenuWidth = 18;
    pinned.iMenuHeight = 18;
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
}

ScopedScheme::~ScopedScheme()
{
    SetSysColors(static_cast<int>(indexes_.size()), indexes_.data(), previous_.data());
}

} // namespace gallery
