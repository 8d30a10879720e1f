// One GUI thread of a test application, driven from the test's main thread: its own
// visible window with a skinned popup menu and a skinned push button, and a message loop
// that opens the popup through the system's menu loop, repaints and reads back the popup
// or the button, and ends the loop when asked.
#pragma once
#include "common/test_support.h"
#include "varnelle.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <thread>
#include <vector>

namespace gui_thread_testing {

using testing_support::DibSurface;

constexpr UINT kOpenMenu = WM_APP + 1;      // posted: the thread runs TrackPopupMenu
constexpr UINT kCapturePopup = WM_APP + 2;  // sent: repaint the open popup and read it back
constexpr UINT kEndMenu = WM_APP + 3;       // sent
constexpr UINT kCaptureButton = WM_APP + 4; // sent: repaint the button and read it back
constexpr UINT kQuit = WM_APP + 5;          // posted

using Pixels = std::vector<uint32_t>;

// What a window shows, read through its own window DC after a repaint.
inline Pixels CaptureWindow(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT frame;
    if (!GetWindowRect(window, &frame))
        return {};
    DibSurface surface(frame.right - frame.left, frame.bottom - frame.top);
    HDC dc = GetWindowDC(window);
    BitBlt(surface.dc(), 0, 0, surface.width(), surface.height(), dc, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
    return surface.snapshot();
}

inline BOOL CALLBACK FindMenuWindow(HWND window, LPARAM found)
{
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, "#32768") == 0 && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

// The open popup of the calling thread.
inline HWND OwnPopup()
{
    HWND popup = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindMenuWindow, reinterpret_cast<LPARAM>(&popup));
    return popup;
}

// One GUI thread of the application: a visible top-level window with a popup menu of
// the thread's style and a skinned push button. The popups of the two threads have the
// same command identifiers and different texts, so a lookup in the other thread's menu
// shows.
class GuiThread {
public:
    GuiThread(int style, int x, const char* label, COLORREF hoverText, LPCSTR hoverCursor)
        : style_(style), x_(x), label_(label), hoverText_(hoverText), hoverCursor_(hoverCursor)
    {
        opened_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        closed_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        ready_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        thread_ = std::thread([this] { Run(); });
        WaitForSingleObject(ready_, 5000);
    }
    ~GuiThread()
    {
        PostMessageA(window_, kQuit, 0, 0);
        thread_.join();
        CloseHandle(opened_);
        CloseHandle(closed_);
        CloseHandle(ready_);
    }
    GuiThread(const GuiThread&) = delete;
    GuiThread& operator=(const GuiThread&) = delete;

    HWND window() const { return window_; }
    HWND button() const { return button_; }
    bool hooked() const { return hooked_; }

    // Opens the popup, the second item selected from the keyboard; true once the loop has
    // painted it and waits for input.
    bool OpenMenu()
    {
        PostMessageA(window_, kOpenMenu, 0, 0);
        return WaitForSingleObject(opened_, 5000) == WAIT_OBJECT_0;
    }
    Pixels CapturePopup()
    {
        SendMessageA(window_, kCapturePopup, 0, 0);
        return popup_;
    }
    bool EndMenu()
    {
        SendMessageA(window_, kEndMenu, 0, 0);
        return WaitForSingleObject(closed_, 5000) == WAIT_OBJECT_0;
    }
    Pixels CaptureButton()
    {
        SendMessageA(window_, kCaptureButton, 0, 0);
        return buttonPixels_;
    }
    void Hover() { SendMessageA(button_, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)); }
    void Leave() { SendMessageA(button_, WM_MOUSELEAVE, 0, 0); }

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<GuiThread*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (self) {
            switch (message) {
            case kOpenMenu:
                self->Track();
                return 0;
            case WM_ENTERIDLE:
                if (wParam == MSGF_MENU)
                    SetEvent(self->opened_);
                return 0;
            case kCapturePopup:
                self->popup_ = OwnPopup() ? CaptureWindow(OwnPopup()) : Pixels{};
                return 0;
            case kEndMenu:
                // Wine ends a loop whose popup is not the process's first only through
                // the message EndMenu posts.
                ::EndMenu();
                if (HWND popup = OwnPopup())
                    PostMessageA(popup, WM_CANCELMODE, 0, 0);
                return 0;
            case kCaptureButton:
                self->buttonPixels_ = CaptureWindow(self->button_);
                return 0;
            default:
                break;
            }
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }

    void Track()
    {
        PostMessageA(window_, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(window_, WM_KEYDOWN, VK_DOWN, 0);
        TrackPopupMenu(menu_, TPM_LEFTALIGN | TPM_TOPALIGN, x_ + 30, 60, 0, window_, nullptr);
        SetEvent(closed_);
    }

    void Run()
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = "VarnelleGuiThreadHost";
        RegisterClassA(&windowClass); // the second thread finds it registered
        // Shown without activation, so that Wine leaves the window to itself: hiding a window
        // of a window manager's waits two seconds for one that Xvfb does not have.
        window_ = CreateWindowExA(0, windowClass.lpszClassName, label_, WS_POPUP | WS_BORDER, x_, 600, 240, 120,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        button_ = CreateWindowExA(0, "BUTTON", label_, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 120, 32,
                                  window_, reinterpret_cast<HMENU>(7), GetModuleHandleA(nullptr), nullptr);
        menu_ = CreatePopupMenu();
        std::string first = std::string("&First of ") + label_;
        AppendMenuA(menu_, MF_STRING, 100, first.c_str());
        AppendMenuA(menu_, MF_STRING | MF_CHECKED, 101, label_);
        AppendMenuA(menu_, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu_, MF_STRING, 102, "&Last");
        font_ = CreateFontA(-14, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma");
        CTRL_STRUCT record = {};
        record.dwEdge = 1;
        record.dwFlat = 1;
        record.crTextHover = hoverText_;
        record.hFontHover = font_;
        record.hCursorHover = LoadCursor(nullptr, hoverCursor_);
        hooked_ = RedrawMenu(window_, menu_, style_) == 1 && RedrawButton(button_, &record) == TRUE;
        SetEvent(ready_);

        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            if (message.message == kQuit)
                break;
            // Only the test's own leave messages end a hover: the pointer is over neither
            // button, and the system answers the leave request at once.
            if (message.message == WM_MOUSELEAVE)
                continue;
            DispatchMessageA(&message);
        }
        RedrawButton(button_, nullptr);
        DestroyWindow(window_);
        DestroyMenu(menu_);
        DeleteObject(font_);
    }

    int style_;
    int x_;
    const char* label_;
    COLORREF hoverText_;
    LPCSTR hoverCursor_;
    HANDLE opened_ = nullptr;
    HANDLE closed_ = nullptr;
    HANDLE ready_ = nullptr;
    HWND window_ = nullptr;
    HWND button_ = nullptr;
    HMENU menu_ = nullptr;
    HFONT font_ = nullptr;
    bool hooked_ = false;
    Pixels popup_;
    Pixels buttonPixels_;
    std::thread thread_;
};

} // namespace gui_thread_testing
