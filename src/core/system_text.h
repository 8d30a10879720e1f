// Texts as the system keeps them: UTF-16 on Windows NT, the ANSI code page on Windows 9x,
// whose wide menu and window-text functions are stubs. Every text the library measures or
// paints (menu item labels and accelerators, button labels) is read and drawn in the one
// encoding the system hands it out in, so no character is lost on the way.
#pragma once
#include <windows.h>

namespace varnelle {

// True on Windows NT (2000, XP and later): texts are read and drawn as UTF-16.
[[nodiscard]] bool SystemTextIsWide();

// A borrowed run of characters in one of the two encodings.
class TextRun {
public:
    TextRun() = default;
    TextRun(const wchar_t* text, int length) : wide_(text), length_(text && length > 0 ? length : 0) {}
    TextRun(const char* text, int length) : ansi_(text), length_(text && length > 0 ? length : 0) {}

    int length() const { return length_; }
    bool empty() const { return length_ == 0; }
    // Index of the first TAB, -1 without one.
    int findTab() const;
    // The first `count` characters, and the characters after `index`.
    TextRun first(int count) const;
    TextRun after(int index) const;

    // DrawTextW or DrawTextA of the run.
    int draw(HDC dc, RECT* rect, UINT format) const;

private:
    const wchar_t* wide_ = nullptr;
    const char* ansi_ = nullptr;
    int length_ = 0;
};

} // namespace varnelle
