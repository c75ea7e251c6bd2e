// CMyComboBox: the language selector, a drop-down list with a flat face it
// paints itself and fonts of its own made from the dialog's font.
#pragma once
#include "framework/controls.h"
#include "framework/gdi.h"
#include <string>

class CMyComboBox : public CComboBox {
public:
    static constexpr COLORREF kFrameColor = RGB(173, 173, 173);
    static constexpr COLORREF kArrowColor = RGB(127, 127, 127);
    static constexpr COLORREF kDisabledTextColor = RGB(160, 160, 160);

    ~CMyComboBox() override;

    // Paints the face (background, frame, text, arrow) into any DC; `rect` is
    // the client rectangle in that DC. The DC's pen, font and modes are kept.
    void PaintFace(HDC dc, const RECT& rect);

    int GetFaceFontSize() const { return m_nFaceFontSize; }
    int GetListFontSize() const { return m_nListFontSize; }
    const std::wstring& GetFaceFontName() const { return m_strFaceFontName; }
    const std::wstring& GetListFontName() const { return m_strListFontName; }
    HFONT GetFaceFont() const { return m_faceFont; }
    HFONT GetListFont() const { return m_listFont; }

    // Makes both fonts from the control's current font.
    void PreSubclassWindow() override;

protected:
    DECLARE_MESSAGE_MAP()

private:
    void OnPaint();
    // The list part asks its colours from the combo box, its owner.
    HBRUSH OnCtlColor(HDC dc, HWND child, UINT ctlType);

    COLORREF m_crBackground = RGB(255, 255, 255);
    COLORREF m_crText = RGB(0, 0, 0);
    CFont m_faceFont;
    CFont m_listFont;
    int m_nFaceFontSize = 0;  // tenths of a point
    int m_nListFontSize = 0;  // tenths of a point
    std::wstring m_strListFontName;
    std::wstring m_strFaceFontName;
    CBrush m_listBrush;  // made at the first colour query, then reused
};

// A font of `tenths` tenths of a point (the sign is ignored) at the screen's
// resolution: normal weight, default character set, variable pitch.
HFONT CreatePointSizeFont(int tenths, const std::wstring& faceName);
