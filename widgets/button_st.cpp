#include "widgets/button_st.h"

#include "framework/dialog.h"
#include <string>

namespace {
// One-pixel frame: top and left edge in `topLeft`, bottom and right edge in `bottomRight`.
void Draw3dRect(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight) {
    const CBrush tl(::CreateSolidBrush(topLeft));
    const CBrush br(::CreateSolidBrush(bottomRight));
    const RECT top{r.left, r.top, r.right - 1, r.top + 1};
    const RECT left{r.left, r.top, r.left + 1, r.bottom - 1};
    const RECT right{r.right - 1, r.top, r.right, r.bottom};
    const RECT bottom{r.left, r.bottom - 1, r.right, r.bottom};
    ::FillRect(dc, &top, tl);
    ::FillRect(dc, &left, tl);
    ::FillRect(dc, &right, br);
    ::FillRect(dc, &bottom, br);
}

// Text and background colours used when monochrome masks meet colour pixels:
// mask bit 0 becomes black, bit 1 white.
class CMaskColours {
public:
    explicit CMaskColours(HDC dc)
        : m_dc(dc), m_text(::SetTextColor(dc, RGB(0, 0, 0))), m_bk(::SetBkColor(dc, RGB(255, 255, 255))) {}
    ~CMaskColours() {
        ::SetTextColor(m_dc, m_text);
        ::SetBkColor(m_dc, m_bk);
    }
    CMaskColours(const CMaskColours&) = delete;
    CMaskColours& operator=(const CMaskColours&) = delete;

private:
    HDC m_dc;
    COLORREF m_text;
    COLORREF m_bk;
};

// Raster operation: the brush where the mask is 0, the destination where it is 1.
constexpr DWORD kBrushThroughMask = 0x00B8074A;

void FillThroughMask(HDC dc, int x, int y, int w, int h, HDC maskDc, COLORREF colour) {
    const CBrush brush(::CreateSolidBrush(colour));
    const CSelect select(dc, brush);
    ::BitBlt(dc, x, y, w, h, maskDc, 0, 0, kBrushThroughMask);
}
}  // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CButtonST, CButton)
    Mouse<&ThisClass::OnMouseMove>(WM_MOUSEMOVE),
    Simple<&ThisClass::OnMouseLeave>(WM_MOUSELEAVE),
    Focus<&ThisClass::OnKillFocus>(WM_KILLFOCUS),
    Enable<&ThisClass::OnEnable>(),
    Activate<&ThisClass::OnActivate>(),
    Simple<&ThisClass::OnCancelMode>(WM_CANCELMODE),
    Message<&ThisClass::OnGetDlgCode>(WM_GETDLGCODE),
    Message<&ThisClass::OnSetStyle>(BM_SETSTYLE),
    CtlColorReflect<&ThisClass::OnCtlColor>(),
END_MESSAGE_MAP()
// clang-format on

CButtonST::CButtonST() {
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    m_crColors[BTNST_COLOR_BK_IN] = face;
    m_crColors[BTNST_COLOR_FG_IN] = kDefaultTextColor;
    m_crColors[BTNST_COLOR_BK_OUT] = face;
    m_crColors[BTNST_COLOR_FG_OUT] = kDefaultTextColor;
    m_crColors[BTNST_COLOR_BK_FOCUS] = face;
    m_crColors[BTNST_COLOR_FG_FOCUS] = kDefaultTextColor;
}

CButtonST::~CButtonST() = default;

void CButtonST::Repaint(BOOL repaint) {
    if (repaint && m_hWnd)
        Invalidate();
}

void CButtonST::SetFlat(BOOL flat, BOOL repaint) {
    m_bIsFlat = flat;
    Repaint(repaint);
}

void CButtonST::SetCustomBorder(BOOL on, BOOL repaint) {
    m_bCustomBorder = on;
    Repaint(repaint);
}

void CButtonST::SetBorderColors(COLORREF topLeft, COLORREF bottomRight, COLORREF pressedTopLeft,
                                COLORREF pressedBottomRight, BOOL repaint) {
    m_crBorderTopLeft = topLeft;
    m_crBorderBottomRight = bottomRight;
    m_crPressedBorderTopLeft = pressedTopLeft;
    m_crPressedBorderBottomRight = pressedBottomRight;
    Repaint(repaint);
}

void CButtonST::SetDrawBorder(BOOL on, BOOL repaint) {
    m_bDrawBorder = on;
    Repaint(repaint);
}

void CButtonST::SetFlatFocus(BOOL on, BOOL repaint) {
    m_bDrawFlatFocus = on;
    Repaint(repaint);
}

void CButtonST::SetGrayDisabledPicture(BOOL on, BOOL repaint) {
    m_bGrayDisabledPicture = on;
    Repaint(repaint);
}

bool CButtonST::SetColor(int index, COLORREF colour, BOOL repaint) {
    if (index < 0 || index >= BTNST_MAX_COLORS)
        return false;
    m_crColors[index] = colour;
    Repaint(repaint);
    return true;
}

COLORREF CButtonST::GetColor(int index) const {
    return index >= 0 && index < BTNST_MAX_COLORS ? m_crColors[index] : CLR_INVALID;
}

bool CButtonST::SetBitmap(UINT resourceId, COLORREF transparent) {
    CBitmap loaded(static_cast<HBITMAP>(
        ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId), IMAGE_BITMAP, 0, 0, 0)));
    return AdoptPicture(std::move(loaded), transparent);
}

bool CButtonST::SetBitmap(HBITMAP bitmap, COLORREF transparent) {
    if (!bitmap) {
        AdoptPicture(CBitmap(), transparent);
        return true;
    }
    return AdoptPicture(CBitmap(static_cast<HBITMAP>(::CopyImage(bitmap, IMAGE_BITMAP, 0, 0, 0))), transparent);
}

bool CButtonST::AdoptPicture(CBitmap picture, COLORREF transparent) {
    m_picture.Reset();
    m_pictureMask.Reset();
    m_nPictureWidth = m_nPictureHeight = 0;
    m_crTransparent = transparent;
    Repaint(TRUE);
    BITMAP info{};
    if (!picture || !::GetObjectW(picture, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0)
        return false;
    CBitmap mask(::CreateBitmap(info.bmWidth, info.bmHeight, 1, 1, nullptr));
    if (!mask)
        return false;
    {
        // Colour to monochrome: pixels of the source DC's background colour become 1.
        CMemoryDC source;
        CMemoryDC target;
        source.SelectBitmap(picture);
        target.SelectBitmap(mask);
        ::SetBkColor(source, transparent);
        ::BitBlt(target, 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
    }
    m_picture = std::move(picture);
    m_pictureMask = std::move(mask);
    m_nPictureWidth = info.bmWidth;
    m_nPictureHeight = info.bmHeight;
    return true;
}

void CButtonST::TellDialogManager() {
    // The dialog manager treats owner-drawn buttons as plain buttons unless
    // told otherwise (WM_GETDLGCODE); the default one also becomes its default id.
    HWND parent = GetParent();
    if (m_bIsDefault && IsDialogWindow(parent))
        ::SendMessageW(parent, DM_SETDEFID, static_cast<WPARAM>(GetDlgCtrlID()), 0);
}

void CButtonST::PreSubclassWindow() {
    CButton::PreSubclassWindow();
    m_nTypeStyle = GetStyle() & BS_TYPEMASK;
    if (m_nTypeStyle == BS_DEFPUSHBUTTON) {
        m_bIsDefault = TRUE;
        m_nTypeStyle = BS_PUSHBUTTON;
    }
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW, SWP_FRAMECHANGED);
    TellDialogManager();
}

LRESULT CButtonST::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    // An owner-drawn button reports a double-click instead of pressing again.
    if (msg == WM_LBUTTONDBLCLK)
        msg = WM_LBUTTONDOWN;
    return CButton::WindowProc(msg, wParam, lParam);
}

LRESULT CButtonST::OnGetDlgCode(WPARAM, LPARAM) {
    LRESULT code = Default();
    if (m_nTypeStyle == BS_PUSHBUTTON) {
        code &= ~static_cast<LRESULT>(DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON);
        code |= DLGC_BUTTON | (m_bIsDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    }
    return code;
}

LRESULT CButtonST::OnSetStyle(WPARAM wParam, LPARAM lParam) {
    WPARAM style = wParam;
    const UINT type = static_cast<UINT>(wParam) & BS_TYPEMASK;
    if (m_nTypeStyle == BS_PUSHBUTTON && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON)) {
        m_bIsDefault = type == BS_DEFPUSHBUTTON;
        style = (wParam & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_OWNERDRAW;
    }
    const LRESULT result = DefWindowProc(BM_SETSTYLE, style, lParam);
    Repaint(static_cast<BOOL>(lParam));
    return result;
}

HBRUSH CButtonST::OnCtlColor(HDC, UINT ctlType) {
    // A hollow brush: the platform never erases the button; DrawItem paints it all.
    return ctlType == CTLCOLOR_BTN ? static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH)) : nullptr;
}

void CButtonST::LeaveHover() {
    if (!m_bMouseOver)
        return;
    m_bMouseOver = FALSE;
    Invalidate();
}

void CButtonST::OnMouseMove(UINT flags, POINT point) {
    Default();
    if (!m_bIsFlat)
        return;
    const RECT client = GetClientRect();
    const bool inside = ::PtInRect(&client, point) != FALSE;
    // A left button pressed elsewhere and dragged in does not light the button up.
    const bool draggedIn = (flags & MK_LBUTTON) && ::GetCapture() != m_hWnd;
    const bool windowActive = m_bAlwaysTrack || ::GetActiveWindow() == ::GetAncestor(m_hWnd, GA_ROOT);
    if (!inside || draggedIn || !windowActive) {
        if (!inside)
            LeaveHover();
        return;
    }
    if (m_bMouseOver)
        return;
    m_bMouseOver = TRUE;
    Invalidate();
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, m_hWnd, 0};
    ::TrackMouseEvent(&track);
}

void CButtonST::OnKillFocus(HWND) {
    Default();
    LeaveHover();
}

void CButtonST::OnCancelMode() {
    Default();
    LeaveHover();
}

void CButtonST::OnActivate(UINT state, HWND, BOOL) {
    Default();
    if (state == WA_INACTIVE)
        LeaveHover();
}

void CButtonST::OnEnable(BOOL enable) {
    Default();
    if (enable)
        return;
    LeaveHover();
    // Pass the focus on when this button had it; the platform may already
    // have dropped it (focus nowhere while the window is still active).
    HWND focus = ::GetFocus();
    const bool hadFocus = focus == m_hWnd || (!focus && ::GetActiveWindow() == ::GetAncestor(m_hWnd, GA_ROOT));
    HWND parent = GetParent();
    if (!hadFocus || !parent)
        return;
    HWND next = ::GetNextDlgTabItem(parent, m_hWnd, FALSE);
    ::SetFocus(next && next != m_hWnd ? next : parent);
}

void CButtonST::DrawItem(DRAWITEMSTRUCT* dis) { DrawButton(dis->hDC, dis->rcItem, dis->itemState); }

void CButtonST::DrawButton(HDC dc, const RECT& rect, UINT state) {
    m_bIsPressed = (state & ODS_SELECTED) != 0;
    m_bIsFocused = (state & ODS_FOCUS) != 0;
    m_bIsDisabled = (state & ODS_DISABLED) != 0;
    const int oldBkMode = ::SetBkMode(dc, TRANSPARENT);

    RECT drawRect = rect;
    if (!m_bIsFlat && (m_bIsFocused || m_bIsDefault)) {
        const CBrush black(::CreateSolidBrush(RGB(0, 0, 0)));
        ::FrameRect(dc, &drawRect, black);
        ::InflateRect(&drawRect, -1, -1);
    }
    OnDrawBackground(dc, drawRect, rect);
    OnDrawBorder(dc, drawRect);

    const std::wstring caption = GetWindowText();
    RECT captionArea = drawRect;
    if (m_picture)
        DrawPicture(dc, drawRect, rect.left, !caption.empty(), captionArea);
    if (!caption.empty())
        DrawCaption(dc, captionArea, caption);

    if (m_bIsFocused && (!m_bIsFlat || m_bDrawFlatFocus)) {
        RECT focus = drawRect;
        ::InflateRect(&focus, -3, -3);
        ::DrawFocusRect(dc, &focus);
    }
    ::SetBkMode(dc, oldBkMode);
}

void CButtonST::OnDrawBackground(HDC dc, const RECT& drawRect, const RECT&) {
    COLORREF colour = m_crColors[BTNST_COLOR_BK_OUT];
    if (m_bMouseOver || m_bIsPressed)
        colour = m_crColors[BTNST_COLOR_BK_IN];
    else if (m_bIsFocused)
        colour = m_crColors[BTNST_COLOR_BK_FOCUS];
    const CBrush brush(::CreateSolidBrush(colour));
    ::FillRect(dc, &drawRect, brush);
}

void CButtonST::OnDrawBorder(HDC dc, const RECT& drawRect) {
    if (m_bCustomBorder && m_bDrawBorder) {
        if (m_bIsPressed)
            Draw3dRect(dc, drawRect, m_crPressedBorderTopLeft, m_crPressedBorderBottomRight);
        else
            Draw3dRect(dc, drawRect, m_crBorderTopLeft, m_crBorderBottomRight);
        return;
    }
    if (m_bIsFlat)
        return;
    if (m_bIsPressed) {
        ::FrameRect(dc, &drawRect, ::GetSysColorBrush(COLOR_BTNSHADOW));
        return;
    }
    Draw3dRect(dc, drawRect, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_3DDKSHADOW));
    RECT inner = drawRect;
    ::InflateRect(&inner, -1, -1);
    Draw3dRect(dc, inner, ::GetSysColor(COLOR_3DLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
}

void CButtonST::DrawPicture(HDC dc, const RECT& drawRect, int buttonLeft, bool hasCaption, RECT& captionArea) const {
    const int w = m_nPictureWidth;
    const int h = m_nPictureHeight;
    int x = drawRect.left + ((drawRect.right - drawRect.left) - w) / 2;
    if (hasCaption) {
        // Measured from the button's own edge: the black frame of a focused
        // or default button must not shift the picture.
        x = buttonLeft + 3;
        captionArea.left = buttonLeft + w + 3;
    }
    int y = drawRect.top + ((drawRect.bottom - drawRect.top) - h) / 2;
    if (m_bIsPressed) {
        ++x;
        ++y;
    }

    CMemoryDC maskDc(dc);
    maskDc.SelectBitmap(m_pictureMask);
    const CMaskColours maskColours(dc);
    if (m_bIsDisabled && m_bGrayDisabledPicture) {
        // Embossed: the opaque shape in highlight one pixel down-right, then in shadow.
        FillThroughMask(dc, x + 1, y + 1, w, h, maskDc, ::GetSysColor(COLOR_3DHILIGHT));
        FillThroughMask(dc, x, y, w, h, maskDc, ::GetSysColor(COLOR_3DSHADOW));
        return;
    }
    // XOR, AND with the mask, XOR: the background stays where the mask is 1.
    CMemoryDC imageDc(dc);
    imageDc.SelectBitmap(m_picture);
    ::BitBlt(dc, x, y, w, h, imageDc, 0, 0, SRCINVERT);
    ::BitBlt(dc, x, y, w, h, maskDc, 0, 0, SRCAND);
    ::BitBlt(dc, x, y, w, h, imageDc, 0, 0, SRCINVERT);
}

void CButtonST::DrawCaption(HDC dc, RECT area, const std::wstring& caption) const {
    const CSelect font(dc, GetFont());
    if (m_bIsPressed)
        ::OffsetRect(&area, 1, 1);
    RECT measured = area;
    ::DrawTextW(dc, caption.c_str(), -1, &measured, DT_WORDBREAK | DT_CENTER | DT_CALCRECT);
    const int width = measured.right - measured.left;
    const int height = measured.bottom - measured.top;
    RECT block;
    block.left = area.left + ((area.right - area.left) - width) / 2;
    block.top = area.top + ((area.bottom - area.top) - height) / 2;
    block.right = block.left + width;
    block.bottom = block.top + height;

    COLORREF colour;
    if (m_bIsDisabled) {
        ::OffsetRect(&block, 1, 1);
        colour = kDisabledTextColor;
    } else {
        colour = (m_bMouseOver || m_bIsPressed) ? m_crColors[BTNST_COLOR_FG_IN] : m_crColors[BTNST_COLOR_FG_OUT];
    }
    const CTextStyle style(dc, colour, TRANSPARENT);
    ::DrawTextW(dc, caption.c_str(), -1, &block, DT_WORDBREAK | DT_CENTER);
}
