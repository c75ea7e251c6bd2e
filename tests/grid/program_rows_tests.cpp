// The grid as the main window uses it: the eleven vocabularies as value lists
// 1 to 11 and program rows configured for their commands.
#include "model/vocabulary.h"
#include "tests/grid/grid_host.h"
#include <gtest/gtest.h>
#include <fstream>

using namespace grid_testing;
using namespace testing_support;

namespace {

using Entries = std::vector<std::wstring>;

Entries Vocabulary(int id) {
    Entries texts;
    for (int i = 0; i < VocabularyCount(id); ++i)
        texts.emplace_back(VocabularyText(id, i));
    return texts;
}

// Grid set-up, value lists and row configuration after the main window.
struct ProgramGrid : GridHost {
    ProgramGrid() : GridHost(0, 520, 300) {
        ::SendMessageW(grid.m_hWnd, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                       grid.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_SUBITEMIMAGES | LVS_EX_FULLROWSELECT);
        BuildVocabularies();
        grid.ClearValueLists();
        for (int id = 0; id < VOCABULARY_COUNT; ++id) {
            std::vector<const wchar_t*> texts;
            for (int i = 0; i < VocabularyCount(id); ++i)
                texts.push_back(VocabularyText(id, i));
            EXPECT_EQ(grid.AddValueList(static_cast<int>(texts.size()), texts.data()), id);
        }
        grid.SetBkColor(RGB(255, 255, 255));
        grid.m_crGridLine = RGB(128, 128, 128);
        grid.m_nRowHeight = 24;
        grid.RemeasureRows();
        grid.m_bStoredSelection = FALSE;
        grid.SelectRow(-1);
        grid.m_bHighlightFirstColumn = TRUE;
        grid.m_bCellBackgrounds = TRUE;
    }

    // A row with its number, its command cell and its parameter texts.
    void AddRow(const wchar_t* command, std::initializer_list<const wchar_t*> params) {
        const int row = grid.GetItemCount();
        grid.InsertItem(row, std::to_wstring(row + 1));
        grid.ResetCells(row, 0, -1);
        grid.SetCellTextColor(row, 0, RGB(10, 10, 35));
        grid.SetCellBkColor(row, 0, RGB(160, 210, 255));
        MakeCombo(row, 1, VocabCommands + 1);
        grid.SetCellLeftAligned(row, 1);
        grid.SetCellBkColor(row, 1, RGB(160, 255, 255));
        grid.SetItemText(row, 1, command);
        int column = 2;
        for (const wchar_t* text : params) {
            grid.SetItemText(row, column, text);
            grid.SetCellTextColor(row, column, RGB(10, 10, 35));
            grid.SetCellBkColor(row, column, RGB(220, 255, 120));
            ++column;
        }
    }
    void Param(int row, int column, int vocabulary) {
        MakeCombo(row, column, vocabulary + 1);
        grid.SetCellLeftAligned(row, column);
    }
    Entries Open(int row, int column) {
        Click(row, column);
        return ComboEntries();
    }
};

}  // namespace

TEST(GridProgramRows, DropDownsOfForIfAndOutRows) {
    ProgramGrid host;
    host.AddRow(L"FOR", {L""});
    host.Param(0, 2, VocabLoopCount);
    host.AddRow(L"IF", {L"IN1", L"\u2267", L"0", L"THEN", L"", L"ELSE", L"3"});
    host.Param(1, 2, VocabInputs);
    host.Param(1, 3, VocabComparators);
    host.Param(1, 4, VocabLux);
    host.Param(1, 6, VocabLineNumber);
    host.Param(1, 8, VocabLineNumber);
    host.AddRow(L"OUT1", {L"1"});
    host.Param(2, 2, VocabOutputTime);
    host.AddRow(L"", {});
    ASSERT_EQ(host.grid.GetItemCount(), 4);

    EXPECT_EQ(host.Open(0, 2), Vocabulary(VocabLoopCount));
    EXPECT_EQ(host.ComboEntries().front(), L"\u221E");
    EXPECT_EQ(host.ComboSelection(), CB_ERR) << "an empty count, and no empty entry to select";

    EXPECT_EQ(host.Open(1, 2), (Entries{L"IN1", L"IN2", L"IN3", L"IN4"}));
    EXPECT_EQ(host.ComboSelectedText(), L"IN1");
    EXPECT_EQ(host.Open(1, 3), (Entries{L"\u2267", L"\u2266", L"\uFF1D"}));
    EXPECT_EQ(host.ComboSelectedText(), L"\u2267");
    EXPECT_EQ(host.Open(1, 4), Vocabulary(VocabLux));
    EXPECT_EQ(host.ComboEntries().size(), 38u);
    EXPECT_EQ(host.ComboSelection(), 0);
    host.Open(1, 5);
    EXPECT_EQ(host.Combo(), nullptr) << "THEN is fixed text";
    EXPECT_EQ(host.Open(1, 8), Vocabulary(VocabLineNumber));
    EXPECT_EQ(host.ComboSelectedText(), L"3");

    EXPECT_EQ(host.Open(2, 2), Vocabulary(VocabOutputTime));
    EXPECT_EQ(host.ComboSelection(), 10) << "\"1\" after the infinity sign and the tenths";

    EXPECT_EQ(host.Open(3, 1), Vocabulary(VocabCommands));
    EXPECT_EQ(host.ComboSelection(), 0) << "a blank row selects the empty command";
    ::SendMessageW(host.Combo(), CB_SETCURSEL, CMD_FOR, 0);
    host.Click(0, 0);
    EXPECT_EQ(host.Text(3, 1), L"FOR");
    const auto reports = TakeReports(host.parent, WM_GRID_COMBOEND);
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.back(), (Report{3, 1, 1}));

    host.grid.SelectRow(1);
    host.Click(1, 4);  // the screenshot shows an open drop-down over a selected IF row
    ::SendMessageW(host.Combo(), CB_SHOWDROPDOWN, TRUE, 0);
    PumpMessages();
    ASSERT_TRUE(SaveWindowScreenshot(host.parent.m_hWnd, L"grid_program_rows.bmp"));
    std::ifstream saved("grid_program_rows.bmp", std::ios::binary | std::ios::ate);
    EXPECT_GT(static_cast<long long>(saved.tellg()), 54);
    ::SendMessageW(host.Combo(), CB_SHOWDROPDOWN, FALSE, 0);
}
