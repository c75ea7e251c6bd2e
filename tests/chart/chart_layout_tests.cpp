// Flowchart layout: scaling to the view's width, element geometry, the
// elements built from a program and the connector plan of every command.
#include "model/vocabulary.h"
#include "tests/chart/chart_test_support.h"
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

struct MetricsRow {
    int elementWidth, rowHeight, bandWidth, sideInset, shapeInset, textFontWidth, smallFontWidth;
};

MetricsRow Fields(const ChartMetrics& m) {
    return {m.elementWidth, m.rowHeight, m.bandWidth, m.sideInset, m.shapeInset, m.textFontWidth, m.smallFontWidth};
}

bool operator==(const MetricsRow& a, const MetricsRow& b) {
    return a.elementWidth == b.elementWidth && a.rowHeight == b.rowHeight && a.bandWidth == b.bandWidth &&
           a.sideInset == b.sideInset && a.shapeInset == b.shapeInset && a.textFontWidth == b.textFontWidth &&
           a.smallFontWidth == b.smallFontWidth;
}

void PrintTo(const MetricsRow& m, std::ostream* os) {
    *os << m.elementWidth << ", " << m.rowHeight << ", " << m.bandWidth << ", " << m.sideInset << ", " << m.shapeInset
        << ", " << m.textFontWidth << ", " << m.smallFontWidth;
}

const MetricsRow k09{296, 53, 21, 43, 8, 7, 6};
const MetricsRow k10{330, 60, 24, 48, 9, 8, 7};
const MetricsRow k11{363, 66, 26, 52, 9, 8, 7};
const MetricsRow k15{495, 90, 36, 72, 13, 12, 10};
const MetricsRow k20{660, 120, 48, 96, 18, 16, 14};
const MetricsRow k24{792, 144, 57, 115, 21, 19, 16};

MetricsRow ForWidth(int width) { return Fields(ScaledMetrics(ScaleForWidth(width))); }

struct ViewFixture : ::testing::Test {
    RecordingParent host;
    ChartProbe view;
    void Open(int clientWidth, int clientHeight = 600) {
        ASSERT_TRUE(host.CreateHost(1100, 700));
        ASSERT_TRUE(CreateChartView(view, host.m_hWnd, clientWidth, clientHeight));
    }
    void Show(const std::vector<ProgramRow>& rows) { view.SetProgram(rows.data(), static_cast<int>(rows.size())); }
    ConnectorPlan Plan(int n) const { return view.ElementConnectors(n); }
    int Jumps(const ConnectorPlan& p) const { return p.jump[0] + p.jump[1] + p.jump[2] + p.jump[3]; }
};

}  // namespace

TEST(ChartScale, WidthRangesGiveTheMetricsTable) {
    for (int w : {0, 200, 393})
        EXPECT_EQ(ForWidth(w), k09) << w;
    for (int w : {430, 434})
        EXPECT_EQ(ForWidth(w), k10) << w;
    for (int w : {470, 473})
        EXPECT_EQ(ForWidth(w), k11) << w;
    for (int w : {630, 634})
        EXPECT_EQ(ForWidth(w), k15) << w;
    for (int w : {830, 834})
        EXPECT_EQ(ForWidth(w), k20) << w;
    for (int w : {990, 1500, 40000})
        EXPECT_EQ(ForWidth(w), k24) << w;
    // Just outside the ranges the factor moves on by a hundredth.
    EXPECT_FLOAT_EQ(ScaleForWidth(394), 0.91f);
    EXPECT_FLOAT_EQ(ScaleForWidth(435), 1.01f);
    EXPECT_FLOAT_EQ(ScaleForWidth(474), 1.11f);
    EXPECT_FLOAT_EQ(ScaleForWidth(989), 2.39f);
    EXPECT_EQ(ScaledMetrics(1.0f).margin, 0);
}

TEST_F(ViewFixture, ViewWidthsScaleTheSharedMetricsAndCentreTheChart) {
    ASSERT_TRUE(host.CreateHost(1100, 700));
    const struct {
        int width;
        MetricsRow metrics;
    } cases[] = {{390, k09}, {430, k10}, {470, k11}, {630, k15}, {830, k20}, {990, k24}};
    for (const auto& c : cases) {
        ChartProbe v;
        ASSERT_TRUE(CreateChartView(v, host.m_hWnd, c.width, 200));
        ASSERT_EQ(v.GetClientRect().right, c.width);
        EXPECT_EQ(Fields(g_chartMetrics), c.metrics) << c.width;
        EXPECT_EQ(g_chartMetrics.margin, (c.width - c.metrics.elementWidth) / 2) << c.width;
        EXPECT_EQ(g_lastStripWidth, g_chartMetrics.margin + c.metrics.elementWidth);
        EXPECT_EQ(v.m_stripWidth, g_chartMetrics.margin + c.metrics.elementWidth);
        EXPECT_EQ(v.m_stripHeight, 51 * c.metrics.rowHeight);
        EXPECT_EQ(g_zoomLevel, 0);
    }
}

TEST_F(ViewFixture, GeometryAtScaleOne) {
    Open(430);
    ASSERT_EQ(g_chartMetrics.margin, 50);
    const int M = 50;
    Show(CleanRows({Row(L"IF", {L"IN1", L"\u2267", L"1", L"THEN", L"1", L"ELSE", L"1"}), Row(L"NEXT")}));
    const RECT row = view.ElementRowRect(3);
    EXPECT_EQ(row.top, 180);
    EXPECT_EQ(row.bottom, 240);
    EXPECT_EQ(row.right, 330 + M);

    const RECT shape = view.ElementShapeRect(0);  // START: 1.5 times the inset
    EXPECT_EQ(shape.right - shape.left, 210);
    EXPECT_EQ(shape.bottom - shape.top, 34);
    const RECT diamond = view.ElementShapeRect(1);
    EXPECT_EQ(diamond.bottom - diamond.top, 42);
    EXPECT_EQ(diamond.top, 60 + 9);

    const AnchorPoints a = view.ElementAnchors(1);
    EXPECT_EQ(a.midX, 177 + M) << "the flow line";
    EXPECT_EQ(a.left.x - ArrowLength(g_chartMetrics), 40 + M) << "the left bus";
    EXPECT_EQ(a.right.x + ArrowLength(g_chartMetrics), 314 + M) << "the right bus";
    EXPECT_EQ(ArrowLength(g_chartMetrics), 32);

    const ConnectorRoutes ifRoutes = RouteConnectors(g_chartMetrics, 1, CMD_IF, Plan(1));
    EXPECT_EQ(ifRoutes.jumps[SLOT_LEFT_BACK].busX, 40 + M);
    EXPECT_EQ(ifRoutes.jumps[SLOT_RIGHT_BACK].busX, 314 + M);
    const ConnectorRoutes nextRoutes = RouteConnectors(g_chartMetrics, 2, CMD_NEXT, Plan(2));
    EXPECT_FALSE(nextRoutes.jumps[SLOT_RIGHT_BACK].present) << "no FOR to go back to";
    ConnectorPlan loop;
    loop.jump[SLOT_RIGHT_BACK] = true;
    loop.target[SLOT_RIGHT_BACK] = 1;
    EXPECT_EQ(RouteConnectors(g_chartMetrics, 2, CMD_NEXT, loop).jumps[SLOT_RIGHT_BACK].busX, 329 + M)
        << "NEXT runs one pixel inside the element area";
    EXPECT_EQ(view.m_contentWidth, 330 + M);
    EXPECT_EQ(view.m_contentHeight, 3 * 60);
    EXPECT_EQ(view.m_lineStep.cy, 60);
    EXPECT_EQ(view.m_pageStep.cy, 18) << "a tenth of the content";

    g_chartMetrics.margin = 7;
    view.SetZoomLevel(1, false);
    EXPECT_EQ(g_chartMetrics.margin, 7) << "only level 0 is accepted";
    view.SetZoomLevel(0, false);
    EXPECT_EQ(g_chartMetrics.margin, M);

    const struct {
        HFONT font;
        int height, width, weight;
    } fonts[] = {{view.m_fontText, 16, 8, 600}, {view.m_fontSmall, 14, 7, 550}};
    for (const auto& f : fonts) {
        LOGFONTW lf{};
        ASSERT_EQ(::GetObjectW(f.font, sizeof lf, &lf), static_cast<int>(sizeof lf));
        EXPECT_EQ(lf.lfHeight, f.height);
        EXPECT_EQ(lf.lfWidth, f.width);
        EXPECT_EQ(lf.lfWeight, f.weight);
        EXPECT_EQ(lf.lfQuality, NONANTIALIASED_QUALITY);
        EXPECT_EQ(lf.lfOutPrecision, OUT_TT_PRECIS);
        EXPECT_EQ(lf.lfCharSet, ANSI_CHARSET);
        EXPECT_EQ(lf.lfPitchAndFamily, VARIABLE_PITCH | FF_SWISS);
        EXPECT_STREQ(lf.lfFaceName, L"Arial");
    }
}

TEST_F(ViewFixture, ProgramsBecomeElementsBehindAStartElement) {
    Open(430);
    EXPECT_EQ(view.SetProgram(nullptr, 0), 0);
    ProgramRow dummy{};
    EXPECT_EQ(view.SetProgram(&dummy, 0), 1) << "an empty program shows START alone";
    EXPECT_EQ(view.m_elements[0].code, CMD_START);
    EXPECT_EQ(RowText(view.m_elements[0].name), L"START");
    EXPECT_EQ(view.m_elements[0].reachable, 1);
    EXPECT_FALSE(Jumps(Plan(0)) || Plan(0).entryStub || Plan(0).exitStub) << "one element has no connectors";

    const auto rows = CleanRows({Row(L"OUT1", {L"1"}), Row(L"END")});
    Show(rows);
    EXPECT_EQ(view.m_nCount, 3);
    EXPECT_EQ(view.m_elements[1].code, CMD_OUT1);
    EXPECT_EQ(view.SetProgram(rows.data(), -1), 0);
    EXPECT_EQ(view.m_nCount, 3) << "a refused program leaves the elements";

    ProgramRow start = Row(L"");
    start.code = CMD_START;
    SetRowText(start.name, L"BEGIN");
    std::vector<ProgramRow> led{start, Row(L"END")};
    Show(led);
    EXPECT_EQ(view.m_nCount, 2) << "a leading START row takes the START place";
    EXPECT_EQ(RowText(view.m_elements[0].name), L"BEGIN");

    std::vector<ProgramRow> many(60, Row(L"OUT2", {L"1"}));
    EXPECT_EQ(view.SetProgram(many.data(), 60), 51);
    many[0].code = CMD_START;
    EXPECT_EQ(view.SetProgram(many.data(), 60), 51);
    EXPECT_EQ(view.m_contentHeight, 51 * g_chartMetrics.rowHeight);
}

TEST_F(ViewFixture, GotoPlans) {
    Open(430);
    Show(CleanRows({Row(L"GOTO", {L"2"}), Row(L"GOTO", {L"0"}), Row(L"GOTO", {L""}), Row(L"GOTO", {L" 1"}),
                    Row(L"GOTO", {L"7"})}));
    const ConnectorPlan next = Plan(1);  // line 1 to line 2: the straight way down
    EXPECT_TRUE(next.entryStub);
    EXPECT_TRUE(next.exitStub);
    EXPECT_EQ(Jumps(next), 0);
    for (int n : {2, 3}) {  // GOTO 0 and GOTO without a line
        EXPECT_FALSE(Plan(n).exitStub) << n;
        EXPECT_EQ(Jumps(Plan(n)), 0) << n;
    }
    const ConnectorPlan back = Plan(4);
    EXPECT_FALSE(back.exitStub);
    EXPECT_TRUE(back.jump[SLOT_LEFT_BACK]);
    EXPECT_EQ(back.target[SLOT_LEFT_BACK], 1);
    EXPECT_TRUE(Plan(5).jump[SLOT_LEFT_FORWARD]) << "the last element can still jump";
    EXPECT_EQ(Plan(5).target[SLOT_LEFT_FORWARD], 7);
    EXPECT_EQ(Plan(0).entryStub, false);
    EXPECT_EQ(Plan(0).exitStub, true);
}

TEST_F(ViewFixture, LoopPlansFindTheirForByDepth) {
    Open(430);
    // FOR at line 2, NEXT at line 5.
    Show(CleanRows({Row(L"OUT1", {L"1"}), Row(L"FOR", {L"3"}), Row(L"OUT2", {L"1"}), Row(L"OUT3", {L"1"}), Row(L"NEXT"),
                    Row(L"END")}));
    ConnectorPlan next = Plan(5);
    EXPECT_TRUE(next.jump[SLOT_RIGHT_BACK]);
    EXPECT_EQ(next.target[SLOT_RIGHT_BACK], 2);
    EXPECT_EQ(Jumps(next), 1);
    EXPECT_TRUE(next.entryStub && next.exitStub);
    EXPECT_FALSE(Plan(6).exitStub) << "END has no way out";
    EXPECT_EQ(Jumps(Plan(2)), 0) << "FOR only has its stubs";

    // FOR FOR NEXT NEXT: the inner NEXT finds the inner FOR.
    Show(CleanRows({Row(L"FOR", {L"2"}), Row(L"FOR", {L"3"}), Row(L"NEXT"), Row(L"NEXT"), Row(L"NEXT")}));
    EXPECT_EQ(Plan(3).target[SLOT_RIGHT_BACK], 2);
    EXPECT_EQ(Plan(4).target[SLOT_RIGHT_BACK], 1);
    EXPECT_FALSE(Plan(5).jump[SLOT_RIGHT_BACK]) << "a NEXT without FOR draws no jump";
    EXPECT_TRUE(Plan(5).entryStub);
    EXPECT_FALSE(Plan(5).exitStub) << "the last element";
}

TEST_F(ViewFixture, IfPlansAndLabels) {
    Open(430);
    auto If = [](const wchar_t* then, const wchar_t* otherwise) {
        return Row(L"IF", {L"IN2", L"\u2266", L"50", L"THEN", then, L"ELSE", otherwise});
    };
    Show(CleanRows({Row(L"OUT1", {L"1"}), If(L"3", L"1"), Row(L"OUT1", {L"1"}), If(L"5", L"5"), Row(L"END"),
                    If(L"0", L"0"), If(L"2", L"8"), If(L"12", L"")}));
    // THEN the next line, ELSE an earlier one.
    ConnectorPlan p = Plan(2);
    EXPECT_TRUE(p.exitStub);
    EXPECT_EQ(p.yes, LabelPlace::Below);
    EXPECT_TRUE(p.jump[SLOT_RIGHT_BACK]);
    EXPECT_EQ(p.target[SLOT_RIGHT_BACK], 1);
    EXPECT_EQ(p.no, LabelPlace::Right);
    EXPECT_EQ(Jumps(p), 1);

    // Both the next line: Y goes straight down, N as a right jump forward.
    p = Plan(4);
    EXPECT_TRUE(p.exitStub);
    EXPECT_EQ(p.yes, LabelPlace::Below);
    EXPECT_TRUE(p.jump[SLOT_RIGHT_FORWARD]);
    EXPECT_EQ(p.target[SLOT_RIGHT_FORWARD], 5);
    EXPECT_EQ(p.no, LabelPlace::Right);

    p = Plan(6);  // no targets: no exit at all
    EXPECT_FALSE(p.exitStub);
    EXPECT_EQ(Jumps(p), 0);
    EXPECT_EQ(p.yes, LabelPlace::None);
    EXPECT_EQ(p.no, LabelPlace::None);

    p = Plan(7);  // THEN back on the left, ELSE the next line straight down
    EXPECT_TRUE(p.jump[SLOT_LEFT_BACK]);
    EXPECT_EQ(p.target[SLOT_LEFT_BACK], 2);
    EXPECT_EQ(p.yes, LabelPlace::Left);
    EXPECT_TRUE(p.exitStub);
    EXPECT_EQ(p.no, LabelPlace::Below);

    p = Plan(8);  // THEN forward on the left, no ELSE
    EXPECT_TRUE(p.jump[SLOT_LEFT_FORWARD]);
    EXPECT_EQ(p.no, LabelPlace::None);
    EXPECT_FALSE(p.exitStub);

    const ConnectorRoutes r = RouteConnectors(g_chartMetrics, 2, CMD_IF, Plan(2));
    const AnchorPoints a = view.ElementAnchors(2);
    const int s = g_chartMetrics.smallFontWidth;
    EXPECT_EQ(r.yesBox.left, a.bottom.x + 1);
    EXPECT_EQ(r.yesBox.top, 180 - 2 * s);
    EXPECT_EQ(r.yesBox.right, a.bottom.x + 3 * s);
    EXPECT_EQ(r.yesBox.bottom, 180);
    EXPECT_EQ(r.noBox.left, a.right.x + 1);
    EXPECT_EQ(r.noBox.top, 121);
    EXPECT_EQ(r.noBox.right, a.right.x + 32);
    EXPECT_EQ(r.noBox.bottom, a.right.y - 1);
    EXPECT_EQ(r.jumps[SLOT_RIGHT_BACK].arrivalY, 60);
}

TEST_F(ViewFixture, EmptyRowsGetAThroughLineOnlyOnTheWay) {
    Open(430);
    auto rows = CleanRows({Row(L"OUT1", {L"1"}), Row(L""), Row(L"OUT1", {L"1"}), Row(L""), Row(L"END"), Row(L"")});
    rows[4].reachable = 0;  // the element after the second empty row cannot be reached
    Show(rows);
    EXPECT_TRUE(Plan(2).throughLine);
    EXPECT_TRUE(Plan(2).entryStub && Plan(2).exitStub);
    EXPECT_FALSE(Plan(4).throughLine || Plan(4).entryStub || Plan(4).exitStub);
    EXPECT_TRUE(Plan(6).throughLine) << "the last element, reachable";
    rows[5].reachable = 0;
    Show(rows);
    EXPECT_FALSE(Plan(6).throughLine);
}

TEST_F(ViewFixture, TargetsOutsideTheChartStayInRange) {
    Open(430);
    Show(
        CleanRows({Row(L"OUT1", {L"1"}), Row(L"IF", {L"IN1", L"\u2267", L"0", L"THEN", L"-3", L"ELSE", L"-1"}),
                   Row(L"IF", {L"IN1", L"\u2267", L"0", L"THEN", L"1", L"ELSE", L"-1"}), Row(L"GOTO", {L"99999999"})}));
    // Above the chart: the height of the jump drawn before, else the own row top.
    ConnectorRoutes r = RouteConnectors(g_chartMetrics, 2, CMD_IF, Plan(2));
    EXPECT_EQ(r.jumps[SLOT_LEFT_BACK].arrivalY, 120);
    EXPECT_EQ(r.jumps[SLOT_RIGHT_BACK].arrivalY, 120);
    r = RouteConnectors(g_chartMetrics, 3, CMD_IF, Plan(3));
    EXPECT_EQ(r.jumps[SLOT_LEFT_BACK].arrivalY, 60);
    EXPECT_EQ(r.jumps[SLOT_RIGHT_BACK].arrivalY, 60);
    r = RouteConnectors(g_chartMetrics, 4, CMD_GOTO, Plan(4));
    EXPECT_TRUE(r.jumps[SLOT_LEFT_FORWARD].present);
    EXPECT_GE(r.jumps[SLOT_LEFT_FORWARD].arrivalY, view.m_stripHeight) << "past the strip, out of sight";
    EXPECT_LE(r.jumps[SLOT_LEFT_FORWARD].arrivalY, 60 * 60);
}
