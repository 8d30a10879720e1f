// Owning handle types and scoped device-context state, so that no painter needs a
// hand-written cleanup sequence and an early return cannot leak.
#pragma once
#include <windows.h>

#include "../colour/colour_math.h"

namespace varnelle {

// One owning type per acquire/release pair; move-only.
template <typename Handle, BOOL(WINAPI* Release)(Handle)>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    [[nodiscard]] Handle release()
    {
        Handle handle = handle_;
        handle_ = nullptr;
        return handle;
    }
    void reset(Handle handle = nullptr)
    {
        if (handle_)
            Release(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = nullptr;
};

namespace detail {
template <typename T>
BOOL WINAPI DeleteTyped(T object) { return DeleteObject(object); }
inline BOOL WINAPI FreeGlobal(HGLOBAL block) { return GlobalFree(block) == nullptr; }
} // namespace detail

using unique_hbrush = UniqueHandle<HBRUSH, detail::DeleteTyped<HBRUSH>>;
using unique_hpen = UniqueHandle<HPEN, detail::DeleteTyped<HPEN>>;
using unique_hfont = UniqueHandle<HFONT, detail::DeleteTyped<HFONT>>;
using unique_hbitmap = UniqueHandle<HBITMAP, detail::DeleteTyped<HBITMAP>>;
using unique_hrgn = UniqueHandle<HRGN, detail::DeleteTyped<HRGN>>;
using unique_hdc = UniqueHandle<HDC, DeleteDC>;            // CreateCompatibleDC / CreateDC
using unique_global = UniqueHandle<HGLOBAL, detail::FreeGlobal>;
using unique_hicon = UniqueHandle<HICON, DestroyIcon>;    // CreateIconIndirect / ImageList_GetIcon

// The stock brush (white, light gray, gray, dark gray or black) nearest in gray level to
// the colour. Stock objects live as long as the process, so one is there when GDI can
// make nothing more.
inline HBRUSH NearestStockBrush(COLORREF colour)
{
    const int32_t gray = GrayLevel(colour);
    const int stock = gray >= 224 ? WHITE_BRUSH : gray >= 160 ? LTGRAY_BRUSH : gray >= 96 ? GRAY_BRUSH
                    : gray >= 32  ? DKGRAY_BRUSH : BLACK_BRUSH;
    return static_cast<HBRUSH>(GetStockObject(stock));
}

// The system's brush of a colour index, never deleted. Wine makes each one at its first
// use; when it cannot, the nearest stock brush (FillRect would take the DC's own brush).
inline HBRUSH SystemBrush(int colourIndex)
{
    HBRUSH brush = GetSysColorBrush(colourIndex);
    return brush ? brush : NearestStockBrush(GetSysColor(colourIndex));
}

// A solid brush of a colour of the library's own, or, when GDI cannot make one (the
// process has used up its objects), the system brush of the colour index named as the
// stand-in (SystemBrush), borrowed and never deleted. Empty until given a colour.
class solid_brush {
public:
    solid_brush() = default;
    solid_brush(COLORREF colour, int fallbackColourIndex) { reset(colour, fallbackColourIndex); }
    solid_brush(const solid_brush&) = delete;
    solid_brush& operator=(const solid_brush&) = delete;
    void reset(COLORREF colour, int fallbackColourIndex)
    {
        owned_.reset(CreateSolidBrush(colour));
        brush_ = owned_ ? owned_.get() : SystemBrush(fallbackColourIndex);
    }
    HBRUSH get() const { return brush_; }

private:
    unique_hbrush owned_;
    HBRUSH brush_ = nullptr;
};

// GetDC / ReleaseDC pair.
class unique_window_dc {
public:
    explicit unique_window_dc(HWND window) : window_(window), dc_(GetDC(window)) {}
    unique_window_dc(const unique_window_dc&) = delete;
    unique_window_dc& operator=(const unique_window_dc&) = delete;
    ~unique_window_dc()
    {
        if (dc_)
            ReleaseDC(window_, dc_);
    }
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a DC and puts the previous one back at scope exit.
class [[nodiscard]] scoped_select {
public:
    scoped_select(HDC dc, HGDIOBJ object) : dc_(dc), previous_(dc && object ? SelectObject(dc, object) : nullptr) {}
    scoped_select(const scoped_select&) = delete;
    scoped_select& operator=(const scoped_select&) = delete;
    ~scoped_select()
    {
        if (previous_ && previous_ != HGDI_ERROR)
            SelectObject(dc_, previous_);
    }
    bool selected() const { return previous_ && previous_ != HGDI_ERROR; }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// SaveDC / RestoreDC(-1).
class [[nodiscard]] scoped_saved_dc {
public:
    explicit scoped_saved_dc(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    scoped_saved_dc(const scoped_saved_dc&) = delete;
    scoped_saved_dc& operator=(const scoped_saved_dc&) = delete;
    ~scoped_saved_dc()
    {
        if (saved_)
            RestoreDC(dc_, -1);
    }

private:
    HDC dc_;
    int saved_;
};

// Puts the DC's brush origin back at scope exit, for code that moves it (SetBrushOrgEx
// applies to the brush selected after it).
class [[nodiscard]] scoped_brush_origin {
public:
    explicit scoped_brush_origin(HDC dc) : dc_(dc), saved_(GetBrushOrgEx(dc, &previous_) != FALSE) {}
    scoped_brush_origin(const scoped_brush_origin&) = delete;
    scoped_brush_origin& operator=(const scoped_brush_origin&) = delete;
    ~scoped_brush_origin()
    {
        if (saved_)
            SetBrushOrgEx(dc_, previous_.x, previous_.y, nullptr);
    }
    bool saved() const { return saved_; }

private:
    HDC dc_;
    POINT previous_ = {};
    bool saved_;
};

class [[nodiscard]] scoped_text_color {
public:
    scoped_text_color(HDC dc, COLORREF colour) : dc_(dc), previous_(SetTextColor(dc, colour)) {}
    scoped_text_color(const scoped_text_color&) = delete;
    scoped_text_color& operator=(const scoped_text_color&) = delete;
    ~scoped_text_color()
    {
        if (previous_ != CLR_INVALID)
            SetTextColor(dc_, previous_);
    }

private:
    HDC dc_;
    COLORREF previous_;
};

class [[nodiscard]] scoped_bk_color {
public:
    scoped_bk_color(HDC dc, COLORREF colour) : dc_(dc), previous_(SetBkColor(dc, colour)) {}
    scoped_bk_color(const scoped_bk_color&) = delete;
    scoped_bk_color& operator=(const scoped_bk_color&) = delete;
    ~scoped_bk_color()
    {
        if (previous_ != CLR_INVALID)
            SetBkColor(dc_, previous_);
    }

private:
    HDC dc_;
    COLORREF previous_;
};

} // namespace varnelle
