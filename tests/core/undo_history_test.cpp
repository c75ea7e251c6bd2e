#include "model/undo_history.h"
#include "tests/core/test_rows.h"
#include <gtest/gtest.h>

namespace {

// A program of `n` OUT1 rows whose times count up from `first`, then END.
ProgramState Counting(int n, int first = 1, int selected = 0) {
    ProgramState state;
    for (int i = 0; i < n; ++i)
        state.rows.push_back(Row(L"OUT1", {std::to_wstring(first + i).c_str()}));
    state.rows.push_back(Row(L"END"));
    state.selectedRow = selected;
    return state;
}

ProgramState Example(int selected) {
    ProgramState state{ExampleProgram(), selected};
    return state;
}

void ExpectState(const ProgramState* actual, const ProgramState& expected) {
    ASSERT_NE(actual, nullptr);
    EXPECT_TRUE(SameProgram(actual->rows, expected.rows));
    ASSERT_EQ(actual->rows.size(), expected.rows.size());
    for (size_t i = 0; i < actual->rows.size(); ++i)
        EXPECT_EQ(Describe(actual->rows[i]), Describe(expected.rows[i])) << "row " << i;
    EXPECT_EQ(actual->selectedRow, expected.selectedRow);
}

}  // namespace

TEST(UndoHistory, UndoGivesTheStateBeforeAndRedoTheStateAfterEachStep) {
    UndoHistory history;
    const ProgramState start = Counting(2, 1, 0);
    history.Reset(start);
    EXPECT_FALSE(history.CanUndo());
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.Undo(), nullptr);
    EXPECT_EQ(history.Redo(), nullptr);

    // The selection moves between changes: each step keeps its own.
    ProgramState before1 = start;
    before1.selectedRow = 1;
    const ProgramState after1 = Counting(3, 1, 2);
    ProgramState before2 = after1;
    before2.selectedRow = 0;
    const ProgramState after2 = Example(5);
    ASSERT_TRUE(history.Record(before1, after1));
    ASSERT_TRUE(history.Record(before2, after2));
    EXPECT_EQ(history.UndoCount(), 2u);
    ExpectState(&history.Present(), after2);

    ExpectState(history.Undo(), before2);
    ExpectState(history.Undo(), before1);
    EXPECT_EQ(history.Undo(), nullptr);
    EXPECT_EQ(history.RedoCount(), 2u);
    ExpectState(history.Redo(), after1);
    ExpectState(history.Redo(), after2);
    EXPECT_EQ(history.Redo(), nullptr);
    ExpectState(history.Undo(), before2);
    ExpectState(&history.Present(), before2);
}

TEST(UndoHistory, AChangeThatLeftTheTextsAsTheyWereIsNoStep) {
    UndoHistory history;
    history.Reset(Example(0));
    ProgramState checked = Example(3);
    // What the checker writes is not part of the program's text.
    checked.rows[0].errorFlags = ERR_FOR_NO_NEXT;
    checked.rows[2].reachable = 1;
    SetNextLink(checked.rows[5], 0);
    EXPECT_FALSE(history.Record(Example(0), checked));
    EXPECT_FALSE(history.CanUndo());

    // One character, one row more or one row less is a change.
    ProgramState edited = Example(0);
    edited.rows[2].params[0][2] = L'6';
    ProgramState longer = Example(0);
    longer.rows.push_back(Row(L""));
    ProgramState shorter = Example(0);
    shorter.rows.pop_back();
    ProgramState renamed = Example(0);
    renamed.rows[6].code = CMD_UNKNOWN;
    for (const ProgramState* after : {&edited, &longer, &shorter, &renamed})
        EXPECT_TRUE(history.Record(Example(0), *after));
    EXPECT_EQ(history.UndoCount(), 4u);
}

TEST(UndoHistory, AChangeAfterAnUndoDropsTheRedoSteps) {
    UndoHistory history;
    history.Reset(Counting(1));
    for (int i = 1; i <= 4; ++i)
        history.Record(Counting(i), Counting(i + 1));
    history.Undo();
    history.Undo();
    EXPECT_EQ(history.RedoCount(), 2u);
    ASSERT_TRUE(history.Record(Counting(3), Counting(3, 7)));
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.UndoCount(), 3u);
    ExpectState(history.Undo(), Counting(3));
    ExpectState(history.Undo(), Counting(2));
}

TEST(UndoHistory, TwoHundredFiftyChangesKeepTheLastTwoHundred) {
    UndoHistory history;
    history.Reset(Counting(0));
    // Change k turns the program with k-1 rows into one with k rows (k mod 40, so it stays small).
    auto stateAt = [](int k) { return Counting(k % 40, k); };
    for (int k = 1; k <= 250; ++k)
        ASSERT_TRUE(history.Record(stateAt(k - 1), stateAt(k)));
    EXPECT_EQ(history.UndoCount(), UNDO_HISTORY_STEPS);
    for (int k = 250; k > 50; --k)
        ExpectState(history.Undo(), stateAt(k - 1));
    EXPECT_EQ(history.Undo(), nullptr);
    EXPECT_EQ(history.RedoCount(), 200u);
    ExpectState(history.Redo(), stateAt(51));

    UndoHistory small(3);
    small.Reset(Counting(0));
    for (int k = 1; k <= 5; ++k)
        small.Record(stateAt(k - 1), stateAt(k));
    EXPECT_EQ(small.UndoCount(), 3u);
    UndoHistory none(0);  // at least one step is always kept
    none.Reset(Counting(0));
    none.Record(stateAt(0), stateAt(1));
    none.Record(stateAt(1), stateAt(2));
    ExpectState(none.Undo(), stateAt(1));
    EXPECT_EQ(none.Undo(), nullptr);
}

TEST(UndoHistory, TheSavedMarkFollowsUndoAndRedo) {
    UndoHistory history;
    history.Reset(Counting(1));
    EXPECT_FALSE(history.IsSaved());  // nothing known as saved after a reset
    history.MarkSaved();
    EXPECT_TRUE(history.IsSaved());
    history.Record(Counting(1), Counting(2));
    history.Record(Counting(2), Counting(3));
    EXPECT_FALSE(history.IsSaved());
    history.Undo();
    EXPECT_FALSE(history.IsSaved());
    history.Undo();
    EXPECT_TRUE(history.IsSaved());
    history.Redo();
    EXPECT_FALSE(history.IsSaved());

    // Saved in the middle, then undone and redone past it.
    history.MarkSaved();
    history.Undo();
    EXPECT_FALSE(history.IsSaved());
    history.Redo();
    EXPECT_TRUE(history.IsSaved());

    // A new change after undoing past the saved state loses it for good.
    history.Undo();
    history.Record(Counting(1), Counting(1, 9));
    history.Undo();
    EXPECT_FALSE(history.IsSaved());
    history.Redo();
    EXPECT_FALSE(history.IsSaved());
}

TEST(UndoHistory, TheSavedStateIsLostWhenItCannotBeReachedAgain) {
    // Dropped as the oldest.
    UndoHistory history(2);
    history.Reset(Counting(1));
    history.MarkSaved();
    history.Record(Counting(1), Counting(2));
    history.Record(Counting(2), Counting(3));
    history.Undo();
    history.Undo();
    EXPECT_TRUE(history.IsSaved());
    history.Redo();
    history.Redo();
    history.Record(Counting(3), Counting(4));
    history.Undo();
    history.Undo();
    EXPECT_FALSE(history.IsSaved());

    // A change whose "before" is not the saved program: something changed it
    // unrecorded, so undoing this step does not bring the saved program back.
    UndoHistory other;
    other.Reset(Counting(1));
    other.MarkSaved();
    other.Record(Counting(1, 5), Counting(2));
    ExpectState(other.Undo(), Counting(1, 5));
    EXPECT_FALSE(other.IsSaved());

    // A reset forgets it.
    other.MarkSaved();
    other.Reset(Counting(1));
    EXPECT_FALSE(other.IsSaved());
}
