// The output lamp follows a running program row by row: it draws itself at
// once on the screen, leaving nothing for a paint pass.
#include "tests/support/test_support.h"
#include "widgets/output_lamp.h"
#include <gtest/gtest.h>

using testing_support::PixelCanvas;
using testing_support::RecordingParent;

namespace {

constexpr COLORREF kLit = RGB(30, 200, 60);

// The lamp's middle as the screen shows it, with no paint pass in between.
COLORREF ScreenMiddle(const COutputLamp& lamp) {
    PixelCanvas canvas(40, 40);
    HDC dc = ::GetDC(lamp.m_hWnd);
    ::BitBlt(canvas.dc(), 0, 0, 40, 40, dc, 0, 0, SRCCOPY);
    ::ReleaseDC(lamp.m_hWnd, dc);
    return canvas.At(20, 20);
}

}  // namespace

TEST(OutputLamp, ShowsEachChangeAtOnceWithNothingLeftToPaint) {
    RecordingParent host;
    ASSERT_TRUE(host.CreateHost(200, 100));
    COutputLamp lamp;
    ASSERT_TRUE(lamp.Create(RECT{10, 10, 50, 50}, host.m_hWnd, 100, kLit));
    ::UpdateWindow(host.m_hWnd);
    ::UpdateWindow(lamp.m_hWnd);
    EXPECT_EQ(ScreenMiddle(lamp), kLampOffColour);
    for (const bool on : {true, false, true}) {
        lamp.SetOn(on);
        EXPECT_FALSE(::GetUpdateRect(lamp.m_hWnd, nullptr, FALSE)) << on;
        EXPECT_EQ(ScreenMiddle(lamp), on ? kLit : kLampOffColour) << on;
    }
}

TEST(OutputLamp, AHiddenLampIsPaintedWhenShown) {
    RecordingParent host;
    ASSERT_TRUE(host.CreateHost(200, 100));
    COutputLamp lamp;
    ASSERT_TRUE(lamp.Create(RECT{10, 10, 50, 50}, host.m_hWnd, 100, kLit));
    ::UpdateWindow(lamp.m_hWnd);
    ::ShowWindow(lamp.m_hWnd, SW_HIDE);
    lamp.SetOn(true);
    ::ShowWindow(lamp.m_hWnd, SW_SHOW);
    ::UpdateWindow(lamp.m_hWnd);
    EXPECT_EQ(ScreenMiddle(lamp), kLit);
}
