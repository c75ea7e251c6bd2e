#include "model/device_image.h"

#include <cstring>
#include <string>

#include "model/checker.h"
#include "model/text_number.h"
#include "model/vocabulary.h"

namespace {

constexpr int IF_RECORD_SIZE = 8;
constexpr int RECORD_SIZE = 2;
constexpr uint8_t NOT_FOUND = 0xFF;

uint8_t IndexByte(int vocabulary, std::wstring_view text) {
    const int index = FindInVocabulary(vocabulary, text);
    return index < 0 ? NOT_FOUND : static_cast<uint8_t>(index);
}

// Decimal value of a text, modulo 256.
uint8_t NumberByte(std::wstring_view text, int minus = 0) {
    return static_cast<uint8_t>(static_cast<unsigned>(ReadDecimal(text)) - static_cast<unsigned>(minus));
}

int BuildIfRecord(const ProgramRow& row, uint8_t* record) {
    const std::wstring_view input = RowText(row.params[0]);
    const int inputIndex = FindInVocabulary(VocabInputs, input);
    const int comparator = FindInVocabulary(VocabComparators, RowText(row.params[1]));
    // An input outside IN1..IN4 has no value list: IN1's opcode, value unknown.
    record[0] = static_cast<uint8_t>(Opcodes[CMD_IF] + (inputIndex < 0 ? 0 : inputIndex));
    record[1] = static_cast<uint8_t>(comparator + 1);
    record[2] = 0x00;
    record[3] = inputIndex < 0 ? NOT_FOUND : IndexByte(VocabLux + inputIndex, RowText(row.params[2]));
    record[4] = IMAGE_THEN_MARKER;
    record[5] = NumberByte(RowText(row.params[4]), 1);
    record[6] = IMAGE_ELSE_MARKER;
    record[7] = NumberByte(RowText(row.params[6]), 1);
    return IF_RECORD_SIZE;
}

int BuildRecord(const ProgramRow& row, uint8_t* record) {
    if (row.code == CMD_IF)
        return BuildIfRecord(row, record);
    const std::wstring_view slot1 = RowText(row.params[0]);
    record[0] = Opcodes[row.code];
    switch (row.code) {
    case CMD_FOR: record[1] = NumberByte(slot1); break;  // "∞" has no digits: 0
    case CMD_NEXT: record[1] = static_cast<uint8_t>(NextLink(row)); break;
    case CMD_GOTO: record[1] = NumberByte(slot1, 1); break;
    case CMD_STOP: record[1] = IndexByte(VocabStopTime, slot1); break;
    default: record[1] = IsOutputCommand(row.code) ? IndexByte(VocabOutputTime, slot1) : 0x00;
    }
    return RECORD_SIZE;
}

int CommandOfOpcode(uint8_t opcode) {
    for (int code = 0; code < COMMAND_COUNT; ++code)
        if (Opcodes[code] == opcode)
            return code;
    if (opcode > Opcodes[CMD_IF] && opcode <= Opcodes[CMD_IF] + 3)
        return CMD_IF;
    return -1;
}

void SetNumber(wchar_t (&field)[ROW_TEXT_SIZE], int value) { SetRowText(field, std::to_wstring(value)); }

void SetVocabularyText(wchar_t (&field)[ROW_TEXT_SIZE], int vocabulary, int index) {
    const wchar_t* text = VocabularyText(vocabulary, index);
    SetRowText(field, text ? text : L"");
}

void DecodeIfRecord(const uint8_t* record, ProgramRow& row) {
    const int inputIndex = record[0] - Opcodes[CMD_IF];
    SetVocabularyText(row.params[0], VocabInputs, inputIndex);
    SetVocabularyText(row.params[1], VocabComparators, record[1] - 1);
    SetVocabularyText(row.params[2], VocabLux + inputIndex, record[3]);
    if (record[4] == IMAGE_THEN_MARKER)
        SetRowText(row.params[3], IF_THEN_TEXT);
    SetNumber(row.params[4], record[5] + 1);
    if (record[6] == IMAGE_ELSE_MARKER)
        SetRowText(row.params[5], IF_ELSE_TEXT);
    SetNumber(row.params[6], record[7] + 1);
}

void DecodeRecord(const uint8_t* record, int code, ProgramRow& row) {
    std::memset(&row, 0, sizeof row);
    row.code = static_cast<int16_t>(code);
    SetVocabularyText(row.name, VocabCommands, code);
    switch (code) {
    case CMD_FOR: SetNumber(row.params[0], record[1]); break;
    case CMD_GOTO: SetNumber(row.params[0], record[1] + 1); break;
    case CMD_STOP: SetVocabularyText(row.params[0], VocabStopTime, record[1]); break;
    case CMD_IF: DecodeIfRecord(record, row); break;
    default:
        if (IsOutputCommand(code))
            SetVocabularyText(row.params[0], VocabOutputTime, record[1]);
    }
}

}  // namespace

int EncodeProgram(const ProgramRow* rows, int count, uint8_t* buffer, int capacity) {
    if (!rows || !buffer || count <= 0 || capacity < 3)
        return 0;
    if (FirstErrorRow(rows, count) >= 0)
        return -1;
    buffer[0] = 0x00;
    buffer[1] = static_cast<uint8_t>(count);
    int length = 2;
    for (int i = 0; i < count; ++i) {
        if (rows[i].code < 0 || rows[i].code >= COMMAND_COUNT)
            continue;
        uint8_t record[IF_RECORD_SIZE];
        const int size = BuildRecord(rows[i], record);
        if (length + size + 1 > capacity)
            break;
        std::memcpy(buffer + length, record, size);
        length += size;
    }
    buffer[length++] = 0x00;
    return length;
}

int DecodeProgram(const uint8_t* image, int length, ProgramRow* rows) {
    if (!image || !rows)
        return -1;
    if (length <= 1)
        return 0;
    const int end = length & ~1;  // an odd length loses its end byte
    ProgramRow decoded[MAX_ROWS];
    int made = 0;
    for (int position = 2; position < end && made < MAX_ROWS;) {
        const int code = CommandOfOpcode(image[position]);
        if (code < 0)
            return -1;
        const int size = code == CMD_IF ? IF_RECORD_SIZE : RECORD_SIZE;
        if (position + size > end)
            break;  // a cut record makes no row
        DecodeRecord(image + position, code, decoded[made++]);
        position += size;
    }
    std::memcpy(rows, decoded, made * sizeof(ProgramRow));
    return made;
}
