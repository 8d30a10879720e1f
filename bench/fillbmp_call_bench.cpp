// Windows benchmark of CreateFillBmp. First the generator alone as the DLL's compiler
// builds it (1920 x 1080, ns/pixel); then the whole call at 512 x 512 for every kind,
// highlight 0, 1, 40 and 100 and grain 0, 20 and 40, against the system making the same
// screen-compatible bitmaps from ready 32-bit pixels (CreateDIBitmap), side by side.
// Prints figures; not a test.   fillbmp_call_bench.exe [generator runs, default 10]
#include <windows.h>

#include "bench_report.h"
#include "fillbmp_bench_core.h"
#include "varnelle.h"

#include <cstdlib>
#include <vector>

namespace {

constexpr int kSide = 512;

// The bitmaps CreateFillBmp returns, made by the system from ready 32-bit pixels: two
// screen-compatible bitmaps, or one where the call makes no highlighted copy.
struct SystemBitmaps {
    BITMAPINFO info = {};
    std::vector<uint32_t> pixels = std::vector<uint32_t>(kSide * kSide);
    HDC screen = GetDC(nullptr);
    int count = 2;

    SystemBitmaps()
    {
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), kSide, kSide, 1, 32, BI_RGB};
        for (size_t i = 0; i < pixels.size(); ++i)
            pixels[i] = static_cast<uint32_t>(i * 2654435761u) & 0xFFFFFF;
    }
    ~SystemBitmaps() { ReleaseDC(nullptr, screen); }
    void operator()() const
    {
        // Both live at once, as the two CreateFillBmp returns are.
        HBITMAP made[2] = {};
        for (int i = 0; i < count; ++i)
            made[i] = CreateDIBitmap(screen, &info.bmiHeader, CBM_INIT, pixels.data(), &info, DIB_RGB_COLORS);
        for (HBITMAP bitmap : made)
            DeleteObject(bitmap);
    }
};

} // namespace

int main(int argc, char** argv)
{
    int runs = argc > 1 ? std::atoi(argv[1]) : 10;
    runs = runs > 0 ? runs : 10;
    double generator = fillbmp_bench::ReportGenerator(runs);

    HDC screen = GetDC(nullptr);
    std::printf("\nwhole CreateFillBmp call, %d x %d, screen of %d bits per pixel: its time over the system\n"
                "making the same bitmaps (two, or one without a highlight), side by side\n",
                kSide, kSide, GetDeviceCaps(screen, BITSPIXEL));
    ReleaseDC(nullptr, screen);
    const RECT rect = {0, 0, kSide, kSide};
    constexpr int kHighlights[] = {0, 1, 40, 100};
    constexpr int kGrains[] = {0, 20, 40};
    std::printf("kind");
    for (int highlight : kHighlights)
        for (int grain : kGrains)
            std::printf("  h%-3d g%-2d", highlight, grain);
    std::printf("\n");
    SystemBitmaps system;
    double worstRatio = 0, worstOurs = 0, worstSystem = 0;
    int worstKind = 1, worstHighlight = 0, worstGrain = 0;
    bool failed = false;
    for (int kind = 1; kind <= 9; ++kind) {
        std::printf("%4d", kind);
        for (int highlight : kHighlights) {
            system.count = highlight != 0 ? 2 : 1;
            for (int grain : kGrains) {
                auto ours = [&] {
                    unsigned __int64 result = CreateFillBmp(kind, &rect, grain, highlight, 0, 0);
                    failed = failed || VarnelleFillBmpPlain(result) == nullptr ||
                             (highlight != 0 && VarnelleFillBmpHighlighted(result) == nullptr);
                    DeleteObject(VarnelleFillBmpPlain(result));
                    DeleteObject(VarnelleFillBmpHighlighted(result));
                };
                double oursSeconds = 0, systemSeconds = 0;
                bench::FastestSideBySide(ours, system, oursSeconds, systemSeconds, 4, 6);
                const double ratio = oursSeconds / systemSeconds;
                std::printf("  %9.2f", ratio);
                if (ratio > worstRatio) {
                    worstRatio = ratio;
                    worstOurs = oursSeconds;
                    worstSystem = systemSeconds;
                    worstKind = kind;
                    worstHighlight = highlight;
                    worstGrain = grain;
                }
            }
        }
        std::printf("\n");
    }
    if (failed)
        std::printf("a bitmap was missing\n");
    std::printf("generator alone, slowest kind: %.3f ns/pixel\n", generator);
    char what[96];
    std::snprintf(what, sizeof what, "CreateFillBmp 512x512, worst of kinds/highlights/grains (%d, %d, %d)", worstKind,
                  worstHighlight, worstGrain);
    bench::PrintRatio(what, worstOurs, worstSystem);

    // On a busy machine a longer call is more often interrupted: the thread's own time
    // compares the work alone.
    system.count = worstHighlight != 0 ? 2 : 1;
    auto worst = [&] {
        unsigned __int64 result = CreateFillBmp(worstKind, &rect, worstGrain, worstHighlight, 0, 0);
        DeleteObject(VarnelleFillBmpPlain(result));
        DeleteObject(VarnelleFillBmpHighlighted(result));
    };
    const double oursThread = bench::ThreadSecondsPerCall(worst, 1.5);
    const double systemThread = bench::ThreadSecondsPerCall(system, 1.5);
    std::snprintf(what, sizeof what, "the same, thread time");
    bench::PrintRatio(what, oursThread, systemThread);
    return 0;
}
