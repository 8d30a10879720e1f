// A picture of the gallery: the pixels the system showed, where it belongs on the contact
// sheet, and how pictures are taken.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace gallery {

struct Picture {
    std::string name;    // file name without ".png", also the golden's name
    std::string group;   // section of the contact sheet
    std::string row;     // row within the section
    std::string column;  // column within the section (a colour scheme, a variant)
    std::string caption; // what the picture shows
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels; // 0x00RRGGBB, rows from the top

    bool empty() const { return pixels.empty(); }
};

// The pixels of a rectangle of the screen (screen coordinates), read from the screen DC:
// what the X server shows, other windows included.
Picture CaptureScreen(const RECT& area);

// The pixels of a memory DC holding a 32-bit bitmap or a screen-compatible one.
Picture CaptureDc(HDC dc, int width, int height);

// Handles the thread's messages and waits until it is idle, so that what was painted has
// reached the screen (Wine hands window pixels to X when the thread waits for messages).
void LetScreenSettle(DWORD milliseconds = 60);

// A 32-bit top-down DIB section in its own memory DC, for painting primitives into.
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    HDC dc() const { return dc_; }
    Picture picture() const { return CaptureDc(dc_, width_, height_); }

private:
    int width_;
    int height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

} // namespace gallery
