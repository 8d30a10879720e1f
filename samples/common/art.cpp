#include "art.h"

#include <commctrl.h>

#include <cmath>
#include <cstdint>
#include <cstring>

#include "varnelle.h"

namespace sample_art {
namespace {

constexpr int kSize = 16;

// One icon as a 16 x 16 grid of colours, 0xFF000000 marking transparent pixels.
using Grid = uint32_t[kSize][kSize];
constexpr uint32_t kClear = 0xFF000000;

void Fill(Grid& grid, int left, int top, int right, int bottom, uint32_t rgb)
{
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            grid[y][x] = rgb;
}

void Frame(Grid& grid, int left, int top, int right, int bottom, uint32_t rgb)
{
    Fill(grid, left, top, right, top + 1, rgb);
    Fill(grid, left, bottom - 1, right, bottom, rgb);
    Fill(grid, left, top, left + 1, bottom, rgb);
    Fill(grid, right - 1, top, right, bottom, rgb);
}

void Disc(Grid& grid, double cx, double cy, double radius, uint32_t rgb)
{
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
            if (std::hypot(x + 0.5 - cx, y + 0.5 - cy) <= radius)
                grid[y][x] = rgb;
}

// Colours as 0x00RRGGBB, the order of a 32-bit DIB pixel.
constexpr uint32_t kInk = 0x202020, kPaper = 0xFFFFFF, kFold = 0xC8C8C8, kGold = 0xF0C040, kGoldDark = 0xB08020,
                   kBlue = 0x3060C0, kBlueLight = 0x90B0F0, kRed = 0xD03030, kGreen = 0x30A050, kGrey = 0x909090;

void Draw(Icon icon, Grid& grid)
{
    for (auto& row : grid)
        for (auto& pixel : row)
            pixel = kClear;
    switch (icon) {
    case Icon::Page:
        Fill(grid, 3, 1, 13, 15, kPaper);
        Frame(grid, 3, 1, 13, 15, kInk);
        Fill(grid, 10, 1, 13, 4, kClear);
        Fill(grid, 10, 1, 11, 4, kInk);
        Fill(grid, 10, 3, 13, 4, kInk);
        for (int y = 6; y < 13; y += 2)
            Fill(grid, 5, y, 11, y + 1, kFold);
        break;
    case Icon::Folder:
        Fill(grid, 1, 3, 7, 5, kGoldDark);
        Fill(grid, 1, 4, 15, 14, kGold);
        Frame(grid, 1, 4, 15, 14, kGoldDark);
        Fill(grid, 2, 7, 14, 8, kGoldDark);
        break;
    case Icon::Disk:
        Fill(grid, 1, 1, 15, 15, kBlue);
        Fill(grid, 4, 1, 12, 6, kPaper);
        Fill(grid, 9, 2, 11, 5, kBlue);
        Fill(grid, 3, 9, 13, 15, kBlueLight);
        Frame(grid, 1, 1, 15, 15, kInk);
        break;
    case Icon::Scissors:
        Disc(grid, 4.5, 12.5, 2.6, kRed);
        Disc(grid, 11.5, 12.5, 2.6, kRed);
        Disc(grid, 4.5, 12.5, 1.2, kClear);
        Disc(grid, 11.5, 12.5, 1.2, kClear);
        for (int i = 0; i < 9; ++i) {
            grid[1 + i][4 + i / 2 + 1] = kGrey;
            grid[1 + i][11 - i / 2 - 1] = kGrey;
        }
        break;
    case Icon::Copy:
        Fill(grid, 1, 1, 10, 11, kPaper);
        Frame(grid, 1, 1, 10, 11, kInk);
        Fill(grid, 6, 5, 15, 15, kPaper);
        Frame(grid, 6, 5, 15, 15, kBlue);
        break;
    case Icon::Paste:
        Fill(grid, 2, 2, 14, 15, kGoldDark);
        Fill(grid, 5, 1, 11, 4, kGrey);
        Fill(grid, 6, 5, 14, 15, kPaper);
        Frame(grid, 6, 5, 14, 15, kInk);
        break;
    case Icon::Toolbar:
        Fill(grid, 1, 4, 15, 12, 0xD4D0C8);
        Frame(grid, 1, 4, 15, 12, kInk);
        Fill(grid, 3, 6, 6, 10, kRed);
        Fill(grid, 7, 6, 10, 10, kGreen);
        Fill(grid, 11, 6, 14, 10, kBlue);
        break;
    case Icon::Help:
        Disc(grid, 8, 8, 7.2, kBlue);
        Fill(grid, 6, 4, 10, 5, kPaper);
        Fill(grid, 9, 5, 11, 7, kPaper);
        Fill(grid, 7, 7, 10, 8, kPaper);
        Fill(grid, 7, 8, 9, 10, kPaper);
        Fill(grid, 7, 11, 9, 13, kPaper);
        break;
    case Icon::Palette:
        Disc(grid, 8, 8, 7.2, 0xE8D0A0);
        Disc(grid, 5, 6, 1.6, kRed);
        Disc(grid, 9, 4.5, 1.6, kGreen);
        Disc(grid, 12, 7.5, 1.6, kBlue);
        Disc(grid, 9.5, 11.5, 2.0, kClear);
        break;
    case Icon::Star:
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x)
                if (std::abs(x - 7.5) + std::abs(y - 7.5) * 1.6 < 7.5 || std::abs(x - 7.5) * 1.6 + std::abs(y - 7.5) < 7.5)
                    grid[y][x] = kGold;
        Disc(grid, 8, 8, 1.8, kGoldDark);
        break;
    case Icon::Count:
        break;
    }
}

} // namespace

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

HICON MakeIcon(Icon icon)
{
    Grid grid;
    Draw(icon, grid);
    BITMAPINFO info = TopDown32Info(kSize, kSize);
    void* bits = nullptr;
    HBITMAP colour = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!colour)
        return nullptr;
    auto* pixels = static_cast<uint32_t*>(bits);
    uint16_t mask[kSize] = {}; // one word per row, bit set = transparent, high bit first
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            bool clear = grid[y][x] == kClear;
            pixels[y * kSize + x] = clear ? 0 : grid[y][x];
            if (clear)
                mask[y] |= static_cast<uint16_t>(0x8000 >> x);
        }
        mask[y] = static_cast<uint16_t>((mask[y] >> 8) | (mask[y] << 8)); // bytes in display order
    }
    HBITMAP maskBitmap = CreateBitmap(kSize, kSize, 1, 1, mask);
    ICONINFO iconInfo = {TRUE, 0, 0, maskBitmap, colour};
    HICON result = CreateIconIndirect(&iconInfo);
    DeleteObject(maskBitmap);
    DeleteObject(colour);
    return result;
}

HIMAGELIST MakeImageList()
{
    const int count = static_cast<int>(Icon::Count);
    HIMAGELIST images = ImageList_Create(kSize, kSize, ILC_COLOR32 | ILC_MASK, count, 0);
    for (int i = 0; i < count && images; ++i) {
        HICON icon = MakeIcon(static_cast<Icon>(i));
        ImageList_AddIcon(images, icon);
        DestroyIcon(icon);
    }
    return images;
}

HBITMAP MakeFaceBitmap(int width, int height, COLORREF top, COLORREF bottom)
{
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    RECT all = {0, 0, width, height};
    Gradient_Fill(dc, &all, top, bottom, 1);
    HBRUSH rim = CreateSolidBrush(DarkenColor(96, bottom));
    FrameRect(dc, &all, rim);
    DeleteObject(rim);
    SelectObject(dc, previous);
    DeleteDC(dc);
    return bitmap;
}

int WINAPI PaintBand(HMENU, HDC dc, RECT* rect)
{
    if (!dc || !rect)
        return 22; // the band's width
    COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    DrawGradient(dc, rect, LightenColor(96, highlight), DarkenColor(64, highlight), 1);
    LOGFONTA font = {};
    font.lfHeight = -13;
    font.lfWeight = FW_BOLD;
    font.lfEscapement = font.lfOrientation = 900; // bottom to top
    font.lfQuality = NONANTIALIASED_QUALITY;
    lstrcpyA(font.lfFaceName, "Tahoma");
    HFONT created = CreateFontIndirectA(&font);
    HGDIOBJ previous = SelectObject(dc, created);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    TextOutA(dc, rect->left + 3, rect->bottom - 6, "Varnelle", 8);
    SelectObject(dc, previous);
    DeleteObject(created);
    return 0;
}

int WINAPI PaintDottedSeparator(HMENU menu, HDC dc, RECT* rect)
{
    if (!dc || !rect)
        return 0; // the default width
    // The rectangle is as tall as the clip box, which may cover the whole popup: find this
    // callback's separators in the menu and draw each on its own row.
    POINT origin = {};
    GetDCOrgEx(dc, &origin);
    const COLORREF ink = GetSysColor(COLOR_HIGHLIGHT);
    for (int position = 0; position < GetMenuItemCount(menu); ++position) {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_DATA;
        RECT item;
        if (!GetMenuItemInfoA(menu, position, TRUE, &info) || !(info.fType & MFT_SEPARATOR) ||
            info.dwItemData != reinterpret_cast<ULONG_PTR>(&PaintDottedSeparator) ||
            !GetMenuItemRect(nullptr, menu, position, &item))
            continue;
        OffsetRect(&item, -origin.x, -origin.y);
        item.left = rect->left;
        item.right = rect->right;
        int middle = item.top + (item.bottom - item.top) / 2;
        COLORREF menuColour = GetSysColor(COLOR_MENU);
        // The dots fade into the popup's own background (the library's dark one in dark
        // mode, the menu colour otherwise).
        COLORREF surface = GetPixel(dc, item.left, middle);
        if (surface != CLR_INVALID)
            menuColour = surface;
        HBRUSH background = CreateSolidBrush(menuColour);
        FillRect(dc, &item, background);
        DeleteObject(background);
        int width = item.right - item.left - 8;
        for (int x = 0; x < width; x += 2) {
            int fade = x * 255 / width;
            SetPixel(dc, item.left + 4 + x, middle,
                     RGB((GetRValue(ink) * (255 - fade) + GetRValue(menuColour) * fade) / 255,
                         (GetGValue(ink) * (255 - fade) + GetGValue(menuColour) * fade) / 255,
                         (GetBValue(ink) * (255 - fade) + GetBValue(menuColour) * fade) / 255));
        }
    }
    return 0;
}

void AppendPaintedSeparator(HMENU menu, UINT id)
{
    MENUITEMINFOA item = {};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA;
    item.fType = MFT_SEPARATOR;
    item.wID = id;
    item.dwItemData = reinterpret_cast<ULONG_PTR>(&PaintDottedSeparator);
    InsertMenuItemA(menu, GetMenuItemCount(menu), TRUE, &item);
}

std::vector<unsigned char> MakeClickSound()
{
    constexpr uint32_t rate = 8000, samples = 640;
    std::vector<unsigned char> wave(44 + samples);
    auto put32 = [&](size_t at, uint32_t value) { std::memcpy(&wave[at], &value, 4); };
    auto put16 = [&](size_t at, uint16_t value) { std::memcpy(&wave[at], &value, 2); };
    std::memcpy(&wave[0], "RIFF", 4);
    put32(4, 36 + samples);
    std::memcpy(&wave[8], "WAVEfmt ", 8);
    put32(16, 16);
    put16(20, 1); // PCM
    put16(22, 1); // mono
    put32(24, rate);
    put32(28, rate);
    put16(32, 1);
    put16(34, 8);
    std::memcpy(&wave[36], "data", 4);
    put32(40, samples);
    for (uint32_t i = 0; i < samples; ++i) {
        double envelope = std::exp(-static_cast<double>(i) / 90.0);
        wave[44 + i] = static_cast<unsigned char>(128 + 90 * envelope * std::sin(i * 2 * 3.14159265 * 1200 / rate));
    }
    return wave;
}

} // namespace sample_art
