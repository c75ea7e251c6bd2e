// One language's user-interface texts, and the two packs built into the editor.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <type_traits>

constexpr int MAX_LANGUAGE_PACKS = 16;

// Field widths in wide characters, terminating zero included.
constexpr int PACK_NAME_SIZE = 40;
constexpr int PACK_SHORT_TEXT_SIZE = 40;  // C, M and E texts
constexpr int PACK_LONG_TEXT_SIZE = 80;   // I texts

constexpr int PACK_CAPTION_COUNT = 6;  // C1..C6
constexpr int PACK_MENU_COUNT = 6;     // M1..M6
constexpr int PACK_ERROR_COUNT = 9;    // E1..E9, one per check-error bit
constexpr int PACK_INFO_COUNT = 13;    // I1..I13

// Fixed record of UTF-16 texts with no gaps; the same layout for the built-in
// packs and the slots of the pack table. All zeros is an empty pack.
struct LanguagePack {
    wchar_t name[PACK_NAME_SIZE];  // shown in the selector; also the pack's section name
    uint16_t langId;               // stored and read back only
    wchar_t captions[PACK_CAPTION_COUNT][PACK_SHORT_TEXT_SIZE];
    wchar_t menuTexts[PACK_MENU_COUNT][PACK_SHORT_TEXT_SIZE];
    wchar_t errorTexts[PACK_ERROR_COUNT][PACK_SHORT_TEXT_SIZE];
    wchar_t infoTexts[PACK_INFO_COUNT][PACK_LONG_TEXT_SIZE];
};
static_assert(sizeof(wchar_t) == 2, "the pack layout is UTF-16");
static_assert(std::is_standard_layout_v<LanguagePack> && std::is_trivially_copyable_v<LanguagePack>);
static_assert(offsetof(LanguagePack, langId) == 80 && offsetof(LanguagePack, captions) == 82);
static_assert(offsetof(LanguagePack, errorTexts) == 1042 && offsetof(LanguagePack, infoTexts) == 1762);
static_assert(sizeof(LanguagePack) == 3842);

// Stores the first size - 1 characters of text and zero-fills the rest of the field.
void SetPackText(wchar_t* field, int size, std::wstring_view text);
// The text held in a field, never reading past it.
std::wstring_view PackText(const wchar_t* field, int size);

const LanguagePack& BuiltinChinesePack();  // "简体中文", 0804
const LanguagePack& BuiltinEnglishPack();  // "English", 0409
