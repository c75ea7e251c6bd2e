#include "chart/scroll_wnd.h"
#include <algorithm>
#include <climits>

namespace {
constexpr wchar_t kScrollWndClass[] = L"VelmoraScrollWnd";

int ToInt(long long v) { return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX)); }
int Magnitude(int v) { return v == INT_MIN ? INT_MAX : (v < 0 ? -v : v); }

// New position on one axis for a scroll-bar action.
long long StepPosition(UINT action, int pos, int line, int page, int thumb) {
    switch (action) {
    case SB_LINEUP: return static_cast<long long>(pos) - line;
    case SB_LINEDOWN: return static_cast<long long>(pos) + line;
    case SB_PAGEUP: return static_cast<long long>(pos) - page;
    case SB_PAGEDOWN: return static_cast<long long>(pos) + page;
    case SB_THUMBTRACK: return thumb;
    case SB_TOP: return 0;
    case SB_BOTTOM: return INT_MAX;
    default: return pos;  // thumb released, end of scrolling, no action
    }
}

// Range 0 .. content - 1, one page the visible size.
void SetBarRange(HWND hwnd, int bar, int content, int page) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE;
    si.nMax = content - 1;
    si.nPage = static_cast<UINT>(page);
    ::SetScrollInfo(hwnd, bar, &si, TRUE);
}
}  // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CScrollWnd, CWnd)
    velmora::map::Create<&ThisClass::OnCreate>(),  // CWnd::Create would hide it
    Size<&ThisClass::OnSize>(),
    HScroll<&ThisClass::OnHScroll>(),
    VScroll<&ThisClass::OnVScroll>(),
    MouseWheel<&ThisClass::OnMouseWheel>(),
    Paint<&ThisClass::OnPaint>(),
END_MESSAGE_MAP()
// clang-format on

CScrollWnd::CScrollWnd() : m_oldBitmap(static_cast<HBITMAP>(::GetCurrentObject(m_bufferSurface, OBJ_BITMAP))) {}

CScrollWnd::~CScrollWnd() {
    ::SelectObject(m_bufferSurface, m_oldBitmap);  // m_bufferBitmap can be deleted now
}

BOOL CScrollWnd::PreCreateWindow(CREATESTRUCTW& cs) {
    return UseFrameworkClass(cs, kScrollWndClass, CS_HREDRAW | CS_VREDRAW);
}

void CScrollWnd::SetContentSize(SIZE total, SIZE line) {
    m_contentSize = {Magnitude(total.cx), Magnitude(total.cy)};
    m_lineStep = {Magnitude(line.cx), Magnitude(line.cy)};
    m_pageStep = {m_contentSize.cx / 10, m_contentSize.cy / 10};
    if (m_lineStep.cx == 0)
        m_lineStep.cx = m_pageStep.cx / 10;
    if (m_lineStep.cy == 0)
        m_lineStep.cy = m_pageStep.cy / 10;
    if (m_hWnd)
        UpdateScrollBars();
}

bool CScrollWnd::BarShown(int bar) const {
    return m_hWnd && (GetStyle() & (bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL)) != 0;
}

POINT CScrollWnd::GetScrollPosition() const {
    return {BarShown(SB_HORZ) ? ::GetScrollPos(m_hWnd, SB_HORZ) : 0,
            BarShown(SB_VERT) ? ::GetScrollPos(m_hWnd, SB_VERT) : 0};
}

int CScrollWnd::ScrollLimit(int bar) const {
    if (!BarShown(bar))
        return 0;
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE;
    if (!::GetScrollInfo(m_hWnd, bar, &si))
        return 0;
    return std::max(0, ToInt(static_cast<long long>(si.nMax) - si.nPage + 1));
}

void CScrollWnd::ScrollToPoint(int x, int y) {
    const POINT old = GetScrollPosition();
    const POINT now{std::clamp(x, 0, ScrollLimit(SB_HORZ)), std::clamp(y, 0, ScrollLimit(SB_VERT))};
    // Only a bar that moves is set: setting one redraws it, and a themed bar's
    // redraw costs about a millisecond under Wine.
    if (now.x != old.x)
        ::SetScrollPos(m_hWnd, SB_HORZ, now.x, TRUE);
    if (now.y != old.y)
        ::SetScrollPos(m_hWnd, SB_VERT, now.y, TRUE);
    if (old.x != now.x || old.y != now.y)
        ::ScrollWindow(m_hWnd, old.x - now.x, old.y - now.y, nullptr, nullptr);
}

void CScrollWnd::UpdateScrollBars() {
    // Showing or hiding a bar resizes the client area; the size message that
    // follows comes back here and must not start a second update.
    if (m_inUpdate || !m_hWnd)
        return;
    m_inUpdate = true;
    // A subclass may lay its content out anew in that size message. A pass
    // that saw the content size change is run again, so the bars end up
    // matching the content as it is now (a few passes at most).
    for (int pass = 0; pass < 3; ++pass) {
        const SIZE before = m_contentSize;
        if (!FitScrollBars() || (before.cx == m_contentSize.cx && before.cy == m_contentSize.cy))
            break;
    }
    m_inUpdate = false;
}

bool CScrollWnd::FitScrollBars() {
    const DWORD style = GetStyle();
    int barWidth = ::GetSystemMetrics(SM_CXVSCROLL);
    int barHeight = ::GetSystemMetrics(SM_CYHSCROLL);
    if (style & WS_BORDER) {
        barWidth -= ::GetSystemMetrics(SM_CXBORDER);
        barHeight -= ::GetSystemMetrics(SM_CYBORDER);
    }
    const RECT client = GetClientRect();
    const SIZE full{client.right + ((style & WS_VSCROLL) ? barWidth : 0),
                    client.bottom + ((style & WS_HSCROLL) ? barHeight : 0)};
    if (full.cx <= barWidth || full.cy <= barHeight) {
        if (!::IsRectEmpty(&client))
            ::ShowScrollBar(m_hWnd, SB_BOTH, FALSE);
        return false;
    }

    SIZE range{m_contentSize.cx - full.cx, m_contentSize.cy - full.cy};
    const POINT old = GetScrollPosition();
    POINT target = old;
    bool needH = range.cx > 0;
    if (!needH)
        target.x = 0;
    else
        range.cy += barHeight;
    const bool needV = range.cy > 0;
    if (!needV)
        target.y = 0;
    else
        range.cx += barWidth;
    if (needV && !needH && range.cx > 0) {  // the vertical bar took the room the content needed
        needH = true;
        range.cy += barHeight;
    }
    if (range.cx > 0 && target.x >= range.cx)
        target.x = range.cx;
    if (range.cy > 0 && target.y >= range.cy)
        target.y = range.cy;
    const SIZE visible{full.cx - (needV ? barWidth : 0), full.cy - (needH ? barHeight : 0)};

    ::SetScrollPos(m_hWnd, SB_HORZ, target.x, FALSE);
    ::SetScrollPos(m_hWnd, SB_VERT, target.y, FALSE);
    if (old.x != target.x || old.y != target.y)
        ::ScrollWindow(m_hWnd, old.x - target.x, old.y - target.y, nullptr, nullptr);

    ::ShowScrollBar(m_hWnd, SB_HORZ, needH);
    if (needH)
        SetBarRange(m_hWnd, SB_HORZ, m_contentSize.cx, visible.cx);
    ::ShowScrollBar(m_hWnd, SB_VERT, needV);
    if (needV)
        SetBarRange(m_hWnd, SB_VERT, m_contentSize.cy, visible.cy);
    return true;
}

bool CScrollWnd::ScrollByCode(UINT code, int thumbPos, bool doScroll) {
    const POINT old = GetScrollPosition();
    const long long x = StepPosition(LOBYTE(code), old.x, m_lineStep.cx, m_pageStep.cx, thumbPos);
    const long long y = StepPosition(HIBYTE(code), old.y, m_lineStep.cy, m_pageStep.cy, thumbPos);
    const bool scrolled = ScrollByOffset(ToInt(x - old.x), ToInt(y - old.y), doScroll);
    if (scrolled && doScroll)
        ::UpdateWindow(m_hWnd);
    return scrolled;
}

bool CScrollWnd::ScrollByOffset(int dx, int dy, bool doScroll) {
    const POINT old = GetScrollPosition();
    POINT now = old;
    if (BarShown(SB_HORZ))
        now.x = ToInt(std::clamp<long long>(static_cast<long long>(old.x) + dx, 0, ScrollLimit(SB_HORZ)));
    if (BarShown(SB_VERT))
        now.y = ToInt(std::clamp<long long>(static_cast<long long>(old.y) + dy, 0, ScrollLimit(SB_VERT)));
    if (now.x == old.x && now.y == old.y)
        return false;
    if (doScroll) {
        ::ScrollWindow(m_hWnd, old.x - now.x, old.y - now.y, nullptr, nullptr);
        if (now.x != old.x)
            ::SetScrollPos(m_hWnd, SB_HORZ, now.x, TRUE);
        if (now.y != old.y)
            ::SetScrollPos(m_hWnd, SB_VERT, now.y, TRUE);
    }
    return true;
}

void CScrollWnd::PrepareSurface(HDC dc) {
    const POINT pos = GetScrollPosition();
    ::SetMapMode(dc, MM_TEXT);
    ::SetViewportOrgEx(dc, -pos.x, -pos.y, nullptr);
}

int CScrollWnd::OnCreate(CREATESTRUCT*) {
    const LRESULT result = Default();
    OnWindowCreated();
    return static_cast<int>(result);
}

void CScrollWnd::OnSize(UINT, int, int) {
    Default();
    UpdateScrollBars();
}

void CScrollWnd::OnHScroll(UINT code, UINT pos, HWND bar) {
    if (!bar)  // the window's own bar, not a scroll-bar control
        ScrollByCode(MAKEWORD(code, 0xFF), static_cast<int>(pos), true);
}

void CScrollWnd::OnVScroll(UINT code, UINT pos, HWND bar) {
    if (!bar)
        ScrollByCode(MAKEWORD(0xFF, code), static_cast<int>(pos), true);
}

bool CScrollWnd::OnMouseWheel(UINT keys, short delta, POINT) {
    if (keys & (MK_SHIFT | MK_CONTROL))
        return false;
    const bool vertical = BarShown(SB_VERT);
    if (!vertical && !BarShown(SB_HORZ))
        return false;
    const int page = vertical ? m_pageStep.cy : m_pageStep.cx;
    const int line = vertical ? m_lineStep.cy : m_lineStep.cx;
    // Ten lines a notch, whatever the system's wheel setting.
    const int lines = ::MulDiv(-delta, 10, 120);
    int distance;
    if (lines == -1)
        distance = delta > 0 ? -page : page;
    else  // toward the end at most a page; toward the start unlimited
        distance = ToInt(std::min<long long>(static_cast<long long>(lines) * line, page));
    const bool scrolled = vertical ? ScrollByOffset(0, distance, true) : ScrollByOffset(distance, 0, true);
    if (scrolled)
        ::UpdateWindow(m_hWnd);
    return scrolled;
}

bool CScrollWnd::FitBuffer() {
    const RECT client = GetClientRect();
    const int width = std::max<int>(1, client.right);
    const int height = std::max<int>(1, client.bottom);
    if (width != m_bufferWidth || height != m_bufferHeight) {
        ::SelectObject(m_bufferSurface, m_oldBitmap);
        CClientDC screen(nullptr);
        m_bufferBitmap.Reset(::CreateCompatibleBitmap(screen, width, height));
        m_bufferWidth = m_bufferBitmap ? width : 0;
        m_bufferHeight = m_bufferBitmap ? height : 0;
    }
    if (!m_bufferBitmap)
        return false;  // the next paint tries again
    ::SelectObject(m_bufferSurface, m_bufferBitmap);
    return true;
}

// Only what needs painting is drawn and copied; the rest of the buffer keeps
// the last paint, which the screen shows already.
void CScrollWnd::PaintArea(HDC screen, const RECT& dirty) {
    {
        CSaveDC saved(m_bufferSurface);
        ::IntersectClipRect(m_bufferSurface, dirty.left, dirty.top, dirty.right, dirty.bottom);
        ::PatBlt(m_bufferSurface, 0, 0, m_bufferWidth, m_bufferHeight, WHITENESS);
        PrepareSurface(m_bufferSurface);
        DrawContent(m_bufferSurface);
    }
    ::BitBlt(screen, dirty.left, dirty.top, dirty.right - dirty.left, dirty.bottom - dirty.top, m_bufferSurface,
             dirty.left, dirty.top, SRCCOPY);
}

void CScrollWnd::OnPaint() {
    CPaintDC paint(m_hWnd);
    if (FitBuffer())
        PaintArea(paint, paint.Info().rcPaint);
}

void CScrollWnd::RedrawNow(const RECT& area) {
    if (!::IsWindowVisible(m_hWnd) || !FitBuffer()) {
        ::InvalidateRect(m_hWnd, &area, FALSE);
        return;
    }
    CClientDC screen(m_hWnd);
    PaintArea(screen, area);
}
