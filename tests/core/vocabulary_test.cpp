#include <gtest/gtest.h>

#include <string>

#include "model/vocabulary.h"

TEST(Vocabulary, ListsHaveTheirSizesAndEnds) {
    const int counts[VOCABULARY_COUNT] = {15, 4, 3, 38, 101, 71, 2, 101, 50, 109, 109};
    for (int id = 0; id < VOCABULARY_COUNT; ++id)
        EXPECT_EQ(VocabularyCount(id), counts[id]) << id;
    EXPECT_EQ(VocabularyCount(VOCABULARY_COUNT), 0);
    EXPECT_EQ(VocabularyCount(-1), 0);
    EXPECT_STREQ(VocabularyText(VocabLux, 10), L"100");
    EXPECT_STREQ(VocabularyText(VocabLux, 11), L"200");
    EXPECT_STREQ(VocabularyText(VocabLux, 20), L"2000");
    EXPECT_STREQ(VocabularyText(VocabLux, 37), L"100000");
    EXPECT_STREQ(VocabularyText(VocabCelsius, 0), L"-15");
    EXPECT_STREQ(VocabularyText(VocabLoopCount, 0), L"\u221E");
    EXPECT_STREQ(VocabularyText(VocabLoopCount, 100), L"100");
    EXPECT_STREQ(VocabularyText(VocabLineNumber, 49), L"50");
    EXPECT_STREQ(VocabularyText(VocabStopTime, 9), L"0.9");
    EXPECT_STREQ(VocabularyText(VocabStopTime, 108), L"99");
    EXPECT_EQ(VocabularyText(VocabLux, 38), nullptr);
    EXPECT_EQ(VocabularyText(VocabLux, -1), nullptr);
    EXPECT_EQ(VocabularyText(11, 0), nullptr);
}

TEST(Vocabulary, FindCommandIgnoresAsciiCaseOnly) {
    EXPECT_EQ(FindCommand(L"for"), CMD_FOR);
    EXPECT_EQ(FindCommand(L"For"), CMD_FOR);
    EXPECT_EQ(FindCommand(L"FOR"), CMD_FOR);
    EXPECT_EQ(FindCommand(L"out123"), CMD_OUT123);
    EXPECT_EQ(FindCommand(L"START"), -1);
    EXPECT_EQ(FindCommand(L""), CMD_NONE);
    EXPECT_EQ(FindCommand(static_cast<const wchar_t*>(nullptr)), -1);
    EXPECT_EQ(FindCommand(L"FOR "), -1);
}

TEST(Vocabulary, FindInVocabularyMatchesWholeTexts) {
    EXPECT_EQ(FindInVocabulary(VocabComparators, L"="), -1);
    EXPECT_EQ(FindInVocabulary(VocabComparators, L"\u2267"), 0);
    EXPECT_EQ(FindInVocabulary(VocabComparators, L"\u2266"), 1);
    EXPECT_EQ(FindInVocabulary(VocabComparators, L"\uFF1D"), 2);
    EXPECT_EQ(FindInVocabulary(VocabCelsius, L"-15"), 0);
    EXPECT_EQ(FindInVocabulary(VocabCelsius, L"55"), 70);
    EXPECT_EQ(FindInVocabulary(VocabLux, L"1500"), -1);
    EXPECT_EQ(FindInVocabulary(VocabOutputTime, L"1"), 10);
    EXPECT_EQ(FindInVocabulary(VocabOutputTime, L"0.5"), 5);
    EXPECT_EQ(FindInVocabulary(VocabOutputTime, L"\u221E"), 0);
    EXPECT_EQ(FindInVocabulary(VocabOutputTime, L"1.0"), -1);
    EXPECT_EQ(FindInVocabulary(VocabOutputTime, L"99"), 108);
    EXPECT_EQ(FindInVocabulary(VocabStopTime, L"0.1"), 1);
    EXPECT_EQ(FindInVocabulary(VocabOnOff, L"on"), 1);
    EXPECT_EQ(FindInVocabulary(VocabLineNumber, L"01"), -1);
    for (int id : {11, 12, -1})
        EXPECT_EQ(FindInVocabulary(id, L"1"), -1) << id;
}

TEST(Vocabulary, InputsChooseValueListsAndUnits) {
    EXPECT_EQ(InputValueVocabulary(L"IN1"), VocabLux);
    EXPECT_EQ(InputValueVocabulary(L"in3"), VocabCelsius);
    EXPECT_EQ(InputValueVocabulary(L"IN4"), VocabOnOff);
    EXPECT_STREQ(VocabularyText(VocabOnOff, 0), L"OFF");
    EXPECT_STREQ(VocabularyText(VocabOnOff, 1), L"ON");
    EXPECT_EQ(InputValueVocabulary(L"IN5"), -1);
    EXPECT_STREQ(InputUnit(L"IN2"), L"dB");
    EXPECT_STREQ(InputUnit(L"IN3"), L"\u2103");
    EXPECT_STREQ(InputUnit(L"IN4"), L"");
    EXPECT_STREQ(InputUnit(L"X"), L"");
}

TEST(Vocabulary, ParameterSlotsTakeTheirLists) {
    EXPECT_EQ(ParamCount(CMD_IF), 7);
    EXPECT_EQ(ParamCount(CMD_NEXT), 0);
    EXPECT_EQ(ParamCount(CMD_START), 0);
    EXPECT_EQ(ParamCount(-1), 0);
    EXPECT_EQ(SlotVocabulary(CMD_FOR, 0, L""), VocabLoopCount);
    EXPECT_EQ(SlotVocabulary(CMD_OUT23, 0, L""), VocabOutputTime);
    EXPECT_EQ(SlotVocabulary(CMD_STOP, 0, L""), VocabStopTime);
    EXPECT_EQ(SlotVocabulary(CMD_GOTO, 0, L""), VocabLineNumber);
    EXPECT_EQ(SlotVocabulary(CMD_IF, 2, L"IN2"), VocabDecibel);
    EXPECT_EQ(SlotVocabulary(CMD_IF, 3, L"IN2"), -1);
    EXPECT_EQ(SlotVocabulary(CMD_IF, 6, L"IN2"), VocabLineNumber);
    EXPECT_EQ(SlotVocabulary(CMD_FOR, 1, L""), -1);
    EXPECT_EQ(SlotVocabulary(CMD_END, 0, L""), -1);
}
