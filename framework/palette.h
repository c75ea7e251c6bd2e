// The colours several controls share, declared once so that the grid, the
// flowchart, the buttons and the menus keep matching when one changes.
#pragma once
#include <windows.h>

constexpr COLORREF PALETTE_BLACK = RGB(0, 0, 0);
constexpr COLORREF PALETTE_WHITE = RGB(255, 255, 255);
// The main window's background; the context menu wears it too.
constexpr COLORREF PALETTE_WINDOW_BACKGROUND = RGB(255, 200, 130);
// A selected row (grid) or element band (flowchart) while its control has the
// focus, and the highlighted menu item.
constexpr COLORREF PALETTE_SELECTION_FOCUSED = RGB(60, 60, 200);
// The same selection while the control does not have the focus.
constexpr COLORREF PALETTE_SELECTION = RGB(150, 160, 255);
// Row numbers and parameters in the grid and the flowchart.
constexpr COLORREF PALETTE_NUMBER_TEXT = RGB(10, 10, 35);
// Command cells of the grid and the command buttons.
constexpr COLORREF PALETTE_COMMAND_BACKGROUND = RGB(160, 255, 255);
// Faulty rows and unreachable elements.
constexpr COLORREF PALETTE_ERROR = RGB(255, 0, 0);
