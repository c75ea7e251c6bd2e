// Building and comparing program rows in tests.
#pragma once

#include <cstring>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "model/program_row.h"
#include "model/vocabulary.h"

inline ProgramRow Row(const wchar_t* name, std::initializer_list<const wchar_t*> params = {}) {
    ProgramRow row;
    std::memset(&row, 0, sizeof row);
    SetRowText(row.name, name);
    row.code = static_cast<int16_t>(FindCommand(name));
    int slot = 0;
    for (const wchar_t* param : params)
        SetRowText(row.params[slot++], param);
    return row;
}

// FOR ∞; IF IN1 ≧ 100 THEN 3 ELSE 5; OUT1 0.5; GOTO 6; OUT2 2; NEXT; END; empty.
inline std::vector<ProgramRow> ExampleProgram() {
    return {Row(L"FOR", {L"\u221E"}),
            Row(L"IF", {L"IN1", L"\u2267", L"100", L"THEN", L"3", L"ELSE", L"5"}),
            Row(L"OUT1", {L"0.5"}),
            Row(L"GOTO", {L"6"}),
            Row(L"OUT2", {L"2"}),
            Row(L"NEXT"),
            Row(L"END"),
            Row(L"")};
}

inline const char* ExampleText() {
    return "1\tFOR 0\r\n2\tIF IN1 = 100 THEN 3 ELSE 5\r\n3\tOUT1 0.5\r\n4\tGOTO 6\r\n"
           "5\tOUT2 2\r\n6\tNEXT\r\n7\tEND\r\n8\t\r\n";
}

inline const std::vector<uint8_t> ExampleImage() {
    return {0x00, 0x08, 0x80, 0x00, 0x81, 0x01, 0x00, 0x0A, 0x94, 0x02, 0x95, 0x04, 0x41,
            0x05, 0x24, 0x05, 0x42, 0x0B, 0x10, 0x00, 0x12, 0x00, 0x00, 0x00, 0x00};
}

// Same command, name and parameter texts (the checker's fields aside).
inline bool SameText(const ProgramRow& a, const ProgramRow& b) {
    return a.code == b.code && std::memcmp(a.name, b.name, sizeof a.name) == 0 &&
           std::memcmp(a.params, b.params, sizeof a.params) == 0;
}

inline std::string Describe(const ProgramRow& row) {
    std::string text = std::to_string(row.code) + ":";
    auto add = [&](std::wstring_view field) {
        for (wchar_t c : field) {
            if (c < 0x80) {
                text += char(c);
            } else {
                text += '<';
                text += std::to_string(int(c));
                text += '>';
            }
        }
        text += '|';
    };
    add(RowText(row.name));
    for (const auto& param : row.params)
        add(RowText(param));
    return text;
}

std::string ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::string& bytes);
