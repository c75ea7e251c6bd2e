#include "model/undo_history.h"
#include "model/vocabulary.h"
#include <algorithm>
#include <utility>

namespace {

bool SameField(const wchar_t (&a)[ROW_TEXT_SIZE], const wchar_t (&b)[ROW_TEXT_SIZE]) {
    return RowText(a) == RowText(b);
}

bool SameRow(const ProgramRow& a, const ProgramRow& b) {
    if (a.code != b.code || !SameField(a.name, b.name))
        return false;
    // A NEXT row's first slot holds the checker's link, not text.
    const int first = a.code == CMD_NEXT ? 1 : 0;
    for (int slot = first; slot < ROW_PARAM_SLOTS; ++slot) {
        if (!SameField(a.params[slot], b.params[slot]))
            return false;
    }
    return true;
}

}  // namespace

bool SameProgram(const std::vector<ProgramRow>& a, const std::vector<ProgramRow>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), SameRow);
}

UndoHistory::UndoHistory(size_t capacity) : m_capacity(std::max<size_t>(capacity, 1)) {}

void UndoHistory::Reset(ProgramState present) {
    m_steps.clear();
    m_applied = 0;
    m_saved = NOT_SAVED;
    m_present = std::move(present);
}

bool UndoHistory::Record(ProgramState before, ProgramState after) {
    if (SameProgram(before.rows, after.rows))
        return false;
    m_steps.erase(m_steps.begin() + static_cast<ptrdiff_t>(m_applied), m_steps.end());
    // The saved state is out of reach once it was among the dropped steps, or
    // when something unrecorded changed the program after it.
    if (m_saved > static_cast<ptrdiff_t>(m_applied) ||
        (m_saved == static_cast<ptrdiff_t>(m_applied) && !SameProgram(before.rows, m_present.rows)))
        m_saved = NOT_SAVED;
    m_present = after;
    m_steps.push_back(Step{std::move(before), std::move(after)});
    ++m_applied;
    if (m_steps.size() > m_capacity) {
        m_steps.pop_front();
        --m_applied;
        m_saved = m_saved > 0 ? m_saved - 1 : NOT_SAVED;
    }
    return true;
}

const ProgramState* UndoHistory::Undo() {
    if (!CanUndo())
        return nullptr;
    --m_applied;
    m_present = m_steps[m_applied].before;
    return &m_present;
}

const ProgramState* UndoHistory::Redo() {
    if (!CanRedo())
        return nullptr;
    m_present = m_steps[m_applied].after;
    ++m_applied;
    return &m_present;
}

void UndoHistory::MarkSaved() { m_saved = static_cast<ptrdiff_t>(m_applied); }
