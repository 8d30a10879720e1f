// Button paint cost: a 120 x 32 push button with an icon and a label, skinned with
// RedrawButton (a background bitmap, an edge, a text colour), painted by its own window
// into a DIB of its size (WM_PRINTCLIENT, as for any repaint: the button sends WM_DRAWITEM
// to its hooked parent), against the same button left to the system. Both in the same run.
// Prints figures; not a test.   button_paint_bench.exe [folder]  saves both pictures as BMPs
#include <windows.h>

#include "bench_report.h"
#include "varnelle.h"

#include <cstdio>
#include <string>

namespace {

constexpr int kWidth = 120;
constexpr int kHeight = 32;

} // namespace

int main(int argc, char** argv)
{
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 120, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    HWND system = CreateWindowExA(0, "BUTTON", "&Apply changes", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10,
                                  kWidth, kHeight, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    HWND skinned = CreateWindowExA(0, "BUTTON", "&Apply changes", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 60,
                                   kWidth, kHeight, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    HICON icon = bench::MakeSquareIcon(RGB(40, 120, 200));
    const RECT face = {0, 0, kWidth, kHeight};
    const unsigned __int64 fill = CreateFillBmp(4, &face, 6, 0, 0, 0);
    CTRL_STRUCT record = {};
    record.hIcon = icon;
    record.dwEdge = 1;
    record.crText = RGB(0, 0, 128);
    record.hBmp = VarnelleFillBmpPlain(fill);
    RedrawButton(skinned, &record);

    bench::Canvas systemCanvas(kWidth, kHeight), skinnedCanvas(kWidth, kHeight);
    auto paintSystem = [&] { SendMessageA(system, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(systemCanvas.dc()), PRF_CLIENT); };
    auto paintSkinned = [&] {
        SendMessageA(skinned, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(skinnedCanvas.dc()), PRF_CLIENT);
    };
    double oursSeconds = 0, systemSeconds = 0;
    bench::FastestSideBySide(paintSkinned, paintSystem, oursSeconds, systemSeconds, 8, 50);
    if (argc > 1) {
        systemCanvas.save(std::string(argv[1]) + "\\button_system.bmp");
        skinnedCanvas.save(std::string(argv[1]) + "\\button_skinned.bmp");
    }
    std::printf("push button %d x %d with an icon and a label, painted into a DIB of its size\n", kWidth, kHeight);
    std::printf("skinned (RedrawButton): %.3f ms   system: %.3f ms\n", oursSeconds * 1e3, systemSeconds * 1e3);
    bench::PrintRatio("push button 120x32, icon, label, bitmap face", oursSeconds, systemSeconds);

    RedrawButton(skinned, nullptr);
    DestroyWindow(parent);
    DeleteObject(VarnelleFillBmpPlain(fill));
    DestroyIcon(icon);
    return 0;
}
