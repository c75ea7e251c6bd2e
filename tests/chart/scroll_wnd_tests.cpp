// The scrolling buffered window: class, bar logic, actions, wheel and painting.
#include "chart/scroll_wnd.h"
#include "tests/chart/chart_test_support.h"
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

constexpr COLORREF kMarker = RGB(0, 0, 255);
constexpr POINT kMarkerAt{300, 600};  // content coordinates of a 10 x 10 square

// Draws one marker square in content coordinates; the rest stays white.
class MarkerWnd : public CScrollWnd {
public:
    int created = 0;
    using CScrollWnd::m_bufferHeight;
    using CScrollWnd::m_bufferWidth;
    using CScrollWnd::m_contentSize;
    using CScrollWnd::m_lineStep;
    using CScrollWnd::m_pageStep;

protected:
    void OnWindowCreated() override { ++created; }
    void DrawContent(HDC dc) override {
        CBrush brush(::CreateSolidBrush(kMarker));
        const RECT r{kMarkerAt.x, kMarkerAt.y, kMarkerAt.x + 10, kMarkerAt.y + 10};
        ::FillRect(dc, &r, brush);
    }
};

struct ScrollFixture : ::testing::Test {
    RecordingParent host;
    MarkerWnd wnd;
    int barWidth = ::GetSystemMetrics(SM_CXVSCROLL);
    int barHeight = ::GetSystemMetrics(SM_CYHSCROLL);

    void SetUp() override {
        ASSERT_TRUE(host.CreateHost(700, 500));
        ASSERT_TRUE(CreateChild(wnd, host.m_hWnd, 200, 100));
        PumpMessages();
    }
    void Content(int cx, int cy, int lineX = 0, int lineY = 0) {
        wnd.SetContentSize({cx, cy}, {lineX, lineY});
        PumpMessages();
    }
    bool HasH() const { return (wnd.GetStyle() & WS_HSCROLL) != 0; }
    bool HasV() const { return (wnd.GetStyle() & WS_VSCROLL) != 0; }
    SCROLLINFO Info(int bar) const {
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_ALL;
        ::GetScrollInfo(wnd.m_hWnd, bar, &si);
        return si;
    }
    int Y() const { return wnd.GetScrollPosition().y; }
    int X() const { return wnd.GetScrollPosition().x; }
    void ResizeClient(int width, int height) {
        // No border: the window is the client plus whatever bars are shown.
        const int w = width + (HasV() ? barWidth : 0), h = height + (HasH() ? barHeight : 0);
        ::SetWindowPos(wnd.m_hWnd, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER);
        PumpMessages();
    }
};

}  // namespace

TEST_F(ScrollFixture, RegistersItsClassAndReportsCreationOnce) {
    EXPECT_EQ(wnd.created, 1);
    EXPECT_EQ(::GetClassLongPtrW(wnd.m_hWnd, GCL_STYLE), static_cast<ULONG_PTR>(CS_HREDRAW | CS_VREDRAW));
    EXPECT_EQ(::GetClassLongPtrW(wnd.m_hWnd, GCLP_HBRBACKGROUND), 0u);
    EXPECT_EQ(::GetClassLongPtrW(wnd.m_hWnd, GCLP_HICON), 0u);
    EXPECT_EQ(::GetClassLongPtrW(wnd.m_hWnd, GCLP_HCURSOR),
              reinterpret_cast<ULONG_PTR>(::LoadCursorW(nullptr, IDC_ARROW)));
    EXPECT_EQ(::GetWindowLongPtrW(wnd.m_hWnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&CWnd::StaticWndProc));
}

TEST_F(ScrollFixture, ContentSizeSetsPageAndLineSteps) {
    Content(400, -1000, 40, 0);  // a negative height counts as positive
    EXPECT_EQ(wnd.m_contentSize.cy, 1000);
    EXPECT_EQ(wnd.m_pageStep.cx, 40);
    EXPECT_EQ(wnd.m_pageStep.cy, 100);
    EXPECT_EQ(wnd.m_lineStep.cx, 40);
    EXPECT_EQ(wnd.m_lineStep.cy, 10) << "a zero line step is a tenth of the page";
}

TEST_F(ScrollFixture, BarsFollowTheContent) {
    Content(150, 80);
    EXPECT_FALSE(HasH());
    EXPECT_FALSE(HasV());
    Content(200, 100);  // exactly the client size still fits
    EXPECT_FALSE(HasH());
    EXPECT_FALSE(HasV());
    EXPECT_EQ(X(), 0);
    EXPECT_EQ(Y(), 0);

    Content(200 - barWidth - 5, 150);  // taller only: the vertical bar leaves room enough
    EXPECT_FALSE(HasH());
    EXPECT_TRUE(HasV());
    EXPECT_EQ(Info(SB_VERT).nMax, 149);
    EXPECT_EQ(Info(SB_VERT).nPage, 100u);

    Content(195, 150);  // the vertical bar takes the width the content needs
    EXPECT_TRUE(HasH()) << "the horizontal bar is needed after all";
    EXPECT_TRUE(HasV());
    EXPECT_EQ(Info(SB_HORZ).nMax, 194);
    EXPECT_EQ(Info(SB_HORZ).nPage, static_cast<UINT>(200 - barWidth));
    EXPECT_EQ(Info(SB_VERT).nPage, static_cast<UINT>(100 - barHeight));
}

TEST_F(ScrollFixture, GrowingUntilTheContentFitsReturnsToZero) {
    Content(400, 400);
    wnd.ScrollToPoint(100, 150);
    EXPECT_EQ(X(), 100);
    EXPECT_EQ(Y(), 150);
    ResizeClient(450, 100);  // wide enough now, still too low
    EXPECT_FALSE(HasH());
    EXPECT_EQ(X(), 0);
    EXPECT_EQ(Y(), 150);
    ResizeClient(450, 450);
    EXPECT_FALSE(HasV());
    EXPECT_EQ(Y(), 0);
}

TEST_F(ScrollFixture, NoRoomForBarsShowsNone) {
    // Not wider than a bar: the content cannot be scrolled into view anyway.
    ::SetWindowPos(wnd.m_hWnd, nullptr, 0, 0, barWidth - 4, 50, SWP_NOMOVE | SWP_NOZORDER);
    PumpMessages();
    Content(1000, 1000);
    EXPECT_FALSE(HasH());
    EXPECT_FALSE(HasV());
    EXPECT_EQ(Y(), 0);
}

TEST_F(ScrollFixture, ScrollActionsMoveByLinesPagesAndToTheEnds) {
    Content(100, 1000, 100, 30);  // vertical bar only, page 100
    ASSERT_FALSE(HasH());
    ScrollBarAction(wnd.m_hWnd, WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(Y(), 30);
    ScrollBarAction(wnd.m_hWnd, WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(Y(), 130);
    ScrollBarAction(wnd.m_hWnd, WM_VSCROLL, SB_LINEUP);
    EXPECT_EQ(Y(), 100);
    ScrollBarAction(wnd.m_hWnd, WM_VSCROLL, SB_PAGEUP);
    ScrollBarAction(wnd.m_hWnd, WM_VSCROLL, SB_LINEUP);
    EXPECT_EQ(Y(), 0) << "limited at the start";
    ScrollBarAction(wnd.m_hWnd, WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(Y(), 900) << "the end lands on range maximum - page + 1";
    ScrollBarAction(wnd.m_hWnd, WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(Y(), 900);
    ScrollBarAction(wnd.m_hWnd, WM_VSCROLL, SB_TOP);
    EXPECT_EQ(Y(), 0);
    ScrollBarAction(wnd.m_hWnd, WM_VSCROLL, SB_THUMBTRACK, 420);
    EXPECT_EQ(Y(), 420);
    ScrollBarAction(wnd.m_hWnd, WM_VSCROLL, SB_THUMBPOSITION, 10);
    ScrollBarAction(wnd.m_hWnd, WM_VSCROLL, SB_ENDSCROLL);
    EXPECT_EQ(Y(), 420) << "releasing the thumb leaves it where the drag left it";
    ScrollBarAction(wnd.m_hWnd, WM_HSCROLL, SB_LINEDOWN);
    EXPECT_EQ(X(), 0) << "no horizontal bar, no horizontal scrolling";

    EXPECT_FALSE(wnd.ScrollByCode(MAKEWORD(0xFF, 0xFF), 0, true));
    EXPECT_TRUE(wnd.ScrollByOffset(0, 50, false)) << "reports the move it would make";
    EXPECT_EQ(Y(), 420);
}

TEST_F(ScrollFixture, HorizontalActionsUseTheHorizontalSteps) {
    Content(1000, 50, 70, 0);
    ASSERT_TRUE(HasH());
    ASSERT_FALSE(HasV());
    ScrollBarAction(wnd.m_hWnd, WM_HSCROLL, SB_LINERIGHT);
    EXPECT_EQ(X(), 70);
    ScrollBarAction(wnd.m_hWnd, WM_HSCROLL, SB_PAGERIGHT);
    EXPECT_EQ(X(), 170);
    ScrollBarAction(wnd.m_hWnd, WM_HSCROLL, SB_RIGHT);
    EXPECT_EQ(X(), 800);
    ScrollBarAction(wnd.m_hWnd, WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(Y(), 0);
}

TEST_F(ScrollFixture, WheelScrollsTenLinesANotchAndDownAtMostAPage) {
    Content(100, 2000, 100, 30);  // page 200, ten lines 300
    wnd.ScrollToPoint(0, 1000);
    Wheel(wnd.m_hWnd, -120);
    EXPECT_EQ(Y(), 1200) << "toward the end: limited to one page";
    Wheel(wnd.m_hWnd, 120);
    EXPECT_EQ(Y(), 900) << "toward the start: ten lines";
    Wheel(wnd.m_hWnd, 12);  // a fraction of a notch that rounds to one line up
    EXPECT_EQ(Y(), 700) << "one line means one page";
    Wheel(wnd.m_hWnd, -120, MK_SHIFT);
    Wheel(wnd.m_hWnd, -120, MK_CONTROL);
    EXPECT_EQ(Y(), 700) << "Shift and Control leave the wheel to others";
    wnd.ScrollToPoint(0, 100);
    Wheel(wnd.m_hWnd, 120);
    EXPECT_EQ(Y(), 0);

    Content(100, 2000, 100, 15);
    Wheel(wnd.m_hWnd, -120);
    EXPECT_EQ(Y(), 150) << "ten lines when they are less than a page";
}

TEST_F(ScrollFixture, WheelUsesTheHorizontalBarWhenItIsTheOnlyOne) {
    Content(1000, 50, 10, 0);  // page 100
    Wheel(wnd.m_hWnd, -120);
    EXPECT_EQ(X(), 100);
    Content(150, 80);
    Wheel(wnd.m_hWnd, -120);
    EXPECT_EQ(X(), 0);
    EXPECT_EQ(Y(), 0);
}

TEST_F(ScrollFixture, PaintsTheContentAtTheScrollPositionThroughTheBuffer) {
    Content(1000, 1000);
    wnd.ScrollToPoint(250, 560);
    const RECT client = wnd.GetClientRect();
    PixelCanvas screen(client.right, client.bottom, RGB(1, 2, 3));
    CaptureClient(wnd.m_hWnd, screen);
    EXPECT_EQ(screen.At(kMarkerAt.x - 250 + 5, kMarkerAt.y - 560 + 5), kMarker);
    EXPECT_EQ(screen.Count(kMarker, 0, 0, client.right, client.bottom), 100);
    EXPECT_EQ(screen.Count(RGB(255, 255, 255), 0, 0, client.right, client.bottom), client.right * client.bottom - 100)
        << "everything else is cleared to white";
    EXPECT_EQ(wnd.m_bufferWidth, client.right);
    EXPECT_EQ(wnd.m_bufferHeight, client.bottom);
}

TEST_F(ScrollFixture, AnEmptyClientStillPaintsIntoAOnePixelBuffer) {
    ::SetWindowPos(wnd.m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER);
    wnd.SendMessage(WM_PAINT);
    EXPECT_EQ(wnd.m_bufferWidth, 1);
    EXPECT_EQ(wnd.m_bufferHeight, 1);
}
