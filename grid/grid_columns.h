// The program grid's nine columns: header texts (the same in every language)
// and design widths in pixels.
#pragma once

struct GridColumn {
    const wchar_t* header;
    int width;
};

constexpr int GRID_COLUMN_COUNT = 9;
inline constexpr GridColumn GRID_COLUMNS[GRID_COLUMN_COUNT] = {
    {L"No.", 48}, {L"CMD", 55}, {L"P1", 50}, {L"P2", 40}, {L"P3", 70},
    {L"P4", 45},  {L"P5", 40},  {L"P6", 45}, {L"P7", 40},
};
