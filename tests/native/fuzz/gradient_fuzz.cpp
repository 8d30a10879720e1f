// libFuzzer target: the colour steps of two-colour gradients. Every step of a gradient
// lies channel by channel between its two colours, the first step is the start colour,
// and a filled buffer (exactly sized, for ASan) holds one step per row or column.
#include "colour/gradient_math.h"
#include "fuzz_input.h"

#include <vector>

using fuzz_input::Check;
using namespace varnelle;

namespace {

uint32_t Channel(uint32_t pixel, int shift)
{
    return (pixel >> shift) & 0xFF;
}

bool Between(uint32_t value, uint32_t a, uint32_t b)
{
    return a <= b ? (value >= a && value <= b) : (value >= b && value <= a);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz_input::Input input{data, size};
    const uint32_t start = input.take<uint32_t>();
    const uint32_t end = input.take<uint32_t>();
    const int32_t count = 1 + (input.take<uint32_t>() & 0xFFFFF);
    const int32_t index = static_cast<int32_t>(input.take<uint32_t>() % static_cast<uint32_t>(count));
    const uint32_t pixel = GradientStepPixel(start, end, index, count);
    Check((pixel >> 24) == 0);
    // The DIB word is 0x00RRGGBB; the colours are 0x00BBGGRR.
    Check(Between(Channel(pixel, 16), start & 0xFF, end & 0xFF));
    Check(Between(Channel(pixel, 8), (start >> 8) & 0xFF, (end >> 8) & 0xFF));
    Check(Between(Channel(pixel, 0), (start >> 16) & 0xFF, (end >> 16) & 0xFF));
    const uint32_t first = GradientStepPixel(start, end, 0, count);
    Check(first == (((start & 0xFF) << 16) | (start & 0xFF00) | ((start >> 16) & 0xFF)));
    // Any step index a caller could pass, in range or not, is defined behaviour.
    (void)GradientStepPixel(start, end, input.take<int32_t>(), input.take<int32_t>());

    const int32_t width = input.take<uint8_t>() % 70;
    const int32_t height = input.take<uint8_t>() % 70;
    const bool vertical = (input.take<uint8_t>() & 1) != 0;
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    FillGradient(pixels.empty() ? nullptr : pixels.data(), width, height, start, end, vertical);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t expected = vertical ? GradientStepPixel(start, end, y, height)
                                               : GradientStepPixel(start, end, x, width);
            Check(pixels[static_cast<size_t>(y) * width + x] == expected);
        }
    }
    return 0;
}
