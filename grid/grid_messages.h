// Private messages of the program grid and its in-place editors.
#pragma once
#include <windows.h>

// Editor -> grid: the editor has lost the keyboard focus (posted after its
// own focus-loss processing). wParam 0, lParam 0.
constexpr UINT WM_GRID_KILLFOCUS = WM_USER + 100;
// Grid -> parent: the edit box has closed. wParam: row in the low 16 bits,
// column in the high 16 bits. lParam: 1 when the text was changed, else 0.
constexpr UINT WM_GRID_EDITEND = WM_USER + 101;
// Grid -> parent: the drop-down has closed. wParam: row in the low 16 bits,
// column in the high 16 bits. lParam: 1 when an entry was chosen and differs
// from the cell's previous text, else 0.
constexpr UINT WM_GRID_COMBOEND = WM_USER + 103;
// Grid -> parent: a double-click while the grid keeps its own stored
// selection. wParam: row. lParam: column.
constexpr UINT WM_GRID_DBLCLK = WM_USER + 104;

// The cell of an end-of-edit report, packed as its wParam.
constexpr WPARAM GridCellParam(int row, int column) {
    return (static_cast<WPARAM>(static_cast<unsigned>(column) & 0xFFFF) << 16) | (static_cast<unsigned>(row) & 0xFFFF);
}
