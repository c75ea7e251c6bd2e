// Where an element and its shape lie, in content pixels.
#pragma once
#include "chart/layout_types.h"
#include "chart/chart_metrics.h"

struct AnchorPoints {
    POINT left, top, right, bottom;  // mid-points of the sides; the corners of an IF diamond
    int midX;                        // the flow line, the same for every element
    int midY;
};

// Row band of element i: the full strip width, rowHeight high.
RECT RowBandRect(const ChartMetrics& m, int i);
// The first bandWidth pixels of the row band, not shifted by the margin.
RECT NumberBandRect(const ChartMetrics& m, int i);
// The shape of element i with command `code`: IF sits shapeInset inside its band,
// everything else one and a half times that.
RECT ShapeRect(const ChartMetrics& m, int i, int code);
AnchorPoints ShapeAnchors(const RECT& shape);
// Length of a jump's first leg, from the shape to its bus.
int ArrowLength(const ChartMetrics& m);
