// Command set and the eleven fixed parameter vocabularies of a program.
// A parameter is held as text; its index in its vocabulary is its value for
// the device. All texts are owned here and never change after they are built.
#pragma once

#include <cstdint>
#include <string_view>

enum VocabularyId : int {
    VocabCommands = 0,
    VocabInputs = 1,
    VocabComparators = 2,
    VocabLux = 3,
    VocabDecibel = 4,
    VocabCelsius = 5,
    VocabOnOff = 6,
    VocabLoopCount = 7,
    VocabLineNumber = 8,
    VocabOutputTime = 9,
    VocabStopTime = 10,
};
constexpr int VOCABULARY_COUNT = 11;

// CommandCode: index of a command name in VocabCommands.
constexpr int16_t CMD_NONE = 0;
constexpr int16_t CMD_FOR = 1;
constexpr int16_t CMD_NEXT = 2;
constexpr int16_t CMD_IF = 3;
constexpr int16_t CMD_OUT1 = 4;
constexpr int16_t CMD_OUT2 = 5;
constexpr int16_t CMD_OUT3 = 6;
constexpr int16_t CMD_OUT4 = 7;
constexpr int16_t CMD_OUT12 = 8;
constexpr int16_t CMD_OUT13 = 9;
constexpr int16_t CMD_OUT23 = 10;
constexpr int16_t CMD_OUT123 = 11;
constexpr int16_t CMD_GOTO = 12;
constexpr int16_t CMD_STOP = 13;
constexpr int16_t CMD_END = 14;
constexpr int16_t CMD_START = 255;   // the flowchart's start element
constexpr int16_t CMD_UNKNOWN = -1;  // a name that matched no command
constexpr int COMMAND_COUNT = 15;

inline bool IsOutputCommand(int code) { return code >= CMD_OUT1 && code <= CMD_OUT123; }

// Number of parameters of each command, indexed by CommandCode 0..14.
inline constexpr int ParamCounts[COMMAND_COUNT] = {0, 1, 0, 7, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0};
// Parameter count of any code; codes outside 0..14 have none.
int ParamCount(int code);

// Unit shown after an IF value, by input index ("IN1".."IN4").
inline constexpr const wchar_t* InputUnits[4] = {L"Lux", L"dB", L"\u2103", L""};
// Unit of an input text; an unknown input has none (empty text).
const wchar_t* InputUnit(std::wstring_view input);

// Fixed texts of IF parameter slots 4 and 6 (0-based params[3] and params[5]).
inline constexpr const wchar_t* IF_THEN_TEXT = L"THEN";
inline constexpr const wchar_t* IF_ELSE_TEXT = L"ELSE";

// Value vocabulary of an input: IN1 VocabLux .. IN4 VocabOnOff; -1 for no input.
int InputValueVocabulary(std::wstring_view input);

// Vocabulary of parameter params[paramIndex] (0-based) of a command, or -1 when
// the slot holds a fixed text or nothing. For IF's value the input decides.
int SlotVocabulary(int code, int paramIndex, std::wstring_view ifInput);

// Fills the generated vocabularies once; every lookup below calls it first.
void BuildVocabularies();

// Number of texts of a vocabulary; 0 for an id outside 0..10.
int VocabularyCount(int vocabulary);
// Text of entry `index`, or nullptr when the id or the index is out of range.
const wchar_t* VocabularyText(int vocabulary, int index);

// Index of the command named `text` (ASCII letters without case), 0 for the
// empty text, -1 when nothing matches or the text is missing.
int FindCommand(const wchar_t* text);
int FindCommand(std::wstring_view text);
// Index of `text` in a vocabulary (ASCII letters without case, first match),
// -1 when not found, when the text is missing or for an id of 11 or more.
int FindInVocabulary(int vocabulary, const wchar_t* text);
int FindInVocabulary(int vocabulary, std::wstring_view text);

// Equality that ignores the case of ASCII A..Z only.
bool EqualsAsciiNoCase(std::wstring_view a, std::wstring_view b);
