// CreateFillBmp: has the platform-free generator draw the image a band of rows at a time
// into one small block (bitmap headers, palettes, scratch and the band), and hands each
// band to screen-compatible bitmaps.
#include "../core/exports.h"
#include "../core/gdi_handles.h"
#include "../core/memory_routines.h"
#include "../core/module_state.h"
#include "fill_palette.h"
#include "fill_pattern.h"
#include "fill_random.h"

using namespace varnelle;

namespace {

constexpr uint32_t kHeaderBytes = sizeof(BITMAPINFOHEADER);
constexpr uint32_t kInfoBytes = kHeaderBytes + kFillPaletteBytes; // a BITMAPINFO with 256 colours
static_assert(kHeaderBytes == 40 && kInfoBytes == 1064, "header, then palette");

// Working memory for one call. The process heap keeps a block this small committed
// between calls, where a block the size of the image would be new memory at every call,
// costing page faults worth as much as a good part of the bitmaps themselves. Wider
// images than it allows take one row per band and a larger block.
constexpr uint32_t kWorkingBytes = 60 * 1024;

// Each half holds the low 32 bits of a handle: all that a GDI handle uses on 64-bit
// Windows too (varnelle.h's VarnelleFillBmpPlain / VarnelleFillBmpHighlighted undo it).
uint64_t PackBitmaps(HBITMAP plain, HBITMAP highlighted)
{
    return static_cast<uint64_t>(static_cast<uint32_t>(reinterpret_cast<ULONG_PTR>(plain))) |
           (static_cast<uint64_t>(static_cast<uint32_t>(reinterpret_cast<ULONG_PTR>(highlighted))) << 32);
}

// The block: the plain and the lighter BITMAPINFO, the generator's scratch, a band of
// palette indexes and, for a screen of 32 bits per pixel, the same band in pixel words.
struct Layout {
    int32_t bandRows;
    uint32_t scratch;
    uint32_t indexes;
    uint32_t words;
    uint32_t total;
};

Layout LayOut(int32_t width, int32_t height, bool asWords)
{
    const uint32_t rowBytes = FillRowBytes(width);
    const uint32_t wordBytes = asWords ? 4u * static_cast<uint32_t>(width) : 0;
    const uint32_t fixed = 2 * kInfoBytes + FillScratchBytes(width) + 3u;
    int32_t rows = 1;
    if (fixed < kWorkingBytes)
        rows = static_cast<int32_t>((kWorkingBytes - fixed) / (rowBytes + wordBytes));
    rows = rows < 1 ? 1 : rows > height ? height : rows;
    Layout layout = {};
    layout.bandRows = rows;
    layout.scratch = 2 * kInfoBytes;
    layout.indexes = (layout.scratch + FillScratchBytes(width) + 3u) & ~3u; // words stay aligned after it
    layout.words = layout.indexes + rowBytes * static_cast<uint32_t>(rows);
    layout.total = layout.words + wordBytes * static_cast<uint32_t>(rows);
    return layout;
}

// Hands rows first .. first + count - 1 of the image to a bitmap made as CreateDIBitmap
// makes it. On a screen of 32 bits per pixel they go as 32-bit pixel words, which the
// system copies as they are (their colours are exactly the palette's); on other screens
// as palette indexes, which the system converts to the screen's format as it always has.
[[nodiscard]] bool HandOver(HDC screen, HBITMAP bitmap, const uint8_t* info, const FillImage& band,
                            uint32_t* words)
{
    const auto first = static_cast<UINT>(band.bandBegin());
    const auto count = static_cast<UINT>(band.bandEnd() - band.bandBegin());
    if (!words)
        return SetDIBits(screen, bitmap, first, count, band.pixels, reinterpret_cast<const BITMAPINFO*>(info),
                         DIB_RGB_COLORS) != 0;
    ExpandFillRows(band.pixels, band.stride, band.width, static_cast<int32_t>(count), info + kHeaderBytes, words);
    BITMAPINFO wordsInfo = {};
    wordsInfo.bmiHeader.biSize = kHeaderBytes;
    wordsInfo.bmiHeader.biWidth = band.width;
    wordsInfo.bmiHeader.biHeight = band.height; // bottom-up; the band's first row is scan line `first`
    wordsInfo.bmiHeader.biPlanes = 1;
    wordsInfo.bmiHeader.biBitCount = 32;
    wordsInfo.bmiHeader.biCompression = BI_RGB;
    return SetDIBits(screen, bitmap, first, count, words, &wordsInfo, DIB_RGB_COLORS) != 0;
}

} // namespace

// Any failure (no rectangle, a size the patterns are not defined for, no memory, no
// bitmap) returns 0 in both halves and leaves no object behind.
extern "C" unsigned __int64 WINAPI CreateFillBmp(int kind, const RECT* rect, int noise, int highlight, int tint,
                                                 COLORREF tintColor) noexcept
{
    if (!rect)
        return 0;
    const int64_t width = static_cast<int64_t>(rect->right) - rect->left;
    const int64_t height = static_cast<int64_t>(rect->bottom) - rect->top;
    if (!FillSizeIsDrawable(kind, width, height))
        return 0;
    const auto W = static_cast<int32_t>(width);
    const auto H = static_cast<int32_t>(height);
    const int32_t highlightPercent = FillPercentage(highlight);
    const int32_t tintPercent = FillPercentage(tint);

    unique_window_dc screen(nullptr);
    if (!screen)
        return 0;
    const bool asWords = GetDeviceCaps(screen.get(), BITSPIXEL) == 32 && GetDeviceCaps(screen.get(), PLANES) == 1;
    const Layout layout = LayOut(W, H, asWords);
    unique_global block(GlobalAlloc(GMEM_ZEROINIT, layout.total));
    if (!block)
        return 0;
    auto* base = static_cast<uint8_t*>(block.get());
    uint8_t* plainInfo = base;
    uint8_t* lighterInfo = base + kInfoBytes;

    const uint32_t rowBytes = FillRowBytes(W);
    BITMAPINFOHEADER header = {};
    header.biSize = kHeaderBytes;
    header.biWidth = W;
    header.biHeight = H; // positive: rows stored bottom-up
    header.biPlanes = 1;
    header.biBitCount = 8;
    header.biCompression = BI_RGB;
    header.biSizeImage = rowBytes * static_cast<uint32_t>(H);
    CopyBytes(&header, plainInfo, kHeaderBytes);
    CopyBytes(&header, lighterInfo, kHeaderBytes);

    const FillColours colours{GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNFACE),
                              GetSysColor(COLOR_BTNHIGHLIGHT)};
    BuildFillPalettes(colours, highlightPercent, tintPercent, tintColor, plainInfo + kHeaderBytes,
                      highlightPercent != 0 ? lighterInfo + kHeaderBytes : nullptr);

    // The image's random numbers are drawn from here in every band; the sequence moves on
    // past all of them.
    const uint32_t seed = ModuleState.RandomSeed;
    ModuleState.RandomSeed = LcgJumpBy(FillRandomCount(kind, W, H)).apply(seed);

    unique_hbitmap plain(CreateCompatibleBitmap(screen.get(), W, H));
    unique_hbitmap highlighted(highlightPercent != 0 ? CreateCompatibleBitmap(screen.get(), W, H) : nullptr);
    if (!plain || (highlightPercent != 0 && !highlighted))
        return 0;
    uint32_t* words = asWords ? reinterpret_cast<uint32_t*>(base + layout.words) : nullptr;
    for (int32_t first = 0; first < H; first += layout.bandRows) {
        const int32_t rows = H - first < layout.bandRows ? H - first : layout.bandRows;
        const FillImage band{base + layout.indexes, W, H, rowBytes, first, rows};
        DrawFillPattern(kind, noise, band, base + layout.scratch, seed);
        if (!HandOver(screen.get(), plain.get(), plainInfo, band, words))
            return 0;
        // The same pixels with the lighter colour table.
        if (highlighted && !HandOver(screen.get(), highlighted.get(), lighterInfo, band, words))
            return 0;
    }
    return PackBitmaps(plain.release(), highlighted.release());
}
