// DrawGradient against the system's GradientFill (through Gradient_Fill) on one
// 1920 x 1080 32-bit target, both directions, timed side by side in the same run, and the
// largest channel difference between the two pictures (the library rounds its own way,
// so a difference of 1 is expected). Prints figures; not a test.
#include "bench_report.h"
#include "varnelle.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr COLORREF kStart = RGB(0x20, 0x60, 0xC0);
constexpr COLORREF kEnd = RGB(0xF0, 0xE0, 0x10);

int LargestChannelDifference(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b)
{
    int largest = 0;
    for (size_t i = 0; i < a.size(); ++i)
        for (int shift : {0, 8, 16}) {
            int difference = std::abs(static_cast<int>((a[i] >> shift) & 0xFF) - static_cast<int>((b[i] >> shift) & 0xFF));
            largest = difference > largest ? difference : largest;
        }
    return largest;
}

} // namespace

int main()
{
    bench::Canvas target(kWidth, kHeight);
    if (!target.ready()) {
        std::printf("could not create the %d x %d target\n", kWidth, kHeight);
        return 1;
    }
    const RECT rect = {0, 0, kWidth, kHeight};
    std::printf("target: %d x %d 32-bit DIB section, %s build\n", kWidth, kHeight,
                sizeof(void*) == 8 ? "64-bit" : "32-bit");
    std::printf("%-11s %13s %13s %7s %9s\n", "direction", "DrawGradient", "GradientFill", "ratio", "max diff");
    double oursSeconds[2] = {}, systemSeconds[2] = {};
    for (int vertical : {1, 0}) {
        auto ours = [&] { DrawGradient(target.dc(), &rect, kStart, kEnd, vertical); };
        auto system = [&] { Gradient_Fill(target.dc(), &rect, kStart, kEnd, vertical); };
        bench::FastestSideBySide(ours, system, oursSeconds[vertical], systemSeconds[vertical], 10, 20);
        ours();
        std::vector<uint32_t> ourPixels = target.pixels();
        system();
        std::vector<uint32_t> systemPixels = target.pixels();
        std::printf("%-11s %10.3f ms %10.3f ms %7.2f %9d\n", vertical ? "vertical" : "horizontal",
                    oursSeconds[vertical] * 1e3, systemSeconds[vertical] * 1e3,
                    oursSeconds[vertical] / systemSeconds[vertical], LargestChannelDifference(ourPixels, systemPixels));
    }
    bench::PrintRatio("DrawGradient 1920x1080, vertical", oursSeconds[1], systemSeconds[1]);
    bench::PrintRatio("DrawGradient 1920x1080, horizontal", oursSeconds[0], systemSeconds[0]);
    return 0;
}
