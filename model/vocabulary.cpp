#include "model/vocabulary.h"

#include <cwchar>

namespace {

constexpr int TEXT_SIZE = 10;  // every vocabulary text fits in 8 characters + NUL

constexpr int LUX_COUNT = 38;
constexpr int DECIBEL_COUNT = 101;
constexpr int CELSIUS_COUNT = 71;
constexpr int LOOP_COUNT_COUNT = 101;
constexpr int LINE_NUMBER_COUNT = 50;
constexpr int TIME_COUNT = 109;

const wchar_t* const kCommands[COMMAND_COUNT] = {L"",      L"FOR",    L"NEXT", L"IF",    L"OUT1",
                                                 L"OUT2",  L"OUT3",   L"OUT4", L"OUT12", L"OUT13",
                                                 L"OUT23", L"OUT123", L"GOTO", L"STOP",  L"END"};
const wchar_t* const kInputs[4] = {L"IN1", L"IN2", L"IN3", L"IN4"};
const wchar_t* const kComparators[3] = {L"\u2267", L"\u2266", L"\uFF1D"};
const wchar_t* const kOnOff[2] = {L"OFF", L"ON"};

struct GeneratedTexts {
    wchar_t lux[LUX_COUNT][TEXT_SIZE];
    wchar_t decibel[DECIBEL_COUNT][TEXT_SIZE];
    wchar_t celsius[CELSIUS_COUNT][TEXT_SIZE];
    wchar_t loopCount[LOOP_COUNT_COUNT][TEXT_SIZE];
    wchar_t lineNumber[LINE_NUMBER_COUNT][TEXT_SIZE];
    wchar_t time[TIME_COUNT][TEXT_SIZE];  // output and stop times share one list
};

struct Vocabulary {
    const wchar_t* texts[TIME_COUNT];  // the longest list
    int count;
};

GeneratedTexts g_generated;
Vocabulary g_vocabularies[VOCABULARY_COUNT];

void PutNumber(wchar_t (&text)[TEXT_SIZE], long value) { std::swprintf(text, TEXT_SIZE, L"%ld", value); }

template <int N>
void UseTable(Vocabulary& vocabulary, const wchar_t* const (&table)[N]) {
    for (int i = 0; i < N; ++i)
        vocabulary.texts[i] = table[i];
    vocabulary.count = N;
}

template <int N>
void UseTexts(Vocabulary& vocabulary, wchar_t (&texts)[N][TEXT_SIZE]) {
    for (int i = 0; i < N; ++i)
        vocabulary.texts[i] = texts[i];
    vocabulary.count = N;
}

void FillVocabularies() {
    GeneratedTexts& g = g_generated;
    long lux = 0;
    for (int i = 0; i < LUX_COUNT; ++i) {
        PutNumber(g.lux[i], lux);
        lux += lux < 100 ? 10 : lux < 1000 ? 100 : lux < 10000 ? 1000 : 10000;
    }
    for (int i = 0; i < DECIBEL_COUNT; ++i)
        PutNumber(g.decibel[i], i);
    for (int i = 0; i < CELSIUS_COUNT; ++i)
        PutNumber(g.celsius[i], i - 15);
    std::wcscpy(g.loopCount[0], L"\u221E");
    for (int i = 1; i < LOOP_COUNT_COUNT; ++i)
        PutNumber(g.loopCount[i], i);
    for (int i = 0; i < LINE_NUMBER_COUNT; ++i)
        PutNumber(g.lineNumber[i], i + 1);
    std::wcscpy(g.time[0], L"\u221E");
    for (int i = 1; i <= 9; ++i)
        std::swprintf(g.time[i], TEXT_SIZE, L"0.%d", i);
    for (int i = 10; i < TIME_COUNT; ++i)
        PutNumber(g.time[i], i - 9);

    UseTable(g_vocabularies[VocabCommands], kCommands);
    UseTable(g_vocabularies[VocabInputs], kInputs);
    UseTable(g_vocabularies[VocabComparators], kComparators);
    UseTexts(g_vocabularies[VocabLux], g.lux);
    UseTexts(g_vocabularies[VocabDecibel], g.decibel);
    UseTexts(g_vocabularies[VocabCelsius], g.celsius);
    UseTable(g_vocabularies[VocabOnOff], kOnOff);
    UseTexts(g_vocabularies[VocabLoopCount], g.loopCount);
    UseTexts(g_vocabularies[VocabLineNumber], g.lineNumber);
    UseTexts(g_vocabularies[VocabOutputTime], g.time);
    UseTexts(g_vocabularies[VocabStopTime], g.time);
}

bool ValidId(int vocabulary) { return vocabulary >= 0 && vocabulary < VOCABULARY_COUNT; }

}  // namespace

void BuildVocabularies() {
    static const bool built = (FillVocabularies(), true);
    (void)built;
}

int ParamCount(int code) { return code >= 0 && code < COMMAND_COUNT ? ParamCounts[code] : 0; }

bool EqualsAsciiNoCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size())
        return false;
    auto upper = [](wchar_t c) { return c >= L'a' && c <= L'z' ? wchar_t(c - L'a' + L'A') : c; };
    for (size_t i = 0; i < a.size(); ++i)
        if (upper(a[i]) != upper(b[i]))
            return false;
    return true;
}

int VocabularyCount(int vocabulary) {
    if (!ValidId(vocabulary))
        return 0;
    BuildVocabularies();
    return g_vocabularies[vocabulary].count;
}

const wchar_t* VocabularyText(int vocabulary, int index) {
    if (index < 0 || index >= VocabularyCount(vocabulary))
        return nullptr;
    return g_vocabularies[vocabulary].texts[index];
}

int FindInVocabulary(int vocabulary, std::wstring_view text) {
    const int count = VocabularyCount(vocabulary);
    for (int i = 0; i < count; ++i)
        if (EqualsAsciiNoCase(g_vocabularies[vocabulary].texts[i], text))
            return i;
    return -1;
}

int FindInVocabulary(int vocabulary, const wchar_t* text) {
    return text ? FindInVocabulary(vocabulary, std::wstring_view(text)) : -1;
}

int FindCommand(std::wstring_view text) { return FindInVocabulary(VocabCommands, text); }

int FindCommand(const wchar_t* text) { return FindInVocabulary(VocabCommands, text); }

int InputValueVocabulary(std::wstring_view input) {
    const int k = FindInVocabulary(VocabInputs, input);
    return k < 0 ? -1 : VocabLux + k;
}

const wchar_t* InputUnit(std::wstring_view input) {
    const int k = FindInVocabulary(VocabInputs, input);
    return k < 0 ? L"" : InputUnits[k];
}

int SlotVocabulary(int code, int paramIndex, std::wstring_view ifInput) {
    if (paramIndex < 0 || paramIndex >= ParamCount(code))
        return -1;
    switch (code) {
    case CMD_FOR: return VocabLoopCount;
    case CMD_GOTO: return VocabLineNumber;
    case CMD_STOP: return VocabStopTime;
    case CMD_IF: {
        constexpr int kIfSlots[7] = {VocabInputs, VocabComparators, -1, -1, VocabLineNumber, -1, VocabLineNumber};
        return paramIndex == 2 ? InputValueVocabulary(ifInput) : kIfSlots[paramIndex];
    }
    default: return VocabOutputTime;  // the eight output commands
    }
}
