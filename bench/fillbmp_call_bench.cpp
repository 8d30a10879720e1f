// Windows benchmark: the generator as the DLL's compiler builds it, then the whole
// CreateFillBmp call (set-up, generator, one or two CreateDIBitmap, freeing), 1920 x 1080,
// in nanoseconds per pixel. Run it under Wine or Windows; it prints figures.
#include <windows.h>

#include "fillbmp_bench_core.h"
#include "varnelle.h"

#include <cstdlib>

int main(int argc, char** argv)
{
    int runs = argc > 1 ? std::atoi(argv[1]) : 10;
    runs = runs > 0 ? runs : 10;
    fillbmp_bench::ReportGenerator(runs);

    RECT rect = {0, 0, fillbmp_bench::kWidth, fillbmp_bench::kHeight};
    std::printf("\nwhole CreateFillBmp call, %d x %d, ns/pixel (best of %d), n = 10\n", fillbmp_bench::kWidth,
                fillbmp_bench::kHeight, runs);
    std::printf("kind   plain   +highlight   +highlight+tint\n");
    double worst = 0;
    for (int kind = 1; kind <= 9; ++kind) {
        std::printf("%4d", kind);
        for (const auto& setting : {std::pair{0, 0}, std::pair{40, 0}, std::pair{40, 30}}) {
            // Plain copies: clang before 16 does not let a lambda capture structured bindings.
            const int highlight = setting.first;
            const int tint = setting.second;
            bool failed = false;
            double ns = fillbmp_bench::BestNanosecondsPerPixel(runs, [&] {
                unsigned __int64 result = CreateFillBmp(kind, &rect, 10, highlight, tint, RGB(40, 90, 200));
                failed = failed || result == 0;
                DeleteObject(VarnelleFillBmpPlain(result));
                DeleteObject(VarnelleFillBmpHighlighted(result));
            });
            worst = ns > worst ? ns : worst;
            std::printf("  %8.3f%s", ns, failed ? "!" : " ");
        }
        std::printf("\n");
    }
    std::printf("slowest whole call: %.3f ns/pixel\n", worst);

    // The system's share: CreateDIBitmap of an 8-bit paletted image of the same size on
    // the screen DC, as the call makes it once or twice.
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD palette[256];
    } info = {};
    info.header = {sizeof(BITMAPINFOHEADER), fillbmp_bench::kWidth, fillbmp_bench::kHeight, 1, 8, BI_RGB};
    for (int i = 0; i < 256; ++i)
        info.palette[i] = {static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i), 0};
    std::vector<uint8_t> pixels(static_cast<size_t>(fillbmp_bench::kWidth) * fillbmp_bench::kHeight, 77);
    HDC screen = GetDC(nullptr);
    double system = fillbmp_bench::BestNanosecondsPerPixel(runs, [&] {
        DeleteObject(CreateDIBitmap(screen, &info.header, CBM_INIT, pixels.data(),
                                    reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS));
    });
    ReleaseDC(nullptr, screen);
    std::printf("one CreateDIBitmap (8-bit to screen format) alone: %.3f ns/pixel\n", system);
    return 0;
}
