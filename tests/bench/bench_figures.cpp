#include "tests/bench/bench_figures.h"
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

namespace bench {

double MedianMilliseconds(int runs, const std::function<void(int)>& run) {
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        LARGE_INTEGER start, end;
        ::QueryPerformanceCounter(&start);
        run(i);
        ::QueryPerformanceCounter(&end);
        times.push_back(1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                        static_cast<double>(frequency.QuadPart));
    }
    return Median(std::move(times));
}

double Median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void PrintFigure(const char* what, double ms, double floorMs, double target, double ratioTarget) {
    std::printf("  %-56s %9.3f ms", what, ms);
    if (floorMs > 0)
        std::printf("   floor %8.3f ms   ratio %6.2f", floorMs, ms / floorMs);
    if (target > 0)
        std::printf("   target <= %g ms%s", target, ms <= target ? "" : "  (over)");
    if (ratioTarget > 0 && floorMs > 0)
        std::printf("   target ratio <= %g%s", ratioTarget, ms / floorMs <= ratioTarget ? "" : "  (over)");
    std::printf("\n");
    std::fflush(stdout);
}

void PrintHeading(const char* text) {
    std::printf("\n%s\n", text);
    std::fflush(stdout);
}

}  // namespace bench
