#include "app/language_packs.h"
#include "app/ini_file.h"
#include <windows.h>
#include <algorithm>
#include <cwctype>

namespace {

const wchar_t* const LANGUAGE_SECTION = L"Language";
// A "Language" value is read into this many characters.
constexpr int LANGUAGE_VALUE_CHARS = 159;

std::wstring NumberKey(const wchar_t* prefix, int number) { return prefix + std::to_wstring(number); }

// Calls f(key, field, size) for each of a pack's 34 texts, in key order.
template <typename Pack, typename F>
void ForEachPackText(Pack& pack, F&& f) {
    for (int i = 0; i < PACK_CAPTION_COUNT; ++i)
        f(NumberKey(L"C", i + 1), pack.captions[i], PACK_SHORT_TEXT_SIZE);
    for (int i = 0; i < PACK_MENU_COUNT; ++i)
        f(NumberKey(L"M", i + 1), pack.menuTexts[i], PACK_SHORT_TEXT_SIZE);
    for (int i = 0; i < PACK_ERROR_COUNT; ++i)
        f(NumberKey(L"E", i + 1), pack.errorTexts[i], PACK_SHORT_TEXT_SIZE);
    for (int i = 0; i < PACK_INFO_COUNT; ++i)
        f(NumberKey(L"I", i + 1), pack.infoTexts[i], PACK_LONG_TEXT_SIZE);
}

std::wstring_view Trim(std::wstring_view text) {
    while (!text.empty() && std::iswspace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && std::iswspace(text.back()))
        text.remove_suffix(1);
    return text;
}

bool SameNameIgnoringCase(std::wstring_view a, std::wstring_view b) {
    return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

// Fills the slot from one "Language" value; false, leaving the slot as it
// was, when the value names no pack.
bool ParseLanguageEntry(std::wstring_view value, LanguagePack& slot) {
    value = Trim(value);
    const size_t comma = value.find(L',');
    const std::wstring_view name = value.substr(0, comma);
    if (name.empty())
        return false;
    slot = LanguagePack{};
    SetPackText(slot.name, PACK_NAME_SIZE, name);
    if (comma != std::wstring_view::npos)
        slot.langId = ParseLanguageId(value.substr(comma + 1));
    return true;
}

}  // namespace

uint16_t ParseLanguageId(std::wstring_view text) {
    while (!text.empty() && (text.front() == L' ' || text.front() == L'\t'))
        text.remove_prefix(1);
    unsigned value = 0;
    for (const wchar_t c : text) {
        unsigned digit;
        if (c >= L'0' && c <= L'9')
            digit = static_cast<unsigned>(c - L'0');
        else if (c >= L'a' && c <= L'f')
            digit = static_cast<unsigned>(c - L'a' + 10);
        else if (c >= L'A' && c <= L'F')
            digit = static_cast<unsigned>(c - L'A' + 10);
        else
            break;
        value = ((value << 4) | digit) & 0xFFFFu;
    }
    return static_cast<uint16_t>(value);
}

int LoadLanguagePackTable(const std::wstring& settingsPath, PackTable packs, BuiltinPackFlags& flags) {
    flags = {1, 1};
    std::fill(packs.begin(), packs.end(), LanguagePack{});

    int count = 0;
    for (int key = 1; key <= MAX_LANGUAGE_PACKS; ++key) {
        const std::wstring value = ReadIniString(settingsPath, LANGUAGE_SECTION, std::to_wstring(key),
                                                 LANGUAGE_VALUE_CHARS);
        if (ParseLanguageEntry(value, packs[static_cast<size_t>(count)]))
            ++count;
    }

    for (int i = 0; i < count; ++i) {
        LanguagePack& pack = packs[static_cast<size_t>(i)];
        const std::wstring section(PackText(pack.name, PACK_NAME_SIZE));
        ForEachPackText(pack, [&](const std::wstring& key, wchar_t* field, int size) {
            ReadIniText(settingsPath, section, key, field, size);
        });
        if (SameNameIgnoringCase(section, PackText(BuiltinChinesePack().name, PACK_NAME_SIZE)))
            flags.addChinese = 0;
        if (SameNameIgnoringCase(section, PackText(BuiltinEnglishPack().name, PACK_NAME_SIZE)))
            flags.addEnglish = 0;
    }

    // English before Chinese; a built-in pack without room is not appended.
    if (flags.addEnglish && count < MAX_LANGUAGE_PACKS)
        packs[static_cast<size_t>(count++)] = BuiltinEnglishPack();
    else
        flags.addEnglish = 0;
    if (flags.addChinese && count < MAX_LANGUAGE_PACKS)
        packs[static_cast<size_t>(count++)] = BuiltinChinesePack();
    else
        flags.addChinese = 0;
    return count;
}

void SaveLanguagePackTable(const std::wstring& settingsPath, std::span<const LanguagePack> packs, int packCount,
                           const BuiltinPackFlags& flags) {
    const int appended = (flags.addChinese ? 1 : 0) + (flags.addEnglish ? 1 : 0);
    if (appended == 0)
        return;
    packCount = std::min(packCount, static_cast<int>(packs.size()));
    const int first = std::max(0, packCount - appended);
    for (int i = first; i < packCount; ++i)
        WriteIniString(settingsPath, LANGUAGE_SECTION, std::to_wstring(i + 1),
                       std::wstring(PackText(packs[static_cast<size_t>(i)].name, PACK_NAME_SIZE)));
    for (int i = first; i < packCount; ++i) {
        const LanguagePack& pack = packs[static_cast<size_t>(i)];
        const std::wstring section(PackText(pack.name, PACK_NAME_SIZE));
        ForEachPackText(pack, [&](const std::wstring& key, const wchar_t* field, int size) {
            WriteIniString(settingsPath, section, key, std::wstring(PackText(field, size)));
        });
    }
}
