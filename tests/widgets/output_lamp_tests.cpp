// The output lamp follows a running program row by row: it draws itself at
// once on the screen, leaving nothing for a paint pass.
#include "tests/support/test_support.h"
#include "widgets/output_lamp.h"
#include <gtest/gtest.h>

using testing_support::PixelCanvas;
using testing_support::RecordingParent;

namespace {

constexpr COLORREF kLit = RGB(30, 200, 60);

// The lamp as the screen shows it, with no paint pass in between.
void CopyScreen(const COutputLamp& lamp, PixelCanvas& canvas) {
    HDC dc = ::GetDC(lamp.m_hWnd);
    ::BitBlt(canvas.dc(), 0, 0, canvas.width(), canvas.height(), dc, 0, 0, SRCCOPY);
    ::ReleaseDC(lamp.m_hWnd, dc);
}

COLORREF ScreenMiddle(const COutputLamp& lamp) {
    PixelCanvas canvas(40, 40);
    CopyScreen(lamp, canvas);
    return canvas.At(20, 20);
}

// A lamp of `width` x 40 in a host window, painted once.
class HostedLamp : public ::testing::Test {
protected:
    void Place(int width = 40) {
        ASSERT_TRUE(host.CreateHost(200, 100));
        ASSERT_TRUE(lamp.Create(RECT{10, 10, 10 + width, 50}, host.m_hWnd, 100, kLit));
        ::UpdateWindow(host.m_hWnd);
        ::UpdateWindow(lamp.m_hWnd);
    }
    RecordingParent host;
    COutputLamp lamp;
};

}  // namespace

TEST_F(HostedLamp, ShowsEachChangeAtOnceWithNothingLeftToPaint) {
    Place();
    EXPECT_EQ(ScreenMiddle(lamp), kLampOffColour);
    for (const bool on : {true, false, true}) {
        lamp.SetOn(on);
        EXPECT_FALSE(::GetUpdateRect(lamp.m_hWnd, nullptr, FALSE)) << on;
        EXPECT_EQ(ScreenMiddle(lamp), on ? kLit : kLampOffColour) << on;
    }
}

TEST_F(HostedLamp, AHiddenLampIsPaintedWhenShown) {
    Place();
    ::ShowWindow(lamp.m_hWnd, SW_HIDE);
    lamp.SetOn(true);
    ::ShowWindow(lamp.m_hWnd, SW_SHOW);
    ::UpdateWindow(lamp.m_hWnd);
    EXPECT_EQ(ScreenMiddle(lamp), kLit);
}

// Both looks are drawn once and copied after; the copy must be the drawing.
TEST_F(HostedLamp, ItsPicturesAreItsDrawingPixelForPixel) {
    Place(36);
    const RECT area{0, 0, 36, 40};
    for (const bool on : {true, false}) {
        lamp.SetOn(on);
        PixelCanvas shown(36, 40);
        CopyScreen(lamp, shown);
        PixelCanvas drawn(36, 40);
        COutputLamp::Draw(drawn.dc(), area, kLit, on);
        EXPECT_EQ(shown.DifferingPixels(drawn, area), 0) << on;
    }
}
