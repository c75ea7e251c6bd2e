#include "model/checker.h"

#include "model/text_number.h"
#include "model/vocabulary.h"

namespace {

// A jump from row b to a 1-based line: the target becomes reachable when row b
// is. Returns false for a line outside 1..count.
bool Jump(ProgramRow* rows, int count, int b, int line) {
    if (line < 1 || line > count)
        return false;
    if (rows[b].reachable)
        rows[line - 1].reachable = 1;
    return true;
}

void CheckForRow(ProgramRow* rows, int count, int b) {
    int depth = 1;
    for (int i = b + 1; i < count && depth > 0; ++i) {
        if (rows[i].code == CMD_FOR)
            ++depth;
        else if (rows[i].code == CMD_NEXT)
            --depth;
    }
    if (depth > 0)
        rows[b].errorFlags |= ERR_FOR_NO_NEXT;
    if (IsBlankText(RowText(rows[b].params[0])))
        rows[b].errorFlags |= ERR_FOR_NO_PARAM;
}

void CheckNextRow(ProgramRow* rows, int b) {
    int depth = 1;
    int j = b - 1;
    for (; j >= 0; --j) {
        if (rows[j].code == CMD_NEXT)
            ++depth;
        else if (rows[j].code == CMD_FOR && --depth == 0)
            break;
    }
    if (j < 0) {
        rows[b].errorFlags |= ERR_NEXT_NO_FOR;
        SetNextLink(rows[b], NEXT_LINK_NONE);
        return;
    }
    if (rows[b].reachable)
        rows[j].reachable = 1;
    SetNextLink(rows[b], j);
}

void CheckIfLine(ProgramRow* rows, int count, int b, int slot, uint16_t rangeError) {
    const std::wstring_view line = RowText(rows[b].params[slot]);
    if (line.empty())
        rows[b].errorFlags |= ERR_NO_JUMP_LINE;  // IF lines are not trimmed
    else if (!Jump(rows, count, b, ReadDecimal(line)))
        rows[b].errorFlags |= rangeError;
}

// Checks row b and returns whether the flow falls through to the next row.
bool CheckRow(ProgramRow* rows, int count, int b) {
    ProgramRow& row = rows[b];
    switch (row.code) {
    case CMD_NONE:
    case CMD_START: return true;
    case CMD_FOR: CheckForRow(rows, count, b); return true;
    case CMD_NEXT: CheckNextRow(rows, b); return true;
    case CMD_GOTO: {
        const std::wstring_view line = RowText(row.params[0]);
        if (IsBlankText(line))
            row.errorFlags |= ERR_NO_JUMP_LINE;
        else if (!Jump(rows, count, b, ReadDecimal(line)))
            row.errorFlags |= ERR_GOTO_RANGE;
        return false;
    }
    case CMD_IF:
        CheckIfLine(rows, count, b, 4, ERR_THEN_RANGE);
        CheckIfLine(rows, count, b, 6, ERR_ELSE_RANGE);
        return false;
    default:
        if (IsOutputCommand(row.code) || row.code == CMD_STOP) {
            if (IsBlankText(RowText(row.params[0])))
                row.errorFlags |= ERR_NO_PARAM;
            return true;
        }
        return false;  // END, unknown names and every other code stop the flow
    }
}

int CountReachable(const ProgramRow* rows, int count) {
    int reachable = 0;
    for (int i = 0; i < count; ++i)
        reachable += rows[i].reachable != 0;
    return reachable;
}

}  // namespace

int CheckProgram(ProgramRow* rows, int count) {
    if (!rows || count <= 0)
        return 1;
    for (int i = 0; i < count; ++i) {
        rows[i].errorFlags = 0;
        rows[i].reachable = 0;
    }
    // A jump backwards can make rows reachable that an earlier pass has already
    // walked past, so the pass repeats until it finds no new reachable row.
    // Rows only ever become reachable, so this ends after at most count passes.
    int before = -1;
    while (before != CountReachable(rows, count)) {
        before = CountReachable(rows, count);
        for (int b = 0; b < count; ++b) {
            if (b == 0)
                rows[0].reachable = 1;
            if (CheckRow(rows, count, b) && b + 1 < count && rows[b].reachable)
                rows[b + 1].reachable = 1;
        }
        for (int k = 1; k <= count - 2; ++k)
            if (rows[k].code == CMD_NONE && rows[k].reachable)
                rows[k + 1].reachable = 1;
    }
    int result = 1;
    for (int i = 1; i < count; ++i) {
        if (!rows[i].reachable)
            rows[i].errorFlags |= ERR_NO_ENTRANCE;
        if (rows[i].errorFlags)
            result = 0;
    }
    return result;
}

int FirstErrorRow(const ProgramRow* rows, int count) {
    if (!rows)
        return -1;
    int last = count - 1;
    while (last >= 0 && rows[last].code == CMD_NONE)
        --last;
    for (int i = 0; i <= last; ++i)
        if (rows[i].errorFlags)
            return i;
    return -1;
}

std::wstring FormatErrorList(uint16_t errorFlags, const wchar_t* const texts[ERROR_BIT_COUNT]) {
    std::wstring list;
    for (int bit = 0; bit < ERROR_BIT_COUNT; ++bit) {
        if (!(errorFlags & (1u << bit)))
            continue;
        if (texts && texts[bit])
            list += texts[bit];
        list += L',';
    }
    if (!list.empty())
        list.back() = L'!';
    return list;
}
