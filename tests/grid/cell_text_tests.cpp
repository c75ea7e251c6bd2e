// The texts the grid keeps beside its list view, and the cells an attribute
// change repaints.
#include "tests/grid/grid_host.h"
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <type_traits>

using namespace grid_testing;

namespace {

// A cell's text as the list itself holds it.
std::wstring ListText(HWND list, int row, int column) {
    wchar_t buffer[256] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = 256;
    ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return buffer;
}

// An LVITEMW or LVITEMA with `text`, sent as `message`.
template <typename Char>
LRESULT SendItem(HWND list, UINT message, WPARAM wParam, int row, int column, const Char* text, UINT mask = LVIF_TEXT) {
    std::basic_string<Char> copy = text;
    std::conditional_t<std::is_same_v<Char, wchar_t>, LVITEMW, LVITEMA> item{};
    item.mask = mask;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = copy.data();
    return ::SendMessageW(list, message, wParam, reinterpret_cast<LPARAM>(&item));
}

}  // namespace

TEST(GridTexts, KeptTextsFollowEveryWayTheListChanges) {
    GridHost host(4);
    CEditListCtrlEx& grid = host.grid;
    const HWND list = grid.m_hWnd;
    const struct {
        const char* what;
        std::function<void()> change;
    } steps[] = {
        {"the grid's own setter", [&] { grid.SetItemText(1, 2, L"OUT1"); }},
        {"LVM_SETITEMTEXTW", [&] { SendItem(list, LVM_SETITEMTEXTW, 2, 0, 3, L"0.5"); }},
        {"LVM_SETITEMTEXTA", [&] { SendItem(list, LVM_SETITEMTEXTA, 3, 0, 4, "abc"); }},
        {"LVM_SETITEMW", [&] { SendItem(list, LVM_SETITEMW, 0, 0, 5, L"IN1"); }},
        {"LVM_SETITEMW without text", [&] { SendItem(list, LVM_SETITEMW, 0, 0, 5, L"lost", LVIF_PARAM); }},
        {"LVM_SETITEMA", [&] { SendItem(list, LVM_SETITEMA, 0, 1, 6, "narrow"); }},
        {"a row that is not there", [&] { SendItem(list, LVM_SETITEMTEXTW, 99, 0, 1, L"none"); }},
        {"LVM_INSERTITEMW in the middle", [&] { SendItem(list, LVM_INSERTITEMW, 0, 1, 0, L"new"); }},
        {"LVM_INSERTITEMA at the end", [&] { SendItem(list, LVM_INSERTITEMA, 0, 100, 0, "last"); }},
        {"LVM_DELETEITEM", [&] { grid.DeleteItem(0); }},
        {"a column deleted", [&] { grid.DeleteColumn(2); }},
        {"a column inserted", [&] { grid.InsertColumn(1, L"X", LVCFMT_LEFT, 40); }},
        {"the same text again", [&] { grid.SetItemText(0, 0, grid.GetItemText(0, 0)); }},
        {"a long text", [&] { grid.SetItemText(2, 1, std::wstring(200, L'x')); }},
    };
    for (const auto& step : steps) {
        step.change();
        const int rows = grid.GetItemCount();
        const int columns = grid.GetColumnCount();
        for (int row = 0; row < rows; ++row) {
            for (int column = 0; column < columns; ++column)
                ASSERT_EQ(grid.GetItemText(row, column), ListText(list, row, column))
                    << step.what << ", cell " << row << "," << column;
        }
    }
    grid.DeleteAllItems();
    EXPECT_EQ(grid.GetItemText(0, 0), L"");
    EXPECT_EQ(grid.CellText(-1, 0), L"");
    EXPECT_EQ(grid.CellText(0, -1), L"");
}

TEST(GridTexts, AnAttributeChangeRepaintsItsCellAlone) {
    GridHost host(4);
    CEditListCtrlEx& grid = host.grid;
    ::UpdateWindow(grid.m_hWnd);
    RECT update{};
    grid.SetCellTextColor(1, 2, grid.Cell(1, 2)->textColour);
    EXPECT_FALSE(::GetUpdateRect(grid.m_hWnd, &update, FALSE)) << "no change, no repaint";

    grid.SetCellTextColor(1, 2, RGB(255, 0, 0));
    ASSERT_TRUE(::GetUpdateRect(grid.m_hWnd, &update, FALSE));
    RECT cell{};
    ASSERT_TRUE(grid.GetSubItemRect(1, 2, LVIR_BOUNDS, cell));
    EXPECT_TRUE(::EqualRect(&update, &cell));
    ::UpdateWindow(grid.m_hWnd);

    // While the list's painting is held, resuming it repaints everything.
    grid.SetRedraw(FALSE);
    grid.SetCellBkColor(2, 3, RGB(1, 2, 3));
    grid.ResetCells(3, 0, -1);
    EXPECT_FALSE(::GetUpdateRect(grid.m_hWnd, &update, FALSE));
    grid.SetRedraw(TRUE);
}

// In a batch, a cell reset and set back as it was repaints nothing; a cell
// that ends up different repaints alone, when the outermost batch ends.
TEST(GridTexts, ABatchRepaintsOnlyCellsThatEndUpDifferent) {
    GridHost host(4);
    CEditListCtrlEx& grid = host.grid;
    for (int row = 0; row < 4; ++row)
        grid.ResetCells(row, 0, -1);
    grid.SetCellTextColor(1, 2, RGB(0, 0, 200));
    grid.SetCellBkColor(2, 4, RGB(200, 255, 255));
    ::UpdateWindow(grid.m_hWnd);
    RECT update{};
    {
        CCellBatch outer(grid);
        {
            CCellBatch inner(grid);
            for (int row = 0; row < 4; ++row)
                grid.ResetCells(row, 0, -1);
            grid.SetCellTextColor(1, 2, RGB(0, 0, 200));
            grid.SetCellBkColor(2, 4, RGB(200, 255, 255));
            grid.SetCellTextColor(3, 1, RGB(255, 0, 0));
        }
        EXPECT_FALSE(::GetUpdateRect(grid.m_hWnd, &update, FALSE)) << "the inner batch's end shows nothing yet";
    }
    // Every cell ends as it began but row 3's, whose text turned red.
    ASSERT_TRUE(::GetUpdateRect(grid.m_hWnd, &update, FALSE));
    RECT cell{};
    ASSERT_TRUE(grid.GetSubItemRect(3, 1, LVIR_BOUNDS, cell));
    EXPECT_TRUE(::EqualRect(&update, &cell));
    EXPECT_EQ(grid.Cell(3, 1)->textColour, RGB(255, 0, 0));
    EXPECT_EQ(grid.Cell(1, 2)->textColour, RGB(0, 0, 200));
    grid.EndCellBatch();  // one end too many changes nothing
    EXPECT_EQ(grid.Cell(3, 1)->textColour, RGB(255, 0, 0));
}
