// CreateFillBmp: lays out one block as bitmap header, palette and pixels, has the
// platform-free generator draw into it, and turns it into screen-compatible bitmaps.
#include "../core/exports.h"
#include "../core/gdi_handles.h"
#include "../core/memory_routines.h"
#include "../core/module_state.h"
#include "fill_palette.h"
#include "fill_pattern.h"

using namespace varnelle;

namespace {

constexpr uint32_t kHeaderBytes = sizeof(BITMAPINFOHEADER);
constexpr uint32_t kPixelOffset = kHeaderBytes + kFillPaletteBytes;
static_assert(kHeaderBytes == 40 && kPixelOffset == 1064, "header and palette precede the pixels");

// Each half holds the low 32 bits of a handle: all that a GDI handle uses on 64-bit
// Windows too (varnelle.h's VarnelleFillBmpPlain / VarnelleFillBmpHighlighted undo it).
uint64_t PackBitmaps(HBITMAP plain, HBITMAP highlighted)
{
    return static_cast<uint64_t>(static_cast<uint32_t>(reinterpret_cast<ULONG_PTR>(plain))) |
           (static_cast<uint64_t>(static_cast<uint32_t>(reinterpret_cast<ULONG_PTR>(highlighted))) << 32);
}

HBITMAP MakeBitmap(HDC screen, const uint8_t* block)
{
    auto* info = reinterpret_cast<const BITMAPINFO*>(block);
    return CreateDIBitmap(screen, &info->bmiHeader, CBM_INIT, block + kPixelOffset, info, DIB_RGB_COLORS);
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
    const uint32_t rowBytes = FillRowBytes(W);
    const uint32_t imageBytes = rowBytes * static_cast<uint32_t>(H);
    // The generator's scratch follows the pixels in the same zero-filled block.
    unique_global block(GlobalAlloc(GMEM_ZEROINIT, kPixelOffset + imageBytes + FillScratchBytes(W)));
    if (!block)
        return 0;
    auto* base = static_cast<uint8_t*>(block.get());

    BITMAPINFOHEADER header = {};
    header.biSize = kHeaderBytes;
    header.biWidth = W;
    header.biHeight = H; // positive: rows stored bottom-up
    header.biPlanes = 1;
    header.biBitCount = 8;
    header.biCompression = BI_RGB;
    header.biSizeImage = imageBytes;
    CopyBytes(&header, base, kHeaderBytes);

    const FillColours colours{GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNFACE),
                              GetSysColor(COLOR_BTNHIGHLIGHT)};
    uint8_t lighterPalette[kFillPaletteBytes];
    BuildFillPalettes(colours, highlightPercent, tintPercent, tintColor, base + kHeaderBytes,
                      highlightPercent != 0 ? lighterPalette : nullptr);

    const FillImage image{base + kPixelOffset, W, H, rowBytes};
    ModuleState.RandomSeed =
        DrawFillPattern(kind, noise, image, base + kPixelOffset + imageBytes, ModuleState.RandomSeed);

    unique_hbitmap plain(MakeBitmap(screen.get(), base));
    if (!plain)
        return 0;
    unique_hbitmap highlighted;
    if (highlightPercent != 0) {
        // The same pixels with the lighter colour table.
        CopyBytes(lighterPalette, base + kHeaderBytes, kFillPaletteBytes);
        highlighted.reset(MakeBitmap(screen.get(), base));
        if (!highlighted)
            return 0;
    }
    return PackBitmaps(plain.release(), highlighted.release());
}
