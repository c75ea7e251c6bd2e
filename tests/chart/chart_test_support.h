// Shared pieces of the flowchart tests: rows, a view with its insides open,
// and a host window to put views and scrolling windows in.
#pragma once
#include "chart/list_chart_view.h"
#include "tests/support/test_support.h"
#include <initializer_list>
#include <vector>

// A row as the main window builds it: command code from the name, parameter texts.
ProgramRow Row(const wchar_t* name, std::initializer_list<const wchar_t*> params = {});
// Rows from names with all of them reachable and without errors, as if checked
// clean; lets connector tests pick their own edge cases.
std::vector<ProgramRow> CleanRows(std::vector<ProgramRow> rows);
// FOR ∞; IF IN1 ≧ 100 THEN 3 ELSE 5; OUT1 0.5; GOTO 6; OUT2 2; NEXT; END; an empty row.
std::vector<ProgramRow> ExampleProgram();

class ChartProbe : public CListChartView {
public:
    using CListChartView::m_contentHeight;
    using CListChartView::m_contentWidth;
    using CListChartView::m_elements;
    using CListChartView::m_fontSmall;
    using CListChartView::m_fontText;
    using CListChartView::m_lineStep;
    using CListChartView::m_nCount;
    using CListChartView::m_pageStep;
    using CListChartView::m_stripHeight;
    using CListChartView::m_stripWidth;
    // The chart as the strip holds it, all 51 row bands at their content
    // positions (those past the last element too).
    void CopyStrip(testing_support::PixelCanvas& canvas);
};

// Creates a child window whose client area is width x height (the chart view
// adds its thin edge around that).
bool CreateChild(CWnd& child, HWND parent, int width, int height, DWORD exStyle = 0);
bool CreateChartView(ChartProbe& view, HWND parent, int clientWidth, int clientHeight);
// Where a window's client area starts inside its window rectangle.
POINT ClientOrigin(HWND hwnd);
// A screen capture of the client area of `hwnd` only.
void CaptureClient(HWND hwnd, testing_support::PixelCanvas& canvas);

// Input as the user produces it.
void Click(HWND hwnd, int x, int y);
void KeyDown(HWND hwnd, UINT vk);
LRESULT Wheel(HWND hwnd, short delta, UINT keys = 0);
void ScrollBarAction(HWND hwnd, UINT msg, UINT code, int thumb = 0);
