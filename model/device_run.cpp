#include "model/device_run.h"

#include <algorithm>
#include <cstring>

#include "model/checker.h"
#include "model/text_number.h"
#include "model/vocabulary.h"

namespace {

constexpr unsigned kOutputMasks[8] = {0x1, 0x2, 0x4, 0x8, 0x3, 0x5, 0x6, 0x7};  // OUT1 .. OUT123

// A time as the device reads it, by its place in the list of times: "∞"
// never ends, 0.1 .. 0.9 s, then whole seconds. A time that is not in the list
// takes no time.
int64_t Duration(int vocabulary, std::wstring_view text) {
    const int index = FindInVocabulary(vocabulary, text);
    if (index == 0)
        return RUN_NEVER;
    if (index < 0)
        return 0;
    return index <= 9 ? index : int64_t(index - 9) * 10;
}

// A jump target as a 0-based row; the checker has kept it within the program.
int LineTarget(std::wstring_view text) { return ReadDecimal(text) - 1; }

// An IF value as a number: lux, dB and ℃ as written, OFF 0 and ON 1. False
// when the text is not one of the input's listed values.
bool IfValue(int input, std::wstring_view text, int& value) {
    const int vocabulary = VocabLux + input;
    const int index = FindInVocabulary(vocabulary, text);
    if (index < 0)
        return false;
    value = vocabulary == VocabOnOff ? index : ReadDecimal(VocabularyText(vocabulary, index));
    return true;
}

}  // namespace

DeviceRun::DeviceRun() {
    for (int i = 0; i < RUN_INPUT_COUNT; ++i)
        m_inputs[i] = InputRanges[i].start;
    std::memset(m_loopLeft, 0, sizeof m_loopLeft);
}

int DeviceRun::Load(const ProgramRow* rows, int count) {
    count = rows ? std::clamp(count, 0, MAX_ROWS) : 0;
    ProgramRow checked[MAX_ROWS];
    if (count > 0)
        std::memcpy(checked, rows, count * sizeof(ProgramRow));
    CheckProgram(checked, count);
    const int faulty = count > 0 ? FirstErrorRow(checked, count) : -1;
    m_steps.assign(count, Step{});
    for (int i = 0; i < count; ++i) {
        const ProgramRow& row = checked[i];
        Step& step = m_steps[i];
        step.code = row.code;
        const std::wstring_view first = RowText(row.params[0]);
        switch (row.code) {
        case CMD_FOR: step.loopCount = static_cast<uint8_t>(ReadDecimal(first)); break;  // "∞" reads 0
        case CMD_NEXT: step.forRow = NextLink(row) == NEXT_LINK_NONE ? -1 : NextLink(row); break;
        case CMD_GOTO: step.jump = LineTarget(first); break;
        case CMD_STOP: step.duration = Duration(VocabStopTime, first); break;
        case CMD_IF: {
            step.jump = LineTarget(RowText(row.params[4]));
            step.elseJump = LineTarget(RowText(row.params[6]));
            const int input = FindInVocabulary(VocabInputs, first);
            step.comparator = FindInVocabulary(VocabComparators, RowText(row.params[1]));
            if (input >= 0 && step.comparator >= 0 && IfValue(input, RowText(row.params[2]), step.value))
                step.input = input;
            break;
        }
        default:
            if (IsOutputCommand(row.code)) {
                step.outputs = kOutputMasks[row.code - CMD_OUT1];
                step.duration = Duration(VocabOutputTime, first);
            }
        }
    }
    Restart();
    if (faulty >= 0)
        m_state = RunState::Ended;
    return faulty;
}

void DeviceRun::Restart() {
    std::memset(m_loopLeft, 0, sizeof m_loopLeft);
    m_clock = 0;
    m_waitEnd = 0;
    m_outputs = 0;
    m_stepsWithoutTime = 0;
    m_rowsWithoutTime = 0;
    m_state = RunState::Ready;
    MoveTo(0, nullptr);
}

std::vector<ActiveLoop> DeviceRun::ActiveLoops() const {
    std::vector<ActiveLoop> loops;
    for (int i = 0; i < static_cast<int>(m_steps.size()); ++i)
        if (m_loopLeft[i] != 0)
            loops.push_back({i, m_loopLeft[i]});
    return loops;
}

std::vector<int> DeviceRun::BusyRows() const {
    std::vector<int> rows;
    for (int i = 0; i < MAX_ROWS; ++i)
        if (m_rowsWithoutTime & (uint64_t(1) << i))
            rows.push_back(i);
    return rows;
}

int64_t DeviceRun::NextEventTime() const {
    switch (m_state) {
    case RunState::Ready: return m_clock;
    case RunState::Waiting: return m_waitEnd;
    default: return RUN_NEVER;
    }
}

int DeviceRun::Input(int input) const { return input >= 0 && input < RUN_INPUT_COUNT ? m_inputs[input] : 0; }

void DeviceRun::SetInput(int input, int value) {
    if (input >= 0 && input < RUN_INPUT_COUNT)
        m_inputs[input] = std::clamp(value, InputRanges[input].low, InputRanges[input].high);
}

void DeviceRun::Emit(std::vector<RunEvent>* events, RunEvent event) const {
    if (events)
        events->push_back(event);
}

void DeviceRun::SetOutputs(unsigned outputs, std::vector<RunEvent>* events) {
    if (outputs == m_outputs)
        return;
    m_outputs = outputs;
    Emit(events, {RunEvent::OutputsChanged, m_clock, -1, outputs});
}

void DeviceRun::AdvanceClock(int64_t time) {
    if (time <= m_clock)
        return;
    m_clock = time;
    m_stepsWithoutTime = 0;
    m_rowsWithoutTime = 0;
}

// Goes to a row, passing over empty rows; past the last row the program ends.
void DeviceRun::MoveTo(int row, std::vector<RunEvent>* events) {
    const int count = static_cast<int>(m_steps.size());
    while (row >= 0 && row < count && m_steps[row].code == CMD_NONE)
        ++row;
    if (row < 0 || row >= count) {
        End(events);
        return;
    }
    m_row = row;
    m_state = RunState::Ready;
}

void DeviceRun::End(std::vector<RunEvent>* events) {
    SetOutputs(0, events);
    m_state = RunState::Ended;
}

int DeviceRun::NextRowOf(const Step& step) const {
    switch (step.code) {
    case CMD_GOTO: return step.jump;
    case CMD_IF: {
        if (step.input < 0)
            return step.elseJump;
        const int now = m_inputs[step.input];
        const bool holds = step.comparator == 0   ? now >= step.value
                           : step.comparator == 1 ? now <= step.value
                                                  : now == step.value;
        return holds ? step.jump : step.elseJump;
    }
    default: return m_row + 1;
    }
}

void DeviceRun::RunRow(std::vector<RunEvent>* events) {
    const Step& step = m_steps[m_row];
    Emit(events, {RunEvent::RowRun, m_clock, m_row, 0});
    ++m_stepsWithoutTime;
    m_rowsWithoutTime |= uint64_t(1) << m_row;
    switch (step.code) {
    case CMD_END: End(events); return;
    case CMD_FOR:
        m_loopLeft[m_row] = step.loopCount == 0 ? -1 : step.loopCount;
        MoveTo(m_row + 1, events);
        break;
    case CMD_NEXT: {
        // A NEXT whose FOR never ran, or whose runs are used up, goes on.
        int* left = step.forRow >= 0 ? &m_loopLeft[step.forRow] : nullptr;
        if (left && *left != 0 && (*left < 0 || --*left > 0))
            MoveTo(step.forRow + 1, events);
        else
            MoveTo(m_row + 1, events);
        break;
    }
    case CMD_STOP:
    case CMD_OUT1:
    case CMD_OUT2:
    case CMD_OUT3:
    case CMD_OUT4:
    case CMD_OUT12:
    case CMD_OUT13:
    case CMD_OUT23:
    case CMD_OUT123:
        if (step.code != CMD_STOP)
            SetOutputs(step.outputs, events);
        if (step.duration == RUN_NEVER) {
            m_state = RunState::Holding;
            return;
        }
        m_waitEnd = m_clock + step.duration;
        m_state = RunState::Waiting;
        break;
    case CMD_GOTO:
    case CMD_IF: MoveTo(NextRowOf(step), events); break;
    default: End(events); return;  // a command the device does not know stops it
    }
    // A row that starts a wait lets time pass; anything else counts.
    if (m_state == RunState::Ready && m_stepsWithoutTime >= BUSY_LOOP_STEPS)
        m_state = RunState::BusyLoop;
}

void DeviceRun::StepOne(std::vector<RunEvent>* events) {
    if (m_state == RunState::Ready) {
        RunRow(events);
    } else if (m_state == RunState::Waiting) {
        AdvanceClock(m_waitEnd);
        if (m_steps[m_row].code != CMD_STOP)
            SetOutputs(0, events);
        MoveTo(m_row + 1, events);
    }
}

void DeviceRun::StepRow(std::vector<RunEvent>* events) {
    if (m_state == RunState::Waiting)
        StepOne(events);
    StepOne(events);
}

void DeviceRun::RunUntil(int64_t time, std::vector<RunEvent>* events) {
    while (NextEventTime() != RUN_NEVER && NextEventTime() <= time)
        StepOne(events);
    if (m_state == RunState::Waiting || m_state == RunState::Holding)
        AdvanceClock(time);
}

void DeviceRun::Resume() {
    if (m_state != RunState::BusyLoop)
        return;
    m_stepsWithoutTime = 0;
    m_rowsWithoutTime = 0;
    m_state = RunState::Ready;
}

std::wstring RunRowText(const ProgramRow& row) {
    std::wstring text(RowText(row.name));
    const int params = ParamCount(row.code);
    for (int slot = 0; slot < params; ++slot) {
        const std::wstring_view param = RowText(row.params[slot]);
        if (param.empty())
            continue;
        if (!text.empty())
            text += L' ';
        text += param;
    }
    return text;
}

std::wstring RowRangesText(const std::vector<int>& rows, std::wstring_view separator) {
    std::wstring text;
    for (size_t i = 0; i < rows.size();) {
        size_t j = i;
        while (j + 1 < rows.size() && rows[j + 1] == rows[j] + 1)
            ++j;
        if (!text.empty())
            text += separator;
        text += std::to_wstring(rows[i] + 1);
        if (j > i)
            text += L"\u2013" + std::to_wstring(rows[j] + 1);
        i = j + 1;
    }
    return text;
}
