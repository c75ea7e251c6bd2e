// The strip redraws only the bands whose elements changed, and holds at most
// 16 MB. Whatever it redraws must equal a chart drawn from scratch.
#include "model/checker.h"
#include "tests/chart/chart_test_support.h"
#include <gtest/gtest.h>
#include <functional>
#include <memory>

using namespace testing_support;

namespace {

std::unique_ptr<PixelCanvas> StripOf(ChartProbe& view) {
    auto canvas = std::make_unique<PixelCanvas>(view.m_stripWidth, view.m_stripHeight);
    view.CopyStrip(*canvas);
    return canvas;
}

void Show(ChartProbe& view, std::vector<ProgramRow> rows) {
    ProgramRow none{};
    ProgramRow* data = rows.empty() ? &none : rows.data();
    CheckProgram(data, static_cast<int>(rows.size()));
    view.SetProgram(data, static_cast<int>(rows.size()));
}

class StripProbe : public ChartProbe {
public:
    size_t StripBytes() const {
        BITMAP bitmap{};
        ::GetObjectW(m_stripBitmap, sizeof bitmap, &bitmap);
        return static_cast<size_t>(bitmap.bmWidthBytes) * static_cast<size_t>(bitmap.bmHeight);
    }
};

constexpr size_t kSixteenMegabytes = 16'000'000;

}  // namespace

// Each change goes from the worked example to another program in one view;
// a second view draws the new program from scratch.
TEST(ChartBands, ChangedBandsEqualAChartDrawnFromScratch) {
    const struct {
        const char* what;
        std::function<void(std::vector<ProgramRow>&)> change;
        int select;
        int selectBefore = -1;
    } changes[] = {
        {"a time", [](auto& rows) { SetRowText(rows[2].params[0], L"1"); }, -1},
        {"a jump target across bands", [](auto& rows) { SetRowText(rows[3].params[0], L"2"); }, -1},
        {"an IF's ELSE: line 5 unreachable", [](auto& rows) { SetRowText(rows[1].params[6], L"3"); }, -1},
        {"the loop's end removed", [](auto& rows) { rows.erase(rows.begin() + 5); }, -1},
        {"rows added", [](auto& rows) { rows.insert(rows.begin() + 2, 3, Row(L"OUT3", {L"2"})); }, -1},
        {"down to one row", [](auto& rows) { rows.resize(1); }, -1},
        {"everything gone", [](auto& rows) { rows.clear(); }, -1},
        {"the selection", [](auto&) {}, 4},
        {"the selection moved up", [](auto&) {}, 2, 5},
        {"the selection moved with an edit", [](auto& rows) { SetRowText(rows[2].params[0], L"1"); }, 6, 3},
    };
    // Tall enough for every program without a scroll bar: both views keep the
    // same width, and so the metrics they share.
    RecordingParent host;
    ASSERT_TRUE(host.CreateHost(1000, 700));
    for (const auto& c : changes) {
        ChartProbe changed;
        ASSERT_TRUE(CreateChartView(changed, host.m_hWnd, 430, 1000));
        std::vector<ProgramRow> rows = ExampleProgram();
        Show(changed, rows);
        changed.SelectElement(c.selectBefore);
        StripOf(changed);  // every band drawn once
        c.change(rows);
        changed.SelectElement(c.select);
        Show(changed, rows);

        ChartProbe fresh;
        ASSERT_TRUE(CreateChartView(fresh, host.m_hWnd, 430, 1000));
        Show(fresh, rows);
        fresh.SelectElement(c.select);
        const auto a = StripOf(changed);
        const auto b = StripOf(fresh);
        EXPECT_EQ(a->DifferingPixels(*b, {0, 0, a->width(), a->height()}), 0) << c.what;
    }
}

TEST(ChartBands, TheStripHoldsAtMostSixteenMegabytes) {
    RecordingParent host;
    ASSERT_TRUE(host.CreateHost(400, 300));
    for (const SIZE size : {SIZE{430, 600}, SIZE{990, 700}, SIZE{1700, 1000}, SIZE{2560, 1600}}) {
        StripProbe view;
        ASSERT_TRUE(CreateChartView(view, host.m_hWnd, size.cx, size.cy));
        EXPECT_LE(view.StripBytes(), kSixteenMegabytes) << size.cx << " x " << size.cy;
        EXPECT_GT(view.StripBytes(), 0u);
    }
}

// At the largest scale the strip holds fewer bands than a full chart has:
// bands pushed out and drawn again later come back the same.
TEST(ChartBands, BandsDrawnAgainAfterLeavingTheStripComeBackTheSame) {
    RecordingParent host;
    ASSERT_TRUE(host.CreateHost(400, 300));
    StripProbe view;
    ASSERT_TRUE(CreateChartView(view, host.m_hWnd, 1000, 700));
    ASSERT_EQ(g_chartMetrics.rowHeight, 144);
    std::vector<ProgramRow> rows;
    for (int i = 0; i < 50; ++i)
        rows.push_back(i % 3 ? Row(L"OUT1", {L"1"}) : Row(L"GOTO", {std::to_wstring(50 - i).c_str()}));
    Show(view, rows);
    const auto first = StripOf(view);
    ASSERT_LT(view.StripBytes(), static_cast<size_t>(view.m_stripWidth) * view.m_stripHeight * 4)
        << "fewer bands than the chart";
    // Backwards, so that every band is drawn into a slot another band used.
    PixelCanvas again(view.m_stripWidth, view.m_stripHeight);
    for (int n = CHART_MAX_ELEMENTS - 1; n >= 0; --n)
        view.CopyRowBand(again.dc(), n);
    EXPECT_EQ(first->DifferingPixels(again, {0, 0, again.width(), again.height()}), 0);
    EXPECT_GT(first->Count(RGB(100, 0, 50), 0, 0, first->width(), first->height()), 0) << "connectors drawn";
}
