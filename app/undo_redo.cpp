// The history of changes to the program: each edit is recorded as one step,
// and undo and redo show the program of a step again.
#include "app/main_window.h"
#include <algorithm>
#include <iterator>

ProgramState CVelmoraDlg::ShownProgram() const {
    ProgramRow rows[MAX_ROWS];
    const int count = ReadGridRows(rows);
    return ProgramState{std::vector<ProgramRow>(rows, rows + count), m_grid.GetSelectedRow()};
}

void CVelmoraDlg::StartHistory() {
    m_history.Reset(ShownProgram());
    if (!m_modified)
        m_history.MarkSaved();
}

void CVelmoraDlg::ProgramChanged(const ProgramState* before) {
    if (before)
        m_history.Record(*before, ShownProgram());
    m_simulator.StopRun();
}

void CVelmoraDlg::ShowRows(const ProgramRow* rows, size_t count) {
    const int shown = static_cast<int>(std::min<size_t>(count, MAX_ROWS));
    std::fill(std::begin(m_rows), std::end(m_rows), ProgramRow{});
    std::copy_n(rows, shown, m_rows);
    m_rowCount = shown;
    RowsToGrid();
    RecheckAndRedraw();
}

void CVelmoraDlg::ShowState(const ProgramState& state) {
    ShowRows(state.rows.data(), state.rows.size());
    const int row = state.selectedRow < m_grid.GetItemCount() ? state.selectedRow : -1;
    m_grid.SelectRow(row);
    if (row >= 0) {
        m_grid.EnsureVisible(row, FALSE);
        m_chart.SelectElement(row + 1);
    }
    ShowRowStatus(row);
    ::SetFocus(m_grid.m_hWnd);
}

void CVelmoraDlg::MoveThroughHistory(const ProgramState* (UndoHistory::*move)()) {
    // A choice made in an open grid editor is a step of its own before the history moves.
    m_grid.EndEditing();
    const ProgramState* state = (m_history.*move)();
    if (!state)
        return;
    ShowState(*state);
    m_modified = m_history.IsSaved() ? 0 : 1;
    ProgramChanged(nullptr);
}

void CVelmoraDlg::UndoChange() { MoveThroughHistory(&UndoHistory::Undo); }

void CVelmoraDlg::RedoChange() { MoveThroughHistory(&UndoHistory::Redo); }

bool CVelmoraDlg::HandleHistoryKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || ::GetKeyState(VK_CONTROL) >= 0 || ::GetKeyState(VK_MENU) < 0)
        return false;
    if (msg.hwnd != m_hWnd && !::IsChild(m_hWnd, msg.hwnd))
        return false;
    const bool shift = ::GetKeyState(VK_SHIFT) < 0;
    if (msg.wParam == 'Z' && !shift)
        UndoChange();
    else if (msg.wParam == 'Y' || msg.wParam == 'Z')
        RedoChange();
    else
        return false;
    return true;
}
