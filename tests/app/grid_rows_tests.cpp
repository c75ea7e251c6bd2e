// Editing the program through the grid's reports, as the grid posts them
// when a drop-down closes, and the grid <-> rows machinery behind it.
#include "model/checker.h"
#include "model/vocabulary.h"
#include "res/resource.h"
#include "tests/app/main_window_test_support.h"
#include <string>
#include <vector>

using namespace mw_test;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kParamBack = RGB(220, 255, 120);

std::vector<std::wstring> RowTexts(MainWindowHarness& w, int row) {
    std::vector<std::wstring> texts;
    for (int column = 0; column < 9; ++column)
        texts.push_back(w.Grid().GetItemText(row, column));
    return texts;
}

const CellAttr& CellOf(MainWindowHarness& w, int row, int column) { return *w.Grid().Cell(row, column); }

bool IsComboOver(MainWindowHarness& w, int row, int column, int list) {
    const CellAttr& cell = CellOf(w, row, column);
    return cell.editable && cell.editor == CELL_COMBO && cell.list == list && cell.alignment == ALIGN_LEFT;
}

// Pixels of strong red in a cell as the grid shows it on screen.
int RedPixelsInCell(MainWindowHarness& w, int row, int column) {
    ::RedrawWindow(w.Grid(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    w.Pump();
    RECT cell{};
    w.Grid().GetSubItemRect(row, column, LVIR_BOUNDS, cell);
    RECT outer{};
    ::GetWindowRect(w.Grid(), &outer);
    POINT origin{0, 0};
    ::ClientToScreen(w.Grid(), &origin);
    testing_support::PixelCanvas canvas(outer.right - outer.left, outer.bottom - outer.top);
    testing_support::CaptureWindow(w.Grid(), canvas);
    const int dx = origin.x - outer.left;
    const int dy = origin.y - outer.top;
    int count = 0;
    for (int y = cell.top; y < cell.bottom; ++y) {
        for (int x = cell.left; x < cell.right; ++x) {
            const COLORREF c = canvas.At(x + dx, y + dy);
            if (GetRValue(c) > 180 && GetGValue(c) < 90 && GetBValue(c) < 90)
                ++count;
        }
    }
    return count;
}

}  // namespace

TEST_F(MainWindowTest, NewProgramHasOneBlankRow) {
    MainWindowHarness window;
    window.Run([](MainWindowHarness& w) {
        ASSERT_EQ(w.Grid().GetItemCount(), 1);
        EXPECT_EQ(RowTexts(w, 0), (std::vector<std::wstring>{L"1", L"", L"", L"", L"", L"", L"", L"", L""}));
        EXPECT_EQ(CellOf(w, 0, 0).textColour, RGB(10, 10, 35));
        EXPECT_EQ(CellOf(w, 0, 0).backColour, RGB(160, 210, 255));
        EXPECT_FALSE(CellOf(w, 0, 0).editable);
        EXPECT_TRUE(IsComboOver(w, 0, 1, 1)) << "the command list";
        EXPECT_EQ(CellOf(w, 0, 1).backColour, RGB(160, 255, 255));
        for (int column = 2; column < 9; ++column) {
            EXPECT_FALSE(CellOf(w, 0, column).editable) << column;
            EXPECT_EQ(CellOf(w, 0, column).backColour, RGB(255, 255, 255)) << column;
        }
        // Set-up: value lists 1..11 are the vocabularies, the looks of the grid.
        EXPECT_EQ(w.Grid().GetValueListCount(), 11);
        EXPECT_EQ(w.Grid().m_crGridLine, RGB(128, 128, 128));
        EXPECT_TRUE(w.Grid().m_bCellBackgrounds);
        EXPECT_TRUE(w.Grid().m_bHighlightFirstColumn);
        EXPECT_FALSE(w.Grid().m_bStoredSelection);
        EXPECT_EQ(w.Grid().GetSelectedRow(), -1);
        EXPECT_TRUE(w.Grid().GetExStyle() & WS_EX_CLIENTEDGE);
        const DWORD ex = w.Grid().GetExtendedStyle();
        EXPECT_EQ(ex & (LVS_EX_GRIDLINES | LVS_EX_SUBITEMIMAGES | LVS_EX_FULLROWSELECT),
                  static_cast<DWORD>(LVS_EX_GRIDLINES | LVS_EX_SUBITEMIMAGES | LVS_EX_FULLROWSELECT));
        EXPECT_EQ(w.Grid().GetFont(), w.GridFont());
    });
}

TEST_F(MainWindowTest, ChoosingForGivesARedForAndANewBlankRow) {
    MainWindowHarness window;
    window.Run([](MainWindowHarness& w) {
        w.Grid().SelectRow(0);
        EXPECT_EQ(RedPixelsInCell(w, 0, 1), 0);
        Choose(w, 0, 1, L"FOR");
        ASSERT_EQ(w.Grid().GetItemCount(), 2);
        EXPECT_EQ(RowTexts(w, 0), (std::vector<std::wstring>{L"1", L"FOR", L"", L"", L"", L"", L"", L"", L""}));
        EXPECT_EQ(RowTexts(w, 1), (std::vector<std::wstring>{L"2", L"", L"", L"", L"", L"", L"", L"", L""}));
        EXPECT_TRUE(IsComboOver(w, 0, 2, VocabLoopCount + 1));
        EXPECT_EQ(CellOf(w, 0, 2).backColour, kParamBack);
        EXPECT_FALSE(CellOf(w, 0, 3).editable);
        EXPECT_TRUE(IsComboOver(w, 1, 1, 1)) << "the new row is blank and ready";

        EXPECT_EQ(w.RowCount(), 2);
        EXPECT_EQ(w.Rows()[0].code, CMD_FOR);
        EXPECT_EQ(w.Rows()[0].errorFlags, ERR_FOR_NO_NEXT | ERR_FOR_NO_PARAM);
        EXPECT_EQ(w.CheckResult(), 1) << "errors on row 0 do not count";
        EXPECT_EQ(w.Modified(), 1);
        EXPECT_EQ(CellOf(w, 0, 1).textColour, kRed);
        EXPECT_GT(RedPixelsInCell(w, 0, 1), 10) << "the command name is drawn in red";
        EXPECT_EQ(StatusText(w), L"FOR no NEXT Match,FOR no parameters!");
        EXPECT_EQ(w.Chart().ElementFromPoint(0, 3 * w.Chart().ElementRowRect(0).bottom), -1)
            << "the flowchart has START and the two rows";
        EXPECT_EQ(w.Chart().ElementFromPoint(0, w.Chart().ElementRowRect(2).top), 2);

        Choose(w, 0, 2, L"5");
        EXPECT_EQ(w.Rows()[0].errorFlags, ERR_FOR_NO_NEXT);
        EXPECT_EQ(StatusText(w), L"FOR no NEXT Match!");
    });
}

TEST_F(MainWindowTest, ChoosingIfGivesItsDefaultsAndIn4GivesASwitch) {
    MainWindowHarness window;
    window.Run([](MainWindowHarness& w) {
        Choose(w, 0, 1, L"IF");
        EXPECT_EQ(RowTexts(w, 0),
                  (std::vector<std::wstring>{L"1", L"IF", L"IN1", L"\u2267", L"0", L"THEN", L"", L"ELSE", L""}));
        EXPECT_TRUE(IsComboOver(w, 0, 2, VocabInputs + 1));
        EXPECT_TRUE(IsComboOver(w, 0, 3, VocabComparators + 1));
        EXPECT_TRUE(IsComboOver(w, 0, 4, VocabLux + 1));
        EXPECT_FALSE(CellOf(w, 0, 5).editable);
        EXPECT_TRUE(IsComboOver(w, 0, 6, VocabLineNumber + 1));
        EXPECT_FALSE(CellOf(w, 0, 7).editable);
        EXPECT_TRUE(IsComboOver(w, 0, 8, VocabLineNumber + 1));
        for (int column = 2; column < 9; ++column)
            EXPECT_EQ(CellOf(w, 0, column).backColour, kParamBack) << column;

        Choose(w, 0, 2, L"IN4");
        EXPECT_EQ(RowTexts(w, 0),
                  (std::vector<std::wstring>{L"1", L"IF", L"IN4", L"\uFF1D", L"OFF", L"THEN", L"", L"ELSE", L""}));
        EXPECT_EQ(CellOf(w, 0, 3).editor, CELL_NONE) << "a switch is only compared for equality";
        EXPECT_TRUE(IsComboOver(w, 0, 4, VocabOnOff + 1));

        Choose(w, 0, 2, L"in2");
        EXPECT_EQ(w.Grid().GetItemText(0, 3), L"\u2267");
        EXPECT_TRUE(IsComboOver(w, 0, 3, VocabComparators + 1));
        EXPECT_TRUE(IsComboOver(w, 0, 4, VocabDecibel + 1));
        EXPECT_EQ(w.Grid().GetItemText(0, 4), std::wstring(VocabularyText(VocabDecibel, 0)));

        // An unchanged choice changes nothing at all.
        w.SetModified(false);
        Choose(w, 0, 2, L"IN4", false);
        EXPECT_EQ(w.Grid().GetItemText(0, 4), std::wstring(VocabularyText(VocabDecibel, 0)));
        EXPECT_EQ(w.Modified(), 0);
    });
}

TEST_F(MainWindowTest, AnotherCommandReplacesTheParametersAndTheEmptyEntryEmptiesTheRow) {
    MainWindowHarness window;
    window.Run([](MainWindowHarness& w) {
        Choose(w, 0, 1, L"IF");
        Choose(w, 0, 1, L"OUT2");
        EXPECT_EQ(RowTexts(w, 0), (std::vector<std::wstring>{L"1", L"OUT2", L"", L"", L"", L"", L"", L"", L""}));
        EXPECT_TRUE(IsComboOver(w, 0, 2, VocabOutputTime + 1));
        EXPECT_FALSE(CellOf(w, 0, 3).editable);
        EXPECT_EQ(CellOf(w, 0, 3).backColour, RGB(255, 255, 255));
        ASSERT_EQ(w.Grid().GetItemCount(), 2) << "row 0 was no longer the last one";

        Choose(w, 0, 1, L"");
        EXPECT_EQ(RowTexts(w, 0), (std::vector<std::wstring>{L"1", L"", L"", L"", L"", L"", L"", L"", L""}));
        EXPECT_FALSE(CellOf(w, 0, 2).editable);
        EXPECT_EQ(w.Grid().GetItemCount(), 2);
        EXPECT_EQ(w.Rows()[0].code, CMD_NONE);

        // Choosing the same command again in the last row still opens a new one.
        Choose(w, 1, 1, L"STOP");
        Choose(w, 2, 1, L"END", false);
        EXPECT_EQ(w.Grid().GetItemCount(), 4);
        EXPECT_TRUE(IsComboOver(w, 1, 2, VocabStopTime + 1));
        Choose(w, 1, 1, L"GOTO");
        EXPECT_TRUE(IsComboOver(w, 1, 2, VocabLineNumber + 1));
    });
}

TEST_F(MainWindowTest, TheFiftiethRowAppendsNothing) {
    MainWindowHarness window;
    window.Run([](MainWindowHarness& w) {
        for (int row = 0; row < 49; ++row)
            Choose(w, row, 1, L"END");
        ASSERT_EQ(w.Grid().GetItemCount(), 50);
        EXPECT_EQ(w.Grid().GetItemText(49, 0), L"50");
        Choose(w, 49, 1, L"END");
        EXPECT_EQ(w.Grid().GetItemCount(), 50);
        EXPECT_EQ(w.RowCount(), 50);
        EXPECT_FALSE(w.InsertProgramRow(0, nullptr, true));
        EXPECT_EQ(w.Grid().GetItemText(0, 1), L"END");
    });
}

TEST_F(MainWindowTest, InsertedAndDeletedRowsTakeTheirCellAttributesAlong) {
    MainWindowHarness window;
    window.Run([](MainWindowHarness& w) {
        Choose(w, 0, 1, L"FOR");
        Choose(w, 1, 1, L"IF");
        ASSERT_EQ(w.Grid().GetItemCount(), 3);
        ASSERT_TRUE(w.InsertProgramRow(0, nullptr, true));
        EXPECT_EQ(w.Grid().GetItemText(1, 1), L"FOR");
        EXPECT_TRUE(IsComboOver(w, 1, 2, VocabLoopCount + 1));
        EXPECT_TRUE(IsComboOver(w, 2, 4, VocabLux + 1));
        EXPECT_FALSE(CellOf(w, 0, 2).editable) << "the new row is blank";
        for (int row = 0; row < 4; ++row)
            EXPECT_EQ(w.Grid().GetItemText(row, 0), std::to_wstring(row + 1));

        ASSERT_TRUE(w.DeleteProgramRow(1));
        EXPECT_EQ(w.Grid().GetItemText(1, 1), L"IF");
        EXPECT_TRUE(IsComboOver(w, 1, 4, VocabLux + 1));
        EXPECT_EQ(w.Grid().GetItemText(2, 0), L"3");

        // Out of range: insert appends, delete takes the last row.
        ASSERT_TRUE(w.InsertProgramRow(77, nullptr, false));
        EXPECT_EQ(w.Grid().GetItemCount(), 4);
        EXPECT_EQ(w.Grid().GetItemText(3, 0), L"4");
        ASSERT_TRUE(w.DeleteProgramRow(-3));
        ASSERT_TRUE(w.DeleteProgramRow(99));
        EXPECT_EQ(w.Grid().GetItemCount(), 2);
        EXPECT_EQ(w.Grid().GetItemText(1, 1), L"IF");
        w.Grid().DeleteAllItems();
        EXPECT_FALSE(w.DeleteProgramRow(0));
        EXPECT_FALSE(w.RenumberRows(true));
    });
}

TEST_F(MainWindowTest, GridToRowsReadsSevenCharactersAndTrimsTheName) {
    MainWindowHarness window;
    window.Run([](MainWindowHarness& w) {
        w.Grid().SetItemText(0, 1, L"  goto ");
        w.Grid().SetItemText(0, 2, L"123456789");
        w.Grid().SetItemText(0, 3, L" 12 ");
        ASSERT_TRUE(w.InsertProgramRow(-1, nullptr, false));
        w.Grid().SetItemText(1, 1, L"JUMP");
        EXPECT_EQ(w.GridToRows(), 2);
        EXPECT_EQ(RowText(w.Rows()[0].name), L"goto");
        EXPECT_EQ(w.Rows()[0].code, CMD_GOTO);
        EXPECT_EQ(RowText(w.Rows()[0].params[0]), L"1234567");
        EXPECT_EQ(RowText(w.Rows()[0].params[1]), L" 12 ") << "parameters are not trimmed";
        EXPECT_EQ(w.Rows()[1].code, CMD_UNKNOWN);
        EXPECT_EQ(w.Rows()[0].errorFlags, 0) << "set only by the check";
        EXPECT_EQ(w.Rows()[2].code, CMD_NONE);
        EXPECT_EQ(RowText(w.Rows()[2].name), L"") << "records past the count are zero";
    });
}

TEST_F(MainWindowTest, RowsToGridShowsTheExampleWithFaultyRowsInRed) {
    MainWindowHarness window;
    window.Run([](MainWindowHarness& w) {
        ShowExample(w);
        ASSERT_EQ(w.Grid().GetItemCount(), 8) << "no blank row of its own";
        EXPECT_EQ(RowTexts(w, 1),
                  (std::vector<std::wstring>{L"2", L"IF", L"IN1", L"\u2267", L"100", L"THEN", L"3", L"ELSE", L"5"}));
        EXPECT_EQ(RowTexts(w, 0), (std::vector<std::wstring>{L"1", L"FOR", L"\u221E", L"", L"", L"", L"", L"", L""}));
        EXPECT_EQ(RowTexts(w, 5), (std::vector<std::wstring>{L"6", L"NEXT", L"", L"", L"", L"", L"", L"", L""}));
        for (int row = 0; row < 7; ++row)
            EXPECT_EQ(CellOf(w, row, 1).textColour, kBlack) << "a sound program: row " << row;

        // A jump out of range and a row without entrance turn red; the rest stays black.
        w.Grid().SetItemText(3, 2, L"60");
        w.Grid().SetItemText(6, 1, L"STOP");
        w.Grid().SetItemText(6, 2, L"1");
        w.RecheckAndRedraw();
        EXPECT_EQ(CellOf(w, 3, 1).textColour, kRed);
        EXPECT_TRUE(w.Rows()[3].errorFlags & ERR_GOTO_RANGE);
        for (int row : {0, 1, 2, 5})
            EXPECT_EQ(CellOf(w, row, 1).textColour, kBlack) << row;
        EXPECT_GT(RedPixelsInCell(w, 3, 1), 10);
        EXPECT_EQ(RedPixelsInCell(w, 2, 1), 0);

        // Loading marks the same rows while it builds the grid.
        const int marked = 3;
        w.RowsToGrid();
        EXPECT_EQ(CellOf(w, marked, 1).textColour, kRed);
        EXPECT_EQ(w.Grid().GetItemCount(), 8);
    });
}
