// Helpers shared by the Windows tests: pixel surfaces, test icons and windows, GDI
// handle counting and system-colour overrides.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace testing_support {

// The header of a top-down 32-bit DIB of width x height (no colour table).
BITMAPINFO TopDown32Info(int width, int height);

// A 32-bit top-down DIB section selected into its own memory DC.
class DibSurface {
public:
    DibSurface(int width, int height, COLORREF fill = RGB(0x11, 0x22, 0x33));
    ~DibSurface();
    DibSurface(const DibSurface&) = delete;
    DibSurface& operator=(const DibSurface&) = delete;

    HDC dc() const { return dc_; }
    HBITMAP bitmap() const { return bitmap_; }
    int width() const { return width_; }
    int height() const { return height_; }
    // Pixel as a COLORREF (0x00BBGGRR), after GdiFlush.
    COLORREF at(int x, int y) const;
    void set(int x, int y, COLORREF colour);
    void fill(COLORREF colour);
    // Number of pixels differing from the colour, inside the rectangle.
    int countNot(const RECT& area, COLORREF colour) const;
    // Copy of all pixels, for before/after comparisons.
    std::vector<uint32_t> snapshot() const;

private:
    int width_;
    int height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    uint32_t* bits_ = nullptr;
};

// An icon made from known pixels: colour(x, y) and opaque(x, y) for every pixel.
HICON MakeIcon(int width, int height, const std::function<COLORREF(int, int)>& colour,
               const std::function<bool(int, int)>& opaque);
// A solid square icon, opaque everywhere except a transparent border of `border` pixels.
HICON MakeSolidIcon(int size, COLORREF colour, int border = 0);

// Number of GDI objects the process can still create, counted without creating any
// (Wine's GetGuiResources is a stub: its handle table is read instead).
int CountFreeGdiHandles();

// Busy blocks of the process heap, which holds GlobalAlloc's fixed blocks (leak counting).
int CountProcessHeapBlocks();

// A plain top-level window of a private class, destroyed with the object.
class TestWindow {
public:
    explicit TestWindow(WNDPROC procedure = nullptr, DWORD style = WS_OVERLAPPEDWINDOW, HWND parent = nullptr,
                        const char* className = nullptr);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    HWND hwnd() const { return hwnd_; }
    HWND release();

private:
    HWND hwnd_ = nullptr;
};

// Sets system colours for the lifetime of the object and puts the old ones back.
class ScopedSysColors {
public:
    ScopedSysColors(std::initializer_list<std::pair<int, COLORREF>> colours);
    explicit ScopedSysColors(const std::vector<std::pair<int, COLORREF>>& colours);
    ~ScopedSysColors();
    ScopedSysColors(const ScopedSysColors&) = delete;
    ScopedSysColors& operator=(const ScopedSysColors&) = delete;

private:
    std::vector<int> indexes_;
    std::vector<COLORREF> previous_;
};

// Names of the library's properties on a window ("OLD_WND_PROC", "CTRL_STRUCT" and its
// private "VARNELLE_..." ones); the system may keep properties of its own beside them.
std::vector<std::string> LibraryPropertyNames(HWND window);

// Pumps the thread's messages until none are left (or the timeout elapses).
void PumpMessages(DWORD timeoutMs = 50);

} // namespace testing_support
