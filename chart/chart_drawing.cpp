// Rendering the flowchart into the strip and painting the view from it.
#include "chart/element_text.h"
#include "framework/palette.h"
#include "chart/list_chart_view.h"
#include "model/vocabulary.h"
#include <string>

namespace {
constexpr COLORREF kShapeOutline = RGB(50, 50, 160);
constexpr COLORREF kBandOdd = RGB(120, 130, 140);
constexpr COLORREF kBandEven = RGB(130, 140, 150);
constexpr COLORREF kConnector = RGB(100, 0, 50);

// Corner cut of the loop hexagons, the same at every scale.
constexpr int kLoopCut = 16;
// Arrowhead: lines from 5 pixels back and 2 to either side into the tip.
constexpr int kArrowBack = 5;
constexpr int kArrowSpread = 2;

constexpr UINT kCentredLine = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

void Line(HDC dc, POINT from, POINT to) {
    ::MoveToEx(dc, from.x, from.y, nullptr);
    ::LineTo(dc, to.x, to.y);
}

// `back` is the x offset of the two tails from the tip (+ points left, - right).
void Arrowhead(HDC dc, POINT tip, int back) {
    Line(dc, {tip.x + back, tip.y - kArrowSpread}, tip);
    Line(dc, {tip.x + back, tip.y + kArrowSpread}, tip);
}

// Filled through a polygon region first, then outlined with the current pen.
void PolygonShape(HDC dc, const POINT* points, int count, HBRUSH fill) {
    CRgn region(::CreatePolygonRgn(points, count, ALTERNATE));
    if (region)
        ::FillRgn(dc, region, fill);
    ::Polygon(dc, points, count);
}

void DrawShape(HDC dc, int code, const RECT& s, const AnchorPoints& a, HBRUSH fill) {
    const int l = s.left, t = s.top, r = s.right, b = s.bottom, midY = a.midY;
    if (code == CMD_FOR) {
        const POINT p[] = {{l, midY}, {l + kLoopCut, t}, {r - kLoopCut, t}, {r, midY}, {r, b}, {l, b}};
        PolygonShape(dc, p, 6, fill);
    } else if (code == CMD_NEXT) {
        const POINT p[] = {{l, midY}, {l + kLoopCut, b}, {r - kLoopCut, b}, {r, midY}, {r, t}, {l, t}};
        PolygonShape(dc, p, 6, fill);
    } else if (code == CMD_IF) {
        const POINT p[] = {a.left, a.top, a.right, a.bottom};
        PolygonShape(dc, p, 4, fill);
    } else if (code == CMD_GOTO || code == CMD_STOP || IsOutputCommand(code)) {
        ::Rectangle(dc, l, t, r, b);
    } else if (code == CMD_END || code == CMD_START) {
        ::RoundRect(dc, l, t, r, b, b - t, b - t);  // half circles at both ends
    }
}

void DrawText(HDC dc, const std::wstring& text, RECT box, UINT format) {
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, format);
}

void DrawLabel(HDC dc, const wchar_t* label, LabelPlace place, const RECT& box) {
    if (place != LabelPlace::None)
        DrawText(dc, label, box, DT_CENTER | DT_BOTTOM | DT_SINGLELINE);
}

void DrawJump(HDC dc, const JumpRoute& j, int flowX) {
    const POINT bus{j.busX, j.start.y};
    const POINT arrival{flowX, j.arrivalY};
    Line(dc, j.start, bus);
    Arrowhead(dc, bus, j.rightSide ? -kArrowBack : kArrowBack);
    ::MoveToEx(dc, bus.x, bus.y, nullptr);
    ::LineTo(dc, bus.x, arrival.y);
    ::LineTo(dc, arrival.x, arrival.y);
    Arrowhead(dc, arrival, j.rightSide ? kArrowBack : -kArrowBack);
}
}  // namespace

int CListChartView::RenderChart() {
    if (m_nCount <= 0)
        return 0;
    ::PatBlt(m_stripSurface, 0, 0, m_stripWidth, m_stripHeight, WHITENESS);
    for (int i = 0; i < m_nCount; ++i)
        DrawElement(m_stripSurface, i);  // later connectors draw over earlier ones
    UpdateContentSize();
    if (m_hWnd)
        Invalidate(FALSE);
    return m_nCount;
}

void CListChartView::DrawElement(HDC dc, int n) {
    if (m_nCount <= 0 || n < 0 || n >= m_nCount)
        return;
    const ProgramRow& element = m_elements[n];
    const bool selected = n == m_nSelected;
    const bool focused = m_hWnd && ::GetFocus() == m_hWnd;

    CPen outline(::CreatePen(PS_SOLID, 1, kShapeOutline));
    CBrush fill(::CreateSolidBrush(PALETTE_WHITE));
    CTextStyle style(dc, selected ? PALETTE_WHITE : PALETTE_NUMBER_TEXT, TRANSPARENT);
    CSelect smallFont(dc, m_fontSmall);
    {
        CSelect pen(dc, outline);
        CSelect brush(dc, fill);
        const RECT band = NumberBandRect(g_chartMetrics, n);
        {
            const COLORREF colour = selected ? (focused ? PALETTE_SELECTION_FOCUSED : PALETTE_SELECTION)
                                             : (n % 2 ? kBandOdd : kBandEven);
            CBrush bandBrush(::CreateSolidBrush(colour));
            ::FillRect(dc, &band, bandBrush);
        }
        if (element.code != CMD_START)
            DrawText(dc, std::to_wstring(n), band, kCentredLine);

        CSelect textFont(dc, m_fontText);
        ::SetTextColor(dc, IsFaultyElement(element) ? PALETTE_ERROR : PALETTE_BLACK);
        const RECT shape = ElementShapeRect(n);
        DrawShape(dc, element.code, shape, ShapeAnchors(shape), fill);
        DrawText(dc, ElementText(element), shape, kCentredLine);  // clipped to the shape
    }
    if (m_nCount > 1)
        DrawConnectors(dc, n);
}

void CListChartView::DrawConnectors(HDC dc, int n) {
    const ProgramRow& element = m_elements[n];
    const ConnectorPlan plan = PlanConnectors(m_elements, m_nCount, n);
    const ConnectorRoutes routes = RouteConnectors(g_chartMetrics, n, element.code, plan);
    const bool isIf = element.code == CMD_IF;

    CSelect font(dc, m_fontSmall);  // labels keep the element's text colour
    CPen pen(::CreatePen(PS_SOLID, 0, kConnector));
    CSelect selectPen(dc, pen);
    for (const JumpRoute& j : routes.jumps) {
        if (!j.present)
            continue;
        DrawJump(dc, j, routes.flowX);
        if (isIf && j.rightSide)
            DrawLabel(dc, L"N", plan.no, routes.noBox);
        else if (isIf)
            DrawLabel(dc, L"Y", plan.yes, routes.yesBox);
    }
    if (plan.entryStub) {
        CPen red(element.reachable ? nullptr : ::CreatePen(PS_SOLID, 0, PALETTE_ERROR));
        CSelect selectRed(dc, red);
        Line(dc, routes.entryFrom, routes.entryTo);
    }
    if (plan.exitStub)
        Line(dc, routes.exitFrom, routes.exitTo);
    if (isIf) {
        DrawLabel(dc, L"Y", plan.yes, routes.yesBox);
        DrawLabel(dc, L"N", plan.no, routes.noBox);
    }
    if (plan.throughLine)
        Line(dc, routes.entryFrom, routes.exitFrom);
}

void CListChartView::CopyRowBand(HDC dc, int n) {
    const ChartMetrics& m = g_chartMetrics;
    const int top = n * m.rowHeight;
    ::BitBlt(dc, 0, top, m.margin + m.elementWidth, m.rowHeight, m_stripSurface, 0, top, SRCCOPY);
}

void CListChartView::DrawContent(HDC dc) {
    RECT visible = GetClientRect();
    const POINT pos = GetScrollPosition();
    ::OffsetRect(&visible, pos.x, pos.y);
    ::PatBlt(dc, visible.left, visible.top, visible.right - visible.left, visible.bottom - visible.top, WHITENESS);
    const int rowHeight = g_chartMetrics.rowHeight;
    for (int i = 0; i < m_nCount; ++i) {
        if ((i + 1) * rowHeight >= visible.top && i * rowHeight <= visible.bottom)
            CopyRowBand(dc, i);
    }
}
