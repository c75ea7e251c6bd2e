// CButtonST: an owner-drawn push button with its own colours, an optional
// picture left of the caption, a flat look that lights up under the pointer
// or a raised 3-D look, and a custom one-pixel border.
#pragma once
#include "framework/controls.h"
#include "framework/gdi.h"

class CButtonST : public CButton {
public:
    // Slots of SetColor / GetColor: background and text for "in" (pointer
    // over or pressed), "out" (normal) and "focus".
    enum ColorIndex : int {
        BTNST_COLOR_BK_IN = 0,
        BTNST_COLOR_FG_IN,
        BTNST_COLOR_BK_OUT,
        BTNST_COLOR_FG_OUT,
        BTNST_COLOR_BK_FOCUS,
        BTNST_COLOR_FG_FOCUS,
        BTNST_MAX_COLORS
    };
    static constexpr COLORREF kDefaultTextColor = RGB(0, 50, 50);
    static constexpr COLORREF kDisabledTextColor = RGB(180, 190, 190);

    CButtonST();
    ~CButtonST() override;

    // Looks. Each setter with `repaint` redraws the button when it has a window.
    void SetFlat(BOOL flat, BOOL repaint = TRUE);
    void SetCustomBorder(BOOL on, BOOL repaint = TRUE);
    void SetBorderColors(COLORREF topLeft, COLORREF bottomRight, COLORREF pressedTopLeft, COLORREF pressedBottomRight,
                         BOOL repaint = TRUE);
    void SetDrawBorder(BOOL on, BOOL repaint = TRUE);
    void SetFlatFocus(BOOL on, BOOL repaint = TRUE);
    void SetAlwaysTrack(BOOL on) { m_bAlwaysTrack = on; }
    void SetGrayDisabledPicture(BOOL on, BOOL repaint = TRUE);
    // False for an index outside BTNST_COLOR_BK_IN .. BTNST_COLOR_FG_FOCUS.
    bool SetColor(int index, COLORREF colour, BOOL repaint = TRUE);
    COLORREF GetColor(int index) const;
    // The picture, from a bitmap resource of the executable or a copy of
    // `bitmap`; pixels of `transparent` show the background. A null bitmap
    // removes the picture. False when the bitmap cannot be loaded or copied.
    bool SetBitmap(UINT resourceId, COLORREF transparent);
    bool SetBitmap(HBITMAP bitmap, COLORREF transparent);

    BOOL IsFlat() const { return m_bIsFlat; }
    BOOL IsDefault() const { return m_bIsDefault; }
    BOOL IsMouseOver() const { return m_bMouseOver; }
    bool HasPicture() const { return static_cast<bool>(m_picture); }

    // Draws the whole button, in the state given by ODS_* flags, into any DC;
    // `rect` is the button's rectangle in that DC.
    void DrawButton(HDC dc, const RECT& rect, UINT state);

    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void DrawItem(DRAWITEMSTRUCT* dis) override;

protected:
    // Fills the background; `drawRect` is the drawing rectangle (inside the
    // black frame of a focused or default raised button), `buttonRect` the
    // whole button.
    virtual void OnDrawBackground(HDC dc, const RECT& drawRect, const RECT& buttonRect);
    virtual void OnDrawBorder(HDC dc, const RECT& drawRect);

    DECLARE_MESSAGE_MAP()

private:
    // Takes the picture and makes its mask; an empty picture removes it (false).
    bool AdoptPicture(CBitmap picture, COLORREF transparent);
    // `buttonLeft`: the left edge of the whole button, where a captioned picture is measured from.
    void DrawPicture(HDC dc, const RECT& drawRect, int buttonLeft, bool hasCaption, RECT& captionArea) const;
    void DrawCaption(HDC dc, RECT area, const std::wstring& caption) const;
    void Repaint(BOOL repaint);
    void LeaveHover();
    void TellDialogManager();

    void OnMouseMove(UINT flags, POINT point);
    void OnMouseLeave() { LeaveHover(); }
    void OnKillFocus(HWND other);
    void OnEnable(BOOL enable);
    void OnActivate(UINT state, HWND other, BOOL minimized);
    void OnCancelMode();
    LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetStyle(WPARAM wParam, LPARAM lParam);
    HBRUSH OnCtlColor(HDC dc, UINT ctlType);

    BOOL m_bCustomBorder = FALSE;
    COLORREF m_crBorderTopLeft = RGB(0, 0, 0);
    COLORREF m_crBorderBottomRight = RGB(0, 0, 0);
    COLORREF m_crPressedBorderTopLeft = RGB(0, 0, 0);
    COLORREF m_crPressedBorderBottomRight = RGB(0, 0, 0);
    BOOL m_bGrayDisabledPicture = TRUE;
    BOOL m_bIsFlat = TRUE;
    BOOL m_bMouseOver = FALSE;
    BOOL m_bIsPressed = FALSE;   // set at each drawing
    BOOL m_bIsFocused = FALSE;   // set at each drawing
    BOOL m_bIsDisabled = FALSE;  // set at each drawing
    BOOL m_bIsDefault = FALSE;
    BYTE m_byPictureAlign = 0;  // 0, the only placement: picture left of the caption
    BOOL m_bDrawBorder = TRUE;
    BOOL m_bDrawFlatFocus = FALSE;
    COLORREF m_crColors[BTNST_MAX_COLORS];
    BOOL m_bAlwaysTrack = TRUE;
    CBitmap m_picture;
    int m_nPictureWidth = 0;
    int m_nPictureHeight = 0;
    CBitmap m_pictureMask;  // 1 where the picture has its transparent colour
    COLORREF m_crTransparent = RGB(0, 0, 0);

    UINT m_nTypeStyle = BS_PUSHBUTTON;  // the button type before it became owner-drawn
};
