// The undo history of the program being edited: each change is one step that
// holds the program and its selected row before and after it. The history is
// bounded (the oldest steps go first) and remembers which state was last
// saved, so that the modified mark can follow undo and redo.
#pragma once
#include "model/program_row.h"
#include <cstddef>
#include <deque>
#include <vector>

// Steps kept before the oldest are dropped.
constexpr size_t UNDO_HISTORY_STEPS = 200;

// A program as shown: its rows and the selected row (-1 for none).
struct ProgramState {
    std::vector<ProgramRow> rows;
    int selectedRow = -1;
};

// True when both hold the same commands and texts row by row. The fields the
// checker writes (error flags, reachability, a NEXT row's link) are ignored.
bool SameProgram(const std::vector<ProgramRow>& a, const std::vector<ProgramRow>& b);

class UndoHistory {
public:
    explicit UndoHistory(size_t capacity = UNDO_HISTORY_STEPS);

    // Starts again at `present`, with nothing to undo or redo and no state
    // known as saved.
    void Reset(ProgramState present);

    // Records a change from `before` to `after` as the newest step; the steps
    // that could have been redone are dropped. A change that left the rows as
    // they were records nothing and returns false.
    bool Record(ProgramState before, ProgramState after);

    // Takes the newest step back (or the next one again) and returns the state
    // to show; null when there is nothing to undo (redo).
    const ProgramState* Undo();
    const ProgramState* Redo();

    bool CanUndo() const { return m_applied > 0; }
    bool CanRedo() const { return m_applied < m_steps.size(); }
    size_t UndoCount() const { return m_applied; }
    size_t RedoCount() const { return m_steps.size() - m_applied; }

    // The program as the history last left it.
    const ProgramState& Present() const { return m_present; }

    // The present state is the one saved (or opened).
    void MarkSaved();
    // True while the present state is the one last marked saved.
    bool IsSaved() const { return m_saved == static_cast<ptrdiff_t>(m_applied); }

private:
    struct Step {
        ProgramState before;
        ProgramState after;
    };
    static constexpr ptrdiff_t NOT_SAVED = -1;

    size_t m_capacity;
    std::deque<Step> m_steps;
    size_t m_applied = 0;  // steps m_steps[0 .. m_applied-1] are in effect
    ptrdiff_t m_saved = NOT_SAVED;
    ProgramState m_present;
};
