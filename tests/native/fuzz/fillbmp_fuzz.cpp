// libFuzzer target: the fill-bitmap generator and palettes against the literal model
// for any kind, size, noise, generator state, percentages and colours. Buffers are
// exactly sized, so ASan reports any write outside the pixel area.
#include "fillbmp/fill_palette.h"
#include "fillbmp/fill_pattern.h"
#include "fillbmp/fill_random.h"
#include "fillbmp_reference.h"
#include "fuzz_input.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

using fuzz_input::Check;
using fuzz_input::Input;

void CheckPalettes(Input& input)
{
    const uint32_t shadow = input.take<uint32_t>() & 0xFFFFFF; // GetSysColor has no top byte
    const uint32_t face = input.take<uint32_t>() & 0xFFFFFF;
    const uint32_t hilite = input.take<uint32_t>() & 0xFFFFFF;
    const int32_t highlight = input.take<int32_t>();
    const int32_t tint = input.take<int32_t>();
    const uint32_t tintColour = input.take<uint32_t>();
    const int32_t highlightPercent = varnelle::FillPercentage(highlight);
    std::vector<uint8_t> plain(1024), lighter(1024);
    varnelle::BuildFillPalettes({shadow, face, hilite}, highlightPercent, varnelle::FillPercentage(tint), tintColour,
                                plain.data(), highlightPercent ? lighter.data() : nullptr);
    fill_reference::Palettes expected =
        fill_reference::BuildPalettes(shadow, face, hilite, highlight, tint, tintColour);
    Check(plain == expected.plain);
    if (highlightPercent)
        Check(lighter == expected.highlighted);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Input input{data, size};
    const uint8_t kindByte = input.take<uint8_t>();
    const int32_t kind = kindByte < 240 ? kindByte % 12 - 1 : input.take<int32_t>();
    int64_t width = 1 + input.take<uint16_t>() % 32767;
    int64_t height = 1 + input.take<uint16_t>() % 32767;
    const uint8_t shape = input.take<uint8_t>();
    if (shape & 1) { // any 32-bit sides, to exercise the size check
        width = input.take<int32_t>();
        height = input.take<int32_t>();
    }
    const int32_t noise = (shape & 2) ? input.take<int32_t>() : input.take<int8_t>();
    const uint32_t seed = input.take<uint32_t>();
    CheckPalettes(input);

    if (!varnelle::FillSizeIsDrawable(kind, width, height)) {
        Check(width < 1 || height < 1 || width > 32767 || height > 32767 || (kind == 8 && height < 2));
        return 0;
    }
    // Keep each run short: long sides stay, the other side shrinks.
    if (width * height > (1 << 16))
        (width > height ? height : width) = (1 << 16) / (width > height ? width : height);
    if (height < 2 && kind == 8)
        height = 2;
    const auto W = static_cast<int32_t>(width);
    const auto H = static_cast<int32_t>(height);

    fill_reference::Image expected(W, H);
    const uint32_t expectedSeed = fill_reference::Draw(kind, noise, expected, seed);
    std::vector<uint8_t> pixels(expected.pixels.size(), 0xA5);
    for (int32_t r = 0; r < H; ++r)
        memset(pixels.data() + static_cast<size_t>(r) * expected.stride, 0, static_cast<size_t>(W));
    std::vector<uint8_t> scratch(varnelle::FillScratchBytes(W));
    varnelle::FillImage image{pixels.data(), W, H, expected.stride};
    const uint32_t seedAfter = varnelle::DrawFillPattern(kind, noise, image, scratch.data(), seed);

    Check(seedAfter == expectedSeed);
    Check(seedAfter == varnelle::LcgJumpBy(varnelle::FillRandomCount(kind, W, H)).apply(seed));
    for (int32_t r = 0; r < H; ++r)
        for (uint32_t x = 0; x < expected.stride; ++x) {
            uint8_t got = pixels[static_cast<size_t>(r) * expected.stride + x];
            Check(got == (x < static_cast<uint32_t>(W) ? expected.at(static_cast<int32_t>(x), r) : 0xA5));
        }
    return 0;
}
