// The grid and the program rows: set-up, row configuration for each command,
// the two-way copy between grid and m_rows, error colours and the reaction
// to a drop-down choice.
#include "framework/palette.h"
#include "app/main_window.h"
#include "model/checker.h"
#include "model/vocabulary.h"
#include <algorithm>
#include <cstring>
#include <cwctype>
#include <string_view>
#include <vector>

namespace {

constexpr COLORREF kNumberBack = RGB(160, 210, 255);
constexpr COLORREF kParamBack = RGB(220, 255, 120);
constexpr COLORREF kGridLine = RGB(128, 128, 128);
constexpr int kInitialRowHeight = 24;

// Grid columns: 0 the number, 1 the command, 2..8 the parameters P1..P7.
constexpr int COL_NUMBER = 0;
constexpr int COL_COMMAND = 1;
constexpr int COL_P1 = 2;
constexpr int COL_LAST = 8;
// A cell is read as the row record stores it: 7 characters at most.
constexpr size_t kCellReadLimit = 7;

// Value list n of the grid is vocabulary n - 1.
constexpr BYTE ListOf(int vocabulary) { return static_cast<BYTE>(vocabulary + 1); }

std::wstring_view Trimmed(std::wstring_view text) {
    while (!text.empty() && std::iswspace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && std::iswspace(text.back()))
        text.remove_suffix(1);
    return text;
}

std::wstring Entry(int vocabulary, int index) {
    const wchar_t* text = VocabularyText(vocabulary, index);
    return text ? text : L"";
}

// An editable, left-aligned drop-down over one vocabulary.
void MakeComboCell(CEditListCtrlEx& grid, int row, int column, int vocabulary) {
    grid.SetCellEditor(row, column, CELL_COMBO);
    grid.SetCellList(row, column, ListOf(vocabulary));
    grid.SetCellEditable(row, column);
    grid.SetCellLeftAligned(row, column);
}

// Suspends a window's redrawing for a scope when asked; at the end redrawing
// resumes and the window is painted again.
class RedrawPause {
public:
    RedrawPause(CWnd& wnd, bool active) : m_wnd(wnd), m_active(active) {
        if (m_active)
            m_wnd.SetRedraw(FALSE);
    }
    ~RedrawPause() {
        if (m_active) {
            m_wnd.SetRedraw(TRUE);
            m_wnd.Invalidate();
        }
    }
    RedrawPause(const RedrawPause&) = delete;
    RedrawPause& operator=(const RedrawPause&) = delete;

private:
    CWnd& m_wnd;
    bool m_active;
};

}  // namespace

void CVelmoraDlg::SetUpGrid() {
    m_grid.SetRedraw(FALSE);
    m_grid.ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED);
    m_grid.SetExtendedStyle(m_grid.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_SUBITEMIMAGES | LVS_EX_FULLROWSELECT);
    m_grid.SetUpColumns();

    BuildVocabularies();
    m_grid.ClearValueLists();
    for (int v = 0; v < VOCABULARY_COUNT; ++v) {
        std::vector<const wchar_t*> texts;
        const int count = VocabularyCount(v);
        for (int i = 0; i < count; ++i)
            texts.push_back(VocabularyText(v, i));
        m_grid.AddValueList(count, texts.data());
    }

    m_grid.SetBkColor(PALETTE_WHITE);
    m_grid.m_crGridLine = kGridLine;
    m_grid.SetFont(m_gridFont, TRUE);
    m_grid.m_nRowHeight = kInitialRowHeight;
    m_grid.RemeasureRows();
    m_grid.m_bStoredSelection = FALSE;
    m_grid.SelectRow(-1);
    m_grid.m_bHighlightFirstColumn = TRUE;
    m_grid.m_bCellBackgrounds = TRUE;
    // Its redraw handling ends the suspension begun above.
    InsertProgramRow(-1, nullptr, true);
}

bool CVelmoraDlg::InsertProgramRow(int index, const ProgramRow* row, bool redraw) {
    const int n = m_grid.GetItemCount();
    if (n >= MAX_ROWS)
        return false;
    if (index < 0 || index > n)
        index = n;
    RedrawPause pause(m_grid, redraw);
    // The cell table does not follow the list: move the rows below down first.
    for (int k = n - 1; k >= index; --k)
        m_grid.CopyCellRow(k, k + 1);
    m_grid.InsertItem(index, std::to_wstring(index + 1));
    FillGridRow(index, row, false);
    RenumberRows(false);
    return true;
}

bool CVelmoraDlg::DeleteProgramRow(int index) {
    const int n = m_grid.GetItemCount();
    if (n == 0)
        return false;
    if (index < 0 || index >= n)
        index = n - 1;
    RedrawPause pause(m_grid, true);
    for (int k = index + 1; k < n; ++k)
        m_grid.CopyCellRow(k, k - 1);
    m_grid.DeleteItem(index);
    RenumberRows(false);
    return true;
}

void CVelmoraDlg::ResetGridRow(int index, bool clearTexts) {
    if (index < 0 || index >= m_grid.GetItemCount())
        return;
    m_grid.ResetCells(index, 0, GRID_TABLE_COLUMNS);
    m_grid.SetCellTextColor(index, COL_NUMBER, PALETTE_NUMBER_TEXT);
    m_grid.SetCellBkColor(index, COL_NUMBER, kNumberBack);
    MakeComboCell(m_grid, index, COL_COMMAND, VocabCommands);
    m_grid.SetCellTextColor(index, COL_COMMAND, PALETTE_BLACK);
    m_grid.SetCellBkColor(index, COL_COMMAND, PALETTE_COMMAND_BACKGROUND);
    if (clearTexts) {
        for (int column = COL_COMMAND; column <= COL_LAST; ++column)
            m_grid.SetItemText(index, column, L"");
    }
}

void CVelmoraDlg::FillGridRow(int index, const ProgramRow* row, bool redraw) {
    if (index < 0 || index >= m_grid.GetItemCount())
        return;
    RedrawPause pause(m_grid, redraw);
    if (!row || row->code == CMD_NONE) {
        ResetGridRow(index, true);
        return;
    }
    // ResetGridRow resets every cell of the row, the parameter cells included.
    ResetGridRow(index, false);
    m_grid.SetItemText(index, COL_COMMAND, std::wstring(RowText(row->name)));
    const int k = ParamCount(row->code);
    for (int column = COL_P1; column <= COL_LAST; ++column) {
        const int slot = column - COL_P1;
        m_grid.SetItemText(index, column, slot < k ? std::wstring(RowText(row->params[slot])) : std::wstring());
    }

    switch (row->code) {
    case CMD_FOR: MakeComboCell(m_grid, index, COL_P1, VocabLoopCount); break;
    case CMD_IF: {
        MakeComboCell(m_grid, index, COL_P1, VocabInputs);
        int input = FindInVocabulary(VocabInputs, Trimmed(RowText(row->params[0])));
        if (input < 0) {
            m_grid.SetItemText(index, COL_P1, Entry(VocabInputs, 0));
            input = 0;
        }
        if (input == 3) {  // a switch is only ever equal
            m_grid.SetItemText(index, COL_P1 + 1, Entry(VocabComparators, 2));
        } else {
            MakeComboCell(m_grid, index, COL_P1 + 1, VocabComparators);
            if (RowText(row->params[1]).empty())
                m_grid.SetItemText(index, COL_P1 + 1, Entry(VocabComparators, 0));
        }
        const int values = VocabLux + input;
        MakeComboCell(m_grid, index, COL_P1 + 2, values);
        if (RowText(row->params[2]).empty())
            m_grid.SetItemText(index, COL_P1 + 2, Entry(values, 0));
        m_grid.SetItemText(index, COL_P1 + 3, IF_THEN_TEXT);
        MakeComboCell(m_grid, index, COL_P1 + 4, VocabLineNumber);
        m_grid.SetItemText(index, COL_P1 + 5, IF_ELSE_TEXT);
        MakeComboCell(m_grid, index, COL_P1 + 6, VocabLineNumber);
        break;
    }
    case CMD_GOTO: MakeComboCell(m_grid, index, COL_P1, VocabLineNumber); break;
    case CMD_STOP: MakeComboCell(m_grid, index, COL_P1, VocabStopTime); break;
    default:
        if (IsOutputCommand(row->code))
            MakeComboCell(m_grid, index, COL_P1, VocabOutputTime);
        break;
    }
    for (int column = COL_P1; column < COL_P1 + k; ++column) {
        m_grid.SetCellTextColor(index, column, PALETTE_NUMBER_TEXT);
        m_grid.SetCellBkColor(index, column, kParamBack);
    }
}

bool CVelmoraDlg::RenumberRows(bool redraw) {
    RedrawPause pause(m_grid, redraw);
    bool changed = false;
    const int n = m_grid.GetItemCount();
    for (int d = 0; d < n; ++d) {
        const std::wstring number = std::to_wstring(d + 1);
        if (m_grid.GetItemText(d, COL_NUMBER) != number) {
            m_grid.SetItemText(d, COL_NUMBER, number);
            changed = true;
        }
    }
    return changed;
}

int CVelmoraDlg::GridToRows() {
    m_rowCount = ReadGridRows(m_rows);
    return m_rowCount;
}

int CVelmoraDlg::ReadGridRows(ProgramRow (&rows)[MAX_ROWS]) const {
    const int count = std::min(m_grid.GetItemCount(), MAX_ROWS);
    std::memset(rows, 0, sizeof rows);
    auto cellText = [this](int row, int column) {
        return std::wstring_view(m_grid.CellText(row, column)).substr(0, kCellReadLimit);
    };
    for (int i = 0; i < count; ++i) {
        ProgramRow& record = rows[i];
        const std::wstring_view trimmed = Trimmed(cellText(i, COL_COMMAND));
        SetRowText(record.name, trimmed);
        record.code = static_cast<int16_t>(FindCommand(trimmed));
        for (int slot = 0; slot < ROW_PARAM_SLOTS; ++slot)
            SetRowText(record.params[slot], cellText(i, COL_P1 + slot));
    }
    return count;
}

// The rows there are filled again in place, and only the difference in count
// is inserted or deleted: a text a cell already holds costs nothing and a cell
// that ends up looking as it did is not repainted, so an undo or a reload of a
// like program repaints only what differs. Selection and scrolling start
// afresh, as for a new list.
void CVelmoraDlg::RowsToGrid() {
    CCellBatch batch(m_grid);
    const int count = std::clamp(m_rowCount, 0, MAX_ROWS);
    m_grid.SelectRow(-1);
    while (m_grid.GetItemCount() > count)
        m_grid.DeleteItem(m_grid.GetItemCount() - 1);
    const int kept = m_grid.GetItemCount();
    for (int i = 0; i < kept; ++i)
        FillGridRow(i, &m_rows[i], false);
    for (int i = kept; i < count; ++i)
        InsertProgramRow(-1, &m_rows[i], false);
    if (count > 0)
        m_grid.EnsureVisible(0, FALSE);
    MarkErrorRows();
}

// Only the cells whose colour changes are repainted (the grid sees to that).
void CVelmoraDlg::MarkErrorRows() {
    const int count = std::clamp(m_rowCount, 0, MAX_ROWS);
    for (int i = 0; i < count; ++i) {
        const bool faulty = m_rows[i].errorFlags != 0 || m_rows[i].reachable == 0;
        m_grid.SetCellTextColor(i, COL_COMMAND, faulty ? PALETTE_ERROR : PALETTE_BLACK);
    }
}

void CVelmoraDlg::RecheckAndRedraw() {
    GridToRows();
    m_checkResult = CheckProgram(m_rows, m_rowCount);
    MarkErrorRows();
    m_chart.SetProgram(m_rows, m_rowCount);
}

LRESULT CVelmoraDlg::OnGridComboEnd(WPARAM wParam, LPARAM lParam) {
    const int row = LOWORD(wParam);
    const int column = HIWORD(wParam);
    bool changed = lParam != 0;
    if (row >= m_grid.GetItemCount())
        return 1;  // the row went away before the report came
    // The drop-down wrote its choice into the cell already: the program before
    // it is the one the history last recorded.
    ProgramState before = m_history.Present();
    before.selectedRow = m_grid.GetSelectedRow();
    if (column == COL_COMMAND) {
        const std::wstring text(Trimmed(m_grid.GetItemText(row, COL_COMMAND)));
        if (changed)
            BuildRowForCommand(row, text);
        // Choosing a command in the last row opens a new blank one below.
        if (!text.empty() && row == m_grid.GetItemCount() - 1 && InsertProgramRow(-1, nullptr, true))
            changed = true;
    } else if (column == COL_P1) {
        if (!changed)
            return 1;
        const int input = FindInVocabulary(VocabInputs, m_grid.GetItemText(row, COL_P1));
        if (input >= 0)
            ApplyIfInput(row, input);
    }
    if (changed) {
        m_modified = 1;
        RecheckAndRedraw();
        ShowRowStatus(m_grid.GetSelectedRow());
        ProgramChanged(&before);
    }
    return 1;
}

void CVelmoraDlg::BuildRowForCommand(int index, const std::wstring& text) {
    ProgramRow row{};
    row.code = static_cast<int16_t>(FindCommand(text));
    if (row.code >= CMD_NONE && row.code <= CMD_END)
        SetRowText(row.name, text);
    FillGridRow(index, &row, true);
}

void CVelmoraDlg::ApplyIfInput(int index, int input) {
    if (index < 0 || index >= m_grid.GetItemCount() || input < 0 || input > 3)
        return;
    RedrawPause pause(m_grid, true);
    const int p2 = COL_P1 + 1;
    if (input == 3) {
        m_grid.SetCellEditor(index, p2, CELL_NONE);
        m_grid.SetItemText(index, p2, Entry(VocabComparators, 2));
    } else {
        MakeComboCell(m_grid, index, p2, VocabComparators);
        m_grid.SetItemText(index, p2, Entry(VocabComparators, 0));
    }
    m_grid.SetCellLeftAligned(index, p2);
    const int values = VocabLux + input;
    MakeComboCell(m_grid, index, COL_P1 + 2, values);
    m_grid.SetItemText(index, COL_P1 + 2, Entry(values, 0));
}
