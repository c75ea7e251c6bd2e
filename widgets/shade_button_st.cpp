#include "widgets/shade_button_st.h"
#include "widgets/shade_image.h"

CShadeButtonST::~CShadeButtonST() = default;

bool CShadeButtonST::SetShade() {
    if (!m_hWnd)
        return false;
    const RECT rc = GetClientRect();
    return BuildSystemShadeImage(m_dib, rc.right - rc.left, rc.bottom - rc.top);
}

void CShadeButtonST::OnDrawBackground(HDC dc, const RECT&, const RECT& buttonRect) {
    if (!m_dib.IsValid())
        SetShade();
    m_dib.Draw(dc, buttonRect.left, buttonRect.top);
}
