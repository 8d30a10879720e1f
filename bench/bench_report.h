// Timing, a drawing surface and reporting shared by the Windows benchmarks. Each program prints its own
// figures, then one "ratio:" line per comparison with the system's own drawing, which
// scripts/bench gathers into one table:
//   ratio: <what> | <ours> | <system> | <ours / system>
// A ratio above 1 means the library takes longer than the system.
#pragma once
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace bench {

inline double Seconds()
{
    static const double tick = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return 1.0 / static_cast<double>(frequency.QuadPart);
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * tick;
}

// Seconds of the fastest of `calls` calls, each timed alone, after one call to warm up.
// On a busy machine the fastest call is the one that ran undisturbed.
template <typename Call>
double FastestCall(Call&& call, int calls = 50)
{
    call();
    GdiFlush();
    double best = 1e30;
    for (int i = 0; i < calls; ++i) {
        double start = Seconds();
        call();
        GdiFlush();
        double elapsed = Seconds() - start;
        best = elapsed < best ? elapsed : best;
    }
    return best;
}

// The thread's own processor time (user and kernel) per call over at least `seconds` of
// calls: what the call costs whatever else the machine runs, less any time spent waiting
// for other processes (the window server's part of a request). Counted in 10 ms ticks
// under Wine, hence the long run.
template <typename Call>
double ThreadSecondsPerCall(Call&& call, double seconds = 1.0)
{
    auto threadTime = [] {
        FILETIME created, exited, kernel, user;
        GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
        auto ticks = [](const FILETIME& t) { return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
        return static_cast<double>(ticks(kernel) + ticks(user)) * 1e-7;
    };
    call();
    int calls = 0;
    const double start = threadTime();
    double used = 0;
    do {
        call();
        ++calls;
        used = threadTime() - start;
    } while (used < seconds);
    return used / calls;
}

// Two calls timed in alternating rounds, so that load elsewhere on the machine falls on
// both alike: the fastest call of each.
template <typename Ours, typename System>
void FastestSideBySide(Ours&& ours, System&& system, double& oursSeconds, double& systemSeconds, int rounds = 8,
                       int callsPerRound = 10)
{
    oursSeconds = systemSeconds = 1e30;
    for (int round = 0; round < rounds; ++round) {
        double a = FastestCall(ours, callsPerRound);
        double b = FastestCall(system, callsPerRound);
        oursSeconds = a < oursSeconds ? a : oursSeconds;
        systemSeconds = b < systemSeconds ? b : systemSeconds;
    }
}

// A top-down 32-bit DIB section selected into its own memory DC.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height)
    {
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        previous_ = SelectObject(dc_, bitmap_);
    }
    ~Canvas()
    {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return dc_; }
    bool ready() const { return bits_ != nullptr; }
    std::vector<uint32_t> pixels() const
    {
        GdiFlush();
        const auto* words = static_cast<const uint32_t*>(bits_);
        return std::vector<uint32_t>(words, words + static_cast<size_t>(width_) * height_);
    }
    // The picture as a BMP file, to look at what a benchmark paints.
    void save(const std::string& path) const
    {
        GdiFlush();
        const DWORD bytes = static_cast<DWORD>(width_) * height_ * 4;
        BITMAPFILEHEADER file = {0x4D42, 0, 0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
        file.bfSize = file.bfOffBits + bytes;
        BITMAPINFOHEADER header = {sizeof(BITMAPINFOHEADER), width_, -height_, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        if (FILE* out = std::fopen(path.c_str(), "wb")) {
            std::fwrite(&file, sizeof file, 1, out);
            std::fwrite(&header, sizeof header, 1, out);
            std::fwrite(bits_, 1, bytes, out);
            std::fclose(out);
        }
    }

private:
    int width_;
    int height_;
    HDC dc_ = CreateCompatibleDC(nullptr);
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    void* bits_ = nullptr;
};

// A 16 x 16 icon: a square of the colour inside a transparent rim of 2 pixels.
inline HICON MakeSquareIcon(COLORREF colour)
{
    HDC screen = GetDC(nullptr);
    HBITMAP picture = CreateCompatibleBitmap(screen, 16, 16);
    HBITMAP mask = CreateBitmap(16, 16, 1, 1, nullptr);
    HDC dc = CreateCompatibleDC(screen);
    const RECT all = {0, 0, 16, 16}, body = {2, 2, 14, 14};
    HBRUSH fill = CreateSolidBrush(colour);
    HGDIOBJ previous = SelectObject(dc, picture);
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    FillRect(dc, &body, fill);
    SelectObject(dc, mask);
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FillRect(dc, &body, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SelectObject(dc, previous);
    DeleteObject(fill);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    ICONINFO info = {TRUE, 0, 0, mask, picture};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteObject(picture);
    return icon;
}

// One line of the table; times in milliseconds.
inline void PrintRatio(const char* what, double oursSeconds, double systemSeconds)
{
    std::printf("ratio: %s | %.3f ms | %.3f ms | %.2f\n", what, oursSeconds * 1e3, systemSeconds * 1e3,
                oursSeconds / systemSeconds);
}

} // namespace bench
