// The check box a CELL_CHECK cell shows: its square, its drawing and the
// text that reads as ticked.
#pragma once
#include <windows.h>
#include <string>
#include <string_view>

constexpr int CHECK_BOX_MIN_SIDE = 8;
constexpr int CHECK_BOX_MAX_SIDE = 18;
constexpr COLORREF CHECK_BOX_FRAME = RGB(100, 110, 160);
constexpr COLORREF CHECK_BOX_TICK = RGB(50, 160, 80);

// The square centred in `area`, its side the smaller extent capped at 18;
// false when that side is below 8 (nothing is drawn and no click hits).
bool CheckBoxSquare(const RECT& area, RECT& square);
// Draws the square of `area` framed, with a tick when `ticked`.
void DrawCheckBox(HDC dc, const RECT& area, bool ticked);

// A cell text with white space trimmed from both ends.
std::wstring_view TrimmedCellText(std::wstring_view text);
// A check cell is ticked when its trimmed text is "1".
bool IsTickedText(std::wstring_view text);
