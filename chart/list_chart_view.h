// CListChartView: the program drawn as a flowchart, one element per row band,
// scaled to the view's width, with a selection shared with the program grid.
#pragma once
#include "chart/chart_messages.h"
#include "chart/chart_metrics.h"
#include "chart/connector_plan.h"
#include "chart/element_geometry.h"
#include "chart/scroll_wnd.h"
#include "model/program_row.h"

class CListChartView : public CScrollWnd {
public:
    CListChartView();
    ~CListChartView() override;

    // No border, a thin static edge instead of the sunken one, the scrolling class.
    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;

    // Copies the program behind a START element (a leading START row takes its
    // place) and renders it; 51 elements at most. Returns the element count,
    // 0 for missing rows or a negative count (nothing changes then).
    int SetProgram(const ProgramRow* rows, int count);
    // Level 0 only: centres the chart, rebuilds the strip and the fonts from
    // the current metrics and, with `relayout`, renders again.
    void SetZoomLevel(int level, bool relayout);

    // Redraws every element into the strip and updates the content size;
    // returns the element count.
    int RenderChart();
    // Draws element n (number band, shape, text, connectors) onto `dc`.
    void DrawElement(HDC dc, int n);
    // Copies row band n from the strip to the same content position on `dc`.
    void CopyRowBand(HDC dc, int n);

    RECT ElementRowRect(int i) const;
    RECT ElementShapeRect(int i) const;
    AnchorPoints ElementAnchors(int i) const;
    // The connectors element n gets among the current elements.
    ConnectorPlan ElementConnectors(int n) const;

    // Element at a client point: -2 without elements, -1 below the last one.
    int ElementFromPoint(int x, int y) const;
    // Scrolls element i into view and selects it, without notifying the
    // parent. Returns 1 when the selection changed.
    int SelectElement(int i);

    // Selected element, -1 for none. The main window clears it for a new program.
    int m_nSelected = -1;

protected:
    void DrawContent(HDC dc) override;
    void OnWindowCreated() override;

    void OnSize(UINT type, int cx, int cy);
    void OnKeyDown(UINT vk, UINT repeat, UINT flags);
    void OnLButtonDown(UINT flags, POINT point);
    void OnRButtonDown(UINT flags, POINT point);
    void OnSetFocus(HWND other);
    void OnKillFocus(HWND other);
    void OnHScroll(UINT code, UINT pos, HWND bar);
    void OnVScroll(UINT code, UINT pos, HWND bar);

    CMemoryDC m_stripSurface;  // every element pre-rendered, room for 51 row bands
    CBitmap m_stripBitmap;
    HBITMAP m_oldStripBitmap;  // came with m_stripSurface
    int m_stripWidth = 0;
    int m_stripHeight = 0;
    CFont m_fontText;
    CFont m_fontSmall;
    int m_contentWidth = 0;
    int m_contentHeight = 0;
    int m_nCount = 0;
    ProgramRow m_elements[CHART_MAX_ELEMENTS]{};

private:
    int ElementCode(int i) const;
    // Content (strip width, one row band per element), line step one row.
    void UpdateContentSize();
    void TakeFocus();
    void NotifySelection(int index);

    DECLARE_MESSAGE_MAP()
};
