// A real push button on a real parent window, with application procedures underneath
// that record what reaches them, for the button tests.
#pragma once
#include "common/test_support.h"

#include <windows.h>

#include <vector>

namespace button_testing {

inline const int kButtonId = 101;
inline const int kButtonWidth = 90;
inline const int kButtonHeight = 30;

// What the application's own procedures received.
struct Received {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
inline std::vector<Received> parentReceived;
inline std::vector<Received> buttonReceived;
inline WNDPROC systemButtonProc = nullptr;

// The top-left pixel of the item as the application's WM_DRAWITEM found it.
inline COLORREF pixelAtDrawItem = CLR_INVALID;

inline LRESULT CALLBACK ApplicationParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    parentReceived.push_back({message, wParam, lParam});
    if (message == WM_DRAWITEM) {
        if (auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))
            pixelAtDrawItem = GetPixel(item->hDC, item->rcItem.left, item->rcItem.top);
        return TRUE;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// Set by a test whose application keeps its button alive on WM_CLOSE.
inline bool keepButtonOnClose = false;
// The button's "CTRL_STRUCT" property as the application saw it at WM_CLOSE or WM_DESTROY.
inline HANDLE recordAtCloseOrDestroy = nullptr;

// The application's subclass of its button, below the library's hook.
inline LRESULT CALLBACK ApplicationButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    buttonReceived.push_back({message, wParam, lParam});
    if (message == WM_CLOSE || message == WM_DESTROY)
        recordAtCloseOrDestroy = GetPropA(hwnd, "CTRL_STRUCT");
    if (message == WM_CLOSE && keepButtonOnClose)
        return 0;
    return CallWindowProcA(systemButtonProc, hwnd, message, wParam, lParam);
}

inline int CountOf(const std::vector<Received>& received, UINT message)
{
    int count = 0;
    for (const Received& entry : received)
        count += entry.message == message;
    return count;
}

inline HWND MakeButton(HWND parent, int id, const char* text = "OK", DWORD type = BS_PUSHBUTTON, int x = 10,
                       int y = 10)
{
    HWND button = CreateWindowExA(0, "BUTTON", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | type, x, y,
                                  kButtonWidth, kButtonHeight, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  GetModuleHandleA(nullptr), nullptr);
    WNDPROC previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ApplicationButtonProc)));
    if (!systemButtonProc)
        systemButtonProc = previous;
    return button;
}

inline WNDPROC ProcOf(HWND hwnd)
{
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
}

inline LONG ButtonType(HWND button)
{
    return GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK;
}

// A parent with one button, the application's procedures installed on both. Hidden by
// default: Wine waits two seconds for a window manager whenever a visible top-level
// window is destroyed, so only the tests that need the screen show theirs.
class ParentWithButton {
public:
    explicit ParentWithButton(const char* text = "OK", bool visible = false, int x = 10, int y = 10)
        : parent_(ApplicationParentProc, WS_POPUP | (visible ? WS_VISIBLE : 0), nullptr, "VarnelleButtonParent")
    {
        if (visible)
            SetWindowPos(parent_.hwnd(), HWND_TOPMOST, x, y, 300, 200, SWP_SHOWWINDOW);
        button_ = MakeButton(parent_.hwnd(), kButtonId, text);
        testing_support::PumpMessages(20);
        parentReceived.clear();
        buttonReceived.clear();
    }
    HWND parent() const { return parent_.hwnd(); }
    HWND button() const { return button_; }

private:
    testing_support::TestWindow parent_;
    HWND button_;
};

// The class cursor of the system's button class, put back at the end of a test whatever
// the test did to it.
class ButtonClassCursorGuard {
public:
    explicit ButtonClassCursorGuard(HWND anyButton)
        : button_(anyButton), cursor_(GetClassLongPtrA(anyButton, GCLP_HCURSOR))
    {
    }
    ~ButtonClassCursorGuard() { SetClassLongPtrA(button_, GCLP_HCURSOR, cursor_); }
    HCURSOR original() const { return reinterpret_cast<HCURSOR>(cursor_); }
    ButtonClassCursorGuard(const ButtonClassCursorGuard&) = delete;
    ButtonClassCursorGuard& operator=(const ButtonClassCursorGuard&) = delete;

private:
    HWND button_;
    ULONG_PTR cursor_;
};

inline HCURSOR ClassCursor(HWND button)
{
    return reinterpret_cast<HCURSOR>(GetClassLongPtrA(button, GCLP_HCURSOR));
}

// A DRAWITEMSTRUCT for the button onto a test surface.
inline DRAWITEMSTRUCT DrawItemFor(HWND button, HDC dc, UINT action, UINT state)
{
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_BUTTON;
    item.CtlID = static_cast<UINT>(GetDlgCtrlID(button));
    item.itemAction = action;
    item.itemState = state;
    item.hwndItem = button;
    item.hDC = dc;
    item.rcItem = {0, 0, kButtonWidth, kButtonHeight};
    return item;
}

// A complete WAVE file image: 8-bit mono PCM silence.
inline std::vector<unsigned char> MakeWave(int milliseconds)
{
    const unsigned rate = 8000;
    unsigned samples = rate * static_cast<unsigned>(milliseconds) / 1000;
    std::vector<unsigned char> wave;
    auto put32 = [&wave](unsigned value) {
        for (int i = 0; i < 4; ++i)
            wave.push_back(static_cast<unsigned char>(value >> (8 * i)));
    };
    auto put16 = [&wave](unsigned value) {
        wave.push_back(static_cast<unsigned char>(value));
        wave.push_back(static_cast<unsigned char>(value >> 8));
    };
    auto tag = [&wave](const char* text) {
        for (int i = 0; i < 4; ++i)
            wave.push_back(static_cast<unsigned char>(text[i]));
    };
    tag("RIFF");
    put32(36 + samples);
    tag("WAVE");
    tag("fmt ");
    put32(16);
    put16(1); // PCM
    put16(1); // mono
    put32(rate);
    put32(rate); // bytes per second
    put16(1);    // block align
    put16(8);    // bits per sample
    tag("data");
    put32(samples);
    wave.insert(wave.end(), samples, 0x80);
    return wave;
}

} // namespace button_testing
