// What decides the pixels of an element, and the row bands they reach. The
// view keeps the looks it last rendered and renders again only the bands of
// elements whose looks changed.
#pragma once
#include "chart/chart_palette.h"
#include "chart/connector_plan.h"

struct ElementLook {
    ProgramRow element;
    ConnectorPlan plan;
    bool selected = false;
    bool focused = false;  // the view had the focus (matters for a selected element only)
};
// The same shape, text and connectors.
bool SameBody(const ElementLook& a, const ElementLook& b);
// The same number band: a selection or focus change repaints the band alone.
bool SameNumberBand(const ElementLook& a, const ElementLook& b);

// Row bands first..last, within the strip's 51.
struct BandSpan {
    int first = 0;
    int last = -1;
    bool Contains(int band) const { return band >= first && band <= last; }
};
// The bands element n's shape and connectors draw into: its own, the next
// (the exit stub reaches one pixel into it) and those its jumps cross.
BandSpan ElementSpan(const ChartMetrics& m, int n, int code, const ConnectorPlan& plan);
