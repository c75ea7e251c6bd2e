// The grid's cell texts, kept beside the list view so that reading a cell
// costs no message.
#pragma once
#include <string>
#include <vector>

class CellTexts {
public:
    // The text of a cell; empty outside the rows and columns held.
    const std::wstring& At(int row, int column) const;
    void Set(int row, int column, std::wstring text);
    // A new row at `row` (0..count) whose first cell holds `text`.
    void InsertRow(int row, std::wstring text);
    void DeleteRow(int row);
    void Clear() { m_rows.clear(); }
    int RowCount() const { return static_cast<int>(m_rows.size()); }

private:
    std::vector<std::vector<std::wstring>> m_rows;
};
