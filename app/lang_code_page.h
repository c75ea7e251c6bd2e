// Reference list of language names and identifiers written to the settings
// file for whoever adds a language pack; nothing reads it back.
#pragma once
#include <cstdint>
#include <string>

struct LangCodePageRow {
    wchar_t name[20];
    uint16_t langId;  // full identifiers or primary language numbers, as listed
};

constexpr int LANG_CODE_PAGE_ROWS = 9;
extern const LangCodePageRow LangCodePageTable[LANG_CODE_PAGE_ROWS];

// The value of one row in the settings file: "%s,%04X".
std::wstring FormatLangCodePageRow(const LangCodePageRow& row);
