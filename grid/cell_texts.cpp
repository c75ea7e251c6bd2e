#include "grid/cell_texts.h"

namespace {
const std::wstring kNoText;
}

const std::wstring& CellTexts::At(int row, int column) const {
    if (row < 0 || row >= RowCount() || column < 0)
        return kNoText;
    const auto& cells = m_rows[static_cast<size_t>(row)];
    return static_cast<size_t>(column) < cells.size() ? cells[static_cast<size_t>(column)] : kNoText;
}

void CellTexts::Set(int row, int column, std::wstring text) {
    if (row < 0 || row >= RowCount() || column < 0)
        return;
    auto& cells = m_rows[static_cast<size_t>(row)];
    if (static_cast<size_t>(column) >= cells.size())
        cells.resize(static_cast<size_t>(column) + 1);
    cells[static_cast<size_t>(column)] = std::move(text);
}

void CellTexts::InsertRow(int row, std::wstring text) {
    if (row < 0 || row > RowCount())
        return;
    std::vector<std::wstring> cells(1);
    cells[0] = std::move(text);
    m_rows.insert(m_rows.begin() + row, std::move(cells));
}

void CellTexts::DeleteRow(int row) {
    if (row >= 0 && row < RowCount())
        m_rows.erase(m_rows.begin() + row);
}
