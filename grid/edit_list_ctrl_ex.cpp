// The grid's set-up, cell table, value lists, selection and row measure.
#include "grid/edit_list_ctrl_ex.h"
#include "grid/grid_columns.h"
#include "grid/grid_messages.h"
#include <algorithm>

// clang-format off
BEGIN_MESSAGE_MAP(CEditListCtrlEx, CListCtrl)
    NotifyReflect<&ThisClass::OnClick>(NM_CLICK),
    NotifyReflect<&ThisClass::OnDblClick>(NM_DBLCLK),
    Mouse<&ThisClass::OnLButtonDown>(WM_LBUTTONDOWN),
    Mouse<&ThisClass::OnLButtonDown>(WM_LBUTTONDBLCLK),
    Message<&ThisClass::OnGridKillFocus>(WM_GRID_KILLFOCUS),
    Command<&ThisClass::OnComboSelEndOk>(GRID_COMBO_ID, CBN_SELENDOK),
    VScroll<&ThisClass::OnVScroll>(),
    SetCursor<&ThisClass::OnSetCursor>(),
    Message<&ThisClass::OnPaint>(WM_PAINT),
END_MESSAGE_MAP()
// clang-format on

CEditListCtrlEx::CEditListCtrlEx() {
    for (auto& row : m_cells)
        row.fill(ConstructedCell());
}

// The window goes while the grid is whole, so the messages of its last moments
// (and of its editors) are still handled by this class.
CEditListCtrlEx::~CEditListCtrlEx() { DestroyWindow(); }

void CEditListCtrlEx::PreSubclassWindow() {
    CListCtrl::PreSubclassWindow();
    ModifyStyle(0, LVS_OWNERDRAWFIXED);
}

void CEditListCtrlEx::SetUpColumns() {
    DeleteAllItems();
    for (int n = GetColumnCount(); n > 0; --n)
        DeleteColumn(0);
    for (int i = 0; i < GRID_COLUMN_COUNT; ++i)
        InsertColumn(i, GRID_COLUMNS[i].header, LVCFMT_LEFT, GRID_COLUMNS[i].width);
}

CellAttr* CEditListCtrlEx::Cell(int row, int column) {
    if (row < 0 || row >= GRID_TABLE_ROWS || column < 0 || column >= GRID_TABLE_COLUMNS)
        return nullptr;
    return &m_cells[static_cast<size_t>(row)][static_cast<size_t>(column)];
}

const CellAttr* CEditListCtrlEx::Cell(int row, int column) const {
    return const_cast<CEditListCtrlEx*>(this)->Cell(row, column);
}

void CEditListCtrlEx::SetCellEditable(int row, int column) {
    if (CellAttr* cell = Cell(row, column))
        cell->editable = 1;
}

void CEditListCtrlEx::SetCellEditor(int row, int column, BYTE kind) {
    if (CellAttr* cell = Cell(row, column))
        cell->editor = kind;
}

void CEditListCtrlEx::SetCellList(int row, int column, BYTE number) {
    if (CellAttr* cell = Cell(row, column))
        cell->list = number;
}

void CEditListCtrlEx::SetCellLeftAligned(int row, int column) {
    if (CellAttr* cell = Cell(row, column))
        cell->alignment = ALIGN_LEFT;
}

void CEditListCtrlEx::SetCellTextColor(int row, int column, COLORREF colour) {
    if (CellAttr* cell = Cell(row, column))
        cell->textColour = colour;
}

void CEditListCtrlEx::SetCellBkColor(int row, int column, COLORREF colour) {
    if (CellAttr* cell = Cell(row, column))
        cell->backColour = colour;
}

void CEditListCtrlEx::ResetCells(int row, int firstColumn, int count) {
    if (row < 0 || row >= GRID_TABLE_ROWS || firstColumn >= GRID_TABLE_COLUMNS)
        return;
    firstColumn = std::max(firstColumn, 0);
    if (count < 0)
        count = GRID_TABLE_COLUMNS;
    const int end = firstColumn + std::min(count, GRID_TABLE_COLUMNS - firstColumn);
    const CellAttr reset = ResetCell(ListBackground());
    for (int column = firstColumn; column < end; ++column)
        m_cells[static_cast<size_t>(row)][static_cast<size_t>(column)] = reset;
}

bool CEditListCtrlEx::CopyCellRow(int from, int to) {
    if (from < 0 || from >= GRID_TABLE_ROWS || to < 0 || to >= GRID_TABLE_ROWS)
        return false;
    m_cells[static_cast<size_t>(to)] = m_cells[static_cast<size_t>(from)];
    return true;
}

int CEditListCtrlEx::AddValueList(int count, const wchar_t* const* texts) {
    if (m_nValueLists >= MAX_VALUE_LISTS)
        return -1;
    std::vector<std::wstring>& list = m_valueLists[static_cast<size_t>(m_nValueLists)];
    list.clear();
    for (int i = 0; texts && i < count; ++i) {
        if (texts[i])
            list.emplace_back(texts[i]);
    }
    return m_nValueLists++;
}

void CEditListCtrlEx::ClearValueLists() {
    for (auto& list : m_valueLists)
        std::vector<std::wstring>().swap(list);
    m_nValueLists = 0;
}

int CEditListCtrlEx::GetSelectedRow() const {
    const int count = GetItemCount();
    for (int row = 0; row < count; ++row) {
        if (GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED)
            return row;
    }
    return -1;
}

void CEditListCtrlEx::SelectRow(int row) {
    const int count = GetItemCount();
    if (row < 0 || row >= count)
        row = -1;
    m_nSelectedRow = row;
    for (int i = 0; i < count; ++i) {
        const bool selected = (GetItemState(i, LVIS_SELECTED) & LVIS_SELECTED) != 0;
        if (i != row && selected)
            SetItemState(i, 0, LVIS_SELECTED);
        else if (i == row && !selected)
            SetItemState(i, LVIS_SELECTED, LVIS_SELECTED);
    }
}

void CEditListCtrlEx::MeasureItem(MEASUREITEMSTRUCT* mis) {
    if (m_nRowHeight > 0)
        mis->itemHeight = static_cast<UINT>(m_nRowHeight);
}

// The list asks for its row height again when it is told its position changed
// with a size: the grid's current size, nothing moved, no z-order or activation.
void CEditListCtrlEx::RemeasureRows() {
    const RECT rc = GetWindowRect();
    WINDOWPOS pos{};
    pos.hwnd = m_hWnd;
    pos.cx = rc.right - rc.left;
    pos.cy = rc.bottom - rc.top;
    pos.flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
    SendMessage(WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
}

// Enter closes an open editor and then goes its normal way. Escape cancels
// the edit and goes no further: the dialog would take it for its Cancel.
BOOL CEditListCtrlEx::PreTranslateMessage(MSG* msg) {
    if (msg->message != WM_KEYDOWN)
        return FALSE;
    if (msg->wParam == VK_RETURN)
        CloseEditors(true);
    if (msg->wParam == VK_ESCAPE && IsEditing()) {
        CloseEditors(false);
        return TRUE;
    }
    return FALSE;
}

bool CEditListCtrlEx::CellFromPoint(POINT point, int& row, int& column) const {
    const int rows = GetItemCount();
    const int columns = GetColumnCount();
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            RECT label{};
            if (GetSubItemRect(r, c, LVIR_LABEL, label) && ::PtInRect(&label, point)) {
                row = r;
                column = c;
                return true;
            }
        }
    }
    row = -1;
    column = -1;
    return false;
}

BOOL CEditListCtrlEx::OnSetCursor(HWND, UINT, UINT) {
    POINT point{};
    ::GetCursorPos(&point);
    ::ScreenToClient(m_hWnd, &point);
    int row = -1;
    int column = -1;
    const bool text = CellFromPoint(point, row, column) && IsEditorCell(row, column, CELL_EDIT);
    ::SetCursor(::LoadCursorW(nullptr, text ? IDC_IBEAM : IDC_ARROW));
    return TRUE;
}

// Taking the focus first closes an open editor through its focus loss.
void CEditListCtrlEx::OnVScroll(UINT, UINT, HWND) {
    if (::GetFocus() != m_hWnd)
        ::SetFocus(m_hWnd);
    Default();
}
