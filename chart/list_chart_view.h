// CListChartView: the program drawn as a flowchart, one element per row band,
// scaled to the view's width, with a selection shared with the program grid.
#pragma once
#include "chart/chart_messages.h"
#include "chart/chart_metrics.h"
#include "chart/chart_painting.h"
#include "chart/connector_plan.h"
#include "chart/element_geometry.h"
#include "chart/element_look.h"
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

    // Brings the strip up to date with the elements and updates the content
    // size; returns the element count. Only the row bands of elements whose
    // looks changed are drawn again, when they are next shown, and only they
    // are repainted.
    int RenderChart();
    // Copies row band n from the strip to the same content position on `dc`,
    // drawing it into the strip first when the strip does not hold it.
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
    // Scrolls so that element i, when not wholly in view, shows second from
    // the top with the elements after it below: a view that follows a
    // running program then scrolls once a page, not at every row.
    void RevealElementNearTop(int i);

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

    // The strip: row bands drawn once and copied to the screen at every paint.
    // It leaves out the margin, which is always white, and holds as many
    // bands as fit into 16 MB (at least a screenful): band b sits in slot
    // b % m_stripSlots.
    CMemoryDC m_stripSurface;
    CBitmap m_stripBitmap;
    HBITMAP m_oldStripBitmap;  // came with m_stripSurface
    int m_stripSlots = 0;
    int m_slotBand[CHART_MAX_ELEMENTS];  // the band each slot holds, -1 for none
    // The area the strip stands for: margin + elementWidth by 51 row bands.
    int m_stripWidth = 0;
    int m_stripHeight = 0;
    CFont m_fontText;
    CFont m_fontSmall;
    int m_fontWidths[2] = {};  // text and small font widths the fonts were made for
    ChartPens m_pens;
    int m_contentWidth = 0;
    int m_contentHeight = 0;
    int m_nCount = 0;
    ProgramRow m_elements[CHART_MAX_ELEMENTS]{};
    // The looks and bands of the elements as last rendered.
    ElementLook m_looks[CHART_MAX_ELEMENTS]{};
    BandSpan m_spans[CHART_MAX_ELEMENTS]{};
    int m_lookCount = 0;
    bool m_lookFocused = false;  // the focus the selected element was rendered with
    RECT m_changed{};            // content area a render changed, not yet on screen
    // Kept from the focus messages: every render and paint asks, and under
    // Wine GetFocus is a window-server trip.
    bool m_hasFocus = false;

private:
    int ElementCode(int i) const;
    // The view's layout, fonts, pens and selection, for painting into its strip.
    ChartLook CurrentLook() const;
    // Content (strip width, one row band per element), line step one row.
    void UpdateContentSize();
    // A strip for the current metrics and client height; keeps the one there is
    // when it fits. False when none could be made.
    bool FitStrip();
    void ForgetBands();
    bool BandReady(int b) const;
    // Draws row bands first..last (neighbouring slots) into the strip.
    void DrawBands(int first, int last);
    // Marks band b for drawing again and for the screen.
    void RedoBand(int b);
    // Draws number band n again where the strip holds it and marks it for the
    // screen: a change of selection or focus touches nothing else.
    void RedoNumberBand(int n);
    // What a render changed goes to the screen at once, in one pass.
    void ShowChanges();
    void TakeFocus();
    void NotifySelection(int index);

    DECLARE_MESSAGE_MAP()
};
