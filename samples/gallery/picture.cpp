#include "picture.h"

#include "common/art.h"

namespace gallery {
namespace {

// Copies width x height pixels from (x, y) of the source DC into a picture.
Picture Copy(HDC source, int x, int y, int width, int height)
{
    Picture picture;
    if (width <= 0 || height <= 0)
        return picture;
    BITMAPINFO info = sample_art::TopDown32Info(width, height);
    void* bits = nullptr;
    HBITMAP target = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!target)
        return picture;
    HDC dc = CreateCompatibleDC(source);
    HGDIOBJ previous = SelectObject(dc, target);
    BitBlt(dc, 0, 0, width, height, source, x, y, SRCCOPY);
    GdiFlush();
    picture.width = width;
    picture.height = height;
    const auto* pixels = static_cast<const uint32_t*>(bits);
    picture.pixels.assign(pixels, pixels + static_cast<size_t>(width) * height);
    for (uint32_t& pixel : picture.pixels)
        pixel &= 0xFFFFFF;
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(target);
    return picture;
}

} // namespace

Picture CaptureDc(HDC source, int width, int height)
{
    return Copy(source, 0, 0, width, height);
}

Picture CaptureScreen(const RECT& area)
{
    HDC screen = GetDC(nullptr);
    Picture picture = Copy(screen, area.left, area.top, area.right - area.left, area.bottom - area.top);
    ReleaseDC(nullptr, screen);
    return picture;
}

void LetScreenSettle(DWORD milliseconds)
{
    DWORD start = GetTickCount();
    MSG message;
    for (;;) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= milliseconds)
            break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
    }
    GdiFlush();
}

Canvas::Canvas(int width, int height, COLORREF fill) : width_(width), height_(height)
{
    BITMAPINFO info = sample_art::TopDown32Info(width, height);
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    dc_ = CreateCompatibleDC(nullptr);
    previous_ = SelectObject(dc_, bitmap_);
    HBRUSH brush = CreateSolidBrush(fill);
    RECT all = {0, 0, width, height};
    FillRect(dc_, &all, brush);
    DeleteObject(brush);
}

Canvas::~Canvas()
{
    SelectObject(dc_, previous_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
}

} // namespace gallery
