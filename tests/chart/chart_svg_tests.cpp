// The SVG picture of the flowchart, read back as XML and held against the
// layout it is built from; the page split as data.
#include "chart/chart_elements.h"
#include "chart/chart_svg.h"
#include "chart/connector_plan.h"
#include "chart/element_geometry.h"
#include "chart/element_text.h"
#include "chart/page_split.h"
#include "files/line_encoding.h"
#include "model/checker.h"
#include "tests/chart/xml_reader.h"
#include "tests/core/test_rows.h"
#include <gtest/gtest.h>
#include <sstream>

namespace {

struct Picture {
    ProgramRow elements[CHART_MAX_ELEMENTS];
    int count = 0;
    ChartMetrics m{};
    std::string svg;
    std::unique_ptr<XmlNode> root;
};

Picture Build(std::vector<ProgramRow> rows, int width = 430, bool numbers = true) {
    Picture p;
    CheckProgram(rows.data(), static_cast<int>(rows.size()));
    const ProgramRow none{};
    p.count = BuildChartElements(rows.empty() ? &none : rows.data(), static_cast<int>(rows.size()), p.elements);
    p.m = MetricsForWidth(width);
    p.svg = ChartSvg(p.elements, p.count, p.m, {width, numbers});
    std::string error;
    p.root = ParseXml(p.svg, error);
    EXPECT_TRUE(p.root) << error;
    return p;
}

std::vector<POINT> ParsePoints(const std::string& text) {
    std::vector<POINT> points;
    std::istringstream in(text);
    double x, y;
    char comma;
    while (in >> x >> comma >> y)
        points.push_back({static_cast<long>(x - 0.5), static_cast<long>(y - 0.5)});
    return points;
}

std::string Utf8(std::wstring_view text) {
    std::string bytes;
    AppendUtf8Text(text, bytes);
    return bytes;
}

const XmlNode* ElementGroup(const Picture& p, int n) {
    for (const XmlNode* g : p.root->FindAll("g", "element"))
        if (g->Attr("id") == "element-" + std::to_string(n))
            return g;
    return nullptr;
}

bool Equal(POINT a, POINT b) { return a.x == b.x && a.y == b.y; }

TEST(ChartSvg, WorkedExampleHoldsNineElementsWithTheirTextsAtTheLayoutPositions) {
    const Picture p = Build(ExampleProgram());
    ASSERT_TRUE(p.root);
    EXPECT_EQ(p.root->name, "svg");
    EXPECT_EQ(p.root->Attr("width"), "430");
    EXPECT_EQ(p.root->Attr("height"), std::to_string(9 * p.m.rowHeight));
    ASSERT_EQ(p.root->FindAll("g", "element").size(), 9u);
    for (int n = 0; n < 9; ++n) {
        const XmlNode* g = ElementGroup(p, n);
        ASSERT_TRUE(g) << n;
        const auto texts = g->FindAll("text", "text");
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0]->text, Utf8(ElementText(p.elements[n]))) << n;
        const RECT shape = ShapeRect(p.m, n, p.elements[n].code);
        EXPECT_DOUBLE_EQ(texts[0]->Number("x"), (shape.left + shape.right) / 2.0);
        EXPECT_GT(texts[0]->Number("y"), shape.top);
        EXPECT_LT(texts[0]->Number("y"), shape.bottom);
        // Only the empty row after END is unreachable; its text is empty.
        EXPECT_EQ(texts[0]->Attr("fill"), n == 8 ? "#ff0000" : "#000000") << n;
        EXPECT_EQ(g->FindAll("text", "number").size(), n == 0 ? 0u : 1u);
    }
    EXPECT_EQ(ElementGroup(p, 1)->FindAll("text", "text")[0]->text, "FOR    \u221E");
}

TEST(ChartSvg, ConnectorsAndArrowheadsFollowTheConnectorPlan) {
    const Picture p = Build(ExampleProgram());
    ASSERT_TRUE(p.root);
    int jumps = 0;
    for (int n = 0; n < p.count; ++n) {
        const ConnectorPlan plan = PlanConnectors(p.elements, p.count, n);
        const ConnectorRoutes routes = RouteConnectors(p.m, n, p.elements[n].code, plan);
        const XmlNode* g = ElementGroup(p, n);
        std::vector<const JumpRoute*> expected;
        for (const JumpRoute& j : routes.jumps)
            if (j.present)
                expected.push_back(&j);
        const auto drawn = g->FindAll("polyline", "jump");
        ASSERT_EQ(drawn.size(), expected.size()) << n;
        EXPECT_EQ(g->FindAll("polyline", "arrowhead").size(), 2 * expected.size()) << n;
        for (size_t i = 0; i < drawn.size(); ++i) {
            const auto points = ParsePoints(drawn[i]->Attr("points"));
            const JumpRoute& j = *expected[i];
            ASSERT_EQ(points.size(), 4u);
            EXPECT_TRUE(Equal(points[0], j.start)) << n;
            EXPECT_EQ(points[1].x, j.busX);
            EXPECT_TRUE(Equal(points[2], {j.busX, j.arrivalY})) << n;
            EXPECT_TRUE(Equal(points[3], {routes.flowX, j.arrivalY})) << n;
            EXPECT_EQ(drawn[i]->Attr("stroke"), "#640032");
        }
        jumps += static_cast<int>(drawn.size());
        EXPECT_EQ(g->FindAll("polyline", "entry").size(), plan.entryStub ? 1u : 0u) << n;
        EXPECT_EQ(g->FindAll("polyline", "exit").size(), plan.exitStub ? 1u : 0u) << n;
    }
    // IF's ELSE 5, GOTO 6 and NEXT back to FOR.
    EXPECT_EQ(jumps, 3);
    // Every arrowhead's tip is a point of a jump.
    for (const XmlNode* head : p.root->FindAll("polyline", "arrowhead")) {
        const auto points = ParsePoints(head->Attr("points"));
        ASSERT_EQ(points.size(), 3u);
        EXPECT_EQ(points[0].x, points[2].x);
        EXPECT_EQ(points[2].y - points[0].y, 4);
        EXPECT_EQ(std::abs(points[1].x - points[0].x), 5);
    }
}

TEST(ChartSvg, IfLabelsSitInTheirLabelBoxes) {
    const Picture p = Build(ExampleProgram());
    ASSERT_TRUE(p.root);
    const int n = 2;  // IF IN1 = 100 THEN 3 ELSE 5
    const ConnectorPlan plan = PlanConnectors(p.elements, p.count, n);
    const ConnectorRoutes routes = RouteConnectors(p.m, n, CMD_IF, plan);
    ASSERT_EQ(plan.yes, LabelPlace::Below);
    ASSERT_EQ(plan.no, LabelPlace::Right);
    const auto labels = ElementGroup(p, n)->FindAll("text", "label");
    ASSERT_EQ(labels.size(), 2u);
    const struct {
        const char* text;
        RECT box;
    } expected[] = {{"Y", routes.yesBox}, {"N", routes.noBox}};
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(labels[i]->text, expected[i].text);
        EXPECT_DOUBLE_EQ(labels[i]->Number("x"), (expected[i].box.left + expected[i].box.right) / 2.0);
        EXPECT_GT(labels[i]->Number("y"), expected[i].box.top);
        EXPECT_LE(labels[i]->Number("y"), expected[i].box.bottom);
    }
    EXPECT_EQ(p.root->FindAll("text", "label").size(), 2u) << "only the IF has labels";
}

TEST(ChartSvg, FaultyRowsAndTheirLabelsAreRed) {
    // Row 2 jumps to a line that does not exist; row 3 is unreachable behind END.
    const Picture p = Build(
        {Row(L"IF", {L"IN1", L"\u2267", L"100", L"THEN", L"2", L"ELSE", L"9"}), Row(L"END"), Row(L"OUT1", {L"1"})});
    ASSERT_TRUE(p.root);
    for (int n = 1; n < p.count; ++n) {
        const XmlNode* g = ElementGroup(p, n);
        const std::string fill = IsFaultyElement(p.elements[n]) ? "#ff0000" : "#000000";
        EXPECT_EQ(g->FindAll("text", "text")[0]->Attr("fill"), fill) << n;
        for (const XmlNode* label : g->FindAll("text", "label"))
            EXPECT_EQ(label->Attr("fill"), fill) << n;
    }
    EXPECT_TRUE(IsFaultyElement(p.elements[1]));
    EXPECT_TRUE(IsFaultyElement(p.elements[3]));
    EXPECT_EQ(ElementGroup(p, 3)->FindAll("polyline", "entry")[0]->Attr("stroke"), "#ff0000");
}

TEST(ChartSvg, AnEmptyProgramIsJustStart) {
    const Picture p = Build({});
    ASSERT_TRUE(p.root);
    ASSERT_EQ(p.root->FindAll("g", "element").size(), 1u);
    EXPECT_EQ(p.root->FindAll("text", "text")[0]->text, "START");
    EXPECT_TRUE(p.root->FindAll("polyline").empty());
    EXPECT_EQ(p.root->Attr("height"), std::to_string(p.m.rowHeight));
}

TEST(ChartSvg, TheRowNumberStripIsOptional) {
    const Picture with = Build(ExampleProgram(), 430, true);
    const Picture without = Build(ExampleProgram(), 430, false);
    ASSERT_TRUE(with.root && without.root);
    EXPECT_EQ(with.root->FindAll("rect", "band").size(), 9u);
    EXPECT_EQ(with.root->FindAll("text", "number").size(), 8u);
    EXPECT_TRUE(without.root->FindAll("rect", "band").empty());
    EXPECT_TRUE(without.root->FindAll("text", "number").empty());
    EXPECT_EQ(without.root->FindAll("text", "text").size(), 9u);
}

TEST(ChartSvg, WidthScalesTheLayoutLikeTheView) {
    for (int width : {100, 430, 700, 1200, 5000}) {
        const Picture p = Build(ExampleProgram(), width);
        ASSERT_TRUE(p.root) << width;
        EXPECT_EQ(p.root->Attr("width"), std::to_string(width));
        EXPECT_EQ(p.root->Attr("height"), std::to_string(9 * p.m.rowHeight));
        const ChartMetrics scaled = ScaledMetrics(ScaleForWidth(width));
        EXPECT_EQ(p.m.rowHeight, scaled.rowHeight);
        EXPECT_EQ(p.m.margin, std::max(0, (width - scaled.elementWidth) / 2));
    }
}

TEST(ChartSvg, HandMadeTextsAreEscapedAndStayWellFormed) {
    ProgramRow odd = Row(L"GOTO", {L"1"});
    SetRowText(odd.name, L"<&\"\x01>");
    odd.code = CMD_GOTO;
    const Picture p = Build({odd, Row(L"END")});
    ASSERT_TRUE(p.root);
    EXPECT_EQ(ElementGroup(p, 1)->FindAll("text", "text")[0]->text, "<&\"\xEF\xBF\xBD>");
    EXPECT_EQ(XmlText(L"a&b<c>d\"e"), "a&amp;b&lt;c&gt;d&quot;e");
    EXPECT_EQ(XmlText(std::wstring(1, wchar_t(0xFFFE))), "\xEF\xBF\xBD");
    EXPECT_EQ(XmlText(L"\u2267\u221E"), "\u2267\u221E");
}

TEST(ChartSvg, AFullProgramStaysWellFormed) {
    std::vector<ProgramRow> rows;
    for (int i = 0; i < MAX_ROWS; ++i)
        rows.push_back(i % 3 ? Row(L"GOTO", {std::to_wstring(50 - i).c_str()})
                             : Row(L"IF", {L"IN2", L"<", L"5", L"THEN", L"1", L"ELSE", L"50"}));
    const Picture p = Build(rows);
    ASSERT_TRUE(p.root);
    EXPECT_EQ(p.root->FindAll("g", "element").size(), 51u);
}

// --- Page split ---

TEST(PageSplit, PagesBreakOnlyBetweenElementsAndHoldAllOfThem) {
    const struct {
        int count;
        double rowHeight, pageHeight;
        size_t pages;
        int perPage;
    } cases[] = {
        {51, 60, 1000, 4, 16},      // 16 rows of 60 fit in 1000
        {51, 60, 960, 4, 16},       // exactly 16 rows fill the page
        {51, 53.7, 1122.5, 3, 20},  // fractional sizes of a scaled page
        {9, 60, 10000, 1, 9},       // the worked example on one page
        {1, 60, 1000, 1, 1},        // just START
        {51, 60, 59, 51, 1},        // a page lower than a row: one row each
        {51, 60, 120, 26, 2},
    };
    for (const auto& c : cases) {
        const auto pages = SplitIntoPages(c.count, c.rowHeight, c.pageHeight);
        ASSERT_EQ(pages.size(), c.pages) << c.count << " " << c.pageHeight;
        int next = 0;
        for (const PageRange& page : pages) {
            EXPECT_EQ(page.first, next);
            EXPECT_GT(page.end, page.first);
            EXPECT_LE(page.end - page.first, c.perPage);
            if (page.end - page.first > 1) {
                EXPECT_LE((page.end - page.first) * c.rowHeight, c.pageHeight) << "an element cut by the page edge";
            }
            next = page.end;
        }
        EXPECT_EQ(next, c.count);
        EXPECT_EQ(pages[0].end - pages[0].first, std::min(c.count, c.perPage));
    }
    EXPECT_TRUE(SplitIntoPages(0, 60, 1000).empty());
    EXPECT_TRUE(SplitIntoPages(-3, 60, 1000).empty());
}

}  // namespace
