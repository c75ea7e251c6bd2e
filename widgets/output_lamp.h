// COutputLamp: a round lamp that shows one output, lit in its colour while the
// output is on and dark otherwise.
#pragma once
#include "framework/wnd.h"

class COutputLamp : public CWnd {
public:
    BOOL Create(const RECT& rect, HWND parent, UINT id, COLORREF litColour);
    // Draws itself at once, only when the state changes.
    void SetOn(bool on);
    bool IsOn() const { return m_on; }

    // Draws the lamp into `rect` of any DC.
    static void Draw(HDC dc, const RECT& rect, COLORREF colour, bool on);

protected:
    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
    DECLARE_MESSAGE_MAP()

private:
    void OnPaint();
    BOOL OnEraseBkgnd(HDC dc);

    COLORREF m_colour = RGB(255, 0, 0);
    bool m_on = false;
};

// The colour of a lamp that is off.
constexpr COLORREF kLampOffColour = RGB(70, 70, 70);
