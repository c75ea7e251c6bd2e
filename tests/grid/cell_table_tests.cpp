// The cell table, the value lists, the columns and the stored selection.
#include "grid/grid_columns.h"
#include "tests/grid/grid_host.h"
#include <gtest/gtest.h>

using namespace grid_testing;
using namespace testing_support;

namespace {

bool SameCell(const CellAttr& a, const CellAttr& b) {
    return a.editable == b.editable && a.editor == b.editor && a.alignment == b.alignment && a.list == b.list &&
           a.textColour == b.textColour && a.backColour == b.backColour;
}

// Marks every cell of a row so that a reset is visible.
void Mark(CEditListCtrlEx& grid, int row) {
    for (int column = 0; column < GRID_TABLE_COLUMNS; ++column) {
        grid.SetCellEditable(row, column);
        grid.SetCellEditor(row, column, CELL_COMBO);
        grid.SetCellList(row, column, 5);
        grid.SetCellTextColor(row, column, RGB(1, 2, 3));
        grid.SetCellBkColor(row, column, RGB(4, 5, 6));
    }
}

std::vector<int> ResetColumns(const CEditListCtrlEx& grid, int row, COLORREF background) {
    std::vector<int> columns;
    for (int column = 0; column < GRID_TABLE_COLUMNS; ++column) {
        if (SameCell(*grid.Cell(row, column), ResetCell(background)))
            columns.push_back(column);
    }
    return columns;
}

std::vector<int> Range(int first, int last) {
    std::vector<int> values;
    for (int i = first; i <= last; ++i)
        values.push_back(i);
    return values;
}

}  // namespace

TEST(GridCells, ConstructedCellsAreCentredBlackOnWhite) {
    CEditListCtrlEx grid;
    for (int row : {0, 255}) {
        for (int column : {0, 31})
            EXPECT_TRUE(SameCell(*grid.Cell(row, column),
                                 CellAttr{0, CELL_NONE, ALIGN_CENTER, 0, RGB(0, 0, 0), RGB(255, 255, 255)}));
    }
    EXPECT_EQ(grid.Cell(256, 0), nullptr);
    EXPECT_EQ(grid.Cell(-1, 0), nullptr);
    EXPECT_EQ(grid.Cell(0, 32), nullptr);
    EXPECT_EQ(grid.Cell(0, -1), nullptr);
}

TEST(GridCells, SettersChangeOneCellAndIgnoreCellsOutsideTheTable) {
    CEditListCtrlEx grid;
    grid.SetCellEditable(3, 4);
    grid.SetCellEditor(3, 4, CELL_CHECK);
    grid.SetCellList(3, 4, 7);
    grid.SetCellLeftAligned(3, 4);
    grid.SetCellTextColor(3, 4, RGB(255, 0, 0));
    grid.SetCellBkColor(3, 4, RGB(0, 0, 255));
    EXPECT_TRUE(SameCell(*grid.Cell(3, 4), CellAttr{1, CELL_CHECK, ALIGN_LEFT, 7, RGB(255, 0, 0), RGB(0, 0, 255)}));
    EXPECT_TRUE(SameCell(*grid.Cell(3, 5), ConstructedCell()));
    EXPECT_TRUE(SameCell(*grid.Cell(4, 4), ConstructedCell()));
    // Outside the table: nothing changes and nothing else is touched.
    for (int row : {-1, 256}) {
        grid.SetCellEditable(row, 0);
        grid.SetCellList(row, 0, 1);
        grid.ResetCells(row, 0, -1);
    }
    grid.SetCellEditable(0, 32);
    grid.SetCellEditor(255, -1, CELL_EDIT);
    EXPECT_TRUE(SameCell(*grid.Cell(0, 0), ConstructedCell()));
    EXPECT_TRUE(SameCell(*grid.Cell(255, 31), ConstructedCell()));
    EXPECT_TRUE(SameCell(*grid.Cell(1, 0), ConstructedCell()));
}

TEST(GridCells, ResetCellsArgumentRules) {
    GridHost host(1);
    host.grid.SetBkColor(RGB(200, 210, 220));
    const COLORREF background = RGB(200, 210, 220);
    Mark(host.grid, 2);
    host.grid.ResetCells(2, 30, 5);
    EXPECT_EQ(ResetColumns(host.grid, 2, background), (std::vector<int>{30, 31})) << "never beyond column 31";

    Mark(host.grid, 2);
    host.grid.ResetCells(2, 6, -1);
    EXPECT_EQ(ResetColumns(host.grid, 2, background), Range(6, 31)) << "a negative count means to the end";

    Mark(host.grid, 2);
    host.grid.ResetCells(2, -4, 3);
    EXPECT_EQ(ResetColumns(host.grid, 2, background), Range(0, 2)) << "a negative first column counts as 0";

    Mark(host.grid, 2);
    host.grid.ResetCells(2, 32, -1);
    host.grid.ResetCells(2, 3, 0);
    EXPECT_TRUE(ResetColumns(host.grid, 2, background).empty());

    host.grid.SetBkColor(RGB(1, 1, 1));
    host.grid.ResetCells(2, 0, -1);
    EXPECT_EQ(ResetColumns(host.grid, 2, RGB(1, 1, 1)), Range(0, 31)) << "the background at the time of the reset";
    EXPECT_EQ(host.grid.Cell(2, 0)->alignment, ALIGN_LEFT) << "reset cells are left-aligned";
}

TEST(GridCells, WholeRowsCopyAndTheTableOutlivesTheListRows) {
    GridHost host(3);
    Mark(host.grid, 1);
    host.grid.SetCellTextColor(1, 8, RGB(9, 9, 9));
    EXPECT_TRUE(host.grid.CopyCellRow(1, 2));
    for (int column = 0; column < GRID_TABLE_COLUMNS; ++column)
        EXPECT_TRUE(SameCell(*host.grid.Cell(2, column), *host.grid.Cell(1, column))) << column;
    EXPECT_FALSE(host.grid.CopyCellRow(1, 256));
    EXPECT_FALSE(host.grid.CopyCellRow(-1, 0));
    EXPECT_TRUE(SameCell(*host.grid.Cell(0, 0), ConstructedCell()));

    host.grid.DeleteItem(0);
    host.grid.SetUpColumns();
    EXPECT_EQ(host.grid.GetItemCount(), 0);
    EXPECT_EQ(host.grid.Cell(1, 8)->textColour, RGB(9, 9, 9)) << "attributes stay with their positions";
}

TEST(GridColumns, SetUpReplacesAllRowsAndColumnsWithTheNineColumns) {
    GridHost host(3);
    host.grid.InsertColumn(9, L"extra", LVCFMT_RIGHT, 10);
    host.grid.SetUpColumns();
    EXPECT_EQ(host.grid.GetItemCount(), 0);
    ASSERT_EQ(host.grid.GetColumnCount(), GRID_COLUMN_COUNT);
    const wchar_t* headers[] = {L"No.", L"CMD", L"P1", L"P2", L"P3", L"P4", L"P5", L"P6", L"P7"};
    const int widths[] = {48, 55, 50, 40, 70, 45, 40, 45, 40};
    for (int i = 0; i < GRID_COLUMN_COUNT; ++i) {
        wchar_t text[16] = {};
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_FMT;
        column.pszText = text;
        column.cchTextMax = 16;
        ASSERT_TRUE(host.grid.SendMessage(LVM_GETCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column)));
        EXPECT_STREQ(text, headers[i]);
        EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);
        EXPECT_EQ(host.grid.GetColumnWidth(i), widths[i]);
    }
    EXPECT_TRUE(host.grid.GetStyle() & LVS_OWNERDRAWFIXED) << "added by the grid when it was attached";
}

TEST(GridValueLists, CopiesSkipsNullsAndStopsAtSixteen) {
    GridHost host(2);
    wchar_t first[] = L"first";
    const wchar_t* texts[] = {first, nullptr, L"second"};
    EXPECT_EQ(host.grid.AddValueList(3, texts), 0);
    first[0] = L'X';  // the grid holds its own copy
    EXPECT_EQ(host.grid.AddValueList(0, nullptr), 1) << "a null array registers an empty list";
    for (int i = 2; i < MAX_VALUE_LISTS; ++i)
        EXPECT_EQ(host.grid.AddValueList(1, texts), i);
    EXPECT_EQ(host.grid.AddValueList(3, texts), -1);
    EXPECT_EQ(host.grid.GetValueListCount(), MAX_VALUE_LISTS);

    host.MakeCombo(0, 1, 1);
    host.Click(0, 1);
    EXPECT_EQ(host.ComboEntries(), (std::vector<std::wstring>{L"first", L"second"}));
    host.Click(1, 0);

    host.grid.ClearValueLists();
    EXPECT_EQ(host.grid.GetValueListCount(), 0);
    host.Click(0, 1);
    EXPECT_EQ(host.Combo(), nullptr) << "list 1 is gone";
    const wchar_t* other[] = {L"other"};
    EXPECT_EQ(host.grid.AddValueList(1, other), 0) << "numbering starts again";
    host.Click(0, 1);
    EXPECT_EQ(host.ComboEntries(), (std::vector<std::wstring>{L"other"}));
}

TEST(GridSelection, SelectRowKeepsOneOrNoRowSelected) {
    GridHost host(4);
    EXPECT_EQ(host.grid.GetSelectedRow(), -1);
    host.grid.SelectRow(2);
    EXPECT_EQ(host.grid.GetSelectedRow(), 2);
    EXPECT_EQ(host.grid.m_nSelectedRow, 2);
    host.grid.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);  // a second selection made elsewhere
    host.grid.SelectRow(2);
    EXPECT_EQ(host.grid.GetSelectedRow(), 2) << "every other row is cleared";
    EXPECT_EQ(host.grid.GetItemState(0, LVIS_SELECTED), 0u);

    host.grid.SelectRow(4);
    EXPECT_EQ(host.grid.GetSelectedRow(), -1) << "beyond the last row means none";
    EXPECT_EQ(host.grid.m_nSelectedRow, -1);
    host.grid.SelectRow(1);
    host.grid.SelectRow(-1);
    EXPECT_EQ(host.grid.GetSelectedRow(), -1);
    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(host.grid.GetItemState(row, LVIS_SELECTED), 0u) << row;

    GridHost empty(0);
    empty.grid.SelectRow(0);
    EXPECT_EQ(empty.grid.GetSelectedRow(), -1);
    EXPECT_EQ(empty.grid.m_nSelectedRow, -1);
}
