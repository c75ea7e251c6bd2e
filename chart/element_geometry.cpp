#include "chart/element_geometry.h"
#include "model/vocabulary.h"

RECT RowBandRect(const ChartMetrics& m, int i) {
    return {0, i * m.rowHeight, m.margin + m.elementWidth, (i + 1) * m.rowHeight};
}

RECT NumberBandRect(const ChartMetrics& m, int i) { return {0, i * m.rowHeight, m.bandWidth, (i + 1) * m.rowHeight}; }

RECT ShapeRect(const ChartMetrics& m, int i, int code) {
    const RECT row = RowBandRect(m, i);
    const int v = code == CMD_IF ? m.shapeInset : m.shapeInset * 3 / 2;
    return {m.bandWidth + m.margin + m.sideInset, row.top + v, m.margin + m.elementWidth - m.sideInset, row.bottom - v};
}

AnchorPoints ShapeAnchors(const RECT& s) {
    const int midX = (s.left + s.right) / 2;
    const int midY = (s.top + s.bottom) / 2;
    return {{s.left, midY}, {midX, s.top}, {s.right, midY}, {midX, s.bottom}, midX, midY};
}

int ArrowLength(const ChartMetrics& m) { return 2 * m.sideInset / 3; }
