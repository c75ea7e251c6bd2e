// Shared pieces of the widget tests: a fixed font and pixel searches.
#pragma once
#include "framework/gdi.h"
#include "tests/support/test_support.h"
#include <functional>

namespace widget_tests {

// Arial (a metric-alike under Wine) at 12 pixels, owned by the caller.
CFont MakeTestFont(int height = -12);

// The smallest rectangle holding every pixel of [area] for which `pick` is
// true; empty (all zero) when there is none.
RECT BoundingBox(const testing_support::PixelCanvas& canvas, const RECT& area,
                 const std::function<bool(int x, int y, COLORREF c)>& pick);

// True when two canvases of the same size hold the same pixels.
bool SamePixels(const testing_support::PixelCanvas& a, const testing_support::PixelCanvas& b);

}  // namespace widget_tests
