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

namespace {

// Shows a state of the history: its rows in both views, checked again, with
// its selected row and that row's status.
void ShowState(CVelmoraDlg& dlg, const ProgramState& state) {
    const int count = static_cast<int>(std::min<size_t>(state.rows.size(), MAX_ROWS));
    std::fill(std::begin(dlg.m_rows), std::end(dlg.m_rows), ProgramRow{});
    std::copy_n(state.rows.begin(), count, dlg.m_rows);
    dlg.m_rowCount = count;
    dlg.RowsToGrid();
    dlg.RecheckAndRedraw();
    const int row = state.selectedRow < dlg.m_grid.GetItemCount() ? state.selectedRow : -1;
    dlg.m_grid.SelectRow(row);
    if (row >= 0) {
        dlg.m_grid.EnsureVisible(row, FALSE);
        dlg.m_chart.SelectElement(row + 1);
    }
    dlg.ShowRowStatus(row);
    ::SetFocus(dlg.m_grid.m_hWnd);
}

// Undo or redo: the modified mark follows the history.
void MoveThroughHistory(CVelmoraDlg& dlg, const ProgramState* (UndoHistory::*move)()) {
    // A choice made in an open grid editor is a step of its own before the history moves.
    dlg.m_grid.EndEditing();
    const ProgramState* state = (dlg.m_history.*move)();
    if (!state)
        return;
    ShowState(dlg, *state);
    dlg.m_modified = dlg.m_history.IsSaved() ? 0 : 1;
    dlg.ProgramChanged(nullptr);
}

}  // namespace

void CVelmoraDlg::UndoChange() { MoveThroughHistory(*this, &UndoHistory::Undo); }

void CVelmoraDlg::RedoChange() { MoveThroughHistory(*this, &UndoHistory::Redo); }

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
