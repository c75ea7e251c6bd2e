// Splitting the flowchart into pages for printing, only ever between elements.
#pragma once
#include <vector>

struct PageRange {
    int first;  // first element on the page
    int end;    // one past the last
};

// Pages for `count` elements of `rowHeight` each when a page holds
// `pageHeight` of the same units. Every page gets at least one element, so a
// page lower than a row still makes progress (that row is then scaled down
// by the caller). No elements, no pages.
std::vector<PageRange> SplitIntoPages(int count, double rowHeight, double pageHeight);
