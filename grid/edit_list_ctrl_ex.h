// CEditListCtrlEx: the program grid. A report-view list with owner-drawn rows,
// per-cell attributes, its own grid lines and in-place editors (drop-down,
// edit box, check box). It writes an edited text back into its cell and then
// reports the end of editing to its parent (grid/grid_messages.h).
#pragma once
#include "framework/palette.h"
#include "framework/list_ctrl.h"
#include "grid/cell_attr.h"
#include "grid/cell_texts.h"
#include "grid/item_editors.h"
#include <array>
#include <memory>
#include <string>
#include <vector>

constexpr int MAX_VALUE_LISTS = 16;
// Control ids of the in-place editors, children of the grid.
constexpr UINT GRID_EDIT_ID = 1;
constexpr UINT GRID_COMBO_ID = 2;
// Height of the drop-down including its opened list.
constexpr int GRID_COMBO_HEIGHT = 400;
constexpr COLORREF GRID_HIGHLIGHT_FOCUSED = PALETTE_SELECTION_FOCUSED;
constexpr COLORREF GRID_HIGHLIGHT_UNFOCUSED = PALETTE_SELECTION;

class CEditListCtrlEx : public CListCtrl {
public:
    CEditListCtrlEx();
    ~CEditListCtrlEx() override;

    // Deletes all rows and columns, then inserts the nine program columns.
    void SetUpColumns();

    // Cell texts come from a copy kept beside the list, so reading one costs
    // no message; setting a cell to the text it has sends nothing.
    std::wstring GetItemText(int row, int column) const { return m_texts.At(row, column); }
    const std::wstring& CellText(int row, int column) const { return m_texts.At(row, column); }
    BOOL SetItemText(int row, int column, const std::wstring& text);

    // Cell attributes. A row outside 0..255 or a column outside 0..31 is
    // ignored. A change that shows repaints that cell alone.
    void SetCellEditable(int row, int column);
    void SetCellEditor(int row, int column, BYTE kind);
    void SetCellList(int row, int column, BYTE number);
    void SetCellLeftAligned(int row, int column);
    void SetCellTextColor(int row, int column, COLORREF colour);
    void SetCellBkColor(int row, int column, COLORREF colour);
    // Resets `count` cells of a row from `firstColumn` on (a negative first
    // column counts as 0, a negative count as all) to the reset default.
    void ResetCells(int row, int firstColumn, int count);
    // The attributes of a cell, or null outside the table.
    CellAttr* Cell(int row, int column);
    const CellAttr* Cell(int row, int column) const;
    // Copies all attributes of table row `from` to row `to`; the table does not
    // follow inserted or deleted list rows, the caller moves them with this.
    bool CopyCellRow(int from, int to);
    // Attribute changes between the two are shown when the outermost batch
    // ends, and only in cells that end up looking different from how they
    // began: filling a row again with what it held repaints nothing.
    void BeginCellBatch();
    void EndCellBatch();

    // Registers a copy of `count` texts (null entries skipped, a null array
    // gives an empty list). Returns the list's 0-based index (cells use it + 1),
    // or -1 when 16 lists are registered already.
    int AddValueList(int count, const wchar_t* const* texts);
    void ClearValueLists();
    int GetValueListCount() const { return m_nValueLists; }

    // The first selected row, or -1.
    int GetSelectedRow() const;
    // Selects `row` only; a row outside the list selects none (-1).
    void SelectRow(int row);

    // True while an in-place editor is open.
    bool IsEditing() const;
    // Commits an open editor into its own cell and delivers its end-of-edit
    // report (and any report still queued) to the parent before returning,
    // so that the parent may then move rows safely.
    void EndEditing();

    // Makes the list measure its rows again (after a change of m_nRowHeight).
    void RemeasureRows();
    // Row and column of the cell label under a client point, false for none.
    bool CellFromPoint(POINT point, int& row, int& column) const;
    // Draws the grid lines over the list into any DC of the client area.
    void DrawGridLines(HDC dc) const;

    // Framework hooks.
    void PreSubclassWindow() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void DrawItem(DRAWITEMSTRUCT* dis) override;
    void MeasureItem(MEASUREITEMSTRUCT* mis) override;

    BOOL m_bStoredSelection = FALSE;  // highlight m_nSelectedRow, report double-clicks
    int m_nSelectedRow = -1;
    // Kept from the focus messages: each row's paint asks, and under Wine
    // GetFocus is a window-server trip.
    bool m_hasFocus = false;
    BOOL m_bHighlightFirstColumn = FALSE;  // highlight the selected row in column 0 only
    BOOL m_bCellBackgrounds = FALSE;       // paint each cell's own background
    COLORREF m_crGridLine = RGB(150, 150, 150);
    int m_nRowHeight = 0;  // 0 or less keeps the platform's row height

private:
    // Clicks and editors.
    void OnClick(NMHDR* hdr, LRESULT* result);
    void OnDblClick(NMHDR* hdr, LRESULT* result);
    void OnLButtonDown(UINT flags, POINT point);
    LRESULT OnGridKillFocus(WPARAM, LPARAM);
    void OnSetFocus(HWND other);
    void OnKillFocus(HWND other);
    void OnVScroll(UINT code, UINT pos, HWND bar);
    BOOL OnSetCursor(HWND hwnd, UINT hitTest, UINT mouseMsg);
    LRESULT OnPaint(WPARAM wParam, LPARAM);
    LRESULT OnSetRedraw(WPARAM wParam, LPARAM);
    // Keeping m_texts in step with the list's own texts.
    template <UINT M>
    LRESULT OnTextMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnDeleteItem(WPARAM wParam, LPARAM);
    LRESULT OnDeleteAllItems(WPARAM, LPARAM);
    LRESULT OnColumnsChanged(WPARAM, LPARAM);
    void ReloadTexts();
    void ToggleCheckBox(POINT point);
    void OpenComboBox();
    void OpenEditBox();
    // `keep` false cancels: the cell keeps the text it had when the editor opened.
    void CloseEditors(bool keep);
    void CloseEditBox(bool keep);
    void CloseComboBox(bool keep);
    void OnComboSelEndOk();
    void ReportEditEnd(UINT message, bool changed);
    bool IsEditorCell(int row, int column, BYTE kind) const;
    bool EditorHasFocus() const;

    // Drawing.
    bool IsRowHighlighted(int row, bool focused);
    bool CellBounds(int row, int column, RECT& bounds) const;
    // Stores a cell's attributes and repaints the cell when its looks changed.
    void ChangeCell(int row, int column, const CellAttr& attr);
    void DrawCell(HDC dc, int row, int column, const RECT& textRect) const;
    COLORREF ListBackground() const;

    DWORD m_editStyle = WS_CHILD | WS_VISIBLE | WS_BORDER;
    DWORD m_comboStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_NOINTEGRALHEIGHT;
    CItemEditEx m_edit;
    CItemComboEx m_combo;
    using CellTable = std::array<std::array<CellAttr, GRID_TABLE_COLUMNS>, GRID_TABLE_ROWS>;
    CellTable m_cells;
    int m_batchDepth = 0;
    std::unique_ptr<CellTable> m_batchStart;  // the table as the outermost batch found it
    CellTexts m_texts;
    int m_nColumns = 0;    // the list's column count, kept with m_texts
    bool m_redraw = true;  // false while WM_SETREDRAW holds the list's painting
    int m_nCurrentRow = -1;
    int m_nCurrentColumn = -1;
    std::wstring m_savedText;
    int m_openedSelection = -1;  // the drop-down's selection when it opened
    bool m_entryChosen = false;  // the user confirmed an entry in the open drop-down
    int m_nEditRow = -1;
    int m_nEditColumn = -1;
    int m_nValueLists = 0;
    std::array<std::vector<std::wstring>, MAX_VALUE_LISTS> m_valueLists;

    DECLARE_MESSAGE_MAP()
};

// A cell batch for the life of the object.
class CCellBatch {
public:
    explicit CCellBatch(CEditListCtrlEx& grid) : m_grid(grid) { m_grid.BeginCellBatch(); }
    ~CCellBatch() { m_grid.EndCellBatch(); }
    CCellBatch(const CCellBatch&) = delete;
    CCellBatch& operator=(const CCellBatch&) = delete;

private:
    CEditListCtrlEx& m_grid;
};
