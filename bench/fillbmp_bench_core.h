// Times the fill-bitmap generator alone: DrawFillPattern into a 1920 x 1080 image, best
// of several runs, in nanoseconds per pixel. Shared by the native and the Windows bench.
#pragma once
#include "fillbmp/fill_pattern.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace fillbmp_bench {

inline constexpr int32_t kWidth = 1920;
inline constexpr int32_t kHeight = 1080;

template <typename Body>
double BestNanosecondsPerPixel(int runs, Body&& body)
{
    double best = 1e300;
    for (int run = 0; run < runs; ++run) {
        auto start = std::chrono::steady_clock::now();
        body();
        std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - start;
        double perPixel = elapsed.count() / (double(kWidth) * kHeight);
        best = perPixel < best ? perPixel : best;
    }
    return best;
}

// One line per kind: the generator's ns/pixel for n = 0, 10 and 100.
inline double ReportGenerator(int runs)
{
    std::vector<uint8_t> pixels(static_cast<size_t>(varnelle::FillRowBytes(kWidth)) * kHeight);
    std::vector<uint8_t> scratch(varnelle::FillScratchBytes(kWidth));
    varnelle::FillImage image{pixels.data(), kWidth, kHeight, varnelle::FillRowBytes(kWidth)};
    uint32_t seed = 12345678u;
    double worst = 0;
    std::printf("generator alone, %d x %d, ns/pixel (best of %d)\n", kWidth, kHeight, runs);
    std::printf("kind   n=0     n=10    n=100\n");
    for (int32_t kind = 1; kind <= 9; ++kind) {
        std::printf("%4d", kind);
        for (int32_t noise : {0, 10, 100}) {
            double ns = BestNanosecondsPerPixel(
                runs, [&] { seed = varnelle::DrawFillPattern(kind, noise, image, scratch.data(), seed); });
            worst = ns > worst ? ns : worst;
            std::printf("  %6.3f", ns);
        }
        std::printf("\n");
    }
    std::printf("slowest: %.3f ns/pixel (checksum %u)\n", worst, seed);
    return worst;
}

} // namespace fillbmp_bench
