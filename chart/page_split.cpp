#include "chart/page_split.h"
#include <algorithm>
#include <cmath>

std::vector<PageRange> SplitIntoPages(int count, double rowHeight, double pageHeight) {
    std::vector<PageRange> pages;
    if (count <= 0)
        return pages;
    int perPage = 1;
    if (rowHeight > 0 && pageHeight > rowHeight) {
        // A tiny allowance, so that rows filling a page exactly are not lost to rounding.
        const double fit = std::floor(pageHeight / rowHeight + 1e-9);
        perPage = static_cast<int>(std::min<double>(fit, count));
    }
    for (int first = 0; first < count; first += perPage)
        pages.push_back({first, std::min(count, first + perPage)});
    return pages;
}
