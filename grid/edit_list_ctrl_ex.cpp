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
    Focus<&ThisClass::OnSetFocus>(WM_SETFOCUS),
    Focus<&ThisClass::OnKillFocus>(WM_KILLFOCUS),
    Command<&ThisClass::OnComboSelEndOk>(GRID_COMBO_ID, CBN_SELENDOK),
    VScroll<&ThisClass::OnVScroll>(),
    SetCursor<&ThisClass::OnSetCursor>(),
    Message<&ThisClass::OnPaint>(WM_PAINT),
    Message<&ThisClass::OnSetRedraw>(WM_SETREDRAW),
    Message<&ThisClass::OnTextMessage<LVM_INSERTITEMW>>(LVM_INSERTITEMW),
    Message<&ThisClass::OnTextMessage<LVM_INSERTITEMA>>(LVM_INSERTITEMA),
    Message<&ThisClass::OnTextMessage<LVM_SETITEMTEXTW>>(LVM_SETITEMTEXTW),
    Message<&ThisClass::OnTextMessage<LVM_SETITEMTEXTA>>(LVM_SETITEMTEXTA),
    Message<&ThisClass::OnTextMessage<LVM_SETITEMW>>(LVM_SETITEMW),
    Message<&ThisClass::OnTextMessage<LVM_SETITEMA>>(LVM_SETITEMA),
    Message<&ThisClass::OnDeleteItem>(LVM_DELETEITEM),
    Message<&ThisClass::OnDeleteAllItems>(LVM_DELETEALLITEMS),
    Message<&ThisClass::OnColumnsChanged>(LVM_INSERTCOLUMNW),
    Message<&ThisClass::OnColumnsChanged>(LVM_INSERTCOLUMNA),
    Message<&ThisClass::OnColumnsChanged>(LVM_DELETECOLUMN),
    Message<&ThisClass::OnColumnsChanged>(LVM_SORTITEMS),
    Message<&ThisClass::OnColumnsChanged>(LVM_SORTITEMSEX),
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
    m_hasFocus = ::GetFocus() == m_hWnd;
    ModifyStyle(0, LVS_OWNERDRAWFIXED);
}

void CEditListCtrlEx::OnSetFocus(HWND) {
    m_hasFocus = true;
    Default();
}

void CEditListCtrlEx::OnKillFocus(HWND) {
    m_hasFocus = false;
    Default();
}

BOOL CEditListCtrlEx::SetItemText(int row, int column, const std::wstring& text) {
    if (row >= 0 && row < m_texts.RowCount() && column >= 0 && column < m_nColumns && m_texts.At(row, column) == text)
        return TRUE;
    return CListCtrl::SetItemText(row, column, text);
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

namespace {
bool LookDifferent(const CellAttr& a, const CellAttr& b) {
    return a.editor != b.editor || a.alignment != b.alignment || a.textColour != b.textColour ||
           a.backColour != b.backColour;
}
}  // namespace

void CEditListCtrlEx::ChangeCell(int row, int column, const CellAttr& attr) {
    CellAttr* cell = Cell(row, column);
    if (!cell)
        return;
    const bool shows = LookDifferent(*cell, attr);
    *cell = attr;
    // While the list's painting is held, the list repaints whole when it
    // resumes; in a batch, the batch's end repaints.
    RECT bounds{};
    if (shows && m_redraw && m_batchDepth == 0 && m_hWnd && CellBounds(row, column, bounds))
        ::InvalidateRect(m_hWnd, &bounds, FALSE);
}

void CEditListCtrlEx::BeginCellBatch() {
    if (m_batchDepth++ == 0)
        m_batchStart = std::make_unique<CellTable>(m_cells);
}

void CEditListCtrlEx::EndCellBatch() {
    if (m_batchDepth <= 0 || --m_batchDepth > 0)
        return;
    const std::unique_ptr<CellTable> start = std::move(m_batchStart);
    if (!start || !m_redraw || !m_hWnd)
        return;
    const int rows = std::min(GetItemCount(), GRID_TABLE_ROWS);
    const int columns = std::min(GetColumnCount(), GRID_TABLE_COLUMNS);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            const size_t r = static_cast<size_t>(row), c = static_cast<size_t>(column);
            RECT bounds{};
            if (LookDifferent((*start)[r][c], m_cells[r][c]) && CellBounds(row, column, bounds))
                ::InvalidateRect(m_hWnd, &bounds, FALSE);
        }
    }
}

void CEditListCtrlEx::SetCellEditable(int row, int column) {
    if (CellAttr* cell = Cell(row, column))
        cell->editable = 1;
}

void CEditListCtrlEx::SetCellEditor(int row, int column, BYTE kind) {
    if (const CellAttr* cell = Cell(row, column)) {
        CellAttr next = *cell;
        next.editor = kind;
        ChangeCell(row, column, next);
    }
}

void CEditListCtrlEx::SetCellList(int row, int column, BYTE number) {
    if (CellAttr* cell = Cell(row, column))
        cell->list = number;
}

void CEditListCtrlEx::SetCellLeftAligned(int row, int column) {
    if (const CellAttr* cell = Cell(row, column)) {
        CellAttr next = *cell;
        next.alignment = ALIGN_LEFT;
        ChangeCell(row, column, next);
    }
}

void CEditListCtrlEx::SetCellTextColor(int row, int column, COLORREF colour) {
    if (const CellAttr* cell = Cell(row, column)) {
        CellAttr next = *cell;
        next.textColour = colour;
        ChangeCell(row, column, next);
    }
}

void CEditListCtrlEx::SetCellBkColor(int row, int column, COLORREF colour) {
    if (const CellAttr* cell = Cell(row, column)) {
        CellAttr next = *cell;
        next.backColour = colour;
        ChangeCell(row, column, next);
    }
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
        ChangeCell(row, column, reset);
}

bool CEditListCtrlEx::CopyCellRow(int from, int to) {
    if (from < 0 || from >= GRID_TABLE_ROWS || to < 0 || to >= GRID_TABLE_ROWS)
        return false;
    const auto source = m_cells[static_cast<size_t>(from)];
    for (int column = 0; column < GRID_TABLE_COLUMNS; ++column)
        ChangeCell(to, column, source[static_cast<size_t>(column)]);
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
    return static_cast<int>(Ask(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
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

LRESULT CEditListCtrlEx::OnSetRedraw(WPARAM wParam, LPARAM) {
    m_redraw = wParam != 0;
    return Default();
}

// Texts set through the wide messages are taken as given; any other way (the
// narrow messages, a text the list asks its parent for) is read back.
template <UINT M>
LRESULT CEditListCtrlEx::OnTextMessage(WPARAM wParam, LPARAM lParam) {
    constexpr bool insert = M == LVM_INSERTITEMW || M == LVM_INSERTITEMA;
    constexpr bool whole = insert || M == LVM_SETITEMW || M == LVM_SETITEMA;
    constexpr bool wide = M == LVM_INSERTITEMW || M == LVM_SETITEMW || M == LVM_SETITEMTEXTW;
    const LRESULT result = Default();
    const auto* item = reinterpret_cast<const LVITEMW*>(lParam);
    if (!item || (insert ? result < 0 : !result))
        return result;
    const int row = insert ? static_cast<int>(result) : whole ? item->iItem : static_cast<int>(wParam);
    const int column = insert ? 0 : item->iSubItem;
    if (insert)
        m_texts.InsertRow(row, L"");
    if (whole && !(item->mask & LVIF_TEXT))
        return result;
    if (wide && item->pszText && item->pszText != LPSTR_TEXTCALLBACKW)
        m_texts.Set(row, column, item->pszText);
    else
        m_texts.Set(row, column, CListCtrl::GetItemText(row, column));
    return result;
}

LRESULT CEditListCtrlEx::OnDeleteItem(WPARAM wParam, LPARAM) {
    const LRESULT result = Default();
    if (result)
        m_texts.DeleteRow(static_cast<int>(wParam));
    return result;
}

LRESULT CEditListCtrlEx::OnDeleteAllItems(WPARAM, LPARAM) {
    const LRESULT result = Default();
    if (result)
        m_texts.Clear();
    return result;
}

// Columns going in or out and sorting move texts between cells the way the
// list decides; the copy is read again from the list then.
LRESULT CEditListCtrlEx::OnColumnsChanged(WPARAM, LPARAM) {
    const LRESULT result = Default();
    ReloadTexts();
    return result;
}

void CEditListCtrlEx::ReloadTexts() {
    m_nColumns = GetColumnCount();
    m_texts.Clear();
    const int rows = CListCtrl::GetItemCount();
    for (int row = 0; row < rows; ++row) {
        m_texts.InsertRow(row, CListCtrl::GetItemText(row, 0));
        for (int column = 1; column < m_nColumns; ++column)
            m_texts.Set(row, column, CListCtrl::GetItemText(row, column));
    }
}
