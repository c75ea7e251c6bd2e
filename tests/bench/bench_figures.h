// Timing and printing for `make bench`: each figure is the median of its
// runs, printed beside the floor it is compared with and its target.
#pragma once
#include <functional>
#include <vector>

namespace bench {

// Milliseconds of each of `runs` calls of `run(i)`; returns the median.
double MedianMilliseconds(int runs, const std::function<void(int)>& run);
// The middle value (0 for none).
double Median(std::vector<double> values);

// One line: the figure, the floor it is compared with (0: none), the ratio and
// the target. A target ratio is given as `ratioTarget` instead of `target`.
void PrintFigure(const char* what, double ms, double floorMs = 0, double target = 0, double ratioTarget = 0);
void PrintHeading(const char* text);

}  // namespace bench
