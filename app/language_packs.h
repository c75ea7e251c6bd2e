// The language-pack table: built from the settings file at start-up, and the
// built-in packs written back to it at exit so that the user can edit them.
#pragma once
#include "app/language_pack.h"
#include <span>
#include <string>

using PackTable = std::span<LanguagePack, MAX_LANGUAGE_PACKS>;

// Whether each built-in pack was appended to the table.
struct BuiltinPackFlags {
    int addChinese = 0;
    int addEnglish = 0;
};

// Rebuilds the whole table: the packs named in section "Language" (keys "1"
// to "16") in key order with their texts, then the built-in English and
// Chinese packs unless a file pack carries their name, while there is room.
// Unused slots are zero. Returns the number of packs held.
int LoadLanguagePackTable(const std::wstring& settingsPath, PackTable packs, BuiltinPackFlags& flags);

// Writes the appended built-in packs (the last ones of the table) as file
// packs: their names under "Language" and their texts in their own sections.
void SaveLanguagePackTable(const std::wstring& settingsPath, std::span<const LanguagePack> packs, int packCount,
                           const BuiltinPackFlags& flags);

// The hexadecimal language identifier that follows a pack name's comma: hex
// digits after optional blanks, up to the first other character, low 16 bits.
uint16_t ParseLanguageId(std::wstring_view text);
