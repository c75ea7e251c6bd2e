// What the commands of velmora-cli share: loading a program file, writing
// bytes and UTF-8, and reporting file and program errors.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "model/program_row.h"

struct Program {
    ProgramRow rows[MAX_ROWS];
    int count = 0;
};

void Write(std::FILE* stream, const std::string& bytes);
std::string Utf8(std::wstring_view text);

// Whether an argument is exactly this ASCII word.
bool IsWord(const std::filesystem::path& arg, std::string_view word);
// An argument as ASCII text; false when it holds anything else.
bool AsciiArgument(const std::filesystem::path& arg, std::string& text);

// Writes the usage to stderr and returns the usage exit code.
int UsageError();
// Writes "velmora-cli: PATH: what" to stderr and returns the file-error exit code.
int FileError(const std::filesystem::path& path, const char* what);
// Reads a program file the way the editor opens it; reports a failure.
bool Load(const std::filesystem::path& path, Program& program);
// Checks the program; when a row is faulty, writes "Sytax Error!" and the
// first faulty row with its errors to stderr and returns false.
bool CheckOrReport(Program& program);
