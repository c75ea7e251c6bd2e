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

// A DC of its own: the lamp draws at every change, and a shared DC has its
// visible region fetched from the window server each time.
BOOL COutputLamp::PreCreateWindow(CREATESTRUCTW& cs) { return UseFrameworkClass(cs, kLampClass, CS_OWNDC); }

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
    Show(dc);
}

bool COutputLamp::PicturesReady(HDC reference, SIZE size) {
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    if (m_picturesBitmap && size.cx == m_pictureSize.cx && size.cy == m_pictureSize.cy && face == m_pictureFace)
        return true;
    m_pictures.SelectBitmap(nullptr);
    m_picturesBitmap.Reset(::CreateCompatibleBitmap(reference, 2 * size.cx, size.cy));
    if (!m_picturesBitmap || !m_pictures.Get())
        return false;
    m_pictures.SelectBitmap(m_picturesBitmap);
    Draw(m_pictures, RECT{0, 0, size.cx, size.cy}, m_colour, false);
    Draw(m_pictures, RECT{size.cx, 0, 2 * size.cx, size.cy}, m_colour, true);
    m_pictureSize = size;
    m_pictureFace = face;
    return true;
}

void COutputLamp::Show(HDC dc) {
    const RECT client = GetClientRect();
    const SIZE size{client.right, client.bottom};
    if (size.cx <= 0 || size.cy <= 0)
        return;
    if (PicturesReady(dc, size))
        ::BitBlt(dc, 0, 0, size.cx, size.cy, m_pictures, m_on ? size.cx : 0, 0, SRCCOPY);
    else
        Draw(dc, client, m_colour, m_on);
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
    Show(dc);
}

BOOL COutputLamp::OnEraseBkgnd(HDC) { return TRUE; }
