// Painting the flowchart's elements onto any DC: the view's strip, a bitmap,
// a metafile or a printer page.
#pragma once
#include "chart/chart_metrics.h"
#include "framework/gdi.h"
#include "model/program_row.h"
#include <windows.h>

// The pens and brush every element is drawn with, made once by each painter.
struct ChartPens {
    ChartPens();
    CPen outline;
    CPen connector;
    CPen unreachableStub;  // the entry stub of an element no path reaches
    CBrush fill;
};

// What painting needs besides the elements: the layout, its fonts and pens and the selection.
struct ChartLook {
    const ChartMetrics& metrics;
    HFONT textFont;   // shape texts
    HFONT smallFont;  // row numbers and Y/N labels
    const ChartPens& pens;
    int selected;  // element drawn selected, -1 for none
    bool focused;  // the selected band in its focused colour
};

// The shape font and the small font of a layout.
CFont MakeChartTextFont(const ChartMetrics& m);
CFont MakeChartSmallFont(const ChartMetrics& m);

// Draws element n of `count` (number band, shape, text, connectors); later
// elements' connectors draw over earlier ones, so callers go top to bottom.
void PaintChartElement(HDC dc, const ChartLook& look, const ProgramRow* elements, int count, int n);
// Shape, text and connectors of element n, without its number band.
void PaintChartBody(HDC dc, const ChartLook& look, const ProgramRow* elements, int count, int n);
// The number band on the left of element n alone, in the selection's colours:
// a change of selection repaints only the bands of the old and the new one.
void PaintChartNumberBand(HDC dc, const ChartLook& look, const ProgramRow* elements, int count, int n);
