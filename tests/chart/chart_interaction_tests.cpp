// Flowchart interaction: clicks, keys, selection scrolling, focus, and the
// notification posted to the parent, all through real window messages.
#include "tests/chart/chart_test_support.h"
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

struct InteractionFixture : ::testing::Test {
    RecordingParent host;
    ChartProbe view;
    // Opens a view with `lines` program lines whose client area is 430 wide
    // (scale 1, rows 60 high) once the vertical bar the lines need is shown.
    void Open(int height, int lines, bool needsBar = true) {
        ASSERT_TRUE(host.CreateHost(700, 700));
        const int width = 430 + (needsBar ? ::GetSystemMetrics(SM_CXVSCROLL) : 0);
        ASSERT_TRUE(CreateChartView(view, host.m_hWnd, width, height));
        std::vector<ProgramRow> rows(static_cast<size_t>(lines), Row(L"OUT1", {L"1"}));
        rows = CleanRows(rows);
        view.SetProgram(rows.data(), lines);
        PumpMessages();
        ASSERT_EQ(g_chartMetrics.rowHeight, 60);
        host.messages.clear();
    }
    std::vector<WPARAM> Posted() {
        PumpMessages();
        std::vector<WPARAM> indices;
        for (const auto& m : host.Take(WM_CHART_SELCHANGE)) {
            EXPECT_EQ(m.lParam, 0);
            indices.push_back(m.wParam);
        }
        return indices;
    }
    int Y() const { return view.GetScrollPosition().y; }
    bool HasH() const { return (view.GetStyle() & WS_HSCROLL) != 0; }
    SCROLLINFO Info(int bar) const {
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_ALL;
        ::GetScrollInfo(view.m_hWnd, bar, &si);
        return si;
    }
};

using Indices = std::vector<WPARAM>;

}  // namespace

TEST(ChartMessages, SelectionChangeNumber) { EXPECT_EQ(WM_CHART_SELCHANGE, 0x491u); }

TEST_F(InteractionFixture, CreationStylesAndEmptyState) {
    ASSERT_TRUE(host.CreateHost(500, 400));
    g_chartMetrics = ScaledMetrics(1.0f);  // as a wider view left them
    g_chartMetrics.margin = 50;
    // Asked for a border and a sunken edge, it gets neither: a thin static edge.
    ASSERT_TRUE(view.Create(nullptr, L"", WS_CHILD | WS_VISIBLE | WS_BORDER, RECT{0, 0, 300, 200}, host.m_hWnd, 101,
                            WS_EX_CLIENTEDGE));
    EXPECT_EQ(view.GetStyle() & WS_BORDER, 0u);
    EXPECT_EQ(view.GetExStyle() & WS_EX_CLIENTEDGE, 0u);
    EXPECT_NE(view.GetExStyle() & WS_EX_STATICEDGE, 0u);
    EXPECT_EQ(view.m_nCount, 0);
    EXPECT_EQ(view.m_nSelected, -1);
    EXPECT_EQ(view.m_contentHeight, 0);
    EXPECT_EQ(view.m_contentWidth, g_chartMetrics.margin + g_chartMetrics.elementWidth);
    EXPECT_FALSE(HasH()) << "the empty chart follows the narrow width";
    EXPECT_EQ(view.ElementFromPoint(10, 10), -2);
    EXPECT_EQ(view.RenderChart(), 0);
    EXPECT_EQ(view.SelectElement(0), 0);

    Click(view.m_hWnd, 10, 10);
    KeyDown(view.m_hWnd, VK_DOWN);
    EXPECT_EQ(::GetFocus(), view.m_hWnd) << "a click takes the focus even without elements";
    EXPECT_EQ(view.m_nSelected, -1) << "keys are swallowed without elements";
    EXPECT_TRUE(Posted().empty());
}

TEST_F(InteractionFixture, ClicksSelectAndNotifyTheParent) {
    Open(600, 7, false);  // 8 elements in 480 pixels
    Click(view.m_hWnd, 200, 30);
    EXPECT_EQ(view.m_nSelected, 0);
    EXPECT_EQ(Posted(), Indices{0}) << "START posts 0";
    EXPECT_EQ(::GetFocus(), view.m_hWnd);

    const int rowHeight = g_chartMetrics.rowHeight;
    Click(view.m_hWnd, 5, 3 * rowHeight + 2);
    EXPECT_EQ(view.m_nSelected, 3);
    EXPECT_EQ(Posted(), Indices{3});
    Click(view.m_hWnd, 300, 3 * rowHeight + 40);
    EXPECT_TRUE(Posted().empty()) << "the selected element again";
    Click(view.m_hWnd, 200, 8 * rowHeight + 10);
    EXPECT_EQ(view.m_nSelected, 3) << "below the last element";
    EXPECT_TRUE(Posted().empty());
    EXPECT_EQ(view.ElementFromPoint(0, 8 * rowHeight), -1);
    EXPECT_EQ(view.ElementFromPoint(0, 8 * rowHeight - 1), 7);
}

TEST_F(InteractionFixture, KeysMoveTheSelection) {
    Open(200, 9);  // 10 elements in a 200-pixel client
    KeyDown(view.m_hWnd, VK_F5);
    EXPECT_EQ(view.m_nSelected, 0) << "any key without a selection selects START";
    EXPECT_EQ(Posted(), Indices{0});
    KeyDown(view.m_hWnd, VK_UP);
    EXPECT_TRUE(Posted().empty()) << "Up on element 0";
    KeyDown(view.m_hWnd, VK_DOWN);
    KeyDown(view.m_hWnd, VK_TAB);
    EXPECT_EQ(Posted(), (Indices{1, 2}));
    KeyDown(view.m_hWnd, VK_NEXT);
    EXPECT_EQ(view.m_nSelected, 5) << "three rows per page";
    EXPECT_EQ(Y(), 6 * 60 - 200) << "scrolled down until it ends at the bottom edge";
    KeyDown(view.m_hWnd, VK_PRIOR);
    EXPECT_EQ(view.m_nSelected, 2);
    EXPECT_EQ(Y(), 2 * 60) << "scrolled up until it starts at the top edge";
    KeyDown(view.m_hWnd, VK_END);
    EXPECT_EQ(view.m_nSelected, 9);
    KeyDown(view.m_hWnd, VK_DOWN);
    KeyDown(view.m_hWnd, VK_NEXT);
    EXPECT_EQ(view.m_nSelected, 9) << "limited to the last element";
    KeyDown(view.m_hWnd, VK_HOME);
    EXPECT_EQ(Y(), 0);
    KeyDown(view.m_hWnd, VK_PRIOR);
    EXPECT_EQ(Posted(), (Indices{5, 2, 9, 0}));
}

TEST_F(InteractionFixture, SelectingFromOutsideScrollsButDoesNotNotify) {
    Open(200, 9);
    EXPECT_EQ(view.SelectElement(6), 1);
    EXPECT_EQ(Y(), 7 * 60 - 200) << "below: its band ends at the bottom edge";
    EXPECT_EQ(view.SelectElement(6), 0) << "already selected";
    EXPECT_EQ(view.SelectElement(1), 1);
    EXPECT_EQ(Y(), 60) << "above: its band starts at the top edge";
    EXPECT_EQ(view.SelectElement(2), 1);
    EXPECT_EQ(Y(), 60) << "fully visible: no scrolling";
    EXPECT_EQ(view.SelectElement(10), 0);
    EXPECT_EQ(view.SelectElement(-1), 0);
    EXPECT_EQ(view.m_nSelected, 2);
    EXPECT_TRUE(Posted().empty());
    EXPECT_FALSE(HasH()) << "the content fits the width beside the vertical bar";
}

TEST_F(InteractionFixture, ScrollBarsAndTheRightButtonTakeTheFocus) {
    Open(200, 9);
    ::SetFocus(host.m_hWnd);
    ScrollBarAction(view.m_hWnd, WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(::GetFocus(), view.m_hWnd);
    EXPECT_EQ(Y(), 60) << "one row a line";
    ::SetFocus(host.m_hWnd);
    ::SendMessageW(view.m_hWnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 20));
    EXPECT_EQ(::GetFocus(), view.m_hWnd);
    EXPECT_EQ(view.m_nSelected, -1) << "the right button selects nothing";
    Wheel(view.m_hWnd, -120);
    EXPECT_EQ(Y(), 60 + 60) << "a notch scrolls at most a page, a tenth of the content";
    EXPECT_TRUE(Posted().empty());
}

TEST_F(InteractionFixture, BarsMatchTheLayoutTheirOwnWidthBrings) {
    // Narrow and tall: the vertical bar narrows the view, which lays the
    // chart out anew while the bars are being set.
    ASSERT_TRUE(host.CreateHost(700, 700));
    ASSERT_TRUE(CreateChartView(view, host.m_hWnd, 300, 200));
    std::vector<ProgramRow> rows = CleanRows(std::vector<ProgramRow>(20, Row(L"OUT1", {L"1"})));
    view.SetProgram(rows.data(), 20);
    PumpMessages();
    ASSERT_TRUE(HasH()) << "296 pixels of chart beside the bar";
    const SCROLLINFO h = Info(SB_HORZ);
    const SCROLLINFO v = Info(SB_VERT);
    EXPECT_EQ(h.nMax + 1, view.m_contentWidth);
    EXPECT_EQ(static_cast<int>(h.nPage), view.GetClientRect().right);
    EXPECT_EQ(v.nMax + 1, view.m_contentHeight);
    EXPECT_EQ(static_cast<int>(v.nPage), view.GetClientRect().bottom);
}
