#include "model/program_row.h"

std::wstring_view RowText(const wchar_t (&field)[ROW_TEXT_SIZE]) {
    size_t length = 0;
    while (length < ROW_TEXT_SIZE && field[length] != L'\0')
        ++length;
    return {field, length};
}

void SetRowText(wchar_t (&field)[ROW_TEXT_SIZE], std::wstring_view text) {
    const size_t kept = text.size() < ROW_TEXT_MAX ? text.size() : ROW_TEXT_MAX;
    for (size_t i = 0; i < ROW_TEXT_SIZE; ++i)
        field[i] = i < kept ? text[i] : L'\0';
}

int NextLink(const ProgramRow& row) { return static_cast<int>(row.params[0][0]) & 0xFF; }

void SetNextLink(ProgramRow& row, int link) { row.params[0][0] = static_cast<wchar_t>(link & 0xFF); }
