#include "chart/chart_metrics.h"

const ChartMetrics g_baseMetrics{330, 60, 24, 0, 48, 9, 8, 7};
ChartMetrics g_chartMetrics = g_baseMetrics;
int g_zoomLevel = 0;
int g_lastStripWidth = -1;

float ScaleForWidth(int clientWidth) {
    float f = static_cast<float>((clientWidth - 30) / 400.0);
    // The cut works on the float's exact value in double precision, so 1.01
    // (stored just below) cuts to 1.00 and the width ranges stay as laid out.
    f = static_cast<float>(static_cast<int>(static_cast<double>(f) * 100.0) / 100.0);
    if (f < 0.9f)
        f = 0.9f;
    else if (f > 2.4f)
        f = 2.4f;
    return f;
}

namespace {
// Products in double precision: 60 x 0.9f stays just below 54 and gives 53.
int Scale(int base, float f) { return static_cast<int>(base * static_cast<double>(f)); }
}  // namespace

ChartMetrics ScaledMetrics(float f) {
    const ChartMetrics& b = g_baseMetrics;
    return {Scale(b.elementWidth, f), Scale(b.rowHeight, f),  Scale(b.bandWidth, f),     Scale(b.margin, f),
            Scale(b.sideInset, f),    Scale(b.shapeInset, f), Scale(b.textFontWidth, f), Scale(b.smallFontWidth, f)};
}

ChartMetrics MetricsForWidth(int width) {
    ChartMetrics m = ScaledMetrics(ScaleForWidth(width));
    m.margin = width > m.elementWidth ? (width - m.elementWidth) / 2 : 0;
    return m;
}
