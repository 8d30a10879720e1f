// Which windows of the program count as push buttons, for the skinning and the report.
#pragma once
#include <windows.h>

namespace preview {

// The BS_ type of a window of the "Button" class, or -1 for any other window.
inline LONG_PTR ButtonTypeOf(HWND window)
{
    wchar_t name[16];
    if (!GetClassNameW(window, name, 16) || lstrcmpiW(name, L"Button") != 0)
        return -1;
    return GetWindowLongPtrW(window, GWL_STYLE) & BS_TYPEMASK;
}

// RedrawButton takes push buttons only, and makes them owner-drawn.
inline bool IsPushButton(LONG_PTR type)
{
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

} // namespace preview
