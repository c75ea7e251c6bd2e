// Rendering the flowchart into the strip and painting the view from it.
#include "chart/chart_painting.h"
#include "chart/chart_palette.h"
#include "chart/element_text.h"
#include "chart/list_chart_view.h"
#include "model/vocabulary.h"
#include <string>

namespace {
CFont MakeChartFont(int width, int weight) {
    return CFont(::CreateFontW(2 * width, width, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS,
                               CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, VARIABLE_PITCH | FF_SWISS, L"Arial"));
}

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
        const POINT p[] = {{l, midY}, {l + CHART_LOOP_CUT, t}, {r - CHART_LOOP_CUT, t}, {r, midY}, {r, b}, {l, b}};
        PolygonShape(dc, p, 6, fill);
    } else if (code == CMD_NEXT) {
        const POINT p[] = {{l, midY}, {l + CHART_LOOP_CUT, b}, {r - CHART_LOOP_CUT, b}, {r, midY}, {r, t}, {l, t}};
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
    Arrowhead(dc, bus, j.rightSide ? -CHART_ARROW_BACK : CHART_ARROW_BACK);
    ::MoveToEx(dc, bus.x, bus.y, nullptr);
    ::LineTo(dc, bus.x, arrival.y);
    ::LineTo(dc, arrival.x, arrival.y);
    Arrowhead(dc, arrival, j.rightSide ? CHART_ARROW_BACK : -CHART_ARROW_BACK);
}

void DrawConnectors(HDC dc, const ChartLook& look, const ProgramRow* elements, int count, int n) {
    const ProgramRow& element = elements[n];
    const ConnectorPlan plan = PlanConnectors(elements, count, n);
    const ConnectorRoutes routes = RouteConnectors(look.metrics, n, element.code, plan);
    const bool isIf = element.code == CMD_IF;

    CSelect font(dc, look.smallFont);  // labels keep the element's text colour
    CPen pen(::CreatePen(PS_SOLID, 0, CHART_CONNECTOR));
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
        CPen red(element.reachable ? nullptr : ::CreatePen(PS_SOLID, 0, CHART_UNREACHABLE_STUB));
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
}  // namespace

CFont MakeChartTextFont(const ChartMetrics& m) { return MakeChartFont(m.textFontWidth, 600); }
CFont MakeChartSmallFont(const ChartMetrics& m) { return MakeChartFont(m.smallFontWidth, 550); }

void PaintChartElement(HDC dc, const ChartLook& look, const ProgramRow* elements, int count, int n) {
    if (!elements || count <= 0 || n < 0 || n >= count)
        return;
    const ProgramRow& element = elements[n];
    const bool selected = n == look.selected;

    CPen outline(::CreatePen(PS_SOLID, 1, CHART_SHAPE_OUTLINE));
    CBrush fill(::CreateSolidBrush(CHART_SHAPE_FILL));
    CTextStyle style(dc, selected ? CHART_NUMBER_SELECTED : CHART_NUMBER, TRANSPARENT);
    CSelect smallFont(dc, look.smallFont);
    {
        CSelect pen(dc, outline);
        CSelect brush(dc, fill);
        const RECT band = NumberBandRect(look.metrics, n);
        {
            const COLORREF colour = selected ? (look.focused ? CHART_BAND_SELECTED_FOCUSED : CHART_BAND_SELECTED)
                                             : (n % 2 ? CHART_BAND_ODD : CHART_BAND_EVEN);
            CBrush bandBrush(::CreateSolidBrush(colour));
            ::FillRect(dc, &band, bandBrush);
        }
        if (element.code != CMD_START)
            DrawText(dc, std::to_wstring(n), band, kCentredLine);

        CSelect textFont(dc, look.textFont);
        ::SetTextColor(dc, IsFaultyElement(element) ? CHART_TEXT_FAULTY : CHART_TEXT);
        const RECT shape = ShapeRect(look.metrics, n, element.code);
        DrawShape(dc, element.code, shape, ShapeAnchors(shape), fill);
        DrawText(dc, ElementText(element), shape, kCentredLine);  // clipped to the shape
    }
    if (count > 1)
        DrawConnectors(dc, look, elements, count, n);
}

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
    const bool focused = m_hWnd && ::GetFocus() == m_hWnd;
    PaintChartElement(dc, {g_chartMetrics, m_fontText, m_fontSmall, m_nSelected, focused}, m_elements, m_nCount, n);
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
