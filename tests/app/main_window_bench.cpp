// Figures, not limits: the re-check and redraw after one edit of a 50-row
// program, its undo and redo, and a full resize of the main window, measured under Wine.
#include "grid/grid_messages.h"
#include "model/checker.h"
#include "model/vocabulary.h"
#include "tests/app/main_window_test_support.h"
#include <cstdio>
#include <cstring>
#include <functional>

using namespace mw_test;

namespace {

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Report(const char* what, int runs, const std::function<void(int)>& run) {
    LARGE_INTEGER start, end;
    ::QueryPerformanceCounter(&start);
    for (int i = 0; i < runs; ++i)
        run(i);
    ::QueryPerformanceCounter(&end);
    std::printf("%-58s %8.3f ms per run (%d runs)\n", what, Milliseconds(start, end) / runs, runs);
}

// 50 rows: FOR, then IF, outputs, stops and jumps in turn, then NEXT and END.
void ShowLongProgram(MainWindowHarness& w) {
    struct Line {
        const wchar_t* name;
        const wchar_t* p1;
        const wchar_t* p3;
    };
    const Line body[] = {{L"IF", L"IN1", L"100"},
                         {L"OUT1", L"0.5", nullptr},
                         {L"OUT2", L"2", nullptr},
                         {L"STOP", L"1", nullptr},
                         {L"GOTO", L"3", nullptr}};
    std::memset(w.m_rows, 0, sizeof w.m_rows);
    for (int i = 0; i < MAX_ROWS; ++i) {
        const Line line = i == 0              ? Line{L"FOR", L"\u221E", nullptr}
                          : i == MAX_ROWS - 2 ? Line{L"NEXT", nullptr, nullptr}
                          : i == MAX_ROWS - 1 ? Line{L"END", nullptr, nullptr}
                                              : body[(i - 1) % 5];
        ProgramRow& row = w.m_rows[i];
        SetRowText(row.name, line.name);
        if (line.p1)
            SetRowText(row.params[0], line.p1);
        if (line.p3)
            SetRowText(row.params[2], line.p3);
        row.code = static_cast<int16_t>(FindCommand(line.name));
    }
    w.m_rowCount = MAX_ROWS;
    w.RowsToGrid();
    w.RecheckAndRedraw();
    w.Pump();
}

void Paint(MainWindowHarness& w) { ::RedrawWindow(w, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }

}  // namespace

TEST_F(MainWindowTest, EditAndResizeFigures) {
    MainWindowHarness window;
    window.Run([](MainWindowHarness& w) {
        ShowLongProgram(w);
        ASSERT_EQ(w.m_grid.GetItemCount(), MAX_ROWS);
        std::printf("\nMain window, 50-row program, under Wine:\n");
        Report("RecheckAndRedraw alone", 40, [&](int) { w.RecheckAndRedraw(); });
        Report("  of it: GridToRows", 40, [&](int) { w.GridToRows(); });
        Report("  of it: CheckProgram", 40, [&](int) { CheckProgram(w.m_rows, w.m_rowCount); });
        Report("  of it: MarkErrorRows", 40, [&](int) { w.MarkErrorRows(true); });
        Report("  of it: the flowchart's SetProgram", 40, [&](int) { w.m_chart.SetProgram(w.m_rows, w.m_rowCount); });
        Report("RecheckAndRedraw and the repaint it causes", 20, [&](int) {
            w.RecheckAndRedraw();
            Paint(w);
        });
        Report("one edit: drop-down report of an OUT1 time, repainted", 20, [&](int i) {
            w.m_grid.SetItemText(1, 2, i % 2 ? L"0.5" : L"1");
            w.SendMessage(WM_GRID_COMBOEND, GridCellParam(1, 2), 1);
            Paint(w);
        });
        Report("ShownProgram: the program read for a step of the history", 40, [&](int) { w.ShownProgram(); });
        Report("undo or redo of one edit, repainted", 20, [&](int i) {
            if (i % 2)
                w.RedoChange();
            else
                w.UndoChange();
            Paint(w);
        });
        Report("full resize within one font size (1000x700 <-> 1100x760)", 10, [&](int i) {
            ::SetWindowPos(w, nullptr, 0, 0, i % 2 ? 1000 : 1100, i % 2 ? 700 : 760, SWP_NOMOVE | SWP_NOZORDER);
            Paint(w);
        });
        Report("full resize across a font step (1000x700 <-> 1700x900)", 10, [&](int i) {
            ::SetWindowPos(w, nullptr, 0, 0, i % 2 ? 1000 : 1700, i % 2 ? 700 : 900, SWP_NOMOVE | SWP_NOZORDER);
            Paint(w);
        });
        std::fflush(stdout);
    });
}
