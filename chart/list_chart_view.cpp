// Elements, layout and input of the flowchart view; drawing is in chart_drawing.cpp.
#include "chart/list_chart_view.h"
#include "chart/chart_elements.h"
#include "model/vocabulary.h"
#include <algorithm>

namespace {
// What the strip may take: 16 MB, though always at least a screenful of bands.
constexpr long long kStripBudget = 16'000'000;
}  // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CListChartView, CScrollWnd)
    Size<&ThisClass::OnSize>(),
    Key<&ThisClass::OnKeyDown>(WM_KEYDOWN),
    Mouse<&ThisClass::OnLButtonDown>(WM_LBUTTONDOWN),
    Mouse<&ThisClass::OnRButtonDown>(WM_RBUTTONDOWN),
    Focus<&ThisClass::OnSetFocus>(WM_SETFOCUS),
    Focus<&ThisClass::OnKillFocus>(WM_KILLFOCUS),
    HScroll<&ThisClass::OnHScroll>(),
    VScroll<&ThisClass::OnVScroll>(),
END_MESSAGE_MAP()
// clang-format on

CListChartView::CListChartView()
    : m_oldStripBitmap(static_cast<HBITMAP>(::GetCurrentObject(m_stripSurface, OBJ_BITMAP))) {
    ForgetBands();
    SetZoomLevel(0, false);
}

CListChartView::~CListChartView() {
    ::SelectObject(m_stripSurface, m_oldStripBitmap);  // m_stripBitmap can be deleted now
}

BOOL CListChartView::PreCreateWindow(CREATESTRUCTW& cs) {
    cs.style &= ~static_cast<LONG>(WS_BORDER);
    cs.dwExStyle = (cs.dwExStyle & ~static_cast<DWORD>(WS_EX_CLIENTEDGE)) | WS_EX_STATICEDGE;
    return CScrollWnd::PreCreateWindow(cs);
}

int CListChartView::SetProgram(const ProgramRow* rows, int count) {
    if (!rows || count < 0)
        return 0;
    m_nCount = BuildChartElements(rows, count, m_elements);
    RenderChart();
    return m_nCount;
}

void CListChartView::SetZoomLevel(int level, bool relayout) {
    if (level != 0)
        return;
    g_zoomLevel = 0;
    ChartMetrics& m = g_chartMetrics;
    if (m_hWnd) {
        const int clientWidth = GetClientRect().right;
        if (clientWidth > 0)
            m.margin = std::max(0, (clientWidth - m.elementWidth) / 2);
    }

    const bool strip = FitStrip();
    m_stripWidth = strip ? m.margin + m.elementWidth : 0;
    m_stripHeight = strip ? CHART_MAX_ELEMENTS * m.rowHeight : 0;
    // Fonts are made once per size; the margin alone changes no pixel of the strip.
    if (m_fontWidths[0] != m.textFontWidth || m_fontWidths[1] != m.smallFontWidth) {
        m_fontText = MakeChartTextFont(m);
        m_fontSmall = MakeChartSmallFont(m);
        m_fontWidths[0] = m.textFontWidth;
        m_fontWidths[1] = m.smallFontWidth;
        ForgetBands();
    }
    if (relayout)
        RenderChart();
}

bool CListChartView::FitStrip() {
    const ChartMetrics& m = g_chartMetrics;
    const int width = std::max(1, m.elementWidth);
    const int rowHeight = std::max(1, m.rowHeight);
    const long long bandBytes = 4LL * width * rowHeight;
    const int clientHeight = m_hWnd ? GetClientRect().bottom : 0;
    const int screenful = clientHeight / rowHeight + 2;
    const int slots = static_cast<int>(
        std::min<long long>(CHART_MAX_ELEMENTS, std::max<long long>(kStripBudget / bandBytes, screenful)));
    BITMAP now{};
    if (m_stripBitmap && ::GetObjectW(m_stripBitmap, sizeof now, &now) && now.bmWidth == width &&
        now.bmHeight == slots * rowHeight)
        return true;
    ::SelectObject(m_stripSurface, m_oldStripBitmap);
    CClientDC screen(nullptr);
    m_stripBitmap.Reset(::CreateCompatibleBitmap(screen, width, slots * rowHeight));
    m_stripSlots = m_stripBitmap ? slots : 0;
    if (m_stripBitmap)
        ::SelectObject(m_stripSurface, m_stripBitmap);
    ForgetBands();
    return m_stripBitmap.Get() != nullptr;
}

void CListChartView::ForgetBands() {
    std::fill(std::begin(m_slotBand), std::end(m_slotBand), -1);
    if (m_hWnd)
        Invalidate(FALSE);
}

int CListChartView::ElementCode(int i) const {
    return i >= 0 && i < CHART_MAX_ELEMENTS ? m_elements[i].code : CMD_NONE;
}

RECT CListChartView::ElementRowRect(int i) const { return RowBandRect(g_chartMetrics, i); }
RECT CListChartView::ElementShapeRect(int i) const { return ShapeRect(g_chartMetrics, i, ElementCode(i)); }
AnchorPoints CListChartView::ElementAnchors(int i) const { return ShapeAnchors(ElementShapeRect(i)); }
ConnectorPlan CListChartView::ElementConnectors(int n) const { return PlanConnectors(m_elements, m_nCount, n); }

// Refitting the scroll bars is costly even when nothing changed; the size
// handler refits them for a new client size.
void CListChartView::UpdateContentSize() {
    const ChartMetrics& m = g_chartMetrics;
    const int width = m.margin + m.elementWidth;
    const int height = m_nCount * m.rowHeight;
    if (m_hWnd && width == m_contentWidth && height == m_contentHeight && m_lineStep.cx == width &&
        m_lineStep.cy == m.rowHeight)
        return;
    m_contentWidth = width;
    m_contentHeight = height;
    SetContentSize({m_contentWidth, m_contentHeight}, {m_contentWidth, m.rowHeight});
}

void CListChartView::OnWindowCreated() {
    m_nCount = 0;
    m_nSelected = -1;
    UpdateContentSize();
}

void CListChartView::OnSize(UINT type, int cx, int cy) {
    CScrollWnd::OnSize(type, cx, cy);
    if (type == SIZE_MINIMIZED)
        return;
    ChartMetrics& m = g_chartMetrics;
    m = ScaledMetrics(ScaleForWidth(GetClientRect().right));
    // Against the old width including its margin: any non-zero margin relays out.
    if (m.elementWidth + m.margin != g_lastStripWidth) {
        SetZoomLevel(0, true);
        g_lastStripWidth = m.elementWidth + m.margin;
        // An empty chart is not rendered; its content width still follows the
        // new layout so that no stale width asks for a scroll bar.
        if (m_nCount <= 0)
            UpdateContentSize();
    }
    FitStrip();  // a taller view may need more bands than the strip holds
}

int CListChartView::ElementFromPoint(int, int y) const {
    const int rowHeight = g_chartMetrics.rowHeight;
    if (m_nCount <= 0 || rowHeight == 0)
        return -2;
    const int index = (GetScrollPosition().y + y) / rowHeight;
    return index >= m_nCount ? -1 : index;
}

void CListChartView::RevealElementNearTop(int i) {
    const int rowHeight = g_chartMetrics.rowHeight;
    if (m_nCount <= 0 || i < 0 || i >= m_nCount || rowHeight == 0)
        return;
    const POINT pos = GetScrollPosition();
    if (i * rowHeight >= pos.y && (i + 1) * rowHeight <= pos.y + GetClientRect().bottom)
        return;
    ScrollToPoint(pos.x, std::max(0, i - 1) * rowHeight);
}

int CListChartView::SelectElement(int i) {
    if (m_nCount <= 0 || i < 0 || i >= m_nCount)
        return 0;
    const int clientHeight = GetClientRect().bottom;
    const int first = ElementFromPoint(0, 0);
    int last = ElementFromPoint(0, clientHeight);
    if (last == -1 && first >= 0)
        last = m_nCount;  // the chart ends above the bottom edge
    const int rowHeight = g_chartMetrics.rowHeight;
    if (rowHeight == 0)
        return 0;
    const int x = GetScrollPosition().x;
    if (i <= first)
        ScrollToPoint(x, i * rowHeight);
    else if (i >= last)
        ScrollToPoint(x, (i + 1) * rowHeight - clientHeight);
    if (i == m_nSelected)
        return 0;
    m_nSelected = i;
    RenderChart();
    return 1;
}

void CListChartView::TakeFocus() {
    if (!m_hasFocus)
        ::SetFocus(m_hWnd);
}

void CListChartView::NotifySelection(int index) {
    if (HWND parent = GetParent())
        ::PostMessageW(parent, WM_CHART_SELCHANGE, static_cast<WPARAM>(index), 0);
}

void CListChartView::OnKeyDown(UINT vk, UINT, UINT) {
    const int rowHeight = g_chartMetrics.rowHeight;
    if (m_nCount <= 0 || rowHeight == 0)
        return;  // swallowed
    const int rowsPerPage = std::max<int>(1, GetClientRect().bottom / rowHeight);
    const int old = m_nSelected;
    int index = old;
    switch (vk) {
    case VK_TAB:
    case VK_DOWN: index = old + 1; break;
    case VK_UP: index = old - 1; break;
    case VK_PRIOR: index = old - rowsPerPage; break;
    case VK_NEXT: index = old + rowsPerPage; break;
    case VK_HOME: index = 0; break;
    case VK_END: index = m_nCount - 1; break;
    default: break;
    }
    m_nSelected = std::clamp(index, 0, m_nCount - 1);
    SelectElement(m_nSelected);  // already selected: only scrolls it into view
    if (m_nSelected != old) {
        RenderChart();
        NotifySelection(m_nSelected);
    }
    Default();
}

void CListChartView::OnLButtonDown(UINT, POINT point) {
    TakeFocus();
    const int r = ElementFromPoint(point.x, point.y);
    if (r == -2)
        return;
    if (r == -1) {  // below the last element: the selection stays
        RenderChart();
        return;
    }
    if (r == m_nSelected)
        return;
    m_nSelected = r;
    RenderChart();
    NotifySelection(r);
    Default();
}

void CListChartView::OnRButtonDown(UINT, POINT) {
    TakeFocus();
    Default();
}

void CListChartView::OnSetFocus(HWND) {
    m_hasFocus = true;
    Default();
    RenderChart();  // the selected band takes the focused colour
}

void CListChartView::OnKillFocus(HWND) {
    m_hasFocus = false;
    Default();
    RenderChart();
}

void CListChartView::OnHScroll(UINT code, UINT pos, HWND bar) {
    TakeFocus();
    CScrollWnd::OnHScroll(code, pos, bar);
}

void CListChartView::OnVScroll(UINT code, UINT pos, HWND bar) {
    TakeFocus();
    CScrollWnd::OnVScroll(code, pos, bar);
}
