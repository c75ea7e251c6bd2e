// COutputLamp: a round lamp that shows one output, lit in its colour while the
// output is on and dark otherwise.
#pragma once
#include "framework/gdi.h"
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
    // Shows the lamp's state on `dc`, a DC of the window.
    void Show(HDC dc);
    // Both looks drawn once for the size and face colour: the lamp changes at
    // every row of a run, and an ellipse with a wide rim is slow to draw under
    // Wine. False when there is no memory for them.
    bool PicturesReady(HDC reference, SIZE size);

    COLORREF m_colour = RGB(255, 0, 0);
    bool m_on = false;
    CBitmap m_picturesBitmap;  // off, then on; before the DC that holds it
    CMemoryDC m_pictures;
    SIZE m_pictureSize{};
    COLORREF m_pictureFace = CLR_INVALID;
};

// The colour of a lamp that is off.
constexpr COLORREF kLampOffColour = RGB(70, 70, 70);
