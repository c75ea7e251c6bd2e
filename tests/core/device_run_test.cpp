#include <gtest/gtest.h>

#include "model/device_run.h"
#include "tests/core/test_rows.h"

namespace {

constexpr int LIGHT = 0, SOUND = 1, TEMPERATURE = 2, SWITCH = 3;

// The run as short lines: "12 r3" a row run at 1.2 s, "12 o1000" the outputs.
std::vector<std::string> Trace(DeviceRun& run, int64_t until) {
    std::vector<RunEvent> events;
    run.RunUntil(until, &events);
    std::vector<std::string> lines;
    for (const RunEvent& e : events) {
        std::string line = std::to_string(e.time) + " ";
        if (e.kind == RunEvent::RowRun) {
            line += 'r';
            line += std::to_string(e.row + 1);
        } else {
            line += "o";
            for (int i = 0; i < 4; ++i)
                line += e.outputs & (1u << i) ? '1' : '0';
        }
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> TraceOf(std::vector<ProgramRow> rows, int64_t until) {
    DeviceRun run;
    EXPECT_EQ(run.Load(rows.data(), static_cast<int>(rows.size())), -1);
    return Trace(run, until);
}

using Lines = std::vector<std::string>;

int RowsRun(const Lines& lines, int row) {
    return static_cast<int>(std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
        return line.substr(line.find(' ')) == std::string(" r") + std::to_string(row);
    }));
}

}  // namespace

TEST(DeviceRun, EachOutputCommandLightsItsOutputsForItsTime) {
    const struct {
        const wchar_t* command;
        const char* lit;
    } cases[] = {{L"OUT1", "o1000"},  {L"OUT2", "o0100"},  {L"OUT3", "o0010"},  {L"OUT4", "o0001"},
                 {L"OUT12", "o1100"}, {L"OUT13", "o1010"}, {L"OUT23", "o0110"}, {L"OUT123", "o1110"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.lit);
        EXPECT_EQ(TraceOf({Row(c.command, {L"0.3"}), Row(L"OUT1", {L"2"}), Row(L"END")}, 100),
                  (Lines{"0 r1", std::string("0 ") + c.lit, "3 o0000", "3 r2", "3 o1000", "23 o0000", "23 r3"}));
    }
}

TEST(DeviceRun, TimesReadAsTheDeviceReadsThem) {
    const struct {
        const wchar_t* time;
        int64_t tenths;
    } cases[] = {{L"0.1", 1}, {L"0.9", 9}, {L"1", 10}, {L"2", 20}, {L"99", 990}, {L"abc", 0}};
    for (const auto& c : cases) {
        auto rows = std::vector<ProgramRow>{Row(L"STOP", {c.time}), Row(L"END")};
        DeviceRun run;
        run.Load(rows.data(), 2);
        run.StepOne();
        EXPECT_EQ(run.State(), RunState::Waiting);
        EXPECT_EQ(run.WaitEnd(), c.tenths);
        run.RunUntil(2000);
        EXPECT_EQ(run.State(), RunState::Ended);
        EXPECT_EQ(run.Clock(), c.tenths) << "the run ends when the stop does";
    }
}

TEST(DeviceRun, StopWaitsWithOutputsOff) {
    EXPECT_EQ(TraceOf({Row(L"STOP", {L"1"}), Row(L"OUT4", {L"0.5"}), Row(L"STOP", {L"0.2"}), Row(L"END")}, 100),
              (Lines{"0 r1", "10 r2", "10 o0001", "15 o0000", "15 r3", "17 r4"}));
}

TEST(DeviceRun, ForeverOutputsAndStopsHoldTheirRow) {
    for (const wchar_t* command : {L"OUT13", L"STOP"}) {
        auto rows = std::vector<ProgramRow>{Row(command, {L"\u221E"}), Row(L"END")};
        DeviceRun run;
        run.Load(rows.data(), 2);
        run.RunUntil(100000);
        EXPECT_EQ(run.State(), RunState::Holding);
        EXPECT_EQ(run.Row(), 0);
        EXPECT_EQ(run.Clock(), 100000) << "the clock goes on";
        EXPECT_EQ(run.Outputs(), command[0] == L'O' ? 0x5u : 0u);
        EXPECT_EQ(run.NextEventTime(), RUN_NEVER);
        run.StepRow();
        EXPECT_EQ(run.Row(), 0) << "Step does not leave a row that holds";
    }
}

TEST(DeviceRun, GotoJumpsAndEndStops) {
    EXPECT_EQ(
        TraceOf({Row(L"GOTO", {L"4"}), Row(L"OUT1", {L"1"}), Row(L"END"), Row(L"OUT2", {L"1"}), Row(L"GOTO", {L"2"})},
                100),
        (Lines{"0 r1", "0 r4", "0 o0100", "10 o0000", "10 r5", "10 r2", "10 o1000", "20 o0000", "20 r3"}));
}

TEST(DeviceRun, RunningOffTheEndAndEmptyRows) {
    auto rows = std::vector<ProgramRow>{Row(L"OUT1", {L"1"}), Row(L""), Row(L""), Row(L"OUT2", {L"1"}), Row(L"")};
    DeviceRun run;
    ASSERT_EQ(run.Load(rows.data(), 5), -1);
    EXPECT_EQ(Trace(run, 100), (Lines{"0 r1", "0 o1000", "10 o0000", "10 r4", "10 o0100", "20 o0000"}))
        << "empty rows are passed over without a trace";
    EXPECT_EQ(run.State(), RunState::Ended);
    EXPECT_EQ(run.Row(), -1);
    EXPECT_EQ(run.Clock(), 20);

    DeviceRun empty;
    EXPECT_EQ(empty.Load(nullptr, 3), -1);
    EXPECT_EQ(empty.State(), RunState::Ended);
    auto blank = std::vector<ProgramRow>{Row(L"")};
    EXPECT_EQ(empty.Load(blank.data(), 1), -1);
    EXPECT_EQ(empty.State(), RunState::Ended);
}

TEST(DeviceRun, ForRunsItsBodyNTimes) {
    for (int n : {1, 2, 7, 100}) {
        const std::wstring count = std::to_wstring(n);
        const auto lines = TraceOf(
            {Row(L"FOR", {count.c_str()}), Row(L"OUT1", {L"0.1"}), Row(L"NEXT"), Row(L"OUT2", {L"0.1"}), Row(L"END")},
            100000);
        EXPECT_EQ(RowsRun(lines, 2), n);
        EXPECT_EQ(RowsRun(lines, 3), n);
        EXPECT_EQ(RowsRun(lines, 4), 1);
        EXPECT_EQ(lines.back(), std::to_string(n + 1) + " r5");
    }
}

TEST(DeviceRun, NestedLoopsRunTheInnerBodyOuterTimesInnerTimes) {
    const auto lines = TraceOf({Row(L"FOR", {L"3"}), Row(L"OUT1", {L"0.1"}), Row(L"FOR", {L"2"}),
                                Row(L"OUT2", {L"0.1"}), Row(L"NEXT"), Row(L"NEXT"), Row(L"END")},
                               100000);
    EXPECT_EQ(RowsRun(lines, 1), 1);
    EXPECT_EQ(RowsRun(lines, 2), 3);
    EXPECT_EQ(RowsRun(lines, 3), 3) << "the inner FOR starts its count afresh each time";
    EXPECT_EQ(RowsRun(lines, 4), 6);
    EXPECT_EQ(RowsRun(lines, 6), 3);
    EXPECT_EQ(RowsRun(lines, 7), 1);
}

TEST(DeviceRun, ActiveLoopsShowTheRunsLeft) {
    auto rows = std::vector<ProgramRow>{Row(L"FOR", {L"3"}), Row(L"FOR", {L"\u221E"}), Row(L"STOP", {L"1"}),
                                        Row(L"NEXT"), Row(L"NEXT")};
    DeviceRun run;
    run.Load(rows.data(), 5);
    EXPECT_TRUE(run.ActiveLoops().empty());
    run.StepRow();
    ASSERT_EQ(run.ActiveLoops().size(), 1u);
    EXPECT_EQ(run.ActiveLoops()[0].forRow, 0);
    EXPECT_EQ(run.ActiveLoops()[0].runsLeft, 3);
    run.StepRow();
    ASSERT_EQ(run.ActiveLoops().size(), 2u);
    EXPECT_EQ(run.ActiveLoops()[1].forRow, 1);
    EXPECT_EQ(run.ActiveLoops()[1].runsLeft, -1);
    run.RunUntil(1000);
    EXPECT_EQ(run.State(), RunState::Waiting) << "the inner loop never ends";
    EXPECT_EQ(run.ActiveLoops()[0].runsLeft, 3);
}

TEST(DeviceRun, ForeverLoopGoesRoundUntilTheClockStops) {
    const auto lines = TraceOf({Row(L"FOR", {L"\u221E"}), Row(L"OUT1", {L"1"}), Row(L"NEXT"), Row(L"END")}, 100);
    EXPECT_EQ(RowsRun(lines, 2), 11);
    EXPECT_EQ(RowsRun(lines, 4), 0);
}

TEST(DeviceRun, NextWhoseForNeverRanGoesOn) {
    // Line 1 jumps into the loop's body: the NEXT finds no count and goes on.
    EXPECT_EQ(
        TraceOf({Row(L"GOTO", {L"3"}), Row(L"FOR", {L"2"}), Row(L"OUT1", {L"1"}), Row(L"NEXT"), Row(L"END")}, 100),
        (Lines{"0 r1", "0 r3", "0 o1000", "10 o0000", "10 r4", "10 r5"}));
}

TEST(DeviceRun, EveryInputWithEveryComparator) {
    const struct {
        int input;
        const wchar_t* inputText;
        const wchar_t* value;
        int below, equal, above;
    } inputs[] = {{LIGHT, L"IN1", L"100", 90, 100, 200},
                  {SOUND, L"IN2", L"40", 39, 40, 41},
                  {TEMPERATURE, L"IN3", L"-5", -6, -5, -4},
                  {SWITCH, L"IN4", L"ON", -1, 1, -1},
                  {SWITCH, L"IN4", L"OFF", -1, 0, 1}};
    const struct {
        const wchar_t* text;
        bool below, equal, above;
    } comparators[] = {{L"\u2267", false, true, true}, {L"\u2266", true, true, false}, {L"\uFF1D", false, true, false}};
    for (const auto& in : inputs) {
        for (const auto& cmp : comparators) {
            const std::vector<ProgramRow> rows = {
                Row(L"IF", {in.inputText, cmp.text, in.value, L"THEN", L"2", L"ELSE", L"3"}), Row(L"END"), Row(L"END")};
            for (auto [value, expected] :
                 {std::pair{in.below, cmp.below}, std::pair{in.equal, cmp.equal}, std::pair{in.above, cmp.above}}) {
                if (in.input == SWITCH && value < 0)
                    continue;
                DeviceRun run;
                run.SetInput(in.input, value);
                run.Load(rows.data(), 3);
                EXPECT_EQ(Trace(run, 10), (Lines{"0 r1", expected ? "0 r2" : "0 r3"}))
                    << testing::PrintToString(std::wstring(in.inputText)) << " " << value << " against "
                    << testing::PrintToString(std::wstring(in.value)) << " "
                    << testing::PrintToString(std::wstring(cmp.text));
            }
        }
    }
}

TEST(DeviceRun, AnIfWithAnUnlistedInputOrValueTakesElse) {
    const std::vector<std::vector<const wchar_t*>> ifs = {{L"IN5", L"\u2267", L"0", L"THEN", L"2", L"ELSE", L"3"},
                                                          {L"IN1", L">", L"0", L"THEN", L"2", L"ELSE", L"3"},
                                                          {L"IN1", L"\u2267", L"150", L"THEN", L"2", L"ELSE", L"3"},
                                                          {L"IN4", L"\uFF1D", L"1", L"THEN", L"2", L"ELSE", L"3"}};
    for (const auto& params : ifs) {
        ProgramRow row = Row(L"IF");
        for (size_t i = 0; i < params.size(); ++i)
            SetRowText(row.params[i], params[i]);
        DeviceRun run;
        run.SetInput(LIGHT, 100000);
        const std::vector<ProgramRow> rows = {row, Row(L"END"), Row(L"END")};
        run.Load(rows.data(), 3);
        EXPECT_EQ(Trace(run, 10), (Lines{"0 r1", "0 r3"}));
    }
}

TEST(DeviceRun, InputsAreClampedAndAChangeReachesTheNextIf) {
    DeviceRun run;
    EXPECT_EQ(run.Input(TEMPERATURE), 20) << "a run starts at 20 degrees";
    run.SetInput(TEMPERATURE, 99);
    EXPECT_EQ(run.Input(TEMPERATURE), 55);
    run.SetInput(SOUND, -3);
    EXPECT_EQ(run.Input(SOUND), 0);
    run.SetInput(SWITCH, 7);
    EXPECT_EQ(run.Input(SWITCH), 1);
    run.SetInput(9, 1);
    EXPECT_EQ(run.Input(9), 0);

    auto rows = std::vector<ProgramRow>{Row(L"IF", {L"IN4", L"\uFF1D", L"ON", L"THEN", L"3", L"ELSE", L"2"}),
                                        Row(L"GOTO", {L"1"}), Row(L"OUT1", {L"\u221E"})};
    run.SetInput(SWITCH, 0);
    run.Load(rows.data(), 3);
    run.StepRow();
    run.StepRow();
    EXPECT_EQ(run.Row(), 0);
    run.SetInput(SWITCH, 1);
    run.StepRow();
    EXPECT_EQ(run.Row(), 2) << "the IF sees the switch as it is now";
    EXPECT_EQ(run.Input(SWITCH), 1) << "Load and Restart keep the inputs";
}

TEST(DeviceRun, BusyLoopPausesAndNamesItsRows) {
    auto rows = std::vector<ProgramRow>{
        Row(L"OUT1", {L"1"}), Row(L"IF", {L"IN1", L"\u2267", L"100", L"THEN", L"6", L"ELSE", L"3"}),
        Row(L"FOR", {L"5"}),  Row(L"NEXT"),
        Row(L"GOTO", {L"2"}), Row(L"END")};
    DeviceRun run;
    run.Load(rows.data(), 6);
    run.RunUntil(RUN_NEVER);
    EXPECT_EQ(run.State(), RunState::BusyLoop);
    EXPECT_EQ(run.Clock(), 10) << "time stopped once the output was off";
    EXPECT_EQ(run.BusyRows(), (std::vector<int>{1, 2, 3, 4})) << "the output row took time; only rows 2-5 loop";
    EXPECT_EQ(RowRangesText(run.BusyRows(), L","), L"2\u20135");
    EXPECT_EQ(run.NextEventTime(), RUN_NEVER);

    run.SetInput(LIGHT, 500);
    run.Resume();
    run.RunUntil(RUN_NEVER);
    EXPECT_EQ(run.State(), RunState::Ended) << "going on after the pause takes the way out";

    auto self = std::vector<ProgramRow>{Row(L"GOTO", {L"1"})};
    run.Load(self.data(), 1);
    std::vector<RunEvent> events;
    run.RunUntil(5, &events);
    EXPECT_EQ(run.State(), RunState::BusyLoop);
    EXPECT_EQ(events.size(), size_t(BUSY_LOOP_STEPS)) << "exactly 10,000 steps before the pause";
    EXPECT_EQ(run.BusyRows(), std::vector<int>{0});
}

TEST(DeviceRun, OutputsWithoutATimeInTheListTakeNoTimeAndCountAsBusy) {
    auto rows = std::vector<ProgramRow>{Row(L"OUT2", {L"x"}), Row(L"GOTO", {L"1"})};
    DeviceRun run;
    run.Load(rows.data(), 2);
    run.RunUntil(10);
    EXPECT_EQ(run.State(), RunState::BusyLoop);
    EXPECT_EQ(run.BusyRows(), (std::vector<int>{0, 1}));
}

TEST(DeviceRun, StepRowEndsAWaitAndRunsTheNextRow) {
    auto rows = ExampleProgram();
    DeviceRun run;
    run.Load(rows.data(), 8);
    run.SetInput(LIGHT, 500);
    run.StepRow();
    run.StepRow();
    EXPECT_EQ(run.Row(), 2);
    run.StepRow();
    EXPECT_EQ(run.State(), RunState::Waiting);
    EXPECT_EQ(run.Outputs(), 1u);
    run.StepRow();
    EXPECT_EQ(run.Clock(), 5) << "the wait is over at once";
    EXPECT_EQ(run.Outputs(), 0u);
    EXPECT_EQ(run.Row(), 5) << "the GOTO ran";
    run.Restart();
    EXPECT_EQ(run.Row(), 0);
    EXPECT_EQ(run.Clock(), 0);
    EXPECT_EQ(run.State(), RunState::Ready);
    EXPECT_TRUE(run.ActiveLoops().empty());
}

TEST(DeviceRun, WorkedExampleInTheDarkAndInTheLight) {
    auto rows = ExampleProgram();
    DeviceRun run;
    run.SetInput(LIGHT, 50);
    run.Load(rows.data(), 8);
    EXPECT_EQ(Trace(run, 45), (Lines{"0 r1", "0 r2", "0 r5", "0 o0100", "20 o0000", "20 r6", "20 r2", "20 r5",
                                     "20 o0100", "40 o0000", "40 r6", "40 r2", "40 r5", "40 o0100"}))
        << "OUT2 for 2 s, round and round";

    run.SetInput(LIGHT, 500);
    run.Restart();
    EXPECT_EQ(Trace(run, 10), (Lines{"0 r1", "0 r2", "0 r3", "0 o1000", "5 o0000", "5 r4", "5 r6", "5 r2", "5 r3",
                                     "5 o1000", "10 o0000", "10 r4", "10 r6", "10 r2", "10 r3", "10 o1000"}))
        << "OUT1 for 0.5 s, round and round";
}

TEST(DeviceRun, AFaultyProgramDoesNotRun) {
    auto rows = std::vector<ProgramRow>{Row(L"OUT1", {L"1"}), Row(L"GOTO", {L"9"}), Row(L"OUT1", {L""})};
    DeviceRun run;
    EXPECT_EQ(run.Load(rows.data(), 3), 1);
    EXPECT_EQ(run.State(), RunState::Ended);
    EXPECT_EQ(run.Row(), -1);
    run.StepRow();
    run.RunUntil(100);
    EXPECT_EQ(run.Clock(), 0);
}

TEST(DeviceRun, FiftyRowProgram) {
    // 49 outputs of 0.1 s each, the last row jumping back to line 1, with a
    // 50-row program at its capacity.
    std::vector<ProgramRow> rows;
    for (int i = 0; i < MAX_ROWS - 1; ++i)
        rows.push_back(Row(i % 2 ? L"OUT2" : L"OUT1", {L"0.1"}));
    rows.push_back(Row(L"GOTO", {L"1"}));
    DeviceRun run;
    ASSERT_EQ(run.Load(rows.data(), MAX_ROWS), -1);
    const auto lines = Trace(run, 98);
    EXPECT_EQ(RowsRun(lines, 50), 2);
    EXPECT_EQ(RowsRun(lines, 49), 2);
    EXPECT_EQ(lines.back(), "98 o1000") << "row 1 again at 9.8 s";
}

TEST(DeviceRun, RowTexts) {
    const auto rows = ExampleProgram();
    EXPECT_EQ(RunRowText(rows[0]), L"FOR \u221E");
    EXPECT_EQ(RunRowText(rows[1]), L"IF IN1 \u2267 100 THEN 3 ELSE 5");
    EXPECT_EQ(RunRowText(rows[2]), L"OUT1 0.5");
    EXPECT_EQ(RunRowText(rows[6]), L"END");
    ProgramRow next = Row(L"NEXT");
    SetNextLink(next, 0);
    EXPECT_EQ(RunRowText(next), L"NEXT") << "the link is not text";
    EXPECT_EQ(RunRowText(Row(L"IF", {L"IN2", L"", L"40"})), L"IF IN2 40");

    EXPECT_EQ(RowRangesText({}, L", "), L"");
    EXPECT_EQ(RowRangesText({3}, L", "), L"4");
    EXPECT_EQ(RowRangesText({1, 3, 4, 5, 9, 10}, L", "), L"2, 4\u20136, 10\u201311");
}
