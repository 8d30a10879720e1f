// Test helpers for menu measurement: a known system menu font for the length of a test,
// and text extents measured the way the library measures item texts.
#pragma once
#include <windows.h>

#include <cstring>

namespace menu_testing {

// Sets lfMenuFont for the lifetime of the object (in memory only, not in the user's
// settings) and puts the previous metrics back.
class ScopedMenuFont {
public:
    ScopedMenuFont(const char* face, LONG height, LONG weight = FW_NORMAL, BYTE quality = DEFAULT_QUALITY)
    {
        saved_.cbSize = sizeof(saved_);
        saved_ok_ = SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(saved_), &saved_, 0) != FALSE;
        NONCLIENTMETRICSA changed = saved_;
        font_ = LOGFONTA{};
        font_.lfHeight = height;
        font_.lfWeight = weight;
        font_.lfCharSet = DEFAULT_CHARSET;
        font_.lfQuality = quality;
        strncpy(font_.lfFaceName, face, LF_FACESIZE - 1);
        changed.lfMenuFont = font_;
        set_ok_ = SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, sizeof(changed), &changed, 0) != FALSE;
    }
    ~ScopedMenuFont()
    {
        if (saved_ok_)
            SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, sizeof(saved_), &saved_, 0);
    }
    ScopedMenuFont(const ScopedMenuFont&) = delete;
    ScopedMenuFont& operator=(const ScopedMenuFont&) = delete;

    bool active() const { return saved_ok_ && set_ok_; }
    const LOGFONTA& font() const { return font_; }

private:
    NONCLIENTMETRICSA saved_ = {};
    LOGFONTA font_ = {};
    bool saved_ok_ = false;
    bool set_ok_ = false;
};

// DrawTextA(DT_CALCRECT) on the screen DC from an empty rectangle, as items are measured.
inline SIZE ExtentIn(HFONT font, const char* text, int length)
{
    HDC screen = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(screen, font);
    RECT extent = {0, 0, 0, 0};
    DrawTextA(screen, text, length, &extent, DT_CALCRECT);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    return {extent.right - extent.left, extent.bottom - extent.top};
}

inline SIZE ExtentIn(const LOGFONTA& logFont, const char* text, int length)
{
    HFONT font = CreateFontIndirectA(&logFont);
    SIZE size = ExtentIn(font, text, length);
    DeleteObject(font);
    return size;
}

inline SIZE ExtentIn(const LOGFONTA& logFont, const char* text)
{
    return ExtentIn(logFont, text, static_cast<int>(strlen(text)));
}

} // namespace menu_testing
