// The flowchart as an SVG picture, built from the layout (element positions
// and connector plan) rather than from pixels: the same shapes, connectors,
// arrowheads, labels, texts and colours as the view, with the texts as text.
#pragma once
#include "chart/chart_metrics.h"
#include "model/program_row.h"
#include <string>

struct ChartSvgOptions {
    int width = 0;           // picture width, the view width the layout is made for
    bool rowNumbers = true;  // the row-number strip at the left edge
};

// The picture of `count` chart elements (START first, as BuildChartElements
// makes them) laid out with `m`, as a UTF-8 SVG document.
std::string ChartSvg(const ProgramRow* elements, int count, const ChartMetrics& m, const ChartSvgOptions& options);

// Text fit for XML character data and attribute values, as UTF-8: markup
// characters escaped, characters XML cannot hold replaced by U+FFFD.
std::string XmlText(std::wstring_view text);
