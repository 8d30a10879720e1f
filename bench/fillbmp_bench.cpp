// Native benchmark of the fill-bitmap generator (optimised, no sanitizers).
#include "fillbmp_bench_core.h"

#include <cstdlib>

int main(int argc, char** argv)
{
    int runs = argc > 1 ? std::atoi(argv[1]) : 15;
    fillbmp_bench::ReportGenerator(runs > 0 ? runs : 15);
    return 0;
}
