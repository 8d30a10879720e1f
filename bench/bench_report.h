// Timing and reporting shared by the Windows benchmarks. Each program prints its own
// figures, then one "ratio:" line per comparison with the system's own drawing, which
// scripts/bench gathers into one table:
//   ratio: <what> | <ours> | <system> | <ours / system>
// A ratio above 1 means the library takes longer than the system.
#pragma once
#include <windows.h>

#include <cstdio>

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

// One line of the table; times in milliseconds.
inline void PrintRatio(const char* what, double oursSeconds, double systemSeconds)
{
    std::printf("ratio: %s | %.3f ms | %.3f ms | %.2f\n", what, oursSeconds * 1e3, systemSeconds * 1e3,
                oursSeconds / systemSeconds);
}

} // namespace bench
