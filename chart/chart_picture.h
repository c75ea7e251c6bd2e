// The whole flowchart as one picture, for files, the clipboard and paper: the
// program laid out as a view of a given width shows it, without a selection,
// painted by the same code as the view onto any DC.
#pragma once
#include "chart/chart_metrics.h"
#include "chart/chart_painting.h"
#include "framework/gdi.h"
#include "model/program_row.h"
#include <windows.h>

class CChartPicture {
public:
    // `rows` as checked by the editor; `width` is the view width to lay out for.
    CChartPicture(const ProgramRow* rows, int count, int width);
    CChartPicture(const CChartPicture&) = delete;
    CChartPicture& operator=(const CChartPicture&) = delete;

    int Width() const { return m_width; }
    int Height() const { return m_count * m_metrics.rowHeight; }
    int ElementCount() const { return m_count; }
    const ChartMetrics& Metrics() const { return m_metrics; }
    const ProgramRow* Elements() const { return m_elements; }

    // The row bands of elements [first, end) on white, at their layout
    // positions in the DC's logical units; nothing outside those bands is
    // touched, and connectors passing through them are drawn too.
    void Paint(HDC dc, int first, int end) const;
    void Paint(HDC dc) const { Paint(dc, 0, m_count); }

private:
    ChartMetrics m_metrics;
    int m_width;
    int m_count;
    ProgramRow m_elements[CHART_MAX_ELEMENTS];
    CFont m_textFont;
    CFont m_smallFont;
    ChartPens m_pens;
};

// The picture `scale` times its size (1..3) as a 32-bit top-down DIB section.
CBitmap RenderChartBitmap(const CChartPicture& picture, int scale);
// The picture recorded as an enhanced metafile, one logical unit a pixel of
// the reference DC (the screen when null).
CEnhMetaFile RecordChartMetafile(const CChartPicture& picture, HDC reference = nullptr);
