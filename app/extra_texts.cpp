#include "app/extra_texts.h"
#include "app/ini_file.h"
#include <windows.h>

namespace {

constexpr std::array<ExtraTextDefinition, EXTRA_TEXT_COUNT> kDefinitions{{
    {L"MenuUndo", L"Undo", L"撤销"},
    {L"MenuRedo", L"Redo", L"重做"},
}};

std::wstring SectionOf(const LanguagePack& pack) { return std::wstring(PackText(pack.name, PACK_NAME_SIZE)); }

bool NamedLikeBuiltinChinese(const LanguagePack& pack) {
    const std::wstring_view name = PackText(pack.name, PACK_NAME_SIZE);
    const std::wstring_view chinese = PackText(BuiltinChinesePack().name, PACK_NAME_SIZE);
    return ::CompareStringOrdinal(name.data(), static_cast<int>(name.size()), chinese.data(),
                                  static_cast<int>(chinese.size()), TRUE) == CSTR_EQUAL;
}

std::wstring IniText(const std::wstring& path, const std::wstring& section, std::wstring_view key) {
    return ReadIniString(path, section, std::wstring(key), EXTRA_TEXT_MAX_CHARS);
}

}  // namespace

const ExtraTextDefinition& ExtraTextDefinitionOf(ExtraTextId id) { return kDefinitions[static_cast<size_t>(id)]; }

ExtraTexts BuiltinExtraTexts(const LanguagePack& pack) {
    const bool chinese = NamedLikeBuiltinChinese(pack);
    ExtraTexts texts;
    for (size_t i = 0; i < texts.size(); ++i)
        texts[i] = chinese ? kDefinitions[i].chinese : kDefinitions[i].english;
    return texts;
}

ExtraTexts LoadExtraTexts(const std::wstring& settingsPath, const LanguagePack& pack) {
    ExtraTexts texts = BuiltinExtraTexts(pack);
    const std::wstring section = SectionOf(pack);
    if (section.empty())
        return texts;
    for (size_t i = 0; i < texts.size(); ++i) {
        std::wstring text = IniText(settingsPath, section, kDefinitions[i].key);
        if (!text.empty())
            texts[i] = std::move(text);
    }
    return texts;
}

void SaveMissingExtraTexts(const std::wstring& settingsPath, const LanguagePack& pack, const ExtraTexts& texts) {
    const std::wstring section = SectionOf(pack);
    if (section.empty())
        return;
    for (size_t i = 0; i < texts.size(); ++i) {
        if (IniText(settingsPath, section, kDefinitions[i].key).empty())
            WriteIniString(settingsPath, section, std::wstring(kDefinitions[i].key), texts[i]);
    }
}
