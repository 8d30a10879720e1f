// Windows benchmark of CreateFillBmp. First the generator alone as the DLL's compiler
// builds it (1920 x 1080, ns/pixel); then the whole call at 512 x 512 with the highlighted
// copy, every kind, against the system making the same two screen-compatible bitmaps from
// ready 32-bit pixels (two CreateDIBitmap calls), timed side by side in the same run.
// Prints figures; not a test.   fillbmp_call_bench.exe [generator runs, default 10]
#include <windows.h>

#include "bench_report.h"
#include "fillbmp_bench_core.h"
#include "varnelle.h"

#include <cstdlib>
#include <vector>

namespace {

constexpr int kSide = 512;

// Two bitmaps compatible with the screen from ready 32-bit pixels, as the system makes them.
struct SystemPair {
    BITMAPINFO info = {};
    std::vector<uint32_t> pixels = std::vector<uint32_t>(kSide * kSide);
    HDC screen = GetDC(nullptr);

    SystemPair()
    {
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), kSide, kSide, 1, 32, BI_RGB};
        for (size_t i = 0; i < pixels.size(); ++i)
            pixels[i] = static_cast<uint32_t>(i * 2654435761u) & 0xFFFFFF;
    }
    ~SystemPair() { ReleaseDC(nullptr, screen); }
    void operator()() const
    {
        HBITMAP plain = CreateDIBitmap(screen, &info.bmiHeader, CBM_INIT, pixels.data(), &info, DIB_RGB_COLORS);
        HBITMAP lighter = CreateDIBitmap(screen, &info.bmiHeader, CBM_INIT, pixels.data(), &info, DIB_RGB_COLORS);
        DeleteObject(plain);
        DeleteObject(lighter);
    }
};

} // namespace

int main(int argc, char** argv)
{
    int runs = argc > 1 ? std::atoi(argv[1]) : 10;
    runs = runs > 0 ? runs : 10;
    double generator = fillbmp_bench::ReportGenerator(runs);

    HDC screen = GetDC(nullptr);
    std::printf("\nwhole CreateFillBmp call, %d x %d, n = 10, highlight 40 %%, screen of %d bits per pixel\n", kSide,
                kSide, GetDeviceCaps(screen, BITSPIXEL));
    ReleaseDC(nullptr, screen);
    std::printf("kind  CreateFillBmp   system pair   (ns/pixel of the image)\n");
    const RECT rect = {0, 0, kSide, kSide};
    const double pixels = double(kSide) * kSide;
    SystemPair system;
    // The system's pair is the same work beside every kind: its fastest of the whole run
    // is the yardstick for each kind.
    double oursSeconds[10] = {}, systemSeconds = 1e30;
    for (int kind = 1; kind <= 9; ++kind) {
        bool failed = false;
        auto ours = [&] {
            unsigned __int64 result = CreateFillBmp(kind, &rect, 10, 40, 0, 0);
            failed = failed || VarnelleFillBmpPlain(result) == nullptr || VarnelleFillBmpHighlighted(result) == nullptr;
            DeleteObject(VarnelleFillBmpPlain(result));
            DeleteObject(VarnelleFillBmpHighlighted(result));
        };
        double pairSeconds = 0;
        bench::FastestSideBySide(ours, system, oursSeconds[kind], pairSeconds, 12);
        systemSeconds = pairSeconds < systemSeconds ? pairSeconds : systemSeconds;
        std::printf("%4d  %13.3f  %12.3f%s\n", kind, oursSeconds[kind] * 1e9 / pixels, pairSeconds * 1e9 / pixels,
                    failed ? "  (a bitmap was missing)" : "");
    }
    int worstKind = 1;
    std::printf("ratio to the system's fastest pair:");
    for (int kind = 1; kind <= 9; ++kind) {
        std::printf(" %.2f", oursSeconds[kind] / systemSeconds);
        worstKind = oursSeconds[kind] > oursSeconds[worstKind] ? kind : worstKind;
    }
    std::printf("\ngenerator alone, slowest kind: %.3f ns/pixel\n", generator);
    char what[96];
    std::snprintf(what, sizeof what, "CreateFillBmp 512x512 + highlight (kind %d, the slowest)", worstKind);
    bench::PrintRatio(what, oursSeconds[worstKind], systemSeconds);

    // On a busy machine a longer call is more often interrupted: the thread's own time
    // compares the work alone.
    auto slowest = [&] {
        unsigned __int64 result = CreateFillBmp(worstKind, &rect, 10, 40, 0, 0);
        DeleteObject(VarnelleFillBmpPlain(result));
        DeleteObject(VarnelleFillBmpHighlighted(result));
    };
    const double oursThread = bench::ThreadSecondsPerCall(slowest, 1.5);
    const double systemThread = bench::ThreadSecondsPerCall(system, 1.5);
    std::snprintf(what, sizeof what, "CreateFillBmp 512x512 + highlight (kind %d), thread time", worstKind);
    bench::PrintRatio(what, oursThread, systemThread);
    return 0;
}
