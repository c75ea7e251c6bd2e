// Rendering the flowchart into the strip and painting the view from it.
#include "chart/element_text.h"
#include "chart/list_chart_view.h"
#include "framework/palette.h"
#include "model/vocabulary.h"
#include <algorithm>
#include <string>

namespace {
constexpr COLORREF kShapeOutline = RGB(50, 50, 160);
constexpr COLORREF kBandOdd = RGB(120, 130, 140);
constexpr COLORREF kBandEven = RGB(130, 140, 150);
constexpr COLORREF kConnector = RGB(100, 0, 50);

// Corner cut of the loop hexagons, the same at every scale.
constexpr int kLoopCut = 16;
// Arrowhead: lines from 5 pixels back and CHART_ARROW_SPREAD to either side into the tip.
constexpr int kArrowBack = 5;

constexpr UINT kCentredLine = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

void Line(HDC dc, POINT from, POINT to) {
    ::MoveToEx(dc, from.x, from.y, nullptr);
    ::LineTo(dc, to.x, to.y);
}

// `back` is the x offset of the two tails from the tip (+ points left, - right).
void Arrowhead(HDC dc, POINT tip, int back) {
    Line(dc, {tip.x + back, tip.y - CHART_ARROW_SPREAD}, tip);
    Line(dc, {tip.x + back, tip.y + CHART_ARROW_SPREAD}, tip);
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

void CListChartView::MakeDrawingTools() {
    m_outlinePen.Reset(::CreatePen(PS_SOLID, 1, kShapeOutline));
    m_connectorPen.Reset(::CreatePen(PS_SOLID, 0, kConnector));
    m_stubPen.Reset(::CreatePen(PS_SOLID, 0, PALETTE_ERROR));
    m_fillBrush.Reset(::CreateSolidBrush(PALETTE_WHITE));
}

int CListChartView::RenderChart() {
    if (m_nCount <= 0)
        return 0;
    const ChartMetrics& m = g_chartMetrics;
    m_lookFocused = m_hWnd && ::GetFocus() == m_hWnd;
    const int count = std::max(m_nCount, m_lookCount);
    for (int n = 0; n < count; ++n) {
        const bool was = n < m_lookCount;
        const bool is = n < m_nCount;
        ElementLook look;
        BandSpan span;
        if (is) {
            look.element = m_elements[n];
            look.plan = PlanConnectors(m_elements, m_nCount, n);
            look.selected = n == m_nSelected;
            look.focused = m_lookFocused;
            span = ElementSpan(m, n, look.element.code, look.plan);
        }
        if (was && is && SameLook(m_looks[n], look) && m_spans[n].first == span.first && m_spans[n].last == span.last)
            continue;
        for (int b = was ? m_spans[n].first : 0; was && b <= m_spans[n].last; ++b)
            RedoBand(b);
        for (int b = span.first; is && b <= span.last; ++b)
            RedoBand(b);
        m_looks[n] = look;
        m_spans[n] = span;
    }
    m_lookCount = m_nCount;
    UpdateContentSize();
    return m_nCount;
}

void CListChartView::RedoBand(int b) {
    if (b < 0 || b >= CHART_MAX_ELEMENTS)
        return;
    if (m_stripSlots > 0 && m_slotBand[b % m_stripSlots] == b)
        m_slotBand[b % m_stripSlots] = -1;
    if (!m_hWnd)
        return;
    const int rowHeight = g_chartMetrics.rowHeight;
    const int y = b * rowHeight - GetScrollPosition().y;
    const RECT band{0, y, GetClientRect().right, y + rowHeight};
    ::InvalidateRect(m_hWnd, &band, FALSE);
}

bool CListChartView::BandReady(int b) const { return m_stripSlots > 0 && m_slotBand[b % m_stripSlots] == b; }

// Every element reaching the bands is drawn once for all of them, in order.
void CListChartView::DrawBands(int first, int last) {
    const ChartMetrics& m = g_chartMetrics;
    const int slotTop = (first % m_stripSlots) * m.rowHeight;
    const int height = (last - first + 1) * m.rowHeight;
    const int dy = slotTop - first * m.rowHeight;
    {
        CSaveDC saved(m_stripSurface);
        ::IntersectClipRect(m_stripSurface, 0, slotTop, m.elementWidth, slotTop + height);
        ::PatBlt(m_stripSurface, 0, slotTop, m.elementWidth, height, WHITENESS);
        // The bodies lie right of the margin, which the strip leaves out; the
        // number bands stay at the left edge.
        ::SetViewportOrgEx(m_stripSurface, -m.margin, dy, nullptr);
        for (int n = 0; n < m_lookCount; ++n) {
            if (m_spans[n].first <= last && m_spans[n].last >= first)
                DrawBody(m_stripSurface, n);  // later connectors draw over earlier ones
        }
        ::SetViewportOrgEx(m_stripSurface, 0, dy, nullptr);
        for (int band = first; band <= last; ++band)
            DrawNumberBand(m_stripSurface, band);
    }
    for (int band = first; band <= last; ++band)
        m_slotBand[band % m_stripSlots] = band;
}

void CListChartView::DrawNumberBand(HDC dc, int n) {
    if (n < 0 || n >= m_lookCount)
        return;
    const ElementLook& look = m_looks[n];
    const RECT band = NumberBandRect(g_chartMetrics, n);
    const COLORREF colour = look.selected ? (look.focused ? PALETTE_SELECTION_FOCUSED : PALETTE_SELECTION)
                                          : (n % 2 ? kBandOdd : kBandEven);
    const COLORREF oldBrush = ::SetDCBrushColor(dc, colour);
    ::FillRect(dc, &band, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
    ::SetDCBrushColor(dc, oldBrush);
    if (look.element.code != CMD_START) {
        CTextStyle style(dc, look.selected ? PALETTE_WHITE : PALETTE_NUMBER_TEXT, TRANSPARENT);
        CSelect smallFont(dc, m_fontSmall);
        DrawText(dc, std::to_wstring(n), band, kCentredLine);
    }
}

void CListChartView::DrawBody(HDC dc, int n) {
    if (n < 0 || n >= m_lookCount)
        return;
    const ProgramRow& element = m_looks[n].element;
    CTextStyle style(dc, IsFaultyElement(element) ? PALETTE_ERROR : PALETTE_BLACK, TRANSPARENT);
    {
        CSelect pen(dc, m_outlinePen);
        CSelect brush(dc, m_fillBrush);
        CSelect textFont(dc, m_fontText);
        const RECT shape = ShapeRect(g_chartMetrics, n, element.code);
        DrawShape(dc, element.code, shape, ShapeAnchors(shape), m_fillBrush);
        DrawText(dc, ElementText(element), shape, kCentredLine);  // clipped to the shape
    }
    if (m_lookCount > 1)
        DrawConnectors(dc, n);
}

void CListChartView::DrawConnectors(HDC dc, int n) {
    const ElementLook& look = m_looks[n];
    const ConnectorPlan& plan = look.plan;
    const ConnectorRoutes routes = RouteConnectors(g_chartMetrics, n, look.element.code, plan);
    const bool isIf = look.element.code == CMD_IF;

    CSelect font(dc, m_fontSmall);  // labels keep the element's text colour
    CSelect selectPen(dc, m_connectorPen);
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
        CSelect selectRed(dc, look.element.reachable ? HGDIOBJ(m_connectorPen) : HGDIOBJ(m_stubPen));
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
    if (m_stripSlots <= 0 || n < 0 || n >= CHART_MAX_ELEMENTS)
        return;
    const ChartMetrics& m = g_chartMetrics;
    const int slot = n % m_stripSlots;
    if (!BandReady(n))
        DrawBands(n, n);
    const int top = n * m.rowHeight;
    const int from = slot * m.rowHeight;
    ::BitBlt(dc, 0, top, m.bandWidth, m.rowHeight, m_stripSurface, 0, from, SRCCOPY);
    ::BitBlt(dc, m.margin + m.bandWidth, top, m.elementWidth - m.bandWidth, m.rowHeight, m_stripSurface, m.bandWidth,
             from, SRCCOPY);
}

// Only the part to be painted (the clip box) is drawn.
void CListChartView::DrawContent(HDC dc) {
    RECT visible{};
    if (::GetClipBox(dc, &visible) == NULLREGION)
        return;
    ::PatBlt(dc, visible.left, visible.top, visible.right - visible.left, visible.bottom - visible.top, WHITENESS);
    const int rowHeight = g_chartMetrics.rowHeight;
    auto shown = [&](int i) { return (i + 1) * rowHeight >= visible.top && i * rowHeight <= visible.bottom; };
    // Bands missing from the strip are drawn in runs of neighbouring slots.
    int run = -1;
    for (int i = 0; i <= m_nCount && m_stripSlots > 0; ++i) {
        const bool missing = i < m_nCount && shown(i) && !BandReady(i);
        if (run >= 0 && (!missing || i % m_stripSlots == 0)) {
            DrawBands(run, i - 1);
            run = -1;
        }
        if (missing && run < 0)
            run = i;
    }
    for (int i = 0; i < m_nCount; ++i) {
        if (shown(i))
            CopyRowBand(dc, i);
    }
}
