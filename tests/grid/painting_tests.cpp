// Row drawing, check boxes, grid lines and the row measure, read back as pixels.
#include "framework/gdi.h"
#include "grid/check_box.h"
#include "grid/grid_columns.h"
#include "tests/grid/grid_host.h"
#include <gtest/gtest.h>

using namespace grid_testing;
using namespace testing_support;

namespace {

constexpr COLORREF WHITE = RGB(255, 255, 255);
constexpr COLORREF RED = RGB(255, 0, 0);
constexpr COLORREF CMD_BACK = RGB(160, 255, 255);

// A grid of three rows set up as the main window sets it up, with a font
// drawn without smoothing so that text shows in its exact colour.
struct PaintGrid : GridHost {
    PaintGrid() : GridHost(3) {
        font.Reset(
            ::CreateFontW(-13, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0, L"Arial"));
        grid.SetFont(font);
        grid.SetBkColor(WHITE);
        grid.m_bHighlightFirstColumn = TRUE;
        grid.m_bCellBackgrounds = TRUE;
        for (int row = 0; row < 3; ++row) {
            grid.ResetCells(row, 0, -1);
            grid.SetCellBkColor(row, 0, RGB(160, 210, 255));
            grid.SetCellBkColor(row, 1, CMD_BACK);
            grid.SetItemText(row, 1, L"WWW");
        }
        grid.SetCellTextColor(1, 1, RED);
        ::SetFocus(parent.m_hWnd);
    }
    ~PaintGrid() { grid.DestroyWindow(); }

    // Draws one row the way the list asks for it, into `canvas`.
    void Render(PixelCanvas& canvas, int row) {
        CSelect select(canvas.dc(), font);
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_LISTVIEW;
        dis.CtlID = GRID_ID;
        dis.itemID = static_cast<UINT>(row);
        dis.itemAction = ODA_DRAWENTIRE;
        dis.hwndItem = grid.m_hWnd;
        dis.hDC = canvas.dc();
        grid.GetItemRect(row, dis.rcItem, LVIR_BOUNDS);
        grid.DrawItem(&dis);
    }
    RECT Bounds(int row, int column) const {
        RECT rect{};
        grid.GetSubItemRect(row, column, LVIR_BOUNDS, rect);
        if (column == 0)
            rect.right = rect.left + grid.GetColumnWidth(0);
        return rect;
    }
    int CountIn(const PixelCanvas& canvas, COLORREF colour, const RECT& r) const {
        return canvas.Count(colour, r.left, r.top, r.right, r.bottom);
    }
    int Width() const { return grid.GetClientRect().right; }
    int Height() const { return grid.GetClientRect().bottom; }

    CFont font;
};

int HeaderBottom(const CEditListCtrlEx& grid) {
    RECT rect{};
    ::GetClientRect(grid.GetHeaderCtrl(), &rect);
    return rect.bottom;
}

int RowHeight(const CEditListCtrlEx& grid) {
    RECT rect{};
    grid.GetItemRect(0, rect, LVIR_BOUNDS);
    return rect.bottom - rect.top;
}

}  // namespace

TEST(GridDrawing, SelectedRowIsHighlightedInTheNumberCellOnly) {
    PaintGrid host;
    host.grid.SelectRow(1);
    PixelCanvas canvas(host.Width(), host.Height());
    ::SetTextColor(canvas.dc(), RGB(1, 2, 3));
    host.Render(canvas, 1);

    const RECT number = host.Bounds(1, 0);
    const RECT command = host.Bounds(1, 1);
    EXPECT_EQ(canvas.At(number.left + 2, number.top + 2), GRID_HIGHLIGHT_UNFOCUSED);
    EXPECT_EQ(canvas.At(command.right - 2, command.top + 2), CMD_BACK) << "other cells keep their own background";
    EXPECT_GT(host.CountIn(canvas, RED, command), 0) << "and their own text colour";
    EXPECT_GT(host.CountIn(canvas, WHITE, number), 0) << "white digits";
    RECT cells = number;
    cells.left = command.left;
    cells.right = host.Bounds(1, 8).right;
    EXPECT_EQ(host.CountIn(canvas, GRID_HIGHLIGHT_UNFOCUSED, cells), 0);
    EXPECT_EQ(::GetTextColor(canvas.dc()), RGB(1, 2, 3)) << "the DC's text colour is restored";

    ::SetFocus(host.grid.m_hWnd);
    host.Render(canvas, 1);
    EXPECT_EQ(canvas.At(number.left + 2, number.top + 2), GRID_HIGHLIGHT_FOCUSED);

    PixelCanvas plain(host.Width(), host.Height());
    host.Render(plain, 2);
    EXPECT_EQ(plain.At(number.left + 2, host.Bounds(2, 0).top + 2), RGB(160, 210, 255)) << "an unselected row";
}

TEST(GridDrawing, HighlightAcrossTheRowWithoutFirstColumnMode) {
    PaintGrid host;
    host.grid.m_bHighlightFirstColumn = FALSE;
    host.grid.SelectRow(1);
    PixelCanvas canvas(host.Width(), host.Height());
    host.Render(canvas, 1);
    const RECT command = host.Bounds(1, 1);
    EXPECT_EQ(canvas.At(command.right - 2, command.top + 2), GRID_HIGHLIGHT_UNFOCUSED);
    EXPECT_EQ(host.CountIn(canvas, RED, command), 0) << "white text in every column";
    EXPECT_GT(host.CountIn(canvas, WHITE, command), 0);
}

TEST(GridDrawing, StoredSelectionDecidesTheHighlight) {
    PaintGrid host;
    host.grid.SelectRow(1);
    host.grid.m_bStoredSelection = TRUE;
    host.grid.m_nSelectedRow = 2;
    PixelCanvas canvas(host.Width(), host.Height());
    host.Render(canvas, 1);
    host.Render(canvas, 2);
    EXPECT_EQ(canvas.At(4, host.Bounds(1, 0).top + 2), RGB(160, 210, 255));
    EXPECT_EQ(canvas.At(4, host.Bounds(2, 0).top + 2), GRID_HIGHLIGHT_UNFOCUSED);
}

TEST(GridDrawing, BackgroundsOnlyWhenAskedTextAlignedInItsCell) {
    PaintGrid host;
    host.grid.m_bCellBackgrounds = FALSE;
    host.grid.SetItemText(0, 4, L"W");
    host.grid.SetCellTextColor(0, 4, RED);
    const RECT cell = host.Bounds(0, 4);  // 70 pixels wide
    const int middle = (cell.left + 5 + cell.right - 1) / 2;
    const auto halves = [&](BYTE alignment) {
        host.grid.Cell(0, 4)->alignment = alignment;
        PixelCanvas canvas(host.Width(), host.Height());
        host.Render(canvas, 0);
        EXPECT_EQ(canvas.At(host.Bounds(0, 1).right - 2, cell.top + 2), WHITE) << "no cell background painted";
        return std::pair{canvas.Count(RED, cell.left, cell.top, middle, cell.bottom),
                         canvas.Count(RED, middle, cell.top, cell.right, cell.bottom)};
    };
    const auto left = halves(ALIGN_LEFT);
    EXPECT_GT(left.first, 0);
    EXPECT_EQ(left.second, 0);
    const auto right = halves(ALIGN_RIGHT);
    EXPECT_EQ(right.first, 0);
    EXPECT_GT(right.second, 0);
    const auto centre = halves(7);
    EXPECT_GT(centre.first, 0);
    EXPECT_GT(centre.second, 0);
}

TEST(GridDrawing, NumberCellTextStaysInsideItsColumn) {
    PaintGrid host;
    host.grid.m_bCellBackgrounds = FALSE;
    *host.grid.Cell(0, 0) = ConstructedCell();  // centred
    host.grid.SetCellTextColor(0, 0, RED);
    host.grid.SetItemText(0, 0, L"88");
    PixelCanvas canvas(host.Width(), host.Height());
    host.Render(canvas, 0);
    const RECT number = host.Bounds(0, 0);
    EXPECT_GT(host.CountIn(canvas, RED, number), 0);
    EXPECT_EQ(canvas.Count(RED, number.right, number.top, host.Width(), number.bottom), 0);
}

TEST(GridDrawing, CheckCellsDrawTheirSquareAndTick) {
    PaintGrid host;
    host.grid.SetCellEditor(0, 4, CELL_CHECK);
    host.grid.SetCellEditor(1, 4, CELL_CHECK);
    host.grid.SetItemText(0, 4, L" 1");
    host.grid.SetItemText(1, 4, L"0");
    PixelCanvas canvas(host.Width(), host.Height());
    host.Render(canvas, 0);
    host.Render(canvas, 1);
    for (int row : {0, 1}) {
        RECT text = host.Bounds(row, 4);
        text.left += 5;
        text.right -= 1;
        RECT square{};
        ASSERT_TRUE(CheckBoxSquare(text, square));
        EXPECT_EQ(canvas.At(square.left, (square.top + square.bottom) / 2), CHECK_BOX_FRAME) << row;
        EXPECT_EQ(canvas.At(square.right - 1, square.top), CHECK_BOX_FRAME) << row;
        const int ticks = host.CountIn(canvas, CHECK_BOX_TICK, square);
        EXPECT_EQ(ticks > 0, row == 0) << row;
    }
}

TEST(GridLines, VerticalFromTheColumnsHorizontalForTheRowsThatFit) {
    PaintGrid host;
    host.grid.m_crGridLine = RGB(128, 128, 128);
    const int extra = 200;  // beyond the client area, where nothing may be drawn
    PixelCanvas canvas(host.Width() + extra, host.Height() + extra);
    host.grid.DrawGridLines(canvas.dc());
    const COLORREF line = RGB(128, 128, 128);
    const int y0 = HeaderBottom(host.grid);
    const int h = RowHeight(host.grid);
    int x = 0;
    for (int i = 0; i < GRID_COLUMN_COUNT; ++i) {
        x += host.grid.GetColumnWidth(i);
        EXPECT_EQ(canvas.At(x, y0 + 1), line) << i;
        EXPECT_EQ(canvas.At(x, host.Height() - 1), line) << i;
        EXPECT_EQ(canvas.At(x - 1, y0 + 1), WHITE) << i;
        EXPECT_EQ(canvas.At(x, y0 - 1), WHITE) << "not over the header";
    }
    const int fit = (host.Height() - y0) / h;
    ASSERT_GT(fit, 3) << "more lines than rows";
    for (int k = 1; k <= fit; ++k)
        EXPECT_EQ(canvas.At(5, y0 + k * h - 1), line) << k;
    EXPECT_EQ(canvas.Count(line, 5, 0, 6, canvas.height()), fit) << "one pixel each, no other";
    EXPECT_EQ(canvas.Count(line, host.Width(), 0, canvas.width(), canvas.height()), 0);
}

TEST(GridLines, FollowTheHorizontalScrollAndStopAtTheClientEdge) {
    PaintGrid host;
    host.grid.SetColumnWidth(8, 400);
    host.grid.SendMessage(LVM_SCROLL, 30, 0);
    const int scroll = ::GetScrollPos(host.grid.m_hWnd, SB_HORZ);
    ASSERT_GT(scroll, 0);
    PixelCanvas canvas(host.Width() + 400, host.Height());
    host.grid.DrawGridLines(canvas.dc());
    const int y = HeaderBottom(host.grid) + 1;
    EXPECT_EQ(canvas.At(48 - scroll, y), host.grid.m_crGridLine);
    EXPECT_EQ(canvas.At(48, y), WHITE);
    EXPECT_EQ(canvas.Count(host.grid.m_crGridLine, host.Width(), y, canvas.width(), y + 1), 0);
}

TEST(GridLines, AGridWithoutRowsDrawsVerticalLinesOnly) {
    PaintGrid host;
    host.grid.DeleteAllItems();
    PixelCanvas canvas(host.Width(), host.Height());
    host.grid.DrawGridLines(canvas.dc());
    EXPECT_EQ(canvas.At(48, host.Height() - 2), host.grid.m_crGridLine);
    EXPECT_EQ(canvas.Count(host.grid.m_crGridLine, 5, 0, 6, host.Height()), 0);
}

TEST(GridLines, PaintedOverTheListOnScreen) {
    PaintGrid host;
    host.grid.m_crGridLine = RGB(0, 128, 0);
    ::RedrawWindow(host.grid.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    PumpMessages();
    PixelCanvas canvas(host.Width(), host.Height());
    {
        CClientDC dc(host.grid.m_hWnd);
        ::BitBlt(canvas.dc(), 0, 0, host.Width(), host.Height(), dc, 0, 0, SRCCOPY);
    }
    const int y0 = HeaderBottom(host.grid);
    EXPECT_EQ(canvas.At(48, host.Height() - 2), RGB(0, 128, 0));
    EXPECT_EQ(canvas.At(5, y0 + RowHeight(host.grid) - 1), RGB(0, 128, 0));
    EXPECT_EQ(canvas.At(host.Bounds(1, 1).right - 3, host.Bounds(1, 1).top + 3), CMD_BACK)
        << "rows painted by the grid";
}

TEST(GridRowHeight, TakesEffectWhenTheListMeasuresAgain) {
    GridHost host(3);
    const int platform = RowHeight(host.grid);
    host.grid.RemeasureRows();
    EXPECT_EQ(RowHeight(host.grid), platform) << "0 keeps the platform's height";
    const int wanted = platform == 24 ? 30 : 24;
    host.grid.m_nRowHeight = wanted;
    EXPECT_EQ(RowHeight(host.grid), platform) << "nothing before the list measures again";
    host.grid.RemeasureRows();
    EXPECT_EQ(RowHeight(host.grid), wanted);
    RECT window = host.grid.GetWindowRect();
    EXPECT_EQ(window.right - window.left, 520) << "the notification changes no size";
}
