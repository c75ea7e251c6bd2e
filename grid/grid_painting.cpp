// The grid paints its rows itself and draws its grid lines over the list.
// Everything here draws into the DC it is given, so tests can render into a
// bitmap of their own.
#include "framework/palette.h"
#include "framework/gdi.h"
#include "grid/check_box.h"
#include "grid/edit_list_ctrl_ex.h"
#include <algorithm>

namespace {

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
    CBrush brush(::CreateSolidBrush(colour));
    ::FillRect(dc, &rect, brush);
}

UINT AlignmentFormat(BYTE alignment) {
    switch (alignment) {
    case ALIGN_LEFT: return DT_LEFT;
    case ALIGN_RIGHT: return DT_RIGHT;
    default: return DT_CENTER;
    }
}

}  // namespace

COLORREF CEditListCtrlEx::ListBackground() const {
    const COLORREF colour = GetBkColor();
    return colour == CLR_NONE ? ::GetSysColor(COLOR_WINDOW) : colour;
}

// The list reports the whole row as the bounds of column 0; the cell itself
// ends where the column does, so its text and check box stay inside it.
bool CEditListCtrlEx::CellBounds(int row, int column, RECT& bounds) const {
    if (!GetSubItemRect(row, column, LVIR_BOUNDS, bounds))
        return false;
    if (column == 0)
        bounds.right = std::min(bounds.right, bounds.left + GetColumnWidth(0));
    return true;
}

bool CEditListCtrlEx::IsRowHighlighted(int row, bool focused) {
    if (m_bStoredSelection)
        return row == m_nSelectedRow;
    const bool highlighted = (GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) &&
                             (focused || (GetStyle() & LVS_SHOWSELALWAYS));
    if (highlighted)
        m_nSelectedRow = row;
    return highlighted;
}

void CEditListCtrlEx::DrawItem(DRAWITEMSTRUCT* dis) {
    const HDC dc = dis->hDC;
    const int row = static_cast<int>(dis->itemID);
    const bool focused = m_hasFocus;
    const bool highlighted = IsRowHighlighted(row, focused);
    const COLORREF highlight = focused ? GRID_HIGHLIGHT_FOCUSED : GRID_HIGHLIGHT_UNFOCUSED;

    // Puts the DC's text colour and background mode back at the end.
    CTextStyle style(dc, highlighted ? PALETTE_WHITE : PALETTE_BLACK, TRANSPARENT);
    if (highlighted) {
        RECT fill = dis->rcItem;
        if (!m_bHighlightFirstColumn || GetSubItemRect(row, 0, LVIR_BOUNDS, fill))
            FillSolid(dc, fill, highlight);
    } else {
        FillSolid(dc, dis->rcItem, ListBackground());
    }
    if (!(dis->itemAction & ODA_DRAWENTIRE))
        return;

    const int columns = GetColumnCount();
    for (int i = 0; i < columns; ++i) {
        RECT cell{};
        if (!GetSubItemRect(row, i, LVIR_BOUNDS, cell))
            continue;
        if (!highlighted || m_bHighlightFirstColumn) {
            if (highlighted && i == 0) {
                ::SetTextColor(dc, PALETTE_WHITE);
            } else {
                const CellAttr* attr = Cell(row, i);
                if (m_bCellBackgrounds)
                    FillSolid(dc, cell, attr ? attr->backColour : PALETTE_BLACK);
                ::SetTextColor(dc, attr ? attr->textColour : PALETTE_BLACK);
            }
        }
        RECT text{};
        CellBounds(row, i, text);
        text.left += 5;
        text.right -= 1;
        DrawCell(dc, row, i, text);
    }
}

void CEditListCtrlEx::DrawCell(HDC dc, int row, int column, const RECT& textRect) const {
    const CellAttr* attr = Cell(row, column);
    const std::wstring text = GetItemText(row, column);
    if (attr && attr->editor == CELL_CHECK) {
        DrawCheckBox(dc, textRect, IsTickedText(text));
        return;
    }
    RECT rect = textRect;
    const UINT align = AlignmentFormat(attr ? attr->alignment : ALIGN_CENTER);
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect,
                align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void CEditListCtrlEx::DrawGridLines(HDC dc) const {
    if ((GetStyle() & LVS_TYPEMASK) != LVS_REPORT)
        return;
    const RECT client = GetClientRect();
    RECT header{};
    if (HWND headerWnd = GetHeaderCtrl())
        ::GetClientRect(headerWnd, &header);
    const int y0 = header.bottom;

    CPen pen(::CreatePen(PS_SOLID, 1, m_crGridLine));
    CSelect select(dc, pen);
    int x = -::GetScrollPos(m_hWnd, SB_HORZ);
    const int columns = GetColumnCount();
    for (int i = 0; i < columns; ++i) {
        x += GetColumnWidth(i);
        if (x >= client.right)
            break;
        ::MoveToEx(dc, x, y0, nullptr);
        ::LineTo(dc, x, client.bottom);
    }

    RECT first{};
    if (GetItemCount() == 0 || !GetItemRect(0, first, LVIR_BOUNDS))
        return;
    const int height = first.bottom - first.top;
    if (height <= 0)
        return;
    const int fit = (client.bottom - y0) / height;
    for (int k = 1; k <= fit; ++k) {
        const int y = y0 + k * height - 1;
        ::MoveToEx(dc, 0, y, nullptr);
        ::LineTo(dc, client.right, y);
    }
}

// The lines go over what the list has just painted, but not over an open
// editor, which is a child the list's DC does not clip. On screen the list
// paints into this paint DC, so the lines need no second DC of their own.
LRESULT CEditListCtrlEx::OnPaint(WPARAM wParam, LPARAM) {
    if (wParam) {
        const LRESULT result = Default();
        DrawGridLines(reinterpret_cast<HDC>(wParam));
        return result;
    }
    CPaintDC dc(m_hWnd);
    const LRESULT result = DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(static_cast<HDC>(dc)), 0);
    for (HWND editor : {m_edit.m_hWnd, m_combo.m_hWnd}) {
        RECT rect{};
        if (editor && ::GetWindowRect(editor, &rect)) {
            ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
            ::ExcludeClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
        }
    }
    DrawGridLines(dc);
    return result;
}
