#include "common/test_support.h"

#include <winternl.h>

namespace testing_support {

BITMAPINFO TopDown32Info(int width, int height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

DibSurface::DibSurface(int width, int height, COLORREF fillColour) : width_(width), height_(height)
{
    BITMAPINFO info = TopDown32Info(width, height);
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    bits_ = static_cast<uint32_t*>(bits);
    previous_ = SelectObject(dc_, bitmap_);
    fill(fillColour);
}

DibSurface::~DibSurface()
{
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

static uint32_t ToPixel(COLORREF colour)
{
    return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

static COLORREF ToColour(uint32_t pixel)
{
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

COLORREF DibSurface::at(int x, int y) const
{
    GdiFlush();
    return ToColour(bits_[y * width_ + x]);
}

void DibSurface::set(int x, int y, COLORREF colour)
{
    GdiFlush();
    bits_[y * width_ + x] = ToPixel(colour);
}

void DibSurface::fill(COLORREF colour)
{
    GdiFlush();
    for (int i = 0; i < width_ * height_; ++i)
        bits_[i] = ToPixel(colour);
}

int DibSurface::countNot(const RECT& area, COLORREF colour) const
{
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            count += at(x, y) != colour;
    return count;
}

std::vector<uint32_t> DibSurface::snapshot() const
{
    GdiFlush();
    return std::vector<uint32_t>(bits_, bits_ + width_ * height_);
}

HICON MakeIcon(int width, int height, const std::function<COLORREF(int, int)>& colour,
               const std::function<bool(int, int)>& opaque)
{
    // Colour bitmap: 32-bit DIB section; mask: monochrome, bit 1 = transparent.
    BITMAPINFO info = TopDown32Info(width, height);
    void* bits = nullptr;
    HBITMAP colourBitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* pixels = static_cast<uint32_t*>(bits);
    int maskStride = ((width + 15) / 16) * 2;
    std::vector<unsigned char> mask(maskStride * height, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            bool isOpaque = opaque(x, y);
            pixels[y * width + x] = isOpaque ? ToPixel(colour(x, y)) : 0;
            if (!isOpaque)
                mask[y * maskStride + x / 8] |= static_cast<unsigned char>(0x80 >> (x % 8));
        }
    }
    HBITMAP maskBitmap = CreateBitmap(width, height, 1, 1, mask.data());
    ICONINFO iconInfo = {};
    iconInfo.fIcon = TRUE;
    iconInfo.hbmMask = maskBitmap;
    iconInfo.hbmColor = colourBitmap;
    HICON icon = CreateIconIndirect(&iconInfo);
    DeleteObject(maskBitmap);
    DeleteObject(colourBitmap);
    return icon;
}

HICON MakeSolidIcon(int size, COLORREF colour, int border)
{
    return MakeIcon(
        size, size, [colour](int, int) { return colour; },
        [size, border](int x, int y) {
            return x >= border && y >= border && x < size - border && y < size - border;
        });
}

namespace {

// The process's GDI handle table as Wine keeps it: the PEB's GdiSharedHandleTable, 65,536
// entries of 24 bytes on both widths, an entry in use having a nonzero type.
struct GdiHandleEntry {
    uint64_t object;
    uint32_t owner;
    uint16_t unique;
    uint8_t type;
    uint8_t flags;
    uint64_t user;
};
static_assert(sizeof(GdiHandleEntry) == 24, "Wine's GDI_HANDLE_ENTRY");
constexpr int kGdiTableSize = 0x10000;
constexpr int kFirstGdiHandle = 32;

const GdiHandleEntry* GdiHandleTable()
{
    // GdiSharedHandleTable: offset 0xF8 of the 64-bit PEB, 0x94 of the 32-bit one.
    const char* peb = reinterpret_cast<const char*>(NtCurrentTeb()->ProcessEnvironmentBlock);
    return *reinterpret_cast<const GdiHandleEntry* const*>(peb + (sizeof(void*) == 8 ? 0xF8 : 0x94));
}

// Filling the table until CreateSolidBrush fails: what is left when the table cannot be
// read. Wine does not survive an empty table well (its own code then fails to allocate
// and has been seen to corrupt its heap and hang), so this is the last resort.
int CountFreeGdiHandlesByFilling()
{
    std::vector<HBRUSH> brushes;
    brushes.reserve(70000);
    for (;;) {
        HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
        if (!brush)
            break;
        brushes.push_back(brush);
        if (brushes.size() > 200000)
            break;
    }
    for (HBRUSH brush : brushes)
        DeleteObject(brush);
    return static_cast<int>(brushes.size());
}

} // namespace

int CountFreeGdiHandles()
{
    // Windows itself counts the process's objects.
    if (DWORD used = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS))
        return kGdiTableSize - static_cast<int>(used);
    // Wine's GetGuiResources is a stub: its handle table is read instead, without
    // allocating anything.
    // Wine hands out the entries from the 33rd on: the first 32 never hold an object.
    if (const GdiHandleEntry* table = GdiHandleTable()) {
        int used = 0;
        for (int i = kFirstGdiHandle; i < kGdiTableSize; ++i)
            used += table[i].type != 0;
        if (used > 0) // the stock objects at least
            return kGdiTableSize - kFirstGdiHandle - used;
    }
    return CountFreeGdiHandlesByFilling();
}

int CountProcessHeapBlocks()
{
    HANDLE heap = GetProcessHeap();
    int count = 0;
    HeapLock(heap);
    PROCESS_HEAP_ENTRY entry = {};
    while (HeapWalk(heap, &entry))
        count += (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) != 0;
    HeapUnlock(heap);
    return count;
}

static LRESULT CALLBACK PlainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

TestWindow::TestWindow(WNDPROC procedure, DWORD style, HWND parent, const char* className)
{
    const char* name = className ? className : "VarnelleTestWindow";
    WNDCLASSA windowClass = {};
    if (!GetClassInfoA(GetModuleHandleA(nullptr), name, &windowClass) || className == nullptr) {
        windowClass = {};
        windowClass.lpfnWndProc = procedure ? procedure : PlainWindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = name;
        UnregisterClassA(name, GetModuleHandleA(nullptr));
        RegisterClassA(&windowClass);
    }
    hwnd_ = CreateWindowExA(0, name, "Varnelle test", style, 10, 10, 300, 200, parent, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
}

TestWindow::~TestWindow()
{
    if (hwnd_ && IsWindow(hwnd_))
        DestroyWindow(hwnd_);
}

HWND TestWindow::release()
{
    HWND hwnd = hwnd_;
    hwnd_ = nullptr;
    return hwnd;
}

ScopedSysColors::ScopedSysColors(std::initializer_list<std::pair<int, COLORREF>> colours)
    : ScopedSysColors(std::vector<std::pair<int, COLORREF>>(colours))
{
}

ScopedSysColors::ScopedSysColors(const std::vector<std::pair<int, COLORREF>>& colours)
{
    std::vector<COLORREF> values;
    for (auto& [index, colour] : colours) {
        indexes_.push_back(index);
        previous_.push_back(GetSysColor(index));
        values.push_back(colour);
    }
    SetSysColors(static_cast<int>(indexes_.size()), indexes_.data(), values.data());
}

ScopedSysColors::~ScopedSysColors()
{
    SetSysColors(static_cast<int>(indexes_.size()), indexes_.data(), previous_.data());
}

static BOOL CALLBACK CollectLibraryProperty(HWND, LPSTR name, HANDLE, ULONG_PTR list)
{
    if (IS_INTRESOURCE(name))
        return TRUE;
    std::string text = name;
    if (text == "OLD_WND_PROC" || text == "CTRL_STRUCT" || text.rfind("VARNELLE_", 0) == 0)
        reinterpret_cast<std::vector<std::string>*>(list)->push_back(text);
    return TRUE;
}

std::vector<std::string> LibraryPropertyNames(HWND window)
{
    std::vector<std::string> names;
    EnumPropsExA(window, CollectLibraryProperty, reinterpret_cast<LPARAM>(&names));
    return names;
}

void PumpMessages(DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    MSG message;
    do {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(1);
    } while (GetTickCount() - start < timeoutMs);
}

} // namespace testing_support
