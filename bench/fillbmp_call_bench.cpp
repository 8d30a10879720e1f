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
        for (auto [highlight, tint] : {std::pair{0, 0}, std::pair{40, 0}, std::pair{40, 30}}) {
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
    return 0;
}
