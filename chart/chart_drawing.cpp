// Rendering the flowchart into the strip and painting the view from it.
#include "chart/chart_painting.h"
#include "chart/chart_palette.h"
#include "chart/element_text.h"
#include "chart/list_chart_view.h"
#include "model/vocabulary.h"
#include <algorithm>
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
    CSelect selectPen(dc, look.pens.connector);
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
        CSelect selectRed(dc, element.reachable ? look.pens.connector : look.pens.unreachableStub);
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

ChartPens::ChartPens()
    : outline(::CreatePen(PS_SOLID, 1, CHART_SHAPE_OUTLINE)),
      connector(::CreatePen(PS_SOLID, 0, CHART_CONNECTOR)),
      unreachableStub(::CreatePen(PS_SOLID, 0, CHART_UNREACHABLE_STUB)),
      fill(::CreateSolidBrush(CHART_SHAPE_FILL)) {}

CFont MakeChartTextFont(const ChartMetrics& m) { return MakeChartFont(m.textFontWidth, 600); }
CFont MakeChartSmallFont(const ChartMetrics& m) { return MakeChartFont(m.smallFontWidth, 550); }

void PaintChartNumberBand(HDC dc, const ChartLook& look, const ProgramRow* elements, int count, int n) {
    if (!elements || count <= 0 || n < 0 || n >= count)
        return;
    const bool selected = n == look.selected;
    const RECT band = NumberBandRect(look.metrics, n);
    const COLORREF colour = selected ? (look.focused ? CHART_BAND_SELECTED_FOCUSED : CHART_BAND_SELECTED)
                                     : (n % 2 ? CHART_BAND_ODD : CHART_BAND_EVEN);
    CBrush bandBrush(::CreateSolidBrush(colour));
    ::FillRect(dc, &band, bandBrush);
    if (elements[n].code == CMD_START)
        return;
    CTextStyle style(dc, selected ? CHART_NUMBER_SELECTED : CHART_NUMBER, TRANSPARENT);
    CSelect smallFont(dc, look.smallFont);
    DrawText(dc, std::to_wstring(n), band, kCentredLine);
}

void PaintChartBody(HDC dc, const ChartLook& look, const ProgramRow* elements, int count, int n) {
    if (!elements || count <= 0 || n < 0 || n >= count)
        return;
    const ProgramRow& element = elements[n];
    CTextStyle style(dc, IsFaultyElement(element) ? CHART_TEXT_FAULTY : CHART_TEXT, TRANSPARENT);
    {
        CSelect pen(dc, look.pens.outline);
        CSelect brush(dc, look.pens.fill);
        CSelect textFont(dc, look.textFont);
        const RECT shape = ShapeRect(look.metrics, n, element.code);
        DrawShape(dc, element.code, shape, ShapeAnchors(shape), look.pens.fill);
        DrawText(dc, ElementText(element), shape, kCentredLine);  // clipped to the shape
    }
    if (count > 1)
        DrawConnectors(dc, look, elements, count, n);
}

void PaintChartElement(HDC dc, const ChartLook& look, const ProgramRow* elements, int count, int n) {
    PaintChartNumberBand(dc, look, elements, count, n);
    PaintChartBody(dc, look, elements, count, n);
}

int CListChartView::RenderChart() {
    if (m_nCount <= 0)
        return 0;
    const ChartMetrics& m = g_chartMetrics;
    m_lookFocused = m_hWnd && m_hasFocus;
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
        if (was && is && SameBody(m_looks[n], look) && m_spans[n].first == span.first && m_spans[n].last == span.last) {
            const bool bandChanged = !SameNumberBand(m_looks[n], look);
            m_looks[n] = look;
            if (bandChanged)
                RedoNumberBand(n);
            continue;
        }
        for (int b = was ? m_spans[n].first : 0; was && b <= m_spans[n].last; ++b)
            RedoBand(b);
        for (int b = span.first; is && b <= span.last; ++b)
            RedoBand(b);
        m_looks[n] = look;
        m_spans[n] = span;
    }
    m_lookCount = m_nCount;
    UpdateContentSize();
    ShowChanges();
    return m_nCount;
}

namespace {
// A band reaches across the whole client, whatever the horizontal scroll.
constexpr int kAcross = 1 << 28;

// UnionRect leaves out an empty rectangle, so the first area starts the sum.
void AddArea(RECT& to, const RECT& area) { ::UnionRect(&to, &to, &area); }
}  // namespace

void CListChartView::RedoBand(int b) {
    if (b < 0 || b >= CHART_MAX_ELEMENTS)
        return;
    if (m_stripSlots > 0 && m_slotBand[b % m_stripSlots] == b)
        m_slotBand[b % m_stripSlots] = -1;
    const int rowHeight = g_chartMetrics.rowHeight;
    AddArea(m_changed, RECT{-kAcross, b * rowHeight, kAcross, (b + 1) * rowHeight});
}

void CListChartView::RedoNumberBand(int n) {
    const ChartMetrics& m = g_chartMetrics;
    if (BandReady(n)) {
        CSaveDC saved(m_stripSurface);
        ::SetViewportOrgEx(m_stripSurface, 0, (n % m_stripSlots - n) * m.rowHeight, nullptr);
        PaintChartNumberBand(m_stripSurface, CurrentLook(), m_elements, m_nCount, n);
    }
    AddArea(m_changed, NumberBandRect(m, n));
}

// After the content size settled: the scroll position it leaves places the area.
void CListChartView::ShowChanges() {
    RECT area = m_changed;
    m_changed = RECT{};
    if (!m_hWnd || ::IsRectEmpty(&area))
        return;
    const POINT pos = GetScrollPosition();
    ::OffsetRect(&area, -pos.x, -pos.y);
    const RECT client = GetClientRect();
    if (::IntersectRect(&area, &area, &client))
        RedrawNow(area);
}

ChartLook CListChartView::CurrentLook() const {
    const bool focused = m_hWnd && m_hasFocus;
    return {g_chartMetrics, m_fontText, m_fontSmall, m_pens, m_nSelected, focused};
}

bool CListChartView::BandReady(int b) const { return m_stripSlots > 0 && m_slotBand[b % m_stripSlots] == b; }

// Every element reaching the bands is drawn once for all of them, in order.
void CListChartView::DrawBands(int first, int last) {
    const ChartMetrics& m = g_chartMetrics;
    const int slotTop = (first % m_stripSlots) * m.rowHeight;
    const int height = (last - first + 1) * m.rowHeight;
    const int dy = slotTop - first * m.rowHeight;
    const ChartLook look = CurrentLook();
    {
        CSaveDC saved(m_stripSurface);
        ::IntersectClipRect(m_stripSurface, 0, slotTop, m.elementWidth, slotTop + height);
        ::PatBlt(m_stripSurface, 0, slotTop, m.elementWidth, height, WHITENESS);
        // The bodies lie right of the margin, which the strip leaves out; the
        // number bands stay at the left edge.
        ::SetViewportOrgEx(m_stripSurface, -m.margin, dy, nullptr);
        for (int n = 0; n < m_lookCount; ++n) {
            if (m_spans[n].first <= last && m_spans[n].last >= first)
                PaintChartBody(m_stripSurface, look, m_elements, m_nCount,
                               n);  // later connectors draw over earlier ones
        }
        ::SetViewportOrgEx(m_stripSurface, 0, dy, nullptr);
        for (int band = first; band <= last; ++band)
            PaintChartNumberBand(m_stripSurface, look, m_elements, m_nCount, band);
    }
    for (int band = first; band <= last; ++band)
        m_slotBand[band % m_stripSlots] = band;
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
