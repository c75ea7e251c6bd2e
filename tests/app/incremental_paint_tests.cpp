// Edits repaint only what they change: a cell's text, a row's error colour,
// a flowchart band. What the screen shows after such a partial repaint must
// equal, pixel for pixel, a full redraw of everything drawn from scratch.
#include "chart/chart_metrics.h"
#include "res/resource.h"
#include "tests/app/main_window_test_support.h"
#include <functional>
#include <memory>

using namespace mw_test;
using testing_support::PixelCanvas;

namespace {

// Columns of the grid: 2 is P1, 8 is P7 (an IF's ELSE line).
constexpr int kP1 = 2;
constexpr int kP7 = 8;

std::unique_ptr<PixelCanvas> NewCanvas(HWND hwnd) {
    RECT rc{};
    ::GetWindowRect(hwnd, &rc);
    return std::make_unique<PixelCanvas>(rc.right - rc.left, rc.bottom - rc.top);
}

// The window as the screen shows it now: the partial repaint is done, nothing
// is invalidated for the copy.
std::unique_ptr<PixelCanvas> ScreenAsItIs(HWND hwnd) {
    ::RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    auto canvas = NewCanvas(hwnd);
    HDC windowDc = ::GetWindowDC(hwnd);
    ::BitBlt(canvas->dc(), 0, 0, canvas->width(), canvas->height(), windowDc, 0, 0, SRCCOPY);
    ::ReleaseDC(hwnd, windowDc);
    return canvas;
}

// Everything drawn anew: a resize across the flowchart's and the grid's size
// steps and back makes new fonts and a new strip, then the window is redrawn whole.
std::unique_ptr<PixelCanvas> FullRedraw(MainWindowHarness& w) {
    const RECT client = w.GetClientRect();
    SetClientSize(w, client.right + 500, client.bottom + 100);
    SetClientSize(w, client.right, client.bottom);
    auto canvas = NewCanvas(w);
    testing_support::CaptureWindow(w, *canvas);
    return canvas;
}

int DifferingPixels(const PixelCanvas& a, const PixelCanvas& b, const RECT& area) { return a.DifferingPixels(b, area); }

RECT WholeOf(const PixelCanvas& c) { return {0, 0, c.width(), c.height()}; }

// A child's rectangle inside the canvas of the whole main window.
RECT InWindow(MainWindowHarness& w, HWND child) {
    RECT rc{};
    ::GetWindowRect(child, &rc);
    const RECT outer = w.GetWindowRect();
    ::OffsetRect(&rc, -outer.left, -outer.top);
    return rc;
}

// Runs `edit` on the worked example and checks that the partial repaint it
// causes equals a full redraw, and that grid and flowchart did change.
void CheckEditRepaint(const std::function<void(MainWindowHarness&)>& edit, int gridRow, int chartBand) {
    MainWindowHarness window;
    window.Run([&](MainWindowHarness& w) {
        ShowExample(w);
        const auto before = FullRedraw(w);
        edit(w);
        const auto partial = ScreenAsItIs(w);
        const auto full = FullRedraw(w);
        EXPECT_EQ(DifferingPixels(*partial, *full, WholeOf(*full)), 0) << "the partial repaint drifted";

        RECT row{};
        ASSERT_TRUE(w.Grid().GetItemRect(gridRow, row, LVIR_BOUNDS));
        const RECT grid = InWindow(w, w.Grid());
        ::OffsetRect(&row, grid.left + 2, grid.top + 2);  // the client edge
        EXPECT_GT(DifferingPixels(*before, *full, row), 0) << "grid row " << gridRow << " shows the change";
        const RECT chart = InWindow(w, w.Chart());
        const int rowHeight = g_chartMetrics.rowHeight;
        const RECT band{chart.left + 1, chart.top + 1 + chartBand * rowHeight, chart.right - 1,
                        chart.top + 1 + (chartBand + 1) * rowHeight};
        EXPECT_GT(DifferingPixels(*before, *full, band), 0) << "flowchart band " << chartBand << " shows the change";
    });
}

}  // namespace

// OUT1 0.5 becomes OUT1 1: one cell's text and one flowchart band.
TEST_F(MainWindowTest, AChangedCellRepaintsLikeAFullRedraw) {
    CheckEditRepaint([](MainWindowHarness& w) { Choose(w, 2, kP1, L"1"); }, 2, 3);
}

// ELSE 5 becomes ELSE 3: line 5 can no longer be reached, so its command
// turns red in the grid and in the flowchart, whose IF connector moves too.
TEST_F(MainWindowTest, AChangedErrorColourRepaintsLikeAFullRedraw) {
    CheckEditRepaint([](MainWindowHarness& w) { Choose(w, 1, kP7, L"3"); }, 4, 5);
}

// An undo shows the rows again in place, repainting only cells that differ:
// the screen must equal a full redraw.
TEST_F(MainWindowTest, AnUndoRepaintsLikeAFullRedraw) {
    MainWindowHarness window;
    window.Run([&](MainWindowHarness& w) {
        ShowExample(w);
        w.StartHistory();
        Choose(w, 1, kP7, L"3");  // line 5 turns red, the IF's connector moves
        Choose(w, 2, kP1, L"1");
        const auto edited = ScreenAsItIs(w);
        w.SendMessage(WM_COMMAND, ID_EDIT_UNDO);
        EXPECT_EQ(w.Grid().GetItemText(2, kP1), L"0.5") << "the undo took place";
        const auto partial = ScreenAsItIs(w);
        const auto full = FullRedraw(w);
        EXPECT_EQ(DifferingPixels(*partial, *full, WholeOf(*full)), 0) << "the partial repaint drifted";
        RECT cell{};
        ASSERT_TRUE(w.Grid().GetSubItemRect(2, kP1, LVIR_BOUNDS, cell));
        const RECT grid = InWindow(w, w.Grid().m_hWnd);
        ::OffsetRect(&cell, grid.left + 2, grid.top + 2);  // the client edge
        EXPECT_GT(DifferingPixels(*edited, *full, cell), 0) << "the undone cell shows its old text";

        // Undoing the first edit turns line 5 black again and moves the connector back.
        w.SendMessage(WM_COMMAND, ID_EDIT_UNDO);
        const auto partialAgain = ScreenAsItIs(w);
        const auto fullAgain = FullRedraw(w);
        EXPECT_EQ(DifferingPixels(*partialAgain, *fullAgain, WholeOf(*fullAgain)), 0) << "the second undo drifted";
        EXPECT_GT(DifferingPixels(*full, *fullAgain, WholeOf(*fullAgain)), 0);
    });
}

// A new selection (each row of a run is one) reaches the flowchart's screen
// at once, leaving nothing for a paint pass, and looks as a full redraw does.
TEST_F(MainWindowTest, ASelectionStepDrawsTheFlowchartAtOnceLikeAFullRedraw) {
    MainWindowHarness window;
    window.Run([&](MainWindowHarness& w) {
        ShowExample(w);
        const auto before = FullRedraw(w);
        const RECT chart = InWindow(w, w.Chart());
        for (const int row : {3, 1, 5}) {
            w.Grid().SelectRow(row);
            EXPECT_EQ(w.Chart().m_nSelected, row + 1);
            EXPECT_FALSE(::GetUpdateRect(w.Chart(), nullptr, FALSE)) << "row " << row << ": nothing left to paint";
            auto shown = NewCanvas(w);
            HDC windowDc = ::GetWindowDC(w);
            ::BitBlt(shown->dc(), 0, 0, shown->width(), shown->height(), windowDc, 0, 0, SRCCOPY);
            ::ReleaseDC(w, windowDc);
            const auto full = FullRedraw(w);
            EXPECT_EQ(DifferingPixels(*shown, *full, chart), 0) << "row " << row;
            EXPECT_GT(DifferingPixels(*before, *full, chart), 0) << "row " << row << ": the selection shows";
        }
    });
}

// A resize places the children with the window not drawing, then draws
// everything once: the window is shown again and looks as if drawn whole.
TEST_F(MainWindowTest, AResizeShowsTheWindowAsAFullRedrawDoes) {
    MainWindowHarness window;
    window.Run([&](MainWindowHarness& w) {
        ShowExample(w);
        const RECT client = w.GetClientRect();
        const struct {
            const char* what;
            int dx, dy;
        } sizes[] = {{"within one font size", 60, 40}, {"across a font step", 700, 200}, {"back", 0, 0}};
        for (const auto& size : sizes) {
            SetClientSize(w, client.right + size.dx, client.bottom + size.dy);
            EXPECT_TRUE(::IsWindowVisible(w)) << size.what;
            EXPECT_TRUE(::IsWindowVisible(w.Grid())) << size.what;
            const auto shown = ScreenAsItIs(w);
            auto whole = NewCanvas(w);
            testing_support::CaptureWindow(w, *whole);
            EXPECT_EQ(DifferingPixels(*shown, *whole, WholeOf(*whole)), 0) << size.what;
        }
    });
}
