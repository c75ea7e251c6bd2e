// Flowchart drawing: texts, band colours, shapes and connectors, read back
// as pixels from the strip and from the view on screen. Scale 1, margin 50:
// flow line x 227, left bus 90, right bus 364, NEXT bus 379, rows 60 high.
#include "model/checker.h"
#include "model/vocabulary.h"
#include "chart/element_text.h"
#include "tests/chart/chart_test_support.h"
#include <gtest/gtest.h>
#include <memory>

using namespace testing_support;

namespace {

constexpr COLORREF kConnector = RGB(100, 0, 50);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kOutline = RGB(50, 50, 160);
constexpr COLORREF kRowNumber = RGB(10, 10, 35);
constexpr int kFlowX = 227, kLeftBus = 90, kRightBus = 364, kNextBus = 379;

struct DrawingFixture : ::testing::Test {
    RecordingParent host;
    ChartProbe view;
    void SetUp() override {
        ASSERT_TRUE(host.CreateHost(600, 700));
        ASSERT_TRUE(CreateChartView(view, host.m_hWnd, 430, 600));
        ASSERT_EQ(g_chartMetrics.margin, 50);
        ASSERT_EQ(g_chartMetrics.rowHeight, 60);
    }
    void Show(std::vector<ProgramRow> rows, bool check = false) {
        if (check)
            CheckProgram(rows.data(), static_cast<int>(rows.size()));
        else
            rows = CleanRows(rows);
        view.SetProgram(rows.data(), static_cast<int>(rows.size()));
    }
    // Renders into the strip and returns a copy of it.
    std::unique_ptr<PixelCanvas> Strip() {
        auto canvas = std::make_unique<PixelCanvas>(view.m_stripWidth, view.m_stripHeight);
        view.CopyStrip(*canvas);
        return canvas;
    }
    static int Count(const PixelCanvas& c, COLORREF colour, const RECT& r) {
        return c.Count(colour, r.left, r.top, r.right, r.bottom);
    }
};

}  // namespace

TEST(ElementText, FormatsOfEveryKindOfElement) {
    EXPECT_EQ(ElementText(Row(L"FOR", {L"\u221E"})), L"FOR    \u221E");
    EXPECT_EQ(ElementText(Row(L"FOR", {L"  "})), L"FOR    ???");
    ProgramRow spaced = Row(L"OUT2");
    SetRowText(spaced.name, L" OUT2 ");
    EXPECT_EQ(ElementText(spaced), L"OUT2  ??? s");
    EXPECT_EQ(ElementText(Row(L"OUT123", {L" 0.5 "})), L"OUT123  0.5 s");
    EXPECT_EQ(ElementText(Row(L"STOP", {L"2"})), L"STOP  2 s");
    EXPECT_EQ(ElementText(Row(L"IF", {L"IN3", L"\u2267", L"30", L"THEN", L"2", L"ELSE", L"3"})),
              L"IN3\u226730 \u2103?");
    EXPECT_EQ(ElementText(Row(L"IF", {L"in1", L"\u2266", L"100"})), L"in1\u2266100 Lux?");
    EXPECT_EQ(ElementText(Row(L"IF", {L"IN4", L"\uFF1D", L"ON"})), L"IN4\uFF1DON ?") << "a switch has no unit";
    EXPECT_EQ(ElementText(Row(L"IF", {L"IN9", L"\uFF1D", L"1"})), L"IN9\uFF1D1 ?");
    EXPECT_EQ(ElementText(Row(L"GOTO", {L"3"})), L"GOTO");
    EXPECT_EQ(ElementText(Row(L"NEXT")), L"NEXT");
    EXPECT_EQ(ElementText(Row(L"END")), L"END");
    EXPECT_EQ(ElementText(Row(L"JUMP", {L"3"})), L"JUMP") << "an unknown command shows its name";
    EXPECT_EQ(ElementText(Row(L"")), L"");
}

TEST_F(DrawingFixture, NumberBandsByIndexSelectionAndFocus) {
    Show({Row(L"OUT1", {L"1"}), Row(L"OUT1", {L"1"}), Row(L"END")});
    ::SetFocus(host.m_hWnd);
    view.SelectElement(3);
    auto strip = Strip();
    EXPECT_EQ(strip->At(1, 60 + 1), RGB(120, 130, 140)) << "odd";
    EXPECT_EQ(strip->At(1, 120 + 1), RGB(130, 140, 150)) << "even";
    EXPECT_EQ(strip->At(1, 1), RGB(130, 140, 150)) << "START is banded like any element";
    EXPECT_EQ(strip->At(1, 180 + 1), RGB(150, 160, 255)) << "selected, view without focus";
    EXPECT_EQ(Count(*strip, kRowNumber, {0, 0, 24, 60}), 0) << "START has no number";
    EXPECT_GT(Count(*strip, kRowNumber, {0, 60, 24, 120}), 0);
    EXPECT_GT(Count(*strip, kWhite, {0, 180, 24, 240}), 0) << "the selected number is white";
    EXPECT_EQ(Count(*strip, kRowNumber, {0, 180, 24, 240}), 0);

    ::SetFocus(view.m_hWnd);  // gaining the focus re-renders
    EXPECT_EQ(Strip()->At(1, 180 + 1), RGB(60, 60, 200));
    ::SetFocus(host.m_hWnd);
    EXPECT_EQ(Strip()->At(1, 180 + 1), RGB(150, 160, 255));

    view.SelectElement(0);
    EXPECT_EQ(Strip()->At(1, 1), RGB(150, 160, 255)) << "START highlights when selected";
}

TEST_F(DrawingFixture, FaultyElementsHaveRedTextAndUnreachableOnesARedEntry) {
    // OUT2 without a time is faulty; the OUT1 after END cannot be reached.
    Show({Row(L"OUT2"), Row(L"OUT3", {L"1"}), Row(L"END"), Row(L"OUT1", {L"1"}), Row(L"END")}, true);
    auto strip = Strip();
    const RECT out2 = view.ElementShapeRect(1);
    const RECT out3 = view.ElementShapeRect(2);
    EXPECT_GT(Count(*strip, kRed, out2), 0) << "OUT2  ??? s in red";
    EXPECT_EQ(Count(*strip, kBlack, out2), 0);
    EXPECT_EQ(Count(*strip, kRed, out3), 0);
    EXPECT_GT(Count(*strip, kBlack, out3), 0);

    // From the shape's top up to, not onto, the row top.
    const RECT entry4{kFlowX, 241, kFlowX + 1, view.ElementShapeRect(4).top + 1};
    EXPECT_EQ(Count(*strip, kRed, entry4), entry4.bottom - entry4.top) << "red entry stub";
    EXPECT_EQ(strip->At(kFlowX, 240 + 47 + 5), kConnector) << "its exit stays in the connector colour";
    EXPECT_GT(Count(*strip, kRed, view.ElementShapeRect(4)), 0);
    const RECT entry2{kFlowX, 120, kFlowX + 1, out3.top};
    EXPECT_EQ(Count(*strip, kConnector, entry2), entry2.bottom - entry2.top);
}

TEST_F(DrawingFixture, ShapesByCommand) {
    Show({Row(L"FOR", {L"2"}), Row(L"NEXT"), Row(L"IF", {L"IN1", L"\u2267", L"0", L"THEN", L"4", L"ELSE", L"4"}),
          Row(L"OUT4", {L"1"}), Row(L"END"), Row(L"")});
    auto strip = Strip();
    auto shape = [&](int n) { return view.ElementShapeRect(n); };
    RECT s = shape(1);  // FOR: top corners cut
    EXPECT_EQ(strip->At(s.left + 1, s.top + 1), kWhite);
    EXPECT_EQ(strip->At(s.left + 100, s.top), kOutline);
    EXPECT_EQ(strip->At(s.left, s.bottom - 1), kOutline);
    s = shape(2);  // NEXT: bottom corners cut
    EXPECT_EQ(strip->At(s.left, s.top), kOutline);
    EXPECT_EQ(strip->At(s.left + 1, s.bottom - 1), kWhite);
    s = shape(3);  // IF: a diamond
    EXPECT_EQ(strip->At(s.left + 3, s.top + 3), kWhite);
    EXPECT_EQ(strip->At(s.left, (s.top + s.bottom) / 2), kOutline);
    s = shape(4);  // rectangle
    EXPECT_EQ(strip->At(s.left, s.top), kOutline);
    EXPECT_EQ(strip->At(s.right - 1, s.bottom - 1), kOutline);
    s = shape(5);  // END: half circles
    EXPECT_EQ(strip->At(s.left, s.top), kWhite);
    EXPECT_EQ(strip->At(s.left + 100, s.top), kOutline);
    EXPECT_EQ(Count(*strip, kOutline, view.ElementRowRect(6)), 0) << "an empty row has no shape";
    EXPECT_EQ(strip->At(kFlowX, 6 * 60 + 30), kConnector) << "only the line through it";
}

TEST_F(DrawingFixture, LoopBackOnTheNextBus) {
    // FOR at line 2, NEXT at line 5.
    Show({Row(L"OUT1", {L"1"}), Row(L"FOR", {L"3"}), Row(L"OUT2", {L"1"}), Row(L"OUT3", {L"1"}), Row(L"NEXT"),
          Row(L"END")});
    auto strip = Strip();
    const int y5 = 5 * 60 + 30;
    EXPECT_EQ(strip->At(340, y5), kConnector) << "first leg";
    EXPECT_EQ(Count(*strip, kConnector, {kNextBus, 121, kNextBus + 1, y5}), y5 - 121) << "along the bus";
    EXPECT_EQ(Count(*strip, kConnector, {kFlowX + 6, 120, kNextBus, 121}), kNextBus - kFlowX - 6)
        << "back to the flow line at the FOR's row top";
    EXPECT_EQ(strip->At(kNextBus - 5, y5 - 2), kConnector) << "arrowhead at the bus";
    EXPECT_EQ(strip->At(kFlowX + 5, 118), kConnector) << "arrowhead at the arrival";
    EXPECT_EQ(Count(*strip, kConnector, {kLeftBus, 0, kLeftBus + 1, 420}), 0);
    EXPECT_EQ(Count(*strip, kConnector, {kRightBus, 121, kRightBus + 1, y5}), 0) << "not on the IF bus";
}

TEST_F(DrawingFixture, GotoNextLineAndGotoZero) {
    Show({Row(L"GOTO", {L"2"}), Row(L"GOTO", {L"0"}), Row(L"OUT1", {L"1"}), Row(L"GOTO", {L"1"})});
    auto strip = Strip();
    EXPECT_EQ(Count(*strip, kConnector, {kFlowX, 60 + 47, kFlowX + 1, 121}), 121 - 107)
        << "GOTO the next line: the exit stub to one pixel into the next band";
    EXPECT_EQ(Count(*strip, kConnector, {kFlowX, 120 + 47, kFlowX + 1, 180}), 0) << "GOTO 0: no exit";
    EXPECT_EQ(Count(*strip, kConnector, {kLeftBus + 1, 150, view.ElementShapeRect(2).left, 151}), 0) << "and no jump";
    // GOTO 1 from line 4: left bus up to the row top of element 1.
    EXPECT_EQ(Count(*strip, kConnector, {kLeftBus, 61, kLeftBus + 1, 4 * 60 + 30}), 4 * 60 + 30 - 61);
    EXPECT_EQ(strip->At(kLeftBus + 5, 4 * 60 + 30 - 2), kConnector) << "arrowhead points outward";
    EXPECT_EQ(strip->At(150, 60), kConnector);
    EXPECT_EQ(strip->At(kFlowX - 5, 58), kConnector);
}

TEST_F(DrawingFixture, IfBranchesWithLabels) {
    auto If = [](const wchar_t* then, const wchar_t* otherwise) {
        return Row(L"IF", {L"IN1", L"\u2267", L"5", L"THEN", then, L"ELSE", otherwise});
    };
    Show({Row(L"OUT1", {L"1"}), If(L"3", L"1"), Row(L"OUT1", {L"1"}), If(L"5", L"5"), Row(L"END")});
    auto strip = Strip();
    // Line 2: THEN next (exit stub, Y below), ELSE line 1 on the right bus (N beside).
    EXPECT_EQ(strip->At(kFlowX, 175), kConnector);
    EXPECT_EQ(Count(*strip, kConnector, {kRightBus, 61, kRightBus + 1, 150}), 150 - 61);
    EXPECT_EQ(strip->At(300, 60), kConnector);
    const ConnectorRoutes r = RouteConnectors(g_chartMetrics, 2, CMD_IF, view.ElementConnectors(2));
    EXPECT_GT(Count(*strip, kBlack, r.yesBox), 0) << "Y";
    EXPECT_GT(Count(*strip, kBlack, r.noBox), 0) << "N";
    // Line 4: both the next line: Y straight down, N as a right jump forward.
    EXPECT_EQ(strip->At(kFlowX, 4 * 60 + 55), kConnector);
    EXPECT_EQ(Count(*strip, kConnector, {kRightBus, 4 * 60 + 30, kRightBus + 1, 300}), 30);
    EXPECT_EQ(strip->At(300, 300), kConnector);
    EXPECT_EQ(Count(*strip, kConnector, {kLeftBus, 0, kLeftBus + 1, 360}), 0);
}

TEST_F(DrawingFixture, TheViewShowsOnlyTheRowsOfItsElements) {
    // GOTO 9 routes toward a row that does not exist.
    Show({Row(L"OUT1", {L"1"}), Row(L"GOTO", {L"9"})});
    auto strip = Strip();
    ASSERT_EQ(strip->At(kLeftBus, 250), kConnector);
    PixelCanvas screen(430, 600);
    CaptureClient(view.m_hWnd, screen);
    EXPECT_EQ(screen.At(kLeftBus, 170), kConnector) << "inside the GOTO's band";
    EXPECT_EQ(screen.Count(kWhite, 0, 180, 430, 600), 430 * 420) << "white below the last element";
    EXPECT_EQ(screen.At(1, 61), RGB(120, 130, 140));
    EXPECT_EQ(screen.At(kFlowX, 55), kConnector);
}
