// Attributes of one grid cell and the size of the grid's cell table.
#pragma once
#include <windows.h>

// Editor kinds.
constexpr BYTE CELL_NONE = 0;
constexpr BYTE CELL_EDIT = 1;   // edit box
constexpr BYTE CELL_CHECK = 2;  // check box toggled by a click
constexpr BYTE CELL_COMBO = 3;  // drop-down list

// Alignment codes; any other value centres the text.
constexpr BYTE ALIGN_CENTER = 0;
constexpr BYTE ALIGN_LEFT = 1;
constexpr BYTE ALIGN_RIGHT = 2;

// The cell table covers these row and column positions.
constexpr int GRID_TABLE_ROWS = 256;
constexpr int GRID_TABLE_COLUMNS = 32;

struct CellAttr {
    BYTE editable;   // nonzero: a click may edit the cell
    BYTE editor;     // CELL_NONE .. CELL_COMBO
    BYTE alignment;  // ALIGN_LEFT, ALIGN_RIGHT, otherwise centred
    BYTE list;       // 1-based number of a registered value list; 0 none
    COLORREF textColour;
    COLORREF backColour;  // painted only when the grid paints cell backgrounds
};

// A cell as the grid is constructed: all zero (centred, black text) on white.
constexpr CellAttr ConstructedCell() {
    return CellAttr{0, CELL_NONE, ALIGN_CENTER, 0, RGB(0, 0, 0), RGB(255, 255, 255)};
}
// A cell after ResetCells: left-aligned, black text on the list's background.
constexpr CellAttr ResetCell(COLORREF listBackground) {
    return CellAttr{0, CELL_NONE, ALIGN_LEFT, 0, RGB(0, 0, 0), listBackground};
}
