// The worked example drawn in a window and kept as a screenshot.
#include "model/vocabulary.h"
#include "tests/chart/chart_test_support.h"
#include <gtest/gtest.h>

using namespace testing_support;

TEST(ChartScreenshot, WorkedExample) {
    RecordingParent host;
    ASSERT_TRUE(host.CreateHost(450, 560, L"Flowchart"));
    ChartProbe view;
    ASSERT_TRUE(CreateChartView(view, host.m_hWnd, 430, 540));
    const auto rows = ExampleProgram();
    ASSERT_EQ(view.SetProgram(rows.data(), static_cast<int>(rows.size())), 9);
    view.SelectElement(3);
    PumpMessages();
    EXPECT_TRUE(SaveWindowScreenshot(host.m_hWnd, L"chart_example.bmp"));

    // The loop, the branch and the jump of the example, as the view shows them.
    EXPECT_EQ(view.ElementConnectors(6).target[SLOT_RIGHT_BACK], 1) << "NEXT back to FOR";
    EXPECT_EQ(view.ElementConnectors(2).target[SLOT_RIGHT_FORWARD], 5) << "IF ELSE 5";
    EXPECT_EQ(view.ElementConnectors(2).yes, LabelPlace::Below) << "IF THEN 3 straight down";
    EXPECT_EQ(view.ElementConnectors(4).target[SLOT_LEFT_FORWARD], 6) << "GOTO 6";
    EXPECT_FALSE(view.ElementConnectors(8).entryStub) << "the empty row after END is not reached";
    PixelCanvas screen(430, 540);
    CaptureClient(view.m_hWnd, screen);
    const COLORREF connector = RGB(100, 0, 50);
    EXPECT_EQ(screen.At(379, 200), connector);
    EXPECT_EQ(screen.At(364, 200), connector);
    EXPECT_EQ(screen.At(90, 300), connector);
    EXPECT_EQ(screen.At(1, 3 * 60 + 1), RGB(150, 160, 255));
}
