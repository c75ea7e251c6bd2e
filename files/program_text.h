// Program text: one line per row, "<line number><TAB><name>" followed by
// " <parameter>" for each parameter slot of the command; files end every line
// with CR LF.
#pragma once

#include <filesystem>
#include <string>

#include "model/program_row.h"

// Text forms of the comparators in a line. Forms 0..2 pair by index with the
// comparator vocabulary ("≧" is written "=", "≦" "≦", "＝" "≧"); the others
// have no comparator and stay as they are.
inline constexpr const wchar_t* ComparatorTextForms[6] = {L"=", L"\u2266", L"\u2267", L">", L"<", L"!="};

constexpr int MAX_LINE_TOKENS = 9;
constexpr int MAX_TOKEN_LINE = 259;        // longest line (after its leading blanks) that gives tokens
constexpr int MAX_READ_LINE_PIECE = 1022;  // longer file lines are read in pieces of this size

struct Token {
    int start;
    int length;
};

// Cuts a NUL-terminated line in place (a NUL after each token) and returns the
// number of tokens, at most `maxTokens`, with their starts and lengths in
// `tokens`. Leading blanks are skipped; a line with nothing else or longer than
// MAX_TOKEN_LINE characters after them gives 0 tokens.
int SplitTokens(wchar_t* line, int maxTokens, Token* tokens);

// Fills `row` from a NUL-terminated line; the buffer is upper-cased (ASCII) and
// cut in place. Returns false, leaving `row` alone, when the line gave no token.
bool ParseProgramLine(wchar_t* line, ProgramRow& row);

// The line of row `rowIndex`, without line end.
std::wstring FormatProgramLine(int rowIndex, const ProgramRow* rows);

// The bytes of a program text file holding `count` rows.
std::string ProgramTextBytes(const ProgramRow* rows, int count);

// Replaces the file by the lines of the rows. 1 on success; 0 when the file
// cannot be written or the path or rows are missing or the count is negative.
int WriteProgramText(const std::filesystem::path& path, const ProgramRow* rows, int count);

// Reads lines until the end of the file or until `maximum` rows are filled and
// returns the number filled; -1 (no row changed) when the file cannot be opened;
// 0 when the path or the rows are missing.
int ReadProgramText(const std::filesystem::path& path, ProgramRow* rows, int maximum);
