// Painting the flowchart's elements onto any DC: the view's strip, a bitmap,
// a metafile or a printer page.
#pragma once
#include "chart/chart_metrics.h"
#include "framework/gdi.h"
#include "model/program_row.h"
#include <windows.h>

// What painting needs besides the elements: the layout, its fonts and the selection.
struct ChartLook {
    const ChartMetrics& metrics;
    HFONT textFont;   // shape texts
    HFONT smallFont;  // row numbers and Y/N labels
    int selected;     // element drawn selected, -1 for none
    bool focused;     // the selected band in its focused colour
};

// The shape font and the small font of a layout.
CFont MakeChartTextFont(const ChartMetrics& m);
CFont MakeChartSmallFont(const ChartMetrics& m);

// Draws element n of `count` (number band, shape, text, connectors); later
// elements' connectors draw over earlier ones, so callers go top to bottom.
void PaintChartElement(HDC dc, const ChartLook& look, const ProgramRow* elements, int count, int n);
