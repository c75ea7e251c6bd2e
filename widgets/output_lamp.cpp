#include "widgets/output_lamp.h"

#include "framework/gdi.h"

namespace {
constexpr const wchar_t* kLampClass = L"VelmoraOutputLamp";
}

// clang-format off
BEGIN_MESSAGE_MAP(COutputLamp, CWnd)
    Paint<&ThisClass::OnPaint>(),
    EraseBkgnd<&ThisClass::OnEraseBkgnd>(),
END_MESSAGE_MAP()
// clang-format on

BOOL COutputLamp::Create(const RECT& rect, HWND parent, UINT id, COLORREF litColour) {
    m_colour = litColour;
    return CWnd::Create(nullptr, L"", WS_CHILD | WS_VISIBLE, rect, parent, id);
}

BOOL COutputLamp::PreCreateWindow(CREATESTRUCTW& cs) { return UseFrameworkClass(cs, kLampClass); }

void COutputLamp::SetOn(bool on) {
    if (on == m_on)
        return;
    m_on = on;
    if (!m_hWnd)
        return;
    // Drawn at once: a lamp follows a running program row by row, and under
    // Wine a paint pass costs several window-server trips where a DC costs one.
    if (!::IsWindowVisible(m_hWnd)) {
        Invalidate(FALSE);
        return;
    }
    CClientDC dc(m_hWnd);
    Draw(dc, GetClientRect(), m_colour, m_on);
}

void COutputLamp::Draw(HDC dc, const RECT& rect, COLORREF colour, bool on) {
    CBrush back(::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE)));
    ::FillRect(dc, &rect, back);
    CBrush fill(::CreateSolidBrush(on ? colour : kLampOffColour));
    CPen rim(::CreatePen(PS_SOLID, 2, RGB(40, 40, 40)));
    CSelect brush(dc, fill);
    CSelect pen(dc, rim);
    ::Ellipse(dc, rect.left + 2, rect.top + 2, rect.right - 2, rect.bottom - 2);
}

void COutputLamp::OnPaint() {
    CPaintDC dc(m_hWnd);
    Draw(dc, GetClientRect(), m_colour, m_on);
}

BOOL COutputLamp::OnEraseBkgnd(HDC) { return TRUE; }
