#include <gtest/gtest.h>

#include "files/clipboard_row.h"
#include "files/program_text.h"
#include "tests/core/test_rows.h"

namespace {

// Parses a line given as text; `parsed` tells whether it gave a row.
ProgramRow Parse(std::wstring line, bool* parsed = nullptr) {
    ProgramRow row = Row(L"STOP", {L"7"});
    const bool result = ParseProgramLine(line.data(), row);
    if (parsed)
        *parsed = result;
    return row;
}

std::vector<std::wstring> Split(std::wstring line, int maxTokens = MAX_LINE_TOKENS) {
    Token tokens[16];
    const int count = SplitTokens(line.data(), maxTokens, tokens);
    std::vector<std::wstring> texts;
    for (int i = 0; i < count; ++i)
        texts.emplace_back(line.data() + tokens[i].start, tokens[i].length);
    return texts;
}

std::vector<ProgramRow> ReadText(const std::string& bytes, int maximum = MAX_ROWS, int* result = nullptr) {
    WriteBytes("read.stxt", bytes);
    std::vector<ProgramRow> rows(MAX_ROWS + 10);
    const int count = ReadProgramText("read.stxt", rows.data(), maximum);
    if (result)
        *result = count;
    rows.resize(count > 0 ? count : 0);
    return rows;
}

std::string WrittenText(const std::vector<ProgramRow>& rows) {
    EXPECT_EQ(WriteProgramText("written.stxt", rows.data(), static_cast<int>(rows.size())), 1);
    return ReadBytes("written.stxt");
}

void ExpectRows(const std::vector<ProgramRow>& actual, const std::vector<ProgramRow>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < actual.size(); ++i)
        EXPECT_TRUE(SameText(actual[i], expected[i]))
            << i << ": " << Describe(actual[i]) << " vs " << Describe(expected[i]);
}

}  // namespace

TEST(ProgramText, WorkedExampleWritesAndReadsBack) {
    const std::string bytes = WrittenText(ExampleProgram());
    EXPECT_EQ(bytes, ExampleText());
    EXPECT_EQ(bytes.substr(0, 9), std::string("\x31\x09\x46\x4F\x52\x20\x30\x0D\x0A"));
    ExpectRows(ReadText(bytes), ExampleProgram());
}

TEST(SplitTokens, BlanksSeparateAndLineEndsClose) {
    EXPECT_EQ(Split(L"  12   for   5"), (std::vector<std::wstring>{L"12", L"for", L"5"}));
    EXPECT_EQ(Split(L"1\tOUT1 \r\n"), (std::vector<std::wstring>{L"1", L"OUT1", L""}));
    EXPECT_EQ(Split(L"1\tOUT1 "), (std::vector<std::wstring>{L"1", L"OUT1"}));
    EXPECT_EQ(Split(L"  \t\r\n"), (std::vector<std::wstring>{L""}));
    EXPECT_EQ(Split(L" \t "), std::vector<std::wstring>{});
    EXPECT_EQ(Split(L""), std::vector<std::wstring>{});
    EXPECT_EQ(Split(L"A\rB C"), (std::vector<std::wstring>{L"A"}));
    EXPECT_EQ(Split(L"1 2 3 4 5", 3), (std::vector<std::wstring>{L"1", L"2", L"3"}));
    EXPECT_EQ(Split(L"1 2 3\r\n", 3), (std::vector<std::wstring>{L"1", L"2", L"3"}));
}

TEST(SplitTokens, LinesLongerThan259CharactersGiveNoToken) {
    const std::wstring longest = L"1\tEND " + std::wstring(MAX_TOKEN_LINE - 8, L'x') + L"\r\n";
    ASSERT_EQ(longest.size(), 259u);
    EXPECT_EQ(Split(longest).size(), 3u);
    EXPECT_EQ(Split(longest + L"\n").size(), 0u);
    EXPECT_EQ(Split(std::wstring(300, L' ') + longest).size(), 3u) << "leading blanks do not count";
}

TEST(ParseProgramLine, NamesAndParameters) {
    EXPECT_TRUE(SameText(Parse(L"  12   for   5"), Row(L"FOR", {L"5"})));
    const ProgramRow cut = Parse(L"3\tOUT123XYZ 1");
    EXPECT_EQ(RowText(cut.name), L"OUT123XY");
    EXPECT_EQ(cut.code, -1);
    EXPECT_EQ(RowText(cut.params[0]), L"") << "an unknown name takes no parameters";
    EXPECT_EQ(RowText(Parse(L"1\tOUT1 123456789").params[0]), L"12345678");
    EXPECT_TRUE(SameText(Parse(L"1\tFOR 0"), Row(L"FOR", {L"\u221E"})));
    EXPECT_TRUE(SameText(Parse(L"1\tFOR 00"), Row(L"FOR", {L"00"})));
    EXPECT_TRUE(SameText(Parse(L"1\tGOTO 0"), Row(L"GOTO", {L"0"})));
    EXPECT_TRUE(SameText(Parse(L"1\tEND 5 6\r\n"), Row(L"END")));
    EXPECT_TRUE(SameText(Parse(L"1\tif in2 = 5 then 2 else 3 9 9"),
                         Row(L"IF", {L"IN2", L"\u2267", L"5", L"THEN", L"2", L"ELSE", L"3"})));
    for (const wchar_t* kept : {L">", L"<", L"!=", L"=="}) {
        const ProgramRow row = Parse(std::wstring(L"1\tIF IN1 ") + kept + L" 0 THEN 1 ELSE 1");
        EXPECT_EQ(RowText(row.params[1]), kept);
    }
}

TEST(ParseProgramLine, EmptyLinesAndBlankLines) {
    bool parsed;
    EXPECT_TRUE(SameText(Parse(L"\r\n", &parsed), Row(L"")));
    EXPECT_TRUE(parsed);
    EXPECT_TRUE(SameText(Parse(L"  \t \r\n", &parsed), Row(L"")));
    EXPECT_TRUE(SameText(Parse(L"8\t", &parsed), Row(L"")));
    const ProgramRow untouched = Parse(L"   ", &parsed);
    EXPECT_FALSE(parsed);
    EXPECT_TRUE(SameText(untouched, Row(L"STOP", {L"7"})));
    ProgramRow row;
    EXPECT_FALSE(ParseProgramLine(nullptr, row));
}

TEST(ProgramText, LinesTakeFileOrderAndEmptySlotsShift) {
    ExpectRows(ReadText("5\tEND\r\n1\tFOR 3\r\n"), {Row(L"END"), Row(L"FOR", {L"3"})});
    ExpectRows(ReadText("1\tEND\r\n\r\n  \r\n2\tOUT4 3"), {Row(L"END"), Row(L""), Row(L""), Row(L"OUT4", {L"3"})});
    ExpectRows(ReadText("1\tEND\n2\tNEXT\r\n"), {Row(L"END"), Row(L"NEXT")});

    const std::vector<ProgramRow> emptyTime = {Row(L"OUT1", {L""})};
    EXPECT_EQ(WrittenText(emptyTime), "1\tOUT1 \r\n");
    ExpectRows(ReadText(WrittenText(emptyTime)), emptyTime);

    const std::vector<ProgramRow> emptyValue = {Row(L"IF", {L"IN1", L"\u2267", L"", L"THEN", L"2", L"ELSE", L"3"})};
    ExpectRows(ReadText(WrittenText(emptyValue)), {Row(L"IF", {L"IN1", L"\u2267", L"THEN", L"2", L"ELSE", L"3"})});
}

TEST(ProgramText, ReadingStopsAtTheMaximum) {
    std::string sixty;
    for (int i = 1; i <= 60; ++i)
        sixty += std::to_string(i) + "\tOUT2 " + std::to_string(i) + "\r\n";
    const auto rows = ReadText(sixty);
    ASSERT_EQ(rows.size(), 50u);
    EXPECT_TRUE(SameText(rows[49], Row(L"OUT2", {L"50"})));
    EXPECT_EQ(ReadText(sixty, 3).size(), 3u);
}

TEST(ProgramText, LongLinesAreReadInPieces) {
    // A 1022-character piece is too long to give a row; the rest of the line is a line of its own.
    const auto rows = ReadText(std::string(1022, 'x') + "5\tEND\r\n" + std::string(1100, 'y') + "\r\n3\tNEXT\r\n" +
                               std::string(1022, ' ') + "4\tNEXT");
    ExpectRows(rows, {Row(L"END"), Row(L""), Row(L"NEXT"), Row(L"NEXT")});
}

TEST(ProgramText, CharactersAboveLatin1AreStoredAsUtf8) {
    const std::vector<ProgramRow> rows = {
        Row(L"OUT1", {L"\u221E"}),
        Row(L"IF", {L"IN1", L"\u2266", L"10", L"THEN", L"1", L"ELSE", L"1"}),
        Row(L"IF", {L"IN4", L"\uFF1D", L"ON", L"THEN", L"1", L"ELSE", L"1"}),
        Row(L"STOP", {L"\u221E"}),
        Row(L"X\u00E9\u00FF", {}),
        Row(L"Y\u00E9\u221E", {}),
    };
    const std::string bytes = WrittenText(rows);
    EXPECT_EQ(bytes,
              "1\tOUT1 \xE2\x88\x9E\r\n"
              "2\tIF IN1 \xE2\x89\xA6 10 THEN 1 ELSE 1\r\n"
              "3\tIF IN4 \xE2\x89\xA7 ON THEN 1 ELSE 1\r\n"
              "4\tSTOP \xE2\x88\x9E\r\n"
              "5\tX\xE9\xFF\r\n"
              "6\tY\xC3\xA9\xE2\x88\x9E\r\n");
    ExpectRows(ReadText(bytes), rows);
}

TEST(ProgramText, OnlyUtf8WithWideCharactersIsDecoded) {
    // UTF-8 of Latin-1 characters only, broken UTF-8 and a cut sequence read byte for byte.
    EXPECT_EQ(RowText(ReadText("1\t\xC3\xA9\r\n")[0].name), L"\u00C3\u00A9");
    EXPECT_EQ(RowText(ReadText("1\t\xE2\x88\x9E\xFF\r\n")[0].name), L"\u00E2\u0088\u009E\u00FF");
    EXPECT_EQ(RowText(ReadText("1\t\xE2\x88\x9E\xE2\x88")[0].name), L"\u00E2\u0088\u009E\u00E2\u0088");
    EXPECT_EQ(RowText(ReadText("1\t\xE0\x82\x80\xE2\x88\x9E\r\n")[0].name), L"\u00E0\u0082\u0080\u00E2\u0088\u009E");
    // Each line is judged by itself.
    const auto rows = ReadText("1\t\xE2\x88\x9E\r\n2\t\xE2\x88\x9E\xFF\r\n");
    EXPECT_EQ(RowText(rows[0].name), L"\u221E");
    EXPECT_EQ(RowText(rows[1].name), L"\u00E2\u0088\u009E\u00FF");
}

TEST(ProgramText, EightBitLinesThatLookLikeUtf8AreMarked) {
    // "ä¸\u00AD" is stored as E4 B8 AD, the UTF-8 of "中"; a byte 0xFF after the
    // line number keeps the line from being read as UTF-8.
    const std::vector<ProgramRow> rows = {Row(L"\u00E4\u00B8\u00AD"), Row(L"OUT1", {L"\u00E4\u00B8"})};
    const std::string bytes = WrittenText(rows);
    EXPECT_EQ(bytes, "1\xFF\t\xE4\xB8\xAD\r\n2\tOUT1 \xE4\xB8\r\n");
    ExpectRows(ReadText(bytes), rows);
}

TEST(ProgramText, SavingAndOpeningKeepsEveryRow) {
    // Row texts drawn from ASCII, Latin-1 and wide characters, none blank.
    // ASCII letters are upper case: reading upper-cases them.
    const wchar_t alphabet[] = L"A0Z.-\u00A0\u00E4\u00B8\u00AD\u00E9\u00FF\u0080\u221E\u2266\u2267\uFF1D\u4E2D\u0100";
    uint32_t seed = 12345;
    auto next = [&] { return (seed = seed * 1103515245u + 12345u) >> 16; };
    std::vector<ProgramRow> rows;
    for (int i = 0; i < MAX_ROWS; ++i) {
        std::wstring texts[8];
        for (auto& text : texts)
            for (int n = 1 + next() % 8; n > 0; --n)
                text += alphabet[next() % (std::size(alphabet) - 1)];
        const int code = 1 + next() % 14;
        ProgramRow row = Row(VocabularyText(VocabCommands, code));
        for (int slot = 0; slot < ParamCount(code); ++slot)
            SetRowText(row.params[slot], texts[slot + 1]);
        if (i % 5 == 0)
            row = Row(texts[0].c_str());
        // A FOR count that starts with "∞" is written "0", and "0" reads back as "∞".
        if (code == CMD_FOR && (row.params[0][0] == L'\u221E' || RowText(row.params[0]) == L"0"))
            SetRowText(row.params[0], L"\u221E");
        rows.push_back(row);
    }
    ExpectRows(ReadText(WrittenText(rows)), rows);
}

TEST(ProgramText, FileFailures) {
    std::vector<ProgramRow> rows(3, Row(L"STOP", {L"7"}));
    EXPECT_EQ(ReadProgramText("no-such-file.stxt", rows.data(), 3), -1);
    EXPECT_TRUE(SameText(rows[0], Row(L"STOP", {L"7"})));
    EXPECT_EQ(ReadProgramText(".", rows.data(), 3), -1);
    EXPECT_EQ(ReadProgramText("", rows.data(), 3), 0);
    EXPECT_EQ(ReadProgramText("read.stxt", nullptr, 3), 0);
    EXPECT_EQ(WriteProgramText("no-such-folder/x.stxt", rows.data(), 3), 0);
    EXPECT_EQ(WriteProgramText("", rows.data(), 3), 0);
    EXPECT_EQ(WriteProgramText("x.stxt", nullptr, 3), 0);
    EXPECT_EQ(WriteProgramText("x.stxt", rows.data(), -1), 0);
    EXPECT_EQ(WriteProgramText("x.stxt", rows.data(), 0), 1);
    EXPECT_EQ(ReadBytes("x.stxt"), "");
}

TEST(ClipboardRow, RowTravelsAsUtf16) {
    const auto rows = ExampleProgram();
    std::vector<ProgramRow> pasted = {Row(L"IF", {L"IN3", L"\uFF1D", L"-5", L"THEN", L"1", L"ELSE", L"2"})};
    uint8_t block[CLIPBOARD_BLOCK_SIZE];
    FormatClipboardBlock(0, pasted.data(), block);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(block), 8), std::string("1\0\t\0I\0F\0", 8));
    EXPECT_EQ(block[18], 0x67);  // "≧" (U+2267), the text form of "＝", as one UTF-16 unit
    EXPECT_EQ(block[19], 0x22);
    ProgramRow row;
    ASSERT_TRUE(ParseClipboardBlock(block, sizeof block, row));
    EXPECT_TRUE(SameText(row, pasted[0]));

    // A block without its NUL is read only up to its size.
    const std::string line = "1\tSTOP 0.5" + std::string(90, ' ');
    std::vector<uint8_t> full(CLIPBOARD_BLOCK_SIZE, 0);
    for (size_t i = 0; i < line.size(); ++i)
        full[2 * i] = static_cast<uint8_t>(line[i]);
    ASSERT_TRUE(ParseClipboardBlock(full.data(), full.size(), row));
    EXPECT_TRUE(SameText(row, Row(L"STOP", {L"0.5"})));
    EXPECT_FALSE(ParseClipboardBlock(nullptr, 200, row));
}
