// How the device runs a program, simulated: four inputs, four outputs, a clock
// in tenths of a second and the rules of every command. Every rule of running
// lives here, so that the editor's simulator and velmora-cli agree.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/program_row.h"

constexpr int RUN_INPUT_COUNT = 4;  // IN1 light (lux), IN2 sound (dB), IN3 temperature (℃), IN4 switch
constexpr int RUN_OUTPUT_COUNT = 4;
constexpr int64_t RUN_NEVER = INT64_MAX;  // the time of a wait that never ends
constexpr int BUSY_LOOP_STEPS = 10000;    // steps without time passing before a run pauses

// The values an input can take, and the one it has at the start of a run.
struct InputRange {
    int low;
    int high;
    int start;
};
inline constexpr InputRange InputRanges[RUN_INPUT_COUNT] = {{0, 100000, 0}, {0, 100, 0}, {-15, 55, 20}, {0, 1, 0}};

enum class RunState {
    Ready,     // the running row is about to run
    Waiting,   // an output or stop row waits until WaitEnd()
    Holding,   // an "∞" output or stop: the program stays on this row
    Ended,     // END or past the last row: outputs off
    BusyLoop,  // paused after BUSY_LOOP_STEPS steps in which no time passed
};

struct RunEvent {
    enum Kind { RowRun, OutputsChanged };
    Kind kind;
    int64_t time;      // tenths of a second
    int row;           // RowRun: 0-based row
    unsigned outputs;  // OutputsChanged: bit 0 is OUT1
};

struct ActiveLoop {
    int forRow;    // 0-based row of the FOR
    int runsLeft;  // runs of the body left, the current one included; -1 for "∞"
};

class DeviceRun {
public:
    DeviceRun();

    // Copies and checks the rows (count is clamped to 0..MAX_ROWS) and starts
    // afresh. Returns the 0-based first faulty row, or -1 when the program
    // runs; a faulty program is Ended at once.
    int Load(const ProgramRow* rows, int count);
    // Back to row 1 with the clock at 0 and outputs off; inputs are kept.
    void Restart();

    RunState State() const { return m_state; }
    int64_t Clock() const { return m_clock; }
    int64_t WaitEnd() const { return m_waitEnd; }
    // The running row (0-based), -1 once the run has ended.
    int Row() const { return m_state == RunState::Ended ? -1 : m_row; }
    unsigned Outputs() const { return m_outputs; }
    std::vector<ActiveLoop> ActiveLoops() const;
    // BusyLoop: the distinct rows of the steps that took no time, ascending.
    std::vector<int> BusyRows() const;
    // When the next thing happens: the clock when a row is due, the end of a
    // wait, RUN_NEVER when holding, ended or paused in a busy loop.
    int64_t NextEventTime() const;

    int Input(int input) const;
    // Clamps the value into the input's range; an unknown input is ignored.
    void SetInput(int input, int value);

    // The next single thing: the end of the current wait, or the running row.
    void StepOne(std::vector<RunEvent>* events = nullptr);
    // One row: ends a wait first when one is going on, then runs the next row.
    void StepRow(std::vector<RunEvent>* events = nullptr);
    // Everything due up to `time`; the clock then reads `time` unless the run
    // ended or paused earlier.
    void RunUntil(int64_t time, std::vector<RunEvent>* events = nullptr);
    // Leaves a busy-loop pause: the run goes on with a fresh count of steps.
    void Resume();

private:
    struct Step {
        int code = 0;
        int64_t duration = 0;  // output and stop rows; RUN_NEVER for "∞"
        unsigned outputs = 0;
        int jump = -1;      // GOTO, THEN
        int elseJump = -1;  // ELSE
        int forRow = -1;    // NEXT: its FOR
        int loopCount = 0;  // FOR: 0 for "∞"
        int input = -1;     // IF: -1 when its input, comparison or value is not a listed one
        int comparator = 0;
        int value = 0;
    };

    void Emit(std::vector<RunEvent>* events, RunEvent event) const;
    void SetOutputs(unsigned outputs, std::vector<RunEvent>* events);
    void AdvanceClock(int64_t time);
    void MoveTo(int row, std::vector<RunEvent>* events);
    void End(std::vector<RunEvent>* events);
    void RunRow(std::vector<RunEvent>* events);
    int NextRowOf(const Step& step) const;

    std::vector<Step> m_steps;
    int m_inputs[RUN_INPUT_COUNT];
    int m_loopLeft[MAX_ROWS];  // per FOR row: 0 inactive, -1 forever, else runs left
    RunState m_state = RunState::Ended;
    int m_row = 0;
    int64_t m_clock = 0;
    int64_t m_waitEnd = 0;
    unsigned m_outputs = 0;
    int m_stepsWithoutTime = 0;
    uint64_t m_rowsWithoutTime = 0;
};

// The row as the grid shows it: its command and parameter texts joined by
// single spaces, empty slots left out ("IF IN1 ≧ 100 THEN 3 ELSE 5").
std::wstring RunRowText(const ProgramRow& row);

// Rows as the learner counts them, 1-based: "4", "4–6" for a run of rows,
// "2, 4–6" for more; `separator` joins the runs.
std::wstring RowRangesText(const std::vector<int>& rows, std::wstring_view separator);
