#include "widgets/my_combo_box.h"
#include <cstdlib>
#include <cwchar>

HFONT CreatePointSizeFont(int tenths, const std::wstring& faceName) {
    const CClientDC screen(nullptr);
    LOGFONTW lf{};
    // Character height (negative), the way the platform scales point sizes.
    lf.lfHeight = -std::abs(::MulDiv(tenths, ::GetDeviceCaps(screen, LOGPIXELSY), 720));
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = VARIABLE_PITCH;
    std::wcsncpy(lf.lfFaceName, faceName.c_str(), LF_FACESIZE - 1);
    return ::CreateFontIndirectW(&lf);
}

// clang-format off
BEGIN_MESSAGE_MAP(CMyComboBox, CComboBox)
    Paint<&ThisClass::OnPaint>(),
    CtlColor<&ThisClass::OnCtlColor>(),
END_MESSAGE_MAP()
// clang-format on

CMyComboBox::~CMyComboBox() {
    // The window uses the fonts until it is gone.
    if (m_hWnd)
        DestroyWindow();
}

void CMyComboBox::PreSubclassWindow() {
    CComboBox::PreSubclassWindow();
    HFONT current = GetFont();
    if (!current)  // no font set: the system font is what the control shows
        current = static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
    LOGFONTW lf{};
    ::GetObjectW(current, sizeof lf, &lf);
    lf.lfFaceName[LF_FACESIZE - 1] = L'\0';

    m_nFaceFontSize = m_nListFontSize = (lf.lfHeight * 15) / 2;
    m_strFaceFontName = m_strListFontName = lf.lfFaceName;
    m_faceFont.Reset(CreatePointSizeFont(m_nFaceFontSize, m_strFaceFontName));
    m_listFont.Reset(CreatePointSizeFont(m_nListFontSize, m_strListFontName));
    SetFont(m_faceFont, TRUE);
}

void CMyComboBox::OnPaint() {
    // No 3-D border: the face is flat.
    ModifyStyleEx(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_DLGMODALFRAME, 0, SWP_FRAMECHANGED);
    const CPaintDC dc(m_hWnd);
    PaintFace(dc, GetClientRect());
}

void CMyComboBox::PaintFace(HDC dc, const RECT& rect) {
    {
        const CBrush background(::CreateSolidBrush(m_crBackground));
        ::FillRect(dc, &rect, background);
        const CBrush frame(::CreateSolidBrush(kFrameColor));
        ::FrameRect(dc, &rect, frame);
    }
    {
        const bool enabled = ::IsWindowEnabled(m_hWnd) != FALSE;
        const CSelect font(dc, m_faceFont);
        const CTextStyle style(dc, enabled ? m_crText : kDisabledTextColor, TRANSPARENT);
        RECT textRect = rect;
        textRect.left += 5;
        const std::wstring text = GetWindowText();
        ::DrawTextW(dc, text.c_str(), -1, &textRect, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
    }
    // A V two pixels thick, pointing down.
    const CPen pen(::CreatePen(PS_SOLID, 1, kArrowColor));
    const CSelect selectPen(dc, pen);
    const int r = rect.right;
    const int y = (rect.top + rect.bottom) / 2;
    const POINT segments[4][2] = {
        {{r - 9, y + 2}, {r - 13, y - 2}},
        {{r - 9, y + 2}, {r - 5, y - 2}},
        {{r - 9, y + 1}, {r - 13, y - 3}},
        {{r - 9, y + 1}, {r - 5, y - 3}},
    };
    POINT previous{};
    ::MoveToEx(dc, 0, 0, &previous);
    for (const auto& segment : segments) {
        ::MoveToEx(dc, segment[0].x, segment[0].y, nullptr);
        ::LineTo(dc, segment[1].x, segment[1].y);
    }
    ::MoveToEx(dc, previous.x, previous.y, nullptr);
}

HBRUSH CMyComboBox::OnCtlColor(HDC dc, HWND, UINT ctlType) {
    if (ctlType != CTLCOLOR_LISTBOX)
        return reinterpret_cast<HBRUSH>(Default());
    if (!m_listBrush)
        m_listBrush.Reset(::CreateSolidBrush(m_crBackground));
    // The list keeps this font for the paint it is about to do and selects
    // its own back afterwards.
    ::SelectObject(dc, m_listFont);
    ::SetTextColor(dc, m_crText);
    ::SetBkColor(dc, m_crBackground);
    ::SetBkMode(dc, TRANSPARENT);
    return m_listBrush;
}
