// Clicks on the grid and its in-place editors: opening an editor over a cell,
// toggling check boxes, and committing an editor back into its cell.
#include "grid/check_box.h"
#include "grid/edit_list_ctrl_ex.h"
#include "grid/grid_messages.h"
#include <algorithm>

bool CEditListCtrlEx::IsEditorCell(int row, int column, BYTE kind) const {
    const CellAttr* cell = Cell(row, column);
    return cell && cell->editable && cell->editor == kind;
}

void CEditListCtrlEx::OnClick(NMHDR* hdr, LRESULT*) {
    const auto* click = reinterpret_cast<const NMITEMACTIVATE*>(hdr);
    m_nCurrentRow = click->iItem;
    m_nCurrentColumn = click->iSubItem;
    if (GetItemCount() == 0)
        return;
    if (IsEditorCell(m_nCurrentRow, m_nCurrentColumn, CELL_CHECK))
        ToggleCheckBox(click->ptAction);
    else if (IsEditorCell(m_nCurrentRow, m_nCurrentColumn, CELL_COMBO))
        OpenComboBox();
    else
        OpenEditBox();
}

void CEditListCtrlEx::OnDblClick(NMHDR* hdr, LRESULT*) {
    if (!m_bStoredSelection)
        return;
    const auto* click = reinterpret_cast<const NMITEMACTIVATE*>(hdr);
    ::PostMessageW(GetParent(), WM_GRID_DBLCLK, static_cast<WPARAM>(click->iItem), click->iSubItem);
}

// A press (the second press of a double-click too) closes the open editor
// before the list sees it, so the click notification that follows may open
// the next one.
void CEditListCtrlEx::OnLButtonDown(UINT, POINT) {
    CloseEditors(true);
    Default();
}

// The report is posted: by the time it comes, the focus may already be back in
// a newly opened editor (the old one posted it while being destroyed), and that
// editor stays open.
LRESULT CEditListCtrlEx::OnGridKillFocus(WPARAM, LPARAM) {
    if (!EditorHasFocus())
        CloseEditors(true);
    return 0;
}

bool CEditListCtrlEx::EditorHasFocus() const {
    const HWND focus = ::GetFocus();
    if (!focus)
        return false;
    for (HWND editor : {m_edit.m_hWnd, m_combo.m_hWnd}) {
        if (editor && (focus == editor || ::IsChild(editor, focus)))
            return true;
    }
    return false;
}

void CEditListCtrlEx::ToggleCheckBox(POINT point) {
    RECT bounds{};
    RECT square{};
    if (!CellBounds(m_nCurrentRow, m_nCurrentColumn, bounds) || !CheckBoxSquare(bounds, square) ||
        !::PtInRect(&square, point))
        return;
    const bool ticked = IsTickedText(GetItemText(m_nCurrentRow, m_nCurrentColumn));
    SetItemText(m_nCurrentRow, m_nCurrentColumn, ticked ? L"0" : L"1");
    ::InvalidateRect(m_hWnd, &bounds, FALSE);
}

void CEditListCtrlEx::OpenComboBox() {
    if (!IsEditorCell(m_nCurrentRow, m_nCurrentColumn, CELL_COMBO))
        return;
    const int number = Cell(m_nCurrentRow, m_nCurrentColumn)->list;
    if (number < 1 || number > m_nValueLists || m_valueLists[static_cast<size_t>(number - 1)].empty())
        return;
    const std::vector<std::wstring>& list = m_valueLists[static_cast<size_t>(number - 1)];
    RECT rect{};
    if (!GetSubItemRect(m_nCurrentRow, m_nCurrentColumn, LVIR_LABEL, rect))
        return;
    rect.top -= 1;
    rect.bottom = rect.top + GRID_COMBO_HEIGHT;
    if (!m_combo.Create(m_comboStyle, rect, m_hWnd, GRID_COMBO_ID))
        return;

    m_combo.SetRedraw(FALSE);
    m_combo.ResetContent();
    for (const std::wstring& text : list)
        m_combo.AddString(text);
    m_combo.SetFont(GetFont());
    ::SetFocus(m_combo.m_hWnd);
    m_savedText = GetItemText(m_nCurrentRow, m_nCurrentColumn);
    m_combo.SetWindowText(m_savedText);
    const auto exact = std::find(list.begin(), list.end(), m_savedText);
    if (exact != list.end()) {
        // The cell's own entry, before any entry that merely begins with it ("-1" before "-15").
        m_combo.SetCurSel(static_cast<int>(exact - list.begin()));
    } else if (!m_savedText.empty()) {
        // Prefix search without case from the top, to show the nearest entries.
        m_combo.SelectString(-1, m_savedText);
    } else {
        for (size_t i = 0; i < list.size(); ++i) {
            if (list[i].empty()) {
                m_combo.SetCurSel(static_cast<int>(i));
                break;
            }
        }
    }
    m_combo.SetRedraw(TRUE);
    m_combo.Invalidate();
    m_openedSelection = m_combo.GetCurSel();
    m_entryChosen = false;
    m_nEditRow = m_nCurrentRow;
    m_nEditColumn = m_nCurrentColumn;
}

void CEditListCtrlEx::OpenEditBox() {
    if (!IsEditorCell(m_nCurrentRow, m_nCurrentColumn, CELL_EDIT))
        return;
    RECT rect{};
    if (!GetSubItemRect(m_nCurrentRow, m_nCurrentColumn, LVIR_LABEL, rect) ||
        !m_edit.Create(m_editStyle, rect, m_hWnd, GRID_EDIT_ID))
        return;
    m_edit.SetFont(GetFont());
    ::SetFocus(m_edit.m_hWnd);
    m_savedText = GetItemText(m_nCurrentRow, m_nCurrentColumn);
    m_edit.SetWindowText(m_savedText);
    m_edit.SetSel(0, -1);
    m_nEditRow = m_nCurrentRow;
    m_nEditColumn = m_nCurrentColumn;
}

void CEditListCtrlEx::CloseEditors(bool keep) {
    CloseEditBox(keep);
    CloseComboBox(keep);
}

bool CEditListCtrlEx::IsEditing() const { return m_edit.m_hWnd || m_combo.m_hWnd; }

void CEditListCtrlEx::EndEditing() {
    CloseEditors(true);
    // Reports posted earlier are delivered now too, while their row is still where they say.
    const HWND parent = GetParent();
    MSG msg{};
    while (parent && ::PeekMessageW(&msg, parent, WM_GRID_EDITEND, WM_GRID_COMBOEND, PM_REMOVE)) {
        if (msg.message == WM_GRID_EDITEND || msg.message == WM_GRID_COMBOEND)
            ::SendMessageW(parent, msg.message, msg.wParam, msg.lParam);
    }
}

void CEditListCtrlEx::CloseEditBox(bool keep) {
    if (!m_edit.m_hWnd)
        return;
    const std::wstring text = keep ? m_edit.GetWindowText() : m_savedText;
    SetItemText(m_nCurrentRow, m_nCurrentColumn, text);
    const bool changed = m_nEditRow == m_nCurrentRow && m_nEditColumn == m_nCurrentColumn && text != m_savedText;
    m_edit.DestroyWindow();
    ReportEditEnd(WM_GRID_EDITEND, changed);
}

void CEditListCtrlEx::CloseComboBox(bool keep) {
    if (!m_combo.m_hWnd)
        return;
    bool changed = false;
    const int index = m_combo.GetCurSel();
    // The selection made at opening is only a pointer into the list, not a choice.
    const bool chosen = keep && index >= 0 && (m_entryChosen || index != m_openedSelection);
    if (chosen) {
        const std::wstring text = m_combo.GetLBText(index);
        SetItemText(m_nCurrentRow, m_nCurrentColumn, text);
        changed = m_nEditRow == m_nCurrentRow && m_nEditColumn == m_nCurrentColumn && text != m_savedText;
    }
    m_combo.DestroyWindow();
    ReportEditEnd(WM_GRID_COMBOEND, changed);
}

void CEditListCtrlEx::OnComboSelEndOk() { m_entryChosen = true; }

void CEditListCtrlEx::ReportEditEnd(UINT message, bool changed) {
    ::PostMessageW(GetParent(), message, GridCellParam(m_nCurrentRow, m_nCurrentColumn), changed ? 1 : 0);
}
