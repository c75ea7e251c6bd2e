// CScrollWnd: a child window that shows a drawing larger than its client
// area with its own scroll bars, painting through an off-screen buffer.
#pragma once
#include "framework/gdi.h"
#include "framework/wnd.h"

class CScrollWnd : public CWnd {
public:
    CScrollWnd();
    ~CScrollWnd() override;

    // Registers the window class: redraw on any resize, arrow cursor, no
    // background brush (the buffer paints every pixel), no icon.
    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;

    // Content size and line step in pixels; the page step is a tenth of the
    // content, a zero line step a tenth of the page.
    void SetContentSize(SIZE total, SIZE line);
    // Horizontal and vertical bar positions, 0 for an axis whose bar is hidden.
    POINT GetScrollPosition() const;
    // Makes (x, y) the scroll position, each limited to its axis's range.
    void ScrollToPoint(int x, int y);
    // Shows the bars the content needs and sets their ranges and pages.
    void UpdateScrollBars();
    // Draws `area` of the client on screen now, through the buffer, instead of
    // invalidating it: a selection stepping row by row then costs one DC, not
    // a paint pass of several window-server trips under Wine. A window not
    // shown (or whose parent is not being drawn) is invalidated as usual.
    void RedrawNow(const RECT& area);

protected:
    // Content coordinates on `dc`: pixel units, origin at minus the scroll position.
    virtual void PrepareSurface(HDC dc);
    virtual void DrawContent(HDC dc) = 0;
    virtual void OnWindowCreated() = 0;

public:
    // Low byte of `code`: horizontal action, high byte: vertical action
    // (SB_LINEUP .. SB_ENDSCROLL, 0xFF for none).
    virtual bool ScrollByCode(UINT code, int thumbPos, bool doScroll);
    // Scrolls by a distance within the ranges; false when nothing moved.
    virtual bool ScrollByOffset(int dx, int dy, bool doScroll);

protected:
    int OnCreate(CREATESTRUCT* cs);
    void OnSize(UINT type, int cx, int cy);
    void OnHScroll(UINT code, UINT pos, HWND bar);
    void OnVScroll(UINT code, UINT pos, HWND bar);
    bool OnMouseWheel(UINT keys, short delta, POINT screen);
    void OnPaint();

    CMemoryDC m_bufferSurface;
    CBitmap m_bufferBitmap;
    HBITMAP m_oldBitmap;  // came with m_bufferSurface; selected back before a bitmap is deleted
    int m_bufferWidth = 0;
    int m_bufferHeight = 0;
    SIZE m_contentSize{};
    SIZE m_pageStep{};
    SIZE m_lineStep{};
    bool m_inUpdate = false;

private:
    bool BarShown(int bar) const;
    // Largest position of a bar (range maximum - page + 1); 0 when hidden.
    int ScrollLimit(int bar) const;
    // One pass of the bar update; false when the client has no room for bars.
    bool FitScrollBars();
    // The buffer sized to the client; false when there is no memory for it.
    bool FitBuffer();
    // Draws `dirty` into the buffer and copies it to `screen`.
    void PaintArea(HDC screen, const RECT& dirty);

    DECLARE_MESSAGE_MAP()
};
