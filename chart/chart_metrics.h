// Size metrics of the flowchart and their scaling to the view's width.
#pragma once

struct ChartMetrics {
    int elementWidth;    // width of an element's area, measured from the margin
    int rowHeight;       // height of every row band
    int bandWidth;       // row-number band at the left edge
    int margin;          // horizontal offset that centres the chart in the view
    int sideInset;       // gap between number band and shape, and shape and area end
    int shapeInset;      // vertical gap between row band and an IF; 1.5 times that for others
    int textFontWidth;   // character width of the shape font (height twice that)
    int smallFontWidth;  // character width of the row-number and label font
};

// Room for the START element and MAX_ROWS program lines.
constexpr int CHART_MAX_ELEMENTS = 51;

extern const ChartMetrics g_baseMetrics;
// The metrics every position is computed from; shared by all views.
extern ChartMetrics g_chartMetrics;
// The only zoom level there is.
extern int g_zoomLevel;
// Strip width (element width plus margin) of the last layout done on a size change.
extern int g_lastStripWidth;

// Scale factor for a client width: (W - 30) / 400 cut to two decimals,
// kept within 0.9 .. 2.4, all as 32-bit floats.
float ScaleForWidth(int clientWidth);
// The base metrics times `scale`, each truncated toward zero; margin 0.
ChartMetrics ScaledMetrics(float scale);
// The metrics a view `width` pixels wide lays its chart out with: scaled to
// the width and centred in it.
ChartMetrics MetricsForWidth(int width);
