// DrawGradient against the system's GradientFill (through Gradient_Fill) on one
// 1920 x 1080 32-bit target, both directions, in megapixels per second. Also times the
// library's pixel fill alone into memory already in use, and the first touch of freshly
// committed memory of the off-screen bitmap's size, to show where DrawGradient's time goes:
// it builds the gradient in a new DIB section at every call, so it pays for committing
// those pages, where GradientFill writes into the target only. Prints figures; not a test.
//   gradient_bench.exe [seconds per measurement, default 0.5]
#include "colour/gradient_math.h"
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

double Seconds()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Best time of one call over a few rounds, each at least `budget` / 5 seconds long.
template <typename Call>
double BestSecondsPerCall(Call call, double budget)
{
    call();
    double best = 1e9;
    for (int round = 0; round < 5; ++round) {
        int calls = 0;
        double start = Seconds(), elapsed = 0;
        do {
            call();
            ++calls;
            GdiFlush();
            elapsed = Seconds() - start;
        } while (elapsed < budget / 5);
        if (elapsed / calls < best)
            best = elapsed / calls;
    }
    return best;
}

struct Target {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    uint32_t* bits = nullptr;

    Target()
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = kWidth;
        info.bmiHeader.biHeight = -kHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* pixels = nullptr;
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
        bits = static_cast<uint32_t*>(pixels);
        previous = SelectObject(dc, bitmap);
    }
    ~Target()
    {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    std::vector<uint32_t> pixels() const
    {
        GdiFlush();
        return std::vector<uint32_t>(bits, bits + kWidth * kHeight);
    }
};

// Largest difference of one channel between the two pictures.
int LargestChannelDifference(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b)
{
    int largest = 0;
    for (size_t i = 0; i < a.size(); ++i)
        for (int shift : {0, 8, 16}) {
            int difference = std::abs(static_cast<int>((a[i] >> shift) & 0xFF) - static_cast<int>((b[i] >> shift) & 0xFF));
            if (difference > largest)
                largest = difference;
        }
    return largest;
}

} // namespace

int main(int argc, char** argv)
{
    double budget = argc > 1 ? std::atof(argv[1]) : 0.5;
    if (budget <= 0)
        budget = 0.5;
    Target target;
    if (!target.bits) {
        std::printf("could not create the %d x %d target\n", kWidth, kHeight);
        return 1;
    }
    const RECT rect = {0, 0, kWidth, kHeight};
    const double megapixels = kWidth * kHeight / 1e6;
    std::vector<uint32_t> scratch(kWidth * kHeight);

    std::printf("target: %d x %d 32-bit DIB section, %s build\n", kWidth, kHeight,
                sizeof(void*) == 8 ? "64-bit" : "32-bit");
    std::printf("%-11s %14s %14s %8s %16s %12s\n", "direction", "DrawGradient", "GradientFill", "ratio",
                "fill alone", "max diff");
    for (int vertical : {1, 0}) {
        double ours = BestSecondsPerCall([&] { DrawGradient(target.dc, &rect, kStart, kEnd, vertical); }, budget);
        std::vector<uint32_t> ourPixels = target.pixels();
        double system = BestSecondsPerCall([&] { Gradient_Fill(target.dc, &rect, kStart, kEnd, vertical); }, budget);
        std::vector<uint32_t> systemPixels = target.pixels();
        double fill = BestSecondsPerCall(
            [&] { varnelle::FillGradient(scratch.data(), kWidth, kHeight, kStart, kEnd, vertical != 0); }, budget);
        std::printf("%-11s %9.1f MP/s %9.1f MP/s %7.3fx %11.1f MP/s %12d\n", vertical ? "vertical" : "horizontal",
                    megapixels / ours, megapixels / system, system / ours, megapixels / fill,
                    LargestChannelDifference(ourPixels, systemPixels));
    }
    double touch = BestSecondsPerCall(
        [] {
            const SIZE_T bytes = SIZE_T{kWidth} * kHeight * 4;
            auto* fresh = static_cast<volatile uint32_t*>(VirtualAlloc(nullptr, bytes, MEM_COMMIT, PAGE_READWRITE));
            for (SIZE_T offset = 0; fresh && offset < bytes / 4; offset += 1024)
                fresh[offset] = 1;
            VirtualFree(const_cast<uint32_t*>(fresh), 0, MEM_RELEASE);
        },
        budget);
    std::printf("first touch of %d x %d x 4 bytes of new memory (one store per 4 KB page): %.2f ms\n", kWidth, kHeight,
                touch * 1e3);
    std::printf("ratio: DrawGradient's speed over GradientFill's; max diff: largest channel difference "
                "between the two pictures\n");
    return 0;
}
