// Printing the flowchart: the whole chart scaled to the page width, split
// between pages only at element boundaries, each page headed by the
// program's file name and the date and footed by its page number.
#pragma once
#include "app/chart_export.h"
#include "chart/page_split.h"
#include <windows.h>
#include <vector>

// Where everything goes on a page, in device pixels.
struct ChartPageLayout {
    RECT header;   // file name at the left, date at the right
    RECT body;     // the chart, as wide as the body
    RECT footer;   // "Page n of m", centred
    double scale;  // device pixels per chart pixel
    std::vector<PageRange> pages;
};

// The layout for a page of `page` pixels at `dpi`, for `count` elements of
// `rowHeight` in a chart `pictureWidth` wide. Margins of half an inch.
ChartPageLayout LayOutChartPages(SIZE page, SIZE dpi, int pictureWidth, int rowHeight, int count);

// Asks for a printer in the print dialog and prints. Returns the number of
// pages printed, 0 when the user cancelled, -1 when printing failed (the
// user has been told).
int PrintChart(HWND owner, const ChartSource& source);
