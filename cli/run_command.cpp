#include "cli/run_command.h"

#include <algorithm>
#include <charconv>
#include <string>

#include "cli/cli_io.h"
#include "cli/commands.h"
#include "model/device_run.h"

namespace {

constexpr int64_t MAX_SECONDS = 100000000;  // a bound that keeps tenths far from overflowing
constexpr int64_t DEFAULT_UNTIL = 600;      // 60.0 s
constexpr const char* INPUT_NAMES[RUN_INPUT_COUNT] = {"IN1", "IN2", "IN3", "IN4"};

struct InputChange {
    int64_t time = 0;  // tenths
    int input = 0;
    int value = 0;
};

struct RunOptions {
    std::filesystem::path file;
    std::vector<InputChange> sets;
    std::vector<InputChange> changes;
    int64_t until = DEFAULT_UNTIL;
};

bool ReadInteger(std::string_view text, int& value) {
    const char* end = text.data() + text.size();
    const auto [last, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && last == end && !text.empty();
}

// "IN1=150", "in4=on": an input and a value within its range.
bool ReadInputValue(const std::string& text, InputChange& change) {
    const size_t equals = text.find('=');
    if (equals == std::string::npos)
        return false;
    std::string name = text.substr(0, equals);
    std::string value = text.substr(equals + 1);
    std::transform(name.begin(), name.end(), name.begin(), [](char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; });
    std::transform(value.begin(), value.end(), value.begin(), [](char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; });
    const auto known = std::find(std::begin(INPUT_NAMES), std::end(INPUT_NAMES), name);
    if (known == std::end(INPUT_NAMES))
        return false;
    change.input = static_cast<int>(known - std::begin(INPUT_NAMES));
    if (change.input == 3) {
        if (value != "OFF" && value != "ON")
            return false;
        change.value = value == "ON";
        return true;
    }
    const InputRange& range = InputRanges[change.input];
    return ReadInteger(value, change.value) && change.value >= range.low && change.value <= range.high;
}

// Seconds with at most one decimal, as tenths.
bool ReadSeconds(const std::string& text, int64_t& tenths) {
    const size_t dot = text.find('.');
    const std::string whole = text.substr(0, dot);
    const std::string tenth = dot == std::string::npos ? "" : text.substr(dot + 1);
    if (whole.empty() || whole.size() > 9 || tenth.size() > 1 || (dot != std::string::npos && tenth.empty()))
        return false;
    if (!std::all_of(whole.begin(), whole.end(), [](char c) { return c >= '0' && c <= '9'; }) ||
        !std::all_of(tenth.begin(), tenth.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    const int64_t seconds = std::stoll(whole);
    if (seconds > MAX_SECONDS)
        return false;
    tenths = seconds * 10 + (tenth.empty() ? 0 : tenth[0] - '0');
    return true;
}

bool ReadOptions(const std::vector<std::filesystem::path>& args, RunOptions& options) {
    if (args.size() < 2)
        return false;
    options.file = args[1];
    std::string word, first, second;
    for (size_t i = 2; i < args.size(); ++i) {
        if (!AsciiArgument(args[i], word))
            return false;
        InputChange change;
        if (word == "--set" && i + 1 < args.size() && AsciiArgument(args[i + 1], first) &&
            ReadInputValue(first, change)) {
            options.sets.push_back(change);
            i += 1;
        } else if (word == "--at" && i + 2 < args.size() && AsciiArgument(args[i + 1], first) &&
                   AsciiArgument(args[i + 2], second) && ReadSeconds(first, change.time) &&
                   ReadInputValue(second, change)) {
            options.changes.push_back(change);
            i += 2;
        } else if (word == "--until" && i + 1 < args.size() && AsciiArgument(args[i + 1], first) &&
                   ReadSeconds(first, options.until)) {
            i += 1;
        } else {
            return false;
        }
    }
    std::stable_sort(options.changes.begin(), options.changes.end(),
                     [](const InputChange& a, const InputChange& b) { return a.time < b.time; });
    return true;
}

std::string TimeText(int64_t tenths) { return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10); }

std::string InputText(const InputChange& change) {
    const std::string value = change.input == 3 ? (change.value ? "ON" : "OFF") : std::to_string(change.value);
    return std::string(INPUT_NAMES[change.input]) + "=" + value;
}

void WriteEvent(const RunEvent& event, const Program& program) {
    std::string line = TimeText(event.time) + "\t";
    if (event.kind == RunEvent::RowRun) {
        line += std::to_string(event.row + 1) + "\t" + Utf8(RunRowText(program.rows[event.row]));
    } else {
        line += "outputs\t";
        for (int i = 0; i < RUN_OUTPUT_COUNT; ++i)
            line += event.outputs & (1u << i) ? '1' : '0';
    }
    Write(stdout, line + "\n");
}

void WriteLastLine(const DeviceRun& run, int64_t until) {
    if (run.State() == RunState::Ended) {
        Write(stdout, TimeText(run.Clock()) + "\tended\n");
    } else if (run.State() == RunState::BusyLoop) {
        std::string rows;
        for (int row : run.BusyRows()) {
            if (!rows.empty())
                rows += ',';
            rows += std::to_string(row + 1);
        }
        Write(stdout, TimeText(run.Clock()) + "\tbusy loop\t" + rows + "\n");
    } else {
        Write(stdout, TimeText(until) + "\ttime up\n");
    }
}

// Runs everything that happens before the end time; an input change comes
// before any row that runs at its time.
void Trace(DeviceRun& run, const RunOptions& options, const Program& program) {
    std::vector<RunEvent> events;
    size_t nextChange = 0;
    while (run.State() != RunState::Ended && run.State() != RunState::BusyLoop) {
        const int64_t due = run.NextEventTime();
        if (nextChange < options.changes.size() && options.changes[nextChange].time <= due &&
            options.changes[nextChange].time < options.until) {
            const InputChange& change = options.changes[nextChange++];
            run.SetInput(change.input, change.value);
            Write(stdout, TimeText(change.time) + "\tinput\t" + InputText(change) + "\n");
            continue;
        }
        if (due >= options.until)
            break;
        events.clear();
        run.StepOne(&events);
        for (const RunEvent& event : events)
            WriteEvent(event, program);
    }
    WriteLastLine(run, options.until);
}

}  // namespace

int RunProgram(const std::vector<std::filesystem::path>& args) {
    RunOptions options;
    if (!ReadOptions(args, options))
        return UsageError();
    Program program;
    if (!Load(options.file, program))
        return EXIT_USAGE_OR_FILE;
    if (!CheckOrReport(program))
        return EXIT_PROGRAM_ERROR;
    DeviceRun run;
    for (const InputChange& set : options.sets)
        run.SetInput(set.input, set.value);
    run.Load(program.rows, program.count);
    Trace(run, options, program);
    return 0;
}
