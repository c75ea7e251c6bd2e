#include <gtest/gtest.h>

#include "model/checker.h"
#include "model/error_texts.h"
#include "tests/core/test_rows.h"

namespace {

struct Checked {
    std::vector<ProgramRow> rows;
    int result;
};

Checked Check(std::vector<ProgramRow> rows) {
    const int result = CheckProgram(rows.data(), static_cast<int>(rows.size()));
    return {rows, result};
}

std::vector<ProgramRow> GotoAt(int lines, int at, const wchar_t* target) {
    std::vector<ProgramRow> rows(lines, Row(L"OUT1", {L"1"}));
    rows[at] = Row(L"GOTO", {target});
    rows.back() = Row(L"END");
    return rows;
}

}  // namespace

TEST(CheckProgram, ForAndNextMatch) {
    auto c = Check({Row(L"OUT1", {L"1"}), Row(L"FOR", {L"3"})});
    EXPECT_EQ(c.rows[1].errorFlags, ERR_FOR_NO_NEXT);
    EXPECT_EQ(c.result, 0);

    c = Check({Row(L"FOR", {L""}), Row(L"NEXT")});
    EXPECT_EQ(c.rows[0].errorFlags, ERR_FOR_NO_PARAM);
    c = Check({Row(L"FOR", {L"  "})});
    EXPECT_EQ(c.rows[0].errorFlags, ERR_FOR_NO_PARAM | ERR_FOR_NO_NEXT);

    c = Check({Row(L"FOR", {L"2"}), Row(L"FOR", {L"3"}), Row(L"NEXT"), Row(L"NEXT")});
    EXPECT_EQ(c.result, 1);
    EXPECT_EQ(NextLink(c.rows[2]), 1);
    EXPECT_EQ(NextLink(c.rows[3]), 0);
    for (const auto& row : c.rows)
        EXPECT_EQ(row.errorFlags, 0);
}

TEST(CheckProgram, NextWithoutForIsLinkedToNothing) {
    auto c = Check({Row(L"NEXT"), Row(L"END")});
    EXPECT_EQ(c.rows[0].errorFlags, ERR_NEXT_NO_FOR);
    EXPECT_EQ(NextLink(c.rows[0]), NEXT_LINK_NONE);
    EXPECT_EQ(c.result, 1) << "row 0's own errors do not change the result";
    EXPECT_EQ(FirstErrorRow(c.rows.data(), 2), 0);

    c = Check({Row(L"FOR", {L"1"}), Row(L"NEXT"), Row(L"NEXT")});
    EXPECT_EQ(c.rows[2].errorFlags, ERR_NEXT_NO_FOR);
    EXPECT_EQ(NextLink(c.rows[2]), NEXT_LINK_NONE);
    EXPECT_EQ(c.result, 0);
}

TEST(CheckProgram, NextMakesItsForReachable) {
    // Line 1 jumps over the FOR to the NEXT; the loop brings the flow back to it.
    auto c = Check({Row(L"GOTO", {L"3"}), Row(L"FOR", {L"2"}), Row(L"NEXT"), Row(L"END")});
    EXPECT_EQ(c.result, 1);
    EXPECT_TRUE(c.rows[1].reachable);
}

TEST(CheckProgram, GotoLinesOutsideTheProgram) {
    for (const wchar_t* target : {L"0", L"-1", L"11"}) {
        auto c = Check(GotoAt(10, 3, target));
        EXPECT_EQ(c.rows[3].errorFlags, ERR_GOTO_RANGE) << target;
    }
    auto c = Check(GotoAt(10, 3, L" 10"));
    EXPECT_EQ(c.rows[3].errorFlags, 0);
    EXPECT_TRUE(c.rows[9].reachable);

    for (const wchar_t* target : {L"", L" \t"}) {
        c = Check(GotoAt(10, 3, target));
        EXPECT_EQ(c.rows[3].errorFlags, ERR_NO_JUMP_LINE);
        EXPECT_EQ(c.rows[4].errorFlags, ERR_NO_ENTRANCE) << "a GOTO never falls through";
    }
}

TEST(CheckProgram, IfLines) {
    auto c = Check({Row(L"IF", {L"IN1", L"\u2267", L"10", L"THEN", L"", L"ELSE", L"3"}), Row(L"END"), Row(L"END")});
    EXPECT_EQ(c.rows[0].errorFlags, ERR_NO_JUMP_LINE);
    EXPECT_TRUE(c.rows[2].reachable);
    EXPECT_EQ(c.rows[1].errorFlags, ERR_NO_ENTRANCE);

    c = Check({Row(L"IF", {L"IN1", L"\u2267", L"10", L"THEN", L"0", L"ELSE", L"9"}), Row(L"END")});
    EXPECT_EQ(c.rows[0].errorFlags, ERR_THEN_RANGE | ERR_ELSE_RANGE);

    // A blank line is not empty for IF: it reads as 0.
    c = Check({Row(L"IF", {L"IN1", L"\u2267", L"10", L"THEN", L" ", L"ELSE", L"1"})});
    EXPECT_EQ(c.rows[0].errorFlags, ERR_THEN_RANGE);
}

TEST(CheckProgram, RowsWithoutEntrance) {
    auto c = Check({Row(L"END"), Row(L"OUT1", {L"1"})});
    EXPECT_EQ(c.rows[1].errorFlags, ERR_NO_ENTRANCE);
    c = Check({Row(L"GOTO", {L"3"}), Row(L"OUT1", {L"1"}), Row(L"END")});
    EXPECT_EQ(c.rows[1].errorFlags, ERR_NO_ENTRANCE);
    EXPECT_EQ(c.rows[2].errorFlags, 0);
    // An unknown name stops the flow like END.
    c = Check({Row(L"JUMP"), Row(L"END")});
    EXPECT_EQ(c.rows[1].errorFlags, ERR_NO_ENTRANCE);
    // Empty rows and the start element pass the flow on.
    std::vector<ProgramRow> rows = {Row(L""), Row(L""), Row(L"END")};
    rows[0].code = CMD_START;
    c = Check(rows);
    EXPECT_EQ(c.result, 1);
}

TEST(CheckProgram, ReachabilityThroughAChainOfBackwardJumps) {
    // Lines 1, 5, 4, 3 and 2 reach one another in that order.
    auto c = Check(
        {Row(L"GOTO", {L"5"}), Row(L"END"), Row(L"GOTO", {L"2"}), Row(L"GOTO", {L"3"}), Row(L"GOTO", {L"4"})});
    EXPECT_EQ(c.result, 1);
    for (const auto& row : c.rows)
        EXPECT_EQ(row.errorFlags, 0);

    // A longer chain: line 1 jumps to 20, each line k jumps to k-1, line 2 ends.
    std::vector<ProgramRow> rows(20);
    rows[0] = Row(L"GOTO", {L"20"});
    rows[1] = Row(L"END");
    for (int k = 3; k <= 20; ++k)
        rows[k - 1] = Row(L"GOTO", {std::to_wstring(k - 1).c_str()});
    c = Check(rows);
    EXPECT_EQ(c.result, 1);
    EXPECT_EQ(FirstErrorRow(c.rows.data(), 20), -1);
}

TEST(CheckProgram, TrailingEmptyRowsDoNotStopSending) {
    auto c = Check({Row(L"OUT1", {L"1"}), Row(L"END"), Row(L""), Row(L"")});
    EXPECT_EQ(c.result, 0);
    EXPECT_EQ(c.rows[2].errorFlags, ERR_NO_ENTRANCE);
    EXPECT_EQ(FirstErrorRow(c.rows.data(), 4), -1);

    c = Check({Row(L"OUT1", {L"1"}), Row(L"OUT1", {L""}), Row(L"END")});
    EXPECT_EQ(FirstErrorRow(c.rows.data(), 3), 1);
    EXPECT_EQ(c.rows[1].errorFlags, ERR_NO_PARAM);
    c = Check({Row(L"STOP", {L" "}), Row(L"END")});
    EXPECT_EQ(c.rows[0].errorFlags, ERR_NO_PARAM);

    std::vector<ProgramRow> empty(3, Row(L""));
    empty[1].errorFlags = ERR_NO_PARAM;
    EXPECT_EQ(FirstErrorRow(empty.data(), 3), -1);
}

TEST(CheckProgram, RewritesOldResultsAndLeavesNothingElse) {
    auto rows = ExampleProgram();
    rows[2].errorFlags = ERR_GOTO_RANGE;
    rows[7].reachable = 1;
    EXPECT_EQ(CheckProgram(rows.data(), 8), 0);
    EXPECT_EQ(rows[2].errorFlags, 0);
    EXPECT_EQ(rows[7].errorFlags, ERR_NO_ENTRANCE);
    EXPECT_EQ(NextLink(rows[5]), 0);

    ProgramRow untouched = Row(L"FOR");
    untouched.errorFlags = 0x1FF;
    EXPECT_EQ(CheckProgram(&untouched, 0), 1);
    EXPECT_EQ(CheckProgram(nullptr, 5), 1);
    EXPECT_EQ(untouched.errorFlags, 0x1FF);
    EXPECT_EQ(FirstErrorRow(nullptr, 5), -1);
}

TEST(FormatErrorList, JoinsTextsInBitOrder) {
    EXPECT_EQ(FormatErrorList(ERR_NO_ENTRANCE | ERR_NO_PARAM, ErrorTextsEnglish), L"No parameters,No entrance!");
    EXPECT_EQ(FormatErrorList(0, ErrorTextsEnglish), L"");
    EXPECT_EQ(FormatErrorList(ERR_FOR_NO_PARAM, ErrorTextsEnglish), L"FOR no parameters!");
    EXPECT_EQ(FormatErrorList(ERR_NO_ENTRANCE, ErrorTextsChinese), L"没有入口!");
    EXPECT_EQ(FormatErrorList(ERR_FOR_NO_NEXT | ERR_FOR_NO_PARAM, ErrorTextsChinese),
              L"FOR后没有NEXT匹配,FOR没有参数!");
    const wchar_t* const sparse[ERROR_BIT_COUNT] = {L"a", nullptr, L"c"};
    EXPECT_EQ(FormatErrorList(0x007, sparse), L"a,,c!");
}
